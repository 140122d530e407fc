#include "toolkit/image/image_effect_maths.h"

#include <gtest/gtest.h>

#include <array>
#include <limits>
#include <vector>

namespace lumora {
namespace {

using Pixel = std::array<uint8_t, 4>;  // B, G, R, A

// A source image given top line first, laid out bottom-up as GetDIBits
// delivers it.
struct Image {
  int width = 0, height = 0;
  std::vector<uint8_t> bytes;
  Image(int w, int h, const std::vector<Pixel>& top_down) : width(w), height(h), bytes(w * h * 4) {
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        for (int k = 0; k < 4; ++k) bytes[((h - 1 - y) * w + x) * 4 + k] = top_down[y * w + x][k];
  }
};

std::vector<Pixel> Process(const Image& img, const ImageEffectSettings& s, bool has_alpha = true,
                       const Image* mask = nullptr) {
  EffectSource src;
  src.pixels = img.bytes.data();
  src.mask = mask != nullptr ? mask->bytes.data() : nullptr;
  src.width = img.width;
  src.height = img.height;
  src.has_alpha = has_alpha;
  std::vector<uint8_t> out(img.bytes.size(), 0xCD);
  EXPECT_TRUE(ApplyImageEffect(src, s, out.data(), out.size()));
  std::vector<Pixel> px(img.width * img.height);
  for (size_t i = 0; i < px.size(); ++i)
    for (int k = 0; k < 4; ++k) px[i][k] = out[i * 4 + k];
  return px;
}

Pixel One(Pixel p, const ImageEffectSettings& s, bool has_alpha = true) {
  return Process(Image(1, 1, {p}), s, has_alpha)[0];
}

ImageEffectSettings Identity() { return ImageEffectSettings{}; }

TEST(ImageEffectLayout, OutputIsTopDownWithTheSameOrientation) {
  const std::vector<Pixel> top_down = {{1, 2, 3, 255}, {4, 5, 6, 255}, {7, 8, 9, 255},
                                       {10, 11, 12, 255}, {13, 14, 15, 255}, {16, 17, 18, 255}};
  EXPECT_EQ(Process(Image(3, 2, top_down), Identity()), top_down);
}

TEST(ImageEffectLayout, IdentitySettingsCopyColoursAndScaleAlpha) {
  const std::vector<Pixel> px = {{0, 0, 0, 0}, {10, 200, 30, 128}, {255, 255, 255, 255}, {1, 2, 3, 51}};
  ImageEffectSettings s = Identity();
  EXPECT_EQ(Process(Image(2, 2, px), s), px);

  s.alpha = 128;
  const auto half = Process(Image(2, 2, px), s);
  EXPECT_EQ(half[0], (Pixel{0, 0, 0, 0}));
  EXPECT_EQ(half[1], (Pixel{10, 200, 30, 64}));   // rint(128/255*128) = rint(64.25)
  EXPECT_EQ(half[2], (Pixel{255, 255, 255, 128}));
  EXPECT_EQ(half[3], (Pixel{1, 2, 3, 26}));        // rint(51/255*128) = rint(25.6)
}

TEST(ImageEffectLayout, RefusesBuffersThatDoNotFit) {
  std::vector<uint8_t> in(16), out(15);
  EffectSource src{in.data(), nullptr, 2, 2, true};
  EXPECT_FALSE(ApplyImageEffect(src, Identity(), out.data(), out.size()));
  src.width = 0;
  EXPECT_FALSE(ApplyImageEffect(src, Identity(), out.data(), 16));
  src.width = 2;
  src.height = -1;
  EXPECT_FALSE(ApplyImageEffect(src, Identity(), out.data(), 16));
  src.height = 2;
  src.pixels = nullptr;
  EXPECT_FALSE(ApplyImageEffect(src, Identity(), out.data(), 16));
}

TEST(ImageEffectAlpha, ClampedToOneThrough255) {
  ImageEffectSettings s = Identity();
  s.alpha = 0;
  EXPECT_EQ(One({0, 0, 0, 255}, s)[3], 1);
  EXPECT_EQ(One({0, 0, 0, 255}, s, false)[3], 1);
  s.alpha = -40;
  EXPECT_EQ(One({0, 0, 0, 255}, s)[3], 1);
  s.alpha = 300;
  EXPECT_EQ(One({0, 0, 0, 255}, s)[3], 255);
  EXPECT_EQ(One({0, 0, 0, 100}, s)[3], 100);
  EXPECT_EQ(One({0, 0, 0, 0}, s, false)[3], 255);
  s.alpha = std::numeric_limits<float>::quiet_NaN();
  EXPECT_EQ(One({0, 0, 0, 255}, s)[3], 1);
}

TEST(ImageEffectAlpha, SourcesWithoutAlphaTakeTheRoundedOpacity) {
  ImageEffectSettings s = Identity();
  s.alpha = 30.5f;
  EXPECT_EQ(One({9, 9, 9, 0}, s, false), (Pixel{9, 9, 9, 30}));  // rint rounds half to even
  s.alpha = 31.5f;
  EXPECT_EQ(One({9, 9, 9, 77}, s, false)[3], 32);
}

TEST(ImageEffectAlpha, IconMaskDecidesOnlyForFullyTransparentPixels) {
  // Mask: white = set (transparent), black = clear.
  const Image colour(4, 1, {{1, 1, 1, 0}, {2, 2, 2, 0}, {3, 3, 3, 90}, {4, 4, 4, 90}});
  const Image mask(4, 1, {{255, 255, 255, 0}, {0, 0, 0, 0}, {255, 255, 255, 0}, {0, 0, 0, 0}});
  ImageEffectSettings s = Identity();
  s.alpha = 200;
  const auto out = Process(colour, s, true, &mask);
  EXPECT_EQ(out[0][3], 0);
  EXPECT_EQ(out[1][3], 200);
  EXPECT_EQ(out[2][3], 71);  // rint(90/255*200) = rint(70.59); the mask does not override
  EXPECT_EQ(out[3][3], 71);

  // Without alpha the mask still marks what is transparent.
  const auto flat = Process(colour, s, false, &mask);
  EXPECT_EQ(flat[0][3], 0);
  EXPECT_EQ(flat[1][3], 200);
  EXPECT_EQ(flat[2][3], 0);
  EXPECT_EQ(flat[3][3], 200);
}

TEST(ImageEffectColour, GreyscaleUsesTheLumaWeights) {
  ImageEffectSettings s = Identity();
  s.greyscale = true;
  EXPECT_EQ(One({0, 0, 255, 255}, s), (Pixel{76, 76, 76, 255}));     // red
  EXPECT_EQ(One({0, 255, 0, 255}, s), (Pixel{150, 150, 150, 255}));  // green: 149.685
  EXPECT_EQ(One({255, 0, 0, 255}, s), (Pixel{29, 29, 29, 255}));     // blue: 29.07
  EXPECT_EQ(One({255, 255, 255, 255}, s), (Pixel{255, 255, 255, 255}));
  EXPECT_EQ(GreyLevel(255, 0, 0), 76);
  EXPECT_EQ(GreyLevel(10, 20, 30), 18);  // 2.989 + 11.74 + 3.42 = 18.149
}

TEST(ImageEffectColour, TintBlendsTowardsTheTintColour) {
  ImageEffectSettings s = Identity();
  s.tint_colour = 0x00402010;  // R 0x10, G 0x20, B 0x40
  s.tint_amount = 256;
  EXPECT_EQ(One({200, 100, 50, 255}, s), (Pixel{0x40, 0x20, 0x10, 255}));
  s.tint_amount = 128;
  // (64*128 + 200*128)/256 = 132, (32*128+100*128)/256 = 66, (16*128+50*128)/256 = 33
  EXPECT_EQ(One({200, 100, 50, 255}, s), (Pixel{132, 66, 33, 255}));
  s.tint_amount = 1000;  // beyond "all tint colour"
  EXPECT_EQ(One({200, 100, 50, 255}, s), (Pixel{0x40, 0x20, 0x10, 255}));
  s.tint_amount = -50;
  EXPECT_EQ(One({200, 100, 50, 255}, s), (Pixel{200, 100, 50, 255}));
}

TEST(ImageEffectColour, TintAppliesAfterGreyscale) {
  ImageEffectSettings s = Identity();
  s.greyscale = true;
  s.tint_colour = 0x000000FF;  // red
  s.tint_amount = 64;
  // grey 76, then red: (255*64 + 76*192)/256 = 120.75; others 76*192/256 = 57
  EXPECT_EQ(One({0, 0, 255, 255}, s), (Pixel{57, 57, 121, 255}));
}

TEST(ImageEffectColour, ContrastUsesTheFactorAndClamps) {
  EXPECT_DOUBLE_EQ(ContrastFactor(0), 1.0);
  EXPECT_NEAR(ContrastFactor(128), (383.0 * 259.0) / (131.0 * 255.0), 1e-12);
  EXPECT_DOUBLE_EQ(ContrastFactor(-255), 0.0);
  EXPECT_DOUBLE_EQ(ContrastFactor(259), ContrastFactor(255));  // divisor never reaches 0

  ImageEffectSettings s = Identity();
  s.contrast = 128;
  // factor 2.9694...: 200 -> 341.8 -> 255; 100 -> 44.86 -> 45; 20 -> -192.7 -> 0
  EXPECT_EQ(One({200, 100, 20, 255}, s), (Pixel{255, 45, 0, 255}));
  s.contrast = -255;
  EXPECT_EQ(One({200, 100, 20, 255}, s), (Pixel{128, 128, 128, 255}));
  s.contrast = 1e9f;  // taken as 255: factor 129.5
  EXPECT_EQ(One({129, 127, 128, 255}, s), (Pixel{255, 0, 128, 255}));
}

TEST(ImageEffectColour, BrightnessAddsAndClamps) {
  ImageEffectSettings s = Identity();
  s.brightness = 60;
  EXPECT_EQ(One({10, 200, 250, 7}, s), (Pixel{70, 255, 255, 7}));
  s.brightness = -60;
  EXPECT_EQ(One({10, 200, 250, 7}, s), (Pixel{0, 140, 190, 7}));
  s.brightness = 0.5f;  // rint(10.5) rounds to even
  EXPECT_EQ(One({10, 11, 0, 7}, s), (Pixel{10, 12, 0, 7}));
  s.brightness = std::numeric_limits<float>::infinity();
  EXPECT_EQ(One({10, 200, 250, 7}, s), (Pixel{255, 255, 255, 7}));
  s.brightness = std::numeric_limits<float>::quiet_NaN();
  EXPECT_EQ(One({10, 200, 250, 7}, s), (Pixel{10, 200, 250, 7}));
}

}  // namespace
}  // namespace lumora
