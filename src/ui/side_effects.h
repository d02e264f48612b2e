#pragma once

// The seam for what blocks or ends the program (message boxes, the end): the only place besides
// main that shows a box or exits. Given to Form1.

#include <QString>

class QWidget;

namespace sallowmere::ui {

// What the window does that blocks or ends the program. The window is given one; tests give it
// one that records.
class SideEffects {
 public:
  virtual ~SideEffects() = default;

  // Shows `text` in a modal box titled "Sallowmere" with an OK button only; returns when the user
  // has closed it.
  virtual void ShowMessage(const QString& text) = 0;

  // The same for a failure, marked as a warning.
  virtual void ShowWarning(const QString& text) = 0;

  // Ends the program: the window closes and the process exits with status 0 once the caller's
  // handler has returned.
  virtual void EndProgram() = 0;
};

// The desktop's side effects: real message boxes over `window`, and the end of the event loop.
class DesktopSideEffects : public SideEffects {
 public:
  void SetWindow(QWidget* window) { window_ = window; }
  void ShowMessage(const QString& text) override;
  void ShowWarning(const QString& text) override;
  void EndProgram() override;

 private:
  QWidget* window_ = nullptr;
};

}  // namespace sallowmere::ui
