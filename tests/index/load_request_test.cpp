#include "index/load_request.h"

#include <gtest/gtest.h>

#include "table_text.h"

namespace sallowmere {
namespace {

using testing::TempFolder;

TEST(LoadFolderTest, LoadsAndIndexes) {
  TempFolder folder;
  testing::WriteMod(folder, {"a"}, {"b", "a"}, {"c"});
  Module1 module;
  const LoadOutcome outcome = LoadFolder(module, folder.PathText());
  ASSERT_EQ(outcome.kind, LoadOutcome::Kind::kLoaded);
  EXPECT_EQ(module.TableFolder(), folder.PathText() + "/");
  EXPECT_EQ(outcome.index.Entries().size(), 3u);
  EXPECT_EQ(outcome.index.Duplicates().size(), 1u);
}

// On POSIX "\" is part of a name: the check and the loaders both look inside the folder "bs\".
TEST(LoadFolderTest, FolderNameEndingInBackslash) {
#ifndef _WIN32
  TempFolder folder;
  const std::string inside = folder.PathText() + "/bs\\";
  folder.Write("bs\\armor.txt", testing::MakeTable(testing::RowsWithCodes(ArmorLayout(), {"out"})));
  Module1 module;
  LoadOutcome outcome = LoadFolder(module, inside);
  ASSERT_EQ(outcome.kind, LoadOutcome::Kind::kMissingTable);
  EXPECT_EQ(outcome.missing_message, inside + "/armor.txt was not found");
  for (const char* name : {"armor.txt", "weapons.txt", "misc.txt"}) {
    folder.Write("bs\\/" + std::string(name), "h\r\n");
  }
  folder.Write("bs\\/armor.txt", testing::MakeTable(testing::RowsWithCodes(ArmorLayout(), {"in"})));
  outcome = LoadFolder(module, inside);
  ASSERT_EQ(outcome.kind, LoadOutcome::Kind::kLoaded);
  ASSERT_EQ(outcome.index.Entries().size(), 1u);
  EXPECT_EQ(outcome.index.Entries()[0].code, "in");
#endif
}

TEST(LoadFolderTest, MissingTableKeepsTheTablesAndSetsTheFolder) {
  TempFolder good;
  testing::WriteMod(good, {"a"}, {"b"}, {"c"});
  TempFolder partial;
  partial.Write("armor.txt", "h\r\n");
  partial.Write("misc.txt", "h\r\n");
  Module1 module;
  ASSERT_EQ(LoadFolder(module, good.PathText()).kind, LoadOutcome::Kind::kLoaded);

  const LoadOutcome outcome = LoadFolder(module, partial.PathText());
  EXPECT_EQ(outcome.kind, LoadOutcome::Kind::kMissingTable);
  EXPECT_EQ(outcome.missing_message, partial.PathText() + "/weapons.txt was not found");
  EXPECT_EQ(module.TableFolder(), partial.PathText() + "/");
  EXPECT_EQ(module.ArmorTable().Code(0), "a");
}

TEST(LoadFolderTest, ASecondFolderReplacesTheFirst) {
  TempFolder first;
  testing::WriteMod(first, {"a0", "a1", "a2", "a3"}, {"w0", "w1"}, {"m0"});
  TempFolder second;
  testing::WriteMod(second, {"b0"}, {}, {"n0", "n1"});
  Module1 module;
  ASSERT_EQ(LoadFolder(module, first.PathText()).kind, LoadOutcome::Kind::kLoaded);
  const LoadOutcome outcome = LoadFolder(module, second.PathText());
  ASSERT_EQ(outcome.kind, LoadOutcome::Kind::kLoaded);
  EXPECT_EQ(module.ArmorTable().LastRow(), 0);
  EXPECT_EQ(module.WeaponTable().LastRow(), -1);
  std::vector<std::string> codes;
  for (const IndexEntry& entry : outcome.index.Entries()) codes.push_back(entry.code);
  EXPECT_EQ(codes, (std::vector<std::string>{"b0", "n0", "n1"}));
}

TEST(LoadFolderTest, LoadErrorComesBackAsAValue) {
  TempFolder folder;
  testing::WriteMod(folder, {"a"}, {"b"}, {"c"});
  folder.Write("weapons.txt",
               testing::MakeTable({testing::MakeRow(WeaponLayout(), "b", {{164, "x"}})}));
  Module1 module;
  const LoadOutcome outcome = LoadFolder(module, folder.PathText());
  ASSERT_EQ(outcome.kind, LoadOutcome::Kind::kLoadFailed);
  ASSERT_TRUE(outcome.error);
  EXPECT_STREQ(outcome.error->what(),
               "weapons.txt:2: type mismatch: column 164 \"x\" is not a number");
  EXPECT_EQ(outcome.error->UserMessage(),
            "The tables could not be read: weapons.txt, line 2: type mismatch: column 164 \"x\" is "
            "not a number.");
  EXPECT_TRUE(outcome.index.Entries().empty());
}

}  // namespace
}  // namespace sallowmere
