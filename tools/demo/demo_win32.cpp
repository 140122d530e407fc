// A window made of the toolkit's painting: bar gradients in the current UI
// colours, labels with inline markup, and image effects on a real icon.
#include <windows.h>

#include "toolkit/bars/toolkit_start_win32.h"
#include "toolkit/menus/label_draw_win32.h"
#include "toolkit/style/colour.h"
#include "toolkit/style/colour_mode.h"
#include "toolkit/style/drawing_win32.h"
#include "toolkit/style/ui_colour_table.h"
#include "toolkit/style/ui_style.h"

namespace {

using namespace lumora;

HICON g_icon = nullptr;
HANDLE g_grey_icon = nullptr;

int32_t Argb(int32_t key) {
  const int32_t c = static_cast<int32_t>(LookupUIColour(UISTYLE_OFFICE2007, key, 2));
  return MakeARGB(255, c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

void Paint(HWND window, HDC dc) {
  RECT client;
  GetClientRect(window, &client);
  FillRect(dc, &client, reinterpret_cast<HBRUSH>(LookupUIColour(UISTYLE_OFFICE2007, 30, 0)));

  RECT bar{0, 0, client.right, 26};
  static GradientHandle rebar = CreateGradient(1, Argb(31), Argb(32));
  PaintGradient(dc, bar, rebar);
  RECT strip{0, 26, client.right, 54};
  static GradientHandle toolstrip = [] {
    GradientHandle g = CreateGradient(1, Argb(33), Argb(36));
    AddGradientStop(g, 0.5f, Argb(34));
    AddGradientStop(g, 0.51f, Argb(35));
    return g;
  }();
  PaintGradient(dc, strip, toolstrip);

  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, static_cast<COLORREF>(LookupUIColour(UISTYLE_OFFICE2007, 0, 2)));
  RECT title{8, 0, client.right, 26};
  DrawLabel(dc, L"\\bLumora\\b toolkit demonstration", &title, g_caps.ui_font, 0);

  if (g_icon) DrawIconEx(dc, 8, 32, g_icon, 16, 16, 0, nullptr, DI_NORMAL);
  if (g_grey_icon) DrawIconEx(dc, 30, 32, static_cast<HICON>(g_grey_icon), 16, 16, 0, nullptr, DI_NORMAL);

  SetTextColor(dc, RGB(0, 0, 0));
  RECT text{8, 70, client.right - 8, 200};
  DrawLabel(dc,
            L"Plain, \\bbold\\b, \\iitalic\\i, \\uunderlined\\u, \\sstruck\\s and \\cC00000coloured\\n text."
            L"\\|A second line: C:\\\\Users\\\\Tavrel",
            &text, g_caps.ui_font, 1);

  static const int32_t kKeys[] = {13, 21, 25, 26, 30, 31, 33, 36, 41, 42, 54};
  int x = 8;
  for (int32_t key : kKeys) {
    RECT swatch{x, 130, x + 28, 158};
    FillRect(dc, &swatch, reinterpret_cast<HBRUSH>(LookupUIColour(UISTYLE_OFFICE2007, key, 0)));
    FrameRect(dc, &swatch, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    x += 34;
  }
  RECT ellipse{8, 170, 120, 230};
  static GradientHandle glow = CreateGradient(3, MakeARGB(255, 255, 231, 162), MakeARGB(255, 246, 246, 246));
  PaintGradient(dc, ellipse, glow);
}

LRESULT CALLBACK DemoProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(window, &ps);
      Paint(window, dc);
      EndPaint(window, &ps);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_SIZE:
      InvalidateRect(window, nullptr, FALSE);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window, message, wparam, lparam);
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  InitToolkit();
  StartToolkit();
  SetUIColourMode(UICOLOURMODE_DEFAULT_GREY);
  g_icon = static_cast<HICON>(
      LoadImageW(nullptr, L"icons\\Office Icons\\00003.ico", IMAGE_ICON, 16, 16, LR_LOADFROMFILE));
  if (g_icon) g_grey_icon = ImageEffect(g_icon, 255, 0, 0, 0, 0, 1 | 2);

  WNDCLASSW wc{};
  wc.lpfnWndProc = DemoProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = L"LumoraDemo";
  RegisterClassW(&wc);
  HWND window = CreateWindowExW(0, wc.lpszClassName, L"Lumora", WS_OVERLAPPEDWINDOW, 40, 40, 520, 300, nullptr,
                                nullptr, instance, nullptr);
  ShowWindow(window, show);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  ShutdownToolkit();
  return 0;
}
