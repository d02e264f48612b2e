#include "window/commands.h"

namespace sallowmere::window {

namespace {

constexpr CommandDesign kCommands[] = {
    {Command::kNextFree, FunctionKey(3), {}, "F3", "Next free code"},
    {Command::kPreviousFree, FunctionKey(3), {.shift = true}, "Shift+F3", "Previous free code"},
    {Command::kShowPlaces,
     LetterKey('R'),
     {.control = true},
     "Ctrl+R",
     "Every place that names it"},
    {Command::kReload, FunctionKey(5), {}, "F5", ""},
};

}  // namespace

std::span<const CommandDesign> Commands() { return kCommands; }

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
