#pragma once

#include <string>
#include <string_view>

#include "tables/item_table.h"
#include "tables/row_reader.h"
#include "tables/table_file.h"

namespace sallowmere {

// Converts `fields` into `out` by `layout`: every column from 0 to the layout's last, strings
// as they are, numbers by their width and rule. Fields past the last column are ignored; missing
// fields read as empty. Throws LoadError (overflow or type mismatch, naming `file_name`, `line`,
// the column and the field) when a number does not fit its width or a strict field is no number.
void ConvertRow(const RecordLayout& layout, const RowFields& fields, std::string_view file_name,
                int line, Record& out);

// Reads the rows of a table's `text` into a table of RecordT whose rows come from the file
// `file_name`. Throws LoadError on the first fault of reading or converting.
template <class RecordT>
Table<RecordT> ParseTable(std::string_view text, const std::string& file_name) {
  Table<RecordT> table;
  table.file_name = file_name;
  ReadRows(text, file_name, [&](int line, const RowFields& fields) {
    ConvertRow(RecordT::Layout(), fields, file_name, line, table.rows.emplace_back());
  });
  return table;
}

// Reads the table at `table_folder` + `file_name` (the folder ends in a separator) into a table
// of RecordT. Throws LoadError when the file cannot be read or on the first fault in it.
template <class RecordT>
Table<RecordT> LoadTable(const std::string& table_folder, const std::string& file_name) {
  return ParseTable<RecordT>(ReadTableFile(PathFromBytes(table_folder + file_name), file_name),
                             file_name);
}

// The three tables' loaders; `file_name` is the name the folder check found.
Table<ArmorRecord> LoadArmorTable(const std::string& table_folder,
                                  const std::string& file_name = "armor.txt");
Table<WeaponRecord> LoadWeaponTable(const std::string& table_folder,
                                    const std::string& file_name = "weapons.txt");
Table<MiscRecord> LoadMiscTable(const std::string& table_folder,
                                const std::string& file_name = "misc.txt");

}  // namespace sallowmere
