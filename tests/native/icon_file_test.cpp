// The simple icon files read without the system's loader: what is read,
// and every file that must be left to the system instead.
#include "toolkit/bars/icon_file.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace lumora {
namespace {

void Put16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}
void Put32(std::vector<uint8_t>& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

// An icon file of one 32-bit image; `bgra` holds the rows top-down.
std::vector<uint8_t> IconFile(int width, int height, const std::vector<uint8_t>& bgra, uint16_t bits = 32,
                              uint16_t count = 1) {
  const uint32_t row = static_cast<uint32_t>(width) * 4;
  const uint32_t mask_row = ((static_cast<uint32_t>(width) + 31) / 32) * 4;
  const uint32_t image_bytes = 40 + row * static_cast<uint32_t>(height) + mask_row * static_cast<uint32_t>(height);
  std::vector<uint8_t> out;
  Put16(out, 0);
  Put16(out, 1);
  Put16(out, count);
  for (uint16_t i = 0; i < count; ++i) {
    out.push_back(static_cast<uint8_t>(width));
    out.push_back(static_cast<uint8_t>(height));
    out.push_back(0);
    out.push_back(0);
    Put16(out, 1);
    Put16(out, bits);
    Put32(out, image_bytes);
    Put32(out, 6 + 16u * count);
  }
  Put32(out, 40);
  Put32(out, static_cast<uint32_t>(width));
  Put32(out, static_cast<uint32_t>(height * 2));
  Put16(out, 1);
  Put16(out, bits);
  for (int i = 0; i < 6; ++i) Put32(out, 0);
  for (int y = height - 1; y >= 0; --y)  // bottom-up
    out.insert(out.end(), bgra.begin() + y * static_cast<int>(row), bgra.begin() + (y + 1) * static_cast<int>(row));
  out.insert(out.end(), mask_row * static_cast<uint32_t>(height), 0);
  return out;
}

const std::vector<uint8_t> kPixels = {
    1, 2, 3, 255, 4, 5, 6, 128,  // top row: opaque, half
    7, 8, 9, 0,   10, 11, 12, 64,  // bottom row: clear, quarter
};

TEST(IconFileTest, ReadsTheOnlyImageTopDownAtTheAskedOrNaturalSize) {
  const std::vector<uint8_t> file = IconFile(2, 2, kPixels);
  for (int32_t size : {0, 2}) {
    platform::DecodedImage image;
    ASSERT_TRUE(DecodeSimpleIconFile(file.data(), file.size(), size, size, &image));
    EXPECT_EQ(image.width, 2);
    EXPECT_EQ(image.height, 2);
    EXPECT_EQ(image.bgra, kPixels);
  }
}

TEST(IconFileTest, LeavesEverythingElseToTheSystem) {
  platform::DecodedImage image;
  const std::vector<uint8_t> good = IconFile(2, 2, kPixels);
  EXPECT_FALSE(DecodeSimpleIconFile(good.data(), good.size(), 16, 16, &image)) << "another size: the system scales";
  const std::vector<uint8_t> two = IconFile(2, 2, kPixels, 32, 2);
  EXPECT_FALSE(DecodeSimpleIconFile(two.data(), two.size(), 0, 0, &image)) << "the system chooses among images";
  std::vector<uint8_t> no_alpha = kPixels;
  for (size_t i = 3; i < no_alpha.size(); i += 4) no_alpha[i] = 0;
  const std::vector<uint8_t> masked = IconFile(2, 2, no_alpha);
  EXPECT_FALSE(DecodeSimpleIconFile(masked.data(), masked.size(), 0, 0, &image)) << "the mask decides";
  std::vector<uint8_t> png = good;
  png[22] = 0x89;  // a PNG image starts where the header size would be
  EXPECT_FALSE(DecodeSimpleIconFile(png.data(), png.size(), 0, 0, &image));
  std::vector<uint8_t> huge = IconFile(2, 2, kPixels);
  huge[22 + 5] = 0x7F;  // a width of 32512, more than the bytes hold
  EXPECT_FALSE(DecodeSimpleIconFile(huge.data(), huge.size(), 0, 0, &image));
  // Cut short anywhere, never read past the end (the sanitizer watches).
  for (size_t size = 0; size < good.size(); ++size) {
    const std::vector<uint8_t> cut(good.begin(), good.begin() + static_cast<ptrdiff_t>(size));
    EXPECT_FALSE(DecodeSimpleIconFile(cut.data(), cut.size(), 0, 0, &image)) << size;
  }
}

}  // namespace
}  // namespace lumora
