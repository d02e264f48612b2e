#include "tables/record_schema.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace sallowmere {
namespace {

struct LayoutCase {
  const RecordLayout* layout;
  int columns;
  int code_column;
};

TEST(RecordSchemaTest, RangesCoverEveryColumnOnce) {
  for (const LayoutCase& c :
       {LayoutCase{&ArmorLayout(), 158, 17}, LayoutCase{&WeaponLayout(), 165, 2},
        LayoutCase{&MiscLayout(), 147, 12}}) {
    const RecordLayout& layout = *c.layout;
    SCOPED_TRACE(std::string(layout.FileName()));
    int next = 0;
    for (const ColumnRange& range : layout.Ranges()) {
      EXPECT_EQ(range.first, next);
      EXPECT_LE(range.first, range.last);
      next = range.last + 1;
    }
    EXPECT_EQ(next, c.columns);
    EXPECT_EQ(layout.ColumnCount(), c.columns);
    EXPECT_EQ(layout.CodeColumn(), c.code_column);
    EXPECT_EQ(layout.Column(c.code_column).width, Width::kString);
    int slots = 0;
    for (Width w : {Width::kByte, Width::kInteger, Width::kLong, Width::kString}) {
      slots += layout.SlotCount(w);
    }
    EXPECT_EQ(slots, c.columns);
  }
}

TEST(RecordSchemaTest, SpotChecksOfTheLayouts) {
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

TEST(RecordSchemaTest, RejectsBrokenLayouts) {
  EXPECT_THROW(RecordLayout("x", {{0, 1, Width::kString}, {3, 4, Width::kByte}}, 0),
               std::logic_error);
  EXPECT_THROW(RecordLayout("x", {{0, 1, Width::kString}, {1, 4, Width::kByte}}, 0),
               std::logic_error);
  EXPECT_THROW(RecordLayout("x", {{1, 1, Width::kString}}, 1), std::logic_error);
  EXPECT_THROW(RecordLayout("x", {{0, 1, Width::kByte}}, 0), std::logic_error);
  EXPECT_THROW(RecordLayout("x", {{0, 1, Width::kString}}, 2), std::logic_error);
  EXPECT_NO_THROW(RecordLayout("x", {{0, 1, Width::kString}, {2, 2, Width::kLong}}, 1));
}

}  // namespace
}  // namespace sallowmere
