// Tables no one should write, and what the loaders make of them: a sound result or an error
// that names the file, the line and the cause.
#include <grp.h>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include "caught_load_error.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "table_text.h"
#include "tables/load_error.h"
#include "tables/table_loader.h"

namespace sallowmere {
namespace {

using namespace std::string_literals;
using testing::MakeRow;
using testing::TempFolder;

std::vector<std::string> Codes(const Table<ArmorRecord>& table) {
  std::vector<std::string> codes;
  for (int row = 0; row <= table.LastRow(); ++row) codes.emplace_back(table.Code(row));
  return codes;
}

std::string Row(std::string_view code) { return MakeRow(ArmorLayout(), code); }

LoadError ParseFailure(std::string_view text) {
  return testing::CaughtLoadError([&] { ParseTable<ArmorRecord>(text, "armor.txt"); });
}

struct TextCase {
  std::string name;
  std::string text;
  std::vector<std::string> codes;
  std::vector<int> lines;
};

TEST(BadInputTest, LineEndsAndEmptyLines) {
  const std::vector<TextCase> cases = {
      {"0 bytes", "", {}, {}},
      {"header only", "head\r\n", {}, {}},
      {"header without line end", "head", {}, {}},
      {"no final line end", "h\r\n" + Row("a1") + "\r\n" + Row("a2"), {"a1", "a2"}, {2, 3}},
      {"final line end then an empty line", "h\r\n" + Row("a1") + "\r\n\r\n", {"a1"}, {2}},
      {"CR", "h\r" + Row("a1") + "\r" + Row("a2") + "\r", {"a1", "a2"}, {2, 3}},
      {"LF", "h\n" + Row("a1") + "\n" + Row("a2") + "\n", {"a1", "a2"}, {2, 3}},
      {"mixed",
       "h\n" + Row("a1") + "\r" + Row("a2") + "\r\n" + Row("a3") + "\n\n" + Row("a4"),
       {"a1", "a2", "a3", "a4"},
       {2, 3, 4, 6}},
      {"code column last in a CRLF row",
       "h\r\n" + Row("a1").substr(0, Row("a1").find("a1") + 2) + "\r\n",
       {"a1"},
       {2}},
      {"code column last, trailing tab",
       "h\r\n" + Row("a1").substr(0, Row("a1").find("a1") + 2) + "\t\r\n",
       {"a1"},
       {2}},
  };
  for (const TextCase& c : cases) {
    SCOPED_TRACE(c.name);
    const Table<ArmorRecord> table = ParseTable<ArmorRecord>(c.text, "armor.txt");
    EXPECT_EQ(Codes(table), c.codes);
    std::vector<int> lines;
    for (int row = 0; row <= table.LastRow(); ++row) lines.push_back(table.Line(row));
    EXPECT_EQ(lines, c.lines);
  }
}

TEST(BadInputTest, OddBytesAreKeptAsTheyAre) {
  const std::vector<TextCase> cases = {
      {"NUL bytes", "h\0x\r\n"s + Row("a\0b"s) + "\r\n", {"a\0b"s}, {2}},
      {"invalid UTF-8", "h\r\n" + Row("\xC3\x28\xFF") + "\r\n", {"\xC3\x28\xFF"}, {2}},
      {"UTF-8 byte-order mark", "\xEF\xBB\xBFh\r\n" + Row("a1") + "\r\n", {"a1"}, {2}},
      {"a leading double quote is text",
       "h\r\n" + Row("\"a1") + "\r\n" + Row("\"a1\"") + "\r\n",
       {"\"a1", "\"a1\""},
       {2, 3}},
      {"a quoted field does not hide a tab",
       "h\r\n" + MakeRow(ArmorLayout(), "x", {{0, "\"A"}, {1, "3\""}}) + "\r\n",
       {"x"},
       {2}},
  };
  for (const TextCase& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Codes(ParseTable<ArmorRecord>(c.text, "armor.txt")), c.codes);
  }
}

TEST(BadInputTest, Utf16IsRefusedWithAReason) {
  for (const std::string bom : {"\xFF\xFE", "\xFE\xFF"}) {
    std::string text = bom;
    for (char c : "h\r\na\r\n"s) text += std::string{c, '\0'};
    const LoadError error = ParseFailure(text);
    EXPECT_STREQ(error.what(),
                 "armor.txt:1: read error: the file is UTF-16 text; save it as 8-bit text");
  }
}

TEST(BadInputTest, LongLinesAndFields) {
  for (const std::size_t length : {65535u, 65536u, 65537u}) {
    std::string row = MakeRow(ArmorLayout(), "a1", {{0, ""}});
    row.insert(0, length - row.size(), 'n');  // the name column takes up the rest
    ASSERT_EQ(row.size(), length);
    const Table<ArmorRecord> table = ParseTable<ArmorRecord>("h\r\n" + row + "\r\n", "armor.txt");
    EXPECT_EQ(Codes(table), std::vector<std::string>{"a1"});
    EXPECT_EQ(std::get<std::string_view>(table.Value(0, 0)).size(), row.find('\t'));
  }
  const std::string megabyte(1 << 20, 'x');
  const Table<ArmorRecord> table = ParseTable<ArmorRecord>(
      "h\r\n" + MakeRow(ArmorLayout(), "a1", {{20, megabyte}}) + "\r\n", "armor.txt");
  EXPECT_EQ(std::get<std::string_view>(table.Value(0, 20)), megabyte);

  const LoadError error =
      ParseFailure("h\r\n" + MakeRow(ArmorLayout(), "a1", {{1, std::string(1 << 20, '7')}}));
  EXPECT_EQ(error.Cause(), LoadCause::kOverflow);
  EXPECT_EQ(error.FieldText(), std::string(40, '7') + "...");
  EXPECT_EQ(std::string(error.what()), "armor.txt:2: overflow: column 1 \"" + std::string(40, '7') +
                                           "...\" does not fit a byte");
}

TEST(BadInputTest, TenMillionEmptyLines) {
  std::string text = "h\r\n";
  text.reserve(20'000'100);
  for (int i = 0; i < 10'000'000; ++i) text += "\r\n";
  text += Row("a1") + "\r\n";
  const Table<ArmorRecord> table = ParseTable<ArmorRecord>(text, "armor.txt");
  EXPECT_EQ(Codes(table), std::vector<std::string>{"a1"});
  EXPECT_EQ(table.Line(0), 10'000'002);
}

LoadError ReadFailure(const std::filesystem::path& path) {
  std::string text;
  return testing::CaughtLoadError([&] { ReadTableFile(path, "armor.txt", text); });
}

TEST(BadInputTest, FilesTooLargeAreRefusedBeforeReading) {
  TempFolder folder;
  const std::filesystem::path path = folder.Write("armor.txt", "");
  std::filesystem::resize_file(path, kMaxTableBytes + 1);  // sparse: no disk, no memory
  const LoadError error = ReadFailure(path);
  EXPECT_EQ(error.Cause(), LoadCause::kFileTooLarge);
  EXPECT_STREQ(error.what(),
               "armor.txt: file too large: the file holds 67108865 bytes, more than a table's "
               "67108864");
  std::filesystem::resize_file(path, 1ull << 40);
  EXPECT_EQ(ReadFailure(path).Cause(), LoadCause::kFileTooLarge);

  std::filesystem::resize_file(path, kMaxTableBytes);  // the largest allowed: one header line
  std::string buffer;
  EXPECT_EQ(LoadArmorTable(folder.PathText() + "/", "armor.txt", buffer).LastRow(), -1);
}

TEST(BadInputTest, WhatIsNotARegularFileIsNotRead) {
  TempFolder folder;
  const std::filesystem::path fifo = folder.Path() / "fifo";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_STREQ(ReadFailure(fifo).what(), "armor.txt: read error: not a regular file");  // no hang
  std::filesystem::create_directory(folder.Path() / "dir");
  EXPECT_EQ(ReadFailure(folder.Path() / "dir").Cause(), LoadCause::kReadError);
  EXPECT_STREQ(ReadFailure("/dev/null").what(), "armor.txt: read error: not a regular file");
  EXPECT_STREQ(ReadFailure(folder.Path() / "gone").what(),
               "armor.txt: read error: cannot open the file: No such file or directory");
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

TEST(BadInputTest, UnreadableFile) {
  TempFolder folder;
  const std::filesystem::path path = folder.Write("armor.txt", "h\r\n");
  std::filesystem::permissions(path, std::filesystem::perms::none);
  const std::optional<bool> refused = AsOrdinaryUser([&] {
    try {
      std::string text;
      ReadTableFile(path, "armor.txt", text);
    } catch (const LoadError& error) {
      return std::string(error.what()) ==
             "armor.txt: read error: cannot open the file: Permission denied";
    }
    return false;
  });
  if (!refused) GTEST_SKIP() << "cannot run as an ordinary user here";
  EXPECT_TRUE(*refused);
}

}  // namespace
}  // namespace sallowmere
