// The flag word of CreateFontFromName and the point/height conversions.
#include "toolkit/bars/toolbar_font_flags.h"

#include <gtest/gtest.h>

namespace lumora {
namespace {

TEST(FontFlagsTest, StyleBitsAndTheirAlternatives) {
  EXPECT_EQ(DecodeFontFlags(0).weight, 0);  // the font mapper's default, not 400
  EXPECT_EQ(DecodeFontFlags(FONT_BOLD).weight, 700);
  EXPECT_EQ(DecodeFontFlags(FONT_BOLD_ALT).weight, 700);
  EXPECT_TRUE(DecodeFontFlags(FONT_ITALIC_ALT).italic);
  const FontRequest all = DecodeFontFlags(FONT_ITALIC | FONT_UNDERLINE | FONT_STRIKEOUT);
  EXPECT_EQ(all.weight, 0);
  EXPECT_TRUE(all.italic);
  EXPECT_TRUE(all.underline);
  EXPECT_TRUE(all.strike_out);
}

TEST(FontFlagsTest, WeightLikeValuesAreNotReadAsBits) {
  // 400 = 0x190 would otherwise mean bold; it means plain.
  const FontRequest plain = DecodeFontFlags(400);
  EXPECT_EQ(plain.weight, 0);
  EXPECT_FALSE(plain.italic || plain.underline || plain.strike_out);
  // 700 = 0x2BC would otherwise carry underline, strike-out and italic.
  const FontRequest bold = DecodeFontFlags(700);
  EXPECT_EQ(bold.weight, 700);
  EXPECT_FALSE(bold.italic || bold.underline || bold.strike_out);
  // 710 lies outside 700-708, so its bits count as they are (0x2C6).
  const FontRequest above_range = DecodeFontFlags(710);
  EXPECT_EQ(above_range.weight, 0);
  EXPECT_TRUE(above_range.italic);
  EXPECT_TRUE(above_range.underline);
  const FontRequest v706 = DecodeFontFlags(706);
  EXPECT_EQ(v706.weight, 700);
  EXPECT_TRUE(v706.italic);
  EXPECT_TRUE(v706.underline);
  EXPECT_FALSE(v706.strike_out);
  EXPECT_TRUE(DecodeFontFlags(708).strike_out);
  // With a quality bit above, the style word still decodes the same way.
  EXPECT_EQ(DecodeFontFlags(FONT_CLEARTYPE | 700).weight, 700);
  EXPECT_FALSE(DecodeFontFlags(FONT_CLEARTYPE | 700).underline);
}

TEST(FontFlagsTest, FirstQualityBitWins) {
  EXPECT_EQ(DecodeFontFlags(0).quality, FontQuality::kDefault);
  EXPECT_EQ(DecodeFontFlags(FONT_CLEARTYPE).quality, FontQuality::kClearType);
  EXPECT_EQ(DecodeFontFlags(FONT_NONANTIALIASED | FONT_CLEARTYPE).quality, FontQuality::kNonAntialiased);
  EXPECT_EQ(DecodeFontFlags(FONT_ANTIALIASED | FONT_NONANTIALIASED | FONT_CLEARTYPE).quality,
            FontQuality::kAntialiased);
}

TEST(FontFlagsTest, PointsAndHeightsRoundTheWayTheSystemDoes) {
  EXPECT_EQ(FontHeightForPoints(9, 96), -12);
  EXPECT_EQ(FontHeightForPoints(10, 96), -13);  // 13.33 rounds down
  EXPECT_EQ(FontHeightForPoints(11, 96), -15);  // 14.67 rounds up
  EXPECT_EQ(FontHeightForPoints(9, 120), -15);
  EXPECT_EQ(PointsForFontHeight(-12, 96), 9);
  EXPECT_EQ(PointsForFontHeight(12, 96), 9);    // the sign does not matter
  EXPECT_EQ(PointsForFontHeight(-13, 96), 10);  // 9.75
  EXPECT_EQ(PointsForFontHeight(-15, 96), 11);  // 11.25
  for (int points = 6; points <= 72; ++points)
    EXPECT_EQ(PointsForFontHeight(FontHeightForPoints(points, 96), 96), points) << points;
  EXPECT_EQ(FontHeightForPoints(9, 0), 0);
  EXPECT_EQ(PointsForFontHeight(-12, 0), 0);
}

}  // namespace
}  // namespace lumora
