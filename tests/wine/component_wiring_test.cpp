// The order in which the toolkit's components are freed at shut-down and
// run their colour-mode steps. Each component states its own rank; these
// lists are the whole order, seen from above, as the editor wires it: the
// menu bar first, then the tool bar and the rebar that holds it.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "platform/os_handles_win32.h"
#include "toolkit/bars/rebar_win32.h"
#include "toolkit/bars/toolbar_win32.h"
#include "toolkit/controls/toolkit_win32.h"
#include "toolkit/menus/menu_win32.h"
#include "toolkit/style/colour_mode.h"
#include "toolkit/style/ui_style.h"

namespace lumora {
namespace {

using Names = std::vector<std::string>;

// Rebars hand their bands' children back before the tool bars go; the
// colour renderings outlive the bars and menus that paint with them; skins
// go last, when nothing reads them.
const Names kTeardownOrder = {"rebars", "tool bars",  "buttons", "menus", "colour renderings",
                              "labels", "panels",     "skins"};
// The bar images are new before the disabled images are derived from the
// colours; skins see the new colour name; the repaint comes when all is new.
const Names kColourModeOrder = {"redraw sweep",        "colour renderings",       "bar images",
                                "menu derived images", "tool bar derived images", "menu backgrounds",
                                "skins",               "repaint"};

HWND MakeHost() {
  return CreateWindowExW(0, L"Static", L"wiring", WS_OVERLAPPEDWINDOW, 0, 0, 400, 200, nullptr, nullptr,
                         GetModuleHandleW(nullptr), nullptr);
}

void MakeBars(HWND host, int32_t id) {
  ASSERT_NE(MenuCreateBar(100 + id, host, UISTYLE_OFFICE2007), 0);
  ASSERT_EQ(MenuAddTitle(L"File"), 0);
  ASSERT_NE(CreateToolbar(200 + id, host, 16, 16, static_cast<uint32_t>(UISTYLE_OFFICE2007)), 0);
  ASSERT_NE(CreateRebar(300 + id, host, nullptr, static_cast<uint32_t>(UISTYLE_OFFICE2007) | RBS_VARHEIGHT, 1), 0);
}

TEST(ComponentWiring, ComponentsTakeTheirPlacesInShutdownAndColourModeOrder) {
  InitToolkit();
  StartToolkit();
  HWND host = MakeHost();
  ASSERT_NE(host, nullptr);
  MakeBars(host, 1);
  EXPECT_EQ(TeardownNames(), kTeardownOrder);
  EXPECT_EQ(ColourModeStepNames(), kColourModeOrder);

  // Every first use wires its component in again; nothing is added twice.
  HWND second = MakeHost();
  MakeBars(second, 2);
  InitToolkit();
  EXPECT_EQ(TeardownNames(), kTeardownOrder);
  EXPECT_EQ(ColourModeStepNames(), kColourModeOrder);

  // A mode change runs the steps with the colour name in place for the skins.
  EXPECT_EQ(SetUIColourMode(UICOLOURMODE_DEFAULT_OLIVE), 1);
  EXPECT_EQ(CurrentColourName(), "olive");
  EXPECT_EQ(SetUIColourMode(UICOLOURMODE_DEFAULT), 1);

  const auto live = [](platform::HandleKind kind) { return platform::LiveHandleCounts()[static_cast<size_t>(kind)]; };
  // The window-creation hook, the menus' keyboard and shortcut hooks, the
  // rebars' pointer hook; each title's popup menu.
  EXPECT_GE(live(platform::HandleKind::kHook), 3);
  EXPECT_EQ(live(platform::HandleKind::kMenu), 2);

  ShutdownToolkit();
  EXPECT_TRUE(TeardownNames().empty());
  EXPECT_FALSE(IsWindow(host));
  EXPECT_EQ(live(platform::HandleKind::kHook), 0) << "every hook is removed at shut-down";
  EXPECT_EQ(live(platform::HandleKind::kMenu), 0) << "every menu is destroyed at shut-down";
}

}  // namespace
}  // namespace lumora
