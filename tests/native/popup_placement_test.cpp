// Popups kept on the work area: 5 pixels from its right edge.
#include <gtest/gtest.h>

#include "toolkit/menus/popup_placement.h"

namespace lumora {
namespace {

TEST(PopupPlacement, KeepsTheRightEdgeFivePixelsInside) {
  // Work area 0..1280; a 150-pixel popup asked for 10 pixels from the edge.
  PopupPlacement placed = PlacePopupX(1270, 150, 0, 1280);
  EXPECT_EQ(placed.x + 150, 1280 - 5);
  EXPECT_EQ(placed.shift, 1270 + 150 - 1280 + 6);
  // Just fitting: unchanged.
  placed = PlacePopupX(1125, 150, 0, 1280);
  EXPECT_EQ(placed.x, 1125);
  EXPECT_EQ(placed.shift, 0);
  placed = PlacePopupX(1126, 150, 0, 1280);
  EXPECT_EQ(placed.x, 1125);
  // A work area that does not start at 0 (second monitor).
  placed = PlacePopupX(3000, 200, 1280, 3200);
  EXPECT_EQ(placed.x, 2995);
  // Wider than the work area: the left edge stays on it.
  placed = PlacePopupX(100, 2000, 0, 1280);
  EXPECT_EQ(placed.x, 0);
}

TEST(TitleMenuAnchor, ACutOffTitleOpensItsMenuFromTheChevronInsideTheWindow) {
  // A title wholly in view: under its left edge.
  TitleMenuAnchor anchor = AnchorTitleMenu(120, 150, 150, 170, 330);
  EXPECT_EQ(anchor.x, 120);
  EXPECT_FALSE(anchor.right_aligned);
  // Cut in half by the band: the menu hangs from the band's end instead.
  anchor = AnchorTitleMenu(140, 175, 150, 170, 330);
  EXPECT_EQ(anchor.x, 170);
  EXPECT_TRUE(anchor.right_aligned);
  // Wholly beyond it, in a band that the window cuts off in turn.
  anchor = AnchorTitleMenu(260, 290, 150, 420, 330);
  EXPECT_EQ(anchor.x, 330);
  EXPECT_TRUE(anchor.right_aligned);
}

}  // namespace
}  // namespace lumora
