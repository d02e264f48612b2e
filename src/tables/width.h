#pragma once

#include <string_view>

namespace sallowmere {

// The storage width of a table column.
//   kByte    8-bit unsigned, 0 to 255
//   kInteger 16-bit signed, -32768 to 32767
//   kLong    32-bit signed
//   kString  text of any length, kept as bytes
enum class Width { kByte, kInteger, kLong, kString };

// The width's name with its article, for messages: "a byte", "an integer", "a long", "a string".
std::string_view WidthName(Width width);

}  // namespace sallowmere
