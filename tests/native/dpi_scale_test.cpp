#include "toolkit/base/dpi_scale.h"

#include <gtest/gtest.h>

namespace lumora {
namespace {

TEST(DpiScale, DesignSizesStayPutAt96AndScaleWithRounding) {
  for (int32_t px : {-17, -1, 0, 1, 3, 16, 22, 180, 217})
    EXPECT_EQ(ScalePixels(px, 96), px) << px;
  // 125 %: 3 * 1.25 = 3.75 -> 4, 2 * 1.25 = 2.5 -> 3 (halves away from zero).
  EXPECT_EQ(ScalePixels(3, 120), 4);
  EXPECT_EQ(ScalePixels(2, 120), 3);
  EXPECT_EQ(ScalePixels(-2, 120), -3);
  EXPECT_EQ(ScalePixels(22, 144), 33);
  EXPECT_EQ(ScalePixels(-77, 144), -116);
  EXPECT_EQ(ScalePixels(180, 192), 360);
  // An unreadable screen leaves the design's sizes.
  EXPECT_EQ(ScalePixels(16, 0), 16);
  EXPECT_EQ(ScalePixels(16, -5), 16);
  // No overflow on the way through the product.
  EXPECT_EQ(ScalePixels(100000000, 192), 200000000);
}

TEST(DpiScale, IconsComeFromTheNearestThemeSize) {
  EXPECT_EQ(IconSizeForDpi(16, 96), 16);
  EXPECT_EQ(IconSizeForDpi(16, 120), 16);  // 20: a tie goes to the smaller image
  EXPECT_EQ(IconSizeForDpi(16, 144), 24);
  EXPECT_EQ(IconSizeForDpi(16, 168), 24);  // 28: a tie again
  EXPECT_EQ(IconSizeForDpi(16, 192), 32);
  EXPECT_EQ(IconSizeForDpi(16, 288), 48);
  EXPECT_EQ(IconSizeForDpi(16, 480), 48);  // nothing larger in the theme
  EXPECT_EQ(IconSizeForDpi(16, 0), 16);
}

}  // namespace
}  // namespace lumora
