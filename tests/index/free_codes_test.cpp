#include "index/free_codes.h"

#include <gtest/gtest.h>

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

TEST(FreeCodesTest, PatternsNoTableCouldHold) {
  for (const char* pattern : {" r0?", "r0? ", "r\t?", "r?\r", "\nr?"}) {
    EXPECT_TRUE(PatternProblem(pattern)) << pattern;
  }
  for (const char* pattern : {"r0?", "r ?", "???"})
    EXPECT_FALSE(PatternProblem(pattern)) << pattern;
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

}  // namespace
}  // namespace sallowmere
