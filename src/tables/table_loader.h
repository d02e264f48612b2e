#pragma once

// The loaders: a table's text or file into a Table, every column converted by its layout, or by
// its header row. Used by Module1.

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "tables/item_table.h"
#include "tables/row_reader.h"
#include "tables/table_file.h"

namespace sallowmere {

// Converts `fields` into a new row of `out` by `layout`: every column from 0 to the layout's last,
// strings as they are, numbers by their width and rule. Fields past the last column are ignored;
// missing fields read as empty. Fails (overflow or type mismatch, naming `file_name`, `line`, the
// column and the field) when a number does not fit its width or a strict field is no number; the
// row is then half written.
Result<void> ConvertRow(const RecordLayout& layout, const RowFields& fields,
                        std::string_view file_name, int line, TableValues& out);

// Builds a table's values from its text, given in pieces of whole lines: the header row decides
// the reading (ReadingOf), then each data row is converted by the layout, or, read by its header,
// keeps its code and name alone, up to kMaxHeaderDataRows rows.
class TableBuilder {
 public:
  // The item table `table` from the file `file_name`, of at most `size` bytes (to make room
  // once), whose items' names are read or not as `names` says.
  TableBuilder(ItemTable table, std::string_view file_name, std::uintmax_t size,
               ItemNames names = ItemNames::kKeep);
  TableBuilder(const TableBuilder&) = delete;
  TableBuilder& operator=(const TableBuilder&) = delete;

  // Reads the next piece of the text. Fails at the first fault of reading or converting.
  Result<void> Feed(std::string_view lines) { return rows_.Feed(lines); }

  // The table read so far; the builder is spent.
  Table Take() { return Table{table_, file_name_, by_header_, std::move(values_)}; }

 private:
  void ReadHeader(std::string_view header);
  Result<void> ReadRow(int line, const RowFields& fields);
  void AddRow(int line, std::string_view code, std::string_view name);

  ItemTable table_;
  const RecordLayout& layout_;
  std::string file_name_;
  std::uintmax_t size_;
  ItemNames names_;
  std::optional<HeaderReading> by_header_;
  std::string header_;  // the header row of a table read by its fixed layout
  TableValues values_;
  RowStream rows_;
};

// Reads the rows of the item table `table`'s `text`, from the file `file_name`, as TableBuilder
// reads them. Fails at the first fault of reading or converting.
Result<Table> ParseTable(ItemTable table, std::string_view text, std::string_view file_name);
template <class RecordT>
Result<Table> ParseTable(std::string_view text, std::string_view file_name) {
  return ParseTable(RecordT::kTable, text, file_name);
}

// Reads the item table `table` at `table_folder` + `file_name` (the folder ends in a separator),
// piece by piece through `buffer` (whose memory serves the next file again). Fails when the file
// cannot be read or at the first fault in it.
Result<Table> LoadTable(ItemTable table, const std::string& table_folder,
                        const std::string& file_name, std::string& buffer,
                        ItemNames names = ItemNames::kKeep);
template <class RecordT>
Result<Table> LoadTable(const std::string& table_folder, const std::string& file_name,
                        std::string& buffer, ItemNames names = ItemNames::kKeep) {
  return LoadTable(RecordT::kTable, table_folder, file_name, buffer, names);
}

// The three tables' loaders; `file_name` is the name the folder check found.
Result<Table> LoadArmorTable(const std::string& table_folder, const std::string& file_name,
                             std::string& buffer, ItemNames names = ItemNames::kKeep);
Result<Table> LoadWeaponTable(const std::string& table_folder, const std::string& file_name,
                              std::string& buffer, ItemNames names = ItemNames::kKeep);
Result<Table> LoadMiscTable(const std::string& table_folder, const std::string& file_name,
                            std::string& buffer, ItemNames names = ItemNames::kKeep);

}  // namespace sallowmere
