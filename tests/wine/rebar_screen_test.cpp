// What a rebar in the 2007 style looks like on screen, read back from a
// capture of the screen: the grey bar picture behind its bands, the dotted
// grippers, a repaint after a change of colour mode (of a tool bar outside
// the rebar too); and what the chevron of a too-narrow band offers.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "tests/wine/screen_pixels.h"
#include "toolkit/bars/rebar_chevron_win32.h"
#include "toolkit/bars/rebar_gripper.h"
#include "toolkit/bars/rebar_win32.h"
#include "toolkit/bars/toolbar_win32.h"
#include "toolkit/controls/toolkit_win32.h"
#include "toolkit/style/colour_mode.h"
#include "toolkit/style/ui_style.h"

namespace lumora {
namespace {

constexpr uint32_t kStyle2007 = static_cast<uint32_t>(UISTYLE_OFFICE2007) | RBS_VARHEIGHT;

UINT g_commands = 0;

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_COMMAND) g_commands = LOWORD(wparam);
  return DefWindowProcW(window, message, wparam, lparam);
}

HWND MakeTopLevel(int x, int y, int width, int height) {
  static bool registered = false;
  if (!registered) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = HostProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"RebarPaintHost";
    wc.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
    RegisterClassW(&wc);
    registered = true;
  }
  HWND window = CreateWindowExW(WS_EX_TOPMOST, L"RebarPaintHost", L"rebar paint", WS_POPUP | WS_CLIPCHILDREN, x, y,
                                width, height, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  ShowWindow(window, SW_SHOW);
  UpdateWindow(window);
  return window;
}

void Pump(DWORD milliseconds) {
  const DWORD end = GetTickCount() + milliseconds;
  MSG msg;
  do {
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    Sleep(5);
  } while (static_cast<int>(end - GetTickCount()) > 0);
}

// The screen under a window, as 32-bit pixels; painted anew first unless
// the test wants to see what the program's own repainting left there.
class ScreenShot {
 public:
  explicit ScreenShot(HWND window, bool repaint_first = true) {
    if (repaint_first)
      RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Pump(150);
    GetWindowRect(window, &rect_);
    width_ = rect_.right - rect_.left;
    height_ = rect_.bottom - rect_.top;
    pixels_ = wine_test::ScreenPixels(rect_);
  }
  // As RGB(r, g, b); CLR_INVALID outside.
  COLORREF At(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return CLR_INVALID;
    const uint32_t p = pixels_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
  }
  int width() const { return width_; }
  int height() const { return height_; }

 private:
  RECT rect_{};
  int width_ = 0, height_ = 0;
  std::vector<uint32_t> pixels_;
};

HWND MakeStatic(HWND parent, int width, int height) {
  return CreateWindowExW(0, L"Static", nullptr, WS_CHILD | WS_VISIBLE, 0, 0, width, height, parent, nullptr,
                         GetModuleHandleW(nullptr), nullptr);
}

RECT BandRect(HWND rebar, int index) {
  RECT rect{};
  SendMessageW(rebar, RB_GETRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&rect));
  return rect;
}

class RebarPaintEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    InitToolkit();
    StartToolkit();
    SetUIColourMode(UICOLOURMODE_DEFAULT_GREY);
  }
};
::testing::Environment* const g_environment = ::testing::AddGlobalTestEnvironment(new RebarPaintEnvironment);

class RebarPaintTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window_ = MakeTopLevel(40, 40, 520, 160);
    rebar_ = reinterpret_cast<HWND>(CreateRebar(next_id_++, window_, nullptr, kStyle2007, 1));
    ASSERT_TRUE(IsWindow(rebar_));
    // Two bands with grippers; the children leave room around them.
    ASSERT_EQ(RebarAddBand(MakeStatic(window_, 60, 22), L"", 200, 60, 0, nullptr, RBBS_GRIPPERALWAYS | RBBS_CHILDEDGE), 0);
    ASSERT_EQ(RebarAddBand(MakeStatic(window_, 60, 22), L"", 200, 60, 0, nullptr, RBBS_GRIPPERALWAYS | RBBS_CHILDEDGE), 1);
    SetWindowPos(rebar_, nullptr, 0, 0, 500, RebarGetHeight(reinterpret_cast<intptr_t>(rebar_)), SWP_NOZORDER);
  }
  void TearDown() override {
    SetUIColourMode(UICOLOURMODE_DEFAULT_GREY);
    DestroyWindow(window_);
  }
  // Rebar client point as a window point of the shot.
  POINT InShot(int x, int y) const {
    POINT p{x, y};
    MapWindowPoints(rebar_, window_, &p, 1);
    return p;
  }
  HWND window_ = nullptr;
  HWND rebar_ = nullptr;
  static int32_t next_id_;
};
int32_t RebarPaintTest::next_id_ = 10;

TEST_F(RebarPaintTest, GreyModeShowsTheGreyBarPictureBehindEveryBand) {
  const ScreenShot shot(window_);
  const RECT first = BandRect(rebar_, 0);
  const RECT second = BandRect(rebar_, 1);
  ASSERT_GT(second.left, first.left);
  // Corners of both bands and the gap before the second band's child.
  const POINT points[] = {InShot(first.left, first.top),       InShot(first.left + 1, first.bottom - 1),
                          InShot(second.left, second.top + 1), InShot(second.right - 2, second.top + 1),
                          InShot(second.right - 2, second.bottom - 1)};
  for (const POINT& p : points) EXPECT_EQ(shot.At(p.x, p.y), RGB(83, 83, 83)) << "at " << p.x << "," << p.y;
}

TEST_F(RebarPaintTest, GripperDotsAreSolidSquaresWithAWhiteShadow) {
  const ScreenShot shot(window_);
  const RECT band = BandRect(rebar_, 1);
  const COLORREF solid = RGB(55, 60, 67), shadow = RGB(255, 255, 255), back = RGB(83, 83, 83);
  std::vector<POINT> dots;  // top-left corners, found by scanning
  for (int y = band.top; y < band.bottom; ++y) {
    for (int x = band.left; x < band.left + 14; ++x) {
      const POINT p = InShot(x, y);
      if (shot.At(p.x, p.y) != solid) continue;
      if (shot.At(p.x - 1, p.y) == solid || shot.At(p.x, p.y - 1) == solid) continue;
      dots.push_back(p);
    }
  }
  ASSERT_GE(dots.size(), 2u) << "a column of dots";
  for (size_t i = 0; i < dots.size(); ++i) {
    const POINT d = dots[i];
    EXPECT_EQ(shot.At(d.x + 1, d.y), solid);
    EXPECT_EQ(shot.At(d.x, d.y + 1), solid);
    EXPECT_EQ(shot.At(d.x + 1, d.y + 1), solid);
    EXPECT_EQ(shot.At(d.x + 2, d.y + 2), shadow) << "shadow one pixel down and right";
    EXPECT_EQ(shot.At(d.x + 2, d.y + 1), shadow);
    EXPECT_EQ(shot.At(d.x + 1, d.y + 2), shadow);
    EXPECT_EQ(shot.At(d.x - 1, d.y), back);
    if (i > 0) {
      EXPECT_EQ(d.x, dots[0].x) << "one column";
      EXPECT_EQ(d.y - dots[i - 1].y, kGripperDotPitch);
    }
  }
}

TEST_F(RebarPaintTest, BandsStillPaintAfterTheLayoutChanged) {
  NMHDR note{};
  note.hwndFrom = rebar_;
  note.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(rebar_));
  note.code = RBN_LAYOUTCHANGED;
  SendMessageW(window_, WM_NOTIFY, note.idFrom, reinterpret_cast<LPARAM>(&note));
  // The relayout switches redrawing off; it must come back on, or the
  // rebar never paints again.
  const RECT band = BandRect(rebar_, 1);
  const ScreenShot shot(window_);
  int dot_pixels = 0;
  for (int y = band.top; y < band.bottom; ++y)
    for (int x = band.left; x < band.left + 14; ++x) {
      const POINT p = InShot(x, y);
      if (shot.At(p.x, p.y) == RGB(55, 60, 67)) ++dot_pixels;
    }
  EXPECT_GE(dot_pixels, 8);
}

TEST_F(RebarPaintTest, AChangeOfColourModeRepaintsTheBands) {
  const RECT band = BandRect(rebar_, 0);
  const POINT p = InShot(band.left, band.top);
  ASSERT_EQ(ScreenShot(window_).At(p.x, p.y), RGB(83, 83, 83));
  // Nothing but the mode change itself may bring the new colours on screen.
  ASSERT_EQ(SetUIColourMode(UICOLOURMODE_DEFAULT_BLUE), 1);
  EXPECT_EQ(ScreenShot(window_, false).At(p.x, p.y), RGB(191, 219, 255));
  ASSERT_EQ(SetUIColourMode(UICOLOURMODE_DEFAULT_GREY), 1);
  EXPECT_EQ(ScreenShot(window_, false).At(p.x, p.y), RGB(83, 83, 83));
}

// A tool bar in a plain container, outside any rebar: no part of the
// toolkit repaints it for its own reasons, and switching redraw off and on
// again reaches only the container; the mode change must still bring the
// new colour to its separator line.
TEST(ColourModeRepaint, AToolBarInAContainerTakesTheNewColoursUnasked) {
  HWND window = MakeTopLevel(40, 240, 300, 60);
  HWND container = CreateWindowExW(0, L"Static", nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 300, 60,
                                   window, nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(CreateToolbar(80, container, 16, 16, static_cast<uint32_t>(UISTYLE_OFFICE2007)), 0);
  HWND bar = ToolbarWindow(80);
  ASSERT_EQ(ToolbarAddImageButton(81, L"Wrap", nullptr, nullptr, nullptr, BTNS_AUTOSIZE), 81);
  ASSERT_NE(ToolbarAddSeparator(), 0);
  RECT item{};
  SendMessageW(bar, TB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&item));
  POINT p{(item.left + item.right) / 2 - 1, (item.top + item.bottom) / 2};
  MapWindowPoints(bar, window, &p, 1);
  ASSERT_EQ(ScreenShot(window).At(p.x, p.y), RGB(145, 153, 164));
  ASSERT_EQ(SetUIColourMode(UICOLOURMODE_DEFAULT_BLUE), 1);
  EXPECT_EQ(ScreenShot(window, false).At(p.x, p.y), RGB(154, 198, 255));
  ASSERT_EQ(SetUIColourMode(UICOLOURMODE_DEFAULT_GREY), 1);
  DestroyWindow(window);
}

// A tool bar of eight slots: buttons 1, 2, 3, separator, 5, separator, 7, 8.
struct EightSlotBar {
  HWND window = nullptr;
  HIMAGELIST images = nullptr;
};

EightSlotBar MakeEightSlotBar(HWND parent) {
  EightSlotBar bar;
  bar.window = CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr, WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT, 0, 0, 0, 0,
                               parent, nullptr, GetModuleHandleW(nullptr), nullptr);
  SendMessageW(bar.window, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  bar.images = ImageList_Create(16, 16, ILC_COLOR24, 8, 0);
  HDC screen = GetDC(nullptr);
  for (int i = 0; i < 6; ++i) {
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 16, 16);
    HDC dc = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    HBRUSH brush = CreateSolidBrush(RGB(40 * i, 200 - 30 * i, 90));
    const RECT all{0, 0, 16, 16};
    FillRect(dc, &all, brush);
    DeleteObject(brush);
    SelectObject(dc, old);
    DeleteDC(dc);
    ImageList_Add(bar.images, bitmap, nullptr);
    DeleteObject(bitmap);
  }
  ReleaseDC(nullptr, screen);
  SendMessageW(bar.window, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(bar.images));
  static const wchar_t* const kTexts[] = {L"One", L"Two", L"Three", L"Five", L"Eight"};
  TBBUTTON buttons[8] = {};
  const int ids[8] = {1, 2, 3, 0, 5, 0, 7, 8};
  int image = 0;
  for (int i = 0; i < 8; ++i) {
    buttons[i].idCommand = ids[i];
    buttons[i].fsState = TBSTATE_ENABLED;
    buttons[i].iString = -1;
    if (ids[i] == 0) {
      buttons[i].fsStyle = BTNS_SEP;
      continue;
    }
    buttons[i].iBitmap = image++;
    buttons[i].fsStyle = BTNS_BUTTON;
  }
  buttons[0].iString = reinterpret_cast<INT_PTR>(kTexts[0]);
  buttons[4].iString = reinterpret_cast<INT_PTR>(kTexts[3]);
  buttons[7].iString = reinterpret_cast<INT_PTR>(kTexts[4]);
  SendMessageW(bar.window, TB_ADDBUTTONSW, 8, reinterpret_cast<LPARAM>(buttons));
  SendMessageW(bar.window, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_MIXEDBUTTONS);
  SendMessageW(bar.window, TB_AUTOSIZE, 0, 0);
  return bar;
}

int ItemRight(HWND toolbar, int index) {
  RECT rect{};
  SendMessageW(toolbar, TB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&rect));
  return rect.right;
}

TEST(RebarChevronItems, TheToolkitsOwnSeparatorsAndTooltipsAreUnderstood) {
  HWND window = MakeTopLevel(40, 240, 400, 80);
  ASSERT_NE(CreateToolbar(70, window, 16, 16, static_cast<uint32_t>(UISTYLE_OFFICE2007)), 0);
  HWND bar = ToolbarWindow(70);
  ASSERT_NE(ToolbarAddImageButton(71, L"", nullptr, nullptr, nullptr, 0x10), 0);
  const int32_t separator = ToolbarAddSeparator();
  ASSERT_NE(separator, 0);
  ASSERT_NE(ToolbarAddImageButton(72, L"", nullptr, nullptr, nullptr, 0x10), 0);
  ASSERT_EQ(ToolbarSetButtonTooltip(70, 72, L"Paste"), 1);
  RECT shown{};
  GetWindowRect(bar, &shown);
  const std::vector<ChevronMenuItem> items = CollectChevronItems(bar, shown.left + ItemRight(bar, 0));
  ASSERT_EQ(items.size(), 2u);
  EXPECT_TRUE(items[0].separator) << "an ordinary slot the tool bar marks as separator";
  EXPECT_EQ(items[1].id, 72);
  EXPECT_EQ(items[1].text, L"Paste") << "an image button is named by its tooltip";
  DestroyWindow(window);
}

// What the open chevron menu holds, read from the menu window itself.
struct MenuEntry {
  UINT id;
  bool separator;
  bool disabled;
  bool checked;
  std::wstring text;
};
std::vector<MenuEntry> g_menu;
bool g_menu_seen = false;

// Reads the open menu, then chooses its second item (the first enabled
// one) with the keyboard.
void CALLBACK ReadOpenMenu(HWND, UINT, UINT_PTR, DWORD) {
  HWND popup = FindWindowW(L"#32768", nullptr);
  if (!popup || !IsWindowVisible(popup) || g_menu_seen) return;
  auto menu = reinterpret_cast<HMENU>(SendMessageW(popup, MN_GETHMENU, 0, 0));
  if (!menu) return;
  g_menu_seen = true;
  for (int i = 0, n = GetMenuItemCount(menu); i < n; ++i) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_ID | MIIM_FTYPE | MIIM_STATE;
    GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info);
    wchar_t text[64] = {};
    GetMenuStringW(menu, static_cast<UINT>(i), text, 64, MF_BYPOSITION);
    g_menu.push_back({info.wID, (info.fType & MFT_SEPARATOR) != 0, (info.fState & MFS_DISABLED) != 0,
                      (info.fState & MFS_CHECKED) != 0, text});
  }
  PostMessageW(popup, WM_KEYDOWN, VK_DOWN, 0);
  PostMessageW(popup, WM_KEYDOWN, VK_DOWN, 0);
  PostMessageW(popup, WM_KEYDOWN, VK_RETURN, 0);
}

void CALLBACK CloseAnyMenu(HWND, UINT, UINT_PTR, DWORD) { EndMenu(); }

TEST(RebarChevronMenu, PushingTheChevronListsTheFiveHiddenSlotsAsASkinnedMenu) {
  HWND window = MakeTopLevel(40, 240, 400, 80);
  HWND rebar = reinterpret_cast<HWND>(CreateRebar(50, window, nullptr, kStyle2007, 1));
  EightSlotBar bar = MakeEightSlotBar(window);
  SendMessageW(bar.window, TB_ENABLEBUTTON, 5, FALSE);
  SendMessageW(bar.window, TB_CHECKBUTTON, 8, TRUE);
  SIZE full{};
  SendMessageW(bar.window, TB_GETMAXSIZE, 0, reinterpret_cast<LPARAM>(&full));
  ASSERT_EQ(RebarAddBand(bar.window, L"", full.cx, 10, 0, nullptr, RBBS_CHILDEDGE | RBBS_GRIPPERALWAYS | RBBS_USECHEVRON), 0);
  // Narrow the window (the rebar spans it) until the tool bar shows b3 but
  // not the separator after it.
  const int target = (ItemRight(bar.window, 2) + ItemRight(bar.window, 3)) / 2;
  int width = 300;
  for (int attempt = 0; attempt < 6; ++attempt) {
    SetWindowPos(window, nullptr, 0, 0, width, 80, SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
    SendMessageW(rebar, WM_SIZE, 0, 0);
    Pump(20);
    RECT shown{};
    GetClientRect(bar.window, &shown);
    if (shown.right == target) break;
    width += target - shown.right;
  }
  RECT shown{};
  GetClientRect(bar.window, &shown);
  ASSERT_GE(shown.right, ItemRight(bar.window, 2));
  ASSERT_LT(shown.right, ItemRight(bar.window, 3));

  g_menu.clear();
  g_menu_seen = false;
  g_commands = 0;
  const UINT_PTR reader = SetTimer(nullptr, 0, 150, ReadOpenMenu);
  const UINT_PTR guard = SetTimer(nullptr, 0, 3000, CloseAnyMenu);
  SendMessageW(rebar, RB_PUSHCHEVRON, 0, 0);
  KillTimer(nullptr, reader);
  KillTimer(nullptr, guard);
  Pump(50);
  ASSERT_TRUE(g_menu_seen) << "the chevron opened a menu";
  ASSERT_EQ(g_menu.size(), 5u);
  EXPECT_TRUE(g_menu[0].separator);
  EXPECT_EQ(g_menu[1].id, 5u);
  EXPECT_EQ(g_menu[1].text, L"Five");
  EXPECT_TRUE(g_menu[1].disabled);
  EXPECT_TRUE(g_menu[2].separator);
  EXPECT_EQ(g_menu[3].id, 7u);
  EXPECT_EQ(g_menu[3].text, L"Command 7") << "a button without text or tooltip gets a stand-in";
  EXPECT_FALSE(g_menu[3].disabled);
  EXPECT_EQ(g_menu[4].id, 8u);
  EXPECT_TRUE(g_menu[4].checked);
  EXPECT_EQ(g_commands, 7u) << "choosing an item gives the owner the button's command";
  DestroyWindow(window);
  ImageList_Destroy(bar.images);
}

}  // namespace
}  // namespace lumora
