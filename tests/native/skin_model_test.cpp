// The skin declaration language and the model's look-up rules, on the
// values the built-in skins and the controls really use.
#include "toolkit/style/skin.h"

#include <gtest/gtest.h>

#include "toolkit/style/colour.h"
#include "toolkit/style/colour_mode.h"
#include "toolkit/style/gradient.h"
#include "toolkit/style/skin_declarations.h"
#include "toolkit/style/skin_image_names.h"
#include "toolkit/style/skin_model.h"

namespace lumora {
namespace {

TEST(SkinDeclarations, SplitsPiecesAtFirstColonWithTrueDefaultAndLaterWins) {
  const std::u16string value = u" ; noclip;;x: 1; link: a:b ;  x :  2 ;empty:;";
  EXPECT_EQ(FindDeclaration(value, u"noclip"), u"true");
  EXPECT_EQ(FindDeclaration(u"noclip: true;", u"NoClip"), u"true");
  EXPECT_EQ(FindDeclaration(value, u"x"), u"2");
  EXPECT_EQ(FindDeclaration(value, u"link"), u"a:b");
  EXPECT_EQ(FindDeclaration(value, u"empty"), u"true");
  EXPECT_FALSE(FindDeclaration(value, u"y").has_value());
  EXPECT_EQ(BareValue(u" 25; "), u"25");
}

TEST(SkinDeclarations, ListsRespectQuotesParenthesesAndBraces) {
  const std::u16string gradient =
      *FindDeclaration(u"gradient: vertical, rgb(227,239,255), rgb(182,214,255), 0.25, rgb(227,239,255), 0.75, "
                       u"rgb(182,214,255);",
                       u"gradient");
  EXPECT_EQ(SplitSkinFields(gradient).size(), 7u);
  const auto fields = SplitSkinFields(u"\"Segoe, UI\", 'a,b', {1,2}, (3,(4,5)) , last");
  ASSERT_EQ(fields.size(), 5u);
  EXPECT_EQ(fields[2], u"{1,2}");
  EXPECT_EQ(fields[3], u"(3,(4,5))");
  EXPECT_EQ(fields[4], u"last");
  EXPECT_TRUE(SplitSkinFields(u"  ").empty());

  const auto font = ParseSkinFont(u"'Segoe, UI', 9, Underlined, italic, striked");
  ASSERT_TRUE(font);
  EXPECT_EQ(font->face, u"Segoe, UI");
  EXPECT_EQ(font->size, 9);
  EXPECT_TRUE(font->underline && font->italic && font->strikeout);
  EXPECT_FALSE(font->bold);
}

TEST(SkinDeclarations, Gradients) {
  // "#dde0e3" at 0 and 1, "#f0f1f2" at 0.5, horizontal; colours opaque ARGB.
  const auto gradient = ParseSkinGradient(u"#dde0e3, #dde0e3, 0.5, #f0f1f2");
  ASSERT_TRUE(gradient);
  EXPECT_EQ(gradient->kind, 0);
  EXPECT_EQ(gradient->colour1, MakeARGB(255, 0xdd, 0xe0, 0xe3));
  ASSERT_EQ(gradient->stops.size(), 1u);
  EXPECT_FLOAT_EQ(gradient->stops[0].position, 0.5f);
  EXPECT_EQ(gradient->stops[0].colour, MakeARGB(255, 0xf0, 0xf1, 0xf2));
  EXPECT_EQ(ParseSkinGradient(u"ellipse, rgba(1,2,3,0.5), white")->colour1, MakeARGB(255, 1, 2, 3));
  EXPECT_FALSE(ParseSkinGradient(u"#dde0e3"));
  EXPECT_FALSE(ParseSkinGradient(u"vertical, red"));
}

TEST(SkinImageNames, OnlyValuesThatLookLikeFilesNameOne) {
  EXPECT_EQ(SkinImageFileName(u" arrow.png ; width: 16;"), u"arrow.png");
  EXPECT_EQ(SkinImageFileName(u"images\\arrow.png;"), u"images\\arrow.png");
  for (const char16_t* none : {u"8;", u"0.25;", u"1.;", u".png;", u"png.;", u"white;", u"x: 50%; y: 50%;",
                               u"gradient: #dde0e3, #dde0e3, 0.5, #f0f1f2;", u"a<b.png;", u"c:.png", u"dir/.x/"})
    EXPECT_FALSE(SkinImageFileName(none)) << std::string(SkinAscii(none));
}

// Counts the refreshes the model asks for, as the window walk would see them.
int g_refreshes = 0;
SkinHandle g_refreshed = 0;
int32_t CountRefresh(SkinHandle skin) {
  ++g_refreshes;
  g_refreshed = skin;
  return 1;
}

class SkinModel : public ::testing::Test {
 protected:
  void SetUp() override {
    FreeAllSkins();
    SkinServices services;
    services.refresh = CountRefresh;
    InstallSkinServices(services);
    g_refreshes = 0;
    SetUIColourMode(0);
  }
  void TearDown() override {
    InstallSkinServices({});
    SetUIColourMode(0);
    FreeAllSkins();
  }
};

TEST_F(SkinModel, NamesAndValuesIgnoreCaseAndVariantsAreNormalised) {
  const SkinHandle skin = CreateSkin(u"MySkin");
  ASSERT_NE(skin, 0);
  EXPECT_EQ(SetSkinProperty(skin, u"ButtonEx", u"Normal", u"Background", u"White;"), 1);
  EXPECT_EQ(GetSkinPropertyText(skin, u"buttonex", u"normal", u"background"), u"white");
  EXPECT_TRUE(FindSkinProperty(skin, u"BUTTONEX", u"NORMAL", u"BACKGROUND"));

  EXPECT_EQ(SetSkinProperty(skin, u"splitterex : blue", u"normal", u"background", u"red;"), 1);
  EXPECT_TRUE(FindSkinProperty(skin, u"splitterex:blue", u"normal", u"background"));
  EXPECT_EQ(ResolveSkinComponent(skin, u" Splitterex :Blue ", u"normal", u"background"), u"splitterex:blue");

  EXPECT_EQ(SetSkinProperty(skin, u"imagebuttonex", u"normal", u"image", u"noclip;"), 1);
  EXPECT_EQ(GetSkinPropertySubValue(skin, u"imagebuttonex", u"normal", u"image", u"noclip"), u"true");
  EXPECT_EQ(FindSkin(u"MYSKIN"), skin);
  EXPECT_EQ(SkinName(skin), u"MySkin");
}

TEST_F(SkinModel, UnknownSkinsChangeNothingAndReadEmpty) {
  const SkinHandle skin = CreateSkin(u"known");
  const SkinHandle stranger = skin + 8;
  EXPECT_EQ(SetSkinProperty(stranger, u"buttonex", u"normal", u"background", u"red;"), 0);
  EXPECT_FALSE(SetSkinPropertyHandle(stranger, u"buttonex", u"normal", u"background", 5));
  EXPECT_EQ(GetSkinPropertyHandle(stranger, u"buttonex", u"normal", u"background"), 0);
  EXPECT_EQ(GetSkinPropertyText(stranger, u"buttonex", u"normal", u"background"), u"");
  EXPECT_EQ(g_refreshes, 0);
}

// A held handle that says when it is freed.
struct Watched : SkinHeldHandle {
  explicit Watched(bool* freed) : freed_(freed) {}
  ~Watched() override { *freed_ = true; }
  Watched(const Watched&) = delete;
  Watched& operator=(const Watched&) = delete;
  intptr_t get() const noexcept override { return 0x1234; }
  bool* freed_;
};

TEST_F(SkinModel, ReplacedValuesFreeWhatTheyBuiltOnceNoControlDrawsWithIt) {
  const SkinHandle skin = CreateSkin(u"owner");
  SetSkinProperty(skin, u"buttonex", u"normal", u"background", u"gradient: red, blue;");
  const GradientHandle first = GetSkinPropertyHandle(skin, u"buttonex", u"normal", u"background");
  ASSERT_TRUE(GradientSnapshot(first));
  const size_t alive = GradientCount();
  SetSkinProperty(skin, u"buttonex", u"normal", u"background", u"gradient: white, black;");
  EXPECT_FALSE(GradientSnapshot(first));
  EXPECT_EQ(GradientCount(), alive);
  // A control keeps the second gradient while it paints with it.
  const GradientHandle second = GetSkinPropertyHandle(skin, u"buttonex", u"normal", u"background");
  SkinKeeper kept = GetSkinPropertyKeeper(skin, u"buttonex", u"normal", u"background");
  ASSERT_TRUE(kept);
  SetSkinProperty(skin, u"buttonex", u"normal", u"background", u"white;");
  EXPECT_TRUE(GradientSnapshot(second));
  kept.reset();
  EXPECT_FALSE(GradientSnapshot(second));

  // An image the skin loaded, then a handle stored over it by a caller.
  bool freed = false;
  ASSERT_TRUE(StoreSkinImage(skin, u"buttonex", u"hot", u"image", std::make_unique<Watched>(&freed)));
  kept = GetSkinPropertyKeeper(skin, u"buttonex", u"hot", u"image");
  ASSERT_TRUE(SetSkinPropertyHandle(skin, u"buttonex", u"hot", u"image", 77));
  EXPECT_FALSE(freed);
  EXPECT_FALSE(GetSkinPropertyKeeper(skin, u"buttonex", u"hot", u"image"));
  kept.reset();
  EXPECT_TRUE(freed);
}

TEST_F(SkinModel, ChangesRefreshTheirSkinButNotWhileBuiltInSkinsAreDefined) {
  const SkinHandle skin = CreateSkin(u"user");
  SetSkinProperty(skin, u"buttonex", u"hot", u"cursor", u"hand;");
  EXPECT_EQ(g_refreshes, 1);
  EXPECT_EQ(g_refreshed, skin);
  EnsureBuiltInSkin(u"Office2007SplitterSkin");
  EXPECT_EQ(g_refreshes, 1);
  EXPECT_FALSE(SkinRefreshSuppressed());
}

TEST_F(SkinModel, ColourModeVariantsAndTheirFallBackToTheBaseName) {
  EnsureBuiltInSkin(u"office2007splitterskin");
  const SkinHandle skin = FindSkin(u"office2007splitterskin");
  ASSERT_NE(skin, 0);
  const auto end_colour = [&](const char16_t* component) {
    const auto gradient = GradientSnapshot(GetSkinPropertyHandle(skin, component, u"normal", u"background"));
    return gradient ? gradient->colour1 : 0;
  };
  EXPECT_EQ(end_colour(u"splitterex"), MakeARGB(255, 191, 219, 255));
  ASSERT_EQ(SetUIColourMode(3), 1);  // silver
  EXPECT_EQ(ResolveSkinComponent(skin, u"splitterex", u"normal", u"background"), u"splitterex:silver");
  EXPECT_EQ(end_colour(u"splitterex"), MakeARGB(255, 208, 212, 221));
  // Properties only the base holds are read there in any mode.
  EXPECT_EQ(ResolveSkinComponent(skin, u"splitterex", u"normal", u"gripper size"), u"splitterex");
  EXPECT_EQ(GetSkinPropertySubValue(skin, u"splitterex", u"normal", u"gripper size", u"width"), u"9");
  // An explicit variant wins over the mode's and falls back to the base too.
  EXPECT_EQ(end_colour(u"splitterex:black"), MakeARGB(255, 83, 83, 83));
  EXPECT_EQ(ResolveSkinComponent(skin, u"splitterex:black", u"normal", u"gripper size"), u"splitterex");
  ASSERT_EQ(SetUIColourMode(0), 1);
  EXPECT_EQ(end_colour(u"splitterex"), MakeARGB(255, 191, 219, 255));

  // Seven fields: kind, two colours, two stops.
  EXPECT_EQ(CountSkinPropertyFields(skin, u"splitterex", u"normal vertical", u"gripper background", u"gradient"), 7);
  EXPECT_EQ(GetSkinPropertyField(skin, u"splitterex", u"normal vertical", u"gripper background", u"gradient", 4),
            u"0.25");
  const auto gripper = GradientSnapshot(GetSkinPropertyHandle(skin, u"splitterex", u"hot", u"gripper background"));
  ASSERT_TRUE(gripper);
  EXPECT_EQ(gripper->kind, GRADIENT_HORIZONTAL);
  EXPECT_EQ(gripper->stops.size(), 2u);
}

TEST_F(SkinModel, SingleFieldGradientsBuildNothingAndTextReplacesAHandle) {
  const SkinHandle skin = CreateSkin(u"s");
  SetSkinProperty(skin, u"c", u"normal", u"background", u"gradient: red, blue;");
  EXPECT_NE(GetSkinPropertyHandle(skin, u"c", u"normal", u"background"), 0);
  SetSkinProperty(skin, u"c", u"normal", u"background", u"gradient: red;");
  EXPECT_EQ(GetSkinPropertyHandle(skin, u"c", u"normal", u"background"), 0);
  EXPECT_TRUE(SetSkinPropertyHandle(skin, u"c", u"hot", u"background image", 1234));
  EXPECT_EQ(GetSkinPropertyHandle(skin, u"c", u"hot", u"background image"), 1234);
  EXPECT_EQ(GetSkinPropertyText(skin, u"c", u"hot", u"background image"), u"");
}

TEST_F(SkinModel, BuiltInSkinsAreDefinedOnceAndNeverOverAUserSkin) {
  EnsureBuiltInSkin(u"SysButtonSkin");
  const size_t count = SkinCount();
  EnsureBuiltInSkin(u"sysbuttonskin");
  EXPECT_EQ(SkinCount(), count);
  const SkinHandle skin = FindSkin(u"sysbuttonskin");
  EXPECT_EQ(SkinName(skin), u"sysButtonSkin");
  EXPECT_EQ(BuiltInSkinHandle(BuiltInSkin::kSysButton), skin);
  EXPECT_EQ(GetSkinPropertyText(skin, u"buttonex", u"selected pressed", u"background"), u"10");
  EXPECT_EQ(GetSkinPropertyText(skin, u"buttonex", u"disabled", u"background"), u"11");

  const SkinHandle user = CreateSkin(u"IMAGEBUTTONSKIN");
  EnsureBuiltInSkin(u"imagebuttonskin");
  EXPECT_EQ(SkinCount(), count + 1);
  EXPECT_EQ(FindSkin(u"imageButtonSkin"), user);
  EXPECT_EQ(BuiltInSkinHandle(BuiltInSkin::kImageButton), 0);
  EnsureBuiltInSkin(u"nosuchskin");
  EXPECT_EQ(SkinCount(), count + 1);

  EnsureBuiltInSkin(u"sysstickybuttonskin");
  EXPECT_EQ(GetSkinPropertyText(FindSkin(u"sysstickybuttonskin"), u"togglebuttonex", u"selected", u"background"),
            u"10");
  EnsureBuiltInSkin(u"office2007xbarskin");
  const SkinHandle xbar = FindSkin(u"office2007xbarskin");
  ASSERT_EQ(SetUIColourMode(4), 1);  // grey
  EXPECT_EQ(GetSkinPropertySubValue(xbar, u"explorerbar group header", u"hot", u"text", u"colour"), u"black");
  EXPECT_EQ(GetSkinPropertySubValue(xbar, u"explorerbar group header", u"disabled", u"text", u"colour"), u"#15428b");
}

TEST_F(SkinModel, EveryButtonSkinPlacesAndPadsItsImageAndCaptionInEveryState) {
  for (const char16_t* name : {u"imagebuttonskin", u"sysbuttonskin", u"sysradiobuttonskin"}) {
    EnsureBuiltInSkin(name);
    const SkinHandle skin = FindSkin(name);
    const char16_t* component = name[0] == u'i' ? u"imagebuttonex" : name[3] == u'b' ? u"buttonex" : u"radiobuttonex";
    for (const char16_t* state : {u"normal", u"hot", u"pressed", u"disabled"})
      for (const char16_t* property : {u"image position", u"image padding", u"text position", u"text padding"})
        EXPECT_TRUE(FindSkinProperty(skin, component, state, property)) << SkinAscii(name) << " " << SkinAscii(property);
  }
  const SkinHandle image = FindSkin(u"imagebuttonskin");
  EXPECT_EQ(GetSkinPropertySubValue(image, u"imagebuttonex", u"hot", u"text position", u"x"), u"50%");
  EXPECT_EQ(GetSkinPropertySubValue(image, u"imagebuttonex", u"hot", u"image padding", u"left"), u"0");
}

}  // namespace
}  // namespace lumora
