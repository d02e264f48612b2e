#include "tables/row_reader.h"

#include <cstring>
#include <string>

#include "tables/load_error.h"

namespace sallowmere {

bool LineReader::Next(std::string_view& line) {
  if (rest_.empty()) return false;
  ++line_number_;
  // Two bulk searches: for CR, then for LF before it. A search for "either byte" would test
  // every byte against a set, which is many times slower on long lines.
  const char* const begin = rest_.data();
  const auto* cr = static_cast<const char*>(std::memchr(begin, '\r', rest_.size()));
  const std::size_t before_cr = cr != nullptr ? static_cast<std::size_t>(cr - begin) : rest_.size();
  const auto* lf = static_cast<const char*>(std::memchr(begin, '\n', before_cr));
  const char* const end = lf != nullptr ? lf : cr;
  if (end == nullptr) {
    line = rest_;
    rest_ = {};
    return true;
  }
  const std::size_t length = static_cast<std::size_t>(end - begin);
  line = rest_.substr(0, length);
  std::size_t skip = 1;
  if (*end == '\r' && length + 1 < rest_.size() && end[1] == '\n') skip = 2;
  rest_.remove_prefix(length + skip);
  return true;
}

namespace {

std::string_view TrimSpaces(std::string_view text) {
  std::size_t first = 0;
  std::size_t last = text.size();
  while (first < last && text[first] == ' ') ++first;
  while (last > first && text[last - 1] == ' ') --last;
  return text.substr(first, last - first);
}

}  // namespace

bool SplitRow(std::string_view line, RowFields& fields) {
  // A line that does not end in a tab is read as if it did, so its last field is kept; a line
  // that does end in one keeps only the fields before it.
  if (!line.empty() && line.back() == '\t') line.remove_suffix(1);
  // Fields are a few bytes long: a plain loop beats a library search call per field.
  const char* const end = line.data() + line.size();
  const char* start = line.data();
  int count = 0;
  for (const char* at = start;; ++at) {
    if (at == end || *at == '\t') {
      if (count == RowFields::kCapacity) return false;
      fields.fields_[count++] =
          TrimSpaces(std::string_view(start, static_cast<std::size_t>(at - start)));
      if (at == end) break;
      start = at + 1;
    }
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
