#pragma once

// The display order of the codes and the one lookup ("Used" / "Free" and the table) that the
// window and the CLI share.

#include <optional>
#include <string_view>
#include <vector>

#include "index/code_index.h"

namespace sallowmere {

// True when `a` comes before `b` in display order: by text ignoring ASCII letter case, ties
// broken by byte order. Distinct codes never tie, so "Abc" and "abc" both keep their place and
// the order does not depend on where a sort started.
bool DisplayOrderLess(std::string_view a, std::string_view b);

// The answer to "is this code used, and where": the status and origin texts both front ends show.
struct LookupResult {
  std::string_view status;      // "Used" or "Free"
  std::string_view origin;      // OriginText of the entry, empty when free
  std::optional<int> position;  // the entry's position in the display order, when used
  int place = 0;  // where the code stands, or would stand, in the display order: 0 to the count
};

// The index's entries in display order, the order of the window's code lists: position 0 holds
// the smallest code. The one lookup of the window and the command line.
class SortedCodes {
 public:
  SortedCodes() = default;
  explicit SortedCodes(const CodeIndex& index);

  const std::vector<IndexEntry>& Entries() const { return entries_; }

  std::string_view FileOf(const IndexEntry& entry) const { return texts_.FileOf(entry); }
  std::string PlaceOf(const IndexEntry& entry) const { return texts_.PlaceOf(entry); }
  std::string ItemText(const IndexEntry& entry) const { return texts_.ItemText(entry); }

  // "Used", the origin text and the position of the entry whose code equals `code` exactly
  // (letter case counts); "Free", "" and no position when there is none, always for the empty
  // text. The place is where such an entry stands or would stand.
  LookupResult Lookup(std::string_view code) const;

  // "Used", the origin text and `position` for the entry at `position` (0 to Entries().size() -
  // 1).
  LookupResult At(int position) const;

 private:
  std::vector<IndexEntry> entries_;
  EntryTexts texts_;  // what the entries view, kept for as long as they are
};

}  // namespace sallowmere
