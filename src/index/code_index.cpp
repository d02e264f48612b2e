#include "index/code_index.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "tables/row_reader.h"
#include "tables/table_reading.h"

namespace sallowmere {

// A tag's band names its table only while no table holds more rows than a band is wide, and
// every tag fits the tag's 16 bits.
static_assert(kItemTables[kArmor].tag_base == 0);
static_assert(kMaxDataRows <= kMaxHeaderDataRows &&
              kMaxHeaderDataRows <= kItemTables[kWeapons].tag_base - kItemTables[kArmor].tag_base &&
              kMaxHeaderDataRows <= kItemTables[kMisc].tag_base - kItemTables[kWeapons].tag_base);
static_assert(kItemTables[kMisc].tag_base + kMaxHeaderDataRows - 1 <= INT16_MAX);

std::string_view OriginText(int origin_tag) {
  return kItemTables[TableOfTag(origin_tag)].origin_text;
}

namespace {

Result<void> CheckCodeText(std::string_view role, std::string_view given) {
  if (given.find_first_of("\t\r\n") == std::string_view::npos) return {};
  return Error::InArgument(role, given, "holds a tab, CR or LF, which no code in a table can hold");
}

}  // namespace

Result<void> CheckCode(std::string_view given) { return CheckCodeText("code", given); }

Result<void> CheckPattern(std::string_view given) { return CheckCodeText("pattern", given); }

MessageText DuplicateMessage(const CodeIndex& index, const DuplicateReport& repeat) {
  const IndexEntry& first = index.Entries()[repeat.first_entry];
  MessageText text;
  text.Table("Error Itemcode: " + std::string(repeat.code) + " is used for " +
             std::to_string(repeat.uses) + " items.\n");
  text.Path(repeat.file).Table(":" + std::to_string(repeat.line) + ", first used at ");
  return text.Path(index.FileOf(first)).Table(":" + std::to_string(first.line));
}

namespace {

// Copies `text` to `free_bytes`, moves it past the copy, and returns a view of the copy.
std::string_view CopyTo(char*& free_bytes, std::string_view text) {
  if (!text.empty()) std::memcpy(free_bytes, text.data(), text.size());
  const std::string_view copy(free_bytes, text.size());
  free_bytes += text.size();
  return copy;
}

}  // namespace

void CodeIndex::AddTable(ItemTable table, const TableCodes& codes, ItemNames names,
                         char*& free_bytes) {
  const std::string_view file = CopyTo(free_bytes, codes.file_name);
  texts_.file_names[table] = file;
  const int base = kItemTables[table].tag_base;
  for (std::size_t row = 0; row < codes.rows.size(); ++row) {
    const CodeRow& of = codes.rows[row];
    if (of.code.empty()) continue;
    // A hash table instead of a scan of the entries keeps the build linear in rows.
    std::uint32_t& slot = slots_[SlotOf(of.code)];
    if (slot == 0) {
      const std::string_view name =
          names == ItemNames::kKeep ? of.name.substr(0, kMaxNameBytes) : std::string_view();
      entries_.push_back({CopyTo(free_bytes, of.code), of.line,
                          static_cast<std::int16_t>(base + static_cast<int>(row)),
                          static_cast<std::uint16_t>(CopyTo(free_bytes, name).size())});
      uses_.push_back(1);
      slot = static_cast<std::uint32_t>(entries_.size());
    } else {
      const std::size_t first = slot - 1;
      duplicates_.push_back({entries_[first].code, file, of.line, first, ++uses_[first]});
    }
  }
}

CodeIndex CodeIndex::Build(const PerItemTable<TableCodes>& tables, ItemNames names) {
  CodeIndex index;
  std::size_t rows = 0;
  std::size_t bytes = 0;  // a bound on what the index keeps: every code, name and file name
  for (const TableCodes& table : tables) {
    rows += table.rows.size();
    bytes += table.file_name.size();
    for (const CodeRow& row : table.rows) bytes += row.code.size() + row.name.size();
  }
  index.entries_.reserve(rows);
  index.slots_.assign(std::bit_ceil(std::max<std::size_t>(16, rows + rows / 2)), 0);
  index.uses_.reserve(rows);
  // The bytes are not cleared: only what is written is ever touched.
  std::shared_ptr<char[]> storage(new char[bytes]);
  char* free_bytes = storage.get();
  for (std::size_t table = 0; table < tables.size(); ++table) {
    index.AddTable(static_cast<ItemTable>(table), tables[table], names, free_bytes);
  }
  index.texts_.bytes = std::move(storage);
  return index;
}

CodeIndex CodeIndex::Build(const Module1& module) {
  PerItemTable<TableCodes> tables;
  for (std::size_t table = 0; table < tables.size(); ++table) {
    const Table& loaded = module.Tables()[table];
    tables[table].file_name = loaded.file_name;
    tables[table].rows.reserve(static_cast<std::size_t>(loaded.LastRow() + 1));
    for (int row = 0; row <= loaded.LastRow(); ++row) {
      const auto [code, name] = loaded.CodeAndName(row);
      tables[table].rows.push_back({code, name, loaded.Line(row)});
    }
  }
  return Build(tables, module.Names());
}

std::size_t CodeIndex::SlotOf(std::string_view code) const {
  const std::size_t mask = slots_.size() - 1;
  std::size_t at = std::hash<std::string_view>{}(code)&mask;
  while (slots_[at] != 0 && entries_[slots_[at] - 1].code != code) at = (at + 1) & mask;
  return at;
}

const IndexEntry* CodeIndex::Find(std::string_view code) const {
  if (slots_.empty()) return nullptr;
  const std::uint32_t slot = slots_[SlotOf(code)];
  return slot == 0 ? nullptr : &entries_[slot - 1];
}

}  // namespace sallowmere
