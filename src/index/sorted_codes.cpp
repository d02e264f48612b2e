#include "index/sorted_codes.h"

#include <algorithm>
#include <compare>

#include "tables/ascii.h"

namespace sallowmere {
bool DisplayOrderLess(std::string_view a, std::string_view b) {
  const auto folded = std::lexicographical_compare_three_way(
      a.begin(), a.end(), b.begin(), b.end(),
      [](char x, char y) { return FoldAsciiCase(x) <=> FoldAsciiCase(y); });
  if (folded != 0) return folded < 0;
  // Equal but for letter case: byte order (char_traits compares bytes as unsigned).
  return a < b;
}

SortedCodes::SortedCodes(const CodeIndex& index)
    : entries_(index.Entries()), texts_(index.Texts()) {
  std::sort(entries_.begin(), entries_.end(), [](const IndexEntry& a, const IndexEntry& b) {
    return DisplayOrderLess(a.code, b.code);
  });
}

LookupResult SortedCodes::Lookup(std::string_view code) const {
  const auto at = std::lower_bound(entries_.begin(), entries_.end(), code,
                                   [](const IndexEntry& entry, std::string_view text) {
                                     return DisplayOrderLess(entry.code, text);
                                   });
  const int place = static_cast<int>(at - entries_.begin());
  if (at == entries_.end() || at->code != code) return {"Free", "", std::nullopt, place};
  return At(place);
}

LookupResult SortedCodes::At(int position) const {
  return {"Used", OriginText(entries_[position].origin_tag), position, position};
}

}  // namespace sallowmere
