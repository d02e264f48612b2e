#pragma once

// The seam for what blocks or ends the program (message boxes, the end). The only way the window's
// behaviour shows a box or exits; each front end implements it.

#include <functional>
#include <string_view>

#include "tables/message_text.h"

namespace sallowmere::window {

enum class MessageIcon { kInformation, kWarning };

// What a front end says when something it did not foresee stops a step: `cause` is the fault's
// own words. The window goes on.
inline MessageText UnexpectedError(std::string_view cause) {
  return MessageText()
      .Table("Something went wrong, and what you asked for was not done: ")
      .Table(cause);
}

class SideEffects;

// Runs `step`, a call into the behaviour from a toolkit's event; an exception it throws becomes a
// warning box through `effects` (UnexpectedError), and the window goes on. Each front end runs
// every entry from its toolkit through it: none may cross a toolkit's event loop.
void RunGuarded(SideEffects& effects, const std::function<void()>& step);

// What the window does that blocks or ends the program.
class SideEffects {
 public:
  virtual ~SideEffects() = default;

  // Shows `text` in a box titled kMessageTitle, modal to the window, with an OK button only and
  // `icon`; returns when the user has closed it.
  virtual void ShowMessage(MessageIcon icon, const MessageText& text) = 0;

  // Ends the program: the window closes and the process exits with status 0 once the handler
  // that asked has returned. The behaviour touches nothing after asking.
  virtual void EndProgram() = 0;
};

}  // namespace sallowmere::window
