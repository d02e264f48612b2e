#include "tables/table_file.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <system_error>
#include <utility>

#include "tables/error.h"
#include "tables/system_error.h"
#include "tables/utf16.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace sallowmere {
namespace {

Error Fail(std::string_view file_name, ErrorCause cause, const std::string& detail) {
  return Error(std::string(file_name), 0, cause, detail);
}

Error FailTooLarge(std::string_view file_name, std::uintmax_t size) {
  return Fail(file_name, ErrorCause::kFileTooLarge,
              "the file holds " + std::to_string(size) + " bytes, more than a table's " +
                  std::to_string(kMaxTableBytes));
}

#ifndef _WIN32
std::string SystemMessage(int error) { return ErrnoText(error); }
#endif

#ifndef _WIN32
// Closes the descriptor it holds, unless it was released.
class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int Get() const { return fd_; }
  int Release() { return std::exchange(fd_, -1); }

 private:
  int fd_;
};
#endif

}  // namespace

std::filesystem::path TablePath(std::string_view table_folder, std::string_view file_name) {
  std::string bytes(table_folder);
  bytes += file_name;
  return LongPathForm(PathFromBytes(bytes));
}

std::filesystem::path LongPathForm(const std::filesystem::path& path) {
#ifdef _WIN32
  const std::wstring& text = path.native();
  if (text.size() < 248 || !path.is_absolute() || text.starts_with(L"\\\\?\\")) return path;
  std::wstring form = text;
  std::replace(form.begin(), form.end(), L'/', L'\\');
  if (form.starts_with(L"\\\\")) return std::filesystem::path(L"\\\\?\\UNC\\" + form.substr(2));
  return std::filesystem::path(L"\\\\?\\" + form);
#else
  return path;
#endif
}

std::filesystem::path PathFromBytes(std::string_view bytes) {
#ifdef _WIN32
  // Paths reach the core as UTF-8 from the window and the command line; a name that is no valid
  // UTF-16 comes back whole from the bytes BytesFromPath gave it.
  const std::u16string units = Utf16OfUtf8(bytes);
  return std::filesystem::path(std::wstring(units.begin(), units.end()));
#else
  return std::filesystem::path(std::string(bytes));
#endif
}

std::string BytesFromPath(const std::filesystem::path& path) {
#ifdef _WIN32
  // Not path::u8string(), which throws for a name that is no valid UTF-16.
  const std::wstring& units = path.native();
  return Utf8OfUtf16(std::u16string(units.begin(), units.end()));
#else
  return path.string();
#endif
}

#ifndef _WIN32
Result<void> TableFile::Open(const std::filesystem::path& path, std::string_view file_name) {
  file_name_ = file_name;
  // Non-blocking, so that a FIFO put in a table's place between the folder check and the load
  // cannot hang the program; it is then refused as not a regular file.
  FileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  if (file.Get() < 0) {
    return Fail(file_name, ErrorCause::kReadError, "cannot open the file: " + SystemMessage(errno));
  }
  struct stat info {};
  if (::fstat(file.Get(), &info) != 0) {
    return Fail(file_name, ErrorCause::kReadError, "cannot read the file: " + SystemMessage(errno));
  }
  if (!S_ISREG(info.st_mode)) return Fail(file_name, ErrorCause::kReadError, "not a regular file");
  size_ = static_cast<std::uintmax_t>(info.st_size);
  if (size_ > kMaxTableBytes) return FailTooLarge(file_name, size_);
  fd_ = file.Release();
  return {};
}

TableFile::~TableFile() {
  if (fd_ >= 0) ::close(fd_);
}

Result<std::size_t> TableFile::ReadSome(char* into, std::size_t size) {
  while (true) {
    const ssize_t got = ::read(fd_, into, size);
    if (got >= 0) return static_cast<std::size_t>(got);
    if (errno != EINTR) {
      return Fail(file_name_, ErrorCause::kReadError,
                  "cannot read the file: " + SystemMessage(errno));
    }
  }
}
#else
Result<void> TableFile::Open(const std::filesystem::path& path, std::string_view file_name) {
  file_name_ = file_name;
  // Shared for reading, writing and deleting: an editor may save the table meanwhile. The
  // system's own words say why a file cannot be opened: held by another program without
  // sharing, a cloud file not on the disk, no permission.
  const HANDLE file =
      CreateFileW(LongPathForm(path).c_str(), GENERIC_READ,
                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                  FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    return Fail(file_name, ErrorCause::kReadError,
                "cannot open the file: " + LastWindowsErrorText());
  }
  // Closed by the destructor from here on, whatever follows.
  handle_ = file;
  BY_HANDLE_FILE_INFORMATION info{};
  if (!GetFileInformationByHandle(file, &info)) {
    return Fail(file_name, ErrorCause::kReadError,
                "cannot read the file: " + LastWindowsErrorText());
  }
  if ((info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ||
      GetFileType(file) != FILE_TYPE_DISK) {
    return Fail(file_name, ErrorCause::kReadError, "not a regular file");
  }
  size_ = (std::uintmax_t{info.nFileSizeHigh} << 32) | info.nFileSizeLow;
  if (size_ > kMaxTableBytes) return FailTooLarge(file_name, size_);
  return {};
}

TableFile::~TableFile() {
  if (handle_ != nullptr) CloseHandle(static_cast<HANDLE>(handle_));
}

Result<std::size_t> TableFile::ReadSome(char* into, std::size_t size) {
  DWORD got = 0;
  const auto wanted = static_cast<DWORD>(std::min<std::size_t>(size, 1u << 30));
  if (!ReadFile(static_cast<HANDLE>(handle_), into, wanted, &got, nullptr)) {
    return Fail(file_name_, ErrorCause::kReadError,
                "cannot read the file: " + LastWindowsErrorText());
  }
  return static_cast<std::size_t>(got);
}
#endif

namespace {

// How much of `text` (not empty) is whole lines: up to just after its last line end, where a CR
// at its very end does not count, since an LF may follow it.
std::size_t WholeLines(std::string_view text) {
  if (text.back() == '\n') return text.size();
  for (std::size_t at = text.size() - 1; at > 0; --at) {
    if (text[at - 1] == '\n' || text[at - 1] == '\r') return at;
  }
  return 0;
}

}  // namespace

Result<void> TableFile::ReadLines(
    std::string& buffer, const std::function<Result<void>(std::string_view lines)>& on_lines) {
  // A few pages, touched once and reused for every file and load.
  constexpr std::size_t kPiece = 64 * 1024;
  if (buffer.size() < kPiece) buffer.resize(kPiece);
  std::size_t filled = 0;  // bytes of a line not yet handed on, at the buffer's start
  std::uintmax_t total = 0;
  bool marked = false;  // whether the file's start was looked at for a byte-order mark
  while (true) {
    if (filled == buffer.size()) {
      buffer.resize(std::min<std::size_t>(buffer.size() * 2, kMaxTableBytes + 1));
    }
    const Result<std::size_t> read = ReadSome(buffer.data() + filled, buffer.size() - filled);
    if (!read) return *read.Error();
    const std::size_t got = *read;
    if (got == 0) break;
    total += got;
    if (total > kMaxTableBytes) return FailTooLarge(file_name_, total);
    filled += got;
    if (!marked && filled >= kUtf8Mark.size()) {
      // Some editors begin a UTF-8 file with a byte-order mark, which is no part of its header.
      marked = true;
      if (std::string_view(buffer.data(), filled).starts_with(kUtf8Mark)) {
        filled -= kUtf8Mark.size();
        std::memmove(buffer.data(), buffer.data() + kUtf8Mark.size(), filled);
      }
    }
    const std::size_t whole = WholeLines(std::string_view(buffer.data(), filled));
    if (whole == 0) continue;
    if (Result<void> handled = on_lines(std::string_view(buffer.data(), whole)); !handled) {
      return handled;
    }
    std::memmove(buffer.data(), buffer.data() + whole, filled - whole);
    filled -= whole;
  }
  if (filled > 0) return on_lines(std::string_view(buffer.data(), filled));
  return {};
}

}  // namespace sallowmere
