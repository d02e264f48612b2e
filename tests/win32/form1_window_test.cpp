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

#include "program.h"
#include "table_text.h"
#include "win32/wide_text.h"

namespace sallowmere::win32 {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;
using testing::WriteMod;
using window::Control;

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

// Both code lists hold the codes with their ItemData; a code's bytes reach the controls and come
// back as Windows-1252 characters.
TEST(Win32WindowTest, TheCodesReachBothListsWithTheirDataAndEveryByte) {
  TempFolder folder;
  WriteMod(folder, {"a0b", "Cap", "\xE9t\xE9"}, {"w1"}, {"m1"});
  Program program(folder.Path());
  ASSERT_NE(program.Window(), nullptr);
  program.Press(Control::kCommand1);
  ASSERT_TRUE(WaitFor([&] { return program.Visible(Control::kFrame1); }));
  const Texts codes = {L"a0b", L"Cap", L"m1", L"w1", L"\u00E9t\u00E9"};
  EXPECT_EQ(program.Items(Control::kCombo1, true), codes);
  EXPECT_EQ(program.Items(Control::kList1, false), codes);
  EXPECT_EQ(program.ItemData(Control::kList1, false, 2), 20000);
  EXPECT_EQ(program.ItemData(Control::kCombo1, true, 3), 10000);
  SetWindowTextW(program.Find(Control::kText1), L"\u00E9t\u00E9");
  EXPECT_EQ(program.Shown(), L"\u00E9t\u00E9|\u00E9t\u00E9|\u00E9t\u00E9|Used|Armor.txt");
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
