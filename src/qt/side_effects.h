#pragma once

// Message boxes and the end of the program in Qt: the only place besides main that shows a box
// or exits.

#include "window/side_effects.h"

class QWidget;

namespace sallowmere::qt {

// The desktop's side effects: real message boxes over `window`, and the end of the event loop.
class DesktopSideEffects : public window::SideEffects {
 public:
  void SetWindow(QWidget* window) { window_ = window; }
  void ShowMessage(window::MessageIcon icon, const MessageText& text) override;
  void EndProgram() override;

 private:
  QWidget* window_ = nullptr;
};

}  // namespace sallowmere::qt
