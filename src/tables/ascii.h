#pragma once

// Byte-level text rules shared by the table reader, the folder check and the code order: ASCII
// letter case and the trimming of spaces. Bytes above 127 are never folded.

#include <algorithm>
#include <string_view>

namespace sallowmere {

// `c` with an ASCII capital turned into its small letter; every other byte unchanged.
constexpr unsigned char FoldAsciiCase(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return byte >= 'A' && byte <= 'Z' ? static_cast<unsigned char>(byte + ('a' - 'A')) : byte;
}

// True when `a` and `b` are equal but for ASCII letter case.
constexpr bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return FoldAsciiCase(x) == FoldAsciiCase(y);
         });
}

// `text` without its leading and trailing spaces (code 32 only; tabs and other blanks stay).
constexpr std::string_view TrimSpaces(std::string_view text) {
  std::size_t first = 0;
  std::size_t last = text.size();
  while (first < last && text[first] == ' ') ++first;
  while (last > first && text[last - 1] == ' ') --last;
  return text.substr(first, last - first);
}

}  // namespace sallowmere
