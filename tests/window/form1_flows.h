#pragma once

// The window's flows, written once against a driver and run over every view: the recording view
// with no toolkit, the Qt window and the Win32 window. Each test program defines MakeDriver for
// its own view and links the flows.

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "window/commands.h"
#include "window/form_layout.h"
#include "window/form_view.h"

namespace sallowmere::window {

// What a user does to the window and what they see of it, in the words of the window's design.
// Texts are UTF-8; the flows' codes are ASCII. Each action returns once the window has done what
// it asked, its boxes closed with OK and kept for TakeBoxes.
class FormDriver {
 public:
  virtual ~FormDriver() = default;

  // The program started in `folder`: the folder panel on it.
  virtual void Start(const std::filesystem::path& folder) = 0;
  // A click on a button (Command1 or Command2).
  virtual void Click(Control button) = 0;
  // Types `text` into Text1, a key at a time, after what it holds.
  virtual void Type(std::string_view text) = 0;
  // Empties Text1 as the user would: all of it selected, then deleted.
  virtual void ClearText1() = 0;
  // A click on List1's item `index`, scrolled into view first.
  virtual void ClickList1(int index) = 0;
  // Combo1 dropped down and its item `index` picked.
  virtual void PickCombo1(int index) = 0;
  // The key of `command`, with its modifiers, pressed where the keyboard is.
  virtual void PressKey(Command command) = 0;
  // `command` chosen on the text box's menu.
  virtual void ChooseOnMenu(Command command) = 0;
  // Another window was active a while, and this one is again.
  virtual void ComeBack() = 0;

  virtual Panel ShownPanel() = 0;
  // Combo1, List1, Text1, Label1 and Label2 as "combo|list|text|label1|label2"; "-" for a list
  // that selects nothing.
  virtual std::string Shown() = 0;
  virtual std::string Label4() = 0;  // its lines end in LF
  virtual std::vector<std::string> List1Items() = 0;
  // Whether List1's item `index` is in view.
  virtual bool InView(int index) = 0;
  // The control that has the keyboard; std::nullopt for none of the window's.
  virtual std::optional<Control> Focus() = 0;
  // The texts of the boxes shown since the last call, in order.
  virtual std::vector<std::string> TakeBoxes() = 0;
  // Whether the program has ended, with status 0.
  virtual bool Ended() = 0;
};

// The driver of this test program's view.
std::unique_ptr<FormDriver> MakeDriver();

}  // namespace sallowmere::window
