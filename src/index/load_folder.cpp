#include "index/load_folder.h"

#include "tables/table_folder.h"

namespace sallowmere {

LoadOutcome LoadFolder(Module1& module, std::string_view folder_path) {
  return LoadFolder(module, folder_path, FolderTableNames(folder_path));
}

LoadOutcome LoadFolder(Module1& module, std::string_view folder_path,
                       const std::vector<std::string>& table_names) {
  FolderCheck check = CheckTableFolder(folder_path, table_names);
  module.SetTableFolder(check.table_folder);
  if (check.missing) return std::move(*check.missing);
  if (const Result<void> read = module.LoadAllTables(check.files); !read) return *read.Error();
  return CodeIndex::Build(module);
}

}  // namespace sallowmere
