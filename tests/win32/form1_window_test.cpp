// Drives sallowmere.exe as a person would, from another process: starts it in a mod folder,
// presses buttons, types, clicks and picks, closes its boxes, and reads its controls back with
// window messages.
#include "win32/form1_window.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "table_text.h"
#include "win32/wide_text.h"

namespace sallowmere::win32 {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;
using testing::WriteMod;
using window::Control;

// Waits up to ten seconds for `done`; true when it came.
bool WaitFor(const std::function<bool()>& done) {
  const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!done()) {
    if (std::chrono::steady_clock::now() > until) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return true;
}

// The top-level windows of process `id` of `window_class` that are shown.
std::vector<HWND> WindowsOf(DWORD id, const wchar_t* window_class) {
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

std::wstring TextOf(HWND window) {
  wchar_t text[1024] = {};
  SendMessageW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text));
  return text;
}

// sallowmere.exe: the one SALLOWMERE_EXE names, else the one beside this program.
fs::path ProgramPath() {
  if (const wchar_t* named = _wgetenv(L"SALLOWMERE_EXE")) return named;
  wchar_t self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  return fs::path(self).parent_path() / L"sallowmere.exe";
}

// sallowmere.exe started in `folder`; ended when the test is done.
class Program {
 public:
  explicit Program(const fs::path& folder) {
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
  HWND Find(Control control) const {
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
  std::wstring Text(Control control) const { return TextOf(Find(control)); }
  bool Visible(Control control) const { return IsWindowVisible(Find(control)) != FALSE; }
  // The items of a drop-down (Combo1, Drive1) or list (List1, Dir1).
  std::vector<std::wstring> Items(Control control, bool combo) const {
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
  LRESULT ItemData(Control control, bool combo, int index) const {
    return SendMessageW(Find(control), combo ? CB_GETITEMDATA : LB_GETITEMDATA, index, 0);
  }
  // Combo1, List1, Text1, Label1 and Label2 as one line: "combo|list|text|label1|label2".
  std::wstring Shown() const {
    const auto selected = [&](Control control, bool combo) -> std::wstring {
      const auto at = SendMessageW(Find(control), combo ? CB_GETCURSEL : LB_GETCURSEL, 0, 0);
      const std::vector<std::wstring> items = Items(control, combo);
      return at >= 0 && at < static_cast<LRESULT>(items.size()) ? items[at] : L"-";
    };
    return selected(Control::kCombo1, true) + L"|" + selected(Control::kList1, false) + L"|" +
           Text(Control::kText1) + L"|" + Text(Control::kLabel1) + L"|" + Text(Control::kLabel2);
  }

  // A press of a button, as a click would make it; returns at once, for it may open a box.
  void Press(Control button) const { PostMessageW(Find(button), BM_CLICK, 0, 0); }
  void Type(const std::wstring& text) const {
    for (wchar_t c : text) SendMessageW(Find(Control::kText1), WM_CHAR, c, 0);
  }
  void ClickItem(Control list, int index) const {
    const HWND control = Find(list);
    const auto top = SendMessageW(control, LB_GETTOPINDEX, 0, 0);
    const auto height = SendMessageW(control, LB_GETITEMHEIGHT, 0, 0);
    const LPARAM at = MAKELPARAM(5, static_cast<int>((index - top) * height + height / 2));
    SendMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(control, WM_LBUTTONUP, 0, at);
  }
  void Key(Control control, WPARAM key) const {
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

using Texts = std::vector<std::wstring>;

TEST(Win32WindowTest, StartsOnTheFolderPanelAsDesigned) {
  TempFolder folder;
  folder.Write("mods/x", "");
  Program program(folder.Path());
  ASSERT_NE(program.Window(), nullptr);
  EXPECT_EQ(TextOf(program.Window()), L"Orvendal's Search Sallowmeres");
  RECT client{};
  GetClientRect(program.Window(), &client);
  EXPECT_EQ(client.right, 280);
  EXPECT_EQ(client.bottom, 313);
  const auto style = GetWindowLongPtrW(program.Window(), GWL_STYLE);
  EXPECT_EQ(style & (WS_THICKFRAME | WS_MAXIMIZEBOX | WS_MINIMIZEBOX), 0);
  EXPECT_TRUE(program.Visible(Control::kFrame2));
  EXPECT_FALSE(program.Visible(Control::kFrame1));
  EXPECT_EQ(program.Text(Control::kLabel3), L"Select the excel folder of your mod.");
  EXPECT_EQ(program.Text(Control::kCommand1), L"Open");
  EXPECT_EQ(program.Text(Control::kText1), L"Item code");
  // Dir1: the working folder selected, the folder inside it below.
  const Texts folders = program.Items(Control::kDir1, false);
  const auto open = SendMessageW(program.Find(Control::kDir1), LB_GETCURSEL, 0, 0);
  ASSERT_GE(open, 1);
  ASSERT_EQ(folders.size(), static_cast<std::size_t>(open) + 2);
  EXPECT_NE(folders[open].find(folder.Path().filename().wstring()), std::wstring::npos);
  EXPECT_NE(folders[open + 1].find(L"mods"), std::wstring::npos);
  EXPECT_GE(SendMessageW(program.Find(Control::kDrive1), CB_GETCURSEL, 0, 0), 0);
  // The drop-down opens as twenty rows with a scroll bar.
  EXPECT_EQ(SendMessageW(program.Find(Control::kCombo1), CB_GETMINVISIBLE, 0, 0), 20);
  // Both "Open" buttons stand at the same spot of the window.
  RECT command1{}, command2{};
  GetWindowRect(program.Find(Control::kCommand1), &command1);
  GetWindowRect(program.Find(Control::kCommand2), &command2);
  EXPECT_EQ(command1.left, command2.left);
  EXPECT_EQ(command1.top, command2.top);
  EXPECT_EQ(command1.right - command1.left, 105);
}

// The program's icon holds a 16 and a 32 pixel image.
TEST(Win32WindowTest, TheProgramCarriesItsIcon) {
  const HMODULE program = LoadLibraryExW(ProgramPath().c_str(), nullptr,
                                         LOAD_LIBRARY_AS_IMAGE_RESOURCE | LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(program, nullptr);
  const HRSRC group =
      FindResourceW(program, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(14));  // RT_GROUP_ICON
  ASSERT_NE(group, nullptr);
  const auto* directory = static_cast<const BYTE*>(LockResource(LoadResource(program, group)));
  ASSERT_NE(directory, nullptr);
  // A group icon: 6 bytes of header, the count at byte 4, then 14 bytes an image, width first.
  std::vector<int> widths;
  for (int i = 0; i < directory[4]; ++i) widths.push_back(directory[6 + 14 * i]);
  EXPECT_NE(std::find(widths.begin(), widths.end(), 16), widths.end());
  EXPECT_NE(std::find(widths.begin(), widths.end(), 32), widths.end());
  FreeLibrary(program);
}

TEST(Win32WindowTest, OpenFillsBothListsAndTheChainFollowsTheUser) {
  TempFolder folder;
  WriteMod(folder, {"a0b", "Cap", "\xE9t\xE9"}, {"w1"}, {"m1"});
  Program program(folder.Path());
  ASSERT_NE(program.Window(), nullptr);
  program.Press(Control::kCommand1);
  ASSERT_TRUE(WaitFor(
      [&] { return program.Visible(Control::kFrame1) && !program.Visible(Control::kFrame2); }));
  const Texts codes = {L"a0b", L"Cap", L"m1", L"w1", L"\u00E9t\u00E9"};
  EXPECT_EQ(program.Items(Control::kCombo1, true), codes);
  EXPECT_EQ(program.Items(Control::kList1, false), codes);
  EXPECT_EQ(program.ItemData(Control::kList1, false, 2), 20000);
  EXPECT_EQ(program.ItemData(Control::kCombo1, true, 3), 10000);
  EXPECT_EQ(program.Shown(), L"a0b|a0b|a0b|Used|Armor.txt");

  SetWindowTextW(program.Find(Control::kText1), L"");
  program.Type(L"ca");
  EXPECT_EQ(program.Shown(), L"a0b|-|ca|Free|");
  SetWindowTextW(program.Find(Control::kText1), L"");
  program.Type(L"Cap");
  EXPECT_EQ(program.Shown(), L"Cap|Cap|Cap|Used|Armor.txt");
  program.Type(L"x");
  EXPECT_EQ(program.Shown(), L"Cap|-|Capx|Free|");
  SetWindowTextW(program.Find(Control::kText1), L"\u00E9t\u00E9");
  EXPECT_EQ(program.Shown(), L"\u00E9t\u00E9|\u00E9t\u00E9|\u00E9t\u00E9|Used|Armor.txt");

  program.ClickItem(Control::kList1, 2);
  EXPECT_EQ(program.Shown(), L"m1|m1|m1|Used|Misc.txt");
  program.Key(Control::kCombo1, VK_DOWN);
  EXPECT_EQ(program.Shown(), L"w1|w1|w1|Used|Weapon.txt");
  // After a free code, a click on the entry still selected brings everything back to it.
  program.Type(L"z");
  program.ClickItem(Control::kList1, 3);
  EXPECT_EQ(program.Shown(), L"w1|w1|w1|Used|Weapon.txt");

  // "Open" on the search panel goes back to the folder panel, which keeps the folder.
  program.Press(Control::kCommand2);
  EXPECT_TRUE(WaitFor(
      [&] { return program.Visible(Control::kFrame2) && !program.Visible(Control::kFrame1); }));
  EXPECT_TRUE(program.Running());
}

TEST(Win32WindowTest, EachRepeatedCodeGetsABoxAndTheLoadGoesOn) {
  TempFolder folder;
  WriteMod(folder, {"d1", "k1"}, {"d1"}, {"k1"});
  Program program(folder.Path());
  ASSERT_NE(program.Window(), nullptr);
  program.Press(Control::kCommand1);
  EXPECT_EQ(program.CloseBox(),
            L"Error Itemcode: d1 is used for 2 items.\nweapons.txt:2, first used at armor.txt:2");
  EXPECT_EQ(program.CloseBox(),
            L"Error Itemcode: k1 is used for 2 items.\nmisc.txt:2, first used at armor.txt:3");
  ASSERT_TRUE(WaitFor([&] { return program.Visible(Control::kFrame1); }));
  EXPECT_EQ(program.Items(Control::kList1, false), (Texts{L"d1", L"k1"}));
  EXPECT_EQ(program.Shown(), L"d1|d1|d1|Used|Armor.txt");
}

TEST(Win32WindowTest, ATableThatCannotBeReadKeepsTheFolderPanel) {
  TempFolder folder;
  WriteMod(folder, {"a"}, {"b"}, {"c"});
  folder.Write("weapons.txt",
               testing::MakeTable({testing::MakeRow(WeaponLayout(), "x", {{30, "38999"}})}));
  Program program(folder.Path());
  ASSERT_NE(program.Window(), nullptr);
  program.Press(Control::kCommand1);
  const std::wstring text = program.CloseBox();
  EXPECT_EQ(text.rfind(L"The tables could not be read: weapons.txt, line 2: overflow", 0), 0u)
      << text;
  EXPECT_TRUE(program.Visible(Control::kFrame2));
  EXPECT_FALSE(program.Visible(Control::kFrame1));
  EXPECT_TRUE(program.Items(Control::kList1, false).empty());
  EXPECT_TRUE(program.Running());
}

TEST(Win32WindowTest, AMissingTableEndsTheProgramWithStatusZero) {
  TempFolder folder;
  folder.Write("armor.txt", "h\r\n");
  Program program(folder.Path());
  ASSERT_NE(program.Window(), nullptr);
  program.Press(Control::kCommand1);
  const std::wstring text = program.CloseBox();
  EXPECT_NE(text.find(L"weapons.txt was not found"), std::wstring::npos) << text;
  EXPECT_EQ(program.ExitStatus(), 0);
}

// F3 and F5 reach the window through its message loop, the text box's menu ends with the free
// code commands, Label4 is a static control that shows the details, and coming back to the window
// after a table was broken keeps what it showed.
TEST(Win32WindowTest, FreeCodeKeysTheTextBoxMenuAndReading) {
  TempFolder folder;
  WriteMod(folder, {"r0c", "r0d"}, {}, {});
  Program program(folder.Path());
  ASSERT_NE(program.Window(), nullptr);
  program.Press(Control::kCommand1);
  ASSERT_TRUE(WaitFor([&] { return program.Visible(Control::kFrame1); }));
  wchar_t label_class[16] = {};
  GetClassNameW(program.Find(Control::kLabel4), label_class, 16);
  EXPECT_EQ(std::wstring(label_class), L"Static");
  EXPECT_EQ(program.Text(Control::kLabel4), L"word\r\narmor.txt:2\r\nNamed nowhere else");

  PostMessageW(program.Find(Control::kText1), WM_KEYDOWN, VK_F3, 0);
  EXPECT_TRUE(WaitFor([&] { return program.Text(Control::kText1) == L"r0e"; }));
  EXPECT_EQ(program.Text(Control::kLabel4), L"F3: next free code like this");
  // The menu's last two commands, chosen from the keyboard: every place, the previous free code.
  const auto choose_from_the_end = [&](int ups) {
    PostMessageW(program.Find(Control::kText1), WM_CONTEXTMENU,
                 reinterpret_cast<WPARAM>(program.Find(Control::kText1)), -1);
    std::vector<HWND> menus;
    ASSERT_TRUE(WaitFor([&] {
      menus = WindowsOf(program.Id(), L"#32768");
      return !menus.empty();
    }));
    for (int up = 0; up < ups; ++up) PostMessageW(menus.front(), WM_KEYDOWN, VK_UP, 0);
    PostMessageW(menus.front(), WM_KEYDOWN, VK_RETURN, 0);
  };
  choose_from_the_end(1);
  EXPECT_EQ(program.CloseBox(), L"No place in the folder's tables names r0e.");
  choose_from_the_end(2);
  EXPECT_TRUE(WaitFor([&] { return program.Text(Control::kText1) == L"r0b"; }));

  WriteMod(folder, {"r0c", "r0d", "r0b"}, {}, {});
  PostMessageW(program.Find(Control::kList1), WM_KEYDOWN, VK_F5, 0);
  EXPECT_TRUE(WaitFor([&] { return program.Items(Control::kList1, false).size() == 3; }));
  EXPECT_EQ(program.Shown(), L"r0b|r0b|r0b|Used|Armor.txt");

  folder.Write("misc.txt", "\xFF\xFEh");
  SendMessageW(program.Window(), WM_ACTIVATE, WA_ACTIVE, 0);
  const std::wstring text = program.CloseBox();
  EXPECT_NE(text.find(L"UTF-16"), std::wstring::npos) << text;
  EXPECT_TRUE(program.Running());
  EXPECT_TRUE(program.Visible(Control::kFrame1));
  EXPECT_EQ(program.Shown(), L"r0b|r0b|r0b|Used|Armor.txt");
}

// A folder whose Linux name is no UTF-8 reaches the program, under Wine, as a name holding U+FFFD:
// it is listed, opening it opens it or says why, and the window goes on.
TEST(Win32WindowTest, AFolderNamedInNoEncodingIsListedAndOpensOrSaysWhy) {
  const wchar_t* odd = _wgetenv(L"SALLOWMERE_ODD_NAMES");
  if (odd == nullptr) GTEST_SKIP() << "SALLOWMERE_ODD_NAMES names no folder";
  Program program(odd);
  ASSERT_NE(program.Window(), nullptr);
  const Texts folders = program.Items(Control::kDir1, false);
  const auto odd_line = std::find_if(folders.begin(), folders.end(), [](const std::wstring& line) {
    return line.find(L"bad\uFFFD") != std::wstring::npos;
  });
  ASSERT_NE(odd_line, folders.end());
  const HWND dir1 = program.Find(Control::kDir1);
  SendMessageW(dir1, LB_SETCURSEL, odd_line - folders.begin(), 0);
  PostMessageW(dir1, WM_KEYDOWN, VK_RETURN, 0);
  const auto opened = [&] {
    const auto open = SendMessageW(dir1, LB_GETCURSEL, 0, 0);
    const Texts now = program.Items(Control::kDir1, false);
    return open >= 0 && open < static_cast<LRESULT>(now.size()) &&
           now[open].find(L"bad\uFFFD") != std::wstring::npos && now.size() != folders.size();
  };
  ASSERT_TRUE(WaitFor([&] { return opened() || !WindowsOf(program.Id(), L"#32770").empty(); }));
  if (!opened()) {
    const std::wstring text = program.CloseBox();
    EXPECT_NE(text.find(L"cannot be read"), std::wstring::npos) << text;
  }
  EXPECT_TRUE(program.Running());
  EXPECT_TRUE(program.Visible(Control::kFrame2));
}

// Sets the screen's resolution for the programs started while it lives, as the display settings
// do, and puts back what was there.
class ScreenDpi {
 public:
  explicit ScreenDpi(DWORD dpi) {
    DWORD size = sizeof(old_);
    had_ = RegGetValueW(HKEY_CURRENT_USER, kKey, L"LogPixels", RRF_RT_REG_DWORD, nullptr, &old_,
                        &size) == ERROR_SUCCESS;
    Set(dpi);
  }
  ~ScreenDpi() {
    if (had_) {
      Set(old_);
    } else {
      RegDeleteKeyValueW(HKEY_CURRENT_USER, kKey, L"LogPixels");
    }
  }
  ScreenDpi(const ScreenDpi&) = delete;
  ScreenDpi& operator=(const ScreenDpi&) = delete;

 private:
  static constexpr const wchar_t* kKey = L"Control Panel\\Desktop";
  static void Set(DWORD dpi) {
    RegSetKeyValueW(HKEY_CURRENT_USER, kKey, L"LogPixels", REG_DWORD, &dpi, sizeof(dpi));
  }
  DWORD old_ = 96;
  bool had_ = false;
};

// At 144 dots per inch the window is the design at one and a half times its size: a 420 x 470
// client area, every control where the design's twips put it at that resolution, and the fonts
// grown alike.
TEST(Win32WindowTest, At144DpiTheDesignIsLaidOutAtOneAndAHalfItsSize) {
  TempFolder folder;
  const auto row_height = [](const Program& program) {
    return SendMessageW(program.Find(Control::kList1), LB_GETITEMHEIGHT, 0, 0);
  };
  LRESULT row_at_96 = 0;
  {
    Program program(folder.Path());
    ASSERT_NE(program.Window(), nullptr);
    row_at_96 = row_height(program);
  }
  const ScreenDpi dpi(144);
  Program program(folder.Path());
  ASSERT_NE(program.Window(), nullptr);
  RECT client{};
  GetClientRect(program.Window(), &client);
  EXPECT_EQ(client.right, 420);
  EXPECT_EQ(client.bottom, 470);
  const auto px = [](int twips) { return window::TwipsToPixels(twips, 144); };
  for (const window::ControlDesign& design : window::FormDesign()) {
    RECT at{};
    GetWindowRect(program.Find(design.id), &at);
    MapWindowPoints(nullptr, program.Window(), reinterpret_cast<POINT*>(&at), 2);
    const window::TwipsRect panel =
        design.parent ? window::DesignOf(*design.parent).place : window::TwipsRect{};
    EXPECT_EQ(at.left, px(panel.left) + px(design.place.left)) << design.name;
    EXPECT_EQ(at.top, px(panel.top) + px(design.place.top)) << design.name;
    EXPECT_EQ(at.right - at.left, px(design.place.width)) << design.name;
    if (design.kind != window::ControlKind::kDropDownList) {
      EXPECT_EQ(at.bottom - at.top, px(design.place.height)) << design.name;
    }
  }
  EXPECT_NEAR(static_cast<double>(row_height(program)), 1.5 * static_cast<double>(row_at_96), 2.0);
}

// Tab visits each panel's controls in the designed order; Enter opens the folder list's open
// folder and presses a button.
TEST(Win32WindowTest, TheKeyboardMovesThroughThePanelsAndEnterPresses) {
  TempFolder folder;
  WriteMod(folder, {"k1"}, {}, {});
  Program program(folder.Path());
  ASSERT_NE(program.Window(), nullptr);
  const auto focus = [&] {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    GetGUIThreadInfo(GetWindowThreadProcessId(program.Window(), nullptr), &info);
    return info.hwndFocus;
  };
  const auto press = [&](WPARAM key) { PostMessageW(focus(), WM_KEYDOWN, key, 0); };
  const auto visits = [&](std::initializer_list<Control> order) {
    for (Control control : order) {
      press(VK_TAB);
      EXPECT_TRUE(WaitFor([&] { return focus() == program.Find(control); }))
          << window::DesignOf(control).name;
    }
  };
  ASSERT_TRUE(WaitFor([&] { return focus() == program.Find(Control::kDir1); }));
  visits({Control::kDrive1, Control::kCommand1, Control::kDir1});
  press(VK_RETURN);
  ASSERT_TRUE(WaitFor([&] { return program.Visible(Control::kFrame1); }));
  EXPECT_EQ(program.Shown(), L"k1|k1|k1|Used|Armor.txt");
  EXPECT_TRUE(WaitFor([&] { return focus() == program.Find(Control::kText1); }));
  visits({Control::kList1, Control::kCombo1, Control::kCommand2});
  press(VK_RETURN);
  EXPECT_TRUE(WaitFor([&] { return program.Visible(Control::kFrame2); }));
}

}  // namespace
}  // namespace sallowmere::win32
