#pragma once

// The Win32 window: Form1's controls made from the shared design with the standard window
// classes, their notifications forwarded to the shared behaviour, and what the behaviour shows
// put into the controls. Message boxes and the end of the program are here too.

#include <windows.h>

#include <array>
#include <filesystem>
#include <functional>
#include <memory>

#include "window/form1.h"
#include "window/form_layout.h"

namespace sallowmere::win32 {

// The window class of the program's window, and the caption's class of message boxes.
inline constexpr wchar_t kWindowClass[] = L"SallowmereForm1";

// The control ID each control carries, so that it can be found with GetDlgItem.
constexpr int ControlId(window::Control control) { return 100 + static_cast<int>(control); }

// The program's window on Win32. Make one with Create, Start it, show it, and run the message
// loop through PreTranslate.
class Form1Window final : public window::FormView, public window::SideEffects {
 public:
  // Registers the window classes and creates the window, hidden; nullptr when Windows refuses.
  static std::unique_ptr<Form1Window> Create(HINSTANCE instance);
  ~Form1Window() override;
  Form1Window(const Form1Window&) = delete;
  Form1Window& operator=(const Form1Window&) = delete;

  HWND Handle() const { return window_; }
  HWND ControlHandle(window::Control control) const {
    return controls_[static_cast<std::size_t>(control)];
  }

  // Shows the folder panel on `start_folder`.
  void Start(const std::filesystem::path& start_folder);

  // Opens `folder` (or the folder of a file) as "Open" does: a folder given on the command line,
  // or dropped onto the window or the program's icon.
  void OpenFolder(const std::filesystem::path& folder);

  // The keyboard's dialog behaviour (Tab between controls, Enter on a button or the folder list)
  // for `message`; true when it was handled and must not be dispatched.
  bool PreTranslate(MSG& message);

  // window::SideEffects
  void ShowMessage(window::MessageIcon icon, const MessageText& text) override;
  void EndProgram() override;

 private:
  explicit Form1Window(HINSTANCE instance);
  // The window's outer size for the design's client area at dpi_.
  SIZE FrameSize() const;
  // The fonts at dpi_, made anew; the old ones are the caller's to delete once no control uses
  // them.
  void MakeFonts();
  // The window's icons at its monitor's sizes, set anew.
  void SetIcons();
  // Sets a label's text, told to a screen reader as it comes when the label AnnouncesChanges.
  void SetLabel(window::Control label, std::string_view caption);
  // Puts a made control at its design's place and font, at dpi_.
  void PlaceControl(const window::ControlDesign& design);
  // Every control at dpi_: the fonts made again and each control placed anew.
  void ApplyDpi();
  bool CreateControls();
  HWND MakeControl(const window::ControlDesign& design);
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM w, LPARAM l);
  static LRESULT CALLBACK PanelProc(HWND panel, UINT message, WPARAM w, LPARAM l);
  static LRESULT CALLBACK Text1Proc(HWND text1, UINT message, WPARAM w, LPARAM l, UINT_PTR,
                                    DWORD_PTR form);
  // The text box's menu: the standard edit commands, then the next and previous free code.
  void ShowText1Menu(LPARAM at);
  // A command's key on the search panel (see window::Commands()); true when `message` was one.
  bool OnSearchKey(const MSG& message);
  // What the window does with `message`; WindowProc runs it guarded.
  LRESULT OnMessage(HWND handle, UINT message, WPARAM w, LPARAM l);
  // Runs `step`; an exception it throws becomes a message box, and the window goes on. No
  // exception may cross a window procedure or the message loop, which are C code's frames.
  void Guarded(const std::function<void()>& step);
  void OnCommand(int id, int code);
  void OnEnter();

  // window::FormView. The notifications a setter's change raises (EN_CHANGE from SetWindowText)
  // reach the behaviour, which ignores them while it is pushing state.
  void ShowPanel(window::Panel panel) override;
  void FocusOn(window::Control control) override;
  void SetCodeItems(const SortedCodes& codes) override;
  void SetComboIndex(int index) override;
  void SetListIndex(int index) override;
  void SetList1TopIndex(int top) override;
  int List1Rows() const override;
  void SetText1(std::string_view code) override;
  void SetLabel1(std::string_view caption) override;
  void SetLabel2(std::string_view caption) override;
  void SetLabel4(std::string_view caption) override;
  void SetDrives(const std::vector<std::string>& roots) override;
  void SetDriveIndex(int index) override;
  void SetFolders(const std::vector<window::FolderEntry>& entries, int open_index) override;
  void DrawNow() override;

  HINSTANCE instance_;
  HWND window_ = nullptr;
  std::array<HWND, window::kControlCount> controls_{};
  int dpi_ = 96;  // the resolution the window is shown at, its monitor's
  HFONT default_font_ = nullptr;
  HFONT code_font_ = nullptr;
  std::array<HICON, 2> icons_{};  // big and small
  HWND last_focus_ = nullptr;     // the control to give the keyboard back to
  bool ended_ = false;
  window::Form1 form_;
};

}  // namespace sallowmere::win32
