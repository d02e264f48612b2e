#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "index/code_index.h"
#include "tables/load_error.h"
#include "tables/module1.h"

namespace sallowmere {

// What a load request ended in.
struct LoadOutcome {
  enum class Kind { kLoaded, kMissingTable, kLoadFailed };
  Kind kind = Kind::kLoaded;
  std::string missing_message;     // kMissingTable: the folder check's message
  std::optional<LoadError> error;  // kLoadFailed: what stopped the load
  CodeIndex index;                 // kLoaded: the index of the new tables
};

// The whole load request short of the window: sets `module`'s table folder from `folder_path`,
// checks the folder for its tables, reads them and builds the index. On a missing table or a
// load error `module`'s tables keep what they held. Never throws a LoadError.
LoadOutcome LoadFolder(Module1& module, std::string_view folder_path);

}  // namespace sallowmere
