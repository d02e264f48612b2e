#include "tables/item_tables.h"

#include <gtest/gtest.h>

#include "index/code_index.h"

namespace sallowmere {
namespace {

TEST(ItemTablesTest, EachTagPointsIntoTheTableOfItsBand) {
  const std::pair<int, ItemTable> cases[] = {{0, kArmor},       {9999, kArmor}, {10000, kWeapons},
                                             {19999, kWeapons}, {20000, kMisc}, {29998, kMisc}};
  const char* const origin[] = {"Armor.txt", "Weapon.txt", "Misc.txt"};
  for (const auto& [tag, table] : cases) {
    EXPECT_EQ(TableOfTag(tag), table) << tag;
    EXPECT_EQ(OriginText(tag), origin[table]) << tag;
  }
}

}  // namespace
}  // namespace sallowmere
