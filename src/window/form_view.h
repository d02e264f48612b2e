#pragma once

// The window as the behaviour sees it: what each toolkit's front end implements, in the words of
// the window's design (items with their text and ItemData, ListIndex, text, caption, the panel
// shown). Form1 drives it; tests give it one that records.

#include <string>
#include <string_view>
#include <vector>

#include "index/sorted_codes.h"
#include "window/folder_browser.h"
#include "window/form_layout.h"

namespace sallowmere::window {

enum class Panel {
  kFolder,  // Frame2: choose the folder of tables
  kSearch,  // Frame1: browse the used codes and look one up
};

// What Form1 shows. A setter shows what it is given and returns; it never calls back into Form1,
// whatever notification the toolkit raises for the change. Codes and labels are table bytes,
// folder names and drives paths as the core takes them (see TextKind).
class FormView {
 public:
  virtual ~FormView() = default;

  // Shows `panel` and hides the other.
  virtual void ShowPanel(Panel panel) = 0;

  // Gives the keyboard to `control`, which is shown.
  virtual void FocusOn(Control control) = 0;

  // Combo1's and List1's items, both the same: each of `codes`' entries, in display order, with
  // its code as its text and its origin tag as its ItemData. Neither list has a selection
  // afterwards.
  virtual void SetCodeItems(const SortedCodes& codes) = 0;

  // Combo1's and List1's ListIndex; -1 selects nothing.
  virtual void SetComboIndex(int index) = 0;
  virtual void SetListIndex(int index) = 0;

  // Scrolls List1 so that its item `top` is the first in view, or as near as the list can come.
  virtual void SetList1TopIndex(int top) = 0;
  // How many of List1's rows are in view at once; 0 when it holds none.
  virtual int List1Rows() const = 0;

  // Text1's text, and the captions of Label1, Label2 and Label4 (whose lines end in LF).
  virtual void SetText1(std::string_view code) = 0;
  virtual void SetLabel1(std::string_view caption) = 0;
  virtual void SetLabel2(std::string_view caption) = 0;
  virtual void SetLabel4(std::string_view caption) = 0;

  // Drive1's items and its ListIndex.
  virtual void SetDrives(const std::vector<std::string>& roots) = 0;
  virtual void SetDriveIndex(int index) = 0;

  // Draws what the window shows now, before a step that keeps the window busy for a while.
  virtual void DrawNow() = 0;

  // Dir1's lines, with the open folder (`open_index`) selected.
  virtual void SetFolders(const std::vector<FolderEntry>& entries, int open_index) = 0;
};

}  // namespace sallowmere::window
