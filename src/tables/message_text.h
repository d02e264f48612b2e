#pragma once

// A message for a person, made of pieces of table bytes and of paths, so that each front end
// shows every piece in its own encoding. Made by the core's messages, shown by the windows.

#include <string>
#include <string_view>
#include <vector>

namespace sallowmere {

// How a front end turns a piece's bytes into characters.
enum class TextKind {
  kTable,  // bytes from a table (codes, field text) or the program's own ASCII: one byte, one
           // character (Windows-1252)
  kPath,   // a path or file name as the core takes it: the file system's bytes on POSIX, UTF-8
           // on Windows
};

// A text of pieces, shown joined.
struct MessageText {
  struct Piece {
    TextKind kind;
    std::string bytes;
    bool operator==(const Piece&) const = default;
  };
  std::vector<Piece> pieces;

  // Appends table bytes or a path; returns *this, so a message reads as a chain.
  MessageText& Table(std::string_view bytes);
  MessageText& Path(std::string_view bytes);

  // The pieces' bytes joined, as a byte stream shows them (the command line, a log).
  std::string Bytes() const;

  bool operator==(const MessageText&) const = default;
};

}  // namespace sallowmere
