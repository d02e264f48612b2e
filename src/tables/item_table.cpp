#include "tables/item_table.h"

#include <algorithm>

namespace sallowmere {

void TableValues::Reserve(const RecordLayout& layout, std::size_t rows) {
  lines.reserve(rows);
  bytes.reserve(rows * layout.SlotCount(Width::kByte));
  integers.reserve(rows * layout.SlotCount(Width::kInteger));
  longs.reserve(rows * layout.SlotCount(Width::kLong));
  string_starts.reserve(rows);
}

std::string_view TableValues::String(int row, int slot) const {
  return Strings(row, slot, -1).first;
}

std::pair<std::string_view, std::string_view> TableValues::Strings(int row, int first,
                                                                   int second) const {
  std::pair<std::string_view, std::string_view> found;
  std::string_view rest = std::string_view(strings).substr(string_starts[row]);
  for (int slot = 0; slot <= std::max(first, second); ++slot) {
    const std::size_t tab = rest.find('\t');
    if (slot == first) found.first = rest.substr(0, tab);
    if (slot == second) found.second = rest.substr(0, tab);
    rest.remove_prefix(tab + 1);
  }
  return found;
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
  return values.String(row, at.slot);
}

}  // namespace sallowmere
