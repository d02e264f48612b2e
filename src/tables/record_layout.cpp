#include "tables/record_layout.h"

#include <cassert>

namespace sallowmere {

RecordLayout::RecordLayout(std::span<const ColumnRange> ranges, int code_column, int name_column)
    : ranges_(ranges.begin(), ranges.end()), code_column_(code_column), name_column_(name_column) {
  assert(IsWholeLayout(ranges, code_column, name_column));
  for (const ColumnRange& range : ranges_) {
    for (int column = range.first; column <= range.last; ++column) {
      columns_.push_back({range.width, range.rule, slot_counts_[static_cast<int>(range.width)]++});
    }
  }
}

namespace {

constexpr Width B = Width::kByte;
constexpr Width I = Width::kInteger;
constexpr Width L = Width::kLong;
constexpr Width S = Width::kString;

}  // namespace

// Each table below is one row per column range, as the game's table format declares them.
// clang-format off

constexpr ColumnRange kArmorRanges[] = {
    {0, 0, S},
    {1, 2, B},
    {3, 3, I},
    {4, 4, B},
    {5, 11, I},
    {12, 14, B},
    {15, 16, L},
    {17, 17, S},  // code
    {18, 18, B},
    {19, 19, I},
    {20, 24, S},
    {25, 26, I},
    {27, 30, B},
    {31, 31, I},
    {32, 35, S},
    {36, 41, I},
    {42, 44, B},
    {45, 46, I},
    {47, 47, S},
    {48, 48, I},
    {49, 52, B},
    {53, 53, I},
    {54, 54, B},
    {55, 60, I},
    {61, 61, B},
    {62, 62, I},
    {63, 147, B},
    {148, 149, S},
    {150, 152, B},
    {153, 154, S},
    {155, 156, I},
    {157, 157, B},
};
static_assert(IsWholeLayout(kArmorRanges, 17));

const RecordLayout& ArmorLayout() {
  static const RecordLayout layout(kArmorRanges, 17);
  return layout;
}

constexpr ColumnRange kWeaponRanges[] = {
    {0, 1, S},
    {2, 2, S},  // code
    {3, 3, S},
    {4, 5, B},
    {6, 6, I},
    {7, 7, B},
    {8, 9, I},
    {10, 11, B},
    {12, 15, I},
    {16, 20, S},
    {21, 21, B},
    {22, 27, I},
    {28, 28, B},
    {29, 30, I},
    {31, 32, L},
    {33, 33, B},
    {34, 34, I},
    {35, 40, S},
    {41, 41, B},
    {42, 42, S},
    {43, 45, B},
    {46, 48, I},
    {49, 52, S},
    {53, 55, B},
    {56, 56, S},
    {57, 57, B},
    {58, 58, I},
    {59, 62, B},
    {63, 63, I},
    {64, 64, B},
    {65, 68, I},
    {69, 155, B},
    {156, 157, S},
    {158, 160, B},
    {161, 162, S},
    {163, 163, B},
    {164, 164, B, Rule::kStrict},
};
static_assert(IsWholeLayout(kWeaponRanges, 2));

const RecordLayout& WeaponLayout() {
  static const RecordLayout layout(kWeaponRanges, 2);
  return layout;
}

constexpr ColumnRange kMiscRanges[] = {
    {0, 1, S},
    {2, 3, B},
    {4, 6, I},
    {7, 7, B},
    {8, 9, S},
    {10, 11, L},
    {12, 12, S},  // code
    {13, 17, S},
    {18, 18, B},
    {19, 27, S},
    {28, 29, B},
    {30, 142, S},
    {143, 144, I},
    {145, 145, S},
    {146, 146, B},
};
static_assert(IsWholeLayout(kMiscRanges, 12));

const RecordLayout& MiscLayout() {
  static const RecordLayout layout(kMiscRanges, 12);
  return layout;
}

constexpr ColumnRange kCodeAndNameRanges[] = {{0, 1, S}};
static_assert(IsWholeLayout(kCodeAndNameRanges, 0, 1));
constexpr ColumnRange kCodeOnlyRanges[] = {{0, 0, S}};
static_assert(IsWholeLayout(kCodeOnlyRanges, 0, -1));

const RecordLayout& CodeAndNameLayout() {
  static const RecordLayout layout(kCodeAndNameRanges, 0, 1);
  return layout;
}

const RecordLayout& CodeOnlyLayout() {
  static const RecordLayout layout(kCodeOnlyRanges, 0, -1);
  return layout;
}

// clang-format on

}  // namespace sallowmere
