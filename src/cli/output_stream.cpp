#include "cli/output_stream.h"

#include <algorithm>
#include <cerrno>

#include "tables/system_error.h"
#include "tables/utf16.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace sallowmere {
namespace {

constexpr std::size_t kBlockBytes = 64 * 1024;

}  // namespace

OutputBuffer::OutputBuffer(StandardStream stream) : buffer_(kBlockBytes) {
  runs_.push_back({0, kind_});
#ifdef _WIN32
  handle_ = GetStdHandle(stream == StandardStream::kOutput ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
  DWORD mode = 0;
  // NUL is a character device too, but no console: it takes bytes, and takes them fast.
  console_ = handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE &&
             GetFileType(handle_) == FILE_TYPE_CHAR && GetConsoleMode(handle_, &mode);
#else
  descriptor_ = stream == StandardStream::kOutput ? STDOUT_FILENO : STDERR_FILENO;
#endif
}

OutputBuffer::~OutputBuffer() { Flush(); }

void OutputBuffer::SetKind(TextKind kind) {
  if (kind == kind_) return;
  kind_ = kind;
  if (runs_.back().begin == used_) {
    runs_.back().kind = kind;
  } else {
    runs_.push_back({used_, kind});
  }
}

OutputBuffer::int_type OutputBuffer::overflow(int_type c) {
  if (traits_type::eq_int_type(c, traits_type::eof())) return Flush() ? 0 : traits_type::eof();
  const char byte = traits_type::to_char_type(c);
  return xsputn(&byte, 1) == 1 ? c : traits_type::eof();
}

std::streamsize OutputBuffer::xsputn(const char* bytes, std::streamsize count) {
  if (state_ != State::kWriting) return 0;
  auto left = static_cast<std::size_t>(count);
  while (left > 0) {
    if (used_ == buffer_.size()) {
      // A path is kept whole in the buffer, so that a console never gets half a UTF-8 character.
      if (console_ && kind_ == TextKind::kPath) {
        buffer_.resize(buffer_.size() * 2);
      } else if (!Flush()) {
        return count - static_cast<std::streamsize>(left);
      }
    }
    const std::size_t taken = std::min(left, buffer_.size() - used_);
    std::copy_n(bytes, taken, buffer_.data() + used_);
    used_ += taken;
    bytes += taken;
    left -= taken;
  }
  return count;
}

int OutputBuffer::sync() { return Flush() ? 0 : -1; }

bool OutputBuffer::Flush() {
  if (state_ != State::kWriting) return false;
#ifdef _WIN32
  // Lines end in CR LF in a Windows file or pipe, as the C runtime's text mode writes them.
  std::string lines;
  if (!console_) {
    lines.reserve(used_ + used_ / 16);
    for (std::size_t i = 0; i < used_; ++i) {
      if (buffer_[i] == '\n') lines += '\r';
      lines += buffer_[i];
    }
  }
  const bool written = console_ ? WriteCharacters() : WriteBytes(lines.data(), lines.size());
#else
  const bool written = WriteBytes(buffer_.data(), used_);
#endif
  used_ = 0;
  runs_.assign(1, {0, kind_});
  return written;
}

bool OutputBuffer::WriteBytes(const char* bytes, std::size_t count) {
  while (count > 0) {
#ifdef _WIN32
    DWORD wrote = 0;
    const auto chunk = static_cast<DWORD>(std::min<std::size_t>(count, 1 << 30));
    if (!WriteFile(static_cast<HANDLE>(handle_), bytes, chunk, &wrote, nullptr)) {
      const DWORD error = GetLastError();
      // A pipe whose reader has gone: ERROR_NO_DATA on Windows, ERROR_PIPE_NOT_CONNECTED under
      // Wine, ERROR_BROKEN_PIPE for an anonymous pipe.
      if (error == ERROR_NO_DATA || error == ERROR_PIPE_NOT_CONNECTED ||
          error == ERROR_BROKEN_PIPE) {
        state_ = State::kReaderGone;
      } else {
        state_ = State::kFailed;
        failure_ = WindowsErrorText(error);
      }
      return false;
    }
#else
    const ssize_t wrote = ::write(descriptor_, bytes, count);
    if (wrote < 0) {
      if (errno == EINTR) continue;
      state_ = errno == EPIPE ? State::kReaderGone : State::kFailed;
      if (state_ == State::kFailed) failure_ = ErrnoText(errno);
      return false;
    }
#endif
    bytes += wrote;
    count -= static_cast<std::size_t>(wrote);
  }
  return true;
}

bool OutputBuffer::WriteCharacters() {
#ifdef _WIN32
  std::u16string units;
  for (std::size_t i = 0; i < runs_.size(); ++i) {
    const std::size_t end = i + 1 < runs_.size() ? runs_[i + 1].begin : used_;
    const std::string_view bytes(buffer_.data() + runs_[i].begin, end - runs_[i].begin);
    units += runs_[i].kind == TextKind::kPath ? PathUnits(bytes) : TableUnits(bytes);
  }
  for (std::size_t at = 0; at < units.size();) {
    const auto chunk = static_cast<DWORD>(std::min<std::size_t>(units.size() - at, 16 * 1024));
    DWORD wrote = 0;
    if (!WriteConsoleW(static_cast<HANDLE>(handle_), units.data() + at, chunk, &wrote, nullptr) ||
        wrote == 0) {
      state_ = State::kFailed;
      failure_ = LastWindowsErrorText();
      return false;
    }
    at += wrote;
  }
  return true;
#else
  return false;  // no console here
#endif
}

std::ostream& operator<<(std::ostream& out, AsPath path) {
  auto* buffer = dynamic_cast<OutputBuffer*>(out.rdbuf());
  if (buffer != nullptr) buffer->SetKind(TextKind::kPath);
  out << path.bytes;
  if (buffer != nullptr) buffer->SetKind(TextKind::kTable);
  return out;
}

std::ostream& operator<<(std::ostream& out, const MessageText& text) {
  // One write for the whole text, even to a stream that writes after each output (standard
  // error): a console shows the message as one.
  const bool unit = (out.flags() & std::ios::unitbuf) != 0;
  out.unsetf(std::ios::unitbuf);
  for (const MessageText::Piece& piece : text.pieces) {
    if (piece.kind == TextKind::kPath) {
      out << AsPath{piece.bytes};
    } else {
      out << piece.bytes;
    }
  }
  if (unit) {
    out.setf(std::ios::unitbuf);
    out.flush();
  }
  return out;
}

}  // namespace sallowmere
