#pragma once

// The code index: every code of the three tables once, with its origin tag and the repeats, and
// the texts made from them (origin names, the duplicate message). Used by both front ends.

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tables/item_tables.h"
#include "tables/message_text.h"
#include "tables/module1.h"
#include "tables/result.h"

namespace sallowmere {

// The name of the table an origin tag points into: its origin text, "Armor.txt", "Weapon.txt" or
// "Misc.txt".
std::string_view OriginText(int origin_tag);

// Whether the code a person gave, `given`, can be looked up once the spaces around it are gone:
// when it holds a tab, CR or LF, which end a field or a line in every table, an Error of cause
// kUsage, `the code "GIVEN" holds a tab, CR or LF, which no code in a table can hold`.
Result<void> CheckCode(std::string_view given);
// The same for a pattern of codes: `the pattern "GIVEN" holds ...`.
Result<void> CheckPattern(std::string_view given);

// The most bytes of an item's name an index entry keeps; a longer name is cut to this many.
inline constexpr std::size_t kMaxNameBytes = UINT16_MAX;

// One distinct code: where it was first met, and the name of the item there. The code is a view
// into the EntryTexts of the index that made the entry, which live as long as any copy of them;
// the name's bytes follow the code's there; the table's file name is their FileOf(). Kept small:
// a real mod has ten thousand of them.
struct IndexEntry {
  std::string_view code;
  int line;                    // the row's line in its table's file
  std::int16_t origin_tag;     // OriginTag: table base + row index
  std::uint16_t name_size{0};  // the bytes of Name()

  // The name the row gives its item: empty when it gives none.
  std::string_view Name() const { return {code.data() + code.size(), name_size}; }
};

// What an index's entries and reports view: each distinct code's bytes and the three tables'
// file names (as found in the folder), written once while the index is built and shared by its
// copies and by what keeps these.
struct EntryTexts {
  std::shared_ptr<const char[]> bytes;
  PerItemTable<std::string_view> file_names;  // viewing `bytes`

  // The file name of the table `entry` stands in.
  std::string_view FileOf(const IndexEntry& entry) const {
    return file_names[TableOfTag(entry.origin_tag)];
  }

  // Where `entry` stands: "FILE:LINE", as the command line and the window show it.
  std::string PlaceOf(const IndexEntry& entry) const {
    return std::string(FileOf(entry)) + ':' + std::to_string(entry.line);
  }

  // What the window tells of `entry` beside its code: the item's name, if any, over PlaceOf.
  std::string ItemText(const IndexEntry& entry) const {
    return entry.Name().empty() ? PlaceOf(entry)
                                : std::string(entry.Name()) + '\n' + PlaceOf(entry);
  }
};

// A row whose code an earlier row already used. Its texts are views as IndexEntry's are.
struct DuplicateReport {
  std::string_view code;
  std::string_view file;  // where the repeat stands
  int line;
  std::size_t first_entry;  // the entry holding the first use
  int uses;  // the rows that use the code up to this one, this one counted: 2, 3, ...
};

// One row of an item table as the index takes it: its code, the item's name and its line.
struct CodeRow {
  std::string_view code;
  std::string_view name;
  int line;
};

// An item table as the index takes it: the name its file was found under, and its rows in file
// order.
struct TableCodes {
  std::string_view file_name;
  std::vector<CodeRow> rows;
};

class CodeIndex;

// The message for `repeat`, one of `index`'s repeated codes, naming both rows:
//   Error Itemcode: CODE is used for USES items.
//   FILE:LINE, first used at FIRST_FILE:FIRST_LINE
MessageText DuplicateMessage(const CodeIndex& index, const DuplicateReport& repeat);

// Every code of the three tables: one entry per distinct non-empty code in load order (armor,
// weapons, misc, each from its first row), the repeats, and an exact lookup.
class CodeIndex {
 public:
  CodeIndex() = default;

  // Builds the index of the item tables' codes, `tables` by ItemTable; a row's tag is its table's
  // tag base plus its place in `rows`. Codes compare byte for byte, so letter case counts; the
  // first use keeps the entry and every later use is reported, in load order. Empty codes are
  // skipped. The entries' names are empty with ItemNames::kSkip, and cut to kMaxNameBytes.
  static CodeIndex Build(const PerItemTable<TableCodes>& tables, ItemNames names);
  // The same of the tables of `module`'s latest load, with its names or without as it loaded.
  static CodeIndex Build(const Module1& module);

  const std::vector<IndexEntry>& Entries() const { return entries_; }
  const std::vector<DuplicateReport>& Duplicates() const { return duplicates_; }

  // The entry whose code equals `code` exactly, or nullptr (always for the empty text).
  const IndexEntry* Find(std::string_view code) const;

  // What the entries and the reports view: keeping these keeps them valid.
  const EntryTexts& Texts() const { return texts_; }
  std::string_view FileOf(const IndexEntry& entry) const { return texts_.FileOf(entry); }
  std::string PlaceOf(const IndexEntry& entry) const { return texts_.PlaceOf(entry); }

 private:
  void AddTable(ItemTable table, const TableCodes& codes, ItemNames names, char*& free_bytes);

  // The slot of `code` in slots_: the one holding its entry, or the empty one where it would go.
  std::size_t SlotOf(std::string_view code) const;

  EntryTexts texts_;
  std::vector<IndexEntry> entries_;
  std::vector<DuplicateReport> duplicates_;
  std::vector<int> uses_;  // per entry: the rows met so far that use its code
  // An open-addressing table of the entries by code: 0 for an empty slot, else the entry's
  // position plus one. Its size is a power of two at least one and a half times the rows, so a
  // probe is short; it holds no copy of a code and allocates once per build.
  std::vector<std::uint32_t> slots_;
};

}  // namespace sallowmere
