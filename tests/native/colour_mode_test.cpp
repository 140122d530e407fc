// Colour modes: names, theme detection and the steps of a mode change.
#include "toolkit/style/colour_mode.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "toolkit/style/colour.h"
#include "toolkit/style/colour_services.h"
#include "toolkit/style/ui_style.h"

namespace lumora {
namespace {

constexpr int32_t RGB(int r, int g, int b) { return MakeCOLORREF(r, g, b); }

bool g_vista = false;
bool FakeVista() { return g_vista; }

// What each step saw when it ran.
std::vector<std::string> g_log;
void Log(const char* step, int32_t mode) {
  g_log.push_back(std::string(step) + " " + std::to_string(mode) + " " + std::string(CurrentColourName()) + " " +
                  std::to_string(CurrentColourMode()));
}
void Sweep(int32_t mode) { Log("sweep", mode); }
void Renderings(int32_t mode) { Log("renderings", mode); }
void BarImages(int32_t mode) { Log("bars", mode); }
void Derived(int32_t mode) { Log("derived", mode); }
void MenuBackgrounds(int32_t mode) { Log("menus", mode); }
void Skins(int32_t mode) { Log("skins", mode); }
void Repaint(int32_t mode) { Log("repaint", mode); }

// Distinct functions, to fill a step.
template <int N>
void FillHook(int32_t) {}

class ColourModeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_vista = false;
    ColourServices services;
    services.vista_or_later = FakeVista;
    SetColourServices(services);
    SetUIColourMode(UICOLOURMODE_DEFAULT);
    g_log.clear();
  }
  void TearDown() override {
    for (ColourModeHook hook : {Sweep, Renderings, BarImages, Derived, MenuBackgrounds, Skins, Repaint}) {
      for (ColourModeStep step : {ColourModeStep::kRedrawSweep, ColourModeStep::kFreeRenderings,
                                  ColourModeStep::kBarImages, ColourModeStep::kDerivedImages,
                                  ColourModeStep::kMenuBackgrounds, ColourModeStep::kSkins,
                                  ColourModeStep::kRepaint}) {
        UnregisterColourModeHook(step, hook);
      }
    }
    SetColourServices(ColourServices{});
    SetUIColourMode(UICOLOURMODE_DEFAULT);
  }
};

TEST(ColourModeNamesTest, ModeNamesAndColourNames) {
  const char* const names[] = {"UICOLOURMODE_DEFAULT",      "UICOLOURMODE_DEFAULT_BLUE",  "UICOLOURMODE_DEFAULT_OLIVE",
                               "UICOLOURMODE_DEFAULT_SILVER", "UICOLOURMODE_DEFAULT_GREY", "UICOLOURMODE_CUSTOM",
                               "UICOLOURMODE_CUSTOM_BLUE",  "UICOLOURMODE_CUSTOM_OLIVE",  "UICOLOURMODE_CUSTOM_SILVER",
                               "UICOLOURMODE_CUSTOM_GREY"};
  for (int32_t mode = 0; mode < 10; ++mode) EXPECT_EQ(ColourModeFromName(names[mode]), mode);
  EXPECT_EQ(ColourModeFromName("uicolourmode_default_grey"), -1);
  EXPECT_EQ(ColourModeFromName("UICOLOURMODE_DEFAULT_GRAY"), -1);
  EXPECT_EQ(ColourModeFromName(""), -1);
  const char* const colours[] = {"", "blue", "olive", "silver", "grey", "", "blue", "olive", "silver", "grey"};
  for (int32_t mode = 0; mode < 10; ++mode) EXPECT_EQ(ColourModeColourName(mode), colours[mode]);
  EXPECT_EQ(ColourModeColourName(10), "");
  EXPECT_EQ(ColourModeColourName(-1), "");
}

TEST_F(ColourModeTest, DetectColourNameBeforeVista) {
  struct Case {
    int32_t colour;
    const char* name;
  };
  const Case cases[] = {
      {RGB(200, 200, 200), "silver"}, {RGB(255, 255, 255), "silver"}, {RGB(0, 84, 227), "blue"},
      {RGB(199, 199, 200), "blue"},   {RGB(200, 200, 199), "olive"},  {RGB(255, 255, 0), "olive"},
      {RGB(200, 199, 255), "grey"},   {RGB(255, 0, 0), "grey"},       {RGB(0, 0, 0), "grey"},
  };
  for (const Case& c : cases) {
    DetectColourName(c.colour);
    EXPECT_EQ(DetectedColourName(), c.name) << std::hex << c.colour;
  }
}

TEST_F(ColourModeTest, DetectColourNameFromVistaOnIsBlue) {
  g_vista = true;
  DetectColourName(RGB(128, 128, 128));
  EXPECT_EQ(DetectedColourName(), "blue");
  DetectColourName(RGB(255, 255, 255));
  EXPECT_EQ(DetectedColourName(), "blue");
}

TEST_F(ColourModeTest, SetUIColourModeStoresModeAndName) {
  const char* const colours[] = {"", "blue", "olive", "silver", "grey", "", "blue", "olive", "silver", "grey"};
  for (int32_t mode : {4, 1, 2, 3, 5, 6, 7, 8, 9, 0}) {
    EXPECT_EQ(SetUIColourMode(mode), 1);
    EXPECT_EQ(CurrentColourMode(), mode);
    EXPECT_EQ(CurrentColourName(), colours[mode]);
  }
}

TEST_F(ColourModeTest, InvalidModeChangesNothing) {
  ASSERT_TRUE(RegisterColourModeHook(ColourModeStep::kRedrawSweep, Sweep));
  ASSERT_TRUE(RegisterColourModeHook(ColourModeStep::kSkins, Skins));
  SetUIColourMode(UICOLOURMODE_DEFAULT_SILVER);
  g_log.clear();
  EXPECT_EQ(SetUIColourMode(10), 0);
  EXPECT_EQ(SetUIColourMode(-1), 0);
  EXPECT_EQ(SetUIColourMode(0x7FFFFFFF), 0);
  EXPECT_EQ(CurrentColourMode(), UICOLOURMODE_DEFAULT_SILVER);
  EXPECT_EQ(CurrentColourName(), "silver");
  EXPECT_TRUE(g_log.empty());
}

TEST_F(ColourModeTest, StepsRunInOrderAndSkinsSeeTheNewName) {
  // Registered out of order on purpose.
  ASSERT_TRUE(RegisterColourModeHook(ColourModeStep::kRepaint, Repaint));
  ASSERT_TRUE(RegisterColourModeHook(ColourModeStep::kSkins, Skins));
  ASSERT_TRUE(RegisterColourModeHook(ColourModeStep::kBarImages, BarImages));
  ASSERT_TRUE(RegisterColourModeHook(ColourModeStep::kRedrawSweep, Sweep));
  ASSERT_TRUE(RegisterColourModeHook(ColourModeStep::kMenuBackgrounds, MenuBackgrounds));
  ASSERT_TRUE(RegisterColourModeHook(ColourModeStep::kFreeRenderings, Renderings));
  ASSERT_TRUE(RegisterColourModeHook(ColourModeStep::kDerivedImages, Derived));
  SetUIColourMode(UICOLOURMODE_DEFAULT_BLUE);
  g_log.clear();
  ASSERT_EQ(SetUIColourMode(UICOLOURMODE_DEFAULT_GREY), 1);
  // The mode is in place from the first step; the name only for the skins;
  // the windows repaint when everything they paint with is new.
  const std::vector<std::string> expected = {"sweep 4 blue 4",   "renderings 4 blue 4", "bars 4 blue 4",
                                             "derived 4 blue 4", "menus 4 blue 4",      "skins 4 grey 4",
                                             "repaint 4 grey 4"};
  EXPECT_EQ(g_log, expected);
}

TEST_F(ColourModeTest, HookRegistration) {
  EXPECT_TRUE(RegisterColourModeHook(ColourModeStep::kBarImages, BarImages));
  EXPECT_TRUE(RegisterColourModeHook(ColourModeStep::kBarImages, BarImages));
  EXPECT_FALSE(RegisterColourModeHook(ColourModeStep::kBarImages, nullptr));
  EXPECT_FALSE(RegisterColourModeHook(static_cast<ColourModeStep>(1), BarImages));
  EXPECT_FALSE(RegisterColourModeHook(static_cast<ColourModeStep>(9), BarImages));
  SetUIColourMode(UICOLOURMODE_CUSTOM_OLIVE);
  EXPECT_EQ(g_log.size(), 1u);  // registered once only
  UnregisterColourModeHook(ColourModeStep::kBarImages, BarImages);
  SetUIColourMode(UICOLOURMODE_CUSTOM_SILVER);
  EXPECT_EQ(g_log.size(), 1u);
}

TEST_F(ColourModeTest, EachStepHoldsEightHooks) {
  const ColourModeHook hooks[] = {FillHook<0>, FillHook<1>, FillHook<2>, FillHook<3>, FillHook<4>,
                                  FillHook<5>, FillHook<6>, FillHook<7>, FillHook<8>};
  for (int i = 0; i < 8; ++i) EXPECT_TRUE(RegisterColourModeHook(ColourModeStep::kDerivedImages, hooks[i]));
  EXPECT_FALSE(RegisterColourModeHook(ColourModeStep::kDerivedImages, hooks[8]));
  for (ColourModeHook hook : hooks) UnregisterColourModeHook(ColourModeStep::kDerivedImages, hook);
  EXPECT_TRUE(RegisterColourModeHook(ColourModeStep::kDerivedImages, hooks[8]));
  UnregisterColourModeHook(ColourModeStep::kDerivedImages, hooks[8]);
}

}  // namespace
}  // namespace lumora
