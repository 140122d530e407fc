// The strip's parts are the toolkit's controls: two panels with white
// pages inside the field, the image buttons 18 and 19 on them and the
// counter label 7 beside the clear button.
#include "app/search/search_strip_parts_win32.h"

#include <algorithm>

#include "app/shell/command_ids.h"
#include "app/shell/editor_state.h"
#include "app/shell/element_ids.h"
#include "app/shell/image_indexes.h"
#include "platform/error_log.h"
#include "toolkit/base/platform_caps_win32.h"
#include "toolkit/controls/button_win32.h"
#include "toolkit/controls/label_win32.h"
#include "toolkit/controls/panel_win32.h"

namespace tavrel {

namespace {

using namespace lumora;

constexpr uint32_t kPageOptions = 0x8000;

HWND g_field = nullptr;
WNDPROC g_button_procs[2] = {};
WNDPROC g_label_proc = nullptr;

// The window that gets a button's pointer messages: its page.
HWND ButtonPage(int32_t id) {
  HWND button = ButtonWindow(id);
  return button ? PanelWindow(reinterpret_cast<intptr_t>(button), 0) : nullptr;
}

WNDPROC& SavedButtonProc(HWND page) { return g_button_procs[page == ButtonPage(CMD_CLEAR_SEARCH) ? 1 : 0]; }

LRESULT CALLBACK StripButtonProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  const WNDPROC previous = SavedButtonProc(window);
  if (message == WM_MOUSELEAVE) {
    const LRESULT result = CallWindowProcW(previous, window, message, wparam, lparam);
    // The field drops its hot look with the button.
    try {
      if (g_field) SendMessageW(g_field, message, wparam, lparam);
    } catch (...) {
      platform::LogCurrentException("search strip button", message);
    }
    return result;
  }
  return CallWindowProcW(previous, window, message, wparam, lparam);
}

LRESULT CALLBACK LabelProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  // Clicks on the counter go to the field beneath it.
  if (message == WM_NCHITTEST) return HTTRANSPARENT;
  return CallWindowProcW(g_label_proc, window, message, wparam, lparam);
}

HWND WhitePage() {
  HWND page = AddPanelPage(kPageOptions);
  if (!page) return nullptr;
  PageBackground white = DefaultPageBackground();
  white.colour = RGB(255, 255, 255);
  white.gradient = 0;
  SetPageBackground(page, white);
  return page;
}

void SubclassButton(int32_t id) {
  HWND page = ButtonPage(id);
  if (!page) return;
  g_button_procs[id == CMD_CLEAR_SEARCH ? 1 : 0] = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(page, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(StripButtonProc)));
}

// The clear button's image is as wide as the tool-bar images.
int ClearButtonRoom() { return g_caps.default_icon_width; }

int WidthOf(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return rect.right - rect.left;
}

}  // namespace

void BuildSearchStripParts(HWND field, HFONT font) {
  g_field = field;
  const ImageSet& magnifier = g_editor.images[kImageMagnifier];
  const ImageSet& clear = g_editor.images[kImageClear];
  if (CreatePanel(kMagnifierPanel, field, ScreenPixels(4), ScreenPixels(1), ScreenPixels(18), ScreenPixels(19),
                  nullptr)) {
    if (HWND page = WhitePage()) {
      CreateImageButton(page, CMD_FIND_NEXT, 0, 0, 0, 0, magnifier.normal, magnifier.hot, magnifier.pressed, nullptr);
      SubclassButton(CMD_FIND_NEXT);
    }
  }
  if (!CreatePanel(kCounterPanel, field, WidthOf(field) - ScreenPixels(77), ScreenPixels(3), ScreenPixels(60),
                   ScreenPixels(16), nullptr))
    return;
  HWND page = WhitePage();
  if (!page) return;
  CreateImageButton(page, CMD_CLEAR_SEARCH, PanelWidth(kCounterPanel) - ClearButtonRoom(), ScreenPixels(1), 0, 0,
                    clear.normal, clear.hot,
                    clear.pressed, clear.disabled);
  SubclassButton(CMD_CLEAR_SEARCH);
  ButtonSetTooltip(CMD_CLEAR_SEARCH, L"Search");
  ButtonSetDisabled(CMD_CLEAR_SEARCH, 1);
  if (CreateTextLabel(kCounterLabel, page, 0, ScreenPixels(1), 0, 0, L"")) {
    if (HWND label_page = PanelWindow(reinterpret_cast<intptr_t>(LabelWindow(kCounterLabel)), 0))
      g_label_proc = reinterpret_cast<WNDPROC>(
          SetWindowLongPtrW(label_page, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(LabelProc)));
    LabelSetColours(kCounterLabel, RGB(130, 130, 130), 0);
    LabelSetFont(kCounterLabel, font);
  }
}

void FreeSearchStripParts() {
  g_field = nullptr;
  g_button_procs[0] = g_button_procs[1] = nullptr;
  g_label_proc = nullptr;
}

void PlaceCounterParts(int field_width) {
  HWND panel = PanelWindow(kCounterPanel, -1);
  if (!panel) return;
  // The clear button's room grows with its image, the gaps with the screen.
  const int w = LabelWidth(kCounterLabel) + ClearButtonRoom() + ScreenPixels(2);
  SetWindowPos(panel, nullptr, field_width - (w + ScreenPixels(17)), ScreenPixels(3), w,
               std::max(ScreenPixels(16), g_caps.default_icon_height), SWP_NOZORDER | SWP_NOACTIVATE);
  if (HWND clear = ButtonWindow(CMD_CLEAR_SEARCH))
    SetWindowPos(clear, nullptr, w - ClearButtonRoom(), ScreenPixels(1), 0, 0,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSIZE);
}

void RepaintStripParts(const RECT& update) {
  if (!g_field) return;
  for (int panel_id : {kMagnifierPanel, kCounterPanel}) {
    HWND panel = PanelWindow(panel_id, -1);
    RECT rect{}, common{};
    if (!panel || !GetWindowRect(panel, &rect)) continue;
    MapWindowPoints(nullptr, g_field, reinterpret_cast<POINT*>(&rect), 2);
    if (IntersectRect(&common, &rect, &update))
      RedrawWindow(panel, nullptr, nullptr, RDW_INVALIDATE | RDW_NOERASE | RDW_ALLCHILDREN);
  }
}

int CounterPanelWidth() {
  const int32_t width = PanelWidth(kCounterPanel);
  return width >= 0 ? width : ScreenPixels(60);
}

int CounterPanelLeft() {
  HWND panel = PanelWindow(kCounterPanel, -1);
  RECT rect{};
  if (!panel || !g_field || !GetWindowRect(panel, &rect)) return g_field ? WidthOf(g_field) : 0;
  MapWindowPoints(nullptr, g_field, reinterpret_cast<POINT*>(&rect), 2);
  return rect.left;
}

void ShowMatchCounter(const MatchCounterLook& look) {
  LabelSetColours(kCounterLabel, static_cast<int32_t>(look.text_colour), static_cast<int32_t>(look.fill_colour));
  LabelSetStyle(kCounterLabel, static_cast<uint32_t>(look.style));
  LabelSetText(kCounterLabel, look.text.c_str());
}

void SetClearButton(bool enabled) {
  ButtonSetDisabled(CMD_CLEAR_SEARCH, enabled ? 0 : 1);
  ButtonSetTooltip(CMD_CLEAR_SEARCH, enabled ? L"Clear Search" : L"Search");
}

HWND ClearButtonWindow() { return ButtonPage(CMD_CLEAR_SEARCH); }

bool IsStripButton(HWND window) {
  if (!window) return false;
  for (int32_t id : {CMD_FIND_NEXT, CMD_CLEAR_SEARCH}) {
    HWND button = ButtonWindow(id);
    if (button && (window == button || IsChild(button, window))) return true;
  }
  return false;
}

}  // namespace tavrel
