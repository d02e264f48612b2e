#pragma once

// The loaders: a table's text or file into a Table, every column converted by its layout, or by
// its header row. Used by Module1.

#include <algorithm>
#include <string>
#include <string_view>

#include "tables/item_table.h"
#include "tables/row_reader.h"
#include "tables/table_file.h"

namespace sallowmere {

// Converts `fields` into a new row of `out` by `layout`: every column from 0 to the layout's last,
// strings as they are, numbers by their width and rule. Fields past the last column are ignored;
// missing fields read as empty. Throws LoadError (overflow or type mismatch, naming `file_name`,
// `line`, the column and the field) when a number does not fit its width or a strict field is no
// number.
void ConvertRow(const RecordLayout& layout, const RowFields& fields, std::string_view file_name,
                int line, TableValues& out);

// Reads each data row's field `code_column` of a table's `text` into `out` by CodeOnlyLayout():
// the field as SplitRow gives it, empty when the row is shorter. Converts no other field. Throws
// LoadError naming `file_name` when a row has too many fields or the table more than
// kMaxHeaderDataRows data rows.
void ReadCodeColumn(std::string_view text, std::string_view file_name, int code_column,
                    TableValues& out);

// Reads the rows of a table's `text` into a table of RecordT whose rows come from the file
// `file_name`, by the reading its header row calls for (ReadingOf): every column by RecordT's
// layout, or, read by its header, each row's code alone and up to kMaxHeaderDataRows rows.
// Throws LoadError on the first fault of reading or converting.
template <class RecordT>
Table<RecordT> ParseTable(std::string_view text, const std::string& file_name) {
  Table<RecordT> table;
  table.file_name = file_name;
  table.by_header = ReadingOf(HeaderLine(text), RecordT::Layout());
  if (table.by_header) {
    ReadCodeColumn(text, file_name, table.by_header->code_column, table.values);
    return table;
  }
  // A full row has a tab per column, which bounds how many rows the text can hold.
  const RecordLayout& layout = RecordT::Layout();
  table.values.Reserve(layout,
                       std::min<std::size_t>(kMaxDataRows, text.size() / layout.ColumnCount() + 1));
  // String values are pieces of the text, so they need no more room than it has: reserved once,
  // they are never copied to a larger array while the table is read.
  table.values.string_bytes.reserve(text.size());
  ReadRows(text, file_name, [&](int line, const RowFields& fields) {
    ConvertRow(layout, fields, file_name, line, table.values);
  });
  return table;
}

// Reads the table at `table_folder` + `file_name` (the folder ends in a separator) into a table
// of RecordT, using `buffer` for the file's bytes (its memory serves the next load again).
// Throws LoadError when the file cannot be read or on the first fault in it.
template <class RecordT>
Table<RecordT> LoadTable(const std::string& table_folder, const std::string& file_name,
                         std::string& buffer) {
  ReadTableFile(PathFromBytes(table_folder + file_name), file_name, buffer);
  return ParseTable<RecordT>(buffer, file_name);
}

// The three tables' loaders; `file_name` is the name the folder check found.
Table<ArmorRecord> LoadArmorTable(const std::string& table_folder, const std::string& file_name,
                                  std::string& buffer);
Table<WeaponRecord> LoadWeaponTable(const std::string& table_folder, const std::string& file_name,
                                    std::string& buffer);
Table<MiscRecord> LoadMiscTable(const std::string& table_folder, const std::string& file_name,
                                std::string& buffer);

}  // namespace sallowmere
