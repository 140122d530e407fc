// Until the toolkit's panels, image buttons and labels are in this tree,
// the parts are plain windows of the editor's own that look and behave the
// same: white panels, owner-drawn image buttons (normal, hot, pressed,
// disabled images) and a counter label in its colours. Replacing them by
// the toolkit's controls touches this file only.
#include "app/search_strip_parts_win32.h"

#include <commctrl.h>
#include <windowsx.h>

#include "app/command_ids.h"
#include "app/editor_state.h"
#include "platform/error_log.h"
#include "platform/os_handles_win32.h"

namespace tavrel {

namespace {


constexpr int kMagnifierPanel = 5;
constexpr int kCounterPanel = 4;
constexpr int kCounterLabel = 7;
constexpr int kMagnifierImages = 39;
constexpr int kClearImages = 41;
constexpr UINT kMouseLeave = 0x2A3;
constexpr wchar_t kPanelClass[] = L"TavrelStripPanel";
constexpr wchar_t kButtonClass[] = L"TavrelStripButton";
constexpr wchar_t kLabelClass[] = L"TavrelStripLabel";

HWND g_field = nullptr;
HWND g_counter_panel = nullptr;
HWND g_clear_button = nullptr;
HWND g_label = nullptr;
HFONT g_font = nullptr;
MatchCounterLook g_look;
platform::UniqueBrush g_white;
platform::UniqueWindow g_tooltip;

struct ButtonState {
  bool hot = false;
  bool pressed = false;
};

ButtonState& StateOf(HWND button) {
  static ButtonState magnifier, clear;
  return button == g_clear_button ? clear : magnifier;
}

SIZE ImageSize(HICON icon) {
  SIZE size{16, 16};
  ICONINFO info{};
  if (icon && GetIconInfo(icon, &info)) {
    BITMAP bitmap{};
    if (info.hbmColor && GetObjectW(info.hbmColor, sizeof bitmap, &bitmap)) size = {bitmap.bmWidth, bitmap.bmHeight};
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
  }
  return size;
}

LRESULT CALLBACK PanelProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_ERASEBKGND: {
      RECT rect;
      GetClientRect(window, &rect);
      FillRect(reinterpret_cast<HDC>(wparam), &rect, g_white.get());
      return 1;
    }
    case WM_COMMAND:
      // On to the field, whose procedure hands it to the main window.
      return SendMessageW(GetParent(window), message, wparam, lparam);
    default:
      return DefWindowProcW(window, message, wparam, lparam);
  }
}

void PaintButton(HWND window) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  RECT rect;
  GetClientRect(window, &rect);
  FillRect(dc, &rect, g_white.get());
  const int id = GetDlgCtrlID(window);
  const ImageSet& images = g_editor.images[id == CMD_CLEAR_SEARCH ? kClearImages : kMagnifierImages];
  const ButtonState& state = StateOf(window);
  ImageHandle image = images.normal;
  if (!IsWindowEnabled(window)) {
    if (images.disabled) image = images.disabled;
  } else if (state.pressed && images.pressed) {
    image = images.pressed;
  } else if (state.hot && images.hot) {
    image = images.hot;
  }
  if (image && GetObjectType(image) == OBJ_BITMAP) {
    // A derived image (the disabled one) is a 32-bit bitmap with alpha.
    BITMAP bitmap{};
    GetObjectW(image, sizeof bitmap, &bitmap);
    platform::UniqueMemoryDc source(CreateCompatibleDC(dc));
    HGDIOBJ old = SelectObject(source.get(), static_cast<HBITMAP>(image));
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    GdiAlphaBlend(dc, 0, 0, bitmap.bmWidth, bitmap.bmHeight, source.get(), 0, 0, bitmap.bmWidth, bitmap.bmHeight,
                  blend);
    SelectObject(source.get(), old);
  } else if (image) {
    DrawIconEx(dc, 0, 0, static_cast<HICON>(image), 0, 0, 0, nullptr, DI_NORMAL);
  }
  EndPaint(window, &paint);
}

LRESULT CALLBACK ButtonProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  try {
    ButtonState& state = StateOf(window);
    switch (message) {
      case WM_PAINT:
        PaintButton(window);
        return 0;
      case WM_MOUSEMOVE:
        if (!state.hot) {
          state.hot = true;
          TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, window, 0};
          TrackMouseEvent(&track);
          InvalidateRect(window, nullptr, FALSE);
        }
        return 0;
      case kMouseLeave:
        state.hot = false;
        InvalidateRect(window, nullptr, FALSE);
        // The field drops its hot look with the button.
        if (g_field) SendMessageW(g_field, message, wparam, lparam);
        return 0;
      case WM_LBUTTONDOWN:
        state.pressed = true;
        SetCapture(window);
        InvalidateRect(window, nullptr, FALSE);
        return 0;
      case WM_LBUTTONUP: {
        const bool was_pressed = state.pressed;
        state.pressed = false;
        if (GetCapture() == window) ReleaseCapture();
        InvalidateRect(window, nullptr, FALSE);
        RECT rect;
        GetClientRect(window, &rect);
        const POINT at{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
        if (was_pressed && PtInRect(&rect, at))
          SendMessageW(GetParent(window), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(window), BN_CLICKED),
                       reinterpret_cast<LPARAM>(window));
        return 0;
      }
      case WM_ENABLE:
        InvalidateRect(window, nullptr, FALSE);
        return 0;
      default:
        break;
    }
  } catch (...) {
    platform::LogCurrentException("search strip button", message);
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

SIZE LabelSize() {
  SIZE size{0, 16};
  if (g_look.text.empty()) return size;
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, g_font);
  GetTextExtentPoint32W(dc, g_look.text.c_str(), static_cast<int>(g_look.text.size()), &size);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return size;
}

LRESULT CALLBACK LabelProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_NCHITTEST:
      // Clicks on the counter go to the field beneath it.
      return HTTRANSPARENT;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      RECT rect;
      GetClientRect(window, &rect);
      if (g_look.fill_colour) {
        platform::UniqueBrush fill(CreateSolidBrush(g_look.fill_colour));
        FillRect(dc, &rect, fill.get());
      } else {
        FillRect(dc, &rect, g_white.get());
      }
      HGDIOBJ old = SelectObject(dc, g_font);
      SetBkMode(dc, TRANSPARENT);
      SetTextColor(dc, g_look.text_colour);
      DrawTextW(dc, g_look.text.c_str(), static_cast<int>(g_look.text.size()), &rect,
                DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
      SelectObject(dc, old);
      EndPaint(window, &paint);
      return 0;
    }
    default:
      return DefWindowProcW(window, message, wparam, lparam);
  }
}

void Register(const wchar_t* name, WNDPROC procedure) {
  WNDCLASSW window_class{};
  window_class.lpfnWndProc = procedure;
  window_class.hInstance = GetModuleHandleW(nullptr);
  window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  window_class.lpszClassName = name;
  RegisterClassW(&window_class);
}

HWND Child(const wchar_t* window_class, HWND parent, int id, int x, int y, int width, int height) {
  return CreateWindowExW(0, window_class, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, x, y, width, height, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
}

int Width(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return rect.right - rect.left;
}

}  // namespace

void BuildSearchStripParts(HWND field, HFONT font) {
  g_field = field;
  g_font = font;
  g_look = MatchCounterLook{};
  if (!g_white) g_white.reset(CreateSolidBrush(RGB(255, 255, 255)));
  Register(kPanelClass, PanelProc);
  Register(kButtonClass, ButtonProc);
  Register(kLabelClass, LabelProc);
  HWND magnifier_panel = Child(kPanelClass, field, kMagnifierPanel, 4, 1, 18, 19);
  const SIZE magnifier = ImageSize(static_cast<HICON>(g_editor.images[kMagnifierImages].normal));
  Child(kButtonClass, magnifier_panel, CMD_FIND_NEXT, 0, 0, magnifier.cx, magnifier.cy);
  g_counter_panel = Child(kPanelClass, field, kCounterPanel, Width(field) - 77, 3, 60, 16);
  const SIZE clear = ImageSize(static_cast<HICON>(g_editor.images[kClearImages].normal));
  g_clear_button = Child(kButtonClass, g_counter_panel, CMD_CLEAR_SEARCH, 60 - 16, 1, clear.cx, clear.cy);
  g_label = Child(kLabelClass, g_counter_panel, kCounterLabel, 0, 1, 0, 16);
  g_tooltip.reset(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, field, nullptr,
                                  GetModuleHandleW(nullptr), nullptr));
  if (g_tooltip && g_clear_button) {
    TOOLINFOW info{};
    info.cbSize = sizeof info;
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = g_counter_panel;
    info.uId = reinterpret_cast<UINT_PTR>(g_clear_button);
    info.lpszText = const_cast<wchar_t*>(L"Search");
    SendMessageW(g_tooltip.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
  }
  SetClearButton(false);
}

void FreeSearchStripParts() {
  g_tooltip.reset();
  g_field = g_counter_panel = g_clear_button = g_label = nullptr;
}

void PlaceCounterParts(int field_width) {
  if (!g_counter_panel) return;
  const int w = LabelSize().cx + 18;
  SetWindowPos(g_counter_panel, nullptr, field_width - (w + 17), 3, w, 16, SWP_NOZORDER | SWP_NOACTIVATE);
  if (g_clear_button) SetWindowPos(g_clear_button, nullptr, w - 16, 1, 0, 0, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSIZE);
}

int CounterPanelWidth() { return g_counter_panel ? Width(g_counter_panel) : 60; }

int CounterPanelLeft() {
  RECT panel{};
  if (!g_counter_panel || !GetWindowRect(g_counter_panel, &panel)) return g_field ? Width(g_field) : 0;
  MapWindowPoints(nullptr, g_field, reinterpret_cast<POINT*>(&panel), 2);
  return panel.left;
}

void ShowMatchCounter(const MatchCounterLook& look) {
  g_look = look;
  if (!g_label) return;
  const SIZE size = LabelSize();
  SetWindowPos(g_label, nullptr, 0, 1, size.cx, 16, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
  InvalidateRect(g_label, nullptr, TRUE);
}

void SetClearButton(bool enabled) {
  if (!g_clear_button) return;
  EnableWindow(g_clear_button, enabled);
  const wchar_t* tip = enabled ? L"Clear Search" : L"Search";
  SetWindowTextW(g_clear_button, tip);
  if (!g_tooltip) return;
  TOOLINFOW info{};
  info.cbSize = sizeof info;
  info.hwnd = g_counter_panel;
  info.uId = reinterpret_cast<UINT_PTR>(g_clear_button);
  info.lpszText = const_cast<wchar_t*>(tip);
  SendMessageW(g_tooltip.get(), TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
}

HWND ClearButtonWindow() { return g_clear_button; }

}  // namespace tavrel
