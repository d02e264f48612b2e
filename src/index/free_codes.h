#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "index/code_index.h"

namespace sallowmere {

// The characters a "?" of a pattern stands for, in ascending byte order: 0-9 then a-z.
inline constexpr std::string_view kPatternAlphabet = "0123456789abcdefghijklmnopqrstuvwxyz";

// Up to `count` codes that match `pattern` and are not in `index`, in ascending byte order.
// Each "?" in `pattern` stands for one character of kPatternAlphabet; any other character stands
// for itself. The work is bounded by `count` plus the size of the index, however many "?" the
// pattern has. An empty pattern matches no code.
std::vector<std::string> FreeCodes(const CodeIndex& index, std::string_view pattern,
                                   std::size_t count);

}  // namespace sallowmere
