#include "tables/item_tables.h"

namespace sallowmere {

ItemTable TableOfTag(int origin_tag) {
  std::size_t table = kItemTables.size() - 1;
  while (table > 0 && origin_tag < kItemTables[table].tag_base) --table;
  return static_cast<ItemTable>(table);
}

}  // namespace sallowmere
