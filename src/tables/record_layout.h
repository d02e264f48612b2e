#pragma once

// The three tables' record layouts as data: for each column its width and number rule, and the
// code column. Used by the loaders and the header rule.

#include <span>
#include <vector>

#include "tables/width.h"

namespace sallowmere {

// How a numeric column's text becomes a number: the lenient leading-number rule (Val), or the
// strict whole-field rule (ParseStrictNumber) that rejects text which is not a number.
enum class Rule { kVal, kStrict };

// Columns `first` to `last` (inclusive, 0-based) all have `width`, read by `rule`.
struct ColumnRange {
  int first;
  int last;
  Width width;
  Rule rule = Rule::kVal;
};

// Where one column's value is kept: the `slot`-th value of its width within a record.
struct ColumnSlot {
  Width width;
  Rule rule;
  int slot;
};

// Whether `ranges` cover columns 0 to the last in order, without gap or overlap, and
// `code_column` and `name_column` (unless -1: the items have no names) are string columns among
// them. The layouts are checked by it when the program is built.
constexpr bool IsWholeLayout(std::span<const ColumnRange> ranges, int code_column,
                             int name_column = 0) {
  int columns = 0;
  for (const ColumnRange& range : ranges) {
    if (range.first != columns || range.last < range.first) return false;
    columns = range.last + 1;
  }
  const auto holds_strings = [&](int column) {
    for (const ColumnRange& range : ranges) {
      if (column >= range.first && column <= range.last) return range.width == Width::kString;
    }
    return false;
  };
  return holds_strings(code_column) && (name_column == -1 || holds_strings(name_column));
}

// The layout of one table's rows: its column ranges in column order, and the columns holding the
// item code and the item's name.
class RecordLayout {
 public:
  // Lays out the columns of `ranges`, which with `code_column` and `name_column` must make an
  // IsWholeLayout.
  RecordLayout(std::span<const ColumnRange> ranges, int code_column, int name_column = 0);

  std::span<const ColumnRange> Ranges() const { return ranges_; }
  int ColumnCount() const { return static_cast<int>(columns_.size()); }
  int CodeColumn() const { return code_column_; }
  int NameColumn() const { return name_column_; }  // -1 when the items have no names

  // The slot of `column`, which must lie in 0 to ColumnCount() - 1.
  const ColumnSlot& Column(int column) const { return columns_[column]; }

  // How many columns of `width` a record has.
  int SlotCount(Width width) const { return slot_counts_[static_cast<int>(width)]; }

 private:
  std::vector<ColumnRange> ranges_;
  std::vector<ColumnSlot> columns_;
  int slot_counts_[4] = {};
  int code_column_;
  int name_column_;
};

// The layouts of the armor, weapons and misc tables. Each names its items in column 0.
const RecordLayout& ArmorLayout();
const RecordLayout& WeaponLayout();
const RecordLayout& MiscLayout();

// The layouts of a table read by its header row: two string columns, the code and the name; or,
// for a table whose names are not read, the code alone.
const RecordLayout& CodeAndNameLayout();
const RecordLayout& CodeOnlyLayout();

}  // namespace sallowmere
