#include "tables/module1.h"

#include "tables/table_loader.h"

namespace sallowmere {

Result<void> Module1::LoadAllTables(const TableFiles& files) {
  // Read everything first and replace the tables only when all three are read, so a failed load
  // never leaves a mix of old and half-read tables.
  PerItemTable<Table> tables;
  for (std::size_t table = 0; table < tables.size(); ++table) {
    Result<Table> read =
        LoadTable(static_cast<ItemTable>(table), table_folder_, files[table], read_buffer_, names_);
    if (!read) return *read.Error();
    tables[table] = std::move(*read);
  }
  tables_ = std::move(tables);
  return {};
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
