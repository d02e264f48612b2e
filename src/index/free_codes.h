#pragma once

// Free codes matching a pattern: the CLI's suggest command, and the window's next and previous
// free code "like" the one in its text box.

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "index/code_index.h"
#include "index/sorted_codes.h"

namespace sallowmere {

// The characters a "?" of a pattern stands for, in ascending byte order: 0-9 then a-z.
inline constexpr std::string_view kPatternAlphabet = "0123456789abcdefghijklmnopqrstuvwxyz";

// Calls `on_free` with each code that matches `pattern` and is not in `index`, in ascending byte
// order, until it has made `count` calls or `on_free` returns false. Each "?" in `pattern` stands
// for one character of kPatternAlphabet; any other character stands for itself. Memory stays
// bounded and the work is bounded by `count` plus the size of the index, however many "?" the
// pattern has. An empty pattern matches no code. Returns the number of calls made.
std::size_t ForEachFreeCode(const CodeIndex& index, std::string_view pattern, std::size_t count,
                            const std::function<bool(std::string_view code)>& on_free);

// Which way FreeCodeLike looks from its start: up or down the display order.
enum class Toward { kNext, kPrevious };

// The pattern for the free codes "like" `text`: `text` itself when it holds a "?"; "???" when it
// is empty; else `text` with its last character turned into "?".
std::string LikePattern(std::string_view text);

// `pattern` made one character wider: its last character that is not "?" turned into "?".
// std::nullopt when every character is already "?" (or the pattern is empty).
std::optional<std::string> WidenedPattern(std::string_view pattern);

// What FreeCodeLike found: the free code, or none; and the pattern it matched, after widening.
struct LikeAnswer {
  std::optional<std::string> code;
  std::string pattern;
};

// The code "like" `pattern` (see LikePattern) that `codes` does not use, next to `from` in display
// order toward `toward`, wrapping around once: the first free code matching the pattern after
// `from` (before it for kPrevious), or, when `from` is std::nullopt, the first (last) free match of
// all. While no code matching the pattern is free, the pattern is widened (WidenedPattern) and the
// search made again. A "?" stands for one character of kPatternAlphabet. A code for which `taken`
// (when given) is true counts as used. The work is bounded by the number of codes and of taken
// ones times the pattern's length, however many codes the pattern matches. The answer has no code
// when not even a pattern of "?" alone has a free match, or the pattern is empty.
LikeAnswer FreeCodeLike(const SortedCodes& codes, std::string_view pattern,
                        const std::optional<std::string>& from, Toward toward,
                        const std::function<bool(std::string_view code)>& taken = {});

// What the window says of a free code in its details: the key that finds the next free code.
inline constexpr std::string_view kNextFreeHint = "F3: next free code like this";

// What the window says when no code like `pattern` is free: "No free code like PATTERN".
std::string NoFreeCodeText(std::string_view pattern);

}  // namespace sallowmere
