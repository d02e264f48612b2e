#pragma once

// Where the tables of a mod's folder name item codes: a field's key, the reference columns of a
// table, and the places that name a code. The command line's refs and the window scan with it.

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "index/code_index.h"
#include "index/packed_keys.h"
#include "tables/module1.h"

namespace sallowmere {

// What a field names: the field without its surrounding spaces, then without one pair of double
// quotes around it (when it is two bytes or longer), then only what stands before its first
// comma, again without surrounding spaces. Spaces are code 32 only.
std::string_view FieldKey(std::string_view field);

// Whether the code a person gave, `given`, can be some field's key once the spaces around it are
// gone: as CheckCode, and an Error of cause kUsage, `the code "GIVEN" is empty, and no field names
// the empty text`, when nothing is left.
Result<void> CheckKey(std::string_view given);

// The item codes a scan tells reference columns by, and the lengths a code-shaped key may have.
class ItemCodes {
 public:
  ItemCodes() = default;
  // The codes of `entries` (an index's, in any order), or each of `codes` (repeats and empty
  // texts are skipped).
  explicit ItemCodes(std::span<const IndexEntry> entries);
  explicit ItemCodes(const std::vector<std::string>& codes);

  // Whether `key` is one of the codes, byte for byte.
  bool Contains(std::string_view key) const;

  // Whether `key` is code-shaped: not empty, no space, and as long as the shortest code or the
  // longest or anything between. No key is code-shaped when there are no codes.
  bool Shaped(std::string_view key) const;

  std::size_t Count() const { return count_; }

  // Where the code `key` (of at most kMostPackedBytes, packed) stands among the short codes, from
  // 0 to ShortSlots() - 1: each short code has its own. KeySet::kNone when it is no code.
  std::size_t SlotOfShort(PackedKey key) const { return short_codes_.SlotOf(key); }
  std::size_t ShortSlots() const { return short_codes_.Slots(); }

  // The hash of texts that looks up a std::string by a std::string_view.
  struct Hash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const {
      return std::hash<std::string_view>{}(text);
    }
  };

 private:
  void Add(std::string_view code);

  KeySet short_codes_;                                            // codes of up to 7 bytes
  std::unordered_set<std::string, Hash, std::equal_to<>> codes_;  // the longer ones
  std::size_t count_ = 0;
  std::size_t shortest_ = 1;
  std::size_t longest_ = 0;
};

// A place that names a code: the table (its position in the scan's list of tables), the line
// (from 1, the header being line 1) and the column (from 1).
struct Place {
  std::uint32_t table;
  std::int32_t line;
  std::int32_t column;
  bool operator==(const Place&) const = default;
};

// A column of a table whose fields name item codes, and what the table's header calls it.
struct ReferenceColumn {
  int column;          // from 1
  std::string header;  // the header's field at the column, trimmed of spaces; may be empty
  bool operator==(const ReferenceColumn&) const = default;
};

// One table of the folder as the scan read it.
struct ScannedTable {
  std::string file_name;  // as the folder lists it
  // Why the table could not be read ("read error: ...", "file too large: ..."); the scan then
  // knows nothing of it. Empty when it was read.
  std::string left_out;
  std::vector<ReferenceColumn> reference_columns;  // in column order

  // The header's name of `column` (from 1) when it is a reference column; empty otherwise.
  std::string_view HeaderOf(int column) const;
};

// The places of one table that name one key: how many, and the first of them in order.
struct KeyPlaces {
  std::string key;
  std::size_t count = 0;
  std::vector<Place> first;  // at most as many as the scan keeps of a key
};

// Which codes a scan gives the places of: only those in `codes` (each once), or, when
// std::nullopt, every key that a place holds.
using WantedKeys = std::optional<std::vector<std::string>>;

// The scan of one table's text, given in pieces of whole lines. The reference columns are known
// once the whole text was fed.
class TableScan {
 public:
  // A table whose item codes are `codes`; `code_column` (from 0) is where an item table's rows
  // hold their own codes, -1 for a table of no items. The places found are the `table`-th's, and
  // of each key the first `most_places` are kept. With `wanted`, the places of those keys are
  // kept while the text is fed; without, those of every code-shaped key, and CollectPlaces
  // finds the others when NeedsSecondReading.
  TableScan(const ItemCodes& codes, int code_column, const WantedKeys& wanted, std::uint32_t table,
            std::size_t most_places);
  ~TableScan();
  TableScan(const TableScan&) = delete;
  TableScan& operator=(const TableScan&) = delete;

  // Reads the next piece (the first begins the file, after any byte-order mark).
  void Feed(std::string_view piece);

  // The reference columns, in column order, with their header names; after the last piece.
  std::vector<ReferenceColumn> ReferenceColumns() const;

  // Whether the places need the text once more (CollectPlaces): only without wanted keys, and
  // then only when a reference column holds keys that are not code-shaped, or the table holds
  // over a million places.
  bool NeedsSecondReading() const;

  // The text once more, in pieces as fed before, for the places the first reading did not keep.
  void CollectPlaces(std::string_view piece);

  // The places found in reference columns, key by key (in no particular order of keys).
  std::vector<KeyPlaces> TakePlaces();

 private:
  class Impl;
  std::unique_ptr<Impl> impl_;
};

// The table `text` of no items (or of items whose own codes stand in `code_column`, from 0) as the
// scan reads it: its reference columns and, in order, the places that name any key.
struct TextScan {
  std::vector<ReferenceColumn> reference_columns;
  std::vector<std::pair<std::string, Place>> places;  // key and place; the table is 0
};
TextScan ScanTableText(std::string_view text, const ItemCodes& codes, int code_column = -1);

// Where an item table's rows hold their codes: the name it was read under and the column (from 0).
struct ItemTableColumn {
  std::string file_name;
  int code_column;
};

// The item tables of `module`'s latest load, armor, weapons and misc.
PerItemTable<ItemTableColumn> ItemTableColumns(const Module1& module);

// What a folder's scan found: its tables, and per table the places of each key it names.
struct FolderScan {
  std::vector<ScannedTable> tables;            // in byte order of their names
  std::vector<std::vector<KeyPlaces>> places;  // per table, as TakePlaces gives them
};

// Scans every table of `table_folder` (a folder ending in a separator: every regular file in it,
// or link to one, whose name ends in ".txt" ignoring ASCII case) for the places that name a
// wanted key, keeping the first `most_places` of each key in each table. A table that cannot be
// read is left out, with why. Two tables are read at a time where the machine has the cores.
// Never throws for a table's bytes or a file that changes meanwhile.
FolderScan ScanFolder(const std::string& table_folder, const ItemCodes& codes,
                      const PerItemTable<ItemTableColumn>& item_tables, const WantedKeys& wanted,
                      std::size_t most_places = SIZE_MAX);
// The same over `table_names`, the folder's tables as ListTableNames gave them, which spares a
// listing of the folder.
FolderScan ScanFolder(const std::string& table_folder, std::vector<std::string> table_names,
                      const ItemCodes& codes, const PerItemTable<ItemTableColumn>& item_tables,
                      const WantedKeys& wanted, std::size_t most_places = SIZE_MAX);

}  // namespace sallowmere
