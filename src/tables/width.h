#pragma once

// The storage widths of table columns and their ranges. Used by the layouts, the number rules and
// the loaders.

#include <cstdint>
#include <string_view>

namespace sallowmere {

// The storage width of a table column.
//   kByte    8-bit unsigned, 0 to 255
//   kInteger 16-bit signed, -32768 to 32767
//   kLong    32-bit signed
//   kString  text of any length, kept as bytes
enum class Width { kByte, kInteger, kLong, kString };

// The values a numeric width holds, inclusive; kString holds none (low > high).
struct WidthRange {
  std::int32_t low;
  std::int32_t high;
};
constexpr WidthRange RangeOf(Width width) {
  switch (width) {
    case Width::kByte: return {0, 255};
    case Width::kInteger: return {-32768, 32767};
    case Width::kLong: return {INT32_MIN, INT32_MAX};
    case Width::kString: break;
  }
  return {1, 0};
}

// The width's name with its article, for messages: "a byte", "an integer", "a long", "a string".
std::string_view WidthName(Width width);

}  // namespace sallowmere
