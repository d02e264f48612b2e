#pragma once

// sallowmere.exe run as a person would run it, from another process: started in a folder, its
// controls found, pressed, typed into and read back with window messages, its boxes closed.

#include <windows.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "win32/form1_window.h"

namespace sallowmere::win32 {

// Waits up to ten seconds for `done`; true when it came.
inline bool WaitFor(const std::function<bool()>& done) {
  const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!done()) {
    if (std::chrono::steady_clock::now() > until) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return true;
}

// The top-level windows of process `id` of `window_class` that are shown.
inline std::vector<HWND> WindowsOf(DWORD id, const wchar_t* window_class) {
  struct Search {
    DWORD id;
    const wchar_t* window_class;
    std::vector<HWND> found;
  } search{id, window_class, {}};
  EnumWindows(
      [](HWND window, LPARAM l) -> BOOL {
        auto& s = *reinterpret_cast<Search*>(l);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        wchar_t name[64] = {};
        GetClassNameW(window, name, 64);
        if (owner == s.id && IsWindowVisible(window) && std::wstring(name) == s.window_class) {
          s.found.push_back(window);
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

inline std::wstring TextOf(HWND window) {
  wchar_t text[1024] = {};
  SendMessageW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text));
  return text;
}

// sallowmere.exe: the one SALLOWMERE_EXE names, else the one beside this program.
inline std::filesystem::path ProgramPath() {
  if (const wchar_t* named = _wgetenv(L"SALLOWMERE_EXE")) return named;
  wchar_t self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  return std::filesystem::path(self).parent_path() / L"sallowmere.exe";
}

// sallowmere.exe started in `folder`; ended when the test is done.
class Program {
 public:
  explicit Program(const std::filesystem::path& folder) {
    std::wstring command = L"\"" + ProgramPath().wstring() + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    started_ = CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                              folder.c_str(), &startup, &process_) != FALSE;
    if (started_) {
      WaitFor([&] {
        const std::vector<HWND> found = WindowsOf(process_.dwProcessId, kWindowClass);
        window_ = found.empty() ? nullptr : found.front();
        return window_ != nullptr;
      });
    }
  }
  ~Program() {
    if (!started_) return;
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT)
      TerminateProcess(process_.hProcess, 9);
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
  }
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  HWND Window() const { return window_; }
  DWORD Id() const { return process_.dwProcessId; }
  HWND Find(window::Control control) const {
    struct Search {
      int id;
      HWND found;
    } search{ControlId(control), nullptr};
    EnumChildWindows(
        window_,
        [](HWND child, LPARAM l) -> BOOL {
          auto& s = *reinterpret_cast<Search*>(l);
          if (GetDlgCtrlID(child) == s.id) s.found = child;
          return s.found == nullptr;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
  }
  std::wstring Text(window::Control control) const { return TextOf(Find(control)); }
  bool Visible(window::Control control) const { return IsWindowVisible(Find(control)) != FALSE; }
  // The items of a drop-down (Combo1, Drive1) or list (List1, Dir1).
  std::vector<std::wstring> Items(window::Control control, bool combo) const {
    const HWND list = Find(control);
    std::vector<std::wstring> items;
    const auto count = SendMessageW(list, combo ? CB_GETCOUNT : LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
      wchar_t text[256] = {};
      SendMessageW(list, combo ? CB_GETLBTEXT : LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
      items.push_back(text);
    }
    return items;
  }
  LRESULT ItemData(window::Control control, bool combo, int index) const {
    return SendMessageW(Find(control), combo ? CB_GETITEMDATA : LB_GETITEMDATA, index, 0);
  }
  // Combo1, List1, Text1, Label1 and Label2 as one line: "combo|list|text|label1|label2".
  std::wstring Shown() const {
    const auto selected = [&](window::Control control, bool combo) -> std::wstring {
      const auto at = SendMessageW(Find(control), combo ? CB_GETCURSEL : LB_GETCURSEL, 0, 0);
      const std::vector<std::wstring> items = Items(control, combo);
      return at >= 0 && at < static_cast<LRESULT>(items.size()) ? items[at] : L"-";
    };
    return selected(window::Control::kCombo1, true) + L"|" +
           selected(window::Control::kList1, false) + L"|" + Text(window::Control::kText1) + L"|" +
           Text(window::Control::kLabel1) + L"|" + Text(window::Control::kLabel2);
  }

  // A press of a button, as a click would make it; returns at once, for it may open a box.
  void Press(window::Control button) const { PostMessageW(Find(button), BM_CLICK, 0, 0); }
  void Type(const std::wstring& text) const {
    for (wchar_t c : text) SendMessageW(Find(window::Control::kText1), WM_CHAR, c, 0);
  }
  void ClickItem(window::Control list, int index) const {
    const HWND control = Find(list);
    const auto top = SendMessageW(control, LB_GETTOPINDEX, 0, 0);
    const auto height = SendMessageW(control, LB_GETITEMHEIGHT, 0, 0);
    const LPARAM at = MAKELPARAM(5, static_cast<int>((index - top) * height + height / 2));
    SendMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(control, WM_LBUTTONUP, 0, at);
  }
  void Key(window::Control control, WPARAM key) const {
    SendMessageW(Find(control), WM_KEYDOWN, key, 0);
    SendMessageW(Find(control), WM_KEYUP, key, 0);
  }
  // The text of the message box the program shows next, which the test then closes with OK.
  std::wstring CloseBox() const {
    HWND box = nullptr;
    if (!WaitFor([&] {
          const std::vector<HWND> boxes = WindowsOf(process_.dwProcessId, L"#32770");
          box = boxes.empty() ? nullptr : boxes.front();
          return box != nullptr;
        })) {
      return L"(no box)";
    }
    const std::wstring text = TextOf(GetDlgItem(box, 0xFFFF));
    EXPECT_EQ(TextOf(box), L"Sallowmere");
    EXPECT_EQ(IsWindowEnabled(window_), FALSE) << "a box is modal to the window";
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
    WaitFor([&] { return !IsWindow(box) || !IsWindowVisible(box); });
    return text;
  }
  // The exit status once the program has ended; -1 when it does not end.
  long ExitStatus() const {
    if (WaitForSingleObject(process_.hProcess, 10000) != WAIT_OBJECT_0) return -1;
    DWORD status = 0;
    GetExitCodeProcess(process_.hProcess, &status);
    return static_cast<long>(status);
  }
  bool Running() const { return WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT; }

 private:
  bool started_ = false;
  PROCESS_INFORMATION process_{};
  HWND window_ = nullptr;
};

}  // namespace sallowmere::win32
