// The window's flows over the Win32 window: sallowmere.exe run in its own process under the
// system (Wine here), driven with window messages and input as a person's mouse and keys make
// them, its boxes read and closed with OK.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

#include "../window/form1_flows.h"
#include "program.h"

namespace sallowmere::window {
namespace {

using win32::Program;
using win32::WaitFor;
using win32::WindowsOf;

std::string Utf8(const std::wstring& text) {
  std::string bytes(
      static_cast<std::size_t>(WideCharToMultiByte(
          CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr)),
      '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(),
                      static_cast<int>(bytes.size()), nullptr, nullptr);
  return bytes;
}

// Text1's limit of characters, set to a mark after each action: when the program reports the
// mark, it has handled every message posted to it before.
constexpr LRESULT kFirstMark = 1'000'000;

class Win32Driver : public FormDriver {
 public:
  void Start(const std::filesystem::path& folder) override {
    program_ = std::make_unique<Program>(folder);
    ASSERT_NE(program_->Window(), nullptr);
    Settle();
  }
  void Click(Control button) override {
    program_->Press(button);
    Settle();
  }
  void Type(std::string_view text) override {
    for (const char c : text) Post(Control::kText1, WM_CHAR, static_cast<unsigned char>(c), 0);
    Settle();
  }
  void ClearText1() override {
    Post(Control::kText1, EM_SETSEL, 0, -1);
    Post(Control::kText1, WM_KEYDOWN, VK_DELETE, 0);
    Post(Control::kText1, WM_KEYUP, VK_DELETE, 0);
    Settle();
  }
  void ClickList1(int index) override {
    const HWND list1 = program_->Find(Control::kList1);
    if (!InView(index)) SendMessageW(list1, LB_SETTOPINDEX, static_cast<WPARAM>(index), 0);
    ClickRow(list1, index);
    Settle();
  }
  void PickCombo1(int index) override {
    const HWND combo1 = program_->Find(Control::kCombo1);
    PostMessageW(combo1, CB_SHOWDROPDOWN, TRUE, 0);
    HWND dropped = nullptr;
    ASSERT_TRUE(WaitFor([&] {
      const std::vector<HWND> lists = WindowsOf(program_->Id(), L"ComboLBox");
      dropped = lists.empty() ? nullptr : lists.front();
      return dropped != nullptr;
    }));
    SendMessageW(dropped, LB_SETTOPINDEX, static_cast<WPARAM>(index), 0);
    ClickRow(dropped, index);
    EXPECT_TRUE(WaitFor([&] { return WindowsOf(program_->Id(), L"ComboLBox").empty(); }));
    Settle();
  }
  void PressKey(Command command) override {
    const CommandDesign& design = DesignOf(command);
    const WORD key =
        static_cast<WORD>(design.key.kind == Key::Kind::kFunction ? VK_F1 + design.key.number - 1
                                                                  : 'A' + design.key.number);
    const HWND focus = FocusWindow();
    if (design.modifiers == Modifiers{}) {
      PostMessageW(focus, WM_KEYDOWN, key, 0);
      PostMessageW(focus, WM_KEYUP, key, 0);
    } else {
      // A key with modifiers held comes from the keyboard, which keeps their state.
      SetForegroundWindow(program_->Window());
      std::vector<WORD> held;
      if (design.modifiers.shift) held.push_back(VK_SHIFT);
      if (design.modifiers.control) held.push_back(VK_CONTROL);
      if (design.modifiers.alt) held.push_back(VK_MENU);
      std::vector<INPUT> inputs;
      const auto add = [&](WORD virtual_key, bool up) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = virtual_key;
        input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        inputs.push_back(input);
      };
      for (WORD modifier : held) add(modifier, false);
      add(key, false);
      add(key, true);
      for (auto at = held.rbegin(); at != held.rend(); ++at) add(*at, true);
      const std::wstring before = Seen();
      SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
      // The input reaches the program's queue a moment later, after any mark posted now: what the
      // key does shows first. A key that changes nothing is given a while.
      const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(3);
      while (Box() == nullptr && Seen() == before && std::chrono::steady_clock::now() < until) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
      }
    }
    Settle();
  }
  void ChooseOnMenu(Command command) override {
    // From the keyboard: the menu opens, Up goes to its last entry and on up to the command's.
    int ups = 0;
    bool found = false;
    for (const CommandDesign& design : Commands()) {
      if (design.menu_text.empty()) continue;
      if (design.id == command) found = true;
      if (found) ++ups;
    }
    ASSERT_TRUE(found);
    const HWND text1 = program_->Find(Control::kText1);
    PostMessageW(text1, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(text1), -1);
    std::vector<HWND> menus;
    ASSERT_TRUE(WaitFor([&] {
      menus = WindowsOf(program_->Id(), L"#32768");
      return !menus.empty();
    }));
    for (int up = 0; up < ups; ++up) PostMessageW(menus.front(), WM_KEYDOWN, VK_UP, 0);
    PostMessageW(menus.front(), WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_TRUE(WaitFor([&] { return WindowsOf(program_->Id(), L"#32768").empty(); }));
    Settle();
  }
  void ComeBack() override {
    SendMessageW(program_->Window(), WM_ACTIVATE, WA_INACTIVE, 0);
    SendMessageW(program_->Window(), WM_ACTIVATE, WA_ACTIVE, 0);
    Settle();
  }

  Panel ShownPanel() override {
    EXPECT_NE(program_->Visible(Control::kFrame1), program_->Visible(Control::kFrame2));
    return program_->Visible(Control::kFrame1) ? Panel::kSearch : Panel::kFolder;
  }
  std::string Shown() override { return Utf8(program_->Shown()); }
  std::string Label4() override {
    std::string lines = Utf8(program_->Text(Control::kLabel4));
    std::erase(lines, '\r');
    return lines;
  }
  std::vector<std::string> List1Items() override {
    std::vector<std::string> items;
    for (const std::wstring& item : program_->Items(Control::kList1, false)) {
      items.push_back(Utf8(item));
    }
    return items;
  }
  bool InView(int index) override {
    const HWND list1 = program_->Find(Control::kList1);
    const auto top = SendMessageW(list1, LB_GETTOPINDEX, 0, 0);
    RECT client{};
    GetClientRect(list1, &client);
    const auto rows =
        client.bottom / std::max<LRESULT>(1, SendMessageW(list1, LB_GETITEMHEIGHT, 0, 0));
    return index >= top && index < top + rows;
  }
  std::optional<Control> Focus() override {
    const int id = GetDlgCtrlID(FocusWindow());
    for (const ControlDesign& design : FormDesign()) {
      if (win32::ControlId(design.id) == id) return design.id;
    }
    return std::nullopt;
  }
  std::vector<std::string> TakeBoxes() override { return std::exchange(boxes_, {}); }
  bool Ended() override { return !program_->Running() && program_->ExitStatus() == 0; }

 private:
  void Post(Control control, UINT message, WPARAM w, LPARAM l) {
    PostMessageW(program_->Find(control), message, w, l);
  }
  HWND FocusWindow() const {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    GetGUIThreadInfo(GetWindowThreadProcessId(program_->Window(), nullptr), &info);
    return info.hwndFocus;
  }
  // A click on row `index` of a list box, which shows it.
  static void ClickRow(HWND list, int index) {
    const auto top = SendMessageW(list, LB_GETTOPINDEX, 0, 0);
    const auto height = SendMessageW(list, LB_GETITEMHEIGHT, 0, 0);
    const LPARAM at = MAKELPARAM(5, static_cast<int>((index - top) * height + height / 2));
    PostMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(list, WM_LBUTTONUP, 0, at);
  }
  // What the window shows that a key may change: the search panel's texts.
  std::wstring Seen() const { return program_->Shown() + L"|" + program_->Text(Control::kLabel4); }
  // The box the program shows now, if any.
  HWND Box() const {
    const std::vector<HWND> boxes = WindowsOf(program_->Id(), L"#32770");
    return boxes.empty() ? nullptr : boxes.front();
  }
  // Waits until the program has handled what was posted to it, keeping and closing with OK each
  // box it shows meanwhile; or until it has ended.
  void Settle() {
    const HWND text1 = program_->Find(Control::kText1);
    for (;;) {
      const LRESULT mark = kFirstMark + ++marks_;
      PostMessageW(text1, EM_SETLIMITTEXT, static_cast<WPARAM>(mark), 0);
      const bool handled = WaitFor([&] {
        if (!program_->Running() || Box() != nullptr) return true;
        DWORD_PTR limit = 0;
        SendMessageTimeoutW(text1, EM_GETLIMITTEXT, 0, 0, SMTO_NORMAL, 1000, &limit);
        return static_cast<LRESULT>(limit) == mark;
      });
      ASSERT_TRUE(handled) << "the program did not answer";
      const HWND box = Box();
      if (!program_->Running() || box == nullptr) return;
      boxes_.push_back(Utf8(win32::TextOf(GetDlgItem(box, 0xFFFF))));
      EXPECT_EQ(win32::TextOf(box), L"Sallowmere");
      EXPECT_FALSE(IsWindowEnabled(program_->Window())) << "a box is modal to the window";
      PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                   reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
      // A box is hidden as its modal loop ends, which then handles no more messages; the handle
      // may stay valid a while.
      ASSERT_TRUE(WaitFor([&] { return !IsWindow(box) || !IsWindowVisible(box); }));
    }
  }

  std::unique_ptr<Program> program_;
  std::vector<std::string> boxes_;
  LRESULT marks_ = 0;
};

}  // namespace

std::unique_ptr<FormDriver> MakeDriver() { return std::make_unique<Win32Driver>(); }

}  // namespace sallowmere::window
