#pragma once

// How a table file is read: by its fixed record layout, or by its header row when the file is a
// later layout of the same table (more columns, the code elsewhere). The loaders choose with
// ReadingOf; the front ends describe a header reading with HeaderReadingText.

#include <optional>
#include <string>
#include <string_view>

#include "tables/record_layout.h"

namespace sallowmere {

// A table read by its header row: only the columns named "code" and "name" are taken from each
// row. Columns are counted from 0, each the first header field that reads its name, ignoring ASCII
// case and surrounding spaces.
struct HeaderReading {
  int code_column;
  int column_count;      // the number of fields of the header row
  int name_column = -1;  // -1 when no header field reads "name": the items have no names
  bool operator==(const HeaderReading&) const = default;
};

// The most data rows a table read by its header may hold. Origin tags are a table base plus the
// row, and the bases lie 10000 apart, so the three tables' tags never overlap.
inline constexpr int kMaxHeaderDataRows = 9999;

// Chooses how the table of `layout` whose first line is `header` is read. The header is split as
// a data row (fields trimmed of spaces) with no limit on its fields. Returns the header reading
// when a field reads "code" (ignoring ASCII case) and either the first such field is not the
// layout's code column or a field at or past the layout's column count is not empty; returns
// std::nullopt, the fixed layout, otherwise. Never fails.
std::optional<HeaderReading> ReadingOf(std::string_view header, const RecordLayout& layout);

// The reading as a phrase: "read by its header row: code in column K of N", K counted from 1 as
// a spreadsheet counts.
std::string HeaderReadingText(const HeaderReading& reading);

// The name `header` gives column `column` (counted from 0), trimmed of spaces; empty when it
// names none.
std::string_view HeaderName(std::string_view header, int column);

}  // namespace sallowmere
