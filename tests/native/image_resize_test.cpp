// Scaling of decoded images: averages, transparency and odd ratios.
#include "toolkit/image/image_resize.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <vector>

namespace lumora {
namespace {

std::vector<uint8_t> Pixels(std::initializer_list<uint32_t> argb) {
  std::vector<uint8_t> out;
  for (uint32_t v : argb) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
    out.push_back(static_cast<uint8_t>(v >> 16));
    out.push_back(static_cast<uint8_t>(v >> 24));
  }
  return out;
}

uint32_t At(const std::vector<uint8_t>& bgra, int width, int x, int y) {
  const size_t i = (static_cast<size_t>(y) * width + x) * 4;
  return bgra[i] | bgra[i + 1] << 8 | bgra[i + 2] << 16 | static_cast<uint32_t>(bgra[i + 3]) << 24;
}

TEST(ImageResizeTest, ShrinkingAveragesAndTransparentPixelsLendNoColour) {
  // 2 x 2: opaque red, opaque blue, and two fully transparent green pixels.
  const auto source = Pixels({0xFFFF0000, 0xFF0000FF, 0x0000FF00, 0x0000FF00});
  const auto one = ResizeBgra(source, 2, 2, 1, 1);
  ASSERT_EQ(one.size(), 4u);
  const uint32_t p = At(one, 1, 0, 0);
  EXPECT_EQ((p >> 8) & 0xFF, 0u);            // no green from the transparent half
  EXPECT_NEAR((p >> 16) & 0xFF, 128, 1);     // red and blue share the colour
  EXPECT_NEAR(p & 0xFF, 128, 1);
  EXPECT_NEAR(p >> 24, 128, 1);              // half the area was opaque
}

TEST(ImageResizeTest, GrowingKeepsAFlatColourAndNonIntegerScalesCoverEverything) {
  const auto flat = ResizeBgra(Pixels({0xFF102030}), 1, 1, 3, 5);
  ASSERT_EQ(flat.size(), 3u * 5u * 4u);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 3; ++x) EXPECT_EQ(At(flat, 3, x, y), 0xFF102030u);

  // 3 -> 2 columns: the middle source column is split between both targets.
  const auto row = Pixels({0xFF000000, 0xFFFFFFFF, 0xFF000000});
  const auto two = ResizeBgra(row, 3, 1, 2, 1);
  EXPECT_NEAR(At(two, 2, 0, 0) & 0xFF, 85, 1);
  EXPECT_NEAR(At(two, 2, 1, 0) & 0xFF, 85, 1);
}

TEST(ImageResizeTest, RefusesBadSizesAndShortSources) {
  EXPECT_TRUE(ResizeBgra(Pixels({0xFF000000}), 1, 1, 0, 4).empty());
  EXPECT_TRUE(ResizeBgra(Pixels({0xFF000000}), 2, 2, 4, 4).empty());
  EXPECT_TRUE(ResizeBgra({}, 0, 0, 4, 4).empty());
}

}  // namespace
}  // namespace lumora
