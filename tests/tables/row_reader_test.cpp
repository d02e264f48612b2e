#include "tables/row_reader.h"

#include <gtest/gtest.h>

#include "caught_load_error.h"

#include <string>
#include <utility>
#include <vector>

#include "tables/load_error.h"

namespace sallowmere {
namespace {

std::vector<std::string> Lines(std::string_view text) {
  std::vector<std::string> lines;
  LineReader reader(text);
  std::string_view line;
  while (reader.Next(line)) lines.emplace_back(line);
  return lines;
}

struct LineCase {
  std::string text;
  std::vector<std::string> lines;
};

TEST(LineReaderTest, EveryLineEndFormEndsALine) {
  const std::vector<LineCase> cases = {
      {"", {}},
      {"head", {"head"}},
      {"head\r\n", {"head"}},
      {"a\r\nb\r\n", {"a", "b"}},
      {"a\rb\r", {"a", "b"}},
      {"a\nb\n", {"a", "b"}},
      {"a\r\nb\rc\nd", {"a", "b", "c", "d"}},
      {"a\r\n\r\nb", {"a", "", "b"}},
      {"a\n\rb", {"a", "", "b"}},  // LF then CR is two line ends, not one
      {"a\r\n\r\n", {"a", ""}},
      {"\r\n", {""}},
  };
  for (const LineCase& c : cases) EXPECT_EQ(Lines(c.text), c.lines) << c.text;
}

TEST(LineReaderTest, CountsPhysicalLines) {
  LineReader reader("h\r\n\r\nx\ny");
  std::string_view line;
  std::vector<int> numbers;
  while (reader.Next(line)) numbers.push_back(reader.LineNumber());
  EXPECT_EQ(numbers, (std::vector<int>{1, 2, 3, 4}));
}

std::vector<std::string> Split(std::string_view line) {
  RowFields fields;
  EXPECT_TRUE(SplitRow(line, fields));
  std::vector<std::string> out;
  for (int i = 0; i < fields.Count(); ++i) out.emplace_back(fields[i]);
  return out;
}

TEST(SplitRowTest, TrailingTabsSpacesAndEmptyFields) {
  const std::vector<std::pair<std::string, std::vector<std::string>>> cases = {
      {"a\tb\tc", {"a", "b", "c"}},
      {"a\tb\tc\t", {"a", "b", "c"}},
      {"a\tb\t\t", {"a", "b", ""}},
      {" ab  \t x", {"ab", "x"}},
      {"a\t   \tc", {"a", "", "c"}},
      {"\ta", {"", "a"}},
      {"x", {"x"}},
      {"\t", {""}},
      {"a\xA0\t\vb ", {"a\xA0", "\vb"}},  // only code 32 is trimmed
  };
  for (const auto& [line, expected] : cases) EXPECT_EQ(Split(line), expected) << line;
}

TEST(SplitRowTest, ShortRowDoesNotInheritEarlierFields) {
  RowFields fields;
  ASSERT_TRUE(SplitRow("a\tb\tc\td", fields));
  ASSERT_TRUE(SplitRow("x", fields));
  EXPECT_EQ(fields.Count(), 1);
  EXPECT_EQ(fields[0], "x");
  EXPECT_EQ(fields[1], "");
  EXPECT_EQ(fields[3], "");
  EXPECT_EQ(fields[500], "");
}

TEST(SplitRowTest, AtMost501Fields) {
  RowFields fields;
  const std::string line = std::string(500, '\t') + "x";  // 501 fields
  EXPECT_TRUE(SplitRow(line, fields));
  EXPECT_EQ(fields.Count(), 501);
  EXPECT_EQ(fields[500], "x");
  EXPECT_TRUE(SplitRow(line + "\t", fields));  // a trailing tab adds no field
  EXPECT_EQ(fields.Count(), 501);
  EXPECT_FALSE(SplitRow(line + "\tz", fields));
  EXPECT_FALSE(SplitRow(line + "\t\t", fields));
  EXPECT_TRUE(SplitRow(std::string(501, '\t'), fields));
  EXPECT_FALSE(SplitRow(std::string(502, '\t'), fields));
}

struct SeenRow {
  int line;
  std::string first;
  bool operator==(const SeenRow&) const = default;
};

std::vector<SeenRow> Rows(std::string_view text) {
  std::vector<SeenRow> seen;
  ReadRows(text, "t.txt", [&](int line, const RowFields& f) {
    seen.push_back({line, std::string(f[0])});
  });
  return seen;
}

TEST(ReadRowsTest, SkipsHeaderAndEmptyLines) {
  EXPECT_TRUE(Rows("").empty());
  EXPECT_TRUE(Rows("only\theader\r\n").empty());
  EXPECT_TRUE(Rows("only\theader").empty());
  EXPECT_EQ(Rows("h\r\na\tx\r\n\r\nb\r\n"), (std::vector<SeenRow>{{2, "a"}, {4, "b"}}));
  EXPECT_EQ(Rows("h\na\nb"), (std::vector<SeenRow>{{2, "a"}, {3, "b"}}));
  EXPECT_EQ(Rows("\xEF\xBB\xBFh\r\nc\r\n"), (std::vector<SeenRow>{{2, "c"}}));
}

LoadError ReadError(std::string_view text) {
  return testing::CaughtLoadError([&] { Rows(text); });
}

TEST(ReadRowsTest, LimitsAreErrorsAtTheirLine) {
  std::string text = "h\r\n";
  for (int row = 0; row < 501; ++row) text += "r\r\n";
  EXPECT_EQ(Rows(text).size(), 501u);
  text += "\r\nlast\r\n";  // an empty line, then the 502nd row on line 504
  const LoadError rows = ReadError(text);
  EXPECT_EQ(rows.Cause(), LoadCause::kTooManyRows);
  EXPECT_EQ(rows.Line(), 504);
  EXPECT_STREQ(rows.what(), "t.txt:504: too many rows: the table has more than 501 data rows");

  const LoadError fields = ReadError("h\nok\n" + std::string(501, '\t') + "x\n");
  EXPECT_EQ(fields.Cause(), LoadCause::kTooManyFields);
  EXPECT_STREQ(fields.what(), "t.txt:3: too many fields: the row has more than 501 fields");

  // A 502nd row of 502 fields: the split, which comes first, fails first.
  std::string full = "h\n";
  for (int row = 0; row < 501; ++row) full += "r\n";
  const LoadError both = ReadError(full + std::string(501, '\t') + "x\n");
  EXPECT_EQ(both.Cause(), LoadCause::kTooManyFields);
}

}  // namespace
}  // namespace sallowmere
