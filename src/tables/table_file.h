#pragma once

// Reading one table file's bytes safely, and paths as the core takes them. Used by the loaders
// and the folder check.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "tables/result.h"

#ifdef _WIN32
#include <fstream>
#endif

namespace sallowmere {

// The file-system path that `bytes` names: the bytes as they are on POSIX, read as UTF-8 on
// Windows.
std::filesystem::path PathFromBytes(std::string_view bytes);

// The bytes of `path`: as they are on POSIX, as UTF-8 on Windows.
std::string BytesFromPath(const std::filesystem::path& path);

// The path of the table `file_name` in `table_folder` (which ends in a separator), joined as
// bytes: the one path the folder check tests and the loaders read.
std::filesystem::path TablePath(std::string_view table_folder, std::string_view file_name);

// `path` as the system's file calls take it however long it is: on Windows an absolute path of
// 248 characters or more in the \\?\ form (\\?\UNC\ for a network path), which has no
// 260-character limit; everywhere else, and for a shorter path, `path` itself. For opening and
// listing only: a person reads the path as it was.
std::filesystem::path LongPathForm(const std::filesystem::path& path);

// The largest table file the loaders read: far above any real table (501 rows of 501 fields),
// small enough that a wrong file cannot exhaust memory.
inline constexpr std::uintmax_t kMaxTableBytes = 64 * 1024 * 1024;

// The UTF-8 byte-order mark, which a table may begin with.
inline constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

// One table file, open for reading its lines piece by piece through a small buffer, without
// blocking on anything that is not a regular file.
class TableFile {
 public:
  TableFile() = default;
  ~TableFile();
  TableFile(const TableFile&) = delete;
  TableFile& operator=(const TableFile&) = delete;

  // Opens the file at `path`, once. Fails, naming `file_name`, with a read error when it cannot be
  // opened or is not a regular file, and as too large when it holds more than kMaxTableBytes.
  Result<void> Open(const std::filesystem::path& path, std::string_view file_name);

  // The file's size when it was opened.
  std::uintmax_t Size() const { return size_; }

  // Reads the file to its end through `buffer` (whose memory serves the next file again), calling
  // `on_lines` with its text in order, in pieces that each end just after a line end or at the
  // end of the file, without the UTF-8 byte-order mark (kUtf8Mark) the file may begin with. A
  // line longer than the buffer grows it. Fails with a read error when the file cannot be read,
  // as too large when it grows past kMaxTableBytes meanwhile, or as `on_lines` failed, at once.
  Result<void> ReadLines(std::string& buffer,
                         const std::function<Result<void>(std::string_view lines)>& on_lines);

 private:
  // Reads up to `size` bytes into `into`: how many, 0 at the end of the file.
  Result<std::size_t> ReadSome(char* into, std::size_t size);

  std::string file_name_;
  std::uintmax_t size_ = 0;
#ifdef _WIN32
  void* handle_ = nullptr;  // the file's HANDLE
#else
  int fd_ = -1;
#endif
};

}  // namespace sallowmere
