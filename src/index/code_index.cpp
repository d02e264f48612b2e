#include "index/code_index.h"

#include <algorithm>
#include <bit>

namespace sallowmere {

std::string_view OriginText(int origin_tag) {
  if (origin_tag >= kMiscBase) return "Misc.txt";
  if (origin_tag >= kWeaponBase) return "Weapon.txt";
  return "Armor.txt";
}

std::optional<std::string> CodeProblem(std::string_view text) {
  if (text.find_first_of("\t\r\n") != std::string_view::npos) {
    return "holds a tab, CR or LF, which no code in a table can hold";
  }
  return std::nullopt;
}

MessageText DuplicateMessage(const DuplicateReport& repeat, const IndexEntry& first) {
  MessageText text;
  text.Table("Error Itemcode: " + repeat.code + " is used for " + std::to_string(repeat.uses) +
             " items.\n");
  text.Path(repeat.file).Table(":" + std::to_string(repeat.line) + ", first used at ");
  return text.Path(first.file).Table(":" + std::to_string(first.line));
}

template <class RecordT>
void CodeIndex::AddTable(const Table<RecordT>& table, int base) {
  for (int row = 0; row <= table.LastRow(); ++row) {
    const std::string_view code = table.Code(row);
    if (code.empty()) continue;
    const int line = table.Line(row);
    // A hash table instead of a scan of the entries keeps the build linear in rows.
    std::uint32_t& slot = slots_[SlotOf(code)];
    if (slot == 0) {
      entries_.push_back(
          {std::string(code), static_cast<std::int16_t>(base + row), table.file_name, line});
      uses_.push_back(1);
      slot = static_cast<std::uint32_t>(entries_.size());
    } else {
      const std::size_t first = slot - 1;
      duplicates_.push_back({std::string(code), table.file_name, line, first, ++uses_[first]});
    }
  }
}

CodeIndex CodeIndex::Build(const Module1& tables) {
  CodeIndex index;
  const std::size_t rows =
      static_cast<std::size_t>(tables.ArmorTable().LastRow() + tables.WeaponTable().LastRow() +
                               tables.MiscTable().LastRow() + 3);
  index.entries_.reserve(rows);
  index.slots_.assign(std::bit_ceil(std::max<std::size_t>(16, 2 * rows)), 0);
  index.uses_.reserve(rows);
  index.AddTable(tables.ArmorTable(), kArmorBase);
  index.AddTable(tables.WeaponTable(), kWeaponBase);
  index.AddTable(tables.MiscTable(), kMiscBase);
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
