#pragma once

// The whole load request short of the window: the one call both front ends make to read a mod
// folder, giving back the new index or the one Error that stopped it. Joins tables/ (the folder
// check and the loaders) to index/ (the code index).

#include <string>
#include <string_view>
#include <vector>

#include "index/code_index.h"
#include "tables/error.h"
#include "tables/module1.h"
#include "tables/result.h"

namespace sallowmere {

// What a load request ended in: the index of the new tables, or what stopped it: the first
// missing table (ErrorCause::kMissingTable) or the fault that stopped the load.
using LoadOutcome = Result<CodeIndex>;

// Sets `module`'s table folder from `folder_path`, checks the folder for its tables, reads them
// and builds the index. On a missing table or a load error `module`'s tables keep what they held.
LoadOutcome LoadFolder(Module1& module, std::string_view folder_path);
// The same, finding the tables among `table_names`, the folder's as ListTableNames gave them.
LoadOutcome LoadFolder(Module1& module, std::string_view folder_path,
                       const std::vector<std::string>& table_names);

}  // namespace sallowmere
