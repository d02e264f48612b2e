#include "window/commands.h"

namespace sallowmere::window {

const std::array<CommandDesign, kCommandCount>& Commands() {
  static constexpr std::array<CommandDesign, kCommandCount> kCommands = {{
      {Command::kNextFree, Key::kF3, {}, "F3", "Next free code"},
      {Command::kPreviousFree, Key::kF3, {.shift = true}, "Shift+F3", "Previous free code"},
      {Command::kShowPlaces, Key::kR, {.control = true}, "Ctrl+R", "Every place that names it"},
      {Command::kReload, Key::kF5, {}, "F5", ""},
  }};
  return kCommands;
}

const CommandDesign& DesignOf(Command id) {
  for (const CommandDesign& design : Commands()) {
    if (design.id == id) return design;
  }
  return Commands().front();
}

std::optional<Command> CommandOfKey(Key key, Modifiers modifiers) {
  for (const CommandDesign& design : Commands()) {
    if (design.key == key && design.modifiers == modifiers) return design.id;
  }
  return std::nullopt;
}

}  // namespace sallowmere::window
