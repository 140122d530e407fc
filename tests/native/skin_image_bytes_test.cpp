// The checks on a skin's BMP and ICO bytes, on headers that lie.
#include "toolkit/style/skin_image_bytes.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <vector>

namespace lumora {
namespace {

void Put32(std::vector<uint8_t>& bytes, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

// A 2 × 2, 24-bit bottom-up file: rows of 8 bytes (6 and 2 of padding).
std::vector<uint8_t> SmallBmp() {
  std::vector<uint8_t> bytes(14 + 40 + 16, 0);
  bytes[0] = 'B';
  bytes[1] = 'M';
  Put32(bytes, 2, static_cast<uint32_t>(bytes.size()));
  Put32(bytes, 10, 54);
  Put32(bytes, 14, 40);
  Put32(bytes, 18, 2);
  Put32(bytes, 22, 2);
  bytes[26] = 1;
  bytes[28] = 24;
  return bytes;
}

TEST(SkinImageBytes, BmpHeadersAreCheckedAgainstTheBytes) {
  std::vector<uint8_t> bmp = SmallBmp();
  const auto layout = ReadBmpLayout(bmp.data(), bmp.size());
  ASSERT_TRUE(layout);
  EXPECT_EQ(layout->width, 2);
  EXPECT_EQ(layout->height, 2);
  EXPECT_EQ(layout->info_size, 40u);
  EXPECT_EQ(layout->image_size, 16u);
  Put32(bmp, 22, static_cast<uint32_t>(-2));  // top-down
  EXPECT_EQ(ReadBmpLayout(bmp.data(), bmp.size())->height, 2);
  // The one height whose sign cannot be dropped in 32 bits.
  Put32(bmp, 22, static_cast<uint32_t>(INT_MIN));
  EXPECT_FALSE(ReadBmpLayout(bmp.data(), bmp.size()));
  bmp = SmallBmp();
  EXPECT_FALSE(ReadBmpLayout(bmp.data(), bmp.size() - 1));  // a row cut short
  Put32(bmp, 10, 0xFFFFFFF0u);
  EXPECT_FALSE(ReadBmpLayout(bmp.data(), bmp.size()));
}

TEST(SkinImageBytes, IconEntriesNearestTheWantedSizeEvenWhenTheSkinAsksTheImpossible) {
  // Two entries, 16 and 32 pixels, both naming the same 40 bytes.
  std::vector<uint8_t> ico(6 + 32 + 40, 0);
  ico[2] = 1;
  ico[4] = 2;
  for (int i = 0; i < 2; ++i) {
    ico[6 + i * 16] = ico[7 + i * 16] = static_cast<uint8_t>(16 << i);
    Put32(ico, 6 + i * 16 + 8, 40);
    Put32(ico, 6 + i * 16 + 12, 38);
  }
  const auto largest = ChooseIcoEntry(ico.data(), ico.size(), 0, 0);
  ASSERT_TRUE(largest);
  EXPECT_EQ(largest->offset, 38u);
  ASSERT_TRUE(ChooseIcoEntry(ico.data(), ico.size(), 16, 16));
  // "width: 2147483647": distances that do not fit 32 bits.
  EXPECT_TRUE(ChooseIcoEntry(ico.data(), ico.size(), INT_MAX, INT_MIN));
  Put32(ico, 6 + 8, 41);  // longer than the file
  Put32(ico, 6 + 16 + 8, 41);
  EXPECT_FALSE(ChooseIcoEntry(ico.data(), ico.size(), 0, 0));
}

}  // namespace
}  // namespace lumora
