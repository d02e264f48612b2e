#pragma once

// Finding the tabs of a line sixteen bytes at a time, and the fields of whole lines: the row
// reader's split and the reference scan's walk over every field of a folder's tables.

#include <bit>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace sallowmere {

// Calls `on_tab` with the place of each tab in [at, end), in order, until it returns false;
// returns false when it did. The plain loop: what ForEachTab does, byte by byte.
template <class OnTab>
inline bool ForEachTabPlain(const char* at, const char* end, OnTab&& on_tab) {
  for (; at != end; ++at) {
    if (*at == '\t' && !on_tab(at)) return false;
  }
  return true;
}

// ForEachTabPlain, sixteen bytes at a time where SSE2 is there: one compare gives a bit per tab,
// lowest bit first; the last bytes go to the plain loop. Fields are a few bytes long, so this
// beats both the plain loop and a library search per field.
template <class OnTab>
inline bool ForEachTab(const char* at, const char* end, OnTab&& on_tab) {
#ifdef __SSE2__
  const __m128i tab = _mm_set1_epi8('\t');
  for (; end - at >= 16; at += 16) {
    const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
    for (auto tabs = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(chunk, tab)));
         tabs != 0; tabs &= tabs - 1) {
      if (!on_tab(at + std::countr_zero(tabs))) return false;
    }
  }
#endif
  return ForEachTabPlain(at, end, on_tab);
}

// Walks whole lines of a table's text, `line` being the number of the first (counted on as lines
// end): calls `on_field(line, column, begin, end)` for each field that is not empty, columns
// counting from 1, and `on_line_end(line)` at the end of each line, an empty one too. A line ends
// at CR, LF or CR LF; text after the last line end is a last line. One pass over the bytes finds
// tabs and line ends together, sixteen bytes at a time where SSE2 is there.
template <class OnField, class OnLineEnd>
inline void WalkFields(const char* begin, const char* end, int& line, OnField&& on_field,
                       OnLineEnd&& on_line_end) {
  const char* field = begin;       // where the current field begins
  const char* line_start = begin;  // where the current line begins
  int column = 1;
  const auto delimiter = [&](const char* at) {
    if (at < field) return;  // the LF of a CR LF
    if (at != field) on_field(line, column, field, at);
    field = at + 1;
    if (*at == '\t') {
      ++column;
      return;
    }
    if (*at == '\r' && field != end && *field == '\n') ++field;
    on_line_end(line);
    ++line;
    column = 1;
    line_start = field;
  };
  const char* at = begin;
#ifdef __SSE2__
  const __m128i tab = _mm_set1_epi8('\t');
  const __m128i lf = _mm_set1_epi8('\n');
  const __m128i cr = _mm_set1_epi8('\r');
  for (; end - at >= 16; at += 16) {
    const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
    const __m128i found =
        _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(chunk, tab), _mm_cmpeq_epi8(chunk, lf)),
                     _mm_cmpeq_epi8(chunk, cr));
    for (auto bits = static_cast<unsigned>(_mm_movemask_epi8(found)); bits != 0; bits &= bits - 1) {
      delimiter(at + std::countr_zero(bits));
    }
  }
#endif
  for (; at != end; ++at) {
    if (*at == '\t' || *at == '\n' || *at == '\r') delimiter(at);
  }
  if (line_start != end) {
    if (field != end) on_field(line, column, field, end);
    on_line_end(line);
    ++line;
  }
}

}  // namespace sallowmere
