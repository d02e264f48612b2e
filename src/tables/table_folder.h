#pragma once

// The folder check: the table folder's path and the names the three tables are found under, or
// the missing-table message. Used by LoadFolder.

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tables/error.h"
#include "tables/item_tables.h"
#include "tables/result.h"

namespace sallowmere {

// The names under which the three item tables were found in the folder, by ItemTable.
using TableFiles = PerItemTable<std::string>;

// The item tables' own names: armor.txt, weapons.txt and misc.txt.
TableFiles ItemTableFileNames();

// The path separator the platform's folder paths use: "\" on Windows, "/" elsewhere.
char PathSeparator();

// `folder_path` ending in a separator: unchanged when it ends in one ("/" or "\" on Windows, "/"
// elsewhere, where "\" is part of a name), else followed by PathSeparator().
std::string ToTableFolder(std::string_view folder_path);

// The outcome of checking a folder for its three tables.
struct FolderCheck {
  std::string table_folder;                 // the folder, ending in a separator
  TableFiles files = ItemTableFileNames();  // the names the tables were found under
  std::optional<Error> missing;             // set at the first missing table: the message to show
};

// Checks `folder_path` for the item tables (armor.txt, weapons.txt and misc.txt), in load order,
// stopping at the first that is missing. A table is present when a regular file (or a link to one)
// of that name exists, the name compared ignoring ASCII letter case, an exact-case match winning; a
// folder or any other kind of file counts as missing, and so, on Windows, does a hidden or system
// file. The missing message is the table folder followed by "armor.txt was not found" (or
// weapons.txt, misc.txt). Never throws for a folder that cannot be read: its tables count as
// missing.
FolderCheck CheckTableFolder(std::string_view folder_path);
// The same among `table_names`, the folder's tables as ListTableNames gave them, which spares a
// listing of the folder.
FolderCheck CheckTableFolder(std::string_view folder_path,
                             const std::vector<std::string>& table_names);

// The names of every table of `folder_path`: each regular file directly in it, or link to one,
// whose name ends in ".txt" (ASCII case ignored), in byte order. A folder that cannot be listed
// has none. Never throws.
std::vector<std::string> FolderTableNames(std::string_view folder_path);
// The same, from one listing of the folder; an Error of cause kUnreadableFolder when it cannot be
// listed (it went away, or may not be read). Never throws.
Result<std::vector<std::string>> ListTableNames(std::string_view folder_path);

// What one table file looked like on disk: the name it was found under (empty when none was),
// its size and its modification time.
struct TableStamp {
  std::string name;
  std::uintmax_t size = 0;
  std::filesystem::file_time_type time{};
  bool operator==(const TableStamp&) const = default;
};

// What the tables of a folder look like on disk: each one FolderTableNames lists (the three item
// tables among them), in that order. Two stamps of a folder differ when one of its tables was
// written, replaced, renamed, added or removed in between.
using FolderStamp = std::vector<TableStamp>;

// The stamp of the tables in `folder_path`. A table that cannot be looked at has a size and time
// of 0. Never throws.
FolderStamp StampTableFolder(std::string_view folder_path);
// The stamp of `table_names` in `folder_path`, the folder's tables as ListTableNames gave them.
FolderStamp StampTableFolder(std::string_view folder_path,
                             const std::vector<std::string>& table_names);

}  // namespace sallowmere
