#pragma once

// The three item tables as data: each one's file name, record layout, tag base and origin text,
// in load order. Loading, the folder check and stamp, and the code index iterate it.

#include <array>
#include <cstddef>
#include <string_view>

#include "tables/record_layout.h"

namespace sallowmere {

// One of the three item tables, by its place in load order; indexes kItemTables and every array
// kept per table.
enum ItemTable : std::size_t { kArmor, kWeapons, kMisc };

// What sets one item table apart from the others.
struct ItemTableInfo {
  std::string_view file_name;       // the name it is looked for under, ASCII case ignored
  const RecordLayout& (*layout)();  // its rows' fixed layout
  int tag_base;                     // a row's OriginTag is this plus the row's index
  std::string_view origin_text;     // the name "Used" gives it
};

// The item tables in load order: armor, weapons, misc.
inline constexpr std::array<ItemTableInfo, 3> kItemTables = {{
    {"armor.txt", ArmorLayout, 0, "Armor.txt"},
    {"weapons.txt", WeaponLayout, 10000, "Weapon.txt"},
    {"misc.txt", MiscLayout, 20000, "Misc.txt"},
}};

// Something kept for each item table, indexed by ItemTable.
template <class T>
using PerItemTable = std::array<T, kItemTables.size()>;

// The table an origin tag points into: the last whose tag base is not above it (armor for a
// tag below every base).
ItemTable TableOfTag(int origin_tag);

}  // namespace sallowmere
