#include "window/form_layout.h"

#include <algorithm>

namespace sallowmere::window {
namespace {

using enum Control;
using enum ControlKind;

constexpr std::array<ControlDesign, kControlCount> kDesign = {{
    {kFrame1,
     "Frame1",
     kPanel,
     std::nullopt,
     "",
     {0, 0, 4215, 4695},
     0,
     false,
     "Search",
     "Browse the used codes and look a code up"},
    {kCommand2,
     "Command2",
     kButton,
     kFrame1,
     "Open",
     {2520, 4200, 1575, 375},
     10,
     false,
     "Open",
     "Go back to choose another folder of tables"},
    {kCombo1,
     "Combo1",
     kDropDownList,
     kFrame1,
     "",
     {120, 240, 2295, 330},
     3,
     true,
     "Used codes",
     "Pick one of the codes the tables use"},
    {kList1,
     "List1",
     kListBox,
     kFrame1,
     "",
     {120, 720, 2295, 3840},
     2,
     true,
     "Code list",
     "Every code the tables use, sorted"},
    {kText1,
     "Text1",
     kTextBox,
     kFrame1,
     "Item code",
     {2520, 240, 1575, 375},
     1,
     true,
     "Item code",
     "Type a code to learn whether it is used"},
    {kLabel1,
     "Label1",
     kLabel,
     kFrame1,
     "",
     {2520, 720, 1575, 255},
     5,
     true,
     "",
     "Status: Used when a table uses the item code, else Free"},
    {kLabel2,
     "Label2",
     kLabel,
     kFrame1,
     "",
     {2520, 3720, 1575, 255},
     4,
     true,
     "",
     "Table: the table file that uses the item code"},
    {kLabel4,
     "Label4",
     kWrappingLabel,
     kFrame1,
     "",
     {2520, 1080, 1575, 2520},
     12,
     true,
     "",
     "Details: the item's name and row for a used code; for a free one, how to find the next"},
    {kFrame2,
     "Frame2",
     kPanel,
     std::nullopt,
     "",
     {-120, 0, 4335, 4695},
     6,
     false,
     "Folder",
     "Choose the folder that holds the item tables"},
    {kCommand1,
     "Command1",
     kButton,
     kFrame2,
     "Open",
     {2640, 4200, 1575, 375},
     9,
     false,
     "Open",
     "Read the item tables in the chosen folder"},
    {kDrive1,
     "Drive1",
     kDropDownList,
     kFrame2,
     "",
     {120, 600, 4095, 315},
     8,
     false,
     "Drive",
     "The drive whose folders the folder list shows"},
    {kDir1,
     "Dir1",
     kFolderList,
     kFrame2,
     "",
     {120, 1080, 4095, 3015},
     7,
     false,
     "Folder list",
     "Enter or double click opens a folder; on the open folder it reads it"},
    {kLabel3,
     "Label3",
     kCentredLabel,
     kFrame2,
     "Select the excel folder of your mod.",
     {240, 240, 3975, 255},
     11,
     false,
     "",
     "Instruction: what to do on this panel"},
}};

constexpr bool InControlOrder() {
  for (std::size_t i = 0; i < kDesign.size(); ++i) {
    if (kDesign[i].id != static_cast<Control>(i)) return false;
  }
  return true;
}
static_assert(InControlOrder(), "DesignOf indexes the design by Control");

}  // namespace

const std::array<ControlDesign, kControlCount>& FormDesign() { return kDesign; }

const ControlDesign& DesignOf(Control id) { return kDesign[static_cast<std::size_t>(id)]; }

bool AnnouncesChanges(Control id) { return id == Control::kLabel1 || id == Control::kLabel4; }

bool TakesFocus(ControlKind kind) {
  return kind != kPanel && kind != kLabel && kind != kCentredLabel && kind != kWrappingLabel;
}

std::vector<Control> TabOrder() {
  std::vector<Control> order;
  for (const ControlDesign& design : kDesign) {
    if (TakesFocus(design.kind)) order.push_back(design.id);
  }
  std::sort(order.begin(), order.end(),
            [](Control a, Control b) { return DesignOf(a).tab_index < DesignOf(b).tab_index; });
  return order;
}

Control FirstInTabOrder(Control panel) {
  const std::vector<Control> order = TabOrder();
  const auto first = std::find_if(order.begin(), order.end(),
                                  [&](Control id) { return DesignOf(id).parent == panel; });
  return first == order.end() ? panel : *first;
}

int TwipsToPixels(int twips, int dots_per_inch) {
  const long long scaled = static_cast<long long>(twips) * dots_per_inch;
  const long long half = scaled >= 0 ? 720 : -720;
  return static_cast<int>((scaled + half) / 1440);
}

}  // namespace sallowmere::window
