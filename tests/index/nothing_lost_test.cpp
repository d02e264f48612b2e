// Loading never changes a table: not a byte, not its modification time.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "cli/cli.h"
#include "index/load_request.h"
#include "temp_folder.h"

namespace sallowmere {
namespace {

namespace fs = std::filesystem;

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

TEST(NothingLostTest, LoadingTheSampleModsChangesNoFile) {
  const fs::path examples = testing::ExamplesDir();
  const auto before = Snapshot(examples);
  ASSERT_EQ(before.size(), 9u);  // three mods of three tables
  for (const char* mod : {"sample-mod", "duplicates-mod"}) {
    const std::string folder = (examples / mod).string();
    Module1 module;
    for (int load = 0; load < 3; ++load) {
      EXPECT_EQ(LoadFolder(module, folder).kind, LoadOutcome::Kind::kLoaded);
    }
    for (const char* command : {"list", "check", "suggest"}) {
      std::ostringstream out, err;
      const std::vector<std::string> args = {command, folder};
      RunCli(args, out, err);
      EXPECT_EQ(err.str(), "");
    }
  }
  EXPECT_EQ(Snapshot(examples), before);
  for (const auto& entry : fs::directory_iterator(examples / "sample-mod")) {
    EXPECT_EQ(entry.path().extension(), ".txt") << "a file appeared: " << entry.path();
  }
}

TEST(NothingLostTest, ReadOnlyTablesLoad) {
  testing::TempFolder folder;
  for (const char* name : {"armor.txt", "weapons.txt", "misc.txt"}) {
    fs::permissions(folder.Write(name, "h\r\n"), fs::perms::owner_read | fs::perms::group_read);
  }
  Module1 module;
  EXPECT_EQ(LoadFolder(module, folder.PathText()).kind, LoadOutcome::Kind::kLoaded);
}

}  // namespace
}  // namespace sallowmere
