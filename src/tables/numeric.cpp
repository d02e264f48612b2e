#include "tables/numeric.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace sallowmere {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int DigitValue(char c) {
  if (IsDigit(c)) return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return 99;
}

// A decimal number taken apart: the mantissa's digits with the position of the point among them,
// and the exponent's sign and digits.
struct DecimalParts {
  bool negative = false;
  std::string digits;     // mantissa digits, point removed
  std::size_t point = 0;  // digits before the point
  bool exponent_negative = false;
  std::string exponent;  // exponent digits, possibly empty
};

// Turns the parts into a double. from_chars does the correct rounding and ignores the locale; it
// only declines numbers outside the double's range, which are told apart here by their size.
double ToDouble(const DecimalParts& parts) {
  std::string text;
  text.reserve(parts.digits.size() + parts.exponent.size() + 4);
  text.append(parts.digits, 0, parts.point);
  text += '.';
  text.append(parts.digits, parts.point);
  if (!parts.exponent.empty()) {
    text += parts.exponent_negative ? "e-" : "e";
    text += parts.exponent;
  }
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  (void)end;
  if (error == std::errc::result_out_of_range) {
    // The decimal magnitude decides: position of the first non-zero digit plus the exponent.
    const std::size_t first = parts.digits.find_first_not_of('0');
    if (first == std::string::npos) {
      value = 0;
    } else {
      std::string_view exp_digits(parts.exponent);
      exp_digits.remove_prefix(std::min(exp_digits.find_first_not_of('0'), exp_digits.size()));
      // Beyond nine digits the exponent dwarfs any mantissa a table can hold.
      long long exponent = 1'000'000'000'000LL;
      if (exp_digits.size() <= 9) {
        exponent = 0;
        std::from_chars(exp_digits.data(), exp_digits.data() + exp_digits.size(), exponent);
      }
      if (parts.exponent_negative) exponent = -exponent;
      const long long magnitude =
          static_cast<long long>(parts.point) - static_cast<long long>(first) + exponent;
      value = magnitude > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    }
  }
  return parts.negative ? -value : value;
}

// Reads "&H..." or "&O..." digits from the front of `text` (already past the "&" and the letter).
// Stops at the first digit the base does not have; returns how many digits it took.
std::size_t ReadRadixDigits(std::string_view text, int radix, double& value) {
  value = 0;
  std::size_t taken = 0;
  for (char c : text) {
    const int digit = DigitValue(c);
    if (digit >= radix) break;
    value = value * radix + digit;
    ++taken;
  }
  return taken;
}

int RadixOf(char letter) {
  if (letter == 'H' || letter == 'h') return 16;
  if (letter == 'O' || letter == 'o') return 8;
  return 0;
}

std::size_t TakeDigits(std::string_view text, std::size_t at, std::string& out) {
  while (at < text.size() && IsDigit(text[at])) out += text[at++];
  return at;
}

}  // namespace

double Val(std::string_view text) {
  // Blanks are ignored anywhere, even between digits, so the number is read from a copy
  // without them.
  std::string packed;
  packed.reserve(text.size());
  for (char c : text) {
    if (c != ' ' && c != '\t' && c != '\n') packed += c;
  }
  const std::string_view s(packed);
  if (s.size() >= 2 && s[0] == '&') {
    const int radix = RadixOf(s[1]);
    if (radix == 0) return 0;
    double value = 0;
    ReadRadixDigits(s.substr(2), radix, value);
    return value;
  }
  DecimalParts parts;
  std::size_t at = 0;
  if (at < s.size() && (s[at] == '+' || s[at] == '-')) parts.negative = s[at++] == '-';
  at = TakeDigits(s, at, parts.digits);
  parts.point = parts.digits.size();
  if (at < s.size() && s[at] == '.') at = TakeDigits(s, at + 1, parts.digits);
  if (parts.digits.empty()) return 0;
  if (at < s.size() && (s[at] == 'E' || s[at] == 'e' || s[at] == 'D' || s[at] == 'd')) {
    std::size_t exp_at = at + 1;
    bool negative = false;
    if (exp_at < s.size() && (s[exp_at] == '+' || s[exp_at] == '-')) negative = s[exp_at++] == '-';
    // An exponent letter without digits ends the number before the letter.
    if (TakeDigits(s, exp_at, parts.exponent) > exp_at) parts.exponent_negative = negative;
  }
  return ToDouble(parts);
}

std::optional<std::int32_t> RoundToWidth(double value, Width width) {
  const double rounded = std::nearbyint(value);  // the default mode rounds halves to even
  const WidthRange range = RangeOf(width);
  if (!(rounded >= range.low && rounded <= range.high)) return std::nullopt;
  return static_cast<std::int32_t>(rounded);
}

std::optional<double> ParseStrictNumber(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return std::nullopt;
  const std::size_t last = text.find_last_not_of(" \t");
  const std::string_view s = text.substr(first, last - first + 1);

  if (s[0] == '&') {
    const int radix = s.size() >= 2 ? RadixOf(s[1]) : 0;
    if (radix == 0) return std::nullopt;
    double value = 0;
    const std::size_t taken = ReadRadixDigits(s.substr(2), radix, value);
    if (taken == 0 || taken != s.size() - 2) return std::nullopt;
    return value;
  }

  DecimalParts parts;
  std::size_t at = 0;
  if (s[at] == '+' || s[at] == '-') parts.negative = s[at++] == '-';
  // Integer part: a comma counts only between two digits.
  while (at < s.size()) {
    if (IsDigit(s[at])) {
      parts.digits += s[at++];
    } else if (s[at] == ',' && !parts.digits.empty() && IsDigit(s[at - 1]) && at + 1 < s.size() &&
               IsDigit(s[at + 1])) {
      ++at;
    } else {
      break;
    }
  }
  parts.point = parts.digits.size();
  if (at < s.size() && s[at] == '.') at = TakeDigits(s, at + 1, parts.digits);
  if (parts.digits.empty()) return std::nullopt;
  if (at < s.size() && (s[at] == 'E' || s[at] == 'e')) {
    ++at;
    if (at < s.size() && (s[at] == '+' || s[at] == '-')) parts.exponent_negative = s[at++] == '-';
    const std::size_t exp_start = at;
    at = TakeDigits(s, at, parts.exponent);
    if (at == exp_start) return std::nullopt;
  }
  if (at != s.size()) return std::nullopt;
  return ToDouble(parts);
}

}  // namespace sallowmere
