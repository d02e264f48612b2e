#include "index/load_request.h"

#include "index/table_folder.h"

namespace sallowmere {

LoadOutcome LoadFolder(Module1& module, std::string_view folder_path) {
  LoadOutcome outcome;
  FolderCheck check = CheckTableFolder(folder_path);
  module.SetTableFolder(check.table_folder);
  if (check.missing) {
    outcome.kind = LoadOutcome::Kind::kMissingTable;
    outcome.missing_message = std::move(*check.missing);
    return outcome;
  }
  // The one place a load error is caught: both front ends get it as a value.
  try {
    module.LoadAllTables(check.files);
  } catch (const LoadError& error) {
    outcome.kind = LoadOutcome::Kind::kLoadFailed;
    outcome.error = error;
    return outcome;
  }
  outcome.index = CodeIndex::Build(module);
  return outcome;
}

}  // namespace sallowmere
