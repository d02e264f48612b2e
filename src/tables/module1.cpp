#include "tables/module1.h"

#include "tables/table_loader.h"

namespace sallowmere {

void Module1::LoadAllTables(const TableFiles& files) {
  // Read everything first and replace the tables only when all three are read, so a failed load
  // never leaves a mix of old and half-read tables.
  Table<ArmorRecord> armor = LoadArmorTable(table_folder_, files.armor, read_buffer_, names_);
  Table<WeaponRecord> weapons = LoadWeaponTable(table_folder_, files.weapons, read_buffer_, names_);
  Table<MiscRecord> misc = LoadMiscTable(table_folder_, files.misc, read_buffer_, names_);
  armor_table_ = std::move(armor);
  weapon_table_ = std::move(weapons);
  misc_table_ = std::move(misc);
}

namespace {

template <class RecordT>
void AddReadingNote(const Table<RecordT>& table, std::vector<std::string>& notes) {
  if (table.by_header) {
    notes.push_back(table.file_name + ": note: " + HeaderReadingText(*table.by_header));
  }
}

}  // namespace

std::vector<std::string> Module1::ReadingNotes() const {
  std::vector<std::string> notes;
  AddReadingNote(armor_table_, notes);
  AddReadingNote(weapon_table_, notes);
  AddReadingNote(misc_table_, notes);
  return notes;
}

}  // namespace sallowmere
