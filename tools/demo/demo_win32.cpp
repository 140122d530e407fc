// A window made of the toolkit's painting: bar gradients in the current UI
// colours, labels with inline markup, and image effects on a real icon.
#include <windows.h>

#include <string>

#include "platform/os_handles_win32.h"
#include "toolkit/image/image_file_win32.h"
#include "toolkit/bars/rebar_win32.h"
#include "toolkit/bars/toolbar_win32.h"
#include "toolkit/base/toolkit_messages.h"
#include "toolkit/base/toolkit_start_win32.h"
#include "toolkit/controls/button_win32.h"
#include "toolkit/controls/label_win32.h"
#include "toolkit/controls/panel_win32.h"
#include "toolkit/controls/toolkit_win32.h"
#include "toolkit/menus/menu_win32.h"
#include "toolkit/style/colour.h"
#include "toolkit/style/colour_mode.h"
#include "toolkit/style/drawing_win32.h"
#include "toolkit/style/label_draw_win32.h"
#include "toolkit/style/skin.h"
#include "toolkit/style/ui_colour_table.h"
#include "toolkit/style/ui_style.h"

namespace {

using namespace lumora;

platform::UniqueIcon g_icon;
platform::UniqueIcon g_grey_icon;
int g_top = 0;  // the rebar's height: the painting starts below it

HICON Icon(const wchar_t* name) {
  const std::wstring path = std::wstring(L"icons\\Office Icons\\") + name + L".ico";
  return static_cast<HICON>(LoadImageFile(path.c_str(), 16, 16, 4));
}

// A menu bar, a tool bar with the real icons and the rebar that holds
// them, all in the UI style of the editor.
void BuildBars(HWND window) {
  MenuCreateBar(0, window, UISTYLE_OFFICE2007);
  MenuAddTitle(L"&File");
  MenuAddItem(1, L"&New...", Icon(L"00018"), nullptr, nullptr, 0);
  MenuAddItem(2, L"&Open...$Ctrl+O", Icon(L"00023"), nullptr, nullptr, 0);
  MenuAddSeparator();
  MenuAddItem(3, L"&Save$Ctrl+S", Icon(L"00003"), nullptr, nullptr, 0);
  MenuAddItem(5, L"&Print...$Ctrl+P", Icon(L"00004"), nullptr, nullptr, 0);
  MenuSetItemDisabled(0, 5, 1);
  MenuAddSeparator();
  MenuAddItem(25, L"E&xit", nullptr, nullptr, nullptr, 0);
  MenuAddTitle(L"&Edit");
  MenuAddItem(12, L"Cu&t$Ctrl+X", Icon(L"00021"), nullptr, nullptr, 0);
  MenuAddItem(13, L"&Copy$Ctrl+C", Icon(L"00019"), nullptr, nullptr, 0);
  MenuAddItem(14, L"&Paste$Ctrl+V", Icon(L"00022"), nullptr, nullptr, 0);
  MenuAddSeparator();
  MenuAddItem(22, L"&Word Wrap$Ctrl+W", nullptr, nullptr, nullptr, 0);
  MenuSetItemState(0, 22, 1);
  MenuAddTitle(L"&Help");
  MenuAddItem(196, L"View &Help$F1", Icon(L"00984"), nullptr, nullptr, 0);

  CreateToolbar(3, window, 16, 16, UISTYLE_OFFICE2007 | TOOLBAR_HIDE_CLIPPED);
  ToolbarAddImageButton(1, L"", Icon(L"00018"), nullptr, nullptr, 0x10);
  ToolbarAddImageButton(2, L"", Icon(L"00023"), nullptr, nullptr, 0x10);
  ToolbarAddImageButton(3, L"", Icon(L"00003"), nullptr, nullptr, 0x10);
  ToolbarAddSeparator();
  ToolbarAddImageButton(7, L"", Icon(L"00002"), nullptr, nullptr, 0x12);
  ToolbarAddSeparator();
  ToolbarAddImageButton(12, L"", Icon(L"00021"), nullptr, nullptr, 0x10);
  ToolbarAddImageButton(13, L"", Icon(L"00019"), nullptr, nullptr, 0x10);
  ToolbarAddImageButton(14, L"", Icon(L"00022"), nullptr, nullptr, 0x10);
  ToolbarSetButtonDisabled(3, 14, 1);
  ToolbarSetButtonTooltip(3, 1, L"New Blank Document");

  CreateRebar(1, window, nullptr, 0x200 | UISTYLE_OFFICE2007, 1);
  RebarAddBand(ToolbarWindow(3), L"", 240, 2, 0, nullptr, 0);
  RebarAddBand(reinterpret_cast<HWND>(MenuExists(0)), L"", 172, 70, MenuBarHeight(0) - 3, nullptr, 0x84);
  g_top = RebarGetHeight(1);
}

constexpr int kButtonsTop = 240;  // below the painted samples
intptr_t g_buttons_panel = 0;

// One skin for the strip's buttons, written in the skin language: a grey
// gradient that warms when hot, darkens when pressed and turns amber when
// selected; blue marks the in-between states. The page behind them takes
// its gradient from the same skin.
SkinHandle MakeDemoSkin() {
  const SkinHandle skin = CreateSkin(std::wstring_view(L"demoSkin"));
  static const wchar_t* const kBackgrounds[kButtonStateCount] = {
      L"gradient: vertical, #fcfcfc, #dde0e3;", L"gradient: vertical, #fff4cc, #ffd670;",
      L"gradient: vertical, #fbc878, #f5a03c;", L"#f0f0f0;",
      L"gradient: vertical, #ffe296, #ffbe50;", L"gradient: vertical, #ffecaa, #ffc85a;",
      L"gradient: vertical, #f5aa50, #eb8c28;", L"gradient: vertical, #dce8fa, #a0beeb;",
      L"gradient: vertical, #e6f0ff, #aac8f5;", L"gradient: vertical, #96b4e6, #6e96dc;"};
  for (int state = 0; state < kButtonStateCount; ++state) {
    const std::wstring name = WideSkinText(kSkinStateNames[state]);
    SetSkinProperty(skin, L"buttonex", name, L"background", kBackgrounds[state]);
    SetSkinProperty(skin, L"buttonex", name, L"image position", L"x: 6; y: 50%;");
    SetSkinProperty(skin, L"buttonex", name, L"text position", L"x: 50%; y: 50%;");
    SetSkinProperty(skin, L"buttonex", name, L"text padding", L"left: 22; right: 4;");
    SetSkinProperty(skin, L"buttonex", name, L"text",
                    state == BUTTON_DISABLED ? L"colour: #a0a0a0;" : L"font: Tahoma, 8; colour: black;");
  }
  SetSkinProperty(skin, L"buttonex", L"hot", L"cursor", L"hand;");
  SetSkinProperty(skin, L"demopage", L"normal", L"background", L"gradient: vertical, #ffffff, #e8eaed;");
  return skin;
}

// A panel whose page holds skinned buttons in several of their states, a
// pair of image buttons and a label that sizes itself to its text.
void BuildButtons(HWND window) {
  g_buttons_panel = CreatePanel(-1, window, 8, g_top + kButtonsTop, 530, 76, nullptr);
  HWND page = AddPanelPage(0x8000);
  const SkinHandle skin = MakeDemoSkin();
  SetPageSkin(page, skin, L"demopage");
  struct Sample {
    const wchar_t* text;
    int state;  // how it is shown
  } const kSamples[] = {{L"Normal", BUTTON_NORMAL},
                        {L"\\bSelected\\b", BUTTON_SELECTED},
                        {L"In between", BUTTON_INBETWEEN},
                        {L"Disabled", BUTTON_DISABLED}};
  int x = 6;
  for (const Sample& sample : kSamples) {
    const intptr_t id =
        CreateButton(page, -1, x, 6, 96, 28, sample.text, Icon(L"00003"), nullptr, nullptr, nullptr, skin);
    if (sample.state == BUTTON_SELECTED || sample.state == BUTTON_INBETWEEN) {
      ButtonSetToggle(id, true, false, 0);
      ButtonSetToggleState(id, sample.state == BUTTON_SELECTED ? ButtonToggle::kSelected : ButtonToggle::kInBetween);
    }
    if (sample.state == BUTTON_DISABLED) ButtonSetDisabled(id, 1);
    ButtonSetTooltip(id, sample.text);
    x += 102;
  }
  // Image buttons in the built-in image-button skin, the second disabled.
  CreateImageButton(page, 90, 420, 12, 0, 0, Icon(L"00023"), nullptr, nullptr, nullptr);
  CreateImageButton(page, 91, 444, 12, 0, 0, Icon(L"00023"), nullptr, nullptr, nullptr);
  ButtonSetDisabled(91, 1);
  ButtonSetTooltip(90, L"Open");
  // A push button in the default skin, the visual style's own.
  CreateButton(page, -1, 420, 40, 100, 28, L"System", nullptr, nullptr, nullptr, nullptr, 0);
  const intptr_t label = CreateTextLabel(-1, page, 8, 44, 0, 0, L"Label sized to its text: \\b2\\b of \\b5\\b");
  LabelSetColours(label, RGB(130, 130, 130), 0);
  const intptr_t counter = CreateTextLabel(-1, page, 300, 44, 0, 0, L" No results ");
  LabelSetColours(counter, RGB(0, 0, 0), RGB(255, 100, 100));
  LabelSetStyle(counter, LABEL_STYLE_FILL);
}

int32_t Argb(int32_t key) {
  const int32_t c = static_cast<int32_t>(LookupUIColour(UISTYLE_OFFICE2007, key, 2));
  return MakeARGB(255, c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

void Paint(HWND window, HDC dc) {
  RECT client;
  GetClientRect(window, &client);
  FillRect(dc, &client, reinterpret_cast<HBRUSH>(LookupUIColour(UISTYLE_OFFICE2007, 30, 0)));

  // The bars sit in the rebar at the top; the drawing starts below it.
  client.bottom -= g_top;
  OffsetViewportOrgEx(dc, 0, g_top, nullptr);
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
  DrawLabel(dc, L"\\bLumora\\b toolkit demonstration", &title, UiFont(), 0);

  if (g_icon) DrawIconEx(dc, 8, 32, g_icon.get(), 16, 16, 0, nullptr, DI_NORMAL);
  if (g_grey_icon) DrawIconEx(dc, 30, 32, g_grey_icon.get(), 16, 16, 0, nullptr, DI_NORMAL);

  SetTextColor(dc, RGB(0, 0, 0));
  RECT text{8, 70, client.right - 8, 200};
  DrawLabel(dc,
            L"Plain, \\bbold\\b, \\iitalic\\i, \\uunderlined\\u, \\sstruck\\s and \\cC00000coloured\\n text."
            L"\\|A second line: C:\\\\Users\\\\Tavrel",
            &text, UiFont(), 1);

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
    case WM_LUMORA_REBARHEIGHT:
      g_top = RebarGetHeight(1);
      if (HWND panel = PanelWindow(g_buttons_panel, -1))
        SetWindowPos(panel, nullptr, 8, g_top + kButtonsTop, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
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
  g_icon.reset(static_cast<HICON>(
      LoadImageW(nullptr, L"icons\\Office Icons\\00003.ico", IMAGE_ICON, 16, 16, LR_LOADFROMFILE)));
  if (g_icon) g_grey_icon.reset(static_cast<HICON>(ImageEffect(g_icon.get(), 255, 0, 0, 0, 0, 1 | 2)));

  WNDCLASSW wc{};
  wc.lpfnWndProc = DemoProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = L"LumoraDemo";
  RegisterClassW(&wc);
  HWND window = CreateWindowExW(0, wc.lpszClassName, L"Lumora", WS_OVERLAPPEDWINDOW, 40, 40, 560, 420, nullptr,
                                nullptr, instance, nullptr);
  // The demonstration shows every effect, menu shadows included, whatever
  // the desktop's own setting.
  g_caps.drop_shadow_enabled = 1;
  BuildBars(window);
  BuildButtons(window);
  ShowWindow(window, show);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  ShutdownToolkit();
  g_grey_icon.reset();
  g_icon.reset();
  return 0;
}
