#include "index/sorted_codes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "table_text.h"

namespace sallowmere {
namespace {

TEST(DisplayOrderTest, IgnoresCaseThenBreaksTiesByBytes) {
  const std::vector<std::string> ordered = {"",   "0",   "9",     "A",    "a",    "aB",
                                            "ab", "Abc", "abc",   "b",    "B1",   "b1",
                                            "Z",  "z",   "z\x7f", "\xc9", "\xe9", "\xff"};
  for (std::size_t i = 0; i < ordered.size(); ++i) {
    for (std::size_t j = 0; j < ordered.size(); ++j) {
      EXPECT_EQ(DisplayOrderLess(ordered[i], ordered[j]), i < j)
          << '"' << ordered[i] << "\" vs \"" << ordered[j] << '"';
    }
  }
}

TEST(SortedCodesTest, SortsTheIndex) {
  const SortedCodes sorted(
      testing::IndexOfMod({"hlm", "Cap", "cap"}, {"axe", "AXE"}, {"key", "b2"}));
  std::vector<std::string> codes;
  std::vector<int> tags;
  for (const IndexEntry& entry : sorted.Entries()) {
    codes.emplace_back(entry.code);
    tags.push_back(entry.origin_tag);
  }
  EXPECT_EQ(codes, (std::vector<std::string>{"AXE", "axe", "b2", "Cap", "cap", "hlm", "key"}));
  EXPECT_EQ(tags, (std::vector<int>{10001, 10000, 20001, 1, 2, 0, 20000}));
}

TEST(SortedCodesTest, LookupIsExactAndCaseSensitive) {
  const SortedCodes sorted(testing::IndexOfMod({"cap"}, {"Axe"}, {"key"}));
  struct Case {
    std::string code;
    std::string_view status;
    std::string_view origin;
    std::optional<int> position;
  };
  const std::vector<Case> cases = {
      {"Axe", "Used", "Weapon.txt", 0},   {"cap", "Used", "Armor.txt", 1},
      {"key", "Used", "Misc.txt", 2},     {"CAP", "Free", "", std::nullopt},
      {"axe", "Free", "", std::nullopt},  {"cap ", "Free", "", std::nullopt},
      {"ca", "Free", "", std::nullopt},   {"", "Free", "", std::nullopt},
      {"keys", "Free", "", std::nullopt},
  };
  for (const Case& c : cases) {
    const LookupResult result = sorted.Lookup(c.code);
    EXPECT_EQ(result.status, c.status) << c.code;
    EXPECT_EQ(result.origin, c.origin) << c.code;
    EXPECT_EQ(result.position, c.position) << c.code;
  }
  EXPECT_EQ(sorted.At(2).origin, "Misc.txt");
}

TEST(SortedCodesTest, OrderDoesNotDependOnLoadOrder) {
  std::vector<std::string> codes = {"x1", "X1", "x2", "a", "A", "b", "B", "bb", "Bb", "bB"};
  std::vector<std::string> first;
  std::mt19937 shuffle(42);
  for (int round = 0; round < 5; ++round) {
    std::shuffle(codes.begin(), codes.end(), shuffle);
    std::vector<std::string> seen;
    const SortedCodes sorted(testing::IndexOfMod(codes, {}, {}));
    for (const IndexEntry& e : sorted.Entries()) seen.emplace_back(e.code);
    if (round == 0) first = seen;
    EXPECT_EQ(seen, first);
  }
}

}  // namespace
}  // namespace sallowmere
