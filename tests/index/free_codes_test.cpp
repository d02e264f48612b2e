#include "index/free_codes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "index/sorted_codes.h"
#include "table_text.h"

namespace sallowmere {
namespace {

// Up to `count` free codes matching `pattern`, in the order they are found.
std::vector<std::string> FreeCodes(const CodeIndex& index, std::string_view pattern,
                                   std::size_t count) {
  std::vector<std::string> found;
  ForEachFreeCode(index, pattern, count, [&](std::string_view code) {
    found.emplace_back(code);
    return true;
  });
  return found;
}

CodeIndex IndexOf(const std::vector<std::string>& armor) {
  return testing::IndexOfMod(armor, {}, {});
}

TEST(FreeCodesTest, AscendingFreeCodesMatchingThePattern) {
  const CodeIndex index = IndexOf({"a00", "a01", "a03", "a0a"});
  EXPECT_EQ(FreeCodes(index, "a0?", 4), (std::vector<std::string>{"a02", "a04", "a05", "a06"}));
  EXPECT_EQ(FreeCodes(index, "??", 3), (std::vector<std::string>{"00", "01", "02"}));
  EXPECT_EQ(FreeCodes(index, "x?y", 2), (std::vector<std::string>{"x0y", "x1y"}));
  EXPECT_EQ(FreeCodes(index, "a0?", 100).size(), 32u);
  EXPECT_EQ(FreeCodes(index, "a0?", 100).back(), "a0z");
  EXPECT_EQ(FreeCodes(index, "A0?", 1), (std::vector<std::string>{"A00"}));  // case counts
}

TEST(FreeCodesTest, FixedPatternsAndExhaustion) {
  const CodeIndex index = IndexOf({"cap", "b0", "b1"});
  EXPECT_TRUE(FreeCodes(index, "cap", 5).empty());
  EXPECT_EQ(FreeCodes(index, "hat", 5), (std::vector<std::string>{"hat"}));
  EXPECT_TRUE(FreeCodes(index, "", 5).empty());
  std::vector<std::string> used;
  for (char c : kPatternAlphabet) used.push_back(std::string("z") + c);
  EXPECT_TRUE(FreeCodes(IndexOf(used), "z?", 3).empty());
}

TEST(FreeCodesTest, StopsWhenTheReaderDoes) {
  const CodeIndex index = IndexOf({"01"});
  std::vector<std::string> seen;
  const std::size_t calls = ForEachFreeCode(index, "??", 1000, [&](std::string_view code) {
    seen.emplace_back(code);
    return seen.size() < 3;
  });
  EXPECT_EQ(calls, 3u);
  EXPECT_EQ(seen, (std::vector<std::string>{"00", "02", "03"}));
}

TEST(FreeCodesTest, ManyWildcardsStayCheap) {
  const CodeIndex index = IndexOf({"0000000000"});
  EXPECT_EQ(FreeCodes(index, "??????????", 2),
            (std::vector<std::string>{"0000000001", "0000000002"}));
}

TEST(LikeTest, PatternsAndTheirWidening) {
  const std::vector<std::pair<std::string, std::string>> patterns = {
      {"", "???"}, {"r0c", "r0?"}, {"w??", "w??"}, {"a?c", "a?c"}, {"x", "?"}};
  for (const auto& [text, pattern] : patterns) EXPECT_EQ(LikePattern(text), pattern) << text;
  EXPECT_EQ(WidenedPattern("r0?"), "r??");
  EXPECT_EQ(WidenedPattern("a?c"), "a??");
  EXPECT_EQ(WidenedPattern("?a?"), "???");
  EXPECT_EQ(WidenedPattern("???"), std::nullopt);
  EXPECT_EQ(NoFreeCodeText("???"), "No free code like ???");
}

struct LikeCase {
  std::vector<std::string> used;
  std::string pattern;
  std::optional<std::string> from;
  Toward toward;
  std::optional<std::string> code;  // the answer
  std::string widened;              // the pattern it matched
};

std::vector<std::string> Codes(std::string_view prefix) {
  std::vector<std::string> codes;
  for (char c : kPatternAlphabet) codes.push_back(std::string(prefix) + c);
  return codes;
}

TEST(LikeTest, NextAndPreviousFreeCodes) {
  using enum Toward;
  const std::vector<std::string> r0 = Codes("r0");
  const std::vector<LikeCase> cases = {
      {{"r0c", "r0d"}, "r0?", "r0c", kNext, "r0e", "r0?"},
      {{"r0c", "r0d"}, "r0?", "r0d", kPrevious, "r0b", "r0?"},
      {{"r0c"}, "r0?", "r0z", kNext, "r00", "r0?"},      // wraps around
      {{"r0c"}, "r0?", "r00", kPrevious, "r0z", "r0?"},  // and the other way
      {{"w00"}, "w??", std::nullopt, kNext, "w01", "w??"},
      {{"w00"}, "w??", std::nullopt, kPrevious, "wzz", "w??"},
      {r0, "r0?", "r0c", kNext, "r10", "r??"},  // widened when every r0? is used
      {r0, "r0?", "r0c", kPrevious, "rzz", "r??"},
      {Codes(""), "?", "a", kNext, std::nullopt, "?"},
      {{"r0d"}, "r0?", "r0d", kNext, "r0e", "r0?"},
      // After "R0C" in display order comes "R0c": equal but for case, later by bytes.
      {{}, "R0?", "R0C", kNext, "R0c", "R0?"},
      {{}, "R0?", "R0C", kPrevious, "R0b", "R0?"},
      {{}, "a?c", std::nullopt, kNext, "a0c", "a?c"},
      {{}, "ab?", "ab", kNext, "ab0", "ab?"},  // a shorter text comes first
      {{}, "ab?", "abcd", kPrevious, "abc", "ab?"},
  };
  for (const LikeCase& c : cases) {
    const SortedCodes codes(IndexOf(c.used));
    const LikeAnswer answer = FreeCodeLike(codes, c.pattern, c.from, c.toward);
    EXPECT_EQ(answer.code, c.code) << c.pattern << " from " << c.from.value_or("-");
    EXPECT_EQ(answer.pattern, c.widened) << c.pattern << " from " << c.from.value_or("-");
  }
}

// Every code `pattern` matches, in display order.
std::vector<std::string> MatchesInDisplayOrder(const std::string& pattern) {
  std::vector<std::string> matches = {""};
  for (const char p : pattern) {
    std::vector<std::string> longer;
    for (const std::string& m : matches) {
      for (const char c : p == '?' ? kPatternAlphabet : std::string_view(&p, 1)) {
        longer.push_back(m + c);
      }
    }
    matches = std::move(longer);
  }
  std::sort(matches.begin(), matches.end(), DisplayOrderLess);
  return matches;
}

// The answer agrees with a walk through every match in display order, for texts of every kind,
// widening the pattern as the walk finds none free.
TEST(LikeTest, AgreesWithAWalkThroughEveryMatch) {
  std::mt19937 random(7);
  const std::string letters = "0az?A_~";
  const auto text = [&](std::size_t size) {
    std::string made;
    for (std::size_t i = 0; i < size; ++i) made += letters[random() % letters.size()];
    return made;
  };
  for (int round = 0; round < 300; ++round) {
    const std::string pattern = text(1 + random() % 2);
    std::vector<std::string> used;
    for (const std::string& match : MatchesInDisplayOrder(pattern)) {
      if (random() % 4 != 0) used.push_back(match);
    }
    const std::string from = text(random() % 4);
    const Toward toward = random() % 2 ? Toward::kNext : Toward::kPrevious;
    // The first free match after `from` the way it looks, else the first free one: for the
    // pattern, then for each widening of it while none of its matches is free.
    const auto walk = [&](const std::string& like) -> std::optional<std::string> {
      std::vector<std::string> matches = MatchesInDisplayOrder(like);
      if (toward == Toward::kPrevious) std::reverse(matches.begin(), matches.end());
      const auto after = [&](const std::string& m) {
        return toward == Toward::kNext ? DisplayOrderLess(from, m) : DisplayOrderLess(m, from);
      };
      const auto free = [&](const std::string& m) {
        return std::find(used.begin(), used.end(), m) == used.end();
      };
      auto found = std::find_if(matches.begin(), matches.end(),
                                [&](const std::string& m) { return after(m) && free(m); });
      if (found == matches.end()) found = std::find_if(matches.begin(), matches.end(), free);
      if (found == matches.end()) return std::nullopt;
      return *found;
    };
    std::string widened = pattern;
    std::optional<std::string> expected = walk(widened);
    while (!expected) {
      const std::optional<std::string> wider = WidenedPattern(widened);
      if (!wider) break;
      widened = *wider;
      expected = walk(widened);
    }
    // Up to 1,296 codes, 501 to a table.
    const auto part = [&](std::size_t at) {
      return std::vector<std::string>(used.begin() + std::min(at, used.size()),
                                      used.begin() + std::min(at + 501, used.size()));
    };
    const SortedCodes codes(testing::IndexOfMod(part(0), part(501), part(1002)));
    const LikeAnswer answer = FreeCodeLike(codes, pattern, from, toward);
    EXPECT_EQ(answer.code, expected) << pattern << " from " << from;
    EXPECT_EQ(answer.pattern, widened) << pattern << " from " << from;
  }
}

}  // namespace
}  // namespace sallowmere
