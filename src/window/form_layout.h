#pragma once

// The window's design as data: every control's kind, panel, text at start, place in twips, tab
// index, font and what assistive technology reads. Both front ends make their controls from it.

#include <array>
#include <optional>
#include <string_view>
#include <vector>

namespace sallowmere::window {

// The window's controls, by their designer names.
enum class Control {
  kFrame1,  // the search panel
  kCommand2,
  kCombo1,
  kList1,
  kText1,
  kLabel1,  // "Used" or "Free"
  kLabel2,  // the table a used code comes from
  kLabel4,  // the details: a used code's item name and row, or how to find a free code
  kFrame2,  // the folder panel
  kCommand1,
  kDrive1,
  kDir1,
  kLabel3,
};
inline constexpr int kControlCount = 13;

enum class ControlKind {
  kPanel,         // a container without a title
  kButton,        // a push button
  kDropDownList,  // a drop-down the user can only pick from
  kListBox,
  kTextBox,
  kLabel,
  kCentredLabel,
  kWrappingLabel,  // a label whose lines wrap at word ends, as many as its height holds
  kFolderList,     // the open folder, the folders above it and the folders inside it
};

struct TwipsRect {
  int left, top, width, height;
};

// One control as the window is designed: before any handler has run.
struct ControlDesign {
  Control id;
  std::string_view name;  // the designer name, "Combo1"
  ControlKind kind;
  std::optional<Control> parent;     // the panel holding it; none for a panel
  std::string_view text;             // the text at start
  TwipsRect place;                   // relative to the parent
  int tab_index;                     // the order the keyboard visits focusable controls in
  bool code_font;                    // shows codes: kCodeFontFamily at kCodeFontPoints
  std::string_view accessible_name;  // empty for a label, which is read by its text
  std::string_view description;      // what assistive technology reads as its role
};

inline constexpr std::string_view kCaption = "Orvendal's Search Sallowmeres";
inline constexpr std::string_view kMessageTitle = "Sallowmere";
inline constexpr int kClientWidthTwips = 4200;
inline constexpr int kClientHeightTwips = 4695;
inline constexpr std::string_view kCodeFontFamily = "Courier New";
inline constexpr double kCodeFontPoints = 8.25;
// The rows a drop-down shows at once when it opens.
inline constexpr int kDropDownRows = 20;

// Every control, panels first within each panel's group, in the designer's order.
const std::array<ControlDesign, kControlCount>& FormDesign();

// The design of `id`.
const ControlDesign& DesignOf(Control id);

// Whether the keyboard can move to a control of `kind`: not panels and labels.
bool TakesFocus(ControlKind kind);

// Whether a screen reader tells each change of the control's text as it comes, without the
// keyboard moving: the answer the user waits for as they type (Label1, Label4).
bool AnnouncesChanges(Control id);

// The controls the keyboard visits, in tab order (both panels; a hidden panel's drop out).
std::vector<Control> TabOrder();

// The first control of `panel` (kFrame1 or kFrame2) the keyboard visits.
Control FirstInTabOrder(Control panel);

// Twips as pixels at `dots_per_inch`: 15 twips a pixel at 96, rounded to the nearest.
int TwipsToPixels(int twips, int dots_per_inch);

}  // namespace sallowmere::window
