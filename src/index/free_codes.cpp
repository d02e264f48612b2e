#include "index/free_codes.h"

#include <vector>

#include "tables/ascii.h"

namespace sallowmere {

std::size_t ForEachFreeCode(const CodeIndex& index, std::string_view pattern, std::size_t count,
                            const std::function<bool(std::string_view code)>& on_free) {
  std::size_t found = 0;
  if (pattern.empty()) return found;
  std::vector<std::size_t> wild;  // positions of "?", leftmost first
  std::string candidate(pattern);
  for (std::size_t i = 0; i < candidate.size(); ++i) {
    if (candidate[i] == '?') {
      wild.push_back(i);
      candidate[i] = kPatternAlphabet.front();
    }
  }
  // Counting up with the rightmost "?" turning fastest visits the candidates in ascending order,
  // since the alphabet is in ascending order. At most index size + count candidates are visited
  // before `count` free ones are found.
  while (found < count) {
    if (index.Find(candidate) == nullptr) {
      ++found;
      if (!on_free(candidate)) break;
    }
    std::size_t turn = wild.size();
    while (turn > 0) {
      char& c = candidate[wild[turn - 1]];
      const std::size_t digit = kPatternAlphabet.find(c);
      if (digit + 1 < kPatternAlphabet.size()) {
        c = kPatternAlphabet[digit + 1];
        break;
      }
      c = kPatternAlphabet.front();
      --turn;
    }
    if (turn == 0) break;  // every candidate visited
  }
  return found;
}

std::string LikePattern(std::string_view text) {
  if (text.empty()) return "???";
  std::string pattern(text);
  if (pattern.find('?') == std::string::npos) pattern.back() = '?';
  return pattern;
}

std::optional<std::string> WidenedPattern(std::string_view pattern) {
  const std::size_t last = pattern.find_last_not_of('?');
  if (last == std::string_view::npos) return std::nullopt;
  std::string widened(pattern);
  widened[last] = '?';
  return widened;
}

std::string NoFreeCodeText(std::string_view pattern) {
  return "No free code like " + std::string(pattern);
}

namespace {

// The codes a pattern matches, walked in display order. Every match has the pattern's fixed
// characters where it has them and a character of kPatternAlphabet (which folding leaves as it
// is) at each "?", so matches differ only where folding changes nothing: their display order is
// their byte order, and at most one of them folds to any given text.
class Matches {
 public:
  explicit Matches(std::string_view pattern) : pattern_(pattern) {}

  // The first match (the last, toward kPrevious).
  std::string Extreme(Toward toward) const {
    std::string match(pattern_);
    FillFrom(match, 0, toward);
    return match;
  }

  // The match nearest to `text` toward `toward` in display order, never `text` itself;
  // std::nullopt when there is none that way.
  std::optional<std::string> Neighbour(std::string_view text, Toward toward) const {
    std::optional<std::string> match = NearestBeyond(text, toward, false);
    if (!match || !EqualIgnoringAsciiCase(*match, text)) return match;
    // The match folds to `text`: it lies toward `toward` when its bytes do (the display order's
    // tie-break), else the nearest match is the one past it.
    const bool beyond = toward == Toward::kNext ? *match > text : *match < text;
    return beyond ? match : NearestBeyond(text, toward, true);
  }

 private:
  // The match nearest to `text` whose folded text lies beyond `text`'s folded text toward
  // `toward`, or at it unless `strict`. Of the matches that agree with `text` on a prefix and go
  // beyond it at the next place, the longest prefix gives the nearest.
  std::optional<std::string> NearestBeyond(std::string_view text, Toward toward,
                                           bool strict) const {
    const std::size_t n = pattern_.size();
    const std::size_t shared = std::min(n, text.size());
    std::size_t agree = 0;  // how many first places can fold to `text`'s
    while (agree < shared && FoldingAlike(agree, text[agree])) ++agree;
    for (std::size_t at = agree + 1; at-- > 0;) {
      // The match agrees with `text` on its first `at` places; what it has at `at`, if it can
      // have anything there that goes beyond `text` the right way.
      std::optional<char> next;
      if (at == n) {
        // The match folds to the whole of `text` or to its beginning.
        const bool equal = n == text.size();
        if (!((equal && !strict) || (!equal && toward == Toward::kPrevious))) continue;
      } else if (at == text.size()) {
        // The match continues `text`, so it comes after it.
        if (toward == Toward::kPrevious) continue;
      } else if (!(next = NextAllowed(at, text[at], toward))) {
        continue;
      }
      std::string match(pattern_);
      for (std::size_t i = 0; i < at; ++i) match[i] = *FoldingAlike(i, text[i]);
      if (next) match[at] = *next;
      FillFrom(match, next ? at + 1 : at, toward);
      return match;
    }
    return std::nullopt;
  }

  // The character a match has at `at` that folds as `c` does, if any.
  std::optional<char> FoldingAlike(std::size_t at, char c) const {
    const auto folded = static_cast<char>(FoldAsciiCase(c));
    if (pattern_[at] != '?') {
      return FoldAsciiCase(pattern_[at]) == FoldAsciiCase(c) ? std::optional(pattern_[at])
                                                             : std::nullopt;
    }
    return kPatternAlphabet.find(folded) != std::string_view::npos ? std::optional(folded)
                                                                   : std::nullopt;
  }

  // The character nearest to `c` toward `toward`, by folded value, that a match may have at `at`.
  std::optional<char> NextAllowed(std::size_t at, char c, Toward toward) const {
    const std::string_view allowed =
        pattern_[at] == '?' ? kPatternAlphabet : std::string_view(pattern_).substr(at, 1);
    const auto beyond = [&](char a) {
      return toward == Toward::kNext ? FoldAsciiCase(a) > FoldAsciiCase(c)
                                     : FoldAsciiCase(a) < FoldAsciiCase(c);
    };
    if (toward == Toward::kNext) {
      const auto found = std::find_if(allowed.begin(), allowed.end(), beyond);
      return found != allowed.end() ? std::optional(*found) : std::nullopt;
    }
    const auto found = std::find_if(allowed.rbegin(), allowed.rend(), beyond);
    return found != allowed.rend() ? std::optional(*found) : std::nullopt;
  }

  // Gives each "?" of `match` from `at` on the first (last) character of the alphabet.
  void FillFrom(std::string& match, std::size_t at, Toward toward) const {
    const char extreme =
        toward == Toward::kNext ? kPatternAlphabet.front() : kPatternAlphabet.back();
    for (std::size_t i = at; i < match.size(); ++i) {
      if (pattern_[i] == '?') match[i] = extreme;
    }
  }

  std::string pattern_;
};

// The first free match of `pattern` after `from` toward `toward`, wrapping around once; from the
// first (last) match when there is no `from`.
std::optional<std::string> FirstFree(const SortedCodes& codes, std::string_view pattern,
                                     const std::optional<std::string>& from, Toward toward,
                                     const std::function<bool(std::string_view code)>& taken) {
  if (pattern.empty()) return std::nullopt;
  const Matches matches(pattern);
  const auto past_from = [&](const std::string& match) {
    return toward == Toward::kNext ? DisplayOrderLess(*from, match)
                                   : DisplayOrderLess(match, *from);
  };
  std::optional<std::string> match =
      from ? matches.Neighbour(*from, toward) : matches.Extreme(toward);
  bool wrapped = !from;
  // Each match met before a free one is a used or taken code, so the walk is no longer than
  // those.
  for (;;) {
    if (!match) {
      if (wrapped) return std::nullopt;
      match = matches.Extreme(toward);
      wrapped = true;
    }
    if (wrapped && from && past_from(*match)) return std::nullopt;
    if (!codes.Lookup(*match).position && !(taken && taken(*match))) return match;
    match = matches.Neighbour(*match, toward);
  }
}

}  // namespace

LikeAnswer FreeCodeLike(const SortedCodes& codes, std::string_view pattern,
                        const std::optional<std::string>& from, Toward toward,
                        const std::function<bool(std::string_view code)>& taken) {
  LikeAnswer answer{std::nullopt, std::string(pattern)};
  for (;;) {
    answer.code = FirstFree(codes, answer.pattern, from, toward, taken);
    if (answer.code) return answer;
    std::optional<std::string> widened = WidenedPattern(answer.pattern);
    if (!widened) return answer;
    answer.pattern = std::move(*widened);
  }
}

}  // namespace sallowmere
