// The skinned button's behaviour as a pure function: the ten visual states,
// toggles, radio-like groups and the in-between state, and where its image
// lands for the skin's position declarations.
#include <gtest/gtest.h>

#include "toolkit/controls/button_state.h"
#include "toolkit/controls/skin_placement.h"

namespace lumora {
namespace {

struct Driver {
  ButtonModel model;
  bool tracking = false;
  ButtonStep last;
  ButtonStep On(ButtonEvent event) {
    last = StepButton(model, tracking, event);
    model = last.model;
    tracking = last.tracking;
    return last;
  }
  // Press and release with the pointer over the button.
  ButtonStep Click() {
    On(ButtonEvent::kPointerMove);
    On(ButtonEvent::kPress);
    return On(ButtonEvent::kRelease);
  }
};

TEST(ButtonState, PlainButtonRunsNormalHotPressedHotNormalAndClicksOnce) {
  Driver b;
  EXPECT_TRUE(b.On(ButtonEvent::kPointerMove).track_leave);
  EXPECT_EQ(b.model.visual, BUTTON_HOT);
  EXPECT_TRUE(b.tracking);
  // Later moves while tracking change nothing and ask for no new tracking.
  EXPECT_FALSE(b.On(ButtonEvent::kPointerMove).repaint);
  EXPECT_FALSE(b.On(ButtonEvent::kPress).click);
  EXPECT_EQ(b.model.visual, BUTTON_PRESSED);
  EXPECT_TRUE(b.On(ButtonEvent::kRelease).click);
  EXPECT_EQ(b.model.visual, BUTTON_HOT);
  EXPECT_EQ(b.model.toggle_state, ButtonToggle::kOff);
  b.On(ButtonEvent::kPointerLeave);
  EXPECT_EQ(b.model.visual, BUTTON_NORMAL);
  EXPECT_FALSE(b.tracking);
  // A press made elsewhere and released over the button is no click.
  b.On(ButtonEvent::kPointerMove);
  EXPECT_FALSE(b.On(ButtonEvent::kRelease).click);
}

TEST(ButtonState, ToggleGoesOffSelectedOffAndInBetweenBecomesSelected) {
  Driver b;
  b.model.toggle = true;
  EXPECT_TRUE(b.Click().click);
  EXPECT_EQ(b.model.toggle_state, ButtonToggle::kSelected);
  EXPECT_EQ(b.model.visual, BUTTON_SELECTED_HOT);
  b.On(ButtonEvent::kPointerLeave);
  EXPECT_EQ(b.model.visual, BUTTON_SELECTED);
  b.On(ButtonEvent::kPointerMove);
  EXPECT_EQ(b.On(ButtonEvent::kPress).model.visual, BUTTON_SELECTED_PRESSED);
  b.On(ButtonEvent::kRelease);
  EXPECT_EQ(b.model.toggle_state, ButtonToggle::kOff);
  EXPECT_EQ(b.model.visual, BUTTON_HOT);

  b.model.toggle_state = ButtonToggle::kInBetween;
  b.On(ButtonEvent::kPointerLeave);
  EXPECT_EQ(b.model.visual, BUTTON_INBETWEEN);
  EXPECT_EQ(b.On(ButtonEvent::kPointerMove).model.visual, BUTTON_INBETWEEN_HOT);
  EXPECT_EQ(b.On(ButtonEvent::kPress).model.visual, BUTTON_INBETWEEN_PRESSED);
  b.On(ButtonEvent::kRelease);
  EXPECT_EQ(b.model.toggle_state, ButtonToggle::kSelected);
  EXPECT_EQ(b.model.visual, BUTTON_SELECTED_HOT);
}

TEST(ButtonState, GroupKeepsExactlyOneSelectedMember) {
  Driver b;
  b.model.toggle = b.model.grouped = true;
  // Selecting an off member deselects the others.
  EXPECT_TRUE(b.Click().deselect_others);
  EXPECT_EQ(b.model.toggle_state, ButtonToggle::kSelected);
  // Clicking the selected member again keeps it selected and still clicks.
  b.On(ButtonEvent::kPointerLeave);
  const ButtonStep again = b.Click();
  EXPECT_TRUE(again.click);
  EXPECT_FALSE(again.deselect_others);
  EXPECT_EQ(b.model.toggle_state, ButtonToggle::kSelected);
  EXPECT_EQ(b.model.visual, BUTTON_SELECTED_HOT);
  // The member another member's selection turns off shows normal.
  EXPECT_EQ(Deselected(b.model).visual, BUTTON_NORMAL);
  EXPECT_EQ(Deselected(b.model).toggle_state, ButtonToggle::kOff);
}

TEST(ButtonState, DisabledIgnoresThePointerButLetsGoOfTheSharedFlag) {
  Driver b;
  b.model.toggle = true;
  b.Click();
  b.model = WithDisabled(b.model, true);
  EXPECT_EQ(b.model.visual, BUTTON_DISABLED);
  for (ButtonEvent event : {ButtonEvent::kPointerMove, ButtonEvent::kPress, ButtonEvent::kRelease}) {
    const ButtonStep step = b.On(event);
    EXPECT_FALSE(step.click || step.repaint || step.track_leave);
    EXPECT_EQ(b.model.visual, BUTTON_DISABLED);
  }
  // Disabled while hot: the leave must still free the flag for the others.
  EXPECT_TRUE(b.tracking);
  b.On(ButtonEvent::kPointerLeave);
  EXPECT_FALSE(b.tracking);
  // Enabling shows the toggle's resting face, not plain normal.
  EXPECT_EQ(WithDisabled(b.model, false).visual, BUTTON_SELECTED);
}

TEST(SkinPlacement, PercentagesOfFreeSpacePixelsFromEitherSideAndCentre) {
  EXPECT_EQ(ParseSkinOffset(" 50% ").kind, SkinOffset::kPercent);
  EXPECT_EQ(ParseSkinOffset("centre").kind, SkinOffset::kCentre);
  EXPECT_EQ(ParseSkinOffset("12;").value, 12);
  EXPECT_EQ(ParseSkinOffset("12px").kind, SkinOffset::kUnset);
  EXPECT_EQ(ParseSkinOffset("").kind, SkinOffset::kUnset);

  const SkinBox area{0, 0, 40, 20};
  SkinPlacement half;
  half.x = ParseSkinOffset("50%");
  half.y = ParseSkinOffset("50%");
  const SkinBox centred = PlaceInArea(half, area, 16, 16);
  EXPECT_EQ(centred.left, 12);
  EXPECT_EQ(centred.top, 2);
  SkinPlacement corner;
  corner.right = ParseSkinOffset("4");
  corner.bottom = ParseSkinOffset("100%");
  const SkinBox placed = PlaceInArea(corner, SkinBox{10, 10, 50, 30}, 8, 6);
  EXPECT_EQ(placed.right, 46);  // 4 pixels in from the right
  EXPECT_EQ(placed.top, 10);    // 100 % from the bottom is the top
  // An item larger than its area starts before it at 50 %, centred on it.
  EXPECT_EQ(PlaceInArea(half, SkinBox{0, 0, 10, 10}, 20, 20).left, -5);
}

TEST(SkinPlacement, TilesSpreadFromThePlacedCopyToCoverTheAreaAndStayBounded) {
  // Centred 16 × 16 copies in 40 × 20: the first copy at 12, 2 steps back
  // to -4, -14, and three columns and three rows cover the area.
  SkinPlacement centred;
  centred.x = centred.y = ParseSkinOffset("centre");
  centred.tile = true;
  const SkinTiling tiled = TileInArea(centred, SkinBox{0, 0, 40, 20}, 16, 16);
  EXPECT_EQ(tiled.first_left, -4);
  EXPECT_EQ(tiled.first_top, -14);
  EXPECT_EQ(tiled.columns, 3);
  EXPECT_EQ(tiled.rows, 3);
  // "right: repeat" repeats one axis leftwards from the right edge.
  SkinPlacement row;
  row.right = ParseSkinOffset("repeat");
  row.top = ParseSkinOffset("3");
  const SkinTiling along = TileInArea(row, SkinBox{10, 0, 31, 20}, 4, 4);
  EXPECT_EQ(along.first_left, 7);
  EXPECT_EQ(along.columns, 6);
  EXPECT_EQ(along.first_top, 3);
  EXPECT_EQ(along.rows, 1);
  // A one-pixel image over a huge area is capped.
  const SkinTiling dots = TileInArea(centred, SkinBox{0, 0, 1 << 20, 1 << 20}, 1, 1);
  EXPECT_LE(static_cast<int64_t>(dots.columns) * dots.rows, kMaxSkinTiles);
  EXPECT_GE(dots.rows, 1);
}

TEST(SkinPlacement, OffsetsAndPaddingsAtTheLimitsSaturateInsteadOfOverflowing) {
  // A skin may say anything: "left: 2147483647" with a 16-pixel item, or a
  // percentage as large as a number can be.
  SkinPlacement far;
  far.left = ParseSkinOffset("2147483647");
  const SkinBox pinned = PlaceInArea(far, SkinBox{10, 0, 40, 20}, 16, 16);
  EXPECT_EQ(pinned.left, INT32_MAX);
  EXPECT_EQ(pinned.right, INT32_MAX);
  SkinPlacement before;
  before.left = ParseSkinOffset("-2147483648");
  EXPECT_EQ(PlaceInArea(before, SkinBox{-10, 0, 40, 20}, 16, 16).left, INT32_MIN);
  SkinPlacement beyond;
  beyond.right = ParseSkinOffset("-2147483648");
  EXPECT_EQ(PlaceInArea(beyond, SkinBox{-10, 0, 40, 20}, 16, 16).left, INT32_MAX);
  SkinPlacement huge;
  huge.x = ParseSkinOffset("2147483647%");
  huge.tile = true;
  const SkinTiling tiling = TileInArea(huge, SkinBox{INT32_MIN, 0, INT32_MAX, 20}, 1, 1);
  EXPECT_LE(static_cast<int64_t>(tiling.columns) * tiling.rows, kMaxSkinTiles);
  // Paddings from the skin around an image or a caption.
  const SkinBox inset = InsetBox(SkinBox{0, 0, 40, 20}, SkinBox{INT32_MAX, INT32_MIN, INT32_MIN, 2});
  EXPECT_EQ(inset.left, INT32_MAX);
  EXPECT_EQ(inset.top, INT32_MIN);
  EXPECT_EQ(inset.right, INT32_MAX);
  EXPECT_EQ(inset.bottom, 18);
  EXPECT_EQ(FittedLength(16, INT32_MAX, INT32_MAX), 32767);
  EXPECT_EQ(FittedLength(16, INT32_MIN, 0), 1);
  EXPECT_EQ(FittedLength(16, 6, 4), 26);
}

}  // namespace
}  // namespace lumora
