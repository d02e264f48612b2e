#pragma once

// Where the tables of a mod's folder name item codes: a field's key, the reference columns of a
// table, and the places that name a code. The command line's refs and the window scan with it.

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "index/code_index.h"
#include "tables/module1.h"

namespace sallowmere {

// What a field names: the field without its surrounding spaces, then without one pair of double
// quotes around it (when it is two bytes or longer), then only what stands before its first
// comma, again without surrounding spaces. Spaces are code 32 only.
std::string_view FieldKey(std::string_view field);

// Why no field's key can be `text`: it is empty, begins or ends with a space, or holds a tab, CR
// or LF. std::nullopt when one can.
std::optional<std::string> KeyProblem(std::string_view text);

// The item codes a scan tells reference columns by, and the lengths a code-shaped key may have.
class ItemCodes {
 public:
  ItemCodes() = default;
  // Every code of `index`, or each of `codes` (repeats and empty texts are skipped).
  explicit ItemCodes(const CodeIndex& index);
  explicit ItemCodes(const std::vector<std::string>& codes);

  // Whether `key` is one of the codes, byte for byte.
  bool Contains(std::string_view key) const;

  // Whether `key` is code-shaped: not empty, no space, and as long as the shortest code or the
  // longest or anything between. No key is code-shaped when there are no codes.
  bool Shaped(std::string_view key) const;

  std::size_t Count() const { return codes_.size(); }

 private:
  void Add(std::string_view code);

  struct Hash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const {
      return std::hash<std::string_view>{}(text);
    }
  };
  std::unordered_set<std::string, Hash, std::equal_to<>> codes_;
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

// Calls with a place and the key of its field, in the order of the places.
using OnPlace = std::function<void(std::string_view key, const Place& place)>;

// Which codes a scan gives the places of: only those in `codes`, or, when std::nullopt, every
// key that a place holds.
using WantedKeys = std::optional<std::vector<std::string>>;

// The scan of one table's text, given in pieces of whole lines. The reference columns are known
// once the whole text was fed.
class TableScan {
 public:
  // A table whose item codes are `codes`; `code_column` (from 0) is where an item table's rows
  // hold their own codes, -1 for a table of no items. With `wanted`, the places of those keys are
  // kept while the text is fed (PlacesOfWanted); without, Places reads the text again.
  TableScan(const ItemCodes& codes, int code_column, const WantedKeys& wanted);
  ~TableScan();
  TableScan(const TableScan&) = delete;
  TableScan& operator=(const TableScan&) = delete;

  // Reads the next piece (the first begins the file: a UTF-8 byte-order mark there is skipped).
  void Feed(std::string_view piece);

  // The reference columns, in column order, with their header names; after the last piece.
  std::vector<ReferenceColumn> ReferenceColumns() const;

  // The places kept while feeding whose columns are reference columns, in order, as `on_place`
  // is called: with each place's key. Only with wanted keys.
  void PlacesOfWanted(std::uint32_t table, const OnPlace& on_place) const;

  // The text once more, in pieces as fed before, for the places of every key in a reference
  // column; `on_place` is called for each, in order. The place's table is `table`.
  void Places(std::string_view piece, std::uint32_t table, const OnPlace& on_place);

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
std::array<ItemTableColumn, 3> ItemTableColumns(const Module1& module);

// Scans every table of `table_folder` (a folder ending in a separator: every regular file in it,
// or link to one, whose name ends in ".txt" ignoring ASCII case), in byte order of their names.
// Calls `on_place` for each place that names a wanted key, in order. Returns the tables, a table
// that could not be read with why. Never throws for a table's bytes or a file that changes.
std::vector<ScannedTable> ScanFolder(const std::string& table_folder, const ItemCodes& codes,
                                     const std::array<ItemTableColumn, 3>& item_tables,
                                     const WantedKeys& wanted, const OnPlace& on_place);

}  // namespace sallowmere
