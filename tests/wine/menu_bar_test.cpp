// A menu bar with real windows: a click on a title opens its menu, the
// pointer moving onto the next title closes it and opens that one without a
// click, the arrow keys move between titles, the open title carries its
// menu's shadow, and a chosen item reaches the owner as WM_COMMAND. Every
// step runs from a timer inside the modal menu loop, and a safety timer
// ends any menu that is still open.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <vector>

#include "toolkit/base/platform_caps_win32.h"
#include "toolkit/controls/toolkit_win32.h"
#include "toolkit/menus/drop_shadow_win32.h"
#include "toolkit/menus/menu_tracking_win32.h"
#include "toolkit/menus/menu_win32.h"
#include "toolkit/style/ui_style.h"

namespace lumora {
namespace {

class ToolkitEnvironment : public ::testing::Environment {
 public:
  void SetUp() override { StartToolkit(); }
  void TearDown() override { ShutdownToolkit(); }
};
const auto* const g_environment = ::testing::AddGlobalTestEnvironment(new ToolkitEnvironment);

constexpr UINT_PTR kStepTimer = 1, kSafetyTimer = 2;

HWND g_bar = nullptr;
int g_step = 0;
bool g_finished = false;
std::vector<int> g_titles_seen;
std::vector<UINT> g_commands;
using Step = void (*)();
std::vector<Step> g_script;

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_COMMAND && lparam == 0) g_commands.push_back(LOWORD(wparam));
  return DefWindowProcW(window, message, wparam, lparam);
}

HWND OpenPopup() { return FindWindowW(L"#32768", nullptr); }

POINT TitleCentre(int index) {
  RECT rect{};
  SendMessageW(g_bar, TB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&rect));
  POINT centre{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
  return centre;
}

void CALLBACK StepTimer(HWND window, UINT, UINT_PTR id, DWORD) {
  if (id == kSafetyTimer) {
    KillTimer(window, kStepTimer);
    KillTimer(window, kSafetyTimer);
    EndMenu();
    g_finished = true;
    ADD_FAILURE() << "the script did not finish";
    return;
  }
  if (g_step >= static_cast<int>(g_script.size())) return;
  g_titles_seen.push_back(MenuTracking().active ? MenuTracking().title : -1);
  g_script[static_cast<size_t>(g_step++)]();
}

void PointAtTitle(int index) {
  POINT point = TitleCentre(index);
  ClientToScreen(g_bar, &point);
  SetCursorPos(point.x, point.y);
  if (HWND popup = OpenPopup()) PostMessageW(popup, WM_MOUSEMOVE, 0, 0);
}

// The pointer rests at `rest` while File opens: by a click on its title, or
// from the keyboard (Enter on the bar), which selects its first item.
void RunScript(HWND host, const std::vector<Step>& script, POINT rest = POINT{0, 0}, bool by_keyboard = false) {
  g_script = script;
  g_step = 0;
  g_finished = false;
  g_titles_seen.clear();
  g_commands.clear();
  // The pointer rests away from the bar, and moves still queued from an
  // earlier test are gone before the first title opens.
  SetCursorPos(rest.x, rest.y);
  MSG pending;
  for (const DWORD settle = GetTickCount() + 200; static_cast<int>(settle - GetTickCount()) > 0;) {
    while (PeekMessageW(&pending, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&pending);
    Sleep(10);
  }
  SetTimer(host, kStepTimer, 300, StepTimer);
  SetTimer(host, kSafetyTimer, 10000, StepTimer);
  const POINT file = TitleCentre(0);
  if (by_keyboard) {
    TBBUTTON title{};
    SendMessageW(g_bar, TB_GETBUTTON, 0, reinterpret_cast<LPARAM>(&title));
    PostMessageW(host, WM_COMMAND, static_cast<WPARAM>(title.idCommand), reinterpret_cast<LPARAM>(g_bar));
  } else {
    PostMessageW(g_bar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(file.x, file.y));
    PostMessageW(g_bar, WM_LBUTTONUP, 0, MAKELPARAM(file.x, file.y));
  }
  const DWORD end = GetTickCount() + 12000;
  MSG msg;
  while (!g_finished && static_cast<int>(end - GetTickCount()) > 0) {
    if (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    } else {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
  }
  KillTimer(host, kStepTimer);
  KillTimer(host, kSafetyTimer);
  EXPECT_TRUE(g_finished);
  EXPECT_FALSE(MenuTrackingActive());
}

class MenuBar : public ::testing::Test {
 protected:
  void SetUp() override {
    WNDCLASSW wc{};
    wc.lpfnWndProc = HostProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = L"MenuBarHost";
    RegisterClassW(&wc);
    host_ = CreateWindowExW(0, L"MenuBarHost", L"bar", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 500, 300, nullptr,
                            nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_TRUE(host_);
    g_bar = reinterpret_cast<HWND>(MenuCreateBar(60, host_, UISTYLE_OFFICE2007));
    ASSERT_TRUE(g_bar);
    MenuAddTitle(L"&File");
    MenuAddItem(1, L"&New", nullptr, nullptr, nullptr, 0);
    MenuAddItem(2, L"&Open...$Ctrl+O", nullptr, nullptr, nullptr, 0);
    MenuAddTitle(L"&Edit");
    MenuAddItem(12, L"Cu&t$Ctrl+X", nullptr, nullptr, nullptr, 0);
    MenuAddItem(13, L"&Copy$Ctrl+C", nullptr, nullptr, nullptr, 0);
    MoveWindow(g_bar, 0, 0, 400, 26, TRUE);
    SetForegroundWindow(host_);
    UpdateWindow(host_);
  }
  void TearDown() override {
    MenuFree(60);
    DestroyWindow(host_);
  }
  HWND host_ = nullptr;
};

TEST_F(MenuBar, PointerSlidesToTheNextTitleAndArrowsMoveBack) {
  RunScript(host_, {
                 [] { PointAtTitle(1); },
                 [] {
                   HWND popup = OpenPopup();
                   if (popup) PostMessageW(popup, WM_KEYDOWN, VK_LEFT, 0);
                 },
                 [] {
                   // A person can look at the open menu: MENU_TEST_HOLD_MS keeps it open.
                   if (const char* hold = std::getenv("MENU_TEST_HOLD_MS")) Sleep(static_cast<DWORD>(std::atoi(hold)));
                   EndMenu();
                   g_finished = true;
                 },
             });
  // File open, then Edit after the pointer moved, then File again by Left.
  EXPECT_EQ(g_titles_seen, (std::vector<int>{0, 1, 0}));
  EXPECT_TRUE(g_commands.empty());
}

// One hot item at a time: the item a menu opened from the keyboard selects
// stays hot while the pointer rests over another item, however often the
// system reports the resting pointer; a pointer that moves takes over.
RECT g_open_item{};
bool g_new_hot_at_rest = false, g_open_hot_at_rest = true, g_new_hot_after_move = true, g_open_hot_after_move = false;

bool ItemHot(UINT id) { return (GetMenuState(MenuTracking().popup, id, MF_BYCOMMAND) & MF_HILITE) != 0; }

void ReportPointer() {
  POINT at{};
  GetCursorPos(&at);
  if (HWND popup = OpenPopup()) PostMessageW(popup, WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y));
}

TEST_F(MenuBar, AKeyboardItemStaysTheOnlyHotItemUntilThePointerMoves) {
  RunScript(host_, {
                 [] {
                   GetMenuItemRect(nullptr, MenuTracking().popup, 1, &g_open_item);
                   EndMenu();
                   g_finished = true;
                 },
             });
  ASSERT_GT(g_open_item.bottom, g_open_item.top);
  const POINT over_open{(g_open_item.left + g_open_item.right) / 2, (g_open_item.top + g_open_item.bottom) / 2};
  RunScript(
      host_,
      {
          [] { ReportPointer(); },
          [] {
            g_new_hot_at_rest = ItemHot(1);
            g_open_hot_at_rest = ItemHot(2);
            SetCursorPos((g_open_item.left + g_open_item.right) / 2 + 3, (g_open_item.top + g_open_item.bottom) / 2);
            ReportPointer();
          },
          [] {
            g_new_hot_after_move = ItemHot(1);
            g_open_hot_after_move = ItemHot(2);
            EndMenu();
            g_finished = true;
          },
      },
      over_open, true);
  EXPECT_TRUE(g_new_hot_at_rest) << "the keyboard's item lost its highlight to a resting pointer";
  EXPECT_FALSE(g_open_hot_at_rest) << "the item under the resting pointer lit up";
  EXPECT_FALSE(g_new_hot_after_move);
  EXPECT_TRUE(g_open_hot_after_move) << "the moved pointer did not take over";
}

void Drain(DWORD milliseconds);

COLORREF ScreenPixel(POINT at) {
  HDC screen = GetDC(nullptr);
  const COLORREF pixel = GetPixel(screen, at.x, at.y);
  ReleaseDC(nullptr, screen);
  return pixel;
}

int Brightness(COLORREF c) { return GetRValue(c) + GetGValue(c) + GetBValue(c); }

// The open title's button carries its menu's shadow down its right side;
// nothing but the toolkit's own start-up connects the bar to the menus.
POINT g_shadow_spot{};
COLORREF g_spot_open = CLR_INVALID;

TEST_F(MenuBar, TheOpenTitleCarriesTheMenusShadow) {
  g_caps.drop_shadow_enabled = 1;  // whatever the desktop says
  RECT file{};
  SendMessageW(g_bar, TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&file));
  g_shadow_spot = POINT{file.right, (file.top + kMenuShadowDepth + file.bottom) / 2};
  ClientToScreen(g_bar, &g_shadow_spot);
  RunScript(host_, {
                 [] {
                   g_spot_open = ScreenPixel(g_shadow_spot);
                   EndMenu();
                   g_finished = true;
                 },
             });
  Drain(200);
  const COLORREF closed = ScreenPixel(g_shadow_spot);
  EXPECT_LT(Brightness(g_spot_open) + 20, Brightness(closed))
      << std::hex << "open " << g_spot_open << ", closed " << closed;
}

TEST_F(MenuBar, MnemonicChoosesAnItem) {
  RunScript(host_, {
                 [] {
                   HWND popup = OpenPopup();
                   // "&Open...": the O key runs the Open command.
                   if (popup) PostMessageW(popup, WM_CHAR, L'o', 0);
                 },
                 [] {
                   g_finished = true;
                   EndMenu();
                 },
             });
  ASSERT_FALSE(g_titles_seen.empty());
  EXPECT_EQ(g_titles_seen[0], 0);
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  EXPECT_EQ(g_commands, std::vector<UINT>{2});
}

void Press(WORD key, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  SendInput(1, &input, sizeof input);
}

void Drain(DWORD milliseconds) {
  MSG msg;
  for (const DWORD end = GetTickCount() + milliseconds; static_cast<int>(end - GetTickCount()) > 0;) {
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    Sleep(10);
  }
}

// Real key presses through the system's input queue reach the keyboard
// hook: Alt puts the bar into keyboard mode and takes the focus to it, Alt
// again gives the focus back.
TEST_F(MenuBar, AltEntersAndLeavesKeyboardMode) {
  HWND edit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 10, 60, 200, 24, host_, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
  SetForegroundWindow(host_);
  SetFocus(edit);
  Drain(100);
  if (GetForegroundWindow() != host_ || GetFocus() != edit) GTEST_SKIP() << "the window could not take the keyboard";
  Press(VK_MENU, false);
  Drain(150);
  EXPECT_EQ(GetFocus(), g_bar);
  EXPECT_EQ(SendMessageW(g_bar, TB_GETHOTITEM, 0, 0), 0);
  Press(VK_MENU, true);
  Drain(100);
  EXPECT_EQ(GetFocus(), g_bar);  // letting go of Alt keeps the mode
  Press(VK_MENU, false);
  Press(VK_MENU, true);
  Drain(150);
  EXPECT_EQ(GetFocus(), edit);
  EXPECT_EQ(SendMessageW(g_bar, TB_GETHOTITEM, 0, 0), -1);
  // Esc leaves as well.
  Press(VK_F10, false);
  Press(VK_F10, true);
  Drain(150);
  EXPECT_EQ(GetFocus(), g_bar);
  Press(VK_ESCAPE, false);
  Press(VK_ESCAPE, true);
  Drain(150);
  EXPECT_EQ(GetFocus(), edit);
  // The focus taken away from the bar (a click elsewhere) ends the mode
  // where the focus went: a fresh Alt enters it again.
  for (WORD key : {VK_F10, VK_MENU}) {
    Press(key, false);
    Press(key, true);
    Drain(150);
    ASSERT_EQ(GetFocus(), g_bar);
    SetFocus(host_);
    Drain(100);
    EXPECT_EQ(SendMessageW(g_bar, TB_GETHOTITEM, 0, 0), -1);
  }
  DestroyWindow(edit);
}

}  // namespace
}  // namespace lumora
