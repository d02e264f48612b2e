#include "tables/table_reading.h"

#include <algorithm>

#include "tables/ascii.h"

namespace sallowmere {

std::optional<HeaderReading> ReadingOf(std::string_view header, const RecordLayout& layout) {
  // Split as SplitRow does: one trailing tab ends the last field without adding an empty one.
  if (!header.empty() && header.back() == '\t') header.remove_suffix(1);
  std::optional<int> code_column;
  bool named_past_record = false;
  int column = 0;
  for (std::size_t start = 0;; ++column) {
    const std::size_t tab = std::min(header.find('\t', start), header.size());
    const std::string_view name = TrimSpaces(header.substr(start, tab - start));
    if (!code_column && EqualIgnoringAsciiCase(name, "code")) code_column = column;
    if (column >= layout.ColumnCount() && !name.empty()) named_past_record = true;
    if (tab == header.size()) break;
    start = tab + 1;
  }
  if (!code_column || (*code_column == layout.CodeColumn() && !named_past_record)) {
    return std::nullopt;
  }
  return HeaderReading{*code_column, column + 1};
}

std::string HeaderReadingText(const HeaderReading& reading) {
  return "read by its header row: code in column " + std::to_string(reading.code_column) + " of " +
         std::to_string(reading.column_count);
}

}  // namespace sallowmere
