#include "tables/table_folder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "tables/table_file.h"
#include "temp_folder.h"

namespace sallowmere {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;

TEST(ToTableFolderTest, AppendsASeparatorOnlyWhenMissing) {
  const std::string sep(1, PathSeparator());
  EXPECT_EQ(ToTableFolder("/mods/mine"), "/mods/mine" + sep);
  EXPECT_EQ(ToTableFolder("/mods/mine/"), "/mods/mine/");
  EXPECT_EQ(ToTableFolder("/"), "/");
#ifdef _WIN32
  EXPECT_EQ(ToTableFolder("C:\\"), "C:\\");
  EXPECT_EQ(ToTableFolder("C:\\mods\\"), "C:\\mods\\");
#else
  EXPECT_EQ(ToTableFolder("/mods/bs\\"), "/mods/bs\\/");  // "\" is part of the name
#endif
}

void Touch(const TempFolder& folder, const std::filesystem::path& name) {
  folder.Write(name, "h\r\n");
}

TEST(CheckTableFolderTest, AllPresent) {
  TempFolder folder;
  for (const char* name : {"armor.txt", "weapons.txt", "misc.txt"}) Touch(folder, name);
  for (const std::string& path : {folder.PathText(), folder.PathText() + PathSeparator()}) {
    const FolderCheck check = CheckTableFolder(path);
    EXPECT_FALSE(check.missing) << check.missing->Description();
    EXPECT_EQ(check.table_folder, folder.PathText() + PathSeparator());
    EXPECT_EQ(check.files[kArmor], "armor.txt");
    EXPECT_EQ(check.files[kWeapons], "weapons.txt");
    EXPECT_EQ(check.files[kMisc], "misc.txt");
  }
}

struct MissingCase {
  std::vector<std::string> present;
  std::string message_end;
};

TEST(CheckTableFolderTest, ReportsTheFirstMissingTableOnly) {
  const std::vector<MissingCase> cases = {
      {{}, "armor.txt was not found"},
      {{"weapons.txt", "misc.txt"}, "armor.txt was not found"},
      {{"armor.txt", "misc.txt"}, "weapons.txt was not found"},
      {{"armor.txt", "weapons.txt"}, "misc.txt was not found"},
      {{"armor.txt.bak", "weapons.txt", "misc.txt"}, "armor.txt was not found"},
  };
  for (const MissingCase& c : cases) {
    TempFolder folder;
    for (const std::string& name : c.present) Touch(folder, name);
    const FolderCheck check = CheckTableFolder(folder.PathText());
    ASSERT_TRUE(check.missing);
    EXPECT_EQ(std::string(check.missing->Description()),
              folder.PathText() + PathSeparator() + c.message_end);
  }
}

TEST(CheckTableFolderTest, NamesMatchIgnoringCaseExactWinning) {
  TempFolder folder;
  Touch(folder, "Armor.TXT");
  Touch(folder, "WEAPONS.txt");
  Touch(folder, "weapons.TXT");
  Touch(folder, "misc.txt");
  Touch(folder, "Misc.txt");
  const FolderCheck check = CheckTableFolder(folder.PathText());
  ASSERT_FALSE(check.missing);
  EXPECT_EQ(check.files[kArmor], "Armor.TXT");
  EXPECT_EQ(check.files[kWeapons], "WEAPONS.txt");  // the smallest, whatever the listing order
  EXPECT_EQ(check.files[kMisc], "misc.txt");
}

TEST(CheckTableFolderTest, OnlyRegularFilesCount) {
  TempFolder folder;
  std::filesystem::create_directory(folder.Path() / "armor.txt");
  Touch(folder, "weapons.txt");
  Touch(folder, "misc.txt");
  FolderCheck check = CheckTableFolder(folder.PathText());
  ASSERT_TRUE(check.missing);
  EXPECT_EQ(std::string(check.missing->Description()),
            folder.PathText() + PathSeparator() + "armor.txt was not found");

#ifndef _WIN32
  // A folder of the exact name does not hide a file of another case.
  Touch(folder, "ARMOR.txt");
  check = CheckTableFolder(folder.PathText());
  EXPECT_FALSE(check.missing);
  EXPECT_EQ(check.files[kArmor], "ARMOR.txt");

  // A link to a table counts; a dangling link does not.
  std::filesystem::remove(folder.Path() / "misc.txt");
  Touch(folder, "real/misc.txt");
  std::filesystem::create_symlink(folder.Path() / "real/misc.txt", folder.Path() / "misc.txt");
  EXPECT_FALSE(CheckTableFolder(folder.PathText()).missing);
  std::filesystem::remove(folder.Path() / "real/misc.txt");
  check = CheckTableFolder(folder.PathText());
  ASSERT_TRUE(check.missing);
  EXPECT_EQ(std::string(check.missing->Description()),
            folder.PathText() + PathSeparator() + "misc.txt was not found");
#endif
}

#ifndef _WIN32
TEST(CheckTableFolderTest, OtherKindsOfFileCountAsMissing) {
  const std::vector<std::pair<std::string, std::function<void(const fs::path&)>>> stand_ins = {
      {"a FIFO", [](const fs::path& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0600), 0); }},
      {"a device", [](const fs::path& p) { fs::create_symlink("/dev/null", p); }},
      {"a link loop", [](const fs::path& p) { fs::create_symlink(p, p); }},
  };
  for (const auto& [what, make] : stand_ins) {
    SCOPED_TRACE(what);
    TempFolder folder;
    for (const char* name : {"weapons.txt", "misc.txt"}) Touch(folder, name);
    make(folder.Path() / "armor.txt");
    const FolderCheck check = CheckTableFolder(folder.PathText());
    ASSERT_TRUE(check.missing);
    EXPECT_EQ(std::string(check.missing->Description()),
              folder.PathText() + PathSeparator() + "armor.txt was not found");
  }
}

#endif

TEST(CheckTableFolderTest, AFileSystemRoot) {
  if (fs::exists("/armor.txt") || fs::exists("/Armor.txt")) GTEST_SKIP() << "the root holds one";
  const FolderCheck check = CheckTableFolder("/");
  EXPECT_EQ(check.table_folder, "/");
  ASSERT_TRUE(check.missing);
  EXPECT_EQ(std::string(check.missing->Description()), "/armor.txt was not found");
}

TEST(CheckTableFolderTest, AFolderThatDoesNotExistMissesArmor) {
  TempFolder folder;
  const std::string path = BytesFromPath(folder.Path() / "nowhere");
  const FolderCheck check = CheckTableFolder(path);
  ASSERT_TRUE(check.missing);
  EXPECT_EQ(std::string(check.missing->Description()),
            path + PathSeparator() + "armor.txt was not found");
}

// A stamp changes with every change a reload must follow, to any table of the folder, and with
// nothing else.
TEST(StampTableFolderTest, ChangesWithEveryTable) {
  TempFolder folder;
  folder.Write("armor.txt", "h\n");
  folder.Write("recipes.txt", "h\n");
  folder.Write("notes.md", "h\n");
  FolderStamp stamp = StampTableFolder(folder.PathText());
  ASSERT_EQ(stamp.size(), 2u);
  EXPECT_EQ(stamp[0].name, "armor.txt");
  EXPECT_EQ(stamp[1].size, 2u);
  const std::vector<std::pair<const char*, std::function<void()>>> changes = {
      {"nothing changed", [] {}},
      {"another kind of file", [&] { folder.Write("notes.md", "longer\n"); }},
      {"a table of no items written", [&] { folder.Write("recipes.txt", "h\nrow\n"); }},
      {"a table added", [&] { folder.Write("Drops.TXT", "h\n"); }},
      {"a table renamed",
       [&] { fs::rename(folder.Path() / "Drops.TXT", folder.Path() / "d.txt"); }},
#ifndef _WIN32
      // Wine keeps a file's name when a rename changes only its letter case.
      {"its letter case changed",
       [&] { fs::rename(folder.Path() / "armor.txt", folder.Path() / "Armor.txt"); }},
#endif
      {"a table removed", [&] { fs::remove(folder.Path() / "d.txt"); }},
  };
  for (const auto& [what, change] : changes) {
    change();
    const FolderStamp next = StampTableFolder(folder.PathText());
    const bool unchanged =
        std::string(what) == "nothing changed" || std::string(what) == "another kind of file";
    EXPECT_EQ(next == stamp, unchanged) << what;
    stamp = next;
  }
  EXPECT_TRUE(StampTableFolder(folder.PathText() + "/none").empty());
}

}  // namespace
}  // namespace sallowmere
