// What the running Windows installation offers, probed once at start-up and
// read-only afterwards. Every skinned element reads this record; nothing
// probes the platform again.
#pragma once
#ifndef _WIN32
#error "platform_caps_win32.h is Win32 glue"
#endif
#include <windows.h>
#include <commctrl.h>
#include <uxtheme.h>
#include <cstdint>

#include "platform/os_handles_win32.h"
#include "toolkit/base/dpi_scale.h"

namespace lumora {

using GdiAlphaBlendFn = BOOL(WINAPI*)(HDC, int, int, int, int, HDC, int, int, int, int, BLENDFUNCTION);

struct ThemeBinding {
  platform::UniqueModule library;
  HTHEME(WINAPI* OpenThemeData)(HWND, LPCWSTR) = nullptr;
  BOOL(WINAPI* IsThemeBackgroundPartiallyTransparent)(HTHEME, int, int) = nullptr;
  HRESULT(WINAPI* DrawThemeBackground)(HTHEME, HDC, int, int, const RECT*, const RECT*) = nullptr;
  HRESULT(WINAPI* DrawThemeBackgroundEx)(HTHEME, HDC, int, int, const RECT*, const DTBGOPTS*) = nullptr;
  HRESULT(WINAPI* DrawThemeParentBackground)(HWND, HDC, const RECT*) = nullptr;
  HRESULT(WINAPI* DrawThemeParentBackgroundEx)(HWND, HDC, DWORD, const RECT*) = nullptr;
  HRESULT(WINAPI* DrawThemeEdge)(HTHEME, HDC, int, int, const RECT*, UINT, UINT, RECT*) = nullptr;
  HRESULT(WINAPI* CloseThemeData)(HTHEME) = nullptr;
  HBRUSH(WINAPI* GetThemeSysColorBrush)(HTHEME, int) = nullptr;
  COLORREF(WINAPI* GetThemeSysColor)(HTHEME, int) = nullptr;
  HRESULT(WINAPI* GetThemeColor)(HTHEME, int, int, int, COLORREF*) = nullptr;
  HRESULT(WINAPI* GetThemeRect)(HTHEME, int, int, int, RECT*) = nullptr;
  HRESULT(WINAPI* GetThemeFont)(HTHEME, HDC, int, int, int, LOGFONTW*) = nullptr;
  HRESULT(WINAPI* SetWindowTheme)(HWND, LPCWSTR, LPCWSTR) = nullptr;
  bool visual_styles_active = false;
  bool caption_colour_known = false;
  COLORREF caption_colour = 0;
  // "scrollbar", "explorerbar", "rebar", "tab", "toolbar", "menu", "button".
  HTHEME handles[7] = {};
};

enum ThemeClass { THEME_SCROLLBAR, THEME_EXPLORERBAR, THEME_REBAR, THEME_TAB, THEME_TOOLBAR, THEME_MENU, THEME_BUTTON };

struct DwmBinding {
  platform::UniqueModule library;
  HRESULT(WINAPI* DwmIsCompositionEnabled)(BOOL*) = nullptr;
  HRESULT(WINAPI* DwmEnableComposition)(UINT) = nullptr;
  HRESULT(WINAPI* DwmSetWindowAttribute)(HWND, DWORD, LPCVOID, DWORD) = nullptr;
  HRESULT(WINAPI* DwmFlush)() = nullptr;
  HRESULT(WINAPI* DwmSetPresentParameters)(HWND, void*) = nullptr;
  bool composition_enabled = false;
};

struct PlatformCaps {
  uint32_t comctl_major = 0, comctl_minor = 0, comctl_build = 0;
  GdiAlphaBlendFn alpha_blend = nullptr;
  int32_t os_version = 0;  // e.g. 0x0601 for 7, 0x0A00 for 10
  platform::UniqueFont ui_font;  // null when the system's could not be made: see UiFont()
  uint32_t drop_shadow_enabled = 0;
  HCURSOR cursors[6] = {};
  platform::UniqueIcon blank_icon;
  platform::UniqueImageList glyphs[4];
  int default_icon_width = 16, default_icon_height = 16;
  int32_t dpi = kDesignDpi;  // the screen's, read once: the layout is made for it
  ThemeBinding theme;
  DwmBinding dwm;
};

// The one record of the process; valid after InitToolkit. It owns the
// toolkit-wide handles, which ShutdownToolkit frees.
extern PlatformCaps g_caps;

// A size the design gives in pixels at 96 DPI, on this screen.
inline int ScreenPixels(int px96) { return ScalePixels(px96, g_caps.dpi); }

// The UI font, or the stock GUI font when the system's could not be made.
inline HFONT UiFont() {
  return g_caps.ui_font ? g_caps.ui_font.get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

}  // namespace lumora
