#include "tables/record_layout.h"

#include <gtest/gtest.h>

#include <stdexcept>

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

TEST(RecordLayoutTest, RejectsBrokenLayouts) {
  EXPECT_THROW(RecordLayout({{0, 1, Width::kString}, {3, 4, Width::kByte}}, 0), std::logic_error);
  EXPECT_THROW(RecordLayout({{0, 1, Width::kString}, {1, 4, Width::kByte}}, 0), std::logic_error);
  EXPECT_THROW(RecordLayout({{1, 1, Width::kString}}, 1), std::logic_error);
  EXPECT_THROW(RecordLayout({{0, 1, Width::kByte}}, 0), std::logic_error);
  EXPECT_THROW(RecordLayout({{0, 1, Width::kString}}, 2), std::logic_error);
  EXPECT_THROW(RecordLayout({{0, 1, Width::kString}, {2, 2, Width::kLong}}, 1, 2),
               std::logic_error);
  EXPECT_NO_THROW(RecordLayout({{0, 1, Width::kString}, {2, 2, Width::kLong}}, 1));
}

}  // namespace
}  // namespace sallowmere
