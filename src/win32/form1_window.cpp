#include "win32/form1_window.h"

#include <commctrl.h>
#include <dbt.h>
#include <oleacc.h>
#include <shellapi.h>

#include <algorithm>
#include <exception>
#include <optional>

#include "win32/wide_text.h"

namespace sallowmere::win32 {
namespace {

using window::Control;
using window::ControlKind;

constexpr wchar_t kPanelClass[] = L"SallowmerePanel";

// The standard class, styles and extended styles a control of `kind` is made with.
struct WindowKind {
  const wchar_t* window_class;
  DWORD style;
  DWORD extended_style;
};

WindowKind KindOf(ControlKind kind) {
  constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
  constexpr DWORD kList = kChild | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
  switch (kind) {
    case ControlKind::kPanel: return {kPanelClass, WS_CHILD | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT};
    case ControlKind::kButton: return {WC_BUTTONW, kChild | WS_TABSTOP | BS_PUSHBUTTON, 0};
    case ControlKind::kDropDownList:
      return {WC_COMBOBOXW, kChild | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_HASSTRINGS,
              0};
    case ControlKind::kListBox:
    case ControlKind::kFolderList: return {WC_LISTBOXW, kList, WS_EX_CLIENTEDGE};
    case ControlKind::kTextBox:
      return {WC_EDITW, kChild | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
    case ControlKind::kLabel: return {WC_STATICW, kChild | SS_LEFT | SS_NOPREFIX, 0};
    case ControlKind::kCentredLabel: return {WC_STATICW, kChild | SS_CENTER | SS_NOPREFIX, 0};
    case ControlKind::kWrappingLabel:
      return {WC_STATICW, kChild | SS_LEFT | SS_NOPREFIX | SS_EDITCONTROL, 0};
  }
  return {WC_STATICW, kChild, 0};
}

// Posted to the window once it is active again, so that a reload's boxes open after the
// activation, not inside it.
constexpr UINT kActivated = WM_APP + 1;

// The text box menu's commands: the edit control's own messages, then the window's commands,
// kFirstCommand plus their place in the commands' table.
enum MenuCommand : UINT {
  kUndo = 1,
  kCut,
  kCopy,
  kPaste,
  kDelete,
  kSelectAll,
  kFirstCommand,
};

// The command key the virtual key `key` is; std::nullopt for a key no command can take.
std::optional<window::Key> KeyOf(WPARAM key) {
  if (key >= VK_F1 && key <= VK_F24) return window::FunctionKey(static_cast<int>(key - VK_F1) + 1);
  if (key >= 'A' && key <= 'Z') return window::LetterKey(static_cast<char>(key));
  return std::nullopt;
}

// The resolution `window` is shown at: its monitor's where Windows tells each window its own
// (Windows 10 1607 on, and Wine), else the system's; the system's for no window.
// The frame around a client area of `client` at `dpi`: AdjustWindowRectExForDpi where Windows has
// it (10 1607 on), else AdjustWindowRectEx, which knows only the system's resolution.
RECT FrameAround(RECT client, DWORD style, DWORD extended_style, int dpi) {
  using AdjustForDpi = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
  static const auto adjust_for_dpi = reinterpret_cast<AdjustForDpi>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"user32.dll"), "AdjustWindowRectExForDpi")));
  if (adjust_for_dpi == nullptr ||
      !adjust_for_dpi(&client, style, FALSE, extended_style, static_cast<UINT>(dpi))) {
    AdjustWindowRectEx(&client, style, FALSE, extended_style);
  }
  return client;
}

// A system metric at `dpi`: GetSystemMetricsForDpi where Windows has it, else scaled from the
// system's resolution.
int MetricAt(int metric, int dpi, int system_dpi) {
  using MetricForDpi = int(WINAPI*)(int, UINT);
  static const auto metric_for_dpi = reinterpret_cast<MetricForDpi>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetSystemMetricsForDpi")));
  if (metric_for_dpi != nullptr) return metric_for_dpi(metric, static_cast<UINT>(dpi));
  return MulDiv(GetSystemMetrics(metric), dpi, system_dpi);
}

int DpiOf(HWND window) {
  using DpiForWindow = UINT(WINAPI*)(HWND);
  static const auto dpi_for_window = reinterpret_cast<DpiForWindow>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  if (window != nullptr && dpi_for_window != nullptr) {
    if (const UINT dpi = dpi_for_window(window); dpi != 0) return static_cast<int>(dpi);
  }
  int dpi = 96;
  if (HDC screen = GetDC(nullptr)) {
    dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
  }
  return dpi;
}

constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kWindowExtendedStyle = WS_EX_CONTROLPARENT;

// The UI Automation property that makes a control a live region, and its polite value: a screen
// reader tells a change of its text when it has said what it was saying.
constexpr GUID kLiveSettingProperty = {
    0xc12bcd8e, 0x2a8e, 0x4950, {0x8a, 0xe7, 0x36, 0x25, 0x11, 0x1d, 0x58, 0xeb}};
constexpr int kPoliteLiveSetting = 1;
constexpr DWORD kLiveRegionChanged = 0x8019;  // EVENT_OBJECT_LIVEREGIONCHANGED

// Gives a control the name and description a screen reader reads, where the standard classes
// carry none of their own (an edit, a list, a drop-down, a label's role); a label whose changes
// are told becomes a polite live region. Nothing happens where the system has no annotation
// service.
void Annotate(HWND control, std::string_view name, std::string_view description, bool live) {
  IAccPropServices* services = nullptr;
  if (FAILED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                              IID_IAccPropServices, reinterpret_cast<void**>(&services)))) {
    return;
  }
  if (!name.empty()) {
    services->SetHwndPropStr(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                             PROPID_ACC_NAME, TableText(name).c_str());
  }
  services->SetHwndPropStr(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                           PROPID_ACC_DESCRIPTION, TableText(description).c_str());
  if (live) {
    VARIANT setting;
    VariantInit(&setting);
    setting.vt = VT_I4;
    setting.lVal = kPoliteLiveSetting;
    services->SetHwndProp(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                          kLiveSettingProperty, setting);
  }
  services->Release();
}

std::wstring WindowText(HWND control) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(
      GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
  return text;
}

// Fills a list box or a drop-down with `texts` and their item data, redrawn once at the end.
template <class Texts, class Data>
void Fill(HWND control, bool combo, const Texts& texts, Data&& data_of) {
  const UINT reset = combo ? CB_RESETCONTENT : LB_RESETCONTENT;
  const UINT storage = combo ? CB_INITSTORAGE : LB_INITSTORAGE;
  const UINT add = combo ? CB_ADDSTRING : LB_ADDSTRING;
  const UINT set_data = combo ? CB_SETITEMDATA : LB_SETITEMDATA;
  SendMessageW(control, WM_SETREDRAW, FALSE, 0);
  SendMessageW(control, reset, 0, 0);
  SendMessageW(control, storage, texts.size(), texts.size() * 16);
  for (std::size_t i = 0; i < texts.size(); ++i) {
    const std::wstring text = texts[i];
    const LRESULT at = SendMessageW(control, add, 0, reinterpret_cast<LPARAM>(text.c_str()));
    // A failed add returns a negative index, and item data set at -1 would go to every item.
    if (at >= 0) SendMessageW(control, set_data, static_cast<WPARAM>(at), data_of(i));
  }
  SendMessageW(control, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(control, nullptr, TRUE);
}

// A vector-like view that makes each text when asked, so a list of ten thousand codes is not
// first copied into wide strings.
template <class Make>
struct MadeTexts {
  std::size_t count;
  Make make;
  std::size_t size() const { return count; }
  std::wstring operator[](std::size_t i) const { return make(i); }
};
template <class Make>
MadeTexts(std::size_t, Make) -> MadeTexts<Make>;

}  // namespace

Form1Window::Form1Window(HINSTANCE instance) : instance_(instance), form_(*this, *this) {}

Form1Window::~Form1Window() {
  if (window_ != nullptr) DestroyWindow(window_);
  if (default_font_ != nullptr) DeleteObject(default_font_);
  if (code_font_ != nullptr) DeleteObject(code_font_);
  for (HICON icon : icons_) {
    if (icon != nullptr) DestroyIcon(icon);
  }
}

std::unique_ptr<Form1Window> Form1Window::Create(HINSTANCE instance) {
  WNDCLASSEXW form_class{};
  form_class.cbSize = sizeof(form_class);
  form_class.lpfnWndProc = WindowProc;
  form_class.hInstance = instance;
  form_class.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  form_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  form_class.lpszClassName = kWindowClass;
  WNDCLASSEXW panel_class = form_class;
  panel_class.lpfnWndProc = PanelProc;
  panel_class.lpszClassName = kPanelClass;
  RegisterClassExW(&form_class);
  RegisterClassExW(&panel_class);

  std::unique_ptr<Form1Window> form(new Form1Window(instance));
  form->dpi_ = DpiOf(nullptr);
  const SIZE frame = form->FrameSize();
  const HWND made = CreateWindowExW(
      kWindowExtendedStyle, kWindowClass, TableText(window::kCaption).c_str(), kWindowStyle,
      CW_USEDEFAULT, CW_USEDEFAULT, frame.cx, frame.cy, nullptr, nullptr, instance, form.get());
  if (made == nullptr || !form->CreateControls()) return nullptr;
  // The monitor the window opened on may show it at another resolution than the system's.
  if (const int dpi = DpiOf(made); dpi != form->dpi_) {
    form->dpi_ = dpi;
    const SIZE size = form->FrameSize();
    SetWindowPos(made, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    form->ApplyDpi();
  }
  SetWindowSubclass(form->ControlHandle(Control::kText1), Text1Proc, 0,
                    reinterpret_cast<DWORD_PTR>(form.get()));
  // The window's own icons, not the class's, at its monitor's sizes.
  form->SetIcons();
  // A folder dropped onto the window is opened.
  DragAcceptFiles(made, TRUE);
  return form;
}

SIZE Form1Window::FrameSize() const {
  const RECT client = {0, 0, window::TwipsToPixels(window::kClientWidthTwips, dpi_),
                       window::TwipsToPixels(window::kClientHeightTwips, dpi_)};
  const RECT frame = FrameAround(client, kWindowStyle, kWindowExtendedStyle, dpi_);
  return {frame.right - frame.left, frame.bottom - frame.top};
}

void Form1Window::MakeFonts() {
  // The system's message font, given at the system's resolution, at the window's.
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
  metrics.lfMessageFont.lfHeight = MulDiv(metrics.lfMessageFont.lfHeight, dpi_, DpiOf(nullptr));
  default_font_ = CreateFontIndirectW(&metrics.lfMessageFont);
  LOGFONTW code{};
  code.lfHeight = -MulDiv(static_cast<int>(window::kCodeFontPoints * 100), dpi_, 7200);
  code.lfWeight = FW_NORMAL;
  code.lfCharSet = DEFAULT_CHARSET;
  // Where Courier New is missing, the font mapper then takes another fixed-width font.
  code.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
  const std::wstring family = TableText(window::kCodeFontFamily);
  family.copy(code.lfFaceName, LF_FACESIZE - 1);
  code_font_ = CreateFontIndirectW(&code);
}

void Form1Window::PlaceControl(const window::ControlDesign& design) {
  const HWND control = ControlHandle(design.id);
  const auto px = [&](int twips) { return window::TwipsToPixels(twips, dpi_); };
  SendMessageW(control, WM_SETFONT,
               reinterpret_cast<WPARAM>(design.code_font ? code_font_ : default_font_), TRUE);
  int height = px(design.place.height);
  if (design.kind == ControlKind::kDropDownList) {
    // The drop-down opens as a list of kDropDownRows rows with a scroll bar.
    const auto row = static_cast<int>(SendMessageW(control, CB_GETITEMHEIGHT, 0, 0));
    height += row * window::kDropDownRows + 2;
  }
  SetWindowPos(control, nullptr, px(design.place.left), px(design.place.top),
               px(design.place.width), height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form1Window::ApplyDpi() {
  // The old fonts go only once no control uses them.
  const std::array<HFONT, 2> old = {default_font_, code_font_};
  MakeFonts();
  for (const window::ControlDesign& design : window::FormDesign()) PlaceControl(design);
  for (HFONT font : old) {
    if (font != nullptr) DeleteObject(font);
  }
  SetIcons();
  InvalidateRect(window_, nullptr, TRUE);
}

void Form1Window::SetIcons() {
  const int system_dpi = DpiOf(nullptr);
  const auto icon = [&](int metric) {
    const int size = MetricAt(metric, dpi_, system_dpi);
    return static_cast<HICON>(
        LoadImageW(instance_, MAKEINTRESOURCEW(1), IMAGE_ICON, size, size, 0));
  };
  const std::array<HICON, 2> old = icons_;
  icons_ = {icon(SM_CXICON), icon(SM_CXSMICON)};
  SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icons_[0]));
  SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icons_[1]));
  for (HICON made : old) {
    if (made != nullptr) DestroyIcon(made);
  }
}

bool Form1Window::CreateControls() {
  MakeFonts();

  // Panels first; then, within each panel, the controls the keyboard visits in tab order, since
  // Windows tabs through a panel's children in the order they were made.
  for (Control panel : {Control::kFrame1, Control::kFrame2}) {
    if (MakeControl(window::DesignOf(panel)) == nullptr) return false;
  }
  for (Control control : window::TabOrder()) {
    if (MakeControl(window::DesignOf(control)) == nullptr) return false;
  }
  for (const window::ControlDesign& design : window::FormDesign()) {
    if (ControlHandle(design.id) == nullptr && MakeControl(design) == nullptr) return false;
  }
  return true;
}

HWND Form1Window::MakeControl(const window::ControlDesign& design) {
  const WindowKind kind = KindOf(design.kind);
  const HWND parent = design.parent ? ControlHandle(*design.parent) : window_;
  const HWND control = CreateWindowExW(
      kind.extended_style, kind.window_class, TableText(design.text).c_str(), kind.style, 0, 0, 0,
      0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(ControlId(design.id))), instance_,
      nullptr);
  if (control == nullptr) return nullptr;
  controls_[static_cast<std::size_t>(design.id)] = control;
  if (design.kind == ControlKind::kDropDownList) {
    SendMessageW(control, CB_SETMINVISIBLE, window::kDropDownRows, 0);
  }
  PlaceControl(design);
  if (design.kind != ControlKind::kPanel) {
    Annotate(control, design.accessible_name, design.description,
             window::AnnouncesChanges(design.id));
  }
  return control;
}

void Form1Window::Start(const std::filesystem::path& start_folder) {
  Guarded([&] { form_.Start(start_folder); });
}

void Form1Window::OpenFolder(const std::filesystem::path& folder) {
  Guarded([&] { form_.Form1_OpenFolder(folder); });
}

bool Form1Window::PreTranslate(MSG& message) {
  if (window_ == nullptr) return false;
  bool handled = false;
  Guarded([&] { handled = OnSearchKey(message) || IsDialogMessageW(window_, &message) != FALSE; });
  return handled;
}

void Form1Window::Guarded(const std::function<void()>& step) { window::RunGuarded(*this, step); }

bool Form1Window::OnSearchKey(const MSG& message) {
  // With Alt held, a key comes as WM_SYSKEYDOWN.
  if ((message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN) ||
      form_.ShownPanel() != window::Panel::kSearch ||
      (message.hwnd != window_ && IsChild(window_, message.hwnd) == FALSE)) {
    return false;
  }
  const window::Modifiers held{.shift = GetKeyState(VK_SHIFT) < 0,
                               .control = GetKeyState(VK_CONTROL) < 0,
                               .alt = GetKeyState(VK_MENU) < 0};
  const std::optional<window::Key> pressed = KeyOf(message.wParam);
  const auto command = pressed ? window::CommandOfKey(*pressed, held) : std::nullopt;
  if (command) form_.Form1_Command(*command);
  return command.has_value();
}

LRESULT CALLBACK Form1Window::Text1Proc(HWND text1, UINT message, WPARAM w, LPARAM l, UINT_PTR,
                                        DWORD_PTR form) {
  if (message == WM_CONTEXTMENU) {
    auto* window = reinterpret_cast<Form1Window*>(form);
    window->Guarded([&] { window->ShowText1Menu(l); });
    return 0;
  }
  if (message == WM_NCDESTROY) RemoveWindowSubclass(text1, Text1Proc, 0);
  return DefSubclassProc(text1, message, w, l);
}

void Form1Window::ShowText1Menu(LPARAM at) {
  const HWND text1 = ControlHandle(Control::kText1);
  POINT where{static_cast<short>(LOWORD(at)), static_cast<short>(HIWORD(at))};
  // From the keyboard both coordinates are -1 (an LPARAM of 0xFFFFFFFF, not -1, on 64 bits):
  // the menu opens under the text box's top left corner.
  if (where.x == -1 && where.y == -1) {
    where = {0, 0};
    ClientToScreen(text1, &where);
  }
  DWORD first = 0;
  DWORD last = 0;
  SendMessageW(text1, EM_GETSEL, reinterpret_cast<WPARAM>(&first), reinterpret_cast<LPARAM>(&last));
  const bool selected = first != last;
  const auto enabled = [](bool on) { return static_cast<UINT>(on ? MF_ENABLED : MF_GRAYED); };
  const HMENU menu = CreatePopupMenu();
  if (menu == nullptr) return;
  AppendMenuW(menu, MF_STRING | enabled(SendMessageW(text1, EM_CANUNDO, 0, 0) != 0), kUndo,
              L"&Undo");
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(menu, MF_STRING | enabled(selected), kCut, L"Cu&t");
  AppendMenuW(menu, MF_STRING | enabled(selected), kCopy, L"&Copy");
  AppendMenuW(menu, MF_STRING | enabled(IsClipboardFormatAvailable(CF_UNICODETEXT) != FALSE),
              kPaste, L"&Paste");
  AppendMenuW(menu, MF_STRING | enabled(selected), kDelete, L"&Delete");
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(menu, MF_STRING | enabled(GetWindowTextLengthW(text1) > 0), kSelectAll,
              L"Select &All");
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  for (std::size_t i = 0; i < window::Commands().size(); ++i) {
    const window::CommandDesign& command = window::Commands()[i];
    if (command.menu_text.empty()) continue;
    AppendMenuW(menu, MF_STRING, kFirstCommand + i,
                (TableText(command.menu_text) + L"\t" + TableText(command.key_text)).c_str());
  }
  SetFocus(text1);
  const auto chosen = static_cast<UINT>(TrackPopupMenu(
      menu, TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON, where.x, where.y, 0, window_, nullptr));
  DestroyMenu(menu);
  switch (chosen) {
    case kUndo: SendMessageW(text1, WM_UNDO, 0, 0); break;
    case kCut: SendMessageW(text1, WM_CUT, 0, 0); break;
    case kCopy: SendMessageW(text1, WM_COPY, 0, 0); break;
    case kPaste: SendMessageW(text1, WM_PASTE, 0, 0); break;
    case kDelete: SendMessageW(text1, WM_CLEAR, 0, 0); break;
    case kSelectAll: SendMessageW(text1, EM_SETSEL, 0, -1); break;
    default:
      if (chosen >= kFirstCommand && chosen < kFirstCommand + window::Commands().size()) {
        form_.Form1_Command(window::Commands()[chosen - kFirstCommand].id);
      }
      break;
  }
}

LRESULT CALLBACK Form1Window::WindowProc(HWND handle, UINT message, WPARAM w, LPARAM l) {
  if (message == WM_NCCREATE) {
    auto* form = static_cast<Form1Window*>(reinterpret_cast<CREATESTRUCTW*>(l)->lpCreateParams);
    form->window_ = handle;
    SetWindowLongPtrW(handle, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
  }
  auto* form = reinterpret_cast<Form1Window*>(GetWindowLongPtrW(handle, GWLP_USERDATA));
  if (form == nullptr) return DefWindowProcW(handle, message, w, l);
  LRESULT result = 0;
  form->Guarded([&] { result = form->OnMessage(handle, message, w, l); });
  return result;
}

LRESULT Form1Window::OnMessage(HWND handle, UINT message, WPARAM w, LPARAM l) {
  switch (message) {
    case WM_COMMAND: OnCommand(LOWORD(w), HIWORD(w)); return 0;
    case WM_ACTIVATE:
      // The keyboard goes back to the control that had it when the window is active again.
      if (LOWORD(w) == WA_INACTIVE) {
        last_focus_ = GetFocus();
      } else {
        const HWND focus = last_focus_ != nullptr && IsWindowVisible(last_focus_)
                               ? last_focus_
                               : ControlHandle(form_.FirstControlShown());
        SetFocus(focus);
        PostMessageW(handle, kActivated, 0, 0);
        return 0;
      }
      break;
    case kActivated:
      if (!ended_) form_.Form1_Activate();
      return 0;
    case WM_DPICHANGED: {
      // Moved to a monitor of another resolution: where Windows suggests, with the frame for
      // that monitor's resolution, the fonts and icons made again, and every control laid out
      // anew from the design.
      dpi_ = LOWORD(w);
      const RECT& suggested = *reinterpret_cast<const RECT*>(l);
      const SIZE frame = FrameSize();
      SetWindowPos(handle, nullptr, suggested.left, suggested.top, frame.cx, frame.cy,
                   SWP_NOZORDER | SWP_NOACTIVATE);
      ApplyDpi();
      return 0;
    }
    case WM_DEVICECHANGE:
      // A drive arrived or left: the drive list follows.
      if (w == DBT_DEVICEARRIVAL || w == DBT_DEVICEREMOVECOMPLETE) form_.Drive1_DropDown();
      return TRUE;
    case WM_DROPFILES: {
      const auto drop = reinterpret_cast<HDROP>(w);
      std::wstring name(static_cast<std::size_t>(DragQueryFileW(drop, 0, nullptr, 0)) + 1, L'\0');
      name.resize(DragQueryFileW(drop, 0, name.data(), static_cast<UINT>(name.size())));
      DragFinish(drop);
      if (!name.empty()) form_.Form1_OpenFolder(std::filesystem::path(name));
      return 0;
    }
    case WM_CLOSE: DestroyWindow(handle); return 0;
    case WM_DESTROY:
      window_ = nullptr;
      if (!ended_) PostQuitMessage(0);
      return 0;
    default: break;
  }
  return DefWindowProcW(handle, message, w, l);
}

LRESULT CALLBACK Form1Window::PanelProc(HWND panel, UINT message, WPARAM w, LPARAM l) {
  // A panel only holds controls: what they report goes to the window.
  if (message == WM_COMMAND) return SendMessageW(GetAncestor(panel, GA_ROOT), message, w, l);
  return DefWindowProcW(panel, message, w, l);
}

void Form1Window::OnCommand(int id, int code) {
  if (ended_) return;
  const auto selected = [&](Control control, bool combo) {
    return static_cast<int>(
        SendMessageW(ControlHandle(control), combo ? CB_GETCURSEL : LB_GETCURSEL, 0, 0));
  };
  if (id == IDOK) {
    OnEnter();
  } else if (id == ControlId(Control::kCommand1) && code == BN_CLICKED) {
    form_.Command1_Click();
  } else if (id == ControlId(Control::kCommand2) && code == BN_CLICKED) {
    form_.Command2_Click();
  } else if (id == ControlId(Control::kCombo1) && (code == CBN_SELCHANGE || code == CBN_SELENDOK)) {
    // Every pick, a repeat of the selected entry's included (CBN_SELENDOK).
    form_.Combo1_Click(selected(Control::kCombo1, true));
  } else if (id == ControlId(Control::kList1) && code == LBN_SELCHANGE) {
    form_.List1_Click(selected(Control::kList1, false));
  } else if (id == ControlId(Control::kText1) && code == EN_CHANGE) {
    form_.Text1_Change(CodeBytes(WindowText(ControlHandle(Control::kText1))));
  } else if (id == ControlId(Control::kDrive1) && code == CBN_DROPDOWN) {
    form_.Drive1_DropDown();
  } else if (id == ControlId(Control::kDrive1) && code == CBN_SELCHANGE) {
    form_.Drive1_Change(selected(Control::kDrive1, true));
  } else if (id == ControlId(Control::kDir1) && code == LBN_DBLCLK) {
    form_.Dir1_Activate(selected(Control::kDir1, false));
  }
}

void Form1Window::OnEnter() {
  const HWND focus = GetFocus();
  if (focus == ControlHandle(Control::kDir1)) {
    form_.Dir1_Activate(static_cast<int>(SendMessageW(focus, LB_GETCURSEL, 0, 0)));
  } else if (focus == ControlHandle(Control::kCommand1)) {
    form_.Command1_Click();
  } else if (focus == ControlHandle(Control::kCommand2)) {
    form_.Command2_Click();
  }
}

void Form1Window::DrawNow() {
  RedrawWindow(window_, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void Form1Window::ShowPanel(window::Panel panel) {
  const bool search = panel == window::Panel::kSearch;
  ShowWindow(ControlHandle(search ? Control::kFrame2 : Control::kFrame1), SW_HIDE);
  ShowWindow(ControlHandle(search ? Control::kFrame1 : Control::kFrame2), SW_SHOW);
}

void Form1Window::FocusOn(Control control) {
  last_focus_ = ControlHandle(control);
  SetFocus(last_focus_);
}

void Form1Window::SetCodeItems(const SortedCodes& codes) {
  const std::vector<IndexEntry>& entries = codes.Entries();
  const MadeTexts texts{entries.size(), [&](std::size_t i) { return TableText(entries[i].code); }};
  const auto tag = [&](std::size_t i) { return static_cast<LPARAM>(entries[i].origin_tag); };
  Fill(ControlHandle(Control::kCombo1), true, texts, tag);
  Fill(ControlHandle(Control::kList1), false, texts, tag);
}

void Form1Window::SetComboIndex(int index) {
  SendMessageW(ControlHandle(Control::kCombo1), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void Form1Window::SetListIndex(int index) {
  SendMessageW(ControlHandle(Control::kList1), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void Form1Window::SetList1TopIndex(int top) {
  SendMessageW(ControlHandle(Control::kList1), LB_SETTOPINDEX, static_cast<WPARAM>(top), 0);
}

int Form1Window::List1Rows() const {
  const HWND list1 = ControlHandle(Control::kList1);
  if (SendMessageW(list1, LB_GETCOUNT, 0, 0) <= 0) return 0;
  RECT client{};
  GetClientRect(list1, &client);
  const auto row = std::max<LRESULT>(1, SendMessageW(list1, LB_GETITEMHEIGHT, 0, 0));
  return static_cast<int>(client.bottom / row);
}

void Form1Window::SetText1(std::string_view code) {
  const HWND text1 = ControlHandle(Control::kText1);
  SetWindowTextW(text1, TableText(code).c_str());
  // The caret after the text, as typing would leave it.
  const int end = GetWindowTextLengthW(text1);
  SendMessageW(text1, EM_SETSEL, static_cast<WPARAM>(end), end);
}

void Form1Window::SetLabel(Control label, std::string_view caption) {
  const HWND control = ControlHandle(label);
  SetWindowTextW(control, TableText(caption).c_str());
  if (window::AnnouncesChanges(label)) {
    NotifyWinEvent(kLiveRegionChanged, control, OBJID_CLIENT, CHILDID_SELF);
  }
}

void Form1Window::SetLabel1(std::string_view caption) { SetLabel(Control::kLabel1, caption); }

void Form1Window::SetLabel2(std::string_view caption) { SetLabel(Control::kLabel2, caption); }

void Form1Window::SetLabel4(std::string_view caption) {
  // A static control breaks its lines at CR LF.
  std::string lines;
  for (const char c : caption) {
    if (c == '\n') lines += '\r';
    lines += c;
  }
  SetLabel(Control::kLabel4, lines);
}

void Form1Window::SetDrives(const std::vector<std::string>& roots) {
  const MadeTexts names{roots.size(), [&](std::size_t i) { return PathText(roots[i]); }};
  Fill(ControlHandle(Control::kDrive1), true, names, [](std::size_t) { return LPARAM{0}; });
}

void Form1Window::SetDriveIndex(int index) {
  SendMessageW(ControlHandle(Control::kDrive1), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void Form1Window::SetFolders(const std::vector<window::FolderEntry>& entries, int open_index) {
  // Each folder stands indented under the one above it.
  const MadeTexts lines{entries.size(), [&](std::size_t i) {
                          return std::wstring(static_cast<std::size_t>(entries[i].depth) * 2,
                                              L' ') +
                                 PathText(entries[i].name);
                        }};
  const HWND dir1 = ControlHandle(Control::kDir1);
  Fill(dir1, false, lines, [](std::size_t) { return LPARAM{0}; });
  SendMessageW(dir1, LB_SETCURSEL, static_cast<WPARAM>(open_index), 0);
  SendMessageW(dir1, LB_SETTOPINDEX, static_cast<WPARAM>(std::max(open_index, 0)), 0);
}

void Form1Window::ShowMessage(window::MessageIcon icon, const MessageText& text) {
  const UINT kind = icon == window::MessageIcon::kWarning ? MB_ICONWARNING : MB_ICONINFORMATION;
  MessageBoxW(window_, ToWide(text).c_str(), TableText(window::kMessageTitle).c_str(),
              MB_OK | MB_APPLMODAL | kind);
}

void Form1Window::EndProgram() {
  ended_ = true;
  if (window_ != nullptr) ShowWindow(window_, SW_HIDE);
  PostQuitMessage(0);
}

}  // namespace sallowmere::win32
