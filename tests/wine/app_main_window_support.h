// The editor's main window as the program builds it, for tests that look
// at it whole: started once per test program, and the enabled states of
// its commands as the system menu and the tool bar hold them.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "app/shell/command_dispatch_win32.h"
#include "app/shell/command_ids.h"
#include "app/shell/element_ids.h"
#include "app/shell/editor_state.h"
#include "app/shell/main_window_win32.h"
#include "toolkit/bars/toolbar_win32.h"
#include "toolkit/controls/toolkit_win32.h"
#include "toolkit/menus/menu_records_win32.h"
#include "toolkit/style/colour_mode.h"
#include "toolkit/style/ui_style.h"

namespace tavrel::test_support {

// The toolkit, the images and the main window with the real callback, in
// the program's order; false when the window could not be built.
inline bool BuildMainWindowAsTheProgramDoes() {
  lumora::InitToolkit();
  lumora::StartToolkit();
  lumora::SetUIColourMode(lumora::UICOLOURMODE_DEFAULT_GREY);
  ResetEditorState();
  LoadImages();
  return BuildMainWindow(GetModuleHandleW(nullptr), MainWindowCallback);
}

// That window, shown, once per test program.
class MainWindowEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    ASSERT_TRUE(BuildMainWindowAsTheProgramDoes());
    ShowWindow(MainWindow(), SW_SHOW);
  }
  void TearDown() override { lumora::ShutdownToolkit(); }
};

// The state of a main-menu item as the system menu holds it; -1 for none.
inline UINT MenuItemState(int id) {
  using namespace lumora;
  StaleLockGuard guard(MenuLock());
  for (auto& record : Menus().menus) {
    if (record->id != kMainMenu || !record->popup_menu()) continue;
    const UINT state = GetMenuState(record->popup_menu(), static_cast<UINT>(id), MF_BYCOMMAND);
    if (state != static_cast<UINT>(-1)) return state;
  }
  return static_cast<UINT>(-1);
}

inline bool MenuEnabled(int id) { return (MenuItemState(id) & (MF_DISABLED | MF_GRAYED)) == 0; }
inline bool MenuChecked(int id) { return (MenuItemState(id) & MF_CHECKED) != 0; }

inline bool ButtonEnabled(int id) {
  return SendMessageW(lumora::ToolbarWindow(kMainToolbar), TB_ISBUTTONENABLED, static_cast<WPARAM>(id), 0) != 0;
}

// The text a main tool-bar button's tooltip would show, asked the way the
// tooltip asks.
inline std::wstring ButtonTooltip(int id) {
  HWND toolbar = lumora::ToolbarWindow(kMainToolbar);
  NMTTDISPINFOW info{};
  info.hdr.hwndFrom = reinterpret_cast<HWND>(SendMessageW(toolbar, TB_GETTOOLTIPS, 0, 0));
  info.hdr.idFrom = static_cast<UINT_PTR>(id);
  info.hdr.code = TTN_GETDISPINFOW;
  info.lpszText = info.szText;
  SendMessageW(GetParent(toolbar), WM_NOTIFY, static_cast<WPARAM>(id), reinterpret_cast<LPARAM>(&info));
  return info.lpszText ? std::wstring(info.lpszText) : std::wstring();
}

}  // namespace tavrel::test_support
