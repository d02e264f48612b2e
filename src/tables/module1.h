#pragma once

// The program's loaded state: the table folder and the three tables. Owned by the window, made
// per command by the CLI.

#include <string>
#include <vector>

#include "tables/item_table.h"
#include "tables/result.h"
#include "tables/table_folder.h"

namespace sallowmere {

// The program's loaded state: the table folder and the three tables of the latest successful load.
// The window owns one; tests create as many as they like.
class Module1 {
 public:
  // The folder of the latest load request, ending in a path separator; empty before the first.
  const std::string& TableFolder() const { return table_folder_; }
  void SetTableFolder(std::string folder) { table_folder_ = std::move(folder); }

  const Table& ArmorTable() const { return tables_[kArmor]; }
  const Table& WeaponTable() const { return tables_[kWeapons]; }
  const Table& MiscTable() const { return tables_[kMisc]; }
  // The three, by ItemTable.
  const PerItemTable<Table>& Tables() const { return tables_; }

  // One line per table of the latest load that was read by its header row, in load order:
  // "FILE: note: read by its header row: code in column K of N". Empty when every table was read
  // by its fixed layout.
  std::vector<std::string> ReadingNotes() const;

  // Whether loads keep each item's name (kKeep until set). With kSkip, Name() may read empty.
  ItemNames Names() const { return names_; }
  void SetNames(ItemNames names) { names_ = names; }

  // Reads the item tables in load order (armor, weapons, misc) from TableFolder() under the names
  // in `files`. Fails at the first fault; the tables then keep what the previous load gave them.
  Result<void> LoadAllTables(const TableFiles& files = ItemTableFileNames());

 private:
  std::string table_folder_;
  PerItemTable<Table> tables_;
  std::string read_buffer_;  // one file's bytes at a time, kept for the next load
  ItemNames names_ = ItemNames::kKeep;
};

}  // namespace sallowmere
