#include "tables/table_reading.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "error_of.h"
#include "table_text.h"
#include "tables/error.h"
#include "tables/table_loader.h"

namespace sallowmere {
namespace {

using testing::MakeRow;

// A header row of `count` fields, each "name<column>" but those in `names`.
std::string Header(int count, const std::map<int, std::string>& names) {
  std::string header;
  for (int column = 0; column < count; ++column) {
    if (column > 0) header += '\t';
    const auto it = names.find(column);
    header += it != names.end() ? it->second : "name" + std::to_string(column);
  }
  return header;
}

// A later-layout row: 166 fields, `code` at column 18, those in `texts` their text, `fill`
// everywhere else.
std::string LaterRow(std::string_view code, std::string_view fill = "2644750",
                     const std::map<int, std::string>& texts = {}) {
  std::string row;
  for (int column = 0; column < 166; ++column) {
    if (column > 0) row += '\t';
    const auto it = texts.find(column);
    row += column == 18 ? code : it != texts.end() ? std::string_view(it->second) : fill;
  }
  return row;
}

std::string TableText(const std::string& header, const std::vector<std::string>& rows) {
  std::string text = header + "\n";
  for (const std::string& row : rows) text += row + "\n";
  return text;
}

std::vector<std::string> Many(int count) {
  std::vector<std::string> rows;
  for (int row = 0; row < count; ++row) rows.push_back("x\tx\tx\tc" + std::to_string(row));
  return rows;
}

struct ReadingCase {
  std::string name;
  std::string text;  // an armor.txt: fixed code column 17 of 158
  std::optional<HeaderReading> reading;
  std::vector<std::string> codes;        // the codes read, when it loads
  std::optional<ErrorCause> cause = {};  // the fault, when it does not
  int line = 0;                          // the fault's line
};

TEST(TableReadingTest, TheHeaderChoosesTheReading) {
  const std::string fixed_header = Header(158, {{17, "code"}});
  const std::vector<ReadingCase> cases = {
      {"code at the fixed column, no name past the record",
       TableText(fixed_header + "\t\t", {MakeRow(ArmorLayout(), "f1")}),
       std::nullopt,
       {"f1"}},
      {"code elsewhere",
       TableText(Header(166, {{18, "code"}}), {LaterRow("h1"), LaterRow("h2")}),
       HeaderReading{18, 166},
       {"h1", "h2"}},
      {"code at the fixed column, a name past the record",
       TableText(Header(159, {{17, "code"}}), {MakeRow(ArmorLayout(), "n1", {{1, "300"}})}),
       HeaderReading{17, 159},
       {"n1"}},
      {"no code column: read fixed, and a value that does not fit fails",
       TableText(Header(170, {}), {MakeRow(ArmorLayout(), "v1", {{1, "300"}})}),
       std::nullopt,
       {},
       ErrorCause::kOverflow,
       2},
      {"CODE",
       TableText(Header(166, {{18, "CODE"}}), {LaterRow("u1")}),
       HeaderReading{18, 166},
       {"u1"}},
      {"spaced Code",
       TableText(Header(166, {{18, " Code "}}), {LaterRow("s1")}),
       HeaderReading{18, 166},
       {"s1"}},
      {"the first of two code columns",
       TableText(Header(166, {{18, "code"}, {40, "code"}}), {LaterRow("first", "second")}),
       HeaderReading{18, 166},
       {"first"}},
      {"a short row has no code",
       TableText(Header(166, {{18, "code"}}), {"a\tb", LaterRow("z")}),
       HeaderReading{18, 166},
       {"", "z"}},
      {"9,999 rows", TableText(Header(5, {{3, "code"}}), Many(9999)), HeaderReading{3, 5}, {}},
      {"10,000 rows",
       TableText(Header(5, {{3, "code"}}), Many(10000)),
       HeaderReading{3, 5},
       {},
       ErrorCause::kTooManyRows,
       10001},
      {"502 fields",
       TableText(Header(166, {{18, "code"}}), {LaterRow("a") + std::string(337, '\t')}),
       HeaderReading{18, 166},
       {},
       ErrorCause::kTooManyFields,
       2},
  };
  for (const ReadingCase& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string_view header = std::string_view(c.text).substr(0, c.text.find('\n'));
    EXPECT_EQ(ReadingOf(header, ArmorLayout()).has_value(), c.reading.has_value());
    if (c.cause) {
      const Error error = testing::ErrorOf(ParseTable<ArmorRecord>(c.text, "armor.txt"));
      EXPECT_EQ(error.Cause(), *c.cause);
      EXPECT_EQ(error.Line(), c.line);
      continue;
    }
    const Table table = *ParseTable<ArmorRecord>(c.text, "armor.txt");
    ASSERT_EQ(table.by_header.has_value(), c.reading.has_value());
    if (c.reading) {
      EXPECT_EQ(table.by_header->code_column, c.reading->code_column);
      EXPECT_EQ(table.by_header->column_count, c.reading->column_count);
    }
    if (c.codes.empty()) {
      ASSERT_EQ(table.LastRow(), 9998);
      EXPECT_EQ(table.Code(9998), "c9998");
      EXPECT_EQ(table.Line(9998), 10000);
      continue;
    }
    std::vector<std::string> codes;
    for (int row = 0; row <= table.LastRow(); ++row) codes.emplace_back(table.Code(row));
    EXPECT_EQ(codes, c.codes);
  }
}

struct NameCase {
  std::string name;
  std::string text;  // an armor.txt
  std::vector<std::string> names;
};

TEST(TableReadingTest, ItemsAreNamedByColumnZeroOrTheHeadersNameColumn) {
  const auto later = [](const std::map<int, std::string>& header,
                        const std::vector<std::string>& rows) {
    std::map<int, std::string> names = header;
    names[18] = "code";
    return TableText(Header(166, names), rows);
  };
  const std::vector<NameCase> cases = {
      {"fixed layout: column 0",
       TableText(Header(158, {{17, "code"}}), {MakeRow(ArmorLayout(), "f1", {{0, " Reed Cap "}})}),
       {"Reed Cap"}},
      {"by header: the column that reads name, before the code",
       later({{2, " Name "}}, {LaterRow("h1", "x", {{2, "Tin Visor"}})}),
       {"Tin Visor"}},
      {"by header: after the code, the first of two",
       later({{40, "NAME"}, {50, "name"}},
             {LaterRow("h1", "x", {{40, "Quilted Vest"}, {50, "other"}}), LaterRow("h2", "y")}),
       {"Quilted Vest", "y"}},
      {"by header: no name column", later({{0, "title"}}, {LaterRow("h1", "x")}), {""}},
      {"by header: a row that ends before its name",
       later({{40, "name"}}, {LaterRow("h1", "x").substr(0, 60)}),
       {""}},
  };
  for (const NameCase& c : cases) {
    SCOPED_TRACE(c.name);
    const Table table = *ParseTable<ArmorRecord>(c.text, "armor.txt");
    std::vector<std::string> names;
    for (int row = 0; row <= table.LastRow(); ++row) names.emplace_back(table.Name(row));
    EXPECT_EQ(names, c.names);
    EXPECT_EQ(table.Code(0), c.name.starts_with("fixed") ? "f1" : "h1");
  }
}

TEST(TableReadingTest, NoteNamesColumnAndCount) {
  EXPECT_EQ(HeaderReadingText({18, 166}), "read by its header row: code in column 19 of 166");
}

}  // namespace
}  // namespace sallowmere
