#include "toolkit/base/toolkit_start_win32.h"

#include <shlwapi.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

#include "platform/dll_function_win32.h"
#include "platform/error_log.h"
#include "platform/error_log_win32.h"
#include "toolkit/image/image_decode.h"
#include "platform/nonclient_font_win32.h"
#include "platform/os_handles_win32.h"
#include "platform/os_version.h"
#include "toolkit/base/builtin_glyphs_win32.h"
#include "toolkit/base/control_subclass_win32.h"
#include "toolkit/base/gdiplus_binding_win32.h"
#include "toolkit/base/ranked_steps.h"
#include "toolkit/base/subclass_registry_win32.h"
#include "toolkit/base/screen_dpi_win32.h"

namespace lumora {

PlatformCaps g_caps;

// Defined with the animation thread.
bool StartAnimationThread();
void StopAnimationThread();

namespace {

using platform::BindDllFunction;

ToolkitState g_state = ToolkitState::kNotInitialised;
platform::UniqueHook g_creation_hook;
std::vector<WindowCreationHandler> g_creation_handlers;
std::vector<platform::UniqueHook*> g_hooks;  // not owned: the components hold them
RankedSteps<std::function<void()>> g_teardown;

LRESULT CALLBACK WindowCreationHook(int code, WPARAM wparam, LPARAM lparam) {
  if (code == HCBT_CREATEWND) {
    HWND window = reinterpret_cast<HWND>(wparam);
    try {
      for (WindowCreationHandler handler : g_creation_handlers) handler(window);
    } catch (...) {
      platform::LogCurrentException("window-creation hook", 0);
    }
  }
  return CallNextHookEx(nullptr, code, wparam, lparam);
}

void BindTheme() {
  ThemeBinding& theme = g_caps.theme;
  if (theme.library) return;
  theme.library.reset(LoadLibraryW(L"UxTheme.dll"));
  if (!theme.library) return;
  HMODULE lib = theme.library.get();
  BindDllFunction(lib, "OpenThemeData", theme.OpenThemeData);
  BindDllFunction(lib, "IsThemeBackgroundPartiallyTransparent", theme.IsThemeBackgroundPartiallyTransparent);
  BindDllFunction(lib, "DrawThemeBackground", theme.DrawThemeBackground);
  BindDllFunction(lib, "DrawThemeBackgroundEx", theme.DrawThemeBackgroundEx);
  BindDllFunction(lib, "DrawThemeParentBackground", theme.DrawThemeParentBackground);
  BindDllFunction(lib, "DrawThemeParentBackgroundEx", theme.DrawThemeParentBackgroundEx);
  BindDllFunction(lib, "DrawThemeEdge", theme.DrawThemeEdge);
  BindDllFunction(lib, "CloseThemeData", theme.CloseThemeData);
  BindDllFunction(lib, "GetThemeSysColorBrush", theme.GetThemeSysColorBrush);
  BindDllFunction(lib, "GetThemeSysColor", theme.GetThemeSysColor);
  BindDllFunction(lib, "GetThemeColor", theme.GetThemeColor);
  BindDllFunction(lib, "GetThemeRect", theme.GetThemeRect);
  BindDllFunction(lib, "GetThemeFont", theme.GetThemeFont);
  BindDllFunction(lib, "SetWindowTheme", theme.SetWindowTheme);

  using GetCurrentThemeNameFn = HRESULT(WINAPI*)(LPWSTR, int, LPWSTR, int, LPWSTR, int);
  GetCurrentThemeNameFn get_name = nullptr;
  BindDllFunction(lib, "GetCurrentThemeName", get_name);
  if (get_name) {
    // 255 bytes hold 127 characters; the capacity passed stays within that.
    wchar_t name[128] = {};
    if (SUCCEEDED(get_name(name, 100, nullptr, 0, nullptr, 0))) {
      name[127] = 0;
      bool any = false;
      for (const wchar_t* p = name; *p; ++p) any = any || *p != L' ';
      theme.visual_styles_active = any;
    }
  }
  if (!theme.OpenThemeData) return;
  HWND window = GetForegroundWindow();
  if (HTHEME scrollbar = theme.OpenThemeData(window, L"scrollbar")) {
    theme.handles[THEME_SCROLLBAR] = scrollbar;
    if (theme.GetThemeSysColor) {
      theme.caption_colour = theme.GetThemeSysColor(scrollbar, COLOR_ACTIVECAPTION);
      theme.caption_colour_known = true;
    }
  }
  static const wchar_t* const kClasses[] = {L"explorerbar", L"rebar", L"tab", L"toolbar", L"menu", L"button"};
  for (int i = 0; i < 6; ++i) theme.handles[THEME_EXPLORERBAR + i] = theme.OpenThemeData(window, kClasses[i]);
}

void BindDwm() {
  DwmBinding& dwm = g_caps.dwm;
  if (dwm.library) return;
  dwm.library.reset(LoadLibraryW(L"dwmapi.dll"));
  if (!dwm.library) return;
  HMODULE lib = dwm.library.get();
  BindDllFunction(lib, "DwmIsCompositionEnabled", dwm.DwmIsCompositionEnabled);
  BindDllFunction(lib, "DwmEnableComposition", dwm.DwmEnableComposition);
  BindDllFunction(lib, "DwmSetWindowAttribute", dwm.DwmSetWindowAttribute);
  BindDllFunction(lib, "DwmFlush", dwm.DwmFlush);
  BindDllFunction(lib, "DwmSetPresentParameters", dwm.DwmSetPresentParameters);
  BOOL enabled = FALSE;
  if (dwm.DwmIsCompositionEnabled && SUCCEEDED(dwm.DwmIsCompositionEnabled(&enabled)))
    dwm.composition_enabled = enabled != FALSE;
}

void ReadComctlVersion() {
  const platform::UniqueModule comctl(LoadLibraryW(L"Comctl32.dll"));
  if (!comctl) return;
  DLLGETVERSIONPROC get_version = nullptr;
  BindDllFunction(comctl.get(), "DllGetVersion", get_version);
  if (get_version) {
    DLLVERSIONINFO info{};
    info.cbSize = 20;
    if (SUCCEEDED(get_version(&info))) {
      g_caps.comctl_major = info.dwMajorVersion;
      g_caps.comctl_minor = info.dwMinorVersion;
      g_caps.comctl_build = info.dwBuildNumber;
    }
  }
}

void ReadUiFont() {
  g_caps.ui_font.reset(platform::CreateNonClientFont(&NONCLIENTMETRICSW::lfMenuFont));
  BOOL shadow = FALSE;
  SystemParametersInfoW(SPI_GETDROPSHADOW, 0, &shadow, 0);
  g_caps.drop_shadow_enabled = shadow ? 1 : 0;
}

BOOL CALLBACK HideOwnWindow(HWND window, LPARAM) {
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid == GetCurrentProcessId()) ShowWindow(window, SW_HIDE);
  return TRUE;
}

BOOL CALLBACK CollectOwnWindow(HWND window, LPARAM list) {
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid == GetCurrentProcessId()) reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

}  // namespace

ToolkitState GetToolkitState() { return g_state; }

void RegisterTeardown(int32_t rank, std::string_view name, std::function<void()> free_all) {
  g_teardown.Add(rank, name, std::move(free_all));
}

std::vector<std::string> TeardownNames() { return g_teardown.Names(); }

void RegisterHook(platform::UniqueHook& hook) {
  if (hook && std::find(g_hooks.begin(), g_hooks.end(), &hook) == g_hooks.end()) g_hooks.push_back(&hook);
}

void UnregisterHook(platform::UniqueHook& hook) {
  g_hooks.erase(std::remove(g_hooks.begin(), g_hooks.end(), &hook), g_hooks.end());
}

void AddWindowCreationHandler(WindowCreationHandler handler) {
  if (handler && std::find(g_creation_handlers.begin(), g_creation_handlers.end(), handler) == g_creation_handlers.end())
    g_creation_handlers.push_back(handler);
}

void EnsureWindowCreationHook() {
  if (g_creation_hook) return;
  g_creation_hook.reset(SetWindowsHookExW(WH_CBT, WindowCreationHook, nullptr, GetCurrentThreadId()));
  if (!g_creation_hook) platform::LogWin32Failure("SetWindowsHookEx (window creation)");
}

void InitToolkit(const ToolkitLayers& layers) {
  if (g_state != ToolkitState::kNotInitialised) return;
  // 1. Image decoders.
  EnablePngDecoder();
  EnableJpegDecoder();
  // 2. Built-in images.
  g_caps.blank_icon = CreateBlankIcon();
  for (int i = 0; i < GLYPH_COUNT; ++i) g_caps.glyphs[i] = CreateGlyphList(static_cast<BuiltinGlyph>(i));
  // 3. Cursors and the default icon size.
  static const LPCWSTR kCursors[6] = {IDC_ARROW, IDC_SIZENS, IDC_SIZENS, IDC_HAND, IDC_SIZEALL, IDC_SIZEWE};
  for (int i = 0; i < 6; ++i) g_caps.cursors[i] = LoadCursorW(nullptr, kCursors[i]);
  g_caps.dpi = ScreenDpi();
  g_caps.default_icon_width = IconSizeForDpi(16, g_caps.dpi);
  g_caps.default_icon_height = g_caps.default_icon_width;
  // 4. UI font and drop shadows.
  ReadUiFont();
  // 5. Versions.
  g_caps.os_version = platform::OsVersion();
  ReadComctlVersion();
  // 6. Per-pixel alpha blending.
  // Gdi32 is linked in, so the process holds it beyond this reference.
  if (const platform::UniqueModule gdi{LoadLibraryW(L"Gdi32.dll")}) {
    BindDllFunction(gdi.get(), "GdiAlphaBlend", g_caps.alpha_blend);
  } else {
    MessageBoxW(nullptr, L"Can't open Gdi32.dll", L"Error!", MB_ICONERROR);
  }
  // 7. Visual styles and composition.
  BindTheme();
  BindDwm();
  // 8. The layers above: named colours, which read the theme's caption
  //     colour, and whatever else they connect.
  if (layers.init) layers.init();
  g_state = ToolkitState::kInitialised;
}

void StartToolkit(const ToolkitLayers& layers) {
  if (g_state == ToolkitState::kNotInitialised) InitToolkit(layers);
  if (g_state != ToolkitState::kInitialised) return;
  EnsureWindowCreationHook();
  // The standard controls the toolkit skins are watched from their creation
  // on, also those made before any bar exists.
  EnableControlSubclassing();
  // GDI+ starts with the first gradient (StartGraphics is called by every
  // user): the first window paints none, and loading and starting the
  // library is a good part of the toolkit's start under Wine.
  StartAnimationThread();
  g_state = ToolkitState::kStarted;
}

void ShutdownToolkit() {
  if (g_state != ToolkitState::kStarted && g_state != ToolkitState::kInitialised) return;
  StopAnimationThread();
  EnumWindows(HideOwnWindow, 0);
  const auto teardown = g_teardown.InOrder();
  g_teardown.Clear();
  for (const auto& step : teardown) {
    try {
      step.action();
    } catch (...) {
      platform::LogCurrentException(("shut-down: " + step.name).c_str(), 0);
    }
  }
  g_creation_hook.reset();
  for (platform::UniqueHook* hook : g_hooks) hook->reset();
  g_hooks.clear();
  RestoreAllSubclassed();
  std::vector<HWND> own;
  EnumWindows(CollectOwnWindow, reinterpret_cast<LPARAM>(&own));
  for (HWND window : own) DestroyWindow(window);

  ThemeBinding& theme = g_caps.theme;
  for (HTHEME& handle : theme.handles) {
    if (handle && theme.CloseThemeData) theme.CloseThemeData(handle);
    handle = nullptr;
  }
  theme = ThemeBinding{};
  StopGraphics();
  g_caps.dwm = DwmBinding{};
  g_caps.ui_font.reset();
  g_caps.blank_icon.reset();
  for (platform::UniqueImageList& glyphs : g_caps.glyphs) glyphs.reset();
  g_state = ToolkitState::kShutDown;
}

}  // namespace lumora
