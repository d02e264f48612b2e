#include "tables/table_file.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <system_error>

#include "tables/load_error.h"

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace sallowmere {
namespace {

[[noreturn]] void Fail(std::string_view file_name, LoadCause cause, const std::string& detail) {
  throw LoadError(std::string(file_name), 0, cause, detail);
}

[[noreturn]] void FailTooLarge(std::string_view file_name, std::uintmax_t size) {
  Fail(file_name, LoadCause::kFileTooLarge,
       "the file holds " + std::to_string(size) + " bytes, more than a table's " +
           std::to_string(kMaxTableBytes));
}

std::string SystemMessage(int error) { return std::generic_category().message(error); }

#ifndef _WIN32
// Closes the descriptor it holds.
class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int Get() const { return fd_; }

 private:
  int fd_;
};
#endif

}  // namespace

std::filesystem::path PathFromBytes(std::string_view bytes) {
#ifdef _WIN32
  // Paths reach the core as UTF-8 from the window and the command line.
  return std::filesystem::path(std::u8string(bytes.begin(), bytes.end()));
#else
  return std::filesystem::path(std::string(bytes));
#endif
}

std::string BytesFromPath(const std::filesystem::path& path) {
#ifdef _WIN32
  const std::u8string utf8 = path.u8string();
  return std::string(utf8.begin(), utf8.end());
#else
  return path.string();
#endif
}

#ifndef _WIN32
void ReadTableFile(const std::filesystem::path& path, std::string_view file_name,
                   std::string& text) {
  // Non-blocking, so that a FIFO put in a table's place between the folder check and the load
  // cannot hang the program; it is then refused as not a regular file.
  const FileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  if (file.Get() < 0)
    Fail(file_name, LoadCause::kReadError, "cannot open the file: " + SystemMessage(errno));
  struct stat info {};
  if (::fstat(file.Get(), &info) != 0) {
    Fail(file_name, LoadCause::kReadError, "cannot read the file: " + SystemMessage(errno));
  }
  if (!S_ISREG(info.st_mode)) Fail(file_name, LoadCause::kReadError, "not a regular file");
  const auto size = static_cast<std::uintmax_t>(info.st_size);
  if (size > kMaxTableBytes) FailTooLarge(file_name, size);

  // Read straight into the text, sized as the file is; a file that grows meanwhile is read on to
  // its end, held to the same limit.
  text.resize(static_cast<std::size_t>(size));
  std::size_t filled = 0;
  while (true) {
    if (filled == text.size()) {
      if (text.size() > kMaxTableBytes) FailTooLarge(file_name, text.size());
      text.resize(std::max<std::size_t>(text.size() * 2, 1 << 16));
    }
    const ssize_t got = ::read(file.Get(), text.data() + filled, text.size() - filled);
    if (got == 0) break;
    if (got < 0) {
      if (errno == EINTR) continue;
      Fail(file_name, LoadCause::kReadError, "cannot read the file: " + SystemMessage(errno));
    }
    filled += static_cast<std::size_t>(got);
  }
  text.resize(filled);
  if (filled > kMaxTableBytes) FailTooLarge(file_name, filled);
}
#else
void ReadTableFile(const std::filesystem::path& path, std::string_view file_name,
                   std::string& text) {
  std::error_code error;
  const std::filesystem::file_status status = std::filesystem::status(path, error);
  if (error) Fail(file_name, LoadCause::kReadError, "cannot open the file: " + error.message());
  if (!std::filesystem::is_regular_file(status)) {
    Fail(file_name, LoadCause::kReadError, "not a regular file");
  }
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  if (!error && size > kMaxTableBytes) FailTooLarge(file_name, size);
  std::ifstream in(path, std::ios::binary);
  if (!in) Fail(file_name, LoadCause::kReadError, "cannot open the file: " + SystemMessage(errno));
  text.clear();
  char buffer[1 << 16];
  while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
    text.append(buffer, static_cast<std::size_t>(in.gcount()));
    if (text.size() > kMaxTableBytes) FailTooLarge(file_name, text.size());
  }
  if (in.bad()) Fail(file_name, LoadCause::kReadError, "cannot read the file");
}
#endif

}  // namespace sallowmere
