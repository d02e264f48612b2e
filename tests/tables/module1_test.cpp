#include "tables/module1.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <filesystem>
#include <string>

#include "error_of.h"
#include "table_text.h"
#include "tables/error.h"
#include "tables/system_error.h"
#include "tables/table_folder.h"

namespace sallowmere {
namespace {

using testing::MakeRow;
using testing::MakeTable;
using testing::TempFolder;

TEST(Module1Test, LoadsAllThreeAndKeepsThemOnFailure) {
  TempFolder good;
  testing::WriteMod(good, {"a1", "a2"}, {"w1"}, {"m1", "m2", "m3"});
  Module1 module;
  EXPECT_EQ(module.ArmorTable().LastRow(), -1);
  module.SetTableFolder(good.PathText() + "/");
  module.LoadAllTables();
  EXPECT_EQ(module.ArmorTable().LastRow(), 1);
  EXPECT_EQ(module.WeaponTable().LastRow(), 0);
  EXPECT_EQ(module.MiscTable().LastRow(), 2);

  TempFolder bad;
  testing::WriteMod(bad, {"b1"}, {"x1"}, {});
  bad.Write("misc.txt", MakeTable({MakeRow(MiscLayout(), "m", {{2, "999"}})}));
  module.SetTableFolder(bad.PathText() + "/");
  EXPECT_FALSE(module.LoadAllTables());
  EXPECT_EQ(module.ArmorTable().LastRow(), 1);  // the earlier load, whole
  EXPECT_EQ(module.ArmorTable().Code(0), "a1");
  EXPECT_EQ(module.WeaponTable().Code(0), "w1");
  EXPECT_EQ(module.MiscTable().LastRow(), 2);
}

TEST(Module1Test, LoadsTheNamesItIsGiven) {
  TempFolder folder;
  testing::WriteMod(folder, {}, {}, {});
  folder.Write("ARMOR.TXT", MakeTable(testing::RowsWithCodes(ArmorLayout(), {"big"})));
  Module1 module;
  module.SetTableFolder(folder.PathText() + "/");
  module.LoadAllTables({"ARMOR.TXT", "weapons.txt", "misc.txt"});
  EXPECT_EQ(module.ArmorTable().file_name, "ARMOR.TXT");
  EXPECT_EQ(module.ArmorTable().Code(0), "big");
}

TEST(Module1Test, TablesChangingBetweenCheckAndLoad) {
  TempFolder folder;
  testing::WriteMod(folder, {"a"}, {"b"}, {"c"});
  const FolderCheck check = CheckTableFolder(folder.PathText());
  ASSERT_FALSE(check.missing);
  Module1 module;
  module.SetTableFolder(check.table_folder);

  std::filesystem::remove(folder.Path() / "weapons.txt");
  // The system's own words for a file that is not there.
#ifdef _WIN32
  const std::string not_there = WindowsErrorText(2);  // ERROR_FILE_NOT_FOUND
#else
  const std::string not_there = ErrnoText(ENOENT);
#endif
  EXPECT_EQ(std::string(testing::ErrorOf(module.LoadAllTables(check.files)).Description()),
            "weapons.txt: read error: cannot open the file: " + not_there);
  EXPECT_EQ(module.ArmorTable().LastRow(), -1);  // nothing half-read is kept

  folder.Write("weapons.txt", testing::MakeTable({testing::MakeRow(WeaponLayout(), "b")}));
  std::filesystem::resize_file(folder.Path() / "misc.txt", 3);  // truncated to "hea"
  module.LoadAllTables(check.files);
  EXPECT_EQ(module.WeaponTable().Code(0), "b");
  EXPECT_EQ(module.MiscTable().LastRow(), -1);

#ifndef _WIN32
  std::filesystem::remove(folder.Path() / "misc.txt");
  ASSERT_EQ(::mkfifo((folder.Path() / "misc.txt").c_str(), 0600), 0);  // would block a plain open
  EXPECT_FALSE(module.LoadAllTables(check.files));
  EXPECT_EQ(module.MiscTable().LastRow(), -1);
  EXPECT_EQ(module.WeaponTable().Code(0), "b");
#endif
}

TEST(Module1Test, NotesTheTablesReadByTheirHeaders) {
  TempFolder folder;
  testing::WriteMod(folder, {"a"}, {"w"}, {"m"});
  folder.Write("weapons.txt", "name\tx\tkind\tcode\nsword\t1\t2644750\tsw1\n");
  Module1 module;
  module.SetTableFolder(folder.PathText() + "/");
  module.LoadAllTables();
  EXPECT_EQ(module.ReadingNotes(),
            std::vector<std::string>{"weapons.txt: note: " + HeaderReadingText({3, 4})});
}

}  // namespace
}  // namespace sallowmere
