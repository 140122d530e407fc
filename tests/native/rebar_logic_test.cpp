// The rebar's platform-free decisions: gripper dot placement, which buttons
// a chevron offers, and when a height change is worth reporting.
#include <gtest/gtest.h>

#include "toolkit/bars/rebar_chevron.h"
#include "toolkit/bars/rebar_gripper.h"
#include "toolkit/bars/rebar_height.h"

namespace lumora {
namespace {

TEST(RebarGripper, DotCountFollowsTheItemHeight) {
  struct Case {
    int32_t height;
    size_t dots;
  };
  // n = h / 8 capped at 3, and n + 1 dots.
  for (const Case c : {Case{7, 1}, Case{8, 2}, Case{22, 3}, Case{24, 4}, Case{31, 4}, Case{32, 4}, Case{80, 4}}) {
    EXPECT_EQ(GripperDots(GripperRect{0, 0, 9, c.height}, false).size(), c.dots) << "height " << c.height;
  }
}

TEST(RebarGripper, ColumnIsCentredWithFourPixelPitch) {
  // Height 26: centre 13, n = 3, first dot at 13 - 6 - 2 = 5.
  const auto dots = GripperDots(GripperRect{100, 10, 109, 36}, false);
  ASSERT_EQ(dots.size(), 4u);
  for (size_t i = 0; i < dots.size(); ++i) {
    EXPECT_EQ(dots[i].y, 10 + 5 + 4 * static_cast<int32_t>(i));
    EXPECT_EQ(dots[i].x, 103);  // the 2-pixel dot covers the centre column 104 and its left neighbour
  }
  // The column (with its shadow) stays inside the item.
  EXPECT_GE(dots.front().y, 10);
  EXPECT_LE(dots.back().y + kGripperDotSize + 1, 36);
}

TEST(RebarGripper, ShortMenuBarBandsGetThreeDotsOnePixelLower) {
  const auto plain = GripperDots(GripperRect{0, 0, 9, 26}, false);
  const auto menu = GripperDots(GripperRect{0, 0, 9, 26}, true);
  ASSERT_EQ(plain.size(), 4u);
  ASSERT_EQ(menu.size(), 3u);
  EXPECT_EQ(menu.front().y, 13 - 4 - 2 + 1);
  // From 27 pixels on a menu bar looks like any other band.
  EXPECT_EQ(GripperDots(GripperRect{0, 0, 9, 27}, true).size(), GripperDots(GripperRect{0, 0, 9, 27}, false).size());
  EXPECT_EQ(GripperDots(GripperRect{0, 0, 9, 27}, true).front().y,
            GripperDots(GripperRect{0, 0, 9, 27}, false).front().y);
}

TEST(RebarGripper, OnlyNarrowItemsAreGrippersAndEmptyItemsGetNoDots) {
  EXPECT_FALSE(IsGripperItemWidth(7));
  EXPECT_TRUE(IsGripperItemWidth(8));
  EXPECT_TRUE(IsGripperItemWidth(11));
  EXPECT_FALSE(IsGripperItemWidth(12));
  EXPECT_TRUE(GripperDots(GripperRect{0, 10, 9, 10}, false).empty());
  EXPECT_TRUE(GripperDots(GripperRect{5, 0, 5, 20}, false).empty());
}

TEST(RebarGripper, RecentringFollowsTheToolBarHeight) {
  const GripperRect item{0, 0, 9, 30};
  const GripperRect centred = CentreGripperOn(item, 22);
  EXPECT_EQ(centred.top, 4);
  EXPECT_EQ(centred.bottom, 26);
  // Nothing to centre on, or a child taller than the band: left alone.
  EXPECT_EQ(CentreGripperOn(item, 0).top, 0);
  EXPECT_EQ(CentreGripperOn(item, 40).bottom, 30);
}

std::vector<ChevronButton> EightButtonsShowingThree() {
  // b1 b2 b3 | sep | b5 | sep | b7 b8, 24 pixels each, separators 6; the band
  // shows its tool bar up to x = 172 (the end of b3 at 100 + 72).
  std::vector<ChevronButton> buttons;
  int32_t right = 100;
  const struct {
    int32_t id;
    bool separator;
  } slots[] = {{1, false}, {2, false}, {3, false}, {65534, true}, {5, false}, {65533, true}, {7, false}, {8, false}};
  for (const auto& slot : slots) {
    right += slot.separator ? 6 : 24;
    buttons.push_back({slot.id, right, slot.separator, true});
  }
  return buttons;
}

TEST(RebarChevron, ListsExactlyTheButtonsCutOffInOrderWithSeparators) {
  const auto entries = SelectChevronEntries(EightButtonsShowingThree(), 172);
  ASSERT_EQ(entries.size(), 5u);
  const int32_t ids[] = {65534, 5, 65533, 7, 8};
  const bool separators[] = {true, false, true, false, false};
  for (size_t i = 0; i < entries.size(); ++i) {
    EXPECT_EQ(entries[i].button_index, static_cast<int32_t>(i + 3));
    EXPECT_EQ(entries[i].command_id, ids[i]);
    EXPECT_EQ(entries[i].separator, separators[i]);
  }
}

TEST(RebarChevron, AButtonEndingExactlyAtTheEdgeIsShownAndOnePixelMoreIsNot) {
  auto buttons = EightButtonsShowingThree();
  EXPECT_EQ(SelectChevronEntries(buttons, 172).front().button_index, 3);
  EXPECT_EQ(SelectChevronEntries(buttons, 171).front().button_index, 2);
  // A band wide enough for everything offers nothing.
  EXPECT_TRUE(SelectChevronEntries(buttons, 1000).empty());
}

TEST(RebarChevron, HiddenButtonsAreNeverOffered) {
  auto buttons = EightButtonsShowingThree();
  buttons[4].placed = false;  // b5 withdrawn by the application
  const auto entries = SelectChevronEntries(buttons, 172);
  ASSERT_EQ(entries.size(), 4u);
  for (const auto& entry : entries) EXPECT_NE(entry.command_id, 5);
}

TEST(RebarHeight, ReportsEachChangeOnceAndIgnoresMovesAndWidths) {
  RebarHeightTracker tracker;
  EXPECT_FALSE(tracker.last_reported().has_value());
  EXPECT_TRUE(tracker.Propose(true, 26));   // the first height is news
  EXPECT_FALSE(tracker.Propose(true, 26));  // wider or narrower, same height
  EXPECT_FALSE(tracker.Propose(false, 0));  // a move: its height means nothing
  EXPECT_EQ(tracker.last_reported(), 26);
  EXPECT_TRUE(tracker.Propose(true, 52));
  EXPECT_TRUE(tracker.Propose(true, 26));
  EXPECT_FALSE(tracker.Propose(true, 26));
}

TEST(RebarHeight, EachRebarKeepsItsOwnLastHeight) {
  // Two rebars reaching the same height must both be reported.
  RebarHeightTracker top, bottom;
  EXPECT_TRUE(top.Propose(true, 26));
  EXPECT_TRUE(bottom.Propose(true, 26));
}

TEST(RebarChevron, ABandNarrowsBelowItsMinimumOnlyWhereTheRowIsNarrowerThanIt) {
  // Menu titles 140 wide, the band's own parts 30: a row of 400 keeps them.
  EXPECT_EQ(FitChevronBandMinimum(140, 400, 30), 140);
  EXPECT_EQ(FitChevronBandMinimum(140, 170, 30), 140);
  // A row of 150 leaves the child 120, the rest goes into the chevron.
  EXPECT_EQ(FitChevronBandMinimum(140, 150, 30), 120);
  // No room at all: nothing, never a negative width.
  EXPECT_EQ(FitChevronBandMinimum(140, 20, 30), 0);
}

}  // namespace
}  // namespace lumora
