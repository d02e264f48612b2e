#include "window/form_layout.h"

#include <gtest/gtest.h>

namespace sallowmere::window {
namespace {

using enum Control;

TEST(FormLayoutTest, TabOrderVisitsEachPanelsControlsInTheDesignedOrder) {
  EXPECT_EQ(TabOrder(),
            (std::vector<Control>{kText1, kList1, kCombo1, kDir1, kDrive1, kCommand1, kCommand2}));
}

TEST(FormLayoutTest, TwipsAreFifteenToAPixelAt96Dpi) {
  const struct {
    int twips, dpi, pixels;
  } cases[] = {{4200, 96, 280}, {4695, 96, 313}, {-120, 96, -8}, {4695, 144, 470}, {255, 120, 21}};
  for (const auto& c : cases) EXPECT_EQ(TwipsToPixels(c.twips, c.dpi), c.pixels) << c.twips;
}

// Both "Open" buttons stand at the same spot of the window; every control lies inside its panel.
TEST(FormLayoutTest, ControlsFitTheirPanels) {
  const auto window_left = [](Control id) {
    const ControlDesign& design = DesignOf(id);
    return design.place.left + DesignOf(*design.parent).place.left;
  };
  EXPECT_EQ(window_left(kCommand1), window_left(kCommand2));
  EXPECT_EQ(DesignOf(kCommand1).place.top, DesignOf(kCommand2).place.top);
  for (const ControlDesign& design : FormDesign()) {
    if (!design.parent) continue;
    const TwipsRect& panel = DesignOf(*design.parent).place;
    EXPECT_LE(design.place.left + design.place.width, panel.width) << design.name;
    EXPECT_LE(design.place.top + design.place.height, panel.height) << design.name;
    const bool label = !TakesFocus(design.kind);
    EXPECT_EQ(design.accessible_name.empty(), label) << design.name;
  }
}

TEST(FormLayoutTest, NoTwoControlsOfAPanelOverlap) {
  const auto overlap = [](const TwipsRect& a, const TwipsRect& b) {
    return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
           b.top < a.top + a.height;
  };
  for (const ControlDesign& a : FormDesign()) {
    for (const ControlDesign& b : FormDesign()) {
      if (a.id < b.id && a.parent && a.parent == b.parent) {
        EXPECT_FALSE(overlap(a.place, b.place)) << a.name << " " << b.name;
      }
    }
  }
}

}  // namespace
}  // namespace sallowmere::window
