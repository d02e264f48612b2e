#include "index/reference_scan.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "error_of.h"
#include "table_text.h"
#include "tables/table_file.h"
#include "tables/table_folder.h"

namespace sallowmere {
namespace {

namespace fs = std::filesystem;

TEST(ReferenceScanTest, FieldKey) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"r0c", "r0c"},
      {"  r0c  ", "r0c"},
      {"\"r0c\"", "r0c"},
      {"\"k2p,qty=3\"", "k2p"},
      {"w0d,mag", "w0d"},
      {" \" ab , c\" ", "ab"},
      {"\"", "\""},
      {"\"\"", ""},
      {"\"r0c", "\"r0c"},
      {",r0c", ""},
      {"a b,c", "a b"},
      {"\" r0c \"", "r0c"},
      {"\"\"r0c\"\"", "\"r0c\""},
      {"r0c\"", "r0c\""},
      {"", ""},
  };
  for (const auto& [field, key] : cases) EXPECT_EQ(FieldKey(field), key) << field;
}

TEST(ReferenceScanTest, CheckKey) {
  for (const char* text : {"r0c", "a b", " r0c "}) EXPECT_TRUE(CheckKey(text)) << text;
  for (const char* text : {"a\tb", "a\rb", "a\nb"}) EXPECT_FALSE(CheckKey(text)) << text;
  for (const char* text : {"", "  "}) {
    EXPECT_EQ(testing::ErrorOf(CheckKey(text)).Text().Bytes(),
              "the code \"" + std::string(text) + "\" is empty, and no field names the empty text");
  }
}

TEST(ReferenceScanTest, CodeShape) {
  const ItemCodes codes(std::vector<std::string>{"ab", "abcd", "", "ab"});
  EXPECT_EQ(codes.Count(), 2u);
  EXPECT_TRUE(codes.Contains("abcd"));
  EXPECT_FALSE(codes.Contains("ABCD"));
  for (const char* shaped : {"ab", "xyz", "wxyz"}) EXPECT_TRUE(codes.Shaped(shaped)) << shaped;
  for (const char* not_shaped : {"", "a", "vwxyz", "a b", " ab"}) {
    EXPECT_FALSE(codes.Shaped(not_shaped)) << not_shaped;
  }
  EXPECT_FALSE(ItemCodes().Shaped("ab"));
}

// Item codes i01 to i09, all three bytes long.
const ItemCodes& NineCodes() {
  static const ItemCodes codes(
      std::vector<std::string>{"i01", "i02", "i03", "i04", "i05", "i06", "i07", "i08", "i09"});
  return codes;
}

// A one-column table (the header "ref") whose data rows are `fields`, one each.
std::string Column(const std::vector<std::string>& fields) {
  std::string text = "ref\n";
  for (const std::string& field : fields) text += field + "\n";
  return text;
}

TEST(ReferenceScanTest, WhatMakesAReferenceColumn) {
  struct Case {
    const char* what;
    std::vector<std::string> fields;
    bool reference;
  };
  const std::vector<Case> cases = {
      {"five distinct item codes", {"i01", "i02", "i03", "i04", "i05"}, true},
      {"four are too few", {"i01", "i02", "i03", "i04"}, false},
      {"a repeat counts once", {"i01", "i02", "i03", "i04", "i04", "i01"}, false},
      {"six of eight are 75 %", {"i01", "i02", "i03", "i04", "i05", "i06", "x01", "x02"}, true},
      {"six of nine are less",
       {"i01", "i02", "i03", "i04", "i05", "i06", "x01", "x02", "x03"},
       false},
      {"repeats of another key count once",
       {"i01", "i02", "i03", "i04", "i05", "x01", "x01", "x01", "x01"},
       true},
      {"keys outside the codes' lengths do not count",
       {"i01", "i02", "i03", "i04", "i05", "1", "22", "4444", "55555", "x1"},
       true},
      {"keys with a space do not count",
       {"i01", "i02", "i03", "i04", "i05", "a b", "c d", "e f", "g h"},
       true},
      {"keys are read through quotes and commas",
       {"\"i01,qty=3\"", "i02,mag", " \"i03\" ", "i04", "i05"},
       true},
      {"the first key, met again later, counts once",
       {"x01", "i01", "x01", "i02", "i03", "x01", "i04", "i05"},
       true},
      {"letter case counts", {"I01", "I02", "I03", "i04", "i05"}, false},
      {"empty fields are nothing", {"i01", "", "i02", "", "i03", "i04", "", "i05"}, true},
  };
  for (const Case& c : cases) {
    const TextScan scan = ScanTableText(Column(c.fields), NineCodes());
    EXPECT_EQ(!scan.reference_columns.empty(), c.reference) << c.what;
  }
  // The header row is no data: four codes below it are still four.
  EXPECT_TRUE(ScanTableText("i05\ni01\ni02\ni03\ni04\n", NineCodes()).reference_columns.empty());
}

TEST(ReferenceScanTest, PlacesInReferenceColumnsInOrder) {
  // Column 2 names items; column 1 is text; column 3 has too few codes.
  const std::string text =
      "\xEF\xBB\xBFname\t input \tother\r\n"
      "a\ti01\ti01\r"
      "\r\n"                     // an empty line: no row, but a line
      "b\t\"i02,qty=2\"\ti02\n"  // line 4
      "c\ti03\t\n"               // line 5
      "d\tBlank\ti01\n"          // a key of any shape is named
      "e\ti04\n"
      "f\ti05\ti01\ti01\n";
  const TextScan scan = ScanTableText(text, NineCodes());
  ASSERT_EQ(scan.reference_columns, (std::vector<ReferenceColumn>{{2, "input"}}));
  const std::vector<std::pair<std::string, Place>> places = {
      {"i01", {0, 2, 2}},   {"i02", {0, 4, 2}}, {"i03", {0, 5, 2}},
      {"Blank", {0, 6, 2}}, {"i04", {0, 7, 2}}, {"i05", {0, 8, 2}}};
  EXPECT_EQ(scan.places, places);
}

TEST(ReferenceScanTest, AnItemTablesOwnCodesAreNoReference) {
  // Code column 1 (from 0). The alternate picture in column 3 names the row's own code, which
  // counts towards the column but names nothing; the next row's code is a place.
  const std::string text =
      "name\tcode\tpicture\n"
      "a\ti01\ti01\n"
      "b\ti02\ti02\n"
      "c\ti03\ti01\n"
      "d\ti04\ti04\n"
      "e\ti05\t\"i05,alt\"\n"
      "f\ti06\ti03\n";
  const TextScan scan = ScanTableText(text, NineCodes(), 1);
  ASSERT_EQ(scan.reference_columns, (std::vector<ReferenceColumn>{{3, "picture"}}));
  EXPECT_EQ(scan.places,
            (std::vector<std::pair<std::string, Place>>{{"i01", {0, 4, 3}}, {"i03", {0, 7, 3}}}));
  // Read as a table of no items, column 2 is one too, and every field names its key.
  EXPECT_EQ(ScanTableText(text, NineCodes()).places.size(), 12u);
}

// Per key of `text` (a table of no items), how many places name it and the first `most` of them.
std::map<std::string, std::pair<std::size_t, std::vector<Place>>> KeysOf(const std::string& text,
                                                                         std::size_t most,
                                                                         int code_column = -1) {
  TableScan scan(NineCodes(), code_column, std::nullopt, 0, most);
  scan.Feed(text);
  if (scan.NeedsSecondReading()) scan.CollectPlaces(text);
  std::map<std::string, std::pair<std::size_t, std::vector<Place>>> keys;
  for (KeyPlaces& places : scan.TakePlaces()) keys[places.key] = {places.count, places.first};
  return keys;
}

TEST(ReferenceScanTest, EveryPlaceWhateverTheReadingsTake) {
  // Most places are kept on the first reading; these tables need a second one, or keep too many.
  std::string many = "ref\n";
  for (int row = 0; row < 1'100'000; ++row) many += "i0" + std::to_string(1 + row % 5) + "\n";
  // An item table whose every row names the next code, and itself, which names nothing.
  std::string items = "code\tref\tself\n";
  for (int row = 0; row < 1'100'000; ++row) {
    const std::string own = "i0" + std::to_string(1 + row % 5);
    items += own + "\ti0" + std::to_string(1 + (row + 1) % 5) + "\t" + own + "\n";
  }
  struct Case {
    const char* what;
    std::string text;
    std::map<std::string, std::pair<std::size_t, std::vector<Place>>> keys;  // the first two
    int code_column = -1;
  };
  const std::vector<Case> cases = {
      {"keys before the column's first item code",
       Column({"xxx", "i01", "xxx", "i02", "i03", "i04", "i05"}),
       {{"xxx", {2, {{0, 2, 1}, {0, 4, 1}}}},
        {"i01", {1, {{0, 3, 1}}}},
        {"i02", {1, {{0, 5, 1}}}},
        {"i03", {1, {{0, 6, 1}}}},
        {"i04", {1, {{0, 7, 1}}}},
        {"i05", {1, {{0, 8, 1}}}}}},
      {"a long key that is no code",
       Column({"i01", "i02", "i03", "i04", "i05", "Blankety", "i01"}),
       {{"Blankety", {1, {{0, 7, 1}}}},
        {"i01", {2, {{0, 2, 1}, {0, 8, 1}}}},
        {"i02", {1, {{0, 3, 1}}}},
        {"i03", {1, {{0, 4, 1}}}},
        {"i04", {1, {{0, 5, 1}}}},
        {"i05", {1, {{0, 6, 1}}}}}},
      {"a key in a column read once and in one read again, in order",
       "a\tb\ni01\txxx\ni02\ti01\ni03\ti02\ni04\ti03\ni05\ti04\ni01\ti05\n",
       {{"xxx", {1, {{0, 2, 2}}}},
        {"i01", {3, {{0, 2, 1}, {0, 3, 2}}}},
        {"i02", {2, {{0, 3, 1}, {0, 4, 2}}}},
        {"i03", {2, {{0, 4, 1}, {0, 5, 2}}}},
        {"i04", {2, {{0, 5, 1}, {0, 6, 2}}}},
        {"i05", {2, {{0, 6, 1}, {0, 7, 2}}}}}},
      {"more places than the first reading keeps",
       many,
       {{"i01", {220'000, {{0, 2, 1}, {0, 7, 1}}}},
        {"i02", {220'000, {{0, 3, 1}, {0, 8, 1}}}},
        {"i03", {220'000, {{0, 4, 1}, {0, 9, 1}}}},
        {"i04", {220'000, {{0, 5, 1}, {0, 10, 1}}}},
        {"i05", {220'000, {{0, 6, 1}, {0, 11, 1}}}}}},
      {"more places than the first reading keeps, in an item table",
       items,
       {{"i01", {220'000, {{0, 6, 2}, {0, 11, 2}}}},
        {"i02", {220'000, {{0, 2, 2}, {0, 7, 2}}}},
        {"i03", {220'000, {{0, 3, 2}, {0, 8, 2}}}},
        {"i04", {220'000, {{0, 4, 2}, {0, 9, 2}}}},
        {"i05", {220'000, {{0, 5, 2}, {0, 10, 2}}}}},
       0},
  };
  for (const Case& c : cases) EXPECT_EQ(KeysOf(c.text, 2, c.code_column), c.keys) << c.what;
}

TEST(ReferenceScanTest, SurvivesAnyBytes) {
  std::string wide = "h\n";
  for (int i = 0; i < 200000; ++i) wide += "i0" + std::to_string(i % 9 + 1) + "\t";
  const std::vector<std::string> texts = {"",
                                          "\n\n\n",
                                          "\t\t\t",
                                          std::string(1 << 20, 'x'),
                                          wide,
                                          "\xFF\xFE"
                                          "h\0i\0",
                                          std::string("\0\t\0\n\0", 5),
                                          "\"\n\"\"\n,\n"};
  for (const std::string& text : texts) {
    const TextScan scan = ScanTableText(text, NineCodes(), 0);
    EXPECT_LE(scan.places.size(), 200000u);
  }
  // The wide row gives columns of one code each: none holds five.
  EXPECT_TRUE(ScanTableText(wide, NineCodes()).reference_columns.empty());
}

TEST(ReferenceScanTest, FolderTablesAndWhatIsLeftOut) {
  testing::TempFolder folder;
  const std::string rows = Column({"i01", "i02", "i03", "i04", "i05"});
  folder.Write("b.TXT", rows);
  folder.Write("a.txt", rows);
  folder.Write("c.csv", rows);  // not a table
  fs::create_directory(folder.Path() / "d.txt");
  folder.Write("e.txt",
               "\xFF\xFE"
               "r\0e\0f\0");
  {
    // A file larger than a table may be: sparse, so it costs no disk.
    std::ofstream big(folder.Path() / "f.txt", std::ios::binary);
    big.seekp(static_cast<std::streamoff>(kMaxTableBytes));
    big.put('\n');
  }
  folder.Write("items.txt", "code\ti\ni01\ti01\ni02\ti03\ni03\ti02\ni04\ti05\ni05\ti04\n");
#ifndef _WIN32
  fs::create_symlink(folder.Path() / "a.txt", folder.Path() / "g.txt");
  fs::create_symlink(folder.Path() / "nowhere", folder.Path() / "h.txt");
#endif
  // Every place, as "KEY@TABLE:LINE:COLUMN", in table, line and column order.
  const auto named_in = [](const FolderScan& scan) {
    std::vector<std::pair<Place, std::string>> all;
    for (const std::vector<KeyPlaces>& of_table : scan.places) {
      for (const KeyPlaces& of_key : of_table) {
        for (const Place& place : of_key.first) all.emplace_back(place, of_key.key);
      }
    }
    std::sort(all.begin(), all.end(), [](const auto& a, const auto& b) {
      return std::tuple(a.first.table, a.first.line, a.first.column) <
             std::tuple(b.first.table, b.first.line, b.first.column);
    });
    std::vector<std::string> texts;
    for (const auto& [place, key] : all) {
      texts.push_back(key + "@" + std::to_string(place.table) + ":" + std::to_string(place.line) +
                      ":" + std::to_string(place.column));
    }
    return texts;
  };
  const std::string table_folder = folder.PathText() + PathSeparator();
  const FolderScan scan = ScanFolder(table_folder, NineCodes(), {{{"items.txt", 0}}}, std::nullopt);
  const std::vector<ScannedTable>& tables = scan.tables;
  const std::vector<std::string> named = named_in(scan);
  std::vector<std::string> names;
  for (const ScannedTable& table : tables) names.push_back(table.file_name);
#ifndef _WIN32
  ASSERT_EQ(names,
            (std::vector<std::string>{"a.txt", "b.TXT", "e.txt", "f.txt", "g.txt", "items.txt"}));
#else
  ASSERT_EQ(names, (std::vector<std::string>{"a.txt", "b.TXT", "e.txt", "f.txt", "items.txt"}));
#endif
  EXPECT_EQ(tables[0].left_out, "");
  EXPECT_EQ(tables[2].left_out, "read error: the file is UTF-16 text; save it as 8-bit text");
  EXPECT_EQ(tables[3].left_out.rfind("file too large: ", 0), 0u);
  EXPECT_EQ(tables.back().reference_columns, (std::vector<ReferenceColumn>{{2, "i"}}));
  ASSERT_EQ(named.size(), 5u * (names.size() - 2) - 1);
  EXPECT_EQ(named.front(), "i01@0:2:1");
  // The item table's own code column names nothing; neither does its row i01.
  EXPECT_EQ(named.back(), "i04@" + std::to_string(tables.size() - 1) + ":6:2");

  // Wanted keys give the same places; a scan that keeps one place of a key still counts them.
  std::vector<std::string> named_i03;
  std::copy_if(named.begin(), named.end(), std::back_inserter(named_i03),
               [](const std::string& text) { return text.starts_with("i03@"); });
  EXPECT_EQ(named_i03.size(), names.size() - 2);
  EXPECT_EQ(named_in(ScanFolder(table_folder, NineCodes(), {{{"items.txt", 0}}},
                                std::vector<std::string>{"i03", "zzz"})),
            named_i03);

  // A scan that keeps one place of each key still counts them all.
  testing::TempFolder drops;
  drops.Write("drops.txt", Column({"i02", "i01", "i03", "i01", "i04", "i05", "i01"}));
  const FolderScan one_each =
      ScanFolder(drops.PathText() + PathSeparator(), NineCodes(), {}, std::nullopt, 1);
  ASSERT_EQ(one_each.places.size(), 1u);
  const auto i01 = std::find_if(one_each.places[0].begin(), one_each.places[0].end(),
                                [](const KeyPlaces& of_key) { return of_key.key == "i01"; });
  ASSERT_NE(i01, one_each.places[0].end());
  EXPECT_EQ(i01->count, 3u);
  EXPECT_EQ(i01->first, (std::vector<Place>{{0, 3, 1}}));
}

}  // namespace
}  // namespace sallowmere
