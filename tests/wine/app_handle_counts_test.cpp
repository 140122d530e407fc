// The editor's window leaks no handles: the owners' counts of live handles
// stay flat while a menu of the real menu bar opens and closes 200 times and
// the tool bar repaints 200 times, and come back to where they started once
// the toolkit is shut down and the editor's resources are freed. Wine's
// GetGuiResources reports 0, so the owners' own counts are what is checked;
// on Windows the system's counts are checked as well.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <sstream>
#include <string>

#include "app/shell/command_dispatch_win32.h"
#include "app/shell/command_ids.h"
#include "app/shell/element_ids.h"
#include "app/shell/editor_state.h"
#include "app/shell/main_window_win32.h"
#include "platform/os_handles_win32.h"
#include "tests/wine/app_main_window_support.h"
#include "tests/wine/file_menu_click.h"
#include "toolkit/bars/toolbar_win32.h"
#include "toolkit/base/platform_caps_win32.h"
#include "toolkit/base/toolkit_start_win32.h"
#include "toolkit/controls/toolkit_win32.h"
#include "toolkit/menus/menu_tracking_win32.h"
#include "toolkit/menus/menu_win32.h"
#include "toolkit/style/colour_mode.h"
#include "toolkit/style/ui_style.h"

namespace tavrel {
namespace {

struct Snapshot {
  platform::HandleCounts owned{};
  DWORD gdi = 0, user = 0;  // 0 under Wine
};

Snapshot Take() {
  return {platform::LiveHandleCounts(), GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS),
          GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS)};
}

std::string Differences(const Snapshot& before, const Snapshot& after) {
  std::ostringstream out;
  for (int i = 0; i < platform::kHandleKindCount; ++i) {
    if (before.owned[i] == after.owned[i]) continue;
    out << platform::HandleKindName(static_cast<platform::HandleKind>(i)) << ": " << before.owned[i] << " -> "
        << after.owned[i] << "; ";
  }
  return out.str();
}

using wine_test::OpenAndCloseFileMenu;

void RepaintToolbar(HWND toolbar) {
  RedrawWindow(toolbar, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
}

TEST(HandleCounts, MenusAndToolBarRepaintsLeakNothingAndShutDownFreesAll) {
  const Snapshot start = Take();

  ASSERT_TRUE(test_support::BuildMainWindowAsTheProgramDoes());
  HWND main = MainWindow();
  ShowWindow(main, SW_SHOW);
  UpdateWindow(main);
  lumora::g_caps.drop_shadow_enabled = 1;  // the shadows' windows are counted too
  HWND bar = reinterpret_cast<HWND>(lumora::MenuExists(kMainMenu));
  HWND toolbar = lumora::ToolbarWindow(kMainToolbar);
  ASSERT_TRUE(bar && toolbar);
  const Snapshot built = Take();
  EXPECT_GT(built.owned[static_cast<int>(platform::HandleKind::kIcon)],
            start.owned[static_cast<int>(platform::HandleKind::kIcon)]);

  // The first opening and repaint fill the caches that are meant to stay.
  ASSERT_TRUE(OpenAndCloseFileMenu(bar, main));
  RepaintToolbar(toolbar);
  const Snapshot warm = Take();

  for (int i = 0; i < 200; ++i) ASSERT_TRUE(OpenAndCloseFileMenu(bar, main)) << "opening " << i;
  const Snapshot opened = Take();
  EXPECT_EQ(opened.owned, warm.owned) << Differences(warm, opened);

  for (int i = 0; i < 200; ++i) RepaintToolbar(toolbar);
  const Snapshot repainted = Take();
  EXPECT_EQ(repainted.owned, warm.owned) << Differences(warm, repainted);
  // The system's counts may move by a cached object or two, never by 200.
  EXPECT_LE(repainted.gdi, warm.gdi + 4);
  EXPECT_LE(repainted.user, warm.user + 4);

  lumora::ShutdownToolkit();
  FreeMainWindowResources();
  const Snapshot end = Take();
  EXPECT_EQ(end.owned, start.owned) << Differences(start, end);
}

}  // namespace
}  // namespace tavrel
