#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "index/code_index.h"

namespace sallowmere {

// True when `a` comes before `b` in display order: by text ignoring ASCII letter case, ties
// broken by byte order. Distinct codes never tie, so "Abc" and "abc" both keep their place and
// the order does not depend on where a sort started.
bool DisplayOrderLess(std::string_view a, std::string_view b);

// The index's entries in display order, the order of the window's code lists: position 0 holds
// the smallest code.
class SortedCodes {
 public:
  SortedCodes() = default;
  explicit SortedCodes(const CodeIndex& index);

  const std::vector<IndexEntry>& Entries() const { return entries_; }

  // The position of the entry whose code equals `code` exactly (letter case counts), or
  // std::nullopt; always std::nullopt for the empty text.
  std::optional<int> PositionOf(std::string_view code) const;

 private:
  std::vector<IndexEntry> entries_;
};

}  // namespace sallowmere
