// Panels, pages, text labels and skinned buttons under Wine with real
// windows: every button state painted and read back pixel by pixel, a skin
// and its changes on a button, what a disabled button does with the mouse, commands from controls on a page,
// the filter of repeated pointer messages, labels that fit their text, and
// the lifetimes of the hover flag, skin images, cached brushes and painting.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "platform/os_handles_win32.h"
#include "tests/wine/toolbar_test_support.h"
#include "toolkit/base/platform_caps_win32.h"
#include "toolkit/controls/button_win32.h"
#include "toolkit/controls/label_win32.h"
#include "toolkit/base/toolkit_messages.h"
#include "toolkit/controls/panel_registry_win32.h"
#include "toolkit/controls/panel_win32.h"
#include "toolkit/controls/theme_objects_win32.h"
#include "toolkit/style/colour.h"
#include "toolkit/style/drawing_win32.h"
#include "toolkit/style/label_draw_win32.h"
#include "toolkit/style/skin.h"
#include "toolkit/style/skin_model.h"

namespace lumora {
namespace {

using namespace testing_support;

const auto* const g_environment = ::testing::AddGlobalTestEnvironment(new ToolkitEnvironment);

class PanelButtonTest : public ::testing::Test {
 protected:
  void SetUp() override {
    host_ = MakeHost(400, 200, false);
    ASSERT_NE(host_, nullptr);
    Pump(20);
    Commands().clear();
  }
  void TearDown() override {
    DestroyWindow(host_);
    for (HICON icon : icons_) DestroyIcon(icon);
  }
  HICON Icon(COLORREF colour) {
    icons_.push_back(MakeSolidIcon(colour));
    return icons_.back();
  }
  static HWND PageOf(intptr_t panel) { return PanelWindow(panel, 0); }
  static LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

  HWND host_ = nullptr;
  std::vector<HICON> icons_;
};

int32_t Argb(COLORREF colour) { return MakeARGB(255, GetRValue(colour), GetGValue(colour), GetBValue(colour)); }

// A bitmap whose left half is one colour and right half another, owned by
// the caller.
HBITMAP HalvesBitmap(int size, COLORREF left, COLORREF right) {
  platform::WindowDc screen(nullptr);
  HBITMAP bitmap = CreateCompatibleBitmap(screen.get(), size, size);
  platform::UniqueMemoryDc dc = platform::CreateMemoryDc(screen.get());
  platform::SelectGuard selected(dc.get(), bitmap);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) SetPixel(dc.get(), x, y, x < size / 2 ? left : right);
  return bitmap;
}

TEST_F(PanelButtonTest, EveryStatePaintsItsGradientAndItsImageCentred) {
  const COLORREF normal = RGB(200, 0, 0), hot = RGB(0, 200, 0), pressed = RGB(0, 0, 200), disabled = RGB(90, 90, 90);
  const intptr_t button = CreateButton(host_, 100, 10, 10, 40, 30, L"", Icon(normal), Icon(hot), Icon(pressed),
                                       Icon(disabled), -1);
  ASSERT_NE(button, 0);
  const HWND page = PageOf(button);
  ASSERT_NE(page, nullptr);
  // Each state its own vertical gradient, from (20 s, 100, 250) at the top to
  // (20 s, 250, 100) at the bottom.
  for (int state = 0; state < kButtonStateCount; ++state) {
    ButtonLook look = CentredLook();
    look.background_gradient = CreateGradient(GRADIENT_VERTICAL, Argb(RGB(20 * state, 100, 250)),
                                              Argb(RGB(20 * state, 250, 100)));
    ASSERT_NE(look.background_gradient, 0);
    ASSERT_EQ(ButtonSetLook(button, state, look), 1);
  }
  // The image of a state without its own is the normal one.
  const COLORREF expected_image[kButtonStateCount] = {normal, hot, pressed, disabled, normal,
                                                      normal, normal, normal, normal, normal};
  auto expect_state = [&](int state) {
    SCOPED_TRACE(ButtonStateName(state));
    ASSERT_EQ(ButtonGetState(button), state);
    const Printed printed(page);
    const Canvas& shot = printed.canvas;
    EXPECT_TRUE(ColourNear(shot.At(2, 0), RGB(20 * state, 100, 250), 12));
    EXPECT_TRUE(ColourNear(shot.At(2, 29), RGB(20 * state, 250, 100), 12));
    // 16 × 16 at 50 % of the free space: columns 12 to 27, rows 7 to 22.
    EXPECT_TRUE(ColourNear(shot.At(12, 7), expected_image[state], 4));
    EXPECT_TRUE(ColourNear(shot.At(27, 22), expected_image[state], 4));
    EXPECT_FALSE(ColourNear(shot.At(11, 7), expected_image[state], 40));
    EXPECT_FALSE(ColourNear(shot.At(28, 22), expected_image[state], 40));
  };
  expect_state(BUTTON_NORMAL);
  SendMessageW(page, WM_MOUSEMOVE, 0, At(5, 5));
  expect_state(BUTTON_HOT);
  SendMessageW(page, WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
  expect_state(BUTTON_PRESSED);
  SendMessageW(page, WM_LBUTTONUP, 0, At(5, 5));
  expect_state(BUTTON_HOT);
  SendMessageW(page, WM_MOUSELEAVE, 0, 0);
  expect_state(BUTTON_NORMAL);

  ButtonSetToggle(button, true, false, 0);
  ButtonSetToggleState(button, ButtonToggle::kSelected);
  expect_state(BUTTON_SELECTED);
  SendMessageW(page, WM_MOUSEMOVE, 0, At(6, 5));
  expect_state(BUTTON_SELECTED_HOT);
  SendMessageW(page, WM_LBUTTONDOWN, MK_LBUTTON, At(6, 5));
  expect_state(BUTTON_SELECTED_PRESSED);
  SendMessageW(page, WM_MOUSELEAVE, 0, 0);
  ButtonSetToggleState(button, ButtonToggle::kInBetween);
  expect_state(BUTTON_INBETWEEN);
  SendMessageW(page, WM_MOUSEMOVE, 0, At(7, 5));
  expect_state(BUTTON_INBETWEEN_HOT);
  SendMessageW(page, WM_LBUTTONDOWN, MK_LBUTTON, At(7, 5));
  expect_state(BUTTON_INBETWEEN_PRESSED);
  SendMessageW(page, WM_MOUSELEAVE, 0, 0);
  ButtonSetDisabled(button, 1);
  expect_state(BUTTON_DISABLED);

  // The one release after a press was one click, posted to the host.
  Pump(50);
  EXPECT_EQ(Commands(), std::vector<UINT>{100});
}

TEST_F(PanelButtonTest, BackgroundImageTilesRepeatsAlongOneAxisAndLetsItsMaskShowThrough) {
  // 4 × 4: two red columns, then two of the mask green.
  const platform::UniqueBitmap stripes(HalvesBitmap(4, RGB(255, 0, 0), RGB(0, 255, 0)));
  const intptr_t button = CreateButton(host_, 101, 0, 0, 40, 30, L"", nullptr, nullptr, nullptr, nullptr, -1);
  ASSERT_NE(button, 0);
  const HWND page = PageOf(button);
  ButtonLook look;
  look.background_colour = static_cast<int32_t>(RGB(0, 0, 255));
  look.background_image = stripes.get();
  look.background_position.tile = true;
  look.background_position.masked = true;
  ASSERT_EQ(ButtonSetLook(button, BUTTON_NORMAL, look), 1);
  {
    const Printed printed(page);
    const Canvas& shot = printed.canvas;
    EXPECT_TRUE(ColourNear(shot.At(37, 25), RGB(255, 0, 0), 2));  // a copy far from the first
    EXPECT_TRUE(ColourNear(shot.At(38, 25), RGB(0, 0, 255), 2));  // its green is the background's
  }
  // "x: repeat" alone makes one row of copies along the top.
  look.background_position = SkinPlacement{};
  look.background_position.x = SkinOffset{SkinOffset::kRepeat, 0};
  ASSERT_EQ(ButtonSetLook(button, BUTTON_NORMAL, look), 1);
  const Printed printed(page);
  const Canvas& shot = printed.canvas;
  EXPECT_TRUE(ColourNear(shot.At(37, 1), RGB(255, 0, 0), 2));
  EXPECT_TRUE(ColourNear(shot.At(38, 1), RGB(0, 255, 0), 2));  // not masked now
  EXPECT_TRUE(ColourNear(shot.At(37, 25), RGB(0, 0, 255), 2));
}

TEST_F(PanelButtonTest, SkinChangeRepaintsButtonsThroughTheRefreshMessage) {
  const SkinHandle skin = CreateSkin(std::wstring_view(L"panelButtonTestSkin"));
  ASSERT_NE(skin, 0);
  // Names are given in mixed case; the skin model lower-cases them.
  ASSERT_EQ(SetSkinProperty(skin, L"ButtonEx", L"Normal", L"Background", L"gradient: vertical, #ff0000, #0000ff;"), 1);
  ASSERT_EQ(SetSkinProperty(skin, L"buttonex", L"normal", L"image position", L"x: 50%; y: 50%;"), 1);
  ASSERT_EQ(SetSkinProperty(skin, L"buttonex", L"hot", L"background", L"#00ff00;"), 1);
  const COLORREF image = RGB(10, 20, 30);
  const intptr_t button = CreateButton(host_, 77, 0, 0, 40, 30, L"", Icon(image), nullptr, nullptr, nullptr, skin);
  ASSERT_NE(button, 0);
  const HWND page = PageOf(button);
  {
    const Printed printed(page);
    const Canvas& shot = printed.canvas;
    EXPECT_TRUE(ColourNear(shot.At(2, 0), RGB(255, 0, 0), 12));
    EXPECT_TRUE(ColourNear(shot.At(2, 29), RGB(0, 0, 255), 12));
    EXPECT_TRUE(ColourNear(shot.At(12, 7), image, 4));
    EXPECT_FALSE(ColourNear(shot.At(11, 7), image, 20));
  }
  // A state reads only its own properties: hot has no image position, so
  // its image sits at the top left.
  SendMessageW(page, WM_MOUSEMOVE, 0, At(8, 8));
  {
    const Printed printed(page);
    const Canvas& shot = printed.canvas;
    EXPECT_TRUE(ColourNear(shot.At(38, 28), RGB(0, 255, 0), 2));
    EXPECT_TRUE(ColourNear(shot.At(0, 0), image, 4));
  }
  SendMessageW(page, WM_MOUSELEAVE, 0, 0);
  // Changing the skin reaches the button as the skin-refresh message.
  ASSERT_EQ(SetSkinProperty(skin, L"buttonex", L"normal", L"background", L"rgb(250, 250, 0);"), 1);
  EXPECT_TRUE(ColourNear(Printed(page).canvas.At(2, 0), RGB(250, 250, 0), 2));
}

TEST_F(PanelButtonTest, DisabledButtonIgnoresTheMouseAndPostsNothing) {
  const intptr_t button = CreateImageButton(host_, -1, 0, 0, 0, 0, Icon(RGB(200, 0, 0)), nullptr, nullptr, nullptr);
  ASSERT_NE(button, 0);
  const int32_t id = static_cast<int32_t>(button);
  const HWND page = PageOf(reinterpret_cast<intptr_t>(ButtonWindow(id)));
  ASSERT_NE(page, nullptr);
  // Made with a size of 0 × 0, it took its image's size.
  RECT rect;
  GetClientRect(page, &rect);
  EXPECT_EQ(rect.right, 16);
  EXPECT_EQ(rect.bottom, 16);
  ASSERT_EQ(ButtonSetDisabled(id, 1), 1);
  for (UINT message : {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_MOUSELEAVE}) {
    SendMessageW(page, message, message == WM_LBUTTONDOWN ? MK_LBUTTON : 0, At(4, 4));
    EXPECT_EQ(ButtonGetState(id), BUTTON_DISABLED);
  }
  Pump(50);
  EXPECT_TRUE(Commands().empty());
  // Enabled again, the same press and release is a click.
  ButtonSetDisabled(id, 0);
  SendMessageW(page, WM_MOUSEMOVE, 0, At(5, 4));
  SendMessageW(page, WM_LBUTTONDOWN, MK_LBUTTON, At(5, 4));
  SendMessageW(page, WM_LBUTTONUP, 0, At(5, 4));
  Pump(50);
  EXPECT_EQ(Commands(), std::vector<UINT>{static_cast<UINT>(id)});
  SendMessageW(page, WM_MOUSELEAVE, 0, 0);
}

// The tooltip window is made on the pointer's first move over the button,
// not before, carries the text given earlier, and follows later changes.
TEST_F(PanelButtonTest, TooltipWindowIsMadeOnTheFirstPointerMove) {
  auto tooltips = [] {
    std::vector<HWND> all;
    DWORD pid = 0;
    for (HWND window = nullptr; (window = FindWindowExW(nullptr, window, TOOLTIPS_CLASSW, nullptr));)
      if (GetWindowThreadProcessId(window, &pid) && pid == GetCurrentProcessId()) all.push_back(window);
    return all;
  };
  const std::vector<HWND> before = tooltips();
  const int32_t id = static_cast<int32_t>(
      CreateImageButton(host_, -1, 0, 0, 0, 0, Icon(RGB(0, 90, 200)), nullptr, nullptr, nullptr));
  ASSERT_NE(id, 0);
  const HWND page = PageOf(reinterpret_cast<intptr_t>(ButtonWindow(id)));
  ASSERT_EQ(ButtonSetTooltip(id, L"Clear Search"), 1);
  EXPECT_EQ(tooltips().size(), before.size());
  SendMessageW(page, WM_MOUSEMOVE, 0, At(4, 4));
  const std::vector<HWND> after = tooltips();
  ASSERT_EQ(after.size(), before.size() + 1);
  HWND made = nullptr;
  for (HWND window : after)
    if (std::find(before.begin(), before.end(), window) == before.end()) made = window;
  auto text = [&] {
    wchar_t buffer[64] = {};
    TTTOOLINFOW tool{TTTOOLINFOW_V2_SIZE, 0, page, reinterpret_cast<UINT_PTR>(page), {}, nullptr, buffer, 0, nullptr};
    SendMessageW(made, TTM_GETTEXTW, 64, reinterpret_cast<LPARAM>(&tool));
    return std::wstring(buffer);
  };
  EXPECT_EQ(text(), L"Clear Search");
  SendMessageW(page, WM_MOUSEMOVE, 0, At(5, 4));
  EXPECT_EQ(tooltips().size(), after.size()) << "one tooltip a button";
  ASSERT_EQ(ButtonSetTooltip(id, L"Search"), 1);
  EXPECT_EQ(text(), L"Search");
  SendMessageW(page, WM_MOUSELEAVE, 0, 0);
}

TEST_F(PanelButtonTest, CommandsFromControlsOnAPageReachThePanelsParent) {
  const intptr_t panel = CreatePanel(-1, host_, 0, 0, 300, 60, nullptr);
  ASSERT_NE(panel, 0);
  const HWND first = AddPanelPage(0x8000);
  const HWND second = AddPanelPage(0);
  ASSERT_TRUE(first && second);
  EXPECT_TRUE(GetWindowLongW(first, GWL_STYLE) & WS_VISIBLE);
  EXPECT_FALSE(GetWindowLongW(second, GWL_STYLE) & WS_VISIBLE);
  // The panel itself never takes the pointer: its pages do.
  EXPECT_EQ(SendMessageW(PanelWindow(panel, -1), WM_NCHITTEST, 0, 0), HTTRANSPARENT);
  // The page added last is where the next controls go.
  EXPECT_EQ(CurrentControlContainer(), second);
  SetActivePage(panel, 0);

  const HWND plain = CreateWindowExW(0, L"BUTTON", L"OK", WS_CHILD | WS_VISIBLE, 0, 0, 60, 24, first,
                                     reinterpret_cast<HMENU>(41), GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(plain, nullptr);
  SendMessageW(plain, BM_CLICK, 0, 0);
  SetPageInsertionIndex(0);
  const intptr_t skinned = CreateImageButton(first, 18, 100, 0, 0, 0, Icon(RGB(0, 0, 200)), nullptr, nullptr, nullptr);
  ASSERT_NE(skinned, 0);
  // Creating a button leaves the application's current container alone.
  EXPECT_EQ(CurrentControlContainer(), second);
  const HWND page = PageOf(skinned);
  SendMessageW(page, WM_MOUSEMOVE, 0, At(3, 3));
  SendMessageW(page, WM_LBUTTONDOWN, MK_LBUTTON, At(3, 3));
  SendMessageW(page, WM_LBUTTONUP, 0, At(3, 3));
  SendMessageW(page, WM_MOUSELEAVE, 0, 0);
  Pump(50);
  EXPECT_EQ(Commands(), (std::vector<UINT>{41, 18}));

  // A page inserted first: PanelWindow counts it first, its number is the
  // next one. The button made in between leaves the index to this page.
  const HWND third = AddPanelPage(0);
  ASSERT_NE(third, nullptr);
  EXPECT_EQ(PanelWindow(panel, 0), third);
  EXPECT_EQ(PanelWindow(panel, 1), first);
  ASSERT_TRUE(SetActivePage(panel, 2));
  EXPECT_TRUE(GetWindowLongW(third, GWL_STYLE) & WS_VISIBLE);
  EXPECT_FALSE(GetWindowLongW(first, GWL_STYLE) & WS_VISIBLE);
}

TEST_F(PanelButtonTest, PageOpacityBlendsTheBackgroundOverWhatLiesUnderThePanel) {
  const intptr_t panel = CreatePanel(-1, host_, 0, 0, 60, 40, nullptr);
  const HWND page = AddPanelPage(0);
  ASSERT_NE(page, nullptr);
  PageBackground red;
  red.colour = static_cast<int32_t>(RGB(255, 0, 0));
  ASSERT_TRUE(SetPageBackground(page, red));
  const COLORREF under = GetSysColor(COLOR_BTNFACE);  // the host's class brush
  EXPECT_TRUE(ColourNear(Printed(page).canvas.At(30, 20), RGB(255, 0, 0), 2));
  ASSERT_TRUE(SetPageOpacity(panel, 0, 0, true));
  EXPECT_TRUE(ColourNear(Printed(page).canvas.At(30, 20), under, 2));
  // Half way, by window as well as by index.
  ASSERT_TRUE(SetPageOpacity(reinterpret_cast<intptr_t>(PanelWindow(panel, -1)), reinterpret_cast<intptr_t>(page), 128, true));
  const COLORREF half = RGB((255 + GetRValue(under)) / 2, GetGValue(under) / 2, GetBValue(under) / 2);
  EXPECT_TRUE(ColourNear(Printed(page).canvas.At(30, 20), half, 3));
  EXPECT_FALSE(SetPageOpacity(panel, 5, 255, true));
}

TEST_F(PanelButtonTest, PagePaintsItsOwnImageOverItsBackgroundWithWhiteShowingThrough) {
  CreatePanel(-1, host_, 0, 0, 60, 40, nullptr);
  const HWND page = AddPanelPage(0, HalvesBitmap(8, RGB(0, 0, 255), RGB(255, 255, 255)));  // the page owns it
  ASSERT_NE(page, nullptr);
  PageBackground red;
  red.colour = static_cast<int32_t>(RGB(255, 0, 0));
  ASSERT_TRUE(SetPageBackground(page, red));
  const Printed printed(page);
  const Canvas& shot = printed.canvas;
  EXPECT_TRUE(ColourNear(shot.At(1, 1), RGB(0, 0, 255), 2));
  EXPECT_TRUE(ColourNear(shot.At(6, 6), RGB(255, 0, 0), 2));
  EXPECT_TRUE(ColourNear(shot.At(30, 20), RGB(255, 0, 0), 2));
}

TEST_F(PanelButtonTest, ScrollingPageGetsABarBesideItAndMovesItsControls) {
  const intptr_t panel = CreatePanel(-1, host_, 0, 0, 100, 60, nullptr);
  const HWND page = AddPanelPage(0);
  ASSERT_NE(page, nullptr);
  const HWND child = CreateWindowExW(0, L"STATIC", L"x", WS_CHILD | WS_VISIBLE, 70, 5, 20, 20, page, nullptr,
                                     GetModuleHandleW(nullptr), nullptr);
  ASSERT_TRUE(SetPageScrollSize(page, 300, 40));
  const HWND panel_window = PanelWindow(panel, -1);
  const HWND bar = FindWindowExW(panel_window, nullptr, L"SCROLLBAR", nullptr);
  ASSERT_NE(bar, nullptr);
  RECT client;
  GetClientRect(page, &client);
  EXPECT_EQ(client.right, 100);
  EXPECT_EQ(client.bottom, 60 - GetSystemMetrics(SM_CYHSCROLL));
  SendMessageW(panel_window, WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, 50), reinterpret_cast<LPARAM>(bar));
  RECT where;
  GetWindowRect(child, &where);
  MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&where), 2);
  EXPECT_EQ(where.left, 20);
  EXPECT_EQ(GetScrollPos(bar, SB_CTL), 50);
}

int g_moves = 0;
int g_hit_tests = 0;
LRESULT CALLBACK CountingCallback(HWND, UINT message, WPARAM, LPARAM) {
  if (message == WM_MOUSEMOVE) ++g_moves;
  if (message == WM_NCHITTEST) ++g_hit_tests;
  return 0;
}

TEST_F(PanelButtonTest, RepeatedIdenticalPointerMessagesReachTheCallbackOnce) {
  ASSERT_NE(CreatePanel(-1, host_, 0, 0, 100, 50, CountingCallback), 0);
  const HWND page = AddPanelPage(0);
  ASSERT_NE(page, nullptr);
  g_moves = g_hit_tests = 0;
  SendMessageW(page, WM_MOUSEMOVE, 0, At(10, 10));
  SendMessageW(page, WM_MOUSEMOVE, 0, At(10, 10));
  EXPECT_EQ(g_moves, 1);
  SendMessageW(page, WM_MOUSEMOVE, MK_LBUTTON, At(10, 10));
  SendMessageW(page, WM_MOUSEMOVE, MK_LBUTTON, At(11, 10));
  EXPECT_EQ(g_moves, 3);
  // A repeated hit test is not offered again but still answered.
  POINT screen{5, 5};
  ClientToScreen(page, &screen);
  const LPARAM where = MAKELPARAM(screen.x, screen.y);
  const LRESULT answer = SendMessageW(page, WM_NCHITTEST, 0, where);
  EXPECT_EQ(SendMessageW(page, WM_NCHITTEST, 0, where), answer);
  EXPECT_EQ(g_hit_tests, 1);
}

TEST_F(PanelButtonTest, LabelSizesItselfToItsText) {
  auto measure = [](const wchar_t* text) {
    HDC screen = GetDC(nullptr);
    RECT extent{0, 0, 0, 0};
    MeasureLabel(screen, text, &extent, UiFont(), 0);
    ReleaseDC(nullptr, screen);
    return extent;
  };
  const intptr_t label = CreateTextLabel(-1, host_, 10, 10, 0, 0, L"2 of 5");
  ASSERT_NE(label, 0);
  const RECT small = measure(L"2 of 5");
  EXPECT_EQ(LabelWidth(label), small.right - small.left);
  ASSERT_EQ(LabelSetPadding(label, 4, 2, 6, 2), 1);
  ASSERT_EQ(LabelSetText(label, L"\\b123 of 4567\\b"), 1);
  const RECT bold = measure(L"\\b123 of 4567\\b");
  EXPECT_GT(bold.right, small.right);
  EXPECT_EQ(LabelWidth(label), bold.right - bold.left + 10);
  // Link markers take no room.
  LabelSetText(label, L"\\l1\\b123 of 4567\\b\\l");
  EXPECT_EQ(LabelWidth(label), bold.right - bold.left + 10);

  // A fixed width stays; the height still follows the text.
  const intptr_t fixed = CreateTextLabel(-1, host_, 10, 40, 120, 0, L"No results");
  EXPECT_EQ(LabelWidth(fixed), 120);
  // The no-match form: black text on a light red fill.
  LabelSetColours(fixed, RGB(0, 0, 0), RGB(255, 100, 100));
  LabelSetStyle(fixed, LABEL_STYLE_FILL);
  const HWND window = LabelWindow(fixed);
  ASSERT_NE(window, nullptr);
  const Printed printed(PanelWindow(reinterpret_cast<intptr_t>(window), 0));
  const Canvas& shot = printed.canvas;
  EXPECT_EQ(shot.width(), 120);
  EXPECT_EQ(shot.height(), measure(L"No results").bottom);
  EXPECT_TRUE(ColourNear(shot.At(118, 1), RGB(255, 100, 100), 2));
  EXPECT_EQ(LabelWidth(12345), 0);
}

}  // namespace
}  // namespace lumora

namespace lumora {
namespace {

TEST_F(PanelButtonTest, AHoveredButtonThatIsDestroyedLeavesTheOthersFreeToTurnHot) {
  const intptr_t gone = CreateButton(host_, 301, 0, 0, 30, 20, L"", Icon(RGB(1, 2, 3)), nullptr, nullptr, nullptr, -1);
  const intptr_t stays = CreateButton(host_, 302, 40, 0, 30, 20, L"", Icon(RGB(1, 2, 3)), nullptr, nullptr, nullptr, -1);
  ASSERT_TRUE(gone && stays);
  SendMessageW(PageOf(gone), WM_MOUSEMOVE, 0, At(4, 4));
  ASSERT_EQ(ButtonGetState(301), BUTTON_HOT);
  // Destroyed under the pointer: it never sees its leave.
  DestroyWindow(ButtonWindow(301));
  SendMessageW(PageOf(stays), WM_MOUSEMOVE, 0, At(5, 5));
  EXPECT_EQ(ButtonGetState(302), BUTTON_HOT);
  SendMessageW(PageOf(stays), WM_MOUSELEAVE, 0, 0);
}

// An image or font a skin loaded stays alive while a button draws with it,
// even when a caller stores another handle over the property.
struct HeldBitmap : SkinHeldHandle {
  explicit HeldBitmap(HBITMAP bitmap) : held(bitmap) {}
  intptr_t get() const noexcept override { return reinterpret_cast<intptr_t>(held.get()); }
  platform::UniqueBitmap held;
};

TEST_F(PanelButtonTest, ASkinImageReplacedByAHandleLivesUntilNoButtonDrawsWithIt) {
  const SkinHandle skin = CreateSkin(std::wstring_view(L"keptImageSkin"));
  const HBITMAP loaded = HalvesBitmap(8, RGB(0, 0, 255), RGB(0, 0, 255));
  ASSERT_TRUE(StoreSkinImage(skin, u"buttonex", u"normal", u"background image", std::make_unique<HeldBitmap>(loaded)));
  ASSERT_EQ(SetSkinProperty(skin, L"buttonex", L"normal", L"background position", L"stretch;"), 1);
  const intptr_t button = CreateButton(host_, 303, 0, 0, 30, 20, L"", nullptr, nullptr, nullptr, nullptr, skin);
  ASSERT_NE(button, 0);
  const platform::UniqueBitmap other(HalvesBitmap(8, RGB(0, 255, 0), RGB(0, 255, 0)));
  ASSERT_TRUE(SetSkinPropertyHandle(skin, L"buttonex", L"normal", L"background image",
                                    reinterpret_cast<intptr_t>(other.get())));
  EXPECT_EQ(GetObjectType(loaded), static_cast<DWORD>(OBJ_BITMAP));
  EXPECT_TRUE(ColourNear(Printed(PageOf(button)).canvas.At(15, 10), RGB(0, 0, 255), 2));
  DestroyWindow(reinterpret_cast<HWND>(button));
  EXPECT_EQ(GetObjectType(loaded), 0u);
}

TEST_F(PanelButtonTest, PageSkinColoursAreConvertedAndItsBorderImageIsCutInNine) {
  const SkinHandle skin = CreateSkin(std::wstring_view(L"pageBorderSkin"));
  SetSkinProperty(skin, L"page", L"normal", L"background", L"rgba(255, 0, 0, 1);");
  SetSkinProperty(skin, L"framed", L"normal", L"background", L"rgba(255, 0, 0, 1);");
  SetSkinProperty(skin, L"framed", L"normal", L"border image", L"top: 3; left: 3; bottom: 3; right: 3;");
  // 9 × 9: a blue ring 3 pixels wide round a green middle.
  platform::WindowDc screen(nullptr);
  const platform::UniqueBitmap frame(CreateCompatibleBitmap(screen.get(), 9, 9));
  {
    platform::UniqueMemoryDc dc = platform::CreateMemoryDc(screen.get());
    platform::SelectGuard selected(dc.get(), frame.get());
    for (int y = 0; y < 9; ++y)
      for (int x = 0; x < 9; ++x)
        SetPixel(dc.get(), x, y, x >= 3 && x < 6 && y >= 3 && y < 6 ? RGB(0, 255, 0) : RGB(0, 0, 255));
  }
  SetSkinPropertyHandle(skin, L"framed", L"normal", L"border image", reinterpret_cast<intptr_t>(frame.get()));
  CreatePanel(-1, host_, 0, 0, 60, 40, nullptr);
  const HWND plain = AddPanelPage(0);
  CreatePanel(-1, host_, 0, 50, 60, 40, nullptr);
  const HWND framed = AddPanelPage(0);
  ASSERT_TRUE(SetPageSkin(plain, skin, L"page"));
  ASSERT_TRUE(SetPageSkin(framed, skin, L"framed"));
  EXPECT_TRUE(ColourNear(Printed(plain).canvas.At(30, 20), RGB(255, 0, 0), 2));
  const Printed printed(framed);
  EXPECT_TRUE(ColourNear(printed.canvas.At(1, 1), RGB(0, 0, 255), 2));
  EXPECT_TRUE(ColourNear(printed.canvas.At(58, 38), RGB(0, 0, 255), 2));
  EXPECT_TRUE(ColourNear(printed.canvas.At(30, 20), RGB(0, 255, 0), 2));
}

TEST_F(PanelButtonTest, ThemeChangeDropsTheCachedBrushesAndRepaints) {
  CreatePanel(-1, host_, 0, 0, 60, 40, nullptr);
  const HWND page = AddPanelPage(0);
  ShowWindow(host_, SW_SHOWNA);
  UpdateWindow(host_);
  Pump(20);
  ASSERT_GT(ThemeObjectCount(), 0u);
  SendMessageW(page, WM_THEMECHANGED, 0, 0);
  EXPECT_EQ(ThemeObjectCount(), 0u);
  RECT dirty;
  EXPECT_TRUE(GetUpdateRect(page, &dirty, FALSE)) << "the page repaints in the new theme";
  Pump(20);
  EXPECT_GT(ThemeObjectCount(), 0u);
}

// A page does not paint while its control is rebuilt from a changed skin;
// it paints once the rebuild is done.
int g_paints = 0;
int g_paints_during_rebuild = -1;
void CountPaint(HWND, HDC, const RECT&) { ++g_paints; }
LRESULT CALLBACK RebuildingCallback(HWND page, UINT message, WPARAM, LPARAM) {
  if (message == WM_LUMORA_SKINCHANGED) {
    const int before = g_paints;
    RedrawWindow(page, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    g_paints_during_rebuild = g_paints - before;
  }
  return 0;
}

TEST_F(PanelButtonTest, APageDoesNotPaintWhileItsControlIsRebuiltFromItsSkin) {
  CreatePanel(-1, host_, 0, 0, 60, 40, RebuildingCallback);
  const HWND page = AddPanelPage(0);
  ASSERT_TRUE(SetPagePainter(page, CountPaint));
  ShowWindow(host_, SW_SHOWNA);
  UpdateWindow(host_);
  g_paints = 0;
  SendMessageW(page, WM_LUMORA_SKINCHANGED, 0, 0);
  EXPECT_EQ(g_paints_during_rebuild, 0);
  EXPECT_EQ(g_paints, 1);
}

}  // namespace
}  // namespace lumora
