#include "tables/numeric.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>
#include <vector>

namespace sallowmere {
namespace {

struct ValCase {
  std::string text;
  double value;
};

TEST(ValTest, ReadsTheLeadingNumber) {
  const std::vector<ValCase> cases = {
      {"12abc", 12},    {"1 2", 12},    {"", 0},       {"abc", 0},        {"&H10", 16},
      {"&h1f", 31},     {"&O17", 15},   {"&o8", 0},    {"&HFFFF", 65535}, {"&H1G", 1},
      {"&X1", 0},       {"&", 0},       {"2.5", 2.5},  {"-7", -7},        {"+7", 7},
      {" - 7", -7},     {"--7", 0},     {".5", 0.5},   {"5.", 5},         {".", 0},
      {"1e2", 100},     {"1D2", 100},   {"1E+2", 100}, {"25e-1", 2.5},    {"1e", 1},
      {"1e+", 1},       {"e5", 0},      {"1,000", 1},  {"$5", 0},         {"7x", 7},
      {"3\t4\n5", 345}, {"1.2.3", 1.2}, {"0x10", 0},   {"-0", 0},         {"1e-400", 0},
  };
  for (const ValCase& c : cases) EXPECT_DOUBLE_EQ(Val(c.text), c.value) << '"' << c.text << '"';
}

TEST(ValTest, HugeNumbersBecomeInfinite) {
  EXPECT_TRUE(std::isinf(Val("1e400")));
  EXPECT_TRUE(std::isinf(Val("1e99999999999999999999")));
  EXPECT_TRUE(std::isinf(Val(std::string(400, '9'))));
  EXPECT_EQ(Val("0e99999999999"), 0);
  EXPECT_LT(Val("-1e400"), 0);
}

struct RoundCase {
  double value;
  Width width;
  std::optional<std::int32_t> expected;
};

TEST(RoundToWidthTest, RoundsHalvesToEvenAndChecksTheRange) {
  const std::vector<RoundCase> cases = {
      {2.5, Width::kByte, 2},
      {3.5, Width::kByte, 4},
      {0.5, Width::kByte, 0},
      {-0.5, Width::kByte, 0},
      {255, Width::kByte, 255},
      {255.5, Width::kByte, std::nullopt},
      {256, Width::kByte, std::nullopt},
      {-1, Width::kByte, std::nullopt},
      {-0.6, Width::kByte, std::nullopt},
      {32767, Width::kInteger, 32767},
      {32768, Width::kInteger, std::nullopt},
      {-32768, Width::kInteger, -32768},
      {-32768.5, Width::kInteger, -32768},
      {-32769, Width::kInteger, std::nullopt},
      {2147483647, Width::kLong, 2147483647},
      {2147483647.5, Width::kLong, std::nullopt},
      {-2147483648.0, Width::kLong, -2147483647 - 1},
      {-2147483649.0, Width::kLong, std::nullopt},
      {INFINITY, Width::kLong, std::nullopt},
      {-INFINITY, Width::kByte, std::nullopt},
      {1.5, Width::kInteger, 2},
      {-2.5, Width::kInteger, -2},
  };
  for (const RoundCase& c : cases) {
    EXPECT_EQ(RoundToWidth(c.value, c.width), c.expected) << c.value;
  }
}

struct StrictCase {
  std::string text;
  std::optional<double> value;
};

TEST(ParseStrictNumberTest, AcceptsWholeNumbersOnly) {
  const std::vector<StrictCase> cases = {
      {"7", 7},
      {" 7 ", 7},
      {"\t7\t", 7},
      {"-7", -7},
      {"+7", 7},
      {"2.5", 2.5},
      {".5", 0.5},
      {"5.", 5},
      {"1,000", 1000},
      {"1,2", 12},
      {"1,2,3", 123},
      {"1E+2", 100},
      {"1e2", 100},
      {"25E-1", 2.5},
      {"&H10", 16},
      {"&hff", 255},
      {"&O17", 15},
      {" &H1F ", 31},
      {"0", 0},
      {"", std::nullopt},
      {"   ", std::nullopt},
      {"7x", std::nullopt},
      {"1 2", std::nullopt},
      {"-", std::nullopt},
      {"&H", std::nullopt},
      {"1,", std::nullopt},
      {"$5", std::nullopt},
      {",1", std::nullopt},
      {"1,,2", std::nullopt},
      {"1.2,3", std::nullopt},
      {".", std::nullopt},
      {"1E", std::nullopt},
      {"1E+", std::nullopt},
      {"1D2", std::nullopt},
      {"&O8", std::nullopt},
      {"&H1G", std::nullopt},
      {"-&H1", std::nullopt},
      {"abc", std::nullopt},
      {"1-", std::nullopt},
      {"7\n", std::nullopt},
  };
  for (const StrictCase& c : cases) {
    EXPECT_EQ(ParseStrictNumber(c.text), c.value) << '"' << c.text << '"';
  }
}

}  // namespace
}  // namespace sallowmere
