#include "cli/cli.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "table_text.h"
#include "tables/table_folder.h"

namespace sallowmere {
namespace {

namespace fs = std::filesystem;

struct CliRun {
  int status;
  std::string out;
  std::string err;
};

CliRun RunWith(const std::vector<std::string>& args) {
  std::ostringstream out;
  std::ostringstream err;
  const int status = RunCli(args, out, err);
  return {status, out.str(), err.str()};
}

std::string Sample() { return (testing::ExamplesDir() / "sample-mod").string(); }
std::string Duplicates() { return (testing::ExamplesDir() / "duplicates-mod").string(); }

TEST(CliTest, ListPrintsEveryEntryInLoadOrder) {
  const CliRun run = RunWith({"list", Sample()});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "");
  std::istringstream lines(run.out);
  std::vector<std::string> all;
  for (std::string line; std::getline(lines, line);) all.push_back(line);
  ASSERT_EQ(all.size(), 90u);
  EXPECT_EQ(all.front(), "r0c\t0\tArmor.txt\tarmor.txt:2\tReed Cap");
  EXPECT_EQ(all[30], "r0s\t10000\tWeapon.txt\tweapons.txt:2\tReed Spear");
  EXPECT_EQ(all.back(), "m2s\t20027\tMisc.txt\tmisc.txt:29\tMire Salt");
}

TEST(CliTest, CheckReportsEveryRepeat) {
  EXPECT_EQ(RunWith({"check", Sample()}).status, 0);
  EXPECT_EQ(RunWith({"check", Sample()}).out, "");
  const CliRun run = RunWith({"check", Duplicates()});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out,
            "armor.txt:8: duplicate code \"q0v\" (first used at armor.txt:4)\n"
            "weapons.txt:5: duplicate code \"r0c\" (first used at armor.txt:2)\n"
            "weapons.txt:12: duplicate code \"l0s\" (first used at weapons.txt:10)\n"
            "misc.txt:7: duplicate code \"t0d\" (first used at weapons.txt:3)\n"
            "misc.txt:14: duplicate code \"l0s\" (first used at weapons.txt:10)\n");
}

TEST(CliTest, LaterLayoutModIsReadByItsHeaders) {
  const std::string folder = (testing::ExamplesDir() / "later-layout-mod").string();
  const CliRun run = RunWith({"check", folder});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "armor.txt:42: duplicate code \"hm07\" (first used at armor.txt:9)\n");
  EXPECT_EQ(run.err,
            "armor.txt: note: read by its header row: code in column 19 of 166\n"
            "weapons.txt: note: read by its header row: code in column 4 of 170\n"
            "misc.txt: note: read by its header row: code in column 15 of 172\n");
  const CliRun list = RunWith({"list", folder});
  EXPECT_NE(list.out.find("\ntkez\t20539\tMisc.txt\tmisc.txt:541\tQuill Trinket 539\n"),
            std::string::npos);
}

TEST(CliTest, RefsPrintsEveryPlaceCodeByCode) {
  const std::string folder = (testing::ExamplesDir() / "later-layout-mod").string();
  const CliRun run = RunWith({"refs", folder, "tkf0", "zzzz", " sp02 ", "tkf0"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out,
            "tkf0\trecipes.txt:6\t8\toutput\n"
            "tkf0\ttreasure.txt:7\t6\tItem2\n"
            "sp02\trecipes.txt:2\t8\toutput\n"
            "sp02\ttreasure.txt:6\t8\tItem3\n"
            "tkf0\trecipes.txt:6\t8\toutput\n"
            "tkf0\ttreasure.txt:7\t6\tItem2\n");
  EXPECT_EQ(RunWith({"refs", folder, "zzzz"}).status, 1);
  EXPECT_EQ(RunWith({"refs", folder, "zzzz"}).out, "");

  testing::TempFolder broken;
  testing::WriteMod(broken, {"a01", "a02"}, {"a03"}, {"a04", "a05"});
  broken.Write("drops.txt", "item\na01\na02\na03\na04\na05\n");
  broken.Write("wide.txt", "\xFE\xFFx");
  const CliRun notes = RunWith({"refs", broken.PathText(), "a03"});
  EXPECT_EQ(notes.status, 0);
  EXPECT_EQ(notes.out, "a03\tdrops.txt:4\t1\titem\n");
  EXPECT_EQ(notes.err,
            "wide.txt: note: left out of the references: read error: the file is UTF-16 text; "
            "save it as 8-bit text\n");
  EXPECT_EQ(RunWith({"refs", broken.PathText() + "/none", "a03"}).status, 2);
}

struct CliCase {
  std::vector<std::string> args;
  int status;
  std::string out;
};

TEST(CliTest, LookupAndSuggest) {
  const std::vector<CliCase> cases = {
      {{"lookup", Sample(), " r0c ", "R0C", "t0d", "m2s", "zz9"},
       0,
       "r0c\tUsed\tArmor.txt\tReed Cap\nR0C\tFree\nt0d\tUsed\tWeapon.txt\tTin Dirk\n"
       "m2s\tUsed\tMisc.txt\tMire Salt\nzz9\tFree\n"},
      // A repeated code keeps the name of the row that used it first.
      {{"lookup", Duplicates(), "q0v", "r0c"},
       0,
       "q0v\tUsed\tArmor.txt\tQuilted Vest\nr0c\tUsed\tArmor.txt\tReed Cap\n"},
      {{"suggest", Sample(), "--count", "3", "r?c"}, 0, "r2c\nr3c\nr4c\n"},
      {{"suggest", Sample(), "r?c", "--count", "2"}, 0, "r2c\nr3c\n"},
      {{"suggest", Sample(), "--count", "2"}, 0, "000\n001\n"},
      {{"suggest", Sample(), " r?c ", "--count", "1"}, 0, "r2c\n"},
      {{"suggest", Sample(), "r0c"}, 1, ""},
      {{"suggest", Sample(), "R0C"}, 0, "R0C\n"},
  };
  for (const CliCase& c : cases) {
    const CliRun run = RunWith(c.args);
    EXPECT_EQ(run.status, c.status) << c.args[0] << " " << c.args.back();
    EXPECT_EQ(run.out, c.out) << c.args[0] << " " << c.args.back();
  }
  EXPECT_EQ(RunWith({"suggest", Sample()}).out.size(), 40u);  // ten codes of three and a newline
}

TEST(CliTest, UsageErrorsExitTwo) {
  const std::vector<std::vector<std::string>> cases = {
      {},
      {"frobnicate", Sample()},
      {"list"},
      {"list", ""},
      {"list", Sample(), "extra"},
      {"lookup", Sample()},
      {"suggest", Sample(), "--count"},
      {"suggest", Sample(), "--count", "0"},
      {"suggest", Sample(), "--count", "3x"},
      {"suggest", Sample(), "a?", "b?"},
      {"suggest", Sample(), " ", "r0?"},
      {"suggest", Sample(), "r\t?"},
      {"suggest", Sample(), "--count", "2", "r\n?"},
      {"lookup", Sample(), "r0c", "a\tb"},
      {"lookup", Sample(), "r0c\r"},
      {"lookup", Sample(), "\nr0c"},
      {"refs", Sample()},
      {"refs", Sample(), ""},
      {"refs", Sample(), "r0c", "  "},
      {"refs", Sample(), "r0c\t"},
  };
  for (const std::vector<std::string>& args : cases) {
    const CliRun run = RunWith(args);
    EXPECT_EQ(run.status, 2) << (args.empty() ? "" : args[0]);
    EXPECT_NE(run.err.find("Usage: sallowmere-cli"), std::string::npos);
    EXPECT_EQ(run.out, "");
  }
  EXPECT_EQ(RunWith({"--help"}).status, 0);
  EXPECT_NE(RunWith({"--help"}).out.find("suggest FOLDER"), std::string::npos);
  EXPECT_EQ(RunWith({"--version"}).out.rfind("sallowmere-cli ", 0), 0u);
}

TEST(CliTest, MissingTableAndLoadErrorsGoToStderr) {
  testing::TempFolder folder;
  folder.Write("armor.txt", "h\r\n");
  CliRun run = RunWith({"list", folder.PathText()});
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, folder.PathText() + PathSeparator() + "weapons.txt was not found\n");

  testing::WriteMod(folder, {"a"}, {"b", "c", "d"}, {"e"});
  folder.Write("weapons.txt",
               testing::MakeTable({testing::MakeRow(WeaponLayout(), "b"), "", "",
                                   testing::MakeRow(WeaponLayout(), "c", {{30, "38999"}})}));
  const std::vector<std::vector<std::string>> commands = {{"list", folder.PathText()},
                                                          {"check", folder.PathText()},
                                                          {"lookup", folder.PathText(), "a"},
                                                          {"suggest", folder.PathText()}};
  for (const std::vector<std::string>& args : commands) {
    run = RunWith(args);
    EXPECT_EQ(run.status, 2) << args[0];
    EXPECT_EQ(run.out, "") << args[0];
    EXPECT_EQ(run.err, "weapons.txt:5: overflow: column 31 \"38999\" does not fit an integer\n")
        << args[0];
  }
}

TEST(CliTest, BrokenTablesGiveOneLineAndExitTwo) {
  testing::TempFolder folder;
  testing::WriteMod(folder, {"a"}, {"b"}, {"c"});
  std::filesystem::resize_file(folder.Path() / "misc.txt", 64 * 1024 * 1024 + 1);
  CliRun run = RunWith({"list", folder.PathText()});
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.err,
            "misc.txt: file too large: the file holds 67108865 bytes, more than a table's "
            "67108864\n");

  folder.Write("misc.txt", std::string("\xFF\xFEh\0\r\0\n\0", 8));
  run = RunWith({"check", folder.PathText()});
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.err, "misc.txt:1: read error: the file is UTF-16 text; save it as 8-bit text\n");

#ifndef _WIN32
  std::filesystem::remove(folder.Path() / "misc.txt");
  std::filesystem::create_symlink("/dev/zero", folder.Path() / "misc.txt");
  run = RunWith({"lookup", folder.PathText(), "a"});
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.err, folder.PathText() + "/misc.txt was not found\n");
  EXPECT_EQ(run.out, "");
#endif
}

struct FileState {
  std::string bytes;
  fs::file_time_type modified;
  fs::perms permissions;
  bool operator==(const FileState&) const = default;
};

std::map<fs::path, FileState> Snapshot(const fs::path& root) {
  std::map<fs::path, FileState> files;
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root)) {
    if (!entry.is_regular_file()) continue;
    std::ifstream in(entry.path(), std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    files[entry.path()] = {bytes.str(), entry.last_write_time(), entry.status().permissions()};
  }
  return files;
}

// Loading never changes a table: not a byte, not its modification time, not its permissions.
TEST(CliTest, NothingLostOnTheSampleMods) {
  const fs::path examples = testing::ExamplesDir();
  const auto before = Snapshot(examples);
  ASSERT_EQ(before.size(), 12u);  // three mods of three item tables, one with three more
  for (const char* mod : {"sample-mod", "duplicates-mod", "later-layout-mod"}) {
    for (const char* command : {"list", "check", "suggest"}) {
      EXPECT_NE(RunWith({command, (examples / mod).string()}).status, 2) << mod << " " << command;
    }
    EXPECT_NE(RunWith({"refs", (examples / mod).string(), "r0c"}).status, 2) << mod;
  }
  EXPECT_EQ(Snapshot(examples), before);
  for (const auto& entry : fs::directory_iterator(examples / "sample-mod")) {
    EXPECT_EQ(entry.path().extension(), ".txt") << "a file appeared: " << entry.path();
  }
}

}  // namespace
}  // namespace sallowmere
