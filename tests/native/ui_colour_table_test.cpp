// The UI colour tables and the two ways of reading them.
#include "toolkit/style/ui_colour_table.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "toolkit/style/colour.h"
#include "toolkit/style/colour_mode.h"
#include "toolkit/style/colour_services.h"
#include "toolkit/style/ui_style.h"

namespace lumora {
namespace {

constexpr int32_t RGB(int r, int g, int b) { return MakeCOLORREF(r, g, b); }
constexpr int32_t kStyles[] = {UISTYLE_WHIDBEY, UISTYLE_OFFICE2003, UISTYLE_OFFICE2007};

bool g_visual_styles = false;
int32_t g_caption = 0;
int32_t g_brush_key = -1;
int32_t g_brush_colour = -1;

bool FakeVisualStyles() { return g_visual_styles; }
int32_t FakeCaption() { return g_caption; }
intptr_t FakeBrush(int32_t key, int32_t colorref) {
  g_brush_key = key;
  g_brush_colour = colorref;
  return 0x5000 + key;
}

class UIColourTableTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_visual_styles = false;
    g_caption = 0;
    g_brush_key = g_brush_colour = -1;
    ColourServices services;
    services.visual_styles_active = FakeVisualStyles;
    services.theme_caption_colour = FakeCaption;
    services.solid_brush = FakeBrush;
    SetColourServices(services);
    SetUIColourMode(UICOLOURMODE_DEFAULT);
  }
  void TearDown() override {
    SetColourServices(ColourServices{});
    SetUIColourMode(UICOLOURMODE_DEFAULT);
  }
};

TEST(UIColourKeysTest, FiftySixNamedKeysAndANamelessOne) {
  EXPECT_EQ(UIColourKeyName(0), "menutitletextcolor");
  EXPECT_EQ(UIColourKeyName(20), "menudropshadow");
  EXPECT_EQ(UIColourKeyName(30), "background");
  EXPECT_EQ(UIColourKeyName(55), "toolbarseparatorshadow");
  EXPECT_EQ(UIColourKeyName(56), "");
  EXPECT_EQ(UIColourKeyName(-1), "");
  for (int32_t key = 0; key < kUIColourNamedKeys; ++key) {
    EXPECT_EQ(UIColourKeyFromName(UIColourKeyName(key)), key);
  }
  EXPECT_EQ(UIColourKeyFromName(""), -1);
  EXPECT_EQ(UIColourKeyFromName("Background"), -1);  // callers lower-case first
}

TEST(UIColourKeysTest, StyleNames) {
  EXPECT_EQ(UIStyleFromName("UISTYLE_WHIDBEY"), 5);
  EXPECT_EQ(UIStyleFromName("UISTYLE_OFFICE2003"), 0x1000000);
  EXPECT_EQ(UIStyleFromName("UISTYLE_OFFICE2007"), 0x2000000);
  EXPECT_EQ(UIStyleFromName("uistyle_office2007"), 0);
}

TEST(UIColourTablesTest, CustomColumnsStartAsCopiesOfTheDefaultOnes) {
  for (int32_t style : kStyles) {
    for (int32_t key = 0; key < kUIColourKeyCount; ++key) {
      for (int32_t column = 0; column < 4; ++column) {
        EXPECT_EQ(UIColourTableEntry(style, key, column + 4), UIColourTableEntry(style, key, column))
            << style << " key " << key << " column " << column;
      }
    }
  }
}

TEST(UIColourTablesTest, Office2007OliveIsBlue) {
  for (int32_t key = 0; key < kUIColourKeyCount; ++key) {
    EXPECT_EQ(UIColourTableEntry(UISTYLE_OFFICE2007, key, 1), UIColourTableEntry(UISTYLE_OFFICE2007, key, 0)) << key;
  }
  // Not so in 2003.
  EXPECT_NE(UIColourTableEntry(UISTYLE_OFFICE2003, 21, 1), UIColourTableEntry(UISTYLE_OFFICE2003, 21, 0));
}

TEST(UIColourTablesTest, EncodingOfEntries) {
  // ARGB entries are opaque unless translucent by design.
  EXPECT_EQ(UIColourTableEntry(UISTYLE_OFFICE2003, 21, 0), MakeARGB(255, 227, 239, 255));
  EXPECT_EQ(UIColourTableEntry(UISTYLE_OFFICE2003, 20, 0), MakeARGB(87, 106, 140, 203));
  EXPECT_EQ(UIColourTableEntry(UISTYLE_OFFICE2003, 20, 3), MakeARGB(125, 102, 102, 102));
  EXPECT_EQ(UIColourTableEntry(UISTYLE_OFFICE2007, 20, 2), MakeARGB(120, 115, 108, 140));
  EXPECT_EQ(UIColourTableEntry(UISTYLE_WHIDBEY, 20, 3), MakeARGB(50, 0, 0, 0));
  EXPECT_EQ(UIColourTableEntry(UISTYLE_OFFICE2007, 31, 3), MakeARGB(255, 83, 83, 83));
  EXPECT_EQ(UIColourTableEntry(UISTYLE_OFFICE2007, 53, 0), MakeARGB(255, 255, 219, 117));
  // COLORREF entries, with red in the low byte.
  EXPECT_EQ(UIColourTableEntry(UISTYLE_OFFICE2003, 30, 1), RGB(244, 244, 238));
  EXPECT_EQ(UIColourTableEntry(UISTYLE_OFFICE2007, 30, 2), RGB(253, 250, 255));
  EXPECT_EQ(UIColourTableEntry(UISTYLE_OFFICE2007, 50, 2), RGB(255, 0, 0));
  EXPECT_EQ(UIColourTableEntry(UISTYLE_WHIDBEY, 5, 3), RGB(182, 190, 211));
  EXPECT_EQ(UIColourTableEntry(UISTYLE_OFFICE2003, 3, 0), RGB(0, 0, 128));
  EXPECT_EQ(UIColourTableEntry(UISTYLE_OFFICE2007, 0, 3), RGB(255, 255, 255));
}

TEST(UIColourTablesTest, UnlistedKeysHoldZero) {
  for (int32_t key : {6, 7, 10, 11, 21, 31, 41, 55, 56}) EXPECT_EQ(UIColourTableEntry(UISTYLE_WHIDBEY, key, 0), 0) << key;
  for (int32_t key : {5, 9, 13, 18, 56}) {
    for (int32_t column = 0; column < kUIColourColumns; ++column) {
      EXPECT_EQ(UIColourTableEntry(UISTYLE_OFFICE2003, key, column), 0) << key;
      EXPECT_EQ(UIColourTableEntry(UISTYLE_OFFICE2007, key, column), 0) << key;
    }
  }
  EXPECT_EQ(UIColourTableEntry(UISTYLE_OFFICE2003, 57, 0), 0);
  EXPECT_EQ(UIColourTableEntry(UISTYLE_OFFICE2003, 0, 8), 0);
  EXPECT_EQ(UIColourTableEntry(12345, 30, 0), 0);
}

TEST_F(UIColourTableTest, GetUIColourHandsOutColorrefs) {
  // A COLORREF key as stored, an ARGB key converted.
  EXPECT_EQ(GetUIColour(UISTYLE_OFFICE2003, 30, UICOLOURMODE_DEFAULT_BLUE), RGB(246, 246, 246));
  EXPECT_EQ(GetUIColour(UISTYLE_OFFICE2003, 21, UICOLOURMODE_DEFAULT_BLUE), RGB(227, 239, 255));
  EXPECT_EQ(GetUIColour(UISTYLE_OFFICE2003, 20, UICOLOURMODE_DEFAULT_GREY), RGB(102, 102, 102));
  EXPECT_EQ(GetUIColour(UISTYLE_OFFICE2007, 31, UICOLOURMODE_CUSTOM_GREY), RGB(83, 83, 83));
  EXPECT_EQ(GetUIColour(UISTYLE_OFFICE2007, 22, UICOLOURMODE_CUSTOM_SILVER), RGB(239, 239, 239));
  EXPECT_EQ(GetUIColour(UISTYLE_WHIDBEY, 8, UICOLOURMODE_DEFAULT_OLIVE), RGB(147, 160, 112));
  EXPECT_EQ(GetUIColour(UISTYLE_WHIDBEY, 20, UICOLOURMODE_DEFAULT_OLIVE), 0);
}

TEST_F(UIColourTableTest, GetUIColourFailuresGiveBlack) {
  EXPECT_EQ(GetUIColour(UISTYLE_OFFICE2003, 56, UICOLOURMODE_DEFAULT_BLUE), 0);
  EXPECT_EQ(GetUIColour(UISTYLE_OFFICE2003, -1, UICOLOURMODE_DEFAULT_BLUE), 0);
  EXPECT_EQ(GetUIColour(UISTYLE_OFFICE2003, 1000, UICOLOURMODE_DEFAULT_BLUE), 0);
  EXPECT_EQ(GetUIColour(0, 30, UICOLOURMODE_DEFAULT_BLUE), 0);
  EXPECT_EQ(GetUIColour(UISTYLE_OFFICE2003_MENU_ALIAS, 30, UICOLOURMODE_DEFAULT_BLUE), 0);
  EXPECT_EQ(GetUIColour(UISTYLE_WHIDBEY, 30, UICOLOURMODE_CUSTOM), 0);
  EXPECT_EQ(GetUIColour(UISTYLE_WHIDBEY, 30, 10), 0);
  EXPECT_EQ(GetUIColour(UISTYLE_WHIDBEY, 30, -3), 0);
}

TEST_F(UIColourTableTest, GetUIColourAutomaticModes) {
  // Whidbey's automatic mode reads the detected custom column.
  g_visual_styles = true;
  g_caption = RGB(230, 230, 100);  // olive
  EXPECT_EQ(GetUIColour(UISTYLE_WHIDBEY, 5, UICOLOURMODE_DEFAULT), RGB(206, 210, 197));
  g_visual_styles = false;
  EXPECT_EQ(GetUIColour(UISTYLE_WHIDBEY, 5, UICOLOURMODE_DEFAULT), RGB(182, 190, 211));
  // The Office styles read the current mode for 0, 5 and unknown modes.
  SetUIColourMode(UICOLOURMODE_DEFAULT_SILVER);
  EXPECT_EQ(GetUIColour(UISTYLE_OFFICE2003, 30, UICOLOURMODE_DEFAULT), RGB(253, 250, 255));
  EXPECT_EQ(GetUIColour(UISTYLE_OFFICE2003, 30, UICOLOURMODE_CUSTOM), RGB(253, 250, 255));
  EXPECT_EQ(GetUIColour(UISTYLE_OFFICE2003, 21, 42), RGB(249, 249, 255));
}

TEST_F(UIColourTableTest, LookupReadsTheColumnOfTheCurrentMode) {
  const int32_t expected_background[] = {RGB(246, 246, 246), RGB(244, 244, 238), RGB(253, 250, 255),
                                         RGB(249, 248, 247)};
  for (int32_t mode = 1; mode <= 9; ++mode) {
    if (mode == UICOLOURMODE_CUSTOM) continue;
    SetUIColourMode(mode);
    const int32_t colour = (mode < 5 ? mode - 1 : mode - 6);
    EXPECT_EQ(LookupUIColour(UISTYLE_OFFICE2003, 30, UICOLOUR_FORM_RAW), expected_background[colour]) << mode;
    EXPECT_EQ(LookupUIColour(UISTYLE_OFFICE2003, -1, UICOLOUR_FORM_RAW), 6 + colour) << mode;
    EXPECT_EQ(EffectiveColourColumn(), mode < 5 ? colour : 4 + colour);
  }
}

TEST_F(UIColourTableTest, LookupForms) {
  SetUIColourMode(UICOLOURMODE_DEFAULT_GREY);
  // Form 1 is the stored value, ARGB included.
  EXPECT_EQ(LookupUIColour(UISTYLE_OFFICE2007, 31, UICOLOUR_FORM_RAW), MakeARGB(255, 83, 83, 83));
  EXPECT_EQ(LookupUIColour(UISTYLE_OFFICE2007, 20, UICOLOUR_FORM_RAW), MakeARGB(155, 0, 0, 0));
  // Form 2 turns entries with an alpha byte into COLORREF, others stay.
  EXPECT_EQ(LookupUIColour(UISTYLE_OFFICE2007, 33, UICOLOUR_FORM_COLORREF), RGB(205, 208, 213));
  EXPECT_EQ(LookupUIColour(UISTYLE_OFFICE2007, 30, UICOLOUR_FORM_COLORREF), RGB(246, 246, 246));
  EXPECT_EQ(LookupUIColour(UISTYLE_OFFICE2007, 0, UICOLOUR_FORM_COLORREF), RGB(255, 255, 255));
  EXPECT_EQ(LookupUIColour(UISTYLE_OFFICE2007, 55, UICOLOUR_FORM_COLORREF), RGB(221, 224, 227));
  // Form 0 asks the brush cache for the form-2 colour of the key.
  EXPECT_EQ(LookupUIColour(UISTYLE_OFFICE2007, 33, UICOLOUR_FORM_BRUSH), 0x5000 + 33);
  EXPECT_EQ(g_brush_key, 33);
  EXPECT_EQ(g_brush_colour, RGB(205, 208, 213));
  SetColourServices(ColourServices{});
  EXPECT_EQ(LookupUIColour(UISTYLE_OFFICE2007, 33, UICOLOUR_FORM_BRUSH), 0);
}

TEST_F(UIColourTableTest, LookupStylesAndKeys) {
  SetUIColourMode(UICOLOURMODE_DEFAULT_BLUE);
  EXPECT_EQ(LookupUIColour(UISTYLE_OFFICE2003_MENU_ALIAS, 21, UICOLOUR_FORM_RAW),
            LookupUIColour(UISTYLE_OFFICE2003, 21, UICOLOUR_FORM_RAW));
  EXPECT_EQ(LookupUIColour(UISTYLE_WHIDBEY, 30, UICOLOUR_FORM_RAW), 0);
  EXPECT_EQ(LookupUIColour(0, 30, UICOLOUR_FORM_RAW), 0);
  EXPECT_EQ(LookupUIColour(UISTYLE_OFFICE2003, 56, UICOLOUR_FORM_RAW), 0);
  EXPECT_EQ(LookupUIColour(UISTYLE_OFFICE2003, 57, UICOLOUR_FORM_RAW), 0);
  EXPECT_EQ(LookupUIColour(UISTYLE_OFFICE2003, -2, UICOLOUR_FORM_RAW), 0);
  EXPECT_EQ(LookupUIColour(UISTYLE_OFFICE2003, 30, 3), 0);
  // Key -1 answers the effective mode whatever the style.
  EXPECT_EQ(LookupUIColour(UISTYLE_WHIDBEY, -1, UICOLOUR_FORM_BRUSH), UICOLOURMODE_CUSTOM_BLUE);
}

TEST_F(UIColourTableTest, AutomaticModesClassifyTheThemeCaption) {
  struct Case {
    int32_t caption;
    int32_t column;
  };
  const Case cases[] = {
      {RGB(220, 220, 220), kColumnSilver}, {RGB(200, 200, 200), kColumnSilver},
      {RGB(0, 84, 227), kColumnBlue},      {RGB(199, 199, 200), kColumnBlue},
      {RGB(230, 230, 100), kColumnOlive},  {RGB(200, 200, 199), kColumnOlive},
      {RGB(250, 100, 100), kColumnGrey},   {RGB(100, 250, 250), kColumnGrey},
      {RGB(0, 0, 0), kColumnGrey},
  };
  g_visual_styles = true;
  for (const Case& c : cases) {
    g_caption = c.caption;
    SetUIColourMode(UICOLOURMODE_DEFAULT);
    EXPECT_EQ(EffectiveColourColumn(), c.column) << std::hex << c.caption;
    EXPECT_EQ(LookupUIColour(UISTYLE_OFFICE2007, -1, 1), 6 + c.column);
    SetUIColourMode(UICOLOURMODE_CUSTOM);
    EXPECT_EQ(EffectiveColourColumn(), 4 + c.column);
    EXPECT_EQ(LookupUIColour(UISTYLE_OFFICE2007, -1, 1), 6 + c.column);
  }
  // Without visual styles the caption does not matter: grey.
  g_visual_styles = false;
  g_caption = RGB(0, 84, 227);
  SetUIColourMode(UICOLOURMODE_DEFAULT);
  EXPECT_EQ(EffectiveColourColumn(), kColumnGrey);
  SetUIColourMode(UICOLOURMODE_CUSTOM);
  EXPECT_EQ(EffectiveColourColumn(), 4 + kColumnGrey);
  EXPECT_EQ(LookupUIColour(UISTYLE_OFFICE2003, -1, 0), UICOLOURMODE_CUSTOM_GREY);
}

}  // namespace
}  // namespace lumora
