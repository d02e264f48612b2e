#include "window/folder_browser.h"

#include <gtest/gtest.h>

#include "error_of.h"
#include "tables/table_file.h"
#include "temp_folder.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace sallowmere::window {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;

TEST(FolderBrowserTest, ListsTheChainThenTheFoldersInsideSortedIgnoringCase) {
  TempFolder folder;
  for (const char* name : {"b/x", "C/x", "a/x", ".dot/x", "file.txt"}) folder.Write(name, "");
#ifdef _WIN32
  // Windows hides a folder by a mark, not by its name.
  SetFileAttributesW((folder.Path() / ".dot").c_str(), FILE_ATTRIBUTE_HIDDEN);
#endif
  FolderBrowser browser;
  ASSERT_TRUE(browser.Open(folder.Path() / "." / "b" / ".."));
  EXPECT_EQ(browser.Path(), folder.Path());
  const std::vector<FolderEntry>& lines = browser.Entries();
  const int open = browser.OpenIndex();
  ASSERT_GT(open, 0);
  EXPECT_EQ(lines[0].depth, 0);
  EXPECT_EQ(lines[open], (FolderEntry{BytesFromPath(folder.Path().filename()), open, true}));
  std::vector<std::string> inside;
  for (std::size_t i = open + 1; i < lines.size(); ++i) {
    EXPECT_EQ(lines[i].depth, open + 1);
    EXPECT_FALSE(lines[i].open);
    inside.push_back(lines[i].name);
  }
  EXPECT_EQ(inside, (std::vector<std::string>{"a", "b", "C"}));
  EXPECT_EQ(browser.PathAt(open + 1).parent_path(), folder.Path());
  EXPECT_EQ(browser.PathAt(open), folder.Path());
  EXPECT_EQ(browser.PathAt(open - 1), folder.Path().parent_path());
}

TEST(FolderBrowserTest, AFolderThatCannotBeReadLeavesItWhereItWas) {
  TempFolder folder;
  folder.Write("file.txt", "");
  FolderBrowser browser;
  ASSERT_TRUE(browser.Open(folder.Path()));
  const std::vector<FolderEntry> before = browser.Entries();
  for (const fs::path& wrong : {folder.Path() / "none", folder.Path() / "file.txt"}) {
    const Error error = testing::ErrorOf(browser.Open(wrong));
    EXPECT_EQ(error.Cause(), ErrorCause::kUnreadableFolder);
    EXPECT_EQ(error.UserMessage().Bytes(),
              "The folder " + BytesFromPath(fs::path(wrong).make_preferred()) + " cannot be read.");
    EXPECT_EQ(browser.Path(), folder.Path());
    EXPECT_EQ(browser.Entries(), before);
  }
}

TEST(DriveOfTest, PicksTheLongestRootAbove) {
#ifdef _WIN32
  const std::vector<std::string> roots = {"C:\\", "D:\\"};
  const struct {
    const char* path;
    int drive;
  } cases[] = {{"C:\\mods\\x", 0}, {"d:\\", 1}, {"E:\\x", -1}};
#else
  const std::vector<std::string> roots = {"/", "/home", "/media/usb", "/work"};
  const struct {
    const char* path;
    int drive;
  } cases[] = {{"/home/me/mods", 1}, {"/home", 1}, {"/homework/x", 0},
               {"/media/usb/", 2},   {"/tmp", 0},  {"/work/../work/a", 3}};
#endif
  for (const auto& c : cases) EXPECT_EQ(DriveOf(c.path, roots), c.drive) << c.path;
  EXPECT_EQ(DriveOf("/tmp", {}), -1);
}

TEST(DriveRootsTest, HoldFoldersOfFilesOnly) {
  const std::vector<std::string> roots = DriveRoots();
  ASSERT_FALSE(roots.empty());
  EXPECT_TRUE(std::is_sorted(roots.begin(), roots.end()));
  for (const std::string& root : roots) {
    EXPECT_TRUE(fs::is_directory(PathFromBytes(root))) << root;
    EXPECT_FALSE(root.starts_with("/proc") || root.starts_with("/sys") || root.starts_with("/dev"))
        << root;
  }
}

}  // namespace
}  // namespace sallowmere::window
