// PNG and JPEG decoding: pixels as the toolkit keeps them, the decoders'
// switches, and files whose headers claim more than the bounds allow.
#include "toolkit/image/image_decode.h"

#include <gtest/gtest.h>
#include <png.h>
#include <zlib.h>

#include <cstdio>
#include <cstdlib>
#include <vector>
// jpeglib.h needs FILE and size_t declared first.
#include <jpeglib.h>

namespace lumora {
namespace {

// A PNG of straight-alpha BGRA pixels (or grey bytes), written by libpng
// itself.
std::vector<uint8_t> Png(const std::vector<uint8_t>& bgra, uint32_t width, uint32_t height,
                         uint32_t format = PNG_FORMAT_BGRA) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = width;
  image.height = height;
  image.format = format;
  png_alloc_size_t size = 0;
  EXPECT_TRUE(png_image_write_to_memory(&image, nullptr, &size, 0, bgra.data(), 0, nullptr));
  std::vector<uint8_t> file(size);
  EXPECT_TRUE(png_image_write_to_memory(&image, file.data(), &size, 0, bgra.data(), 0, nullptr));
  file.resize(size);
  return file;
}

// A JPEG of one colour, at full quality.
std::vector<uint8_t> Jpeg(uint8_t red, uint8_t green, uint8_t blue, int width, int height) {
  jpeg_compress_struct info;
  jpeg_error_mgr error;
  info.err = jpeg_std_error(&error);
  jpeg_create_compress(&info);
  unsigned char* out = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &out, &size);
  info.image_width = static_cast<JDIMENSION>(width);
  info.image_height = static_cast<JDIMENSION>(height);
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 100, TRUE);
  jpeg_start_compress(&info, TRUE);
  std::vector<uint8_t> row;
  for (int x = 0; x < width; ++x) row.insert(row.end(), {red, green, blue});
  while (info.next_scanline < info.image_height) {
    JSAMPROW line = row.data();
    jpeg_write_scanlines(&info, &line, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  std::vector<uint8_t> file(out, out + size);
  std::free(out);
  return file;
}

void Put32Big(std::vector<uint8_t>& bytes, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<uint8_t>(value >> (24 - 8 * i));
}

// The file with the size its header claims changed, the header's checksum
// made to match, so that only the bounds can refuse it.
std::vector<uint8_t> ClaimingSize(std::vector<uint8_t> png, uint32_t width, uint32_t height) {
  Put32Big(png, 16, width);
  Put32Big(png, 20, height);
  Put32Big(png, 29, static_cast<uint32_t>(crc32(0, &png[12], 17)));  // "IHDR" and its 13 bytes
  return png;
}

const std::vector<uint8_t> kPixels = {0, 0, 255, 127, 0, 255, 0, 255, 255, 0, 0, 255, 0, 0, 0, 0};

TEST(ImageDecodeTest, PngAndJpegBecomeTopDownStraightBgra) {
  const std::vector<uint8_t> png = Png(kPixels, 2, 2);
  DecodedImage image;
  ASSERT_TRUE(DecodeImageBytes(png.data(), png.size(), true, true, &image));
  EXPECT_EQ(image.width, 2);
  EXPECT_EQ(image.height, 2);
  EXPECT_TRUE(image.has_alpha);
  EXPECT_EQ(image.bgra, kPixels);

  const std::vector<uint8_t> jpeg = Jpeg(200, 40, 90, 16, 8);
  DecodedImage photo;
  ASSERT_TRUE(DecodeImageBytes(jpeg.data(), jpeg.size(), true, true, &photo));
  ASSERT_EQ(photo.width, 16);
  ASSERT_EQ(photo.height, 8);
  EXPECT_FALSE(photo.has_alpha);
  ASSERT_EQ(photo.bgra.size(), 16u * 8u * 4u);
  for (size_t i = 0; i < photo.bgra.size(); i += 4) {
    EXPECT_NEAR(photo.bgra[i + 2], 200, 3);
    EXPECT_NEAR(photo.bgra[i + 1], 40, 3);
    EXPECT_NEAR(photo.bgra[i], 90, 3);
    EXPECT_EQ(photo.bgra[i + 3], 255);
  }
}

TEST(ImageDecodeTest, AFormatSwitchedOffOrForeignOrCutShortDecodesToNothing) {
  const std::vector<uint8_t> png = Png(kPixels, 2, 2);
  const std::vector<uint8_t> jpeg = Jpeg(1, 2, 3, 8, 8);
  DecodedImage image;
  EXPECT_FALSE(DecodeImageBytes(png.data(), png.size(), false, true, &image));
  EXPECT_FALSE(DecodeImageBytes(jpeg.data(), jpeg.size(), true, false, &image));
  EXPECT_FALSE(DecodeImageBytes(png.data(), 40, true, true, &image));
  EXPECT_FALSE(DecodeImageBytes(jpeg.data(), 6, true, true, &image));
  const uint8_t text[] = "not an image at all";
  EXPECT_FALSE(DecodeImageBytes(text, sizeof text, true, true, &image));

  // The toolkit's switches: off until start-up turns them on.
  EXPECT_FALSE(PngDecoderEnabled());
  EXPECT_FALSE(DecodeImage(png.data(), png.size(), &image));
  EnablePngDecoder();
  EXPECT_TRUE(DecodeImage(png.data(), png.size(), &image));
  EXPECT_FALSE(DecodeImage(jpeg.data(), jpeg.size(), &image));
  EnableJpegDecoder();
  EXPECT_TRUE(DecodeImage(jpeg.data(), jpeg.size(), &image));
}

TEST(ImageDecodeTest, SizesPastTheBoundsAreRefused) {
  DecodedImage image;
  const auto decodes = [&](uint32_t width, uint32_t height) {
    const std::vector<uint8_t> png =
        Png(std::vector<uint8_t>(static_cast<size_t>(width) * height, 0), width, height, PNG_FORMAT_GRAY);
    return DecodeImageBytes(png.data(), png.size(), true, false, &image);
  };
  EXPECT_TRUE(decodes(kLargestImageSide, 1));
  EXPECT_FALSE(decodes(kLargestImageSide + 1, 1));
  EXPECT_FALSE(decodes(4097, 4097)) << "more pixels than the bound, each side within it";
  // A few dozen bytes claiming 30000 x 30000 pixels, 3.6 GB if believed.
  const std::vector<uint8_t> claim = ClaimingSize(Png(kPixels, 2, 2), 30000, 30000);
  DecodedImage claimed;
  EXPECT_FALSE(DecodeImageBytes(claim.data(), claim.size(), true, false, &claimed));
  EXPECT_TRUE(claimed.bgra.empty());
}

}  // namespace
}  // namespace lumora
