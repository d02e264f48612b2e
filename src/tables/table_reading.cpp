#include "tables/table_reading.h"

#include <algorithm>

#include "tables/ascii.h"
#include "tables/row_reader.h"

namespace sallowmere {
namespace {

// Calls `on_field(column, name)` for each field of `header`, split as a data row (names trimmed
// of spaces, one trailing tab ending the last field without adding an empty one), until it
// returns false. Returns the number of fields visited.
template <class OnField>
int ForEachHeaderField(std::string_view header, OnField&& on_field) {
  header = WithoutTrailingTab(header);
  int column = 0;
  for (std::size_t start = 0;; ++column) {
    const std::size_t tab = std::min(header.find('\t', start), header.size());
    if (!on_field(column, TrimSpaces(header.substr(start, tab - start))) || tab == header.size()) {
      return column + 1;
    }
    start = tab + 1;
  }
}

}  // namespace

std::optional<HeaderReading> ReadingOf(std::string_view header, const RecordLayout& layout) {
  std::optional<int> code_column;
  int name_column = -1;
  bool named_past_record = false;
  const int columns = ForEachHeaderField(header, [&](int column, std::string_view name) {
    if (!code_column && EqualIgnoringAsciiCase(name, "code")) code_column = column;
    if (name_column < 0 && EqualIgnoringAsciiCase(name, "name")) name_column = column;
    if (column >= layout.ColumnCount() && !name.empty()) named_past_record = true;
    return true;
  });
  if (!code_column || (*code_column == layout.CodeColumn() && !named_past_record)) {
    return std::nullopt;
  }
  return HeaderReading{*code_column, columns, name_column};
}

std::string HeaderReadingText(const HeaderReading& reading) {
  return "read by its header row: code in column " + std::to_string(reading.code_column + 1) +
         " of " + std::to_string(reading.column_count);
}

std::string_view HeaderName(std::string_view header, int column) {
  std::string_view found;
  ForEachHeaderField(header, [&](int at, std::string_view name) {
    if (at == column) found = name;
    return at < column;
  });
  return found;
}

}  // namespace sallowmere
