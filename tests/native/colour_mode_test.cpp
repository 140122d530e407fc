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
    for (const std::string& name : ColourModeStepNames()) UnregisterColourModeHook(name);
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
  ASSERT_TRUE(RegisterColourModeHook(kRedrawSweepRank, "sweep", Sweep));
  ASSERT_TRUE(RegisterColourModeHook(kSkinRefreshRank, "skins", Skins));
  SetUIColourMode(UICOLOURMODE_DEFAULT_SILVER);
  g_log.clear();
  EXPECT_EQ(SetUIColourMode(10), 0);
  EXPECT_EQ(SetUIColourMode(-1), 0);
  EXPECT_EQ(SetUIColourMode(0x7FFFFFFF), 0);
  EXPECT_EQ(CurrentColourMode(), UICOLOURMODE_DEFAULT_SILVER);
  EXPECT_EQ(CurrentColourName(), "silver");
  EXPECT_TRUE(g_log.empty());
}

TEST_F(ColourModeTest, StepsRunByRankAndSkinsSeeTheNewName) {
  // Registered out of order on purpose; the ranks of the steps of the
  // layers above are theirs to choose, these stand in for them.
  ASSERT_TRUE(RegisterColourModeHook(kRepaintRank, "repaint", Repaint));
  ASSERT_TRUE(RegisterColourModeHook(kSkinRefreshRank, "skins", Skins));
  ASSERT_TRUE(RegisterColourModeHook(400, "bars", BarImages));
  ASSERT_TRUE(RegisterColourModeHook(kRedrawSweepRank, "sweep", Sweep));
  ASSERT_TRUE(RegisterColourModeHook(600, "menus", MenuBackgrounds));
  ASSERT_TRUE(RegisterColourModeHook(kFreeRenderingsRank, "renderings", Renderings));
  ASSERT_TRUE(RegisterColourModeHook(500, "derived", Derived));
  SetUIColourMode(UICOLOURMODE_DEFAULT_BLUE);
  g_log.clear();
  ASSERT_EQ(SetUIColourMode(UICOLOURMODE_DEFAULT_GREY), 1);
  // The mode is in place from the first step; the name only for the skins;
  // the windows repaint when everything they paint with is new.
  const std::vector<std::string> expected = {"sweep 4 blue 4",   "renderings 4 blue 4", "bars 4 blue 4",
                                             "derived 4 blue 4", "menus 4 blue 4",      "skins 4 grey 4",
                                             "repaint 4 grey 4"};
  EXPECT_EQ(g_log, expected);
  EXPECT_EQ(ColourModeStepNames(),
            (std::vector<std::string>{"sweep", "renderings", "bars", "derived", "menus", "skins", "repaint"}));
}

TEST_F(ColourModeTest, TheNameIsStoredEvenWithoutLateSteps) {
  ASSERT_TRUE(RegisterColourModeHook(kRedrawSweepRank, "sweep", Sweep));
  ASSERT_EQ(SetUIColourMode(UICOLOURMODE_CUSTOM_SILVER), 1);
  EXPECT_EQ(CurrentColourName(), "silver");
  EXPECT_EQ(g_log, (std::vector<std::string>{"sweep 8  8"}));
}

TEST_F(ColourModeTest, HookRegistration) {
  EXPECT_TRUE(RegisterColourModeHook(400, "bars", BarImages));
  EXPECT_TRUE(RegisterColourModeHook(400, "bars", BarImages));
  EXPECT_TRUE(RegisterColourModeHook(100, "bars", Derived)) << "the name is there: nothing changes";
  EXPECT_FALSE(RegisterColourModeHook(400, "no hook", nullptr));
  SetUIColourMode(UICOLOURMODE_CUSTOM_OLIVE);
  EXPECT_EQ(g_log, (std::vector<std::string>{"bars 7  7"})) << "registered once only";
  UnregisterColourModeHook("bars");
  SetUIColourMode(UICOLOURMODE_CUSTOM_SILVER);
  EXPECT_EQ(g_log.size(), 1u);
}

// A hook may register and unregister hooks while a change runs; the change
// runs the steps it began with.
void Unhooking(int32_t mode) {
  Log("unhooking", mode);
  UnregisterColourModeHook("derived");
  RegisterColourModeHook(900, "late", Repaint);
}

TEST_F(ColourModeTest, HooksMayChangeTheStepsWhileTheyRun) {
  ASSERT_TRUE(RegisterColourModeHook(100, "unhooking", Unhooking));
  ASSERT_TRUE(RegisterColourModeHook(500, "derived", Derived));
  ASSERT_EQ(SetUIColourMode(UICOLOURMODE_DEFAULT_OLIVE), 1);
  EXPECT_EQ(g_log, (std::vector<std::string>{"unhooking 2  2", "derived 2  2"}));
  EXPECT_EQ(ColourModeStepNames(), (std::vector<std::string>{"unhooking", "late"}));
}

}  // namespace
}  // namespace lumora
