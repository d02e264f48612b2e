#include "tables/row_reader.h"

#include <string>

#include "tables/load_error.h"

namespace sallowmere {

bool LineReader::Next(std::string_view& line) {
  if (rest_.empty()) return false;
  const std::size_t end = rest_.find_first_of("\r\n");
  ++line_number_;
  if (end == std::string_view::npos) {
    line = rest_;
    rest_ = {};
    return true;
  }
  line = rest_.substr(0, end);
  std::size_t skip = 1;
  if (rest_[end] == '\r' && end + 1 < rest_.size() && rest_[end + 1] == '\n') skip = 2;
  rest_.remove_prefix(end + skip);
  return true;
}

namespace {

std::string_view TrimSpaces(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  const std::size_t last = text.find_last_not_of(' ');
  return text.substr(first, last - first + 1);
}

}  // namespace

bool SplitRow(std::string_view line, RowFields& fields) {
  // A line that does not end in a tab is read as if it did, so its last field is kept; a line
  // that does end in one keeps only the fields before it.
  if (!line.empty() && line.back() == '\t') line.remove_suffix(1);
  int count = 0;
  while (true) {
    if (count == RowFields::kCapacity) return false;
    const std::size_t tab = line.find('\t');
    fields.fields_[count++] = TrimSpaces(line.substr(0, tab));
    if (tab == std::string_view::npos) break;
    line.remove_prefix(tab + 1);
  }
  fields.count_ = count;
  return true;
}

void ReadRows(std::string_view text, std::string_view file_name,
              const std::function<void(int line, const RowFields& fields)>& on_row) {
  if (text.starts_with("\xFF\xFE") || text.starts_with("\xFE\xFF")) {
    throw LoadError(std::string(file_name), 1, LoadCause::kReadError,
                    "the file is UTF-16 text; save it as 8-bit text");
  }
  LineReader lines(text);
  std::string_view line;
  if (!lines.Next(line)) return;  // an empty file: no header, no rows
  RowFields fields;
  int rows = 0;
  while (lines.Next(line)) {
    if (line.empty()) continue;
    if (++rows > kMaxDataRows) {
      throw LoadError(std::string(file_name), lines.LineNumber(), LoadCause::kTooManyRows,
                      "the table has more than " + std::to_string(kMaxDataRows) + " data rows");
    }
    if (!SplitRow(line, fields)) {
      throw LoadError(std::string(file_name), lines.LineNumber(), LoadCause::kTooManyFields,
                      "the row has more than " + std::to_string(RowFields::kCapacity) + " fields");
    }
    on_row(lines.LineNumber(), fields);
  }
}

}  // namespace sallowmere
