#pragma once

// The command line's standard output and standard error: written in large blocks whatever they
// are, as UTF-16 to a Windows console, and an end that tells a reader who left from a failure.
// Used by the CLI's main, and by the commands to mark the paths they print.

#include <cstddef>
#include <ostream>
#include <streambuf>
#include <string>
#include <string_view>
#include <vector>

#include "tables/message_text.h"

namespace sallowmere {

enum class StandardStream { kOutput, kError };

// A stream buffer over standard output or standard error. It writes 64 KiB at a time (and on
// flush). To a pipe or a file it writes the bytes as they are. To a Windows console it writes
// characters: table bytes as Windows-1252, paths (marked with SetKind) from their UTF-8.
class OutputBuffer : public std::streambuf {
 public:
  explicit OutputBuffer(StandardStream stream);
  ~OutputBuffer() override;
  OutputBuffer(const OutputBuffer&) = delete;
  OutputBuffer& operator=(const OutputBuffer&) = delete;

  // How the output ended: it went through, its reader closed the pipe (a `| head`, which is no
  // error), or a write failed for another reason.
  enum class State { kWriting, kReaderGone, kFailed };
  State GetState() const { return state_; }
  // Why a write failed, in the system's words; empty unless kFailed.
  const std::string& Failure() const { return failure_; }

  // The bytes put from now on are table bytes or a path.
  void SetKind(TextKind kind);

 protected:
  int_type overflow(int_type c) override;
  std::streamsize xsputn(const char* bytes, std::streamsize count) override;
  int sync() override;

 private:
  struct Run {
    std::size_t begin;
    TextKind kind;
  };
  bool Flush();
  bool WriteBytes(const char* bytes, std::size_t count);
  bool WriteCharacters();

  std::vector<char> buffer_;
  std::size_t used_ = 0;
  std::vector<Run> runs_;  // where each kind of bytes begins in the buffer, from 0
  TextKind kind_ = TextKind::kTable;
  bool console_ = false;
  void* handle_ = nullptr;  // Windows: the stream's handle
  int descriptor_ = 1;      // POSIX: the stream's file descriptor
  State state_ = State::kWriting;
  std::string failure_;
};

// A path's bytes as the core takes them, for `out << AsPath{name}`: a Windows console shows it
// from its UTF-8, any other stream takes its bytes.
struct AsPath {
  std::string_view bytes;
};
std::ostream& operator<<(std::ostream& out, AsPath path);

// Writes each piece of `text` as its kind says, all of it at once to a stream that writes after
// each output.
std::ostream& operator<<(std::ostream& out, const MessageText& text);

}  // namespace sallowmere
