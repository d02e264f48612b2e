#pragma once

// A loaded table: its rows' converted values, one flat array per width, and the record types of
// the three tables. Filled by the loaders, read by the code index.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "tables/record_layout.h"
#include "tables/table_reading.h"

namespace sallowmere {

// The converted values of a table's rows, one array per width. Each array holds the rows one
// after another, a row's values at its layout's slots: column c of row r of width w is at
// r * layout.SlotCount(w) + layout.Column(c).slot. A handful of arrays per table instead of a few
// per row keeps a load to a few allocations; string values, likewise, are pieces of one byte
// array rather than one string object each.
struct TableValues {
  // Where one string value lies in `string_bytes`.
  struct Piece {
    std::uint32_t offset;
    std::uint32_t size;
  };

  std::vector<int> lines;  // each row's 1-based line in its file
  std::vector<std::uint8_t> bytes;
  std::vector<std::int16_t> integers;
  std::vector<std::int32_t> longs;
  std::vector<Piece> strings;
  std::string string_bytes;

  // Makes room for `rows` rows of `layout`.
  void Reserve(const RecordLayout& layout, std::size_t rows);

  // Appends a string value.
  void AddString(std::string_view text) {
    strings.push_back(
        {static_cast<std::uint32_t>(string_bytes.size()), static_cast<std::uint32_t>(text.size())});
    string_bytes.append(text);
  }

  // The string value at `index` of `strings`.
  std::string_view String(std::size_t index) const {
    const Piece piece = strings[index];
    return std::string_view(string_bytes).substr(piece.offset, piece.size);
  }
};

// One column's value, of the column's width.
using Cell = std::variant<std::uint8_t, std::int16_t, std::int32_t, std::string_view>;

// The value of `column` (0 to layout.ColumnCount() - 1) of `row` of `values`, read with `layout`.
Cell CellOf(const TableValues& values, const RecordLayout& layout, int row, int column);

// The record types of the three tables: each names its row layout.
struct ArmorRecord {
  static const RecordLayout& Layout() { return ArmorLayout(); }
};
struct WeaponRecord {
  static const RecordLayout& Layout() { return WeaponLayout(); }
};
struct MiscRecord {
  static const RecordLayout& Layout() { return MiscLayout(); }
};

// The rows of one table file, in file order: converted by RecordT's layout, or, for a table read
// by its header row, each row's code alone.
template <class RecordT>
struct Table {
  std::string file_name;                   // the name the file was found under
  std::optional<HeaderReading> by_header;  // set when the table was read by its header row
  TableValues values;

  // The layout `values` follow: RecordT's, or CodeOnlyLayout() for a table read by its header.
  const RecordLayout& Layout() const { return by_header ? CodeOnlyLayout() : RecordT::Layout(); }

  // The index of the last row; -1 when the table has none.
  int LastRow() const { return static_cast<int>(values.lines.size()) - 1; }

  // The 1-based line in the file of `row` (0 to LastRow()).
  int Line(int row) const { return values.lines[row]; }

  // The item code of `row`.
  std::string_view Code(int row) const {
    return std::get<std::string_view>(Value(row, Layout().CodeColumn()));
  }

  // The value of `column` (0 to Layout().ColumnCount() - 1) of `row`.
  Cell Value(int row, int column) const { return CellOf(values, Layout(), row, column); }
};

}  // namespace sallowmere
