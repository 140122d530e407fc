// Shadow strips: the alpha ramps along and across a strip, pre-multiplied
// colours, and strips cut from the cached longest one.
#include <gtest/gtest.h>

#include "toolkit/menus/drop_shadow_strip.h"

namespace lumora {
namespace {

uint32_t AlphaOf(uint32_t pixel) { return pixel >> 24; }

TEST(ShadowRamp, RampsUpAlongTheStartAndDownAtTheEnd) {
  // L = 20, s = 5, A = 100.
  const int expected_along[20] = {20, 40, 60, 80, 100, 100, 100, 100, 100, 100,
                                  100, 100, 100, 100, 100, 100, 80, 60, 40, 20};
  for (int i = 0; i < 20; ++i) EXPECT_EQ(ShadowAlongAlpha(i, 20, 5, 100), expected_along[i]) << i;
  // Across: row j keeps (s - j - 1) / s, so the outermost row is clear.
  EXPECT_EQ(ShadowPixelAlpha(10, 0, 20, 5, 100), 80);
  EXPECT_EQ(ShadowPixelAlpha(10, 1, 20, 5, 100), 60);
  EXPECT_EQ(ShadowPixelAlpha(10, 4, 20, 5, 100), 0);
  EXPECT_EQ(ShadowPixelAlpha(0, 0, 20, 5, 100), 16);  // 20 * 4 / 5
  EXPECT_EQ(ShadowPixelAlpha(1, 2, 20, 5, 77), 12);   // (77 * 2 / 5 = 30) * 2 / 5
  // Degenerate sizes give nothing instead of dividing by zero.
  EXPECT_EQ(ShadowAlongAlpha(0, 10, 0, 100), 0);
  EXPECT_EQ(ShadowPixelAlpha(0, 0, 10, 0, 100), 0);
  EXPECT_TRUE(BuildShadowStrip(10, 0, 0, 100, false).pixels.empty());
  EXPECT_TRUE(BuildShadowStrip(0, 5, 0, 100, false).pixels.empty());
}

TEST(ShadowRamp, StripLengthFollowsTheSideFlags) {
  EXPECT_EQ(ShadowStripLength(100, 5, 0), 100);
  EXPECT_EQ(ShadowStripLength(100, 5, SHADOW_EXTEND_END), 105);
  EXPECT_EQ(ShadowStripLength(100, 5, SHADOW_EXTEND_START | SHADOW_VERTICAL), 105);
  EXPECT_EQ(ShadowStripLength(100, 5, SHADOW_EXTEND_BOTH), 110);
}

TEST(ShadowRamp, PixelsArePremultipliedAndOrientedByDirection) {
  const uint32_t colour = 0x00FF8040;  // COLORREF: red 0x40, green 0x80, blue 0xFF
  const ShadowStrip horizontal = BuildShadowStrip(12, 4, colour, 200, false);
  ASSERT_EQ(horizontal.width, 12);
  ASSERT_EQ(horizontal.height, 4);
  // Column 6, row 0: alpha 200 * 3 / 4 = 150.
  const uint32_t pixel = horizontal.pixels[6];
  EXPECT_EQ(AlphaOf(pixel), 150u);
  EXPECT_EQ((pixel >> 16) & 0xFF, 0x40u * 150 / 255);
  EXPECT_EQ((pixel >> 8) & 0xFF, 0x80u * 150 / 255);
  EXPECT_EQ(pixel & 0xFF, 0xFFu * 150 / 255);
  const ShadowStrip vertical = BuildShadowStrip(12, 4, colour, 200, true);
  ASSERT_EQ(vertical.width, 4);
  ASSERT_EQ(vertical.height, 12);
  for (int i = 0; i < 12; ++i)
    for (int j = 0; j < 4; ++j)
      EXPECT_EQ(vertical.pixels[static_cast<size_t>(i * 4 + j)], horizontal.pixels[static_cast<size_t>(j * 12 + i)]);
  // Alpha above 255 is held at 255.
  EXPECT_EQ(AlphaOf(BuildShadowStrip(12, 4, 0, 900, false).pixels[6]), 255u * 3 / 4);
}

TEST(ShadowRamp, CachedStripsMatchFreshOnes) {
  ShadowStripCache cache(false);
  ASSERT_FALSE(cache.Get(300, 5, 0x000000, 90).pixels.empty());
  EXPECT_EQ(cache.builds(), 1);
  for (int length : {300, 299, 120, 11, 10, 9, 3}) {
    const ShadowStrip fresh = BuildShadowStrip(length, 5, 0x000000, 90, false);
    const ShadowStrip cut = cache.Get(length, 5, 0x000000, 90);
    EXPECT_EQ(cut.width, fresh.width) << length;
    EXPECT_EQ(cut.pixels, fresh.pixels) << length;
  }
  EXPECT_EQ(cache.builds(), 1);  // shorter strips come from the cached one
  cache.Get(301, 5, 0x000000, 90);
  cache.Get(200, 5, 0x000000, 80);
  cache.Get(200, 5, 0x101010, 80);
  EXPECT_EQ(cache.builds(), 4);
  ShadowStripCache vertical(true);
  EXPECT_EQ(vertical.Get(50, 5, 0x123456, 60).pixels, BuildShadowStrip(50, 5, 0x123456, 60, true).pixels);
  EXPECT_EQ(vertical.Get(20, 5, 0x123456, 60).pixels, BuildShadowStrip(20, 5, 0x123456, 60, true).pixels);
}

}  // namespace
}  // namespace lumora
