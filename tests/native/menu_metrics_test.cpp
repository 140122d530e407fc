// Menu sizes: the column gap, item heights and widths, the boxes an item is
// drawn in, title buttons, radio groups and keyboard mode decisions.
#include <gtest/gtest.h>

#include "toolkit/menus/menu_keyboard_mode.h"
#include "toolkit/menus/menu_metrics.h"
#include "toolkit/menus/menu_radio_group.h"
#include "toolkit/style/ui_style.h"

namespace lumora {
namespace {

TEST(MenuMetrics, GapGrowsWithThePointSize) {
  EXPECT_EQ(MenuGap(8), 8);
  EXPECT_EQ(MenuGap(9), 8);
  EXPECT_EQ(MenuGap(10), 10);
  EXPECT_EQ(MenuGap(11), 12);
  EXPECT_EQ(MenuGap(14), 18);
  EXPECT_EQ(MenuGap(15), 18);
  EXPECT_EQ(MenuGap(20), 26);
  // The width loses 2 below 10 points: 9 points give 6.
  EXPECT_EQ(MenuWidthGap(9), 6);
  EXPECT_EQ(MenuWidthGap(10), 10);
  EXPECT_EQ(MenuPaintGap(10), 8);
  // Point sizes from font heights: -12 at 96 dpi is 9 points, 13 is 10.
  EXPECT_EQ(MenuPointSize(-12, 96), 9);
  EXPECT_EQ(MenuPointSize(13, 96), 10);
  EXPECT_EQ(MenuPointSize(-16, 120), 10);
  EXPECT_EQ(MenuPointSize(-12, 0), 0);
}

TEST(MenuMetrics, ItemHeightsAndWidths) {
  // A 16 x 16 image with a 13-pixel label: max(17, 20) + 3.
  EXPECT_EQ(MenuItemHeight(13, 16), 23);
  EXPECT_EQ(MenuItemHeight(22, 16), 29);
  EXPECT_EQ(MenuSeparatorHeight(UISTYLE_OFFICE2007), 2);
  EXPECT_EQ(MenuSeparatorHeight(UISTYLE_WHIDBEY), 2);
  EXPECT_EQ(MenuSeparatorHeight(UISTYLE_OFFICE2003_MENU_ALIAS), 2);
  EXPECT_EQ(MenuSeparatorHeight(0), 7);
  // text 60 + 2 * 16 + gap 6 (9 points) + check 13.
  EXPECT_EQ(MenuItemWidth(60, 16, 9, 13), 111);
  EXPECT_EQ(MenuItemWidth(60, 16, 10, 13), 115);
  EXPECT_EQ(MenuMarkedRowHeight(MENU_ROW_COMPACT), 18);
  EXPECT_EQ(MenuMarkedRowHeight(-7), 0);
}

TEST(MenuMetrics, DrawingBoxesPerStyle) {
  EXPECT_EQ(MenuImageColumnWidth(UISTYLE_OFFICE2007, 16, 8), 26);
  EXPECT_EQ(MenuImageColumnWidth(UISTYLE_OFFICE2003_MENU_ALIAS, 16, 8), 24);
  EXPECT_EQ(MenuImageColumnWidth(UISTYLE_WHIDBEY, 16, 8), 24);
  EXPECT_EQ(MenuImageColumnWidth(0, 16, 8), 29);
  EXPECT_EQ(MenuPopupRowRight(UISTYLE_OFFICE2007, 200), 196);
  EXPECT_EQ(MenuPopupRowRight(UISTYLE_OFFICE2003_MENU_ALIAS, 200), 196);
  EXPECT_EQ(MenuPopupRowRight(UISTYLE_WHIDBEY, 200), 194);
  EXPECT_EQ(MenuImageTop(10, 33, 16), 14);
  EXPECT_EQ(MenuLabelLeft(0, 26), 35);
  EXPECT_EQ(MenuShortcutRight(200, 13), 181);
}

TEST(MenuMetrics, TitleButtonsPerStyle) {
  TitleButtonSize size = MenuTitleButtonSize(UISTYLE_OFFICE2007, 20, 13);
  EXPECT_EQ(size.width, 36);
  EXPECT_EQ(size.height, 12);  // max(13, 14) - 2
  EXPECT_EQ(size.bar_height, 20);
  size = MenuTitleButtonSize(UISTYLE_OFFICE2003_MENU_ALIAS, 20, 16);
  EXPECT_EQ(size.width, 36);
  EXPECT_EQ(size.height, 13);
  size = MenuTitleButtonSize(UISTYLE_WHIDBEY, 20, 16);
  EXPECT_EQ(size.width, 38);
  EXPECT_EQ(size.height, 16);
}

// The paddings grow with the screen; what is measured on it (text, images,
// check marks) comes in already grown.
TEST(MenuMetrics, PaddingsFollowTheScreensDpi) {
  // 150 %: a 24-pixel image, 20-pixel text: 24 + 6 + 5 (4 and 3 scaled apart).
  EXPECT_EQ(MenuItemHeight(20, 24, 144), 35);
  EXPECT_EQ(MenuSeparatorHeight(UISTYLE_OFFICE2007, 144), 3);
  EXPECT_EQ(MenuSeparatorHeight(0, 192), 14);
  EXPECT_EQ(MenuMarkedRowHeight(MENU_ROW_HEADING, 192), 52);
  EXPECT_EQ(MenuImageColumnWidth(UISTYLE_OFFICE2007, 24, 8, 144), 35);
  EXPECT_EQ(MenuPopupRowRight(UISTYLE_WHIDBEY, 300, 144), 291);
  EXPECT_EQ(MenuImageTop(10, 45, 24, 192), 17);
  EXPECT_EQ(MenuLabelLeft(0, 35, 120), 46);
  EXPECT_EQ(MenuShortcutRight(300, 20, 192), 268);
  const TitleButtonSize size = MenuTitleButtonSize(UISTYLE_OFFICE2007, 30, 20, 144);
  EXPECT_EQ(size.width, 30 + 27 - 3);
  EXPECT_EQ(size.height, 21 - 3);  // max(20, 14 scaled) less 2 scaled
  EXPECT_EQ(size.bar_height, 18 + 12);
  // Small text still gets the scaled least height.
  EXPECT_EQ(MenuTitleButtonSize(UISTYLE_WHIDBEY, 30, 12, 192).height, 28);
}

TEST(MenuRadioGroups, NewGroupWheneverThePopupChanges) {
  MenuRadioGroups groups;
  const int32_t first = groups.Join(100);
  EXPECT_EQ(groups.Join(100), first);
  const int32_t second = groups.Join(200);
  EXPECT_NE(second, first);
  // Going back to the first popup begins yet another group.
  const int32_t third = groups.Join(100);
  EXPECT_NE(third, first);
  EXPECT_NE(third, second);
}

constexpr uint32_t kAltDown = 0x20380001, kAltUp = 0xC0380001, kF10Down = 0x00440001;

TEST(MenuKeyboardMode, AltOrF10EntersAndTheSameKeyLeaves) {
  MenuKeyboardMode mode;
  EXPECT_EQ(mode.OnKey(MenuKeyboardMode::kMenu, kAltDown, false, true), MenuKeyAction::kPass);  // no bar
  EXPECT_EQ(mode.OnKey(MenuKeyboardMode::kMenu, kAltDown, true, true), MenuKeyAction::kEnterMode);
  // Holding Alt repeats; its release is swallowed so the window's own
  // system-menu mode never starts.
  EXPECT_EQ(mode.OnKey(MenuKeyboardMode::kMenu, kAltDown | MenuKeyboardMode::kPreviousDownBit, true, true),
            MenuKeyAction::kSwallow);
  EXPECT_EQ(mode.OnKey(MenuKeyboardMode::kMenu, kAltUp, true, true), MenuKeyAction::kSwallow);
  EXPECT_TRUE(mode.active());
  EXPECT_EQ(mode.OnKey(MenuKeyboardMode::kMenu, kAltDown, true, true), MenuKeyAction::kLeaveMode);
  EXPECT_FALSE(mode.active());
  mode.OnKey(MenuKeyboardMode::kMenu, kAltUp, true, true);

  EXPECT_EQ(mode.OnKey(MenuKeyboardMode::kF10, kF10Down, true, true), MenuKeyAction::kEnterMode);
  EXPECT_EQ(mode.OnKey(MenuKeyboardMode::kF10, kF10Down, true, true), MenuKeyAction::kLeaveMode);
  // F10 switched off: ignored; right Alt (extended) is AltGr.
  EXPECT_EQ(mode.OnKey(MenuKeyboardMode::kF10, kF10Down, true, false), MenuKeyAction::kPass);
  EXPECT_EQ(mode.OnKey(MenuKeyboardMode::kMenu, kAltDown | MenuKeyboardMode::kExtendedBit, true, true),
            MenuKeyAction::kPass);
}

TEST(MenuKeyboardMode, KeysInsideTheMode) {
  MenuKeyboardMode mode;
  mode.OnKey(MenuKeyboardMode::kMenu, kAltDown, true, true);
  EXPECT_EQ(mode.OnKey(MenuKeyboardMode::kRight, 0x014D0001, true, true), MenuKeyAction::kPass);
  EXPECT_EQ(mode.OnKey(MenuKeyboardMode::kDown, 0x01500001, true, true), MenuKeyAction::kOpenHotTitle);
  EXPECT_TRUE(mode.end_marked());
  // Another key while Alt is held: the mode ends when Alt is let go.
  EXPECT_EQ(mode.OnKey('S', 0x201F0001, true, true), MenuKeyAction::kOtherKey);
  EXPECT_EQ(mode.OnUnclaimedKey(), MenuKeyAction::kPass);
  EXPECT_EQ(mode.OnKey(MenuKeyboardMode::kMenu, kAltUp, true, true), MenuKeyAction::kLeaveMode);
  EXPECT_FALSE(mode.active());

  // After Alt was released, an unclaimed key ends the mode at once.
  mode.OnKey(MenuKeyboardMode::kMenu, kAltDown, true, true);
  mode.OnKey(MenuKeyboardMode::kMenu, kAltUp, true, true);
  EXPECT_EQ(mode.OnKey('Q', 0x00100001, true, true), MenuKeyAction::kOtherKey);
  EXPECT_EQ(mode.OnUnclaimedKey(), MenuKeyAction::kLeaveModeAndPass);
  EXPECT_FALSE(mode.active());

  // Esc leaves and goes on.
  mode.OnKey(MenuKeyboardMode::kF10, kF10Down, true, true);
  EXPECT_EQ(mode.OnKey(MenuKeyboardMode::kEscape, 0x00010001, true, true), MenuKeyAction::kLeaveModeAndPass);
  EXPECT_FALSE(mode.active());
}

}  // namespace
}  // namespace lumora
