#include "tables/table_folder.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <system_error>

#include "tables/ascii.h"
#include "tables/table_file.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace fs = std::filesystem;

namespace sallowmere {
namespace {

// On Windows a hidden or system file is not offered to the user, so it does not count as a table.
bool IsHiddenOrSystem([[maybe_unused]] const fs::path& path) {
#ifdef _WIN32
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES &&
         (attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0;
#else
  return false;
#endif
}

bool IsTableFile(const fs::path& path) {
  std::error_code error;
  return fs::is_regular_file(fs::status(path, error)) && !IsHiddenOrSystem(path);
}

// The name `wanted` is found under in `table_folder` (ending in a separator), among `names` as
// the folder lists them: itself when a table file has exactly that name, else the smallest (byte
// order) name equal to it ignoring case, so the choice does not depend on the order the directory
// lists its entries. Empty when there is none.
std::string FindTable(const std::string& table_folder, const std::vector<std::string>& names,
                      std::string_view wanted) {
  std::string found;
  for (const std::string& name : names) {
    if (!EqualIgnoringAsciiCase(name, wanted) || !IsTableFile(TablePath(table_folder, name))) {
      continue;
    }
    if (name == wanted) return name;
    if (found.empty() || name < found) found = name;
  }
  // A folder that cannot be listed may still let its files be opened.
  if (found.empty() && IsTableFile(TablePath(table_folder, wanted))) return std::string(wanted);
  return found;
}

}  // namespace

TableFiles ItemTableFileNames() {
  TableFiles names;
  for (std::size_t table = 0; table < names.size(); ++table) {
    names[table] = kItemTables[table].file_name;
  }
  return names;
}

char PathSeparator() {
#ifdef _WIN32
  return '\\';
#else
  return '/';
#endif
}

std::string ToTableFolder(std::string_view folder_path) {
  std::string folder(folder_path);
#ifdef _WIN32
  const bool ends_in_separator = !folder.empty() && (folder.back() == '/' || folder.back() == '\\');
#else
  // "\" is an ordinary character of a name here: a folder "bs\" is looked into, not beside.
  const bool ends_in_separator = !folder.empty() && folder.back() == '/';
#endif
  if (!ends_in_separator) folder += PathSeparator();
  return folder;
}

FolderCheck CheckTableFolder(std::string_view folder_path,
                             const std::vector<std::string>& table_names) {
  FolderCheck check;
  check.table_folder = ToTableFolder(folder_path);
  for (std::string& name : check.files) {
    std::string found = FindTable(check.table_folder, table_names, name);
    if (found.empty()) {
      check.missing = Error::MissingTable(check.table_folder + name);
      return check;
    }
    name = std::move(found);
  }
  return check;
}

FolderCheck CheckTableFolder(std::string_view folder_path) {
  return CheckTableFolder(folder_path, FolderTableNames(folder_path));
}

Result<std::vector<std::string>> ListTableNames(std::string_view folder_path) {
  std::vector<std::string> names;
  std::error_code error;
  fs::directory_iterator it(LongPathForm(PathFromBytes(ToTableFolder(folder_path))), error);
  if (error) return Error::UnreadableFolder(folder_path);
  for (fs::directory_iterator end; !error && it != end; it.increment(error)) {
    std::string name = BytesFromPath(it->path().filename());
    if (name.size() < 4 ||
        !EqualIgnoringAsciiCase(std::string_view(name).substr(name.size() - 4), ".txt")) {
      continue;
    }
    std::error_code kind_error;
    if (fs::is_regular_file(fs::status(it->path(), kind_error))) names.push_back(std::move(name));
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::vector<std::string> FolderTableNames(std::string_view folder_path) {
  Result<std::vector<std::string>> names = ListTableNames(folder_path);
  return names ? std::move(*names) : std::vector<std::string>();
}

FolderStamp StampTableFolder(std::string_view folder_path) {
  return StampTableFolder(folder_path, FolderTableNames(folder_path));
}

FolderStamp StampTableFolder(std::string_view folder_path,
                             const std::vector<std::string>& table_names) {
  const std::string table_folder = ToTableFolder(folder_path);
  FolderStamp stamp;
  for (const std::string& name : table_names) {
    TableStamp& of = stamp.emplace_back();
    const fs::path path = TablePath(table_folder, name);
    of.name = name;
    std::error_code error;
    of.size = fs::file_size(path, error);
    if (error) of.size = 0;
    of.time = fs::last_write_time(path, error);
    if (error) of.time = {};
  }
  return stamp;
}

}  // namespace sallowmere
