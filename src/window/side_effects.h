#pragma once

// The seam for what blocks or ends the program (message boxes, the end), and the text such a box
// shows. The only way the window's behaviour shows a box or exits; each front end implements it.

#include <string>
#include <string_view>
#include <vector>

namespace sallowmere::window {

// How a front end turns bytes into characters.
enum class TextKind {
  kTable,  // bytes from a table (codes, origin texts): one byte, one character (Latin-1)
  kPath,   // a path as the core takes it: the file system's bytes on POSIX, UTF-8 on Windows
};

// A text made of pieces of either kind, shown joined.
struct ShownText {
  struct Piece {
    TextKind kind;
    std::string bytes;
    bool operator==(const Piece&) const = default;
  };
  std::vector<Piece> pieces;

  static ShownText Table(std::string_view bytes) {
    return {{{TextKind::kTable, std::string(bytes)}}};
  }
  static ShownText Path(std::string_view bytes) {
    return {{{TextKind::kPath, std::string(bytes)}}};
  }
  bool operator==(const ShownText&) const = default;
};

enum class MessageIcon { kInformation, kWarning };

// What the window does that blocks or ends the program.
class SideEffects {
 public:
  virtual ~SideEffects() = default;

  // Shows `text` in a box titled kMessageTitle, modal to the window, with an OK button only and
  // `icon`; returns when the user has closed it.
  virtual void ShowMessage(MessageIcon icon, const ShownText& text) = 0;

  // Ends the program: the window closes and the process exits with status 0 once the handler
  // that asked has returned. The behaviour touches nothing after asking.
  virtual void EndProgram() = 0;
};

}  // namespace sallowmere::window
