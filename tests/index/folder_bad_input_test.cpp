// Folders that hold something other than three plain tables, and folders with awkward paths.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "index/load_request.h"
#include "index/table_folder.h"
#include "table_text.h"

namespace sallowmere {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;

struct StandIn {
  std::string what;
  std::function<void(const fs::path& armor)> make;
};

TEST(FolderBadInputTest, WhatIsNotARegularFileCountsAsMissing) {
  const std::vector<StandIn> stand_ins = {
      {"a FIFO", [](const fs::path& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0600), 0); }},
      {"a device", [](const fs::path& p) { fs::create_symlink("/dev/null", p); }},
      {"a dangling link",
       [](const fs::path& p) { fs::create_symlink(p.parent_path() / "gone", p); }},
      {"a link loop", [](const fs::path& p) { fs::create_symlink(p, p); }},
      {"a folder", [](const fs::path& p) { fs::create_directory(p); }},
      {"a folder, other case",
       [](const fs::path& p) { fs::create_directory(p.parent_path() / "ARMOR.txt"); }},
  };
  for (const StandIn& stand_in : stand_ins) {
    SCOPED_TRACE(stand_in.what);
    TempFolder folder;
    testing::WriteMod(folder, {"a"}, {"b"}, {"c"});
    fs::remove(folder.Path() / "armor.txt");
    stand_in.make(folder.Path() / "armor.txt");
    Module1 module;
    const LoadOutcome outcome = LoadFolder(module, folder.PathText());
    EXPECT_EQ(outcome.kind, LoadOutcome::Kind::kMissingTable);
    EXPECT_EQ(outcome.missing_message, folder.PathText() + "/armor.txt was not found");
  }
}

TEST(FolderBadInputTest, TablesChangingBetweenCheckAndLoad) {
  TempFolder folder;
  testing::WriteMod(folder, {"a"}, {"b"}, {"c"});
  const FolderCheck check = CheckTableFolder(folder.PathText());
  ASSERT_FALSE(check.missing);
  Module1 module;
  module.SetTableFolder(check.table_folder);

  fs::remove(folder.Path() / "weapons.txt");
  try {
    module.LoadAllTables(check.files);
    ADD_FAILURE() << "a deleted table loaded";
  } catch (const LoadError& error) {
    EXPECT_STREQ(error.what(),
                 "weapons.txt: read error: cannot open the file: No such file or directory");
  }
  EXPECT_EQ(module.ArmorTable().LastRow(), -1);  // nothing half-read is kept

  folder.Write("weapons.txt", testing::MakeTable({testing::MakeRow(WeaponLayout(), "b")}));
  fs::resize_file(folder.Path() / "misc.txt", 3);  // truncated to "hea"
  module.LoadAllTables(check.files);
  EXPECT_EQ(module.WeaponTable().Code(0), "b");
  EXPECT_EQ(module.MiscTable().LastRow(), -1);

  fs::remove(folder.Path() / "misc.txt");
  ASSERT_EQ(::mkfifo((folder.Path() / "misc.txt").c_str(), 0600), 0);  // would block a plain open
  EXPECT_THROW(module.LoadAllTables(check.files), LoadError);
  EXPECT_EQ(module.MiscTable().LastRow(), -1);
  EXPECT_EQ(module.WeaponTable().Code(0), "b");
}

TEST(FolderBadInputTest, AwkwardFolderPaths) {
  TempFolder base;
  for (const std::string name :
       {"with spaces", "Caf\xC3\xA9 \xE2\x80\x93 mods", "tab\there", "trail"}) {
    SCOPED_TRACE(name);
    const fs::path folder = base.Path() / name;
    fs::create_directories(folder);
    for (const char* table : {"armor.txt", "weapons.txt", "misc.txt"}) {
      base.Write(fs::path(name) / table, testing::MakeTable({}));
    }
    base.Write(fs::path(name) / "armor.txt",
               testing::MakeTable({testing::MakeRow(ArmorLayout(), "k")}));
    for (const std::string& path : {folder.string(), folder.string() + "/"}) {
      Module1 module;
      const LoadOutcome outcome = LoadFolder(module, path);
      ASSERT_EQ(outcome.kind, LoadOutcome::Kind::kLoaded) << outcome.missing_message;
      EXPECT_EQ(module.TableFolder(), folder.string() + "/");
      EXPECT_EQ(outcome.index.Entries().size(), 1u);
    }
  }
}

TEST(FolderBadInputTest, AFileSystemRoot) {
  if (fs::exists("/armor.txt") || fs::exists("/Armor.txt"))
    GTEST_SKIP() << "the root holds a table";
  Module1 module;
  const LoadOutcome outcome = LoadFolder(module, "/");
  EXPECT_EQ(outcome.kind, LoadOutcome::Kind::kMissingTable);
  EXPECT_EQ(outcome.missing_message, "/armor.txt was not found");
  EXPECT_EQ(module.TableFolder(), "/");
}

}  // namespace
}  // namespace sallowmere
