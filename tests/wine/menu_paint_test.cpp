// An open popup menu as the screen shows it: items measured and painted in
// the UI style's colours, a checked item's mark over its image, the
// toolkit's own drop shadow beside it while it is open and gone after, and
// the popup kept inside the work area. Menus are modal loops: a timer
// inside the loop looks at the screen and closes the menu, and a second
// timer closes it in any case.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>

#include "tests/wine/toolbar_test_support.h"
#include "toolkit/base/platform_caps_win32.h"
#include "toolkit/controls/toolkit_win32.h"
#include "toolkit/menus/drop_shadow_win32.h"
#include "toolkit/menus/menu_item_paint_win32.h"
#include "toolkit/menus/menu_metrics.h"
#include "toolkit/menus/menu_win32.h"
#include "toolkit/style/colour_mode.h"
#include "toolkit/style/label_draw_win32.h"
#include "toolkit/style/ui_colour_table.h"
#include "toolkit/style/ui_style.h"

namespace lumora {
namespace {

class ToolkitEnvironment : public ::testing::Environment {
 public:
  void SetUp() override { StartToolkit(); }
  void TearDown() override { ShutdownToolkit(); }
};
const auto* const g_environment = ::testing::AddGlobalTestEnvironment(new ToolkitEnvironment);

constexpr UINT_PTR kLookTimer = 1, kSafetyTimer = 2;

struct Observation {
  bool looked = false;
  HWND popup = nullptr;
  RECT popup_rect{};
  RECT item_rects[4]{};
  COLORREF background = CLR_INVALID;
  COLORREF separator = CLR_INVALID;
  COLORREF separator_below = CLR_INVALID;
  bool shadow_window = false;
  size_t shadows = 0;
  int black_in_first_image_column = 0;  // the check glyph's ink is pure black
  COLORREF row_end[2] = {CLR_INVALID, CLR_INVALID};  // 5 and 4 pixels left of the popup's right edge
};
Observation g_seen;
bool g_select_first = false;  // the look waits until the first item is hot
HMENU g_menu = nullptr;

COLORREF ScreenPixel(int x, int y) {
  HDC screen = GetDC(nullptr);
  const COLORREF pixel = GetPixel(screen, x, y);
  ReleaseDC(nullptr, screen);
  return pixel;
}

void CALLBACK LookTimer(HWND window, UINT, UINT_PTR id, DWORD) {
  KillTimer(window, id);
  if (id == kSafetyTimer) {
    EndMenu();
    return;
  }
  if (g_select_first) {
    g_select_first = false;
    if (HWND popup = FindWindowW(L"#32768", nullptr)) PostMessageW(popup, WM_KEYDOWN, VK_DOWN, 0);
    SetTimer(window, kLookTimer, 300, LookTimer);
    return;
  }
  g_seen.looked = true;
  g_seen.popup = FindWindowW(L"#32768", nullptr);
  if (g_seen.popup) {
    RedrawWindow(g_seen.popup, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
    GetWindowRect(g_seen.popup, &g_seen.popup_rect);
  }
  for (int i = 0; i < 4; ++i) GetMenuItemRect(nullptr, g_menu, static_cast<UINT>(i), &g_seen.item_rects[i]);
  const RECT& first = g_seen.item_rects[0];
  // Right of the label, left of the shortcut: plain background. On a busy
  // machine the X server may show the popup a little later: while the spot
  // still shows the owner's white behind it, look again (bounded).
  for (int tries = 0; tries < 40; ++tries) {
    g_seen.background = ScreenPixel(first.right - 4, (first.top + first.bottom) / 2);
    if (g_seen.background != RGB(255, 255, 255)) break;
    Sleep(50);
    if (g_seen.popup) RedrawWindow(g_seen.popup, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
  }
  const RECT& separator = g_seen.item_rects[1];
  g_seen.separator = ScreenPixel(separator.right - 10, separator.top);
  g_seen.separator_below = ScreenPixel(separator.right - 10, separator.top + 1);
  for (int y = first.top; y < first.bottom; ++y)
    for (int x = first.left; x < first.left + 24; ++x) g_seen.black_in_first_image_column += ScreenPixel(x, y) == 0;
  for (int i = 0; i < 2; ++i)
    g_seen.row_end[i] = ScreenPixel(g_seen.popup_rect.right - 5 + i, (first.top + first.bottom) / 2);
  g_seen.shadow_window = FindWindowW(L"Lumora_DropShadow", nullptr) != nullptr;
  g_seen.shadows = DropShadowCount();
  // A person can look at the open menu: MENU_TEST_HOLD_MS keeps it open.
  if (const char* hold = std::getenv("MENU_TEST_HOLD_MS")) Sleep(static_cast<DWORD>(std::atoi(hold)));
  PostMessageW(g_seen.popup ? g_seen.popup : window, WM_KEYDOWN, VK_ESCAPE, 0);
  EndMenu();
}

HWND MakeOwner() {
  WNDCLASSW wc{};
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  wc.lpszClassName = L"MenuPaintOwner";
  RegisterClassW(&wc);
  HWND window = CreateWindowExW(0, L"MenuPaintOwner", L"menus", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 600, 400,
                                nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  UpdateWindow(window);
  return window;
}

HICON LoadTestIcon() {
  return static_cast<HICON>(LoadImageW(nullptr, L"icons\\Office Icons\\00002.ico", IMAGE_ICON, 16, 16, LR_LOADFROMFILE));
}

void ShowWithTimers(HWND owner, int x, int y, intptr_t menu = 2) {
  g_seen = Observation{};
  SetTimer(owner, kLookTimer, 400, LookTimer);
  SetTimer(owner, kSafetyTimer, 8000, LookTimer);
  EXPECT_EQ(MenuShowPopup(menu, owner, x, y), 1);
  KillTimer(owner, kLookTimer);
  KillTimer(owner, kSafetyTimer);
}

int LabelHeight(const wchar_t* text) {
  HDC dc = CreateCompatibleDC(nullptr);
  RECT rect{0, 0, 0, 0};
  MeasureLabel(dc, text, &rect, UiFont());
  DeleteDC(dc);
  return rect.bottom - rect.top;
}

TEST(MenuPaint, OpenPopupInOffice2007GreyWithShadow) {
  ASSERT_EQ(SetUIColourMode(UICOLOURMODE_DEFAULT_GREY), 1);
  g_caps.drop_shadow_enabled = 1;  // the menu draws its own, whatever the desktop says
  HWND owner = MakeOwner();
  ASSERT_TRUE(owner);
  HICON icon = LoadTestIcon();
  ASSERT_TRUE(icon);
  g_menu = reinterpret_cast<HMENU>(MenuCreatePopup(2, UISTYLE_OFFICE2007));
  ASSERT_TRUE(g_menu);
  ASSERT_EQ(MenuAddItem(12, L"Cu&t$Ctrl+X", icon, nullptr, nullptr, 0), 1);
  MenuAddSeparator();
  ASSERT_EQ(MenuAddItem(14, L"&Paste$Ctrl+V", nullptr, nullptr, nullptr, 0), 1);
  ASSERT_EQ(MenuAddItem(15, L"\\bBold\\b choice", nullptr, nullptr, nullptr, 0), 1);
  MenuSetItemDisabled(2, 14, 1);
  MenuSetItemState(2, 15, 1);

  ShowWithTimers(owner, 200, 200);
  ASSERT_TRUE(g_seen.looked);
  ASSERT_TRUE(g_seen.popup);
  EXPECT_EQ(g_seen.background, RGB(246, 246, 246));
  EXPECT_EQ(g_seen.separator, RGB(145, 153, 164));
  EXPECT_EQ(g_seen.separator_below, RGB(255, 255, 255));
  EXPECT_TRUE(g_seen.shadow_window);
  EXPECT_EQ(g_seen.shadows, 2u);
  // Item sizes: an image item is max(label + 4, 16 + 4) + 3 high, a
  // separator 2.
  EXPECT_EQ(g_seen.item_rects[0].bottom - g_seen.item_rects[0].top,
            MenuItemHeight(LabelHeight(L"Cu&t"), 16));
  EXPECT_EQ(g_seen.item_rects[1].bottom - g_seen.item_rects[1].top, 2);
  // Closed: its shadows are gone with it.
  EXPECT_EQ(DropShadowCount(), 0u);
  EXPECT_FALSE(FindWindowW(L"Lumora_DropShadow", nullptr));
  DestroyIcon(icon);
  DestroyWindow(owner);
}

TEST(MenuPaint, PopupStaysFivePixelsInsideTheWorkArea) {
  HWND owner = MakeOwner();
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  ShowWithTimers(owner, work.right - 10, 150);
  ASSERT_TRUE(g_seen.popup);
  EXPECT_EQ(g_seen.popup_rect.right, work.right - 5);
  EXPECT_EQ(g_seen.popup_rect.top, 150);
  DestroyWindow(owner);
}

// The cached background belongs to one colour mode: a change of mode must
// not leave the old colours on screen.
TEST(MenuPaint, ColourModeChangeRepaintsTheBackground) {
  HWND owner = MakeOwner();
  ASSERT_EQ(SetUIColourMode(UICOLOURMODE_DEFAULT_SILVER), 1);
  ShowWithTimers(owner, 200, 200);
  EXPECT_EQ(g_seen.background, RGB(253, 250, 255));
  EXPECT_EQ(g_seen.separator, RGB(110, 109, 143));
  ASSERT_EQ(SetUIColourMode(UICOLOURMODE_DEFAULT_GREY), 1);
  ShowWithTimers(owner, 200, 200);
  EXPECT_EQ(g_seen.background, RGB(246, 246, 246));
  DestroyWindow(owner);
}

// An item's image must not hide that the item is checked.
TEST(MenuPaint, ACheckedItemShowsTheCheckGlyphOverItsImage) {
  HWND owner = MakeOwner();
  HMENU kept = g_menu;
  const HICON icon = testing_support::MakeSolidIcon(RGB(200, 60, 40));
  g_menu = reinterpret_cast<HMENU>(MenuCreatePopup(3, UISTYLE_OFFICE2007));
  ASSERT_TRUE(g_menu);
  ASSERT_EQ(MenuAddItem(31, L"&Wrap", icon, nullptr, nullptr, 0), 1);
  MenuSetItemState(3, 31, 1);
  ShowWithTimers(owner, 200, 200, 3);
  ASSERT_TRUE(g_seen.popup);
  EXPECT_GE(g_seen.black_in_first_image_column, 15);
  EXPECT_EQ(MenuFree(3), 1);
  g_menu = kept;
  DestroyIcon(icon);
  DestroyWindow(owner);
}

// In a stand-alone popup a row ends 4 pixels inside the popup's width in
// the 2007 style: the hot row's frame is the last thing before that.
TEST(MenuPaint, AStandAlonePopupsRowsEndFourPixelsInside) {
  HWND owner = MakeOwner();
  g_select_first = true;
  ShowWithTimers(owner, 200, 200);
  ASSERT_TRUE(g_seen.popup);
  const COLORREF border = MenuColour(UISTYLE_OFFICE2007, UICOLOUR_MENUHOTBORDER);
  EXPECT_EQ(g_seen.row_end[0], border);
  EXPECT_NE(g_seen.row_end[1], border);
  DestroyWindow(owner);
}

TEST(MenuPaint, NoShadowWhenTheSettingIsOff) {
  HWND owner = MakeOwner();
  g_caps.drop_shadow_enabled = 0;
  ShowWithTimers(owner, 300, 200);
  g_caps.drop_shadow_enabled = 1;
  ASSERT_TRUE(g_seen.popup);
  EXPECT_FALSE(g_seen.shadow_window);
  EXPECT_EQ(MenuShowPopup(999, owner, 0, 0), 0);  // no such menu
  EXPECT_EQ(MenuFree(2), 1);
  DestroyWindow(owner);
}

}  // namespace
}  // namespace lumora
