#include "tables/row_reader.h"

#include <cstring>
#include <string>

#include "tables/ascii.h"
#include "tables/load_error.h"

namespace sallowmere {

const char* LineReader::NextOf(char byte, const char* from, const char*& known) const {
  if (known == nullptr || known < from) {
    const void* found = std::memchr(from, byte, static_cast<std::size_t>(end_ - from));
    known = found != nullptr ? static_cast<const char*>(found) : end_;
  }
  return known;
}

bool LineReader::Next(std::string_view& line) {
  if (begin_ == end_) return false;
  ++line_number_;
  // Two bulk searches, for CR and for LF, each answer kept until the reading passes it: a search
  // for "either byte" would test every byte against a set, and a fresh search per line would scan
  // to the far end of a file that has no CR at all, once for every line.
  const char* const cr = NextOf('\r', begin_, next_cr_);
  const char* const lf = NextOf('\n', begin_, next_lf_);
  const char* const stop = cr < lf ? cr : lf;
  line = std::string_view(begin_, static_cast<std::size_t>(stop - begin_));
  begin_ = stop;
  if (begin_ != end_) ++begin_;
  if (stop == cr && begin_ != end_ && *begin_ == '\n') ++begin_;
  return true;
}

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

std::string_view HeaderLine(std::string_view text) {
  LineReader lines(text);
  std::string_view header;
  lines.Next(header);
  return header;
}

void ReadRows(std::string_view text, std::string_view file_name,
              const std::function<void(int line, const RowFields& fields)>& on_row, int max_rows) {
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
    // The row is split before it is stored, so its own fault comes first.
    if (!SplitRow(line, fields)) {
      throw LoadError(std::string(file_name), lines.LineNumber(), LoadCause::kTooManyFields,
                      "the row has more than " + std::to_string(RowFields::kCapacity) + " fields");
    }
    if (++rows > max_rows) {
      throw LoadError(std::string(file_name), lines.LineNumber(), LoadCause::kTooManyRows,
                      "the table has more than " + std::to_string(max_rows) + " data rows");
    }
    on_row(lines.LineNumber(), fields);
  }
}

}  // namespace sallowmere
