// Tool-bar painting read back pixel by pixel: the UI styles' gradients,
// frames, separators and text colours from the UI colour table, the classic
// separator, and derived images that follow the colour mode.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <vector>

#include "tests/wine/toolbar_test_support.h"
#include "toolkit/bars/toolbar_win32.h"
#include "toolkit/base/platform_caps_win32.h"
#include "toolkit/style/colour_mode.h"
#include "toolkit/style/ui_colour_table.h"
#include "toolkit/style/ui_style.h"

namespace lumora {
namespace {

using namespace testing_support;

const auto* const g_environment = ::testing::AddGlobalTestEnvironment(new ToolkitEnvironment);

constexpr COLORREF kBackground = RGB(255, 0, 255);
constexpr uint32_t kOffice2007Bar = UISTYLE_OFFICE2007 | TOOLBAR_HIDE_CLIPPED;

int g_painter_calls = 0;
void CountingPainter(HWND, HDC, const RECT&) { ++g_painter_calls; }

class ToolbarPaintTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(SetUIColourMode(UICOLOURMODE_DEFAULT_GREY), 1);
    // Printing needs no visible window, and destroying a shown one is slow
    // on a bare X server.
    host_ = MakeHost(600, 200, false);
    ASSERT_NE(host_, nullptr);
  }
  void TearDown() override {
    for (HWND window : made_) ToolbarFree(window);
    DestroyWindow(host_);
    for (HICON icon : icons_) DestroyIcon(icon);
    SetUIColourMode(UICOLOURMODE_DEFAULT);
  }
  HWND Make(int32_t id, uint32_t flags) {
    if (!CreateToolbar(id, host_, 16, 16, flags)) return nullptr;
    made_.push_back(ToolbarWindow(id));
    return made_.back();
  }
  HICON Icon(COLORREF colour) {
    icons_.push_back(MakeSolidIcon(colour));
    return icons_.back();
  }
  static RECT ItemRect(HWND toolbar, int32_t id) {
    RECT rect{};
    const LRESULT index = SendMessageW(toolbar, TB_COMMANDTOINDEX, id, 0);
    SendMessageW(toolbar, TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&rect));
    return rect;
  }
  static COLORREF Ui(int32_t key) {
    return static_cast<COLORREF>(LookupUIColour(UISTYLE_OFFICE2007, key, UICOLOUR_FORM_COLORREF));
  }

  HWND host_ = nullptr;
  std::vector<HWND> made_;
  std::vector<HICON> icons_;
};

TEST_F(ToolbarPaintTest, AHotButtonIn2007GreyIsAGradientFrom52To53FramedIn8) {
  HWND toolbar = Make(3, kOffice2007Bar);
  ASSERT_NE(toolbar, nullptr);
  ASSERT_EQ(ToolbarAddImageButton(1, L"", Icon(RGB(0, 0, 160)), nullptr, nullptr, 0x10), 1);
  ASSERT_EQ(ToolbarAddImageButton(2, L"", Icon(RGB(0, 0, 160)), nullptr, nullptr, 0x10), 2);
  SendMessageW(toolbar, TB_SETHOTITEM, 0, 0);
  Printed printed(toolbar);
  const Canvas& c = printed.canvas;
  const RECT item = ItemRect(toolbar, 1);
  const int top = item.top + 1, bottom = item.bottom - 2;  // the painted box
  const int middle = (top + bottom) / 2;

  EXPECT_TRUE(ColourNear(Ui(UICOLOUR_TOOLBARHOTGRADIENTCOLOR1), RGB(255, 245, 204), 0));
  EXPECT_TRUE(ColourNear(Ui(UICOLOUR_TOOLBARHOTGRADIENTCOLOR2), RGB(255, 219, 117), 0));
  EXPECT_TRUE(ColourNear(c.At(item.left, middle), RGB(255, 189, 105), 2));
  EXPECT_TRUE(ColourNear(c.At(item.right - 1, middle), RGB(255, 189, 105), 2));
  EXPECT_TRUE(ColourNear(c.At((item.left + item.right) / 2, top), RGB(255, 189, 105), 2));
  EXPECT_TRUE(ColourNear(c.At((item.left + item.right) / 2, bottom - 1), RGB(255, 189, 105), 2));
  // Nothing above or below the narrowed box.
  EXPECT_TRUE(ColourNear(c.At(item.left + 1, item.top), kBackground, 0));
  EXPECT_TRUE(ColourNear(c.At(item.left + 1, item.bottom - 1), kBackground, 0));
  // Inside the frame and left of the image: the gradient, light at the top.
  const COLORREF upper = c.At(item.left + 1, top + 1);
  const COLORREF lower = c.At(item.left + 1, bottom - 2);
  EXPECT_TRUE(ColourNear(upper, RGB(255, 245, 204), 10));
  EXPECT_TRUE(ColourNear(lower, RGB(255, 219, 117), 10));
  EXPECT_GT(GetBValue(upper), GetBValue(c.At(item.left + 1, middle)));
  EXPECT_GT(GetBValue(c.At(item.left + 1, middle)), GetBValue(lower));
  // The image is drawn over it, from the hot list.
  EXPECT_TRUE(ColourNear(c.At((item.left + item.right) / 2, middle), RGB(0, 0, 160), 2));
  // The other button is neither hot nor pressed: no background at all.
  const RECT other = ItemRect(toolbar, 2);
  EXPECT_TRUE(ColourNear(c.At(other.left + 1, middle), kBackground, 0));
}

TEST_F(ToolbarPaintTest, ScreenPaintingShowsTheSameHotButton) {
  ShowWindow(host_, SW_SHOWNOACTIVATE);
  HWND toolbar = Make(3, kOffice2007Bar);
  ASSERT_NE(toolbar, nullptr);
  ASSERT_EQ(ToolbarAddImageButton(1, L"", Icon(RGB(0, 0, 160)), nullptr, nullptr, 0x10), 1);
  SendMessageW(toolbar, TB_SETHOTITEM, 0, 0);
  RedrawWindow(toolbar, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  Pump(50);
  const RECT item = ItemRect(toolbar, 1);
  Canvas canvas(item.right, item.bottom, kBackground);
  HDC screen = GetDC(toolbar);
  BitBlt(canvas.dc(), 0, 0, item.right, item.bottom, screen, 0, 0, SRCCOPY);
  ReleaseDC(toolbar, screen);
  const int middle = (item.top + 1 + item.bottom - 2) / 2;
  EXPECT_TRUE(ColourNear(canvas.At(item.left, middle), RGB(255, 189, 105), 2));
  EXPECT_TRUE(ColourNear(canvas.At(item.left + 1, item.top + 2), RGB(255, 245, 204), 10));
  EXPECT_TRUE(ColourNear(canvas.At(item.left + 1, item.bottom - 4), RGB(255, 219, 117), 10));
}

TEST_F(ToolbarPaintTest, CheckedPressedAndDisabledButtonsUseTheirOwnColours) {
  HWND toolbar = Make(3, kOffice2007Bar);
  ASSERT_NE(toolbar, nullptr);
  ASSERT_EQ(ToolbarAddImageButton(7, L"", Icon(RGB(0, 0, 160)), nullptr, nullptr, 0x12), 7);
  ASSERT_EQ(ToolbarAddImageButton(5, L"", Icon(RGB(0, 0, 160)), nullptr, nullptr, 0x10), 5);
  ASSERT_EQ(ToolbarAddImageButton(6, L"", Icon(RGB(0, 0, 160)), nullptr, nullptr, 0x10), 6);
  SendMessageW(toolbar, TB_CHECKBUTTON, 7, TRUE);
  ASSERT_NE(ToolbarSetButtonDisabled(3, 5, 1), 0);
  SendMessageW(toolbar, TB_PRESSBUTTON, 6, TRUE);
  Printed printed(toolbar);
  const Canvas& c = printed.canvas;

  const RECT checked = ItemRect(toolbar, 7);
  const int top = checked.top + 1, bottom = checked.bottom - 2, middle = (top + bottom) / 2;
  EXPECT_TRUE(ColourNear(c.At(checked.left, middle), Ui(UICOLOUR_STICKYSELECTBORDERCOLOR), 2));
  EXPECT_TRUE(ColourNear(c.At(checked.left + 1, top + 1), Ui(UICOLOUR_STICKYSELECTGRADIENTCOLOR1), 10));
  EXPECT_TRUE(ColourNear(c.At(checked.left + 1, bottom - 2), Ui(UICOLOUR_STICKYSELECTGRADIENTCOLOR2), 10));

  // Held down: the pressed gradient, framed like a hot button.
  const RECT pressed = ItemRect(toolbar, 6);
  EXPECT_TRUE(ColourNear(c.At(pressed.left, middle), Ui(UICOLOUR_MENUHOTBORDER), 2));
  EXPECT_TRUE(ColourNear(c.At(pressed.left + 1, top + 1), Ui(UICOLOUR_SELECTGRADIENTCOLOR1), 10));
  EXPECT_TRUE(ColourNear(c.At(pressed.left + 1, bottom - 2), Ui(UICOLOUR_SELECTGRADIENTCOLOR2), 10));

  const RECT disabled = ItemRect(toolbar, 5);
  EXPECT_TRUE(ColourNear(c.At(disabled.left + 1, middle), kBackground, 0));
  // The image comes from the disabled list: no longer the blue it was.
  const COLORREF image = c.At((disabled.left + disabled.right) / 2, middle);
  EXPECT_FALSE(ColourNear(image, RGB(0, 0, 160), 40));
}

TEST_F(ToolbarPaintTest, SeparatorsAreEtchedLinesInTheStylesColours) {
  HWND styled = Make(3, kOffice2007Bar);
  ASSERT_NE(styled, nullptr);
  ASSERT_EQ(ToolbarAddImageButton(1, L"", Icon(RGB(0, 0, 160)), nullptr, nullptr, 0x10), 1);
  const int32_t separator = ToolbarAddSeparator();
  ASSERT_GT(separator, 0);
  ASSERT_EQ(ToolbarAddImageButton(2, L"", Icon(RGB(0, 0, 160)), nullptr, nullptr, 0x10), 2);
  {
    Printed printed(styled);
    const RECT rect = ItemRect(styled, separator);
    const int centre = (rect.left + rect.right) / 2, middle = (rect.top + rect.bottom) / 2;
    EXPECT_TRUE(ColourNear(printed.canvas.At(centre - 1, middle), RGB(145, 153, 164), 0));
    EXPECT_TRUE(ColourNear(printed.canvas.At(centre, middle), RGB(221, 224, 227), 0));
    EXPECT_TRUE(ColourNear(printed.canvas.At(centre - 2, middle), kBackground, 0));
    EXPECT_TRUE(ColourNear(printed.canvas.At(centre - 1, rect.top + 2), kBackground, 0));
  }

  // A plain tool bar's separator without a visual style: the colour mode's
  // separator colour and white.
  const bool styles_active = g_caps.theme.visual_styles_active;
  g_caps.theme.visual_styles_active = false;
  HWND plain = Make(8, 0);
  ASSERT_NE(plain, nullptr);
  ASSERT_EQ(ToolbarAddImageButton(11, L"", Icon(RGB(0, 0, 160)), nullptr, nullptr, 0x10), 11);
  const int32_t plain_separator = ToolbarAddSeparator();
  ASSERT_GT(plain_separator, 0);
  {
    Printed printed(plain);
    const RECT rect = ItemRect(plain, plain_separator);
    const int centre = (rect.left + rect.right) / 2, middle = (rect.top + rect.bottom) / 2;
    const auto line = static_cast<COLORREF>(LookupUIColour(UISTYLE_OFFICE2003, UICOLOUR_TOOLBARSEPARATOR, 2));
    EXPECT_TRUE(ColourNear(printed.canvas.At(centre - 1, middle), line, 0));
    EXPECT_TRUE(ColourNear(printed.canvas.At(centre, middle), RGB(255, 255, 255), 0));
    EXPECT_TRUE(ColourNear(printed.canvas.At(centre - 1, rect.top + 2), kBackground, 0));
  }
  g_caps.theme.visual_styles_active = styles_active;
}

TEST_F(ToolbarPaintTest, UnderAVisualStylePlainButtonsGetTheThemesBackgroundOnlyWhenHot) {
  const ThemeBinding& theme = g_caps.theme;
  if (!theme.visual_styles_active || !theme.handles[THEME_TOOLBAR]) GTEST_SKIP() << "no visual style";
  HWND plain = Make(8, 0);
  ASSERT_NE(plain, nullptr);
  ASSERT_EQ(ToolbarAddImageButton(1, L"", Icon(RGB(0, 0, 160)), nullptr, nullptr, 0x10), 1);
  ASSERT_EQ(ToolbarAddImageButton(2, L"", Icon(RGB(0, 0, 160)), nullptr, nullptr, 0x10), 2);
  SendMessageW(plain, TB_SETHOTITEM, 0, 0);
  Printed printed(plain);
  const RECT hot = ItemRect(plain, 1), cold = ItemRect(plain, 2);
  const int middle = (hot.top + hot.bottom) / 2;
  EXPECT_FALSE(ColourNear(printed.canvas.At(hot.left + 1, middle), kBackground, 0));
  EXPECT_TRUE(ColourNear(printed.canvas.At(cold.left + 1, middle), kBackground, 0));
  EXPECT_TRUE(ColourNear(printed.canvas.At((cold.left + cold.right) / 2, middle), RGB(0, 0, 160), 2));
}

// The darkest pixel of a box: the text's own colour where glyphs are solid.
COLORREF Darkest(const Canvas& canvas, const RECT& box) {
  COLORREF best = RGB(255, 255, 255);
  int best_sum = 3 * 255 + 1;
  for (int y = box.top; y < box.bottom; ++y) {
    for (int x = box.left; x < box.right; ++x) {
      const COLORREF c = canvas.At(x, y);
      const int sum = GetRValue(c) + GetGValue(c) + GetBValue(c);
      if (c != kBackground && sum < best_sum) {
        best_sum = sum;
        best = c;
      }
    }
  }
  return best;
}

TEST_F(ToolbarPaintTest, TextColoursFollowTheItemState) {
  HWND toolbar = Make(3, kOffice2007Bar | TBSTYLE_LIST);
  ASSERT_NE(toolbar, nullptr);
  ASSERT_EQ(ToolbarAddImageButton(1, L"Enabled", nullptr, nullptr, nullptr, 0x10), 1);
  ASSERT_EQ(ToolbarAddImageButton(2, L"\\bDisabled\\b", nullptr, nullptr, nullptr, 0x10), 2);
  ASSERT_NE(ToolbarSetButtonDisabled(3, 2, 1), 0);
  Printed printed(toolbar);
  EXPECT_TRUE(ColourNear(Darkest(printed.canvas, ItemRect(toolbar, 1)), Ui(UICOLOUR_TOOLBARBUTTONTEXTCOLOR), 30));
  EXPECT_TRUE(
      ColourNear(Darkest(printed.canvas, ItemRect(toolbar, 2)), Ui(UICOLOUR_TOOLBARBUTTONDISABLEDTEXTCOLOR), 20));
}

TEST_F(ToolbarPaintTest, TheOpenMenuTitleIsHeldAndItsPainterIsCalled) {
  HWND bar = Make(30, kOffice2007Bar);
  ASSERT_NE(bar, nullptr);
  ASSERT_GT(ToolbarAddImageButton(-1, L"&File", nullptr, nullptr, nullptr, BTNS_DROPDOWN), 0);
  ASSERT_GT(ToolbarAddImageButton(-1, L"&Edit", nullptr, nullptr, nullptr, BTNS_DROPDOWN), 0);
  ToolbarMarkAsMenuBar(bar);
  SetToolbarOpenMenuPainter(CountingPainter);
  g_painter_calls = 0;
  ToolbarSetOpenMenuButton(bar, 1);
  Printed printed(bar);
  RECT title{};
  SendMessageW(bar, TB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&title));
  const int top = title.top + 1, bottom = title.bottom - 2;
  EXPECT_TRUE(ColourNear(printed.canvas.At(title.left, (top + bottom) / 2), Ui(UICOLOUR_MENUHELDBORDER), 2));
  EXPECT_TRUE(ColourNear(printed.canvas.At(title.left + 1, bottom - 2), Ui(UICOLOUR_MENUHELDGRADIENTCOLOR2), 12));
  EXPECT_EQ(g_painter_calls, 1);
  SetToolbarOpenMenuPainter(nullptr);
}

TEST_F(ToolbarPaintTest, DerivedDisabledImagesFollowTheColourMode) {
  HWND toolbar = Make(3, kOffice2007Bar);
  ASSERT_NE(toolbar, nullptr);
  ASSERT_EQ(ToolbarAddImageButton(1, L"", Icon(RGB(200, 60, 40)), nullptr, nullptr, 0x10), 1);
  const COLORREF given = RGB(10, 200, 10);
  ASSERT_EQ(ToolbarAddImageButton(2, L"", Icon(RGB(200, 60, 40)), nullptr, Icon(given), 0x10), 2);
  auto disabled = reinterpret_cast<HIMAGELIST>(SendMessageW(toolbar, TB_GETDISABLEDIMAGELIST, 0, 0));
  ASSERT_NE(disabled, nullptr);
  const COLORREF grey_mode = ImageCentre(disabled, 0, RGB(255, 255, 255));
  ASSERT_EQ(SetUIColourMode(UICOLOURMODE_DEFAULT_BLUE), 1);
  const COLORREF blue_mode = ImageCentre(disabled, 0, RGB(255, 255, 255));
  EXPECT_FALSE(ColourNear(grey_mode, blue_mode, 3)) << "the derived image kept the old mode's tint";
  EXPECT_GT(GetBValue(blue_mode), GetRValue(blue_mode));  // washed with the blue style colour
  // A disabled image the caller gave is never replaced.
  EXPECT_TRUE(ColourNear(ImageCentre(disabled, 1), given, 2));
}

}  // namespace
}  // namespace lumora
