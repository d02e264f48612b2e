#include "tables/table_loader.h"

#include <gtest/gtest.h>

#include "error_of.h"

#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <type_traits>
#include <variant>

#include "table_text.h"
#include "tables/error.h"
#include "tables/numeric.h"

namespace sallowmere {
namespace {

using testing::MakeRow;
using testing::MakeTable;
using testing::TempFolder;

std::string FolderOf(const TempFolder& folder) { return folder.PathText() + "/"; }

template <class RecordT>
Error LoadFailure(const TempFolder& folder, const std::string& name) {
  std::string buffer;
  return testing::ErrorOf(LoadTable<RecordT>(FolderOf(folder), name, buffer));
}

TEST(TableLoaderTest, ConvertsEveryColumnByItsWidth) {
  TempFolder folder;
  folder.Write("armor.txt", MakeTable({MakeRow(ArmorLayout(), "cap1",
                                               {{0, "Tin Cap"},
                                                {1, "2.5"},
                                                {3, "-32768"},
                                                {15, "&HFFFF"},
                                                {16, "12abc"},
                                                {18, ""},
                                                {20, "  spaced  "},
                                                {157, "3.5"}})}));
  std::string buffer;
  const Table table = *LoadArmorTable(FolderOf(folder), "armor.txt", buffer);
  ASSERT_EQ(table.LastRow(), 0);
  EXPECT_EQ(table.file_name, "armor.txt");
  EXPECT_EQ(table.Line(0), 2);
  EXPECT_EQ(table.Code(0), "cap1");
  EXPECT_EQ(table.Value(0, 0), Cell(std::string_view("Tin Cap")));
  EXPECT_EQ(table.Value(0, 1), Cell(std::uint8_t{2}));
  EXPECT_EQ(table.Value(0, 3), Cell(std::int16_t{-32768}));
  EXPECT_EQ(table.Value(0, 15), Cell(std::int32_t{65535}));
  EXPECT_EQ(table.Value(0, 16), Cell(std::int32_t{12}));
  EXPECT_EQ(table.Value(0, 18), Cell(std::uint8_t{0}));
  EXPECT_EQ(table.Value(0, 20), Cell(std::string_view("spaced")));
  EXPECT_EQ(table.Value(0, 157), Cell(std::uint8_t{4}));
  EXPECT_EQ(table.Value(0, 2), Cell(std::uint8_t{12}));  // a typical value untouched
}

// Each numeric column stores what the lenient rule reads, however the loader gets there.
TEST(TableLoaderTest, EveryWidthStoresWhatTheLenientRuleReads) {
  const std::vector<std::string> texts = {
      "0",          "-0",          "007",        "255",    "256",       "-1",
      "32767",      "32768",       "-32768",     "-32769", "999999999", "-999999999",
      "1234567890", "-2147483648", "2147483648", "-",      "--1",       "+5",
      "1-",         "12abc",       "2.5",        "3.5",    "&H10",      "1e2",
      "",           "1 2",         "9x9",        "-0012",  ".5",        "0000000001",
      "00000000001"};
  // Columns 1 (byte), 3 (integer) and 15 (long) of armor.txt.
  const std::vector<std::pair<int, Width>> columns = {
      {1, Width::kByte}, {3, Width::kInteger}, {15, Width::kLong}};
  for (const auto& [column, width] : columns) {
    for (const std::string& text : texts) {
      SCOPED_TRACE("column " + std::to_string(column) + " \"" + text + "\"");
      const std::optional<std::int32_t> expected = RoundToWidth(Val(text), width);
      const std::string table = MakeTable({MakeRow(ArmorLayout(), "c", {{column, text}})});
      const Result<Table> parsed = ParseTable<ArmorRecord>(table, "armor.txt");
      if (const Error* error = parsed.Error()) {
        EXPECT_FALSE(expected) << error->Description();
        EXPECT_EQ(error->Cause(), ErrorCause::kOverflow);
        continue;
      }
      ASSERT_TRUE(expected) << "stored a value the rule overflows";
      const std::int32_t stored = std::visit(
          [](auto v) -> std::int32_t {
            if constexpr (std::is_same_v<decltype(v), std::string_view>) {
              return -1;
            } else {
              return v;
            }
          },
          parsed->Value(0, column));
      EXPECT_EQ(stored, *expected);
    }
  }
}

TEST(TableLoaderTest, StrictColumnOfWeapons) {
  TempFolder folder;
  folder.Write("weapons.txt", MakeTable({MakeRow(WeaponLayout(), "ax1", {{164, "7"}, {163, "7x"}}),
                                         MakeRow(WeaponLayout(), "ax2", {{164, " &H0A "}})}));
  std::string buffer;
  const Table table = *LoadWeaponTable(FolderOf(folder), "weapons.txt", buffer);
  ASSERT_EQ(table.LastRow(), 1);
  EXPECT_EQ(table.Value(0, 164), Cell(std::uint8_t{7}));
  EXPECT_EQ(table.Value(0, 163), Cell(std::uint8_t{7}));
  EXPECT_EQ(table.Value(1, 164), Cell(std::uint8_t{10}));
}

struct ErrorCase {
  std::string what;  // the row's overrides, described
  std::map<int, std::string> overrides;
  ErrorCause cause;
  int column;
  std::string message;
};

TEST(TableLoaderTest, ConversionErrorsNameFileLineColumnAndField) {
  const std::vector<ErrorCase> cases = {
      {"strict 7x",
       {{164, "7x"}},
       ErrorCause::kTypeMismatch,
       164,
       "weapons.txt:3: type mismatch: column 165 \"7x\" is not a number"},
      {"strict empty",
       {{164, ""}},
       ErrorCause::kTypeMismatch,
       164,
       "weapons.txt:3: type mismatch: column 165 \"\" is not a number"},
      {"strict 256",
       {{164, "256"}},
       ErrorCause::kOverflow,
       164,
       "weapons.txt:3: overflow: column 165 \"256\" does not fit a byte"},
      {"strict 1,000",
       {{164, "1,000"}},
       ErrorCause::kOverflow,
       164,
       "weapons.txt:3: overflow: column 165 \"1,000\" does not fit a byte"},
      {"byte 256",
       {{4, "256"}},
       ErrorCause::kOverflow,
       4,
       "weapons.txt:3: overflow: column 5 \"256\" does not fit a byte"},
      {"byte -1",
       {{4, "-1"}},
       ErrorCause::kOverflow,
       4,
       "weapons.txt:3: overflow: column 5 \"-1\" does not fit a byte"},
      {"integer 32768",
       {{6, "32768"}},
       ErrorCause::kOverflow,
       6,
       "weapons.txt:3: overflow: column 7 \"32768\" does not fit an integer"},
      {"long",
       {{31, "2147483648"}},
       ErrorCause::kOverflow,
       31,
       "weapons.txt:3: overflow: column 32 \"2147483648\" does not fit a long"},
      {"first of two faults",
       {{6, "99999"}, {4, "300"}},
       ErrorCause::kOverflow,
       4,
       "weapons.txt:3: overflow: column 5 \"300\" does not fit a byte"},
      {"long field",
       {{30, std::string(50, '9')}},
       ErrorCause::kOverflow,
       30,
       "weapons.txt:3: overflow: column 31 \"" + std::string(40, '9') +
           "...\" does not fit an integer"},
  };
  for (const ErrorCase& c : cases) {
    SCOPED_TRACE(c.what);
    TempFolder folder;
    folder.Write("weapons.txt", MakeTable({MakeRow(WeaponLayout(), "ok"),
                                           MakeRow(WeaponLayout(), "bad", c.overrides)}));
    const Error error = LoadFailure<WeaponRecord>(folder, "weapons.txt");
    EXPECT_EQ(error.Cause(), c.cause);
    EXPECT_EQ(error.File(), "weapons.txt");
    EXPECT_EQ(error.Line(), 3);
    EXPECT_EQ(error.Column(), c.column);
    EXPECT_EQ(error.Description(), c.message);
  }
}

// Where the header names the column, the message names it too; the name is the header's field.
TEST(TableLoaderTest, ConversionErrorsNameTheHeadersColumn) {
  const struct {
    std::string header;
    std::string detail;
  } cases[] = {
      {"name\tx\tcode\tkind\t" + std::string(26, '\t') + " gamble cost \tmore",
       "column 31 (\"gamble cost\") \"38999\" does not fit an integer"},
      {"name\tx\tcode\tkind\t" + std::string(26, '\t') + "\tmore",
       "column 31 \"38999\" does not fit an integer"},
      {"name", "column 31 \"38999\" does not fit an integer"},
  };
  for (const auto& c : cases) {
    TempFolder folder;
    folder.Write("weapons.txt",
                 c.header + "\r\n" + MakeRow(WeaponLayout(), "bad", {{30, "38999"}}) + "\r\n");
    const Error error = LoadFailure<WeaponRecord>(folder, "weapons.txt");
    EXPECT_EQ(error.Description(), "weapons.txt:2: overflow: " + c.detail) << c.header;
    EXPECT_EQ(error.Column(), 30);
  }
}

TEST(TableLoaderTest, ShortWeaponRowFailsAtTheStrictColumn) {
  TempFolder folder;
  folder.Write("weapons.txt", MakeTable({"Axe\tx\tax1\tword\t1"}));
  const Error error = LoadFailure<WeaponRecord>(folder, "weapons.txt");
  EXPECT_EQ(error.Cause(), ErrorCause::kTypeMismatch);
  EXPECT_EQ(error.Column(), 164);
  EXPECT_EQ(error.Line(), 2);
}

TEST(TableLoaderTest, ShortRowsReadMissingFieldsAsEmpty) {
  TempFolder folder;
  folder.Write("misc.txt", MakeTable({MakeRow(MiscLayout(), "gem1"), "Stone\tx\t5"}));
  std::string buffer;
  const Table table = *LoadMiscTable(FolderOf(folder), "misc.txt", buffer);
  ASSERT_EQ(table.LastRow(), 1);
  EXPECT_EQ(table.Code(1), "");  // not the previous row's code
  EXPECT_EQ(table.Value(1, 2), Cell(std::uint8_t{5}));
  EXPECT_EQ(table.Value(1, 3), Cell(std::uint8_t{0}));
}

// Every string column keeps its own field, whether its range is copied whole from the row or
// field by field (a field lost spaces, or the row ends within the range).
TEST(TableLoaderTest, EveryStringColumnKeepsItsOwnField) {
  const RecordLayout& layout = MiscLayout();  // seven ranges of strings, one to 113 columns wide
  std::map<int, std::string> plain;
  std::map<int, std::string> spaced;
  for (int column = 0; column < layout.ColumnCount(); ++column) {
    if (layout.Column(column).width != Width::kString) continue;
    plain[column] = "s" + std::to_string(column);
    spaced[column] = column % 3 == 0 ? " s" + std::to_string(column) + "  " : plain[column];
  }
  const std::string whole = MakeRow(layout, "", plain);
  const std::string cut = whole.substr(0, whole.find("\ts100\t"));  // ends at column 99
  const Table table =
      *ParseTable<MiscRecord>(MakeTable({whole, MakeRow(layout, "", spaced), cut}), "misc.txt");
  ASSERT_EQ(table.LastRow(), 2);
  for (const auto& [column, text] : plain) {
    for (int row = 0; row < 2; ++row) {
      EXPECT_EQ(table.Value(row, column), Cell(std::string_view(text))) << row << " " << column;
    }
    const std::string_view in_cut = column < 100 ? std::string_view(text) : std::string_view();
    EXPECT_EQ(table.Value(2, column), Cell(in_cut)) << column;
  }
}

// A file read piece by piece gives the table its whole text gives.
TEST(TableLoaderTest, AFileInPiecesReadsAsItsWholeText) {
  TempFolder folder;
  testing::WriteLargestMod(folder);  // some 300 KB a table: several pieces
  std::ifstream file(folder.Path() / "misc.txt", std::ios::binary);
  const std::string text{std::istreambuf_iterator<char>(file), {}};
  std::string buffer;
  const Table piecewise = *LoadMiscTable(FolderOf(folder), "misc.txt", buffer);
  const Table whole = *ParseTable<MiscRecord>(text, "misc.txt");
  ASSERT_EQ(piecewise.LastRow(), 500);
  EXPECT_EQ(piecewise.values.lines, whole.values.lines);
  EXPECT_EQ(piecewise.values.strings, whole.values.strings);
  EXPECT_EQ(piecewise.values.integers, whole.values.integers);
}

TEST(TableLoaderTest, RowCountsAndEmptyTables) {
  TempFolder folder;
  folder.Write("armor.txt",
               MakeTable(testing::RowsWithCodes(ArmorLayout(), {"a", "b", "c"}), "\n"));
  folder.Write("weapons.txt", "header only");
  folder.Write("misc.txt", "");
  std::string buffer;  // reused by every load below, as a Module1 reuses its own
  EXPECT_EQ(LoadArmorTable(FolderOf(folder), "armor.txt", buffer)->LastRow(), 2);
  EXPECT_EQ(LoadWeaponTable(FolderOf(folder), "weapons.txt", buffer)->LastRow(), -1);
  EXPECT_EQ(LoadMiscTable(FolderOf(folder), "misc.txt", buffer)->LastRow(), -1);
}

TEST(TableLoaderTest, UnreadableFileIsAReadError) {
  TempFolder folder;
  const Error error = LoadFailure<MiscRecord>(folder, "misc.txt");
  EXPECT_EQ(error.Cause(), ErrorCause::kReadError);
  EXPECT_EQ(error.Line(), 0);
  EXPECT_EQ(std::string(error.Description()).rfind("misc.txt: read error: cannot open the file", 0),
            0u)
      << error.Description();
}

}  // namespace
}  // namespace sallowmere
