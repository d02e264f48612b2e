#include "index/free_codes.h"

#include <gtest/gtest.h>

#include "table_text.h"

namespace sallowmere {
namespace {

CodeIndex IndexOf(const std::vector<std::string>& armor) {
  testing::TempFolder folder;
  testing::WriteMod(folder, armor, {}, {});
  Module1 module;
  module.SetTableFolder(folder.PathText() + "/");
  module.LoadAllTables();
  return CodeIndex::Build(module);
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

TEST(FreeCodesTest, ManyWildcardsStayCheap) {
  const CodeIndex index = IndexOf({"0000000000"});
  EXPECT_EQ(FreeCodes(index, "??????????", 2),
            (std::vector<std::string>{"0000000001", "0000000002"}));
}

}  // namespace
}  // namespace sallowmere
