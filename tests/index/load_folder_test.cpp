#include "index/load_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "table_text.h"
#include "tables/table_file.h"
#include "tables/table_folder.h"

namespace sallowmere {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;

TEST(LoadFolderTest, LoadsAndIndexes) {
  TempFolder folder;
  testing::WriteMod(folder, {"a"}, {"b", "a"}, {"c"});
  Module1 module;
  const LoadOutcome outcome = LoadFolder(module, folder.PathText());
  ASSERT_TRUE(outcome);
  EXPECT_EQ(module.TableFolder(), folder.PathText() + PathSeparator());
  EXPECT_EQ((*outcome).Entries().size(), 3u);
  EXPECT_EQ((*outcome).Duplicates().size(), 1u);
}

// On POSIX "\" is part of a name: the check and the loaders both look inside the folder "bs\".
TEST(LoadFolderTest, FolderNameEndingInBackslash) {
#ifndef _WIN32
  TempFolder folder;
  const std::string inside = folder.PathText() + "/bs\\";
  folder.Write("bs\\armor.txt", testing::MakeTable(testing::RowsWithCodes(ArmorLayout(), {"out"})));
  Module1 module;
  LoadOutcome outcome = LoadFolder(module, inside);
  ASSERT_TRUE(outcome.Error() != nullptr && outcome.Error()->Cause() == ErrorCause::kMissingTable);
  EXPECT_EQ(std::string(outcome.Error()->Description()), inside + "/armor.txt was not found");
  for (const char* name : {"armor.txt", "weapons.txt", "misc.txt"}) {
    folder.Write("bs\\/" + std::string(name), "h\r\n");
  }
  folder.Write("bs\\/armor.txt", testing::MakeTable(testing::RowsWithCodes(ArmorLayout(), {"in"})));
  outcome = LoadFolder(module, inside);
  ASSERT_TRUE(outcome);
  ASSERT_EQ((*outcome).Entries().size(), 1u);
  EXPECT_EQ((*outcome).Entries()[0].code, "in");
#endif
}

TEST(LoadFolderTest, MissingTableKeepsTheTablesAndSetsTheFolder) {
  TempFolder good;
  testing::WriteMod(good, {"a"}, {"b"}, {"c"});
  TempFolder partial;
  partial.Write("armor.txt", "h\r\n");
  partial.Write("misc.txt", "h\r\n");
  Module1 module;
  ASSERT_TRUE(static_cast<bool>(LoadFolder(module, good.PathText())));

  const LoadOutcome outcome = LoadFolder(module, partial.PathText());
  EXPECT_TRUE(outcome.Error() != nullptr && outcome.Error()->Cause() == ErrorCause::kMissingTable);
  EXPECT_EQ(std::string(outcome.Error()->Description()),
            partial.PathText() + PathSeparator() + "weapons.txt was not found");
  EXPECT_EQ(module.TableFolder(), partial.PathText() + PathSeparator());
  EXPECT_EQ(module.ArmorTable().Code(0), "a");
}

TEST(LoadFolderTest, ASecondFolderReplacesTheFirst) {
  TempFolder first;
  testing::WriteMod(first, {"a0", "a1", "a2", "a3"}, {"w0", "w1"}, {"m0"});
  TempFolder second;
  testing::WriteMod(second, {"b0"}, {}, {"n0", "n1"});
  Module1 module;
  ASSERT_TRUE(static_cast<bool>(LoadFolder(module, first.PathText())));
  const LoadOutcome outcome = LoadFolder(module, second.PathText());
  ASSERT_TRUE(outcome);
  EXPECT_EQ(module.ArmorTable().LastRow(), 0);
  EXPECT_EQ(module.WeaponTable().LastRow(), -1);
  std::vector<std::string> codes;
  for (const IndexEntry& entry : (*outcome).Entries()) codes.emplace_back(entry.code);
  EXPECT_EQ(codes, (std::vector<std::string>{"b0", "n0", "n1"}));
}

TEST(LoadFolderTest, LoadErrorComesBackAsAValue) {
  TempFolder folder;
  testing::WriteMod(folder, {"a"}, {"b"}, {"c"});
  folder.Write("weapons.txt",
               testing::MakeTable({testing::MakeRow(WeaponLayout(), "b", {{164, "\xE9"}})}));
  Module1 module;
  const LoadOutcome outcome = LoadFolder(module, folder.PathText());
  ASSERT_TRUE(outcome.Error() != nullptr);
  EXPECT_EQ(outcome.Error()->Description(),
            "weapons.txt:2: type mismatch: column 165 \"\xE9\" is not a number");
  // The file name is a path; the rest, which quotes the field's bytes, is table text.
  const MessageText message = outcome.Error()->UserMessage();
  EXPECT_EQ(message.pieces,
            (std::vector<MessageText::Piece>{{TextKind::kTable, "The tables could not be read: "},
                                             {TextKind::kPath, "weapons.txt"},
                                             {TextKind::kTable,
                                              ", line 2: type mismatch: column 165 \"\xE9\" is "
                                              "not a number."}}));
}

TEST(LoadFolderTest, AwkwardFolderPaths) {
  TempFolder base;
  std::vector<std::string> names = {"with spaces", "Caf\xC3\xA9 \xE2\x80\x93 mods", "trail"};
#ifndef _WIN32
  names.push_back("tab\there");  // no Windows name holds a tab
#endif
  for (const std::string& name : names) {
    SCOPED_TRACE(name);
    const fs::path folder = base.Path() / PathFromBytes(name);
    fs::create_directories(folder);
    for (const char* table : {"armor.txt", "weapons.txt", "misc.txt"}) {
      base.Write(PathFromBytes(name) / table, testing::MakeTable({}));
    }
    base.Write(PathFromBytes(name) / "armor.txt",
               testing::MakeTable({testing::MakeRow(ArmorLayout(), "k")}));
    const std::string text = BytesFromPath(folder);
    for (const std::string& path : {text, text + PathSeparator()}) {
      Module1 module;
      const LoadOutcome outcome = LoadFolder(module, path);
      ASSERT_TRUE(outcome);
      EXPECT_EQ(module.TableFolder(), text + PathSeparator());
      EXPECT_EQ((*outcome).Entries().size(), 1u);
    }
  }
}

TEST(LoadFolderTest, AByteOrderMarkIsNoPartOfTheHeader) {
  // A later-layout table finds its code and name columns by the header's first fields.
  const fs::path example = testing::ExamplesDir() / "later-layout-mod";
  TempFolder marked;
  for (const char* name : {"armor.txt", "weapons.txt", "misc.txt"}) {
    std::ifstream in(example / name, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    marked.Write(name, std::string(kUtf8Mark) + text);
  }
  Module1 plain_module, marked_module;
  const LoadOutcome plain = LoadFolder(plain_module, example.string());
  const LoadOutcome read = LoadFolder(marked_module, marked.PathText());
  ASSERT_TRUE(read);
  const auto& plain_entries = (*plain).Entries();
  const auto& marked_entries = (*read).Entries();
  ASSERT_EQ(marked_entries.size(), plain_entries.size());
  for (std::size_t i = 0; i < plain_entries.size(); ++i) {
    EXPECT_EQ(marked_entries[i].code, plain_entries[i].code);
    EXPECT_EQ(marked_entries[i].Name(), plain_entries[i].Name());
  }
  EXPECT_EQ(marked_module.ReadingNotes(), plain_module.ReadingNotes());
}

TEST(LoadFolderTest, ReadOnlyTablesLoad) {
  TempFolder folder;
  for (const char* name : {"armor.txt", "weapons.txt", "misc.txt"}) {
    fs::permissions(folder.Write(name, "h\r\n"), fs::perms::owner_read | fs::perms::group_read);
  }
  Module1 module;
  EXPECT_TRUE(static_cast<bool>(LoadFolder(module, folder.PathText())));
}

// The resident memory of this process in bytes, or -1 where /proc does not tell.
long long ResidentBytes() {
  std::ifstream statm("/proc/self/statm");
  long long pages = 0, resident = -1;
  if (!(statm >> pages >> resident)) return -1;
  return resident * 4096;
}

// A thousand loads of the largest tables in one process: the same result every time and no
// memory kept from one load to the next.
TEST(LoadFolderTest, ThousandLoadsOfTheLargestTables) {
  TempFolder folder;
  testing::WriteLargestMod(folder);
  Module1 module;
  long long settled = -1;
  for (int load = 1; load <= 1000; ++load) {
    const LoadOutcome outcome = LoadFolder(module, folder.PathText());
    ASSERT_TRUE(outcome);
    ASSERT_EQ((*outcome).Entries().size(), 1503u);
    ASSERT_TRUE((*outcome).Duplicates().empty());
    if (load == 50) settled = ResidentBytes();
  }
  const long long end = ResidentBytes();
  if (settled < 0 || end < 0) GTEST_SKIP() << "no /proc/self/statm to read memory from";
  // After the first loads have sized the allocator's pools, a load must not need more.
  EXPECT_LT(end - settled, 4 << 20) << "grew from " << settled << " to " << end << " bytes";
}

}  // namespace
}  // namespace sallowmere
