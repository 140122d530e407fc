#include "toolkit/bars/toolkit_start_win32.h"

#include <shlwapi.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

#include "platform/image_decode.h"
#include "platform/os_handles_win32.h"
#include "platform/os_version.h"
#include "toolkit/bars/builtin_glyphs_win32.h"
#include "toolkit/bars/control_subclass_win32.h"
#include "toolkit/bars/stale_lock.h"
#include "toolkit/bars/subclass_registry_win32.h"
#include "toolkit/style/colour_services_win32.h"
#include "toolkit/style/gdiplus_binding_win32.h"

namespace lumora {

PlatformCaps g_caps;

// Defined with the animation thread.
bool StartAnimationThread();
void StopAnimationThread();

namespace {

ToolkitState g_state = ToolkitState::kNotInitialised;
HHOOK g_callwndproc_hook = nullptr;
std::vector<CallWndProcHandler> g_callwndproc_handlers;
std::vector<HHOOK> g_hooks;
std::array<std::vector<std::function<void()>>, static_cast<size_t>(TeardownStage::kCount)> g_teardown;

template <typename Fn>
void Bind(HMODULE library, const char* name, Fn& out) {
  out = reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

LRESULT CALLBACK CallWndProcHook(int code, WPARAM wparam, LPARAM lparam) {
  if (code == HC_ACTION && lparam) {
    try {
      for (CallWndProcHandler handler : g_callwndproc_handlers)
        handler(*reinterpret_cast<const CWPSTRUCT*>(lparam));
    } catch (...) {
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
  Bind(lib, "OpenThemeData", theme.OpenThemeData);
  Bind(lib, "IsThemeBackgroundPartiallyTransparent", theme.IsThemeBackgroundPartiallyTransparent);
  Bind(lib, "DrawThemeBackground", theme.DrawThemeBackground);
  Bind(lib, "DrawThemeBackgroundEx", theme.DrawThemeBackgroundEx);
  Bind(lib, "DrawThemeParentBackground", theme.DrawThemeParentBackground);
  Bind(lib, "DrawThemeParentBackgroundEx", theme.DrawThemeParentBackgroundEx);
  Bind(lib, "DrawThemeEdge", theme.DrawThemeEdge);
  Bind(lib, "CloseThemeData", theme.CloseThemeData);
  Bind(lib, "GetThemeSysColorBrush", theme.GetThemeSysColorBrush);
  Bind(lib, "GetThemeSysColor", theme.GetThemeSysColor);
  Bind(lib, "GetThemeColor", theme.GetThemeColor);
  Bind(lib, "GetThemeRect", theme.GetThemeRect);
  Bind(lib, "GetThemeFont", theme.GetThemeFont);
  Bind(lib, "SetWindowTheme", theme.SetWindowTheme);

  using GetCurrentThemeNameFn = HRESULT(WINAPI*)(LPWSTR, int, LPWSTR, int, LPWSTR, int);
  GetCurrentThemeNameFn get_name = nullptr;
  Bind(lib, "GetCurrentThemeName", get_name);
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
      DetectColourName(static_cast<int32_t>(theme.caption_colour));
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
  Bind(lib, "DwmIsCompositionEnabled", dwm.DwmIsCompositionEnabled);
  Bind(lib, "DwmEnableComposition", dwm.DwmEnableComposition);
  Bind(lib, "DwmSetWindowAttribute", dwm.DwmSetWindowAttribute);
  Bind(lib, "DwmFlush", dwm.DwmFlush);
  Bind(lib, "DwmSetPresentParameters", dwm.DwmSetPresentParameters);
  BOOL enabled = FALSE;
  if (dwm.DwmIsCompositionEnabled && SUCCEEDED(dwm.DwmIsCompositionEnabled(&enabled)))
    dwm.composition_enabled = enabled != FALSE;
}

void ReadComctlVersion() {
  const platform::UniqueModule comctl(LoadLibraryW(L"Comctl32.dll"));
  if (!comctl) return;
  DLLGETVERSIONPROC get_version = nullptr;
  Bind(comctl.get(), "DllGetVersion", get_version);
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
  // The structure grew a field in later systems; the older size is accepted
  // by all of them, and the buffer has room for the newer one.
  alignas(NONCLIENTMETRICSW) unsigned char buffer[sizeof(NONCLIENTMETRICSW) + 16] = {};
  auto* metrics = reinterpret_cast<NONCLIENTMETRICSW*>(buffer);
  metrics->cbSize = 500;
  if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, 500, metrics, 0))
    g_caps.ui_font.reset(CreateFontIndirectW(&metrics->lfMenuFont));
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

void RegisterTeardown(TeardownStage stage, std::function<void()> free_all) {
  g_teardown[static_cast<size_t>(stage)].push_back(std::move(free_all));
}

void RegisterHook(HHOOK hook) {
  if (hook && std::find(g_hooks.begin(), g_hooks.end(), hook) == g_hooks.end()) g_hooks.push_back(hook);
}

void UnregisterHook(HHOOK hook) { g_hooks.erase(std::remove(g_hooks.begin(), g_hooks.end(), hook), g_hooks.end()); }

void AddCallWndProcHandler(CallWndProcHandler handler) {
  if (handler && std::find(g_callwndproc_handlers.begin(), g_callwndproc_handlers.end(), handler) ==
                     g_callwndproc_handlers.end())
    g_callwndproc_handlers.push_back(handler);
}

void EnsureCallWndProcHook() {
  if (!g_callwndproc_hook)
    g_callwndproc_hook = SetWindowsHookExW(WH_CALLWNDPROC, CallWndProcHook, nullptr, GetCurrentThreadId());
}

void InitToolkit() {
  if (g_state != ToolkitState::kNotInitialised) return;
  // 1. Registries and locks come into being on first use; touch the locks so
  //    they exist before a second thread can race for them.
  for (int i = 0; i < static_cast<int>(ToolkitLock::kCount); ++i) GetToolkitLock(static_cast<ToolkitLock>(i));
  // 2. Named colours.
  InitColourTables();
  // 3. Image decoders.
  platform::EnablePngDecoder();
  platform::EnableJpegDecoder();
  // 4. Built-in images.
  g_caps.blank_icon = CreateBlankIcon();
  for (int i = 0; i < GLYPH_COUNT; ++i) g_caps.glyphs[i] = CreateGlyphList(static_cast<BuiltinGlyph>(i));
  // 5. Cursors and the default icon size.
  static const LPCWSTR kCursors[6] = {IDC_ARROW, IDC_SIZENS, IDC_SIZENS, IDC_HAND, IDC_SIZEALL, IDC_SIZEWE};
  for (int i = 0; i < 6; ++i) g_caps.cursors[i] = LoadCursorW(nullptr, kCursors[i]);
  g_caps.default_icon_width = 16;
  g_caps.default_icon_height = 16;
  // 6. UI font and drop shadows.
  ReadUiFont();
  // 7-8. Versions.
  g_caps.os_version = platform::OsVersion();
  ReadComctlVersion();
  // 9. Per-pixel alpha blending.
  // Gdi32 is linked in, so the process holds it beyond this reference.
  if (const platform::UniqueModule gdi{LoadLibraryW(L"Gdi32.dll")}) {
    Bind(gdi.get(), "GdiAlphaBlend", g_caps.alpha_blend);
  } else {
    MessageBoxW(nullptr, L"Can't open Gdi32.dll", L"Error!", MB_ICONERROR);
  }
  // 10. Visual styles and composition.
  BindTheme();
  BindDwm();
  g_state = ToolkitState::kInitialised;
}

void StartToolkit() {
  if (g_state == ToolkitState::kNotInitialised) InitToolkit();
  if (g_state != ToolkitState::kInitialised) return;
  EnsureCallWndProcHook();
  // The application's windows are watched from their creation on, so size
  // limits and rebar heights work on windows made before any bar exists.
  EnableControlSubclassing();
  StartGraphics();
  StartAnimationThread();
  g_state = ToolkitState::kStarted;
}

void ShutdownToolkit() {
  if (g_state != ToolkitState::kStarted && g_state != ToolkitState::kInitialised) return;
  StopAnimationThread();
  EnumWindows(HideOwnWindow, 0);
  for (auto& stage : g_teardown) {
    for (auto& free_all : stage) free_all();
    stage.clear();
  }
  if (g_callwndproc_hook) {
    UnhookWindowsHookEx(g_callwndproc_hook);
    g_callwndproc_hook = nullptr;
  }
  for (HHOOK hook : g_hooks) UnhookWindowsHookEx(hook);
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
