#pragma once

// A loaded item table: its rows' converted values, one flat array per width, and the record types
// that name the three tables. Filled by the loaders, read by the code index.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "tables/item_tables.h"
#include "tables/record_layout.h"
#include "tables/table_reading.h"

namespace sallowmere {

// The converted values of a table's rows. Numbers are kept at their width, one array per width:
// column c of row r of width w is at r * layout.SlotCount(w) + layout.Column(c).slot. String
// values are kept as bytes in one array, each followed by a tab (which no value can hold), row
// after row in column order; row r's begin at string_starts[r]. A handful of arrays per table
// keeps a load to a few allocations, and strings cost one byte each beyond their text.
struct TableValues {
  std::vector<int> lines;  // each row's 1-based line in its file
  std::vector<std::uint8_t> bytes;
  std::vector<std::int16_t> integers;
  std::vector<std::int32_t> longs;
  std::string strings;
  std::vector<std::uint32_t> string_starts;

  // Makes room for `rows` rows of `layout`, strings apart.
  void Reserve(const RecordLayout& layout, std::size_t rows);

  // The `slot`-th string value of `row`.
  std::string_view String(int row, int slot) const;

  // The `first`-th and the `second`-th string values of `row`, found in one pass; -1 for an empty
  // one.
  std::pair<std::string_view, std::string_view> Strings(int row, int first, int second) const;
};

// Whether a load keeps each item's name beside its code. A report of repeated codes has no use
// for names, and a table read by its header row then reads none.
enum class ItemNames { kKeep, kSkip };

// One column's value, of the column's width.
using Cell = std::variant<std::uint8_t, std::int16_t, std::int32_t, std::string_view>;

// The value of `column` (0 to layout.ColumnCount() - 1) of `row` of `values`, read with `layout`.
Cell CellOf(const TableValues& values, const RecordLayout& layout, int row, int column);

// The record types of the three tables: each names its table, and with it the rows' layout.
struct ArmorRecord {
  static constexpr ItemTable kTable = kArmor;
};
struct WeaponRecord {
  static constexpr ItemTable kTable = kWeapons;
};
struct MiscRecord {
  static constexpr ItemTable kTable = kMisc;
};

// The rows of one item table's file, in file order: converted by the table's fixed layout, or,
// for a table read by its header row, each row's code and name alone.
struct Table {
  ItemTable table = kArmor;
  std::string file_name;                   // the name the file was found under
  std::optional<HeaderReading> by_header;  // set when the table was read by its header row
  TableValues values;

  // The layout `values` follow: the table's fixed one, or for a table read by its header
  // CodeAndNameLayout(), or CodeOnlyLayout() when it read no names.
  const RecordLayout& Layout() const {
    if (!by_header) return kItemTables[table].layout();
    return by_header->name_column >= 0 ? CodeAndNameLayout() : CodeOnlyLayout();
  }

  // The column of the file that holds the item code, counted from 0.
  int CodeColumnInFile() const {
    return by_header ? by_header->code_column : kItemTables[table].layout().CodeColumn();
  }

  // The index of the last row; -1 when the table has none.
  int LastRow() const { return static_cast<int>(values.lines.size()) - 1; }

  // The 1-based line in the file of `row` (0 to LastRow()).
  int Line(int row) const { return values.lines[row]; }

  // The item code of `row`.
  std::string_view Code(int row) const {
    return std::get<std::string_view>(Value(row, Layout().CodeColumn()));
  }

  // The item's name in `row`: empty for a table read by a header row that names no column "name".
  std::string_view Name(int row) const { return CodeAndName(row).second; }

  // The item code and the item's name in `row`, as Code and Name give them.
  std::pair<std::string_view, std::string_view> CodeAndName(int row) const {
    const RecordLayout& layout = Layout();
    const int name = layout.NameColumn();
    return values.Strings(row, layout.Column(layout.CodeColumn()).slot,
                          name >= 0 ? layout.Column(name).slot : -1);
  }

  // The value of `column` (0 to Layout().ColumnCount() - 1) of `row`.
  Cell Value(int row, int column) const { return CellOf(values, Layout(), row, column); }
};

}  // namespace sallowmere
