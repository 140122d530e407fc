// Window size limits: the initial correction and the correction of proposed
// placements, including sizing at the left and top edges.
#include "toolkit/bars/size_limits.h"

#include <gtest/gtest.h>

namespace lumora {
namespace {

TEST(SizeLimitsTest, LimitDimensionTreatsZeroAsNoLimit) {
  EXPECT_EQ(LimitDimension(300, 363, 0), 363);
  EXPECT_EQ(LimitDimension(500, 200, 0), 500);
  EXPECT_EQ(LimitDimension(100000, 0, 0), 100000);
  EXPECT_EQ(LimitDimension(0, 0, 0), 0);
  EXPECT_EQ(LimitDimension(900, 0, 800), 800);
  EXPECT_EQ(LimitDimension(-5, 0, 800), -5);
}

TEST(SizeLimitsTest, ResizeWithoutPositionOnlyChangesTheSize) {
  const SizeLimits limits{363, 200, 0, 0};
  Placement p{10, 20, 300, 150};
  EXPECT_TRUE(ApplySizeLimits(limits, 10, 20, false, &p));
  EXPECT_EQ(p.x, 10);
  EXPECT_EQ(p.y, 20);
  EXPECT_EQ(p.width, 363);
  EXPECT_EQ(p.height, 200);
}

TEST(SizeLimitsTest, LeftEdgeDragStopsAtTheMinimumWithTheRightEdgeFixed) {
  const SizeLimits limits{363, 200, 0, 0};
  // Window at x 100, 400 wide: right edge at 500. The left edge is dragged
  // to 250, which would leave 250 pixels.
  Placement p{250, 50, 250, 500};
  EXPECT_TRUE(ApplySizeLimits(limits, 100, 50, true, &p));
  EXPECT_EQ(p.width, 363);
  EXPECT_EQ(p.x + p.width, 500);
  EXPECT_EQ(p.height, 500);
  EXPECT_EQ(p.y, 50);
}

TEST(SizeLimitsTest, TopEdgeDragKeepsTheBottomEdge) {
  const SizeLimits limits{0, 200, 0, 0};
  Placement p{0, 180, 400, 120};  // bottom at 300, was top 0
  EXPECT_TRUE(ApplySizeLimits(limits, 0, 0, true, &p));
  EXPECT_EQ(p.height, 200);
  EXPECT_EQ(p.y + p.height, 300);
}

TEST(SizeLimitsTest, MaximumOnTheLeftEdgeKeepsTheRightEdgeToo) {
  const SizeLimits limits{0, 0, 600, 0};
  Placement p{-100, 0, 700, 300};  // right edge at 600, was left 100
  EXPECT_TRUE(ApplySizeLimits(limits, 100, 0, true, &p));
  EXPECT_EQ(p.width, 600);
  EXPECT_EQ(p.x + p.width, 600);
}

TEST(SizeLimitsTest, RightEdgeDragAndPlacementsWithinLimitsStayAsProposed) {
  const SizeLimits limits{363, 200, 0, 0};
  Placement right{100, 50, 250, 500};  // left edge unchanged
  EXPECT_TRUE(ApplySizeLimits(limits, 100, 50, true, &right));
  EXPECT_EQ(right.x, 100);
  EXPECT_EQ(right.width, 363);

  Placement fine{30, 40, 800, 600};
  EXPECT_FALSE(ApplySizeLimits(limits, 0, 0, true, &fine));
  EXPECT_EQ(fine.x, 30);
  EXPECT_EQ(fine.y, 40);
  EXPECT_EQ(fine.width, 800);
  EXPECT_EQ(fine.height, 600);

  const SizeLimits none{};
  Placement huge{0, 0, 30000, 30000};
  EXPECT_FALSE(ApplySizeLimits(none, 0, 0, true, &huge));
  EXPECT_EQ(huge.width, 30000);
  EXPECT_FALSE(ApplySizeLimits(limits, 0, 0, true, nullptr));
}

}  // namespace
}  // namespace lumora
