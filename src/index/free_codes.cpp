#include "index/free_codes.h"

#include <vector>

namespace sallowmere {

std::optional<std::string> PatternProblem(std::string_view pattern) {
  if (const std::optional<std::string> problem = CodeProblem(pattern)) return problem;
  if (pattern.starts_with(' ') || pattern.ends_with(' ')) {
    return "begins or ends with a space, which a table never keeps around a code";
  }
  return std::nullopt;
}

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

}  // namespace sallowmere
