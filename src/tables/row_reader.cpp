#include "tables/row_reader.h"

#include <algorithm>
#include <bit>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif
#include <string>

#include "tables/ascii.h"
#include "tables/error.h"
#include "tables/tab_search.h"

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

namespace {

// A field's text without its surrounding spaces; most fields have none, which two tests tell.
inline std::string_view Field(const char* start, const char* end) {
  const std::string_view text(start, static_cast<std::size_t>(end - start));
  if (text.empty() || (text.front() != ' ' && text.back() != ' ')) return text;
  return TrimSpaces(text);
}

}  // namespace

std::string_view WithoutTrailingTab(std::string_view line) {
  if (!line.empty() && line.back() == '\t') line.remove_suffix(1);
  return line;
}

bool SplitRow(std::string_view line, RowFields& fields) {
  line = WithoutTrailingTab(line);
  const char* const end = line.data() + line.size();
  const char* start = line.data();
  int count = 0;
  const bool fits = ForEachTab(start, end, [&](const char* stop) {
    if (count == RowFields::kCapacity) return false;
    fields.fields_[count++] = Field(start, stop);
    start = stop + 1;
    return true;
  });
  if (!fits || count == RowFields::kCapacity) return false;
  fields.fields_[count++] = Field(start, end);
  fields.count_ = count;
  return true;
}

namespace {

// The number of tabs in [from, end).
std::size_t CountTabs(const char* from, const char* end) {
  std::size_t count = 0;
#ifdef __SSE2__
  // Sixteen bytes at a time, into sixteen byte-wide counters (a compare gives -1 for a tab),
  // summed before any of them can overflow.
  const __m128i tab = _mm_set1_epi8('\t');
  while (end - from >= 16) {
    const char* const stop = from + std::min<std::ptrdiff_t>((end - from) / 16, 255) * 16;
    __m128i counts = _mm_setzero_si128();
    for (; from != stop; from += 16) {
      const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from));
      counts = _mm_sub_epi8(counts, _mm_cmpeq_epi8(chunk, tab));
    }
    const __m128i sums = _mm_sad_epu8(counts, _mm_setzero_si128());
    count += static_cast<std::size_t>(_mm_cvtsi128_si32(sums)) +
             static_cast<std::size_t>(_mm_extract_epi16(sums, 4));
  }
#endif
  for (; from != end; ++from) count += *from == '\t';
  return count;
}

}  // namespace

bool FieldsOfRow(std::string_view line, std::array<int, 2> columns,
                 std::array<std::string_view, 2>& fields) {
  line = WithoutTrailingTab(line);
  const char* const end = line.data() + line.size();
  fields = {};
  // The wanted fields in column order, each reached from the one before.
  const bool swapped = columns[1] < columns[0];
  const int near = swapped ? columns[1] : columns[0];
  const int far = swapped ? columns[0] : columns[1];
  const char* start = line.data();  // where field `column` begins
  int column = 0;
  // Moves `start` to the beginning of field `wanted`; false when the row ends before it. The
  // fields on the way are a few bytes each: their tabs are found as the split finds them, rather
  // than by a library search per field.
  const auto reach = [&](int wanted) {
    if (wanted > column) {
      ForEachTab(start, end, [&](const char* tab) {
        start = tab + 1;
        return ++column < wanted;
      });
    }
    return column == wanted;
  };
  const auto field_end = [&] {
    const char* stop = start;
    while (stop != end && *stop != '\t') ++stop;
    return stop;
  };
  if (near >= 0) {
    // The row ends before the column: its fields are its tabs plus one, and the field is empty.
    if (!reach(near)) return column + 1 <= RowFields::kCapacity;
    fields[swapped ? 1 : 0] = Field(start, field_end());
  }
  if (!reach(std::max(far, 0))) return column + 1 <= RowFields::kCapacity;
  const char* const stop = field_end();
  if (far >= 0) fields[swapped ? 0 : 1] = Field(start, stop);
  // The fields are the tabs plus one; those before `stop` are `column`. The rest of the row holds
  // no more tabs than bytes, so a row too short to reach the limit need not be searched at all.
  if (column >= RowFields::kCapacity) return false;
  const auto rest = static_cast<std::size_t>(end - stop);
  const auto most = static_cast<std::size_t>(RowFields::kCapacity - 1 - column);
  return rest <= most || CountTabs(stop, end) <= most;
}

bool FieldOfRow(std::string_view line, int column, std::string_view& field) {
  std::array<std::string_view, 2> fields;
  const bool fits = FieldsOfRow(line, {column, -1}, fields);
  field = fields[0];
  return fits;
}

RowStream::RowStream(std::string_view file_name, HeaderHandler on_header, RowHandler on_row)
    : file_name_(file_name), on_header_(std::move(on_header)), on_row_(std::move(on_row)) {}

Result<void> RowStream::Feed(std::string_view piece) {
  if (lines_ == 0 && IsUtf16Text(piece)) {
    return Error(file_name_, 1, ErrorCause::kReadError, std::string(kUtf16Detail));
  }
  LineReader lines(piece, lines_);
  std::string_view line;
  while (lines.Next(line)) {
    if (lines.LineNumber() == 1) {
      if (on_header_) on_header_(line);
      continue;
    }
    if (line.empty()) continue;
    // The row is split before it is stored, so its own fault comes first.
    std::array<std::string_view, 2> kept;
    if (keep_fields_ ? !FieldsOfRow(line, kept_columns_, kept) : !SplitRow(line, fields_)) {
      return Error(file_name_, lines.LineNumber(), ErrorCause::kTooManyFields,
                   "the row has more than " + std::to_string(RowFields::kCapacity) + " fields");
    }
    if (++rows_ > max_rows_) {
      return Error(file_name_, lines.LineNumber(), ErrorCause::kTooManyRows,
                   "the table has more than " + std::to_string(max_rows_) + " data rows");
    }
    if (keep_fields_) {
      on_fields_(lines.LineNumber(), kept[0], kept[1]);
    } else if (Result<void> read = on_row_(lines.LineNumber(), fields_); !read) {
      return read;
    }
  }
  lines_ = lines.LineNumber();
  return {};
}

}  // namespace sallowmere
