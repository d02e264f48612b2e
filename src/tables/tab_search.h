#pragma once

// Finding the tabs of a line sixteen bytes at a time: the row reader's split and the reference
// scan's walk over every field of a folder's tables.

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

}  // namespace sallowmere
