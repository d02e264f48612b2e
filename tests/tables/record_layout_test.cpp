#include "tables/record_layout.h"

#include <gtest/gtest.h>

#include <vector>

namespace sallowmere {
namespace {

struct LayoutCase {
  const RecordLayout* layout;
  int columns;
  int code_column;
};

TEST(RecordLayoutTest, ColumnCountsAndCodeColumns) {
  for (const LayoutCase& c :
       {LayoutCase{&ArmorLayout(), 158, 17}, LayoutCase{&WeaponLayout(), 165, 2},
        LayoutCase{&MiscLayout(), 147, 12}}) {
    EXPECT_EQ(c.layout->ColumnCount(), c.columns);
    EXPECT_EQ(c.layout->CodeColumn(), c.code_column);
  }
}

TEST(RecordLayoutTest, SpotChecksOfTheLayouts) {
  EXPECT_EQ(ArmorLayout().Column(16).width, Width::kLong);
  EXPECT_EQ(ArmorLayout().Column(147).width, Width::kByte);
  EXPECT_EQ(ArmorLayout().Column(157).width, Width::kByte);
  EXPECT_EQ(WeaponLayout().Column(164).width, Width::kByte);
  EXPECT_EQ(WeaponLayout().Column(164).rule, Rule::kStrict);
  EXPECT_EQ(WeaponLayout().Column(163).rule, Rule::kVal);
  EXPECT_EQ(WeaponLayout().Column(32).width, Width::kLong);
  EXPECT_EQ(MiscLayout().Column(142).width, Width::kString);
  EXPECT_EQ(MiscLayout().Column(143).width, Width::kInteger);
  // Only one column of all three tables is read by the strict rule.
  int strict = 0;
  for (const RecordLayout* layout : {&ArmorLayout(), &WeaponLayout(), &MiscLayout()}) {
    for (int c = 0; c < layout->ColumnCount(); ++c)
      strict += layout->Column(c).rule == Rule::kStrict;
  }
  EXPECT_EQ(strict, 1);
}

TEST(RecordLayoutTest, WholeLayoutsOnly) {
  constexpr Width S = Width::kString;
  constexpr Width B = Width::kByte;
  struct Case {
    std::vector<ColumnRange> ranges;
    int code_column;
    int name_column;
    bool whole;
  };
  const Case cases[] = {
      {{{0, 1, S}, {2, 2, Width::kLong}}, 1, 0, true},
      {{{0, 0, S}}, 0, -1, true},
      {{{0, 1, S}, {3, 4, B}}, 0, 0, false},             // a gap
      {{{0, 1, S}, {1, 4, B}}, 0, 0, false},             // an overlap
      {{{0, 2, S}, {3, 2, B}}, 0, 0, false},             // a range that ends before it begins
      {{{1, 1, S}}, 1, -1, false},                       // column 0 missing
      {{{0, 1, B}}, 0, -1, false},                       // a code column without strings
      {{{0, 1, S}}, 2, -1, false},                       // a code column past the last
      {{{0, 1, S}, {2, 2, Width::kLong}}, 1, 2, false},  // a name column without strings
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IsWholeLayout(c.ranges, c.code_column, c.name_column), c.whole)
        << c.ranges.size() << " ranges, code column " << c.code_column;
  }
}

}  // namespace
}  // namespace sallowmere
