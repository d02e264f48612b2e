#include "index/load_folder.h"

#include "tables/table_folder.h"

namespace sallowmere {

LoadOutcome LoadFolder(Module1& module, std::string_view folder_path) {
  FolderCheck check = CheckTableFolder(folder_path);
  module.SetTableFolder(check.table_folder);
  if (check.missing) return MissingTable{std::move(*check.missing)};
  try {
    module.LoadAllTables(check.files);
  } catch (const LoadError& error) {
    return error;
  }
  return CodeIndex::Build(module);
}

}  // namespace sallowmere
