#include "tables/module1.h"

#include "tables/table_loader.h"

namespace sallowmere {

void Module1::LoadAllTables(const TableFiles& files) {
  // Read everything first and replace the tables only when all three are read, so a failed load
  // never leaves a mix of old and half-read tables.
  PerItemTable<Table> tables;
  for (std::size_t table = 0; table < tables.size(); ++table) {
    tables[table] =
        LoadTable(static_cast<ItemTable>(table), table_folder_, files[table], read_buffer_, names_);
  }
  tables_ = std::move(tables);
}

std::vector<std::string> Module1::ReadingNotes() const {
  std::vector<std::string> notes;
  for (const Table& table : tables_) {
    if (table.by_header) {
      notes.push_back(table.file_name + ": note: " + HeaderReadingText(*table.by_header));
    }
  }
  return notes;
}

}  // namespace sallowmere
