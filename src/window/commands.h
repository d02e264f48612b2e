#pragma once

// The window's commands as data: each one's key, modifiers and menu text. Both front ends map
// their key events and their text box's menu through this table, and run a command through
// Form1::Form1_Command, so the two windows cannot differ on which keys do what.

#include <optional>
#include <span>
#include <string_view>

namespace sallowmere::window {

enum class Command {
  kNextFree,      // Text1 takes the next free code like its text
  kPreviousFree,  // the same, going back
  kShowPlaces,    // a box lists every place that names Text1's code
  kReload,        // the open folder's tables are read again
};

// A key a command takes: a function key F1 to F24, or a letter key A to Z. Each front end maps
// every such key to its toolkit's, so a command on another key is a row of the table below.
struct Key {
  enum class Kind { kFunction, kLetter };
  Kind kind;
  int number;  // 1 for F1; 0 for A
  bool operator==(const Key&) const = default;
};
constexpr Key FunctionKey(int number) { return {Key::Kind::kFunction, number}; }
constexpr Key LetterKey(char letter) { return {Key::Kind::kLetter, letter - 'A'}; }

// The modifier keys held down with a key. A command runs only with exactly its own.
struct Modifiers {
  bool shift = false;
  bool control = false;
  bool alt = false;
  bool operator==(const Modifiers&) const = default;
};

struct CommandDesign {
  Command id;
  Key key;
  Modifiers modifiers;
  std::string_view key_text;   // the key as a menu shows it: "Shift+F3"
  std::string_view menu_text;  // on the text box's menu after the edit commands; empty: not there
};

// Every command, in the order the text box's menu lists those it has.
std::span<const CommandDesign> Commands();

// The design of `id`.
const CommandDesign& DesignOf(Command id);

// The command `key` runs with `modifiers` held down on the search panel; std::nullopt for none.
std::optional<Command> CommandOfKey(Key key, Modifiers modifiers);

}  // namespace sallowmere::window
