// The colour text form: encodings, every syntactic form and its edge cases.
#include "toolkit/style/colour.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>

#include "toolkit/style/colour_mode.h"
#include "toolkit/style/colour_services.h"
#include "toolkit/style/named_colours.h"
#include "toolkit/style/ui_style.h"

namespace lumora {
namespace {

constexpr int32_t RGB(int r, int g, int b) { return MakeCOLORREF(r, g, b); }

// A recognisable stand-in for GetSysColor.
int32_t FakeSysColour(int32_t index) { return 0x00ABCD00 + index; }

class ColourTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ColourServices services;
    services.sys_colour = FakeSysColour;
    SetColourServices(services);
    SetUIColourMode(UICOLOURMODE_DEFAULT);
  }
  void TearDown() override {
    SetColourServices(ColourServices{});
    SetUIColourMode(UICOLOURMODE_DEFAULT);
  }
};

TEST(MakeARGBTest, PutsAlphaHighAndBlueLowAndIsNegativeWhenOpaque) {
  EXPECT_EQ(MakeARGB(0x12, 0x34, 0x56, 0x78), 0x12345678);
  EXPECT_EQ(MakeARGB(255, 10, 20, 30), static_cast<int32_t>(0xFF0A141Eu));
  EXPECT_LT(MakeARGB(255, 0, 0, 0), 0);
  EXPECT_GT(MakeARGB(127, 255, 255, 255), 0);
  // Opaque white is the same number as "no colour".
  EXPECT_EQ(MakeARGB(255, 255, 255, 255), -1);
  // Arguments are not masked: an oversized channel spills into the next.
  EXPECT_EQ(MakeARGB(0, 256, 0, 0), 0x01000000);
}

TEST(MakeARGBTest, SwapRedBlueConvertsBetweenArgbAndColorref) {
  EXPECT_EQ(SwapRedBlue(MakeARGB(255, 10, 20, 30)), RGB(10, 20, 30));
  EXPECT_EQ(SwapRedBlue(MakeARGB(87, 106, 140, 203)), RGB(106, 140, 203));
  EXPECT_EQ(SwapRedBlue(0xFFA500), RGB(255, 165, 0));
  EXPECT_EQ(RGB(255, 0, 0), 0xFF);
}

TEST_F(ColourTest, RgbFormIsColorrefWithRedInLowByte) {
  EXPECT_EQ(ParseColour("RGB( 10, 20, 30 );"), RGB(10, 20, 30));
  EXPECT_EQ(ParseColour("rgb(255,0,0)"), 0x0000FF);
  EXPECT_EQ(ParseColour("rgb(0,0,255)"), 0xFF0000);
  EXPECT_EQ(ParseColour("  rgb ( $ff , %11 , 7 )"), RGB(255, 3, 7));
  EXPECT_EQ(ParseColour("rgb()"), 0);
  EXPECT_EQ(ParseColour("rgb(1,2)"), RGB(1, 2, 0));
}

TEST_F(ColourTest, RgbaFormIsArgbWithRoundedAlpha) {
  EXPECT_EQ(ParseColour("rgba(10, 20, 30, 0.5)"), MakeARGB(128, 10, 20, 30));
  EXPECT_EQ(ParseColour("rgba(10,20,30,0.5)"), static_cast<int32_t>(0x800A141Eu));
  const int32_t opaque = ParseColour("RGBA(10,20,30,255);");
  EXPECT_EQ(opaque, MakeARGB(255, 10, 20, 30));
  EXPECT_LT(opaque, 0);
  EXPECT_EQ(ParseColour("rgba(10,20,30,1.0)"), MakeARGB(255, 10, 20, 30));
  EXPECT_EQ(ParseColour("rgba(10,20,30,0.25)"), MakeARGB(64, 10, 20, 30));  // 63.75
  EXPECT_EQ(ParseColour("rgba(10,20,30,0.2)"), MakeARGB(51, 10, 20, 30));
  EXPECT_EQ(ParseColour("rgba(10,20,30,100)"), MakeARGB(100, 10, 20, 30));
  EXPECT_EQ(ParseColour("rgba(10,20,30,$40)"), MakeARGB(64, 10, 20, 30));
}

TEST_F(ColourTest, RgbaAlphaOfZeroBecomesOne) {
  EXPECT_EQ(ParseColour("rgba(10,20,30,0)"), MakeARGB(1, 10, 20, 30));
  EXPECT_EQ(ParseColour("rgba(10,20,30,0.0)"), MakeARGB(1, 10, 20, 30));
  EXPECT_EQ(ParseColour("rgba(10,20,30,0.001)"), MakeARGB(1, 10, 20, 30));
  EXPECT_EQ(ParseColour("rgba(10,20,30)"), MakeARGB(1, 10, 20, 30));
}

TEST_F(ColourTest, FunctionalFormsNeedAnOpeningBeforeAClosingParenthesis) {
  EXPECT_EQ(ParseColour("rgba)10,20,30,1("), -1);
  EXPECT_EQ(ParseColour("rgb(10,20,30"), -1);
  EXPECT_EQ(ParseColour("rgb 10,20,30)"), -1);
  EXPECT_EQ(ParseColour("getuicolour"), -1);
}

TEST_F(ColourTest, HexFormNeedsExactlySixDigits) {
  EXPECT_EQ(ParseColour("#FFA500"), RGB(255, 165, 0));
  EXPECT_EQ(ParseColour("#ffa500;"), RGB(255, 165, 0));
  EXPECT_EQ(ParseColour("  #ffa500 trailing"), RGB(255, 165, 0));
  EXPECT_EQ(ParseColour("#0000ff"), RGB(0, 0, 255));
  EXPECT_EQ(ParseColour("#fff"), -1);
  EXPECT_EQ(ParseColour("#ffa50"), -1);
  EXPECT_EQ(ParseColour("#ffa5001"), -1);
  EXPECT_EQ(ParseColour("#ffa50012345"), -1);
  EXPECT_EQ(ParseColour("#"), -1);
  EXPECT_EQ(ParseColour("#ffa5g0"), -1);
  EXPECT_EQ(ParseColour("# ffa500"), -1);
}

TEST_F(ColourTest, NamedColoursIgnoreCaseAndGiveColorref) {
  EXPECT_EQ(ParseColour("orange"), RGB(255, 165, 0));
  EXPECT_EQ(ParseColour("Orange"), RGB(255, 165, 0));
  EXPECT_EQ(ParseColour(" ORANGE ;"), RGB(255, 165, 0));
  EXPECT_EQ(ParseColour("white;"), RGB(255, 255, 255));
  EXPECT_EQ(ParseColour("navy"), RGB(0, 0, 128));
  EXPECT_EQ(ParseColour("grey"), ParseColour("gray"));
  EXPECT_EQ(ParseColour("darkslategrey"), RGB(47, 79, 79));
  EXPECT_EQ(ParseColour("notacolour"), -1);
  EXPECT_EQ(ParseColour(""), -1);
  EXPECT_EQ(ParseColour("or ange"), -1);
}

TEST_F(ColourTest, TwoNamedColoursDifferFromCss) {
  EXPECT_EQ(ParseColour("mediumpurple"), RGB(0x93, 0x70, 0xD8));
  EXPECT_EQ(ParseColour("palevioletred"), RGB(0xD8, 0x70, 0x93));
  EXPECT_EQ(LookupNamedColour("MediumPurple"), 0x9370D8);
  EXPECT_EQ(LookupNamedColour("palevioletred"), 0xD87093);
}

TEST(NamedColoursTest, TableHoldsTheCss3NamesSortedAndUnique) {
  const auto table = NamedColours();
  ASSERT_EQ(table.size(), 147u);
  for (std::size_t i = 1; i < table.size(); ++i) EXPECT_LT(table[i - 1].name, table[i].name);
  for (const NamedColour& entry : table) {
    EXPECT_EQ(LookupNamedColour(entry.name), entry.rgb) << entry.name;
    EXPECT_EQ(entry.rgb & ~0xFFFFFF, 0) << entry.name;
  }
  EXPECT_EQ(LookupNamedColour("aliceblue"), 0xF0F8FF);
  EXPECT_EQ(LookupNamedColour("yellowgreen"), 0x9ACD32);
  EXPECT_EQ(LookupNamedColour("rebeccapurple"), -1);
  EXPECT_EQ(LookupNamedColour("aliceblu"), -1);
  EXPECT_EQ(LookupNamedColour("aliceblueX"), -1);
}

TEST_F(ColourTest, SystemColourNamesGoThroughTheSysColourService) {
  EXPECT_EQ(ParseColour("COLOR_BTNFACE;"), FakeSysColour(15));
  EXPECT_EQ(ParseColour("color_btnface"), FakeSysColour(15));
  EXPECT_EQ(ParseColour("  COLOR_WINDOW  "), FakeSysColour(5));
  EXPECT_EQ(ParseColour("COLOR_SCROLLBAR"), FakeSysColour(0));
  EXPECT_EQ(ParseColour("COLOR_3DHILIGHT"), -1);  // not among the names
  SetColourServices(ColourServices{});
  EXPECT_EQ(ParseColour("COLOR_BTNFACE"), -1);
}

TEST(SystemColourNamesTest, ThirtyFiveNamesWithTheirAliases) {
  EXPECT_EQ(SystemColourNames().size(), 35u);
  EXPECT_EQ(SystemColourIndex("COLOR_BACKGROUND"), 1);
  EXPECT_EQ(SystemColourIndex("COLOR_DESKTOP"), 1);
  EXPECT_EQ(SystemColourIndex("COLOR_3DFACE"), 15);
  EXPECT_EQ(SystemColourIndex("COLOR_BTNFACE"), 15);
  EXPECT_EQ(SystemColourIndex("COLOR_3DHIGHLIGHT"), 20);
  EXPECT_EQ(SystemColourIndex("COLOR_BTNHIGHLIGHT"), 20);
  EXPECT_EQ(SystemColourIndex("COLOR_BTNHILIGHT"), 20);
  EXPECT_EQ(SystemColourIndex("COLOR_3DSHADOW"), 16);
  EXPECT_EQ(SystemColourIndex("COLOR_BTNSHADOW"), 16);
  EXPECT_EQ(SystemColourIndex("COLOR_MENUBAR"), 30);
  EXPECT_EQ(SystemColourIndex("COLOR_MENUHILIGHT"), 29);
  EXPECT_EQ(SystemColourIndex("COLOR_HOTLIGHT"), 26);
  EXPECT_EQ(SystemColourIndex("COLOR_NONE"), -1);
}

TEST_F(ColourTest, GetUIColourForm) {
  EXPECT_EQ(ParseColour("getuicolour(UISTYLE_OFFICE2003, background, UICOLOURMODE_DEFAULT_BLUE)"),
            RGB(246, 246, 246));
  EXPECT_EQ(ParseColour("getuicolour(UISTYLE_OFFICE2003, bargradientcolor1, UICOLOURMODE_DEFAULT_BLUE);"),
            RGB(227, 239, 255));
  // Case does not matter and "#" is ignored.
  EXPECT_EQ(ParseColour("GetUIColour(#uistyle_office2007,#Rebarbackground1,#uicolourmode_default_grey)"),
            RGB(83, 83, 83));
  EXPECT_EQ(ParseColour("getuicolour(UISTYLE_WHIDBEY, menuhotcolor, UICOLOURMODE_CUSTOM_OLIVE)"),
            RGB(206, 210, 197));
  // An unknown style counts as 0, which is no style: black.
  EXPECT_EQ(ParseColour("getuicolour(UISTYLE_NONE, background, UICOLOURMODE_DEFAULT_BLUE)"), 0);
  // An unknown key counts as key 0 and an unknown mode as mode 0; in the
  // automatic mode without visual styles the grey column is read.
  EXPECT_EQ(ParseColour("getuicolour(UISTYLE_OFFICE2007, nokey, UICOLOURMODE_DEFAULT_GREY)"), RGB(255, 255, 255));
  EXPECT_EQ(ParseColour("getuicolour(UISTYLE_OFFICE2007, background, nomode)"), RGB(246, 246, 246));
  // Text colours are kept as COLORREF and come back with red and blue exchanged.
  EXPECT_EQ(ParseColour("getuicolour(UISTYLE_OFFICE2003, menutitleinactivetextcolor, UICOLOURMODE_DEFAULT_BLUE)"),
            RGB(128, 0, 0));
}

TEST(IntegerFieldTest, DecimalHexAndBinaryWithSign) {
  EXPECT_EQ(ReadIntegerField("42"), 42);
  EXPECT_EQ(ReadIntegerField(" \t+42xyz"), 42);
  EXPECT_EQ(ReadIntegerField("-17"), -17);
  EXPECT_EQ(ReadIntegerField("$ff"), 255);
  EXPECT_EQ(ReadIntegerField("$FF"), 255);
  EXPECT_EQ(ReadIntegerField("-$10"), -16);
  EXPECT_EQ(ReadIntegerField("%101"), 5);
  EXPECT_EQ(ReadIntegerField("%102"), 2);
  EXPECT_EQ(ReadIntegerField("$"), 0);
  EXPECT_EQ(ReadIntegerField("%"), 0);
  EXPECT_EQ(ReadIntegerField(""), 0);
  EXPECT_EQ(ReadIntegerField("abc"), 0);
  EXPECT_EQ(ReadIntegerField("1 2"), 1);
  EXPECT_EQ(ReadIntegerField("$-1"), 0);
  // Long runs wrap at 32 bits instead of overflowing.
  EXPECT_EQ(ReadIntegerField("4294967297"), 1);
  EXPECT_EQ(ReadIntegerField("$1ffffffff"), -1);
}

TEST(AlphaFieldTest, FractionsAreScaledAndRounded) {
  EXPECT_EQ(ReadAlphaField("0.5"), 128);
  EXPECT_EQ(ReadAlphaField(".5"), 128);
  EXPECT_EQ(ReadAlphaField("1."), 255);
  EXPECT_EQ(ReadAlphaField(" 0.75 "), 191);  // 191.25
  EXPECT_EQ(ReadAlphaField("0"), 1);
  EXPECT_EQ(ReadAlphaField("."), 1);
  EXPECT_EQ(ReadAlphaField("200"), 200);
  EXPECT_EQ(ReadAlphaField("-0.5"), -128);
  // Absurd fractions saturate rather than overflow the conversion.
  EXPECT_EQ(ReadAlphaField(std::string(400, '9') + ".0"), INT32_MAX);
  EXPECT_EQ(ReadAlphaField("-" + std::string(400, '9') + ".0"), INT32_MIN);
}

TEST_F(ColourTest, Utf16TextParsesLikeNarrowText) {
  EXPECT_EQ(ParseColour(u"Orange"), RGB(255, 165, 0));
  EXPECT_EQ(ParseColour(u"rgba(10,20,30,0.5)"), MakeARGB(128, 10, 20, 30));
  EXPECT_EQ(ParseColour(u"#ffa500"), RGB(255, 165, 0));
  EXPECT_EQ(ParseColour(u"or\u00e1nge"), -1);
  // A character whose low byte is ASCII must not pass for that character.
  EXPECT_EQ(ParseColour(u"\u0123ffa500"), -1);
  EXPECT_EQ(ParseColour(u"#ffa5\u0130\u0130"), -1);
}

// Garbage must never crash or read outside the text; the sanitizers of the
// host build watch these runs.
TEST_F(ColourTest, ArbitraryTextNeverCrashes) {
  static const char* const kPieces[] = {
      "rgba", "rgb", "getuicolour", "(", ")", ",", ";", "#", "$", "%", ".", "-", "+", " ", "\t",
      "0", "5", "9", "255", "a", "f", "g", "z", "orange", "COLOR_BTNFACE", "uistyle_office2007",
      "background", "uicolourmode_custom", "99999999999999999999", "\xff"};
  std::mt19937 random(12345);
  std::uniform_int_distribution<std::size_t> pick(0, std::size(kPieces) - 1);
  std::uniform_int_distribution<int> length(0, 12);
  std::uniform_int_distribution<int> byte(0, 255);
  for (int round = 0; round < 20000; ++round) {
    std::string text;
    const int parts = length(random);
    for (int i = 0; i < parts; ++i) {
      if (i % 5 == 4) {
        text.push_back(static_cast<char>(byte(random)));
      } else {
        text += kPieces[pick(random)];
      }
    }
    const int32_t colour = ParseColour(text);
    // Hexadecimal and named results are plain COLORREFs.
    if (text.find('(') == std::string::npos && colour != -1 && text.find("COLOR_") == std::string::npos &&
        text.find("color_") == std::string::npos) {
      EXPECT_EQ(colour & ~0xFFFFFF, 0) << text;
    }
    std::u16string wide(text.begin(), text.end());
    ParseColour(wide);
  }
}

}  // namespace
}  // namespace lumora
