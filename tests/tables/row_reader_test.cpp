#include "tables/row_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "error_of.h"
#include "table_text.h"
#include "tables/error.h"
#include "tables/table_loader.h"

namespace sallowmere {
namespace {

using namespace std::string_literals;
using testing::MakeRow;

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

// The rows of `text` as a stream gives them, and how the reading ended.
std::pair<std::vector<SeenRow>, Result<void>> Read(std::string_view text) {
  std::vector<SeenRow> seen;
  RowStream stream("t.txt", nullptr, [&](int line, const RowFields& f) -> Result<void> {
    seen.push_back({line, std::string(f[0])});
    return {};
  });
  Result<void> read = stream.Feed(text);
  return {std::move(seen), std::move(read)};
}

std::vector<SeenRow> Rows(std::string_view text) { return Read(text).first; }

// A field found alone is the field the split gives, and the field limit holds the same.
TEST(SplitRowTest, FieldOfRowAgreesWithTheSplit) {
  std::vector<std::string> lines = {"",
                                    "\t",
                                    "a",
                                    "a\tb",
                                    " a \t b \t",
                                    "a\t\t",
                                    "\t\tc  \t",
                                    " \t \t ",
                                    std::string(500, '\t') + "x",
                                    std::string(501, '\t'),
                                    std::string(501, '\t') + "x",
                                    "a\t" + std::string(498, 'b') + std::string(2, '\t') + "c"};
  // Fields of many widths, so wanted fields start at every place of a sixteen-byte chunk.
  std::string varied;
  for (int i = 0; i < 40; ++i) varied += std::string(i % 7, i % 3 ? 'v' : ' ') + '\t';
  lines.push_back(varied);
  for (const std::string& line : lines) {
    RowFields fields;
    const bool split = SplitRow(line, fields);
    for (int column : {0, 1, 2, 3, 5, 8, 13, 21, 34, 39, 40, 499, 500, 501, 600}) {
      std::string_view alone;
      ASSERT_EQ(FieldOfRow(line, column, alone), split) << line.size() << " " << column;
      if (split) {
        EXPECT_EQ(alone, fields[column]) << line.size() << " " << column;
      }
      // Two fields at once, either one first; -1 wants none.
      for (int other : {-1, 0, 7, 40}) {
        const std::array<int, 2> columns = {other, column};
        std::array<std::string_view, 2> both;
        ASSERT_EQ(FieldsOfRow(line, columns, both), split) << column << " " << other;
        if (split) {
          EXPECT_EQ(both[0], fields[other]) << line.size() << " " << other;
          EXPECT_EQ(both[1], fields[column]) << line.size() << " " << column;
        }
      }
    }
  }
}

TEST(ReadRowsTest, SkipsHeaderAndEmptyLines) {
  EXPECT_TRUE(Rows("").empty());
  EXPECT_TRUE(Rows("only\theader\r\n").empty());
  EXPECT_TRUE(Rows("only\theader").empty());
  EXPECT_EQ(Rows("h\r\na\tx\r\n\r\nb\r\n"), (std::vector<SeenRow>{{2, "a"}, {4, "b"}}));
  EXPECT_EQ(Rows("h\na\nb"), (std::vector<SeenRow>{{2, "a"}, {3, "b"}}));
  EXPECT_EQ(Rows("\xEF\xBB\xBFh\r\nc\r\n"), (std::vector<SeenRow>{{2, "c"}}));
}

Error ReadError(std::string_view text) { return testing::ErrorOf(Read(text).second); }

TEST(ReadRowsTest, LimitsAreErrorsAtTheirLine) {
  std::string text = "h\r\n";
  for (int row = 0; row < 501; ++row) text += "r\r\n";
  EXPECT_EQ(Rows(text).size(), 501u);
  text += "\r\nlast\r\n";  // an empty line, then the 502nd row on line 504
  const Error rows = ReadError(text);
  EXPECT_EQ(rows.Cause(), ErrorCause::kTooManyRows);
  EXPECT_EQ(rows.Line(), 504);
  EXPECT_EQ(rows.Description(), "t.txt:504: too many rows: the table has more than 501 data rows");

  const Error fields = ReadError("h\nok\n" + std::string(501, '\t') + "x\n");
  EXPECT_EQ(fields.Cause(), ErrorCause::kTooManyFields);
  EXPECT_EQ(fields.Description(), "t.txt:3: too many fields: the row has more than 501 fields");

  // A 502nd row of 502 fields: the split, which comes first, fails first.
  std::string full = "h\n";
  for (int row = 0; row < 501; ++row) full += "r\n";
  const Error both = ReadError(full + std::string(501, '\t') + "x\n");
  EXPECT_EQ(both.Cause(), ErrorCause::kTooManyFields);
}

// Whole tables of odd text, read through a loader: a sound result or an error that names the
// file, the line and the cause.
std::vector<std::string> Codes(const Table& table) {
  std::vector<std::string> codes;
  for (int row = 0; row <= table.LastRow(); ++row) codes.emplace_back(table.Code(row));
  return codes;
}

std::string Row(std::string_view code) { return MakeRow(ArmorLayout(), code); }

Error ParseFailure(std::string_view text) {
  return testing::ErrorOf(ParseTable<ArmorRecord>(text, "armor.txt"));
}

struct TextCase {
  std::string name;
  std::string text;
  std::vector<std::string> codes;
  std::vector<int> lines;
};

TEST(TableTextTest, LineEndsAndEmptyLines) {
  const std::vector<TextCase> cases = {
      {"0 bytes", "", {}, {}},
      {"header only", "head\r\n", {}, {}},
      {"header without line end", "head", {}, {}},
      {"no final line end", "h\r\n" + Row("a1") + "\r\n" + Row("a2"), {"a1", "a2"}, {2, 3}},
      {"final line end then an empty line", "h\r\n" + Row("a1") + "\r\n\r\n", {"a1"}, {2}},
      {"CR", "h\r" + Row("a1") + "\r" + Row("a2") + "\r", {"a1", "a2"}, {2, 3}},
      {"LF", "h\n" + Row("a1") + "\n" + Row("a2") + "\n", {"a1", "a2"}, {2, 3}},
      {"mixed",
       "h\n" + Row("a1") + "\r" + Row("a2") + "\r\n" + Row("a3") + "\n\n" + Row("a4"),
       {"a1", "a2", "a3", "a4"},
       {2, 3, 4, 6}},
      {"code column last in a CRLF row",
       "h\r\n" + Row("a1").substr(0, Row("a1").find("a1") + 2) + "\r\n",
       {"a1"},
       {2}},
      {"code column last, trailing tab",
       "h\r\n" + Row("a1").substr(0, Row("a1").find("a1") + 2) + "\t\r\n",
       {"a1"},
       {2}},
  };
  for (const TextCase& c : cases) {
    SCOPED_TRACE(c.name);
    const Table table = *ParseTable<ArmorRecord>(c.text, "armor.txt");
    EXPECT_EQ(Codes(table), c.codes);
    std::vector<int> lines;
    for (int row = 0; row <= table.LastRow(); ++row) lines.push_back(table.Line(row));
    EXPECT_EQ(lines, c.lines);
  }
}

TEST(TableTextTest, OddBytesAreKeptAsTheyAre) {
  const std::vector<TextCase> cases = {
      {"NUL bytes", "h\0x\r\n"s + Row("a\0b"s) + "\r\n", {"a\0b"s}, {2}},
      {"invalid UTF-8", "h\r\n" + Row("\xC3\x28\xFF") + "\r\n", {"\xC3\x28\xFF"}, {2}},
      {"UTF-8 byte-order mark", "\xEF\xBB\xBFh\r\n" + Row("a1") + "\r\n", {"a1"}, {2}},
      {"a leading double quote is text",
       "h\r\n" + Row("\"a1") + "\r\n" + Row("\"a1\"") + "\r\n",
       {"\"a1", "\"a1\""},
       {2, 3}},
      {"a quoted field does not hide a tab",
       "h\r\n" + MakeRow(ArmorLayout(), "x", {{0, "\"A"}, {1, "3\""}}) + "\r\n",
       {"x"},
       {2}},
  };
  for (const TextCase& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Codes(*ParseTable<ArmorRecord>(c.text, "armor.txt")), c.codes);
  }
}

TEST(TableTextTest, Utf16IsRefusedWithAReason) {
  for (const std::string bom : {"\xFF\xFE", "\xFE\xFF"}) {
    std::string text = bom;
    for (char c : "h\r\na\r\n"s) text += std::string{c, '\0'};
    const Error error = ParseFailure(text);
    EXPECT_EQ(error.Description(),
              "armor.txt:1: read error: the file is UTF-16 text; save it as 8-bit text");
  }
}

TEST(TableTextTest, LongLinesAndFields) {
  for (const std::size_t length : {65535u, 65536u, 65537u}) {
    std::string row = MakeRow(ArmorLayout(), "a1", {{0, ""}});
    row.insert(0, length - row.size(), 'n');  // the name column takes up the rest
    ASSERT_EQ(row.size(), length);
    const Table table = *ParseTable<ArmorRecord>("h\r\n" + row + "\r\n", "armor.txt");
    EXPECT_EQ(Codes(table), std::vector<std::string>{"a1"});
    EXPECT_EQ(std::get<std::string_view>(table.Value(0, 0)).size(), row.find('\t'));
  }
  const std::string megabyte(1 << 20, 'x');
  const Table table = *ParseTable<ArmorRecord>(
      "h\r\n" + MakeRow(ArmorLayout(), "a1", {{20, megabyte}}) + "\r\n", "armor.txt");
  EXPECT_EQ(std::get<std::string_view>(table.Value(0, 20)), megabyte);

  const Error error =
      ParseFailure("h\r\n" + MakeRow(ArmorLayout(), "a1", {{1, std::string(1 << 20, '7')}}));
  EXPECT_EQ(error.Cause(), ErrorCause::kOverflow);
  EXPECT_EQ(error.FieldText(), std::string(40, '7') + "...");
  EXPECT_EQ(
      std::string(error.Description()),
      "armor.txt:2: overflow: column 2 \"" + std::string(40, '7') + "...\" does not fit a byte");
}

TEST(TableTextTest, TenMillionEmptyLines) {
  std::string text = "h\r\n";
  text.reserve(20'000'100);
  for (int i = 0; i < 10'000'000; ++i) text += "\r\n";
  text += Row("a1") + "\r\n";
  const Table table = *ParseTable<ArmorRecord>(text, "armor.txt");
  EXPECT_EQ(Codes(table), std::vector<std::string>{"a1"});
  EXPECT_EQ(table.Line(0), 10'000'002);
}

}  // namespace
}  // namespace sallowmere
