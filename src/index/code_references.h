#pragma once

// What the window keeps of the places that name codes in a folder's tables: how many name each
// key and the first of them, the tables left out, and the texts the window shows of them.

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "index/reference_scan.h"
#include "tables/message_text.h"

namespace sallowmere {

// The places that name one key, over the whole folder.
struct NamedKey {
  std::size_t count = 0;
  std::vector<Place> first;  // in table, line and column order; at most kShownPlaces
};

class CodeReferences {
 public:
  // The most places of a key kept, and listed in a box.
  static constexpr std::size_t kShownPlaces = 20;

  // No scan: nothing is named, and no text speaks of places.
  CodeReferences() = default;
  // The places of `scan` (made keeping kShownPlaces a key) in `table_folder`, ending in a
  // separator.
  CodeReferences(FolderScan scan, std::string table_folder);

  // Whether a scan was made.
  bool Scanned() const { return scanned_; }

  // The places that name `key`; nullptr when none does.
  const NamedKey* Of(std::string_view key) const;
  bool Names(std::string_view key) const { return Of(key) != nullptr; }

  // What Label4 adds for a used code: "Named in 3 places (KEY)", "Named in 1 place (KEY)", or
  // "Named nowhere else"; KEY is the key that lists them. Empty before a scan.
  std::string UsedText(std::string_view code, std::string_view key) const;

  // What Label4 says of a free code that a place names: "Named at FILE:LINE, HEADER" and, when
  // more do, ", and in N more places", then " (KEY)". Empty when no place names it.
  std::string FreeText(std::string_view code, std::string_view key) const;

  // The box that lists every place that names `code`: how many, each of the first kShownPlaces
  // as "FILE:LINE, HEADER", how many more and the refs command that lists them all, and each
  // table that could not be read.
  MessageText PlacesMessage(std::string_view code) const;

  // "FILE:LINE, HEADER" ("FILE:LINE, column N" when the header names the column not).
  std::string PlaceText(const Place& place) const;

 private:
  // ":LINE, HEADER" (":LINE, column N"): what follows the file's name in PlaceText.
  std::string LineAndHeader(const Place& place) const;

  bool scanned_ = false;
  std::string table_folder_;
  std::vector<ScannedTable> tables_;
  std::unordered_map<std::string, NamedKey, ItemCodes::Hash, std::equal_to<>> named_;
};

}  // namespace sallowmere
