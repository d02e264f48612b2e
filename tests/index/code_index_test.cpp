#include "index/code_index.h"

#include <gtest/gtest.h>

#include "error_of.h"
#include "table_text.h"

namespace sallowmere {
namespace {

CodeIndex IndexOf(const std::vector<std::string>& armor, const std::vector<std::string>& weapons,
                  const std::vector<std::string>& misc) {
  return testing::IndexOfMod(armor, weapons, misc);
}

struct EntryView {
  std::string code;
  int tag;
  std::string file;
  int line;
  bool operator==(const EntryView&) const = default;
};

std::vector<EntryView> View(const CodeIndex& index) {
  std::vector<EntryView> out;
  for (const IndexEntry& e : index.Entries())
    out.push_back({std::string(e.code), e.origin_tag, std::string(index.FileOf(e)), e.line});
  return out;
}

TEST(CodeIndexTest, EntriesInLoadOrderWithTags) {
  const CodeIndex index = IndexOf({"hlm", "bts"}, {"axe"}, {"", "gem", "Gem"});
  EXPECT_EQ(View(index), (std::vector<EntryView>{{"hlm", 0, "armor.txt", 2},
                                                 {"bts", 1, "armor.txt", 3},
                                                 {"axe", 10000, "weapons.txt", 2},
                                                 {"gem", 20001, "misc.txt", 3},
                                                 {"Gem", 20002, "misc.txt", 4}}));
  EXPECT_TRUE(index.Duplicates().empty());
}

TEST(CodeIndexTest, EveryRepeatIsReportedAndTheFirstKeepsItsTag) {
  const CodeIndex index =
      IndexOf({"a0", "a1", "a2", "dup"}, {"w0", "w1", "w2", "w3", "w4", "w5", "w6", "dup", "dup"},
              {"dup", "m1"});
  ASSERT_EQ(index.Duplicates().size(), 3u);
  const IndexEntry* first = index.Find("dup");
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->origin_tag, 3);
  const std::vector<std::pair<std::string, int>> where = {
      {"weapons.txt", 9}, {"weapons.txt", 10}, {"misc.txt", 2}};
  for (std::size_t i = 0; i < where.size(); ++i) {
    const DuplicateReport& report = index.Duplicates()[i];
    EXPECT_EQ(report.code, "dup");
    EXPECT_EQ(report.file, where[i].first);
    EXPECT_EQ(report.line, where[i].second);
    EXPECT_EQ(&index.Entries()[report.first_entry], first);
    EXPECT_EQ(report.uses, static_cast<int>(i) + 2);
  }
  EXPECT_EQ(index.Entries().size(), 12u);
  // The code stands apart from the words; the count and both rows are those of this repeat.
  const MessageText last = DuplicateMessage(index, index.Duplicates()[2]);
  EXPECT_EQ(last.Bytes(),
            "Error Itemcode: dup is used for 4 items.\nmisc.txt:2, first used at armor.txt:5");
  EXPECT_EQ(last.pieces[1], (MessageText::Piece{TextKind::kPath, "misc.txt"}));
}

TEST(CodeIndexTest, EmptyCodesContributeNothing) {
  const CodeIndex index = IndexOf({"", ""}, {}, {""});
  EXPECT_TRUE(index.Entries().empty());
  EXPECT_TRUE(index.Duplicates().empty());
}

TEST(CodeIndexTest, LastWeaponRowGetsItsTag) {
  std::vector<std::string> codes;
  for (int row = 0; row <= 500; ++row) codes.push_back("w" + std::to_string(row));
  const CodeIndex index = IndexOf({}, codes, {});
  ASSERT_EQ(index.Entries().size(), 501u);
  EXPECT_EQ(index.Find("w500")->origin_tag, 10500);
}

TEST(CodeIndexTest, EachEntryKeepsTheNameOfItsFirstRowUnlessNamesAreSkipped) {
  const std::string long_name(kMaxNameBytes + 5, 'n');
  PerItemTable<TableCodes> tables;
  tables[kArmor] = {"armor.txt", {{"cap", "Reed Cap", 2}, {"hat", long_name, 3}}};
  tables[kMisc] = {"misc.txt", {{"cap", "Second Cap", 7}, {"gem", "", 8}}};
  const CodeIndex kept = CodeIndex::Build(tables, ItemNames::kKeep);
  ASSERT_EQ(kept.Entries().size(), 3u);
  EXPECT_EQ(kept.Find("cap")->Name(), "Reed Cap");
  EXPECT_EQ(kept.Find("hat")->Name(), std::string_view(long_name).substr(0, kMaxNameBytes));
  EXPECT_EQ(kept.Find("gem")->Name(), "");
  EXPECT_EQ(kept.PlaceOf(*kept.Find("gem")), "misc.txt:8");
  ASSERT_EQ(kept.Duplicates().size(), 1u);
  EXPECT_EQ(kept.Duplicates()[0].file, "misc.txt");
  const CodeIndex skipped = CodeIndex::Build(tables, ItemNames::kSkip);
  for (const IndexEntry& entry : skipped.Entries()) EXPECT_EQ(entry.Name(), "") << entry.code;
  EXPECT_EQ(skipped.Find("gem")->origin_tag, 20001);
}

TEST(CheckCodeTest, TabCrAndLfCannotBeInACode) {
  for (const char* text : {"ab", " ab ", "", "a b"}) EXPECT_TRUE(CheckCode(text)) << text;
  for (const char* text : {"ab\r", "\nab"}) EXPECT_FALSE(CheckCode(text)) << text;
  const Error error = testing::ErrorOf(CheckPattern(" a\tb"));
  EXPECT_EQ(error.Cause(), ErrorCause::kUsage);
  EXPECT_EQ(error.FieldText(), " a\tb");
  EXPECT_EQ(error.Text().Bytes(),
            "the pattern \" a\\tb\" holds a tab, CR or LF, which no code in a table can hold");
}

}  // namespace
}  // namespace sallowmere
