#include "index/code_index.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "tables/row_reader.h"
#include "tables/table_reading.h"

namespace sallowmere {

// A tag's band names its table only while no table holds more rows than a band is wide, and
// every tag fits the tag's 16 bits.
static_assert(kMaxHeaderDataRows <= kWeaponBase - kArmorBase &&
              kMaxHeaderDataRows <= kMiscBase - kWeaponBase && kMaxDataRows <= kMaxHeaderDataRows);
static_assert(kMiscBase + kMaxHeaderDataRows - 1 <= INT16_MAX);

int TableOfTag(int origin_tag) {
  if (origin_tag >= kMiscBase) return 2;
  if (origin_tag >= kWeaponBase) return 1;
  return 0;
}

std::string_view OriginText(int origin_tag) {
  static constexpr std::array<std::string_view, 3> kNames = {"Armor.txt", "Weapon.txt", "Misc.txt"};
  return kNames[TableOfTag(origin_tag)];
}

std::optional<std::string> CodeProblem(std::string_view text) {
  if (text.find_first_of("\t\r\n") != std::string_view::npos) {
    return "holds a tab, CR or LF, which no code in a table can hold";
  }
  return std::nullopt;
}

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

template <class RecordT>
void CodeIndex::AddTable(const Table<RecordT>& table, int base, ItemNames names,
                         char*& free_bytes) {
  const std::string_view file = CopyTo(free_bytes, table.file_name);
  texts_.file_names[TableOfTag(base)] = file;
  for (int row = 0; row <= table.LastRow(); ++row) {
    const auto [code, full_name] = table.CodeAndName(row);
    if (code.empty()) continue;
    const int line = table.Line(row);
    // A hash table instead of a scan of the entries keeps the build linear in rows.
    std::uint32_t& slot = slots_[SlotOf(code)];
    if (slot == 0) {
      const std::string_view name =
          names == ItemNames::kKeep ? full_name.substr(0, kMaxNameBytes) : std::string_view();
      entries_.push_back({CopyTo(free_bytes, code), line, static_cast<std::int16_t>(base + row),
                          static_cast<std::uint16_t>(CopyTo(free_bytes, name).size())});
      uses_.push_back(1);
      slot = static_cast<std::uint32_t>(entries_.size());
    } else {
      const std::size_t first = slot - 1;
      duplicates_.push_back({entries_[first].code, file, line, first, ++uses_[first]});
    }
  }
}

CodeIndex CodeIndex::Build(const Module1& tables) {
  CodeIndex index;
  const std::size_t rows =
      static_cast<std::size_t>(tables.ArmorTable().LastRow() + tables.WeaponTable().LastRow() +
                               tables.MiscTable().LastRow() + 3);
  index.entries_.reserve(rows);
  index.slots_.assign(std::bit_ceil(std::max<std::size_t>(16, rows + rows / 2)), 0);
  index.uses_.reserve(rows);
  // A table's string bytes hold each of its codes and names, so with the file names they bound
  // what the index keeps; the bytes are not cleared, and only what is written is ever touched.
  std::size_t bytes = 0;
  for (const auto* table :
       {&tables.ArmorTable().values, &tables.WeaponTable().values, &tables.MiscTable().values}) {
    bytes += table->strings.size();
  }
  bytes += tables.ArmorTable().file_name.size() + tables.WeaponTable().file_name.size() +
           tables.MiscTable().file_name.size();
  std::shared_ptr<char[]> storage(new char[bytes]);
  char* free_bytes = storage.get();
  index.AddTable(tables.ArmorTable(), kArmorBase, tables.Names(), free_bytes);
  index.AddTable(tables.WeaponTable(), kWeaponBase, tables.Names(), free_bytes);
  index.AddTable(tables.MiscTable(), kMiscBase, tables.Names(), free_bytes);
  index.texts_.bytes = std::move(storage);
  return index;
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
