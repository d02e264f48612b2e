#include "tables/table_file.h"

#include <grp.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "error_of.h"
#include "table_text.h"
#include "tables/error.h"
#include "tables/table_loader.h"

namespace sallowmere {
namespace {

using testing::TempFolder;

// Opens and reads the file at `path` to its end, as the loaders do.
Result<void> ReadTableFile(const std::filesystem::path& path) {
  TableFile file;
  if (Result<void> opened = file.Open(path, "armor.txt"); !opened) return opened;
  std::string buffer;
  return file.ReadLines(buffer, [](std::string_view) { return Result<void>(); });
}

Error ReadFailure(const std::filesystem::path& path) {
  return testing::ErrorOf(ReadTableFile(path));
}

TEST(ReadTableFileTest, FilesTooLargeAreRefusedBeforeReading) {
  TempFolder folder;
  const std::filesystem::path path = folder.Write("armor.txt", "");
  std::filesystem::resize_file(path, kMaxTableBytes + 1);  // sparse: no disk, no memory
  const Error error = ReadFailure(path);
  EXPECT_EQ(error.Cause(), ErrorCause::kFileTooLarge);
  EXPECT_EQ(error.Description(),
            "armor.txt: file too large: the file holds 67108865 bytes, more than a table's "
            "67108864");
  EXPECT_EQ(error.UserMessage().Bytes(),  // no line: the fault is the whole file's
            "The tables could not be read: armor.txt: file too large: the file holds 67108865 "
            "bytes, more than a table's 67108864.");
  std::filesystem::resize_file(path, 1ull << 40);
  EXPECT_EQ(ReadFailure(path).Cause(), ErrorCause::kFileTooLarge);

  std::filesystem::resize_file(path, kMaxTableBytes);  // the largest allowed: one header line
  std::string buffer;
  EXPECT_EQ(LoadArmorTable(folder.PathText() + "/", "armor.txt", buffer)->LastRow(), -1);
}

TEST(ReadTableFileTest, WhatIsNotARegularFileIsNotRead) {
  TempFolder folder;
  const std::filesystem::path fifo = folder.Path() / "fifo";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_EQ(ReadFailure(fifo).Description(),
            "armor.txt: read error: not a regular file");  // no hang
  std::filesystem::create_directory(folder.Path() / "dir");
  EXPECT_EQ(ReadFailure(folder.Path() / "dir").Cause(), ErrorCause::kReadError);
  EXPECT_EQ(ReadFailure("/dev/null").Description(), "armor.txt: read error: not a regular file");
  EXPECT_EQ(ReadFailure(folder.Path() / "gone").Description(),
            "armor.txt: read error: cannot open the file: No such file or directory");
}

// A file read in pieces: each piece ends just after a line end (never between CR and LF), and the
// pieces together are the file, whatever falls on the buffer's edge.
TEST(ReadTableFileTest, PiecesEndAtLineEnds) {
  const std::size_t edge = 64 * 1024;  // the buffer's first size
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"CR LF across the edge", std::string(edge - 1, 'a') + "\r\n" + "b\r\n"},
      {"a lone CR on the edge", std::string(edge - 1, 'a') + "\rb\n"},
      {"LF on the edge", std::string(edge - 1, 'a') + "\nb"},
      {"a line three buffers long", "h\n" + std::string(3 * edge, 'x') + "\r\nlast"},
      {"no line end at all", std::string(edge + 5, 'y')},
  };
  for (const auto& [what, content] : cases) {
    SCOPED_TRACE(what);
    TempFolder folder;
    TableFile file;
    ASSERT_TRUE(file.Open(folder.Write("armor.txt", content), "armor.txt"));
    std::string buffer;
    std::vector<std::string> pieces;
    ASSERT_TRUE(file.ReadLines(buffer, [&](std::string_view piece) {
      pieces.emplace_back(piece);
      return Result<void>();
    }));
    std::string joined;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
      joined += pieces[i];
      if (i + 1 == pieces.size()) continue;
      const char last = pieces[i].back();
      EXPECT_TRUE(last == '\n' || (last == '\r' && pieces[i + 1].front() != '\n'));
    }
    EXPECT_EQ(joined, content);
  }
}

// Runs `check` as an ordinary user: in this process when it is one, else in a child that drops
// root's rights. Returns the check's result, or nullopt when rights cannot be dropped.
std::optional<bool> AsOrdinaryUser(const std::function<bool()>& check) {
  if (::geteuid() != 0) return check();
  const pid_t child = ::fork();
  if (child < 0) return std::nullopt;
  if (child == 0) {
    constexpr uid_t kNobody = 65534;
    if (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0) _exit(2);
    _exit(check() ? 0 : 1);
  }
  int status = 0;
  if (::waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) == 2) {
    return std::nullopt;
  }
  return WEXITSTATUS(status) == 0;
}

TEST(ReadTableFileTest, UnreadableFile) {
  TempFolder folder;
  const std::filesystem::path path = folder.Write("armor.txt", "h\r\n");
  std::filesystem::permissions(path, std::filesystem::perms::none);
  const std::optional<bool> refused = AsOrdinaryUser([&] {
    const Result<void> read = ReadTableFile(path);
    return read.Error() != nullptr &&
           read.Error()->Description() ==
               "armor.txt: read error: cannot open the file: Permission denied";
  });
  if (!refused) GTEST_SKIP() << "cannot run as an ordinary user here";
  EXPECT_TRUE(*refused);
}

}  // namespace
}  // namespace sallowmere
