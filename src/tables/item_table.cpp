#include "tables/item_table.h"

namespace sallowmere {

void TableValues::Reserve(const RecordLayout& layout, std::size_t rows) {
  lines.reserve(rows);
  bytes.reserve(rows * layout.SlotCount(Width::kByte));
  integers.reserve(rows * layout.SlotCount(Width::kInteger));
  longs.reserve(rows * layout.SlotCount(Width::kLong));
  strings.reserve(rows * layout.SlotCount(Width::kString));
}

Cell CellOf(const TableValues& values, const RecordLayout& layout, int row, int column) {
  const ColumnSlot& at = layout.Column(column);
  const std::size_t index = static_cast<std::size_t>(row) * layout.SlotCount(at.width) + at.slot;
  switch (at.width) {
    case Width::kByte: return values.bytes[index];
    case Width::kInteger: return values.integers[index];
    case Width::kLong: return values.longs[index];
    case Width::kString: break;
  }
  return values.String(index);
}

}  // namespace sallowmere
