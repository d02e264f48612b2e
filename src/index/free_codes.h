#pragma once

// Free codes matching a pattern, for the CLI's suggest command.

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "index/code_index.h"

namespace sallowmere {

// The characters a "?" of a pattern stands for, in ascending byte order: 0-9 then a-z.
inline constexpr std::string_view kPatternAlphabet = "0123456789abcdefghijklmnopqrstuvwxyz";

// Why no table could hold a code that `pattern` matches: it begins or ends with a space (a table
// keeps its codes trimmed) or holds a tab, CR or LF. std::nullopt when it could.
std::optional<std::string> PatternProblem(std::string_view pattern);

// Calls `on_free` with each code that matches `pattern` and is not in `index`, in ascending byte
// order, until it has made `count` calls or `on_free` returns false. Each "?" in `pattern` stands
// for one character of kPatternAlphabet; any other character stands for itself. Memory stays
// bounded and the work is bounded by `count` plus the size of the index, however many "?" the
// pattern has. An empty pattern matches no code. Returns the number of calls made.
std::size_t ForEachFreeCode(const CodeIndex& index, std::string_view pattern, std::size_t count,
                            const std::function<bool(std::string_view code)>& on_free);

}  // namespace sallowmere
