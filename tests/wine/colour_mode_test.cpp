// Colour modes against the real system: system colours, cached brushes,
// renderings and the redraw sweep over this process's windows.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "toolkit/base/platform_caps_win32.h"
#include "toolkit/style/colour_mode_win32.h"
#include "toolkit/style/colour_services_win32.h"
#include "toolkit/style/ui_style.h"

namespace lumora {
namespace {

class ColourModeWin32Test : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_styles_active_ = g_caps.theme.visual_styles_active;
    saved_caption_known_ = g_caps.theme.caption_colour_known;
    saved_caption_colour_ = g_caps.theme.caption_colour;
    saved_os_version_ = g_caps.os_version;
    g_caps.theme.visual_styles_active = false;
    g_caps.theme.caption_colour_known = false;
    InitColourTables();
  }
  void TearDown() override {
    SetUIColourMode(UICOLOURMODE_DEFAULT);
    g_caps.theme.visual_styles_active = saved_styles_active_;
    g_caps.theme.caption_colour_known = saved_caption_known_;
    g_caps.theme.caption_colour = saved_caption_colour_;
    g_caps.os_version = saved_os_version_;
  }

 private:
  bool saved_styles_active_ = false;
  bool saved_caption_known_ = false;
  COLORREF saved_caption_colour_ = 0;
  int32_t saved_os_version_ = 0;
};

COLORREF BrushColour(HBRUSH brush) {
  LOGBRUSH info{};
  if (GetObjectW(brush, sizeof(info), &info) != sizeof(info) || info.lbStyle != BS_SOLID) return CLR_INVALID;
  return info.lbColor;
}

TEST_F(ColourModeWin32Test, SystemColourNamesAreTheWindowsIndices) {
  struct Expected {
    const char* name;
    int index;
  };
  const Expected expected[] = {
      {"COLOR_3DDKSHADOW", COLOR_3DDKSHADOW},
      {"COLOR_3DFACE", COLOR_3DFACE},
      {"COLOR_3DHIGHLIGHT", COLOR_3DHIGHLIGHT},
      {"COLOR_3DLIGHT", COLOR_3DLIGHT},
      {"COLOR_3DSHADOW", COLOR_3DSHADOW},
      {"COLOR_ACTIVEBORDER", COLOR_ACTIVEBORDER},
      {"COLOR_ACTIVECAPTION", COLOR_ACTIVECAPTION},
      {"COLOR_APPWORKSPACE", COLOR_APPWORKSPACE},
      {"COLOR_BACKGROUND", COLOR_BACKGROUND},
      {"COLOR_BTNFACE", COLOR_BTNFACE},
      {"COLOR_BTNHIGHLIGHT", COLOR_BTNHIGHLIGHT},
      {"COLOR_BTNHILIGHT", COLOR_BTNHILIGHT},
      {"COLOR_BTNSHADOW", COLOR_BTNSHADOW},
      {"COLOR_BTNTEXT", COLOR_BTNTEXT},
      {"COLOR_CAPTIONTEXT", COLOR_CAPTIONTEXT},
      {"COLOR_DESKTOP", COLOR_DESKTOP},
      {"COLOR_GRADIENTACTIVECAPTION", COLOR_GRADIENTACTIVECAPTION},
      {"COLOR_GRADIENTINACTIVECAPTION", COLOR_GRADIENTINACTIVECAPTION},
      {"COLOR_GRAYTEXT", COLOR_GRAYTEXT},
      {"COLOR_HIGHLIGHT", COLOR_HIGHLIGHT},
      {"COLOR_HIGHLIGHTTEXT", COLOR_HIGHLIGHTTEXT},
      {"COLOR_HOTLIGHT", COLOR_HOTLIGHT},
      {"COLOR_INACTIVEBORDER", COLOR_INACTIVEBORDER},
      {"COLOR_INACTIVECAPTION", COLOR_INACTIVECAPTION},
      {"COLOR_INACTIVECAPTIONTEXT", COLOR_INACTIVECAPTIONTEXT},
      {"COLOR_INFOBK", COLOR_INFOBK},
      {"COLOR_INFOTEXT", COLOR_INFOTEXT},
      {"COLOR_MENU", COLOR_MENU},
      {"COLOR_MENUHILIGHT", COLOR_MENUHILIGHT},
      {"COLOR_MENUBAR", COLOR_MENUBAR},
      {"COLOR_MENUTEXT", COLOR_MENUTEXT},
      {"COLOR_SCROLLBAR", COLOR_SCROLLBAR},
      {"COLOR_WINDOW", COLOR_WINDOW},
      {"COLOR_WINDOWFRAME", COLOR_WINDOWFRAME},
      {"COLOR_WINDOWTEXT", COLOR_WINDOWTEXT},
  };
  for (const Expected& e : expected) {
    EXPECT_EQ(ParseColour(e.name), static_cast<int32_t>(GetSysColor(e.index))) << e.name;
    EXPECT_EQ(ParseColour(std::string(e.name) + ";"), static_cast<int32_t>(GetSysColor(e.index))) << e.name;
  }
  EXPECT_EQ(ParseColour(L"color_windowtext"), static_cast<int32_t>(GetSysColor(COLOR_WINDOWTEXT)));
}

TEST_F(ColourModeWin32Test, InvalidModeIsRefused) {
  ASSERT_EQ(SetUIColourMode(UICOLOURMODE_DEFAULT_SILVER), 1);
  EXPECT_EQ(SetUIColourMode(10), 0);
  EXPECT_EQ(CurrentColourMode(), UICOLOURMODE_DEFAULT_SILVER);
}

TEST_F(ColourModeWin32Test, GreyModeBackgroundOf2007) {
  ASSERT_EQ(SetUIColourMode(UICOLOURMODE_DEFAULT_GREY), 1);
  EXPECT_EQ(LookupUIColour(UISTYLE_OFFICE2007, 30, UICOLOUR_FORM_COLORREF), static_cast<intptr_t>(RGB(246, 246, 246)));
  EXPECT_EQ(LookupUIColour(UISTYLE_OFFICE2007, 31, UICOLOUR_FORM_COLORREF), static_cast<intptr_t>(RGB(83, 83, 83)));
}

TEST_F(ColourModeWin32Test, BrushFormIsCachedPerKeyAndColour) {
  ASSERT_EQ(SetUIColourMode(UICOLOURMODE_DEFAULT_GREY), 1);
  HBRUSH grey = LookupUIBrush(UISTYLE_OFFICE2007, 30);
  ASSERT_NE(grey, nullptr);
  EXPECT_EQ(BrushColour(grey), RGB(246, 246, 246));
  EXPECT_EQ(reinterpret_cast<HBRUSH>(LookupUIColour(UISTYLE_OFFICE2007, 30, UICOLOUR_FORM_BRUSH)), grey);
  // Blue has the same background colour in 2007: the brush stays.
  ASSERT_EQ(SetUIColourMode(UICOLOURMODE_DEFAULT_BLUE), 1);
  EXPECT_EQ(LookupUIBrush(UISTYLE_OFFICE2007, 30), grey);
  // Silver has another: a new brush, and the old one is gone.
  ASSERT_EQ(SetUIColourMode(UICOLOURMODE_DEFAULT_SILVER), 1);
  HBRUSH silver = LookupUIBrush(UISTYLE_OFFICE2007, 30);
  ASSERT_NE(silver, nullptr);
  EXPECT_NE(silver, grey);
  EXPECT_EQ(BrushColour(silver), RGB(253, 250, 255));
  EXPECT_EQ(GetObjectType(grey), 0u);
  // ARGB entries become brushes of their COLORREF.
  EXPECT_EQ(BrushColour(LookupUIBrush(UISTYLE_OFFICE2003, 21)), RGB(249, 249, 255));
  // The slot is per key, shared by the styles.
  HBRUSH from2003 = LookupUIBrush(UISTYLE_OFFICE2003, 30);
  EXPECT_EQ(BrushColour(from2003), RGB(253, 250, 255));
  EXPECT_EQ(from2003, silver);
  EXPECT_EQ(LookupUIBrush(UISTYLE_WHIDBEY, 30), nullptr);
  EXPECT_EQ(LookupUIBrush(UISTYLE_OFFICE2007, 57), nullptr);
}

TEST_F(ColourModeWin32Test, ModeChangeFreesCachedRenderings) {
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 8, 4);
  HDC further_dc = CreateCompatibleDC(screen);
  HBITMAP further_bitmap = CreateCompatibleBitmap(screen, 2, 2);
  ReleaseDC(nullptr, screen);
  ASSERT_TRUE(dc && bitmap && further_dc && further_bitmap);
  SelectObject(dc, bitmap);
  SelectObject(further_dc, further_bitmap);

  UIColourRenderCache* cache = GetUIColourRenderCache(UISTYLE_OFFICE2007, 31);
  ASSERT_NE(cache, nullptr);
  EXPECT_EQ(GetUIColourRenderCache(UISTYLE_OFFICE2003_MENU_ALIAS, 31), GetUIColourRenderCache(UISTYLE_OFFICE2003, 31));
  EXPECT_EQ(GetUIColourRenderCache(UISTYLE_OFFICE2007, 57), nullptr);
  cache->rendering.Adopt(dc, bitmap, 8, 4);
  cache->further.emplace_back();
  cache->further.back().Adopt(further_dc, further_bitmap, 2, 2);

  ASSERT_EQ(SetUIColourMode(UICOLOURMODE_DEFAULT_OLIVE), 1);
  EXPECT_TRUE(cache->rendering.empty());
  EXPECT_EQ(cache->rendering.width(), 0);
  EXPECT_EQ(cache->rendering.height(), 0);
  EXPECT_TRUE(cache->further.empty());
  // Both the contexts and the bitmaps (selected into them) were deleted.
  EXPECT_EQ(GetObjectType(dc), 0u);
  EXPECT_EQ(GetObjectType(bitmap), 0u);
  EXPECT_EQ(GetObjectType(further_dc), 0u);
  EXPECT_EQ(GetObjectType(further_bitmap), 0u);
}

// Records WM_SETREDRAW per window.
std::vector<std::pair<HWND, WPARAM>> g_redraws;

LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_SETREDRAW) {
    try {
      g_redraws.emplace_back(window, wparam);
    } catch (...) {
      // A lost record fails the test; the exception must not cross the procedure.
    }
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

TEST_F(ColourModeWin32Test, ModeChangeSweepsRedrawOfVisibleChildren) {
  WNDCLASSW window_class{};
  window_class.lpfnWndProc = RecordingProc;
  window_class.hInstance = GetModuleHandleW(nullptr);
  window_class.lpszClassName = L"ColourModeTestWindow";
  RegisterClassW(&window_class);
  auto make = [&](HWND parent, DWORD style) {
    return CreateWindowExW(0, window_class.lpszClassName, L"", style, 0, 0, 100, 100, parent, nullptr,
                           window_class.hInstance, nullptr);
  };
  HWND top = make(nullptr, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  ASSERT_NE(top, nullptr);
  HWND shown = make(top, WS_CHILD | WS_VISIBLE);
  HWND hidden = make(top, WS_CHILD);
  HWND grandchild = make(shown, WS_CHILD | WS_VISIBLE);
  HWND hidden_top = make(nullptr, WS_OVERLAPPEDWINDOW);
  HWND child_of_hidden = make(hidden_top, WS_CHILD | WS_VISIBLE);
  ASSERT_TRUE(shown && hidden && grandchild && hidden_top && child_of_hidden);

  g_redraws.clear();
  ASSERT_EQ(SetUIColourMode(UICOLOURMODE_DEFAULT_BLUE), 1);
  const std::vector<std::pair<HWND, WPARAM>> expected = {{shown, FALSE}, {shown, TRUE}};
  EXPECT_EQ(g_redraws, expected);
  EXPECT_TRUE(IsWindowVisible(shown));

  g_redraws.clear();
  EXPECT_EQ(SetUIColourMode(10), 0);
  EXPECT_TRUE(g_redraws.empty());

  DestroyWindow(hidden_top);
  DestroyWindow(top);
}

TEST_F(ColourModeWin32Test, AutomaticModeFollowsTheThemeCaption) {
  g_caps.theme.visual_styles_active = true;
  g_caps.theme.caption_colour_known = true;
  g_caps.theme.caption_colour = RGB(0, 84, 227);
  ASSERT_EQ(SetUIColourMode(UICOLOURMODE_DEFAULT), 1);
  EXPECT_EQ(LookupUIColour(UISTYLE_OFFICE2003, -1, 0), UICOLOURMODE_CUSTOM_BLUE);
  EXPECT_EQ(LookupUIColour(UISTYLE_OFFICE2003, 30, UICOLOUR_FORM_COLORREF), static_cast<intptr_t>(RGB(246, 246, 246)));
  g_caps.theme.visual_styles_active = false;
  EXPECT_EQ(LookupUIColour(UISTYLE_OFFICE2003, -1, 0), UICOLOURMODE_CUSTOM_GREY);
}

TEST_F(ColourModeWin32Test, DetectedNameIsBlueFromVistaOn) {
  g_caps.os_version = 0x0501;
  DetectColourName(RGB(128, 128, 128));
  EXPECT_EQ(DetectedColourName(), "grey");
  g_caps.os_version = 0x0600;
  DetectColourName(RGB(128, 128, 128));
  EXPECT_EQ(DetectedColourName(), "blue");
}

}  // namespace
}  // namespace lumora
