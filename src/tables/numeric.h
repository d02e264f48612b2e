#pragma once

// The two number rules of numeric columns (the lenient leading number and the strict whole field)
// and rounding to a width. Used by the loaders.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "tables/width.h"

namespace sallowmere {

// The leading number of `text` by the lenient rule numeric columns use. Spaces, tabs and line
// feeds anywhere are ignored; then an optional sign, digits, an optional "." and fraction and an
// optional exponent ("E" or "D", either case, with optional sign) are read, or "&H"/"&O" (either
// case) and hexadecimal/octal digits, read as an unsigned number. Reading stops at the first
// character that cannot continue the number. Never fails: text with no leading number gives 0; a
// number too large for a double gives an infinity.
double Val(std::string_view text);

// `value` rounded to the nearest integer (halves to the even neighbour) if that lies within the
// range of `width` (kByte, kInteger or kLong); std::nullopt (an overflow) otherwise.
std::optional<std::int32_t> RoundToWidth(double value, Width width);

// The value of `text` when it is an optional "-" and one to nine digits and nothing else, which
// every rule reads as that integer; std::nullopt for anything else. Inline: it is the path nearly
// every numeric field of a real table takes.
inline std::optional<std::int32_t> PlainInteger(std::string_view text) {
  const bool negative = !text.empty() && text[0] == '-';
  const std::size_t first = negative ? 1 : 0;
  if (text.size() == first || text.size() - first > 9) return std::nullopt;
  std::int32_t value = 0;
  for (std::size_t at = first; at < text.size(); ++at) {
    const unsigned digit = static_cast<unsigned char>(text[at]) - unsigned{'0'};
    if (digit > 9) return std::nullopt;
    value = value * 10 + static_cast<std::int32_t>(digit);
  }
  return negative ? -value : value;
}

// The number that the whole of `text` spells by the strict rule, independent of the locale:
// optional spaces or tabs around either "&H"/"&O" (either case) and at least one hexadecimal/octal
// digit, or an optional sign, digits in which "," may stand between two digits of the integer part
// (and is ignored), an optional "." with digits, and an optional exponent "E" (either case) with
// optional sign and digits. At least one digit is required before the exponent. std::nullopt (a
// type mismatch) for anything else, the empty text included.
std::optional<double> ParseStrictNumber(std::string_view text);

}  // namespace sallowmere
