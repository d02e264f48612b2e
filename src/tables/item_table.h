#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "tables/record_schema.h"

namespace sallowmere {

// One converted row: its line in the file and its values grouped by width, each column at the
// slot its layout gives it.
struct Record {
  int line = 0;
  std::vector<std::uint8_t> bytes;
  std::vector<std::int16_t> integers;
  std::vector<std::int32_t> longs;
  std::vector<std::string> strings;
};

struct ArmorRecord : Record {
  static const RecordLayout& Layout() { return ArmorLayout(); }
};
struct WeaponRecord : Record {
  static const RecordLayout& Layout() { return WeaponLayout(); }
};
struct MiscRecord : Record {
  static const RecordLayout& Layout() { return MiscLayout(); }
};

// One column's value, of the column's width.
using Cell = std::variant<std::uint8_t, std::int16_t, std::int32_t, std::string_view>;

// The value of `column` (0 to layout.ColumnCount() - 1) of `record`, read with `layout`.
Cell CellOf(const Record& record, const RecordLayout& layout, int column);

// The rows of one table file, in file order.
template <class RecordT>
struct Table {
  std::string file_name;  // the name the file was found under
  std::vector<RecordT> rows;

  // The index of the last row; -1 when the table has none.
  int LastRow() const { return static_cast<int>(rows.size()) - 1; }

  // The item code of `row` (0 to LastRow()).
  std::string_view Code(int row) const {
    const RecordLayout& layout = RecordT::Layout();
    return rows[row].strings[layout.Column(layout.CodeColumn()).slot];
  }

  // The value of `column` of `row`.
  Cell Value(int row, int column) const { return CellOf(rows[row], RecordT::Layout(), column); }
};

}  // namespace sallowmere
