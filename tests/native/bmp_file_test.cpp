// The checks on BMP bytes, on headers that lie.
#include "toolkit/image/bmp_file.h"

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

TEST(BmpFileTest, HeadersAreCheckedAgainstTheBytes) {
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

}  // namespace
}  // namespace lumora
