#include "app/search/search_strip_win32.h"

#include <commctrl.h>

#include "app/shell/element_ids.h"
#include "app/shell/editor_state.h"
#include "app/shell/editor_windows.h"
#include "app/search/find_in_document_win32.h"
#include "app/shell/scintilla_messages.h"
#include "app/search/search_strip_parts_win32.h"
#include "platform/error_log.h"
#include "platform/os_handles_win32.h"
#include "toolkit/base/platform_caps_win32.h"
#include "toolkit/bars/rebar_win32.h"
#include "toolkit/bars/toolbar_win32.h"
#include "toolkit/menus/menu_tracking_win32.h"

namespace tavrel {

namespace {

using namespace lumora;

constexpr int kFieldWidth = 180;
constexpr int kFieldHeight = 22;
constexpr UINT kMouseLeave = 0x2A3;

HWND g_field = nullptr;
HWND g_edit = nullptr;
WNDPROC g_field_proc = nullptr;
WNDPROC g_edit_proc = nullptr;
platform::UniqueFont g_font;
platform::UniqueWindow g_tooltip;
MatchCounterLook g_counter;

int Width(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return rect.right - rect.left;
}

std::wstring FieldText() {
  if (!g_field) return std::wstring();
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(g_field)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(g_field, text.data(), static_cast<int>(text.size()))));
  return text;
}

bool IsOverStripButton() {
  POINT cursor{};
  return GetCursorPos(&cursor) && IsStripButton(WindowFromPoint(cursor));
}

// Whether the edit box shows the cue banner itself; where it does not, the
// edit-box procedure draws it.
bool g_draw_cue = false;

void DrawCue(HWND edit) {
  if (GetWindowTextLengthW(edit) > 0) return;
  const platform::WindowDc dc(edit);
  if (!dc) return;
  RECT text{};
  SendMessageW(edit, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&text));
  const platform::SelectGuard font(dc.get(), reinterpret_cast<HFONT>(SendMessageW(edit, WM_GETFONT, 0, 0)));
  SetBkMode(dc.get(), TRANSPARENT);
  SetTextColor(dc.get(), GetSysColor(COLOR_GRAYTEXT));
  DrawTextW(dc.get(), L"Search", -1, &text, DT_SINGLELINE | DT_NOPREFIX);
}

// The strip of the field between the edit box and the counter, which the
// combo box leaves unpainted on some systems.
void PaintFieldGap(HWND field) {
  if (!g_edit) return;
  RECT edit{};
  GetWindowRect(g_edit, &edit);
  MapWindowPoints(nullptr, field, reinterpret_cast<POINT*>(&edit), 2);
  const int counter_left = CounterPanelLeft();
  if (counter_left <= edit.right) return;
  const platform::WindowDc dc(field);
  const RECT gap{edit.right, edit.top, counter_left, edit.bottom};
  if (dc) FillRect(dc.get(), &gap, GetSysColorBrush(COLOR_WINDOW));
}

void AddTooltip(HWND owner, HWND tool, const wchar_t* text) {
  if (!g_tooltip) return;
  TOOLINFOW info{};
  info.cbSize = sizeof info;
  info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  info.hwnd = owner;
  info.uId = reinterpret_cast<UINT_PTR>(tool);
  info.lpszText = const_cast<wchar_t*>(text);
  SendMessageW(g_tooltip.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

// The field's "Search" tooltip is made when the pointer first moves over
// the field or its edit box (a popup window costs milliseconds to make under
// Wine, and the first window does not need it); that first move is handed
// on, so the tooltip starts timing at once.
void MakeFieldTooltip(HWND over, WPARAM wparam, LPARAM lparam) {
  if (g_tooltip || !g_field) return;
  HWND owner = GetParent(g_field);
  g_tooltip.reset(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                                  GetModuleHandleW(nullptr), nullptr));
  AddTooltip(owner, g_field, L"Search");
  if (g_edit) AddTooltip(owner, g_edit, L"Search");
  if (!g_tooltip) return;
  MSG move{over, WM_MOUSEMOVE, wparam, lparam, static_cast<DWORD>(GetMessageTime()), {}};
  const DWORD at = GetMessagePos();
  move.pt = POINT{static_cast<short>(LOWORD(at)), static_cast<short>(HIWORD(at))};
  SendMessageW(g_tooltip.get(), TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&move));
}

LRESULT CALLBACK FieldProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  try {
    if (message == WM_MOUSEMOVE) MakeFieldTooltip(window, wparam, lparam);
    if (message == WM_PAINT) {
      RECT update{};
      GetUpdateRect(window, &update, FALSE);
      const LRESULT result = CallWindowProcW(g_field_proc, window, message, wparam, lparam);
      PaintFieldGap(window);
      RepaintStripParts(update);
      return result;
    }
    if (message == WM_COMMAND) {
      // The strip's buttons live inside the field; their commands belong
      // to the main window.
      if (g_editor.main_window) SendMessageW(g_editor.main_window, message, wparam, lparam);
      if (reinterpret_cast<HWND>(lparam) == g_edit && HIWORD(wparam) != EN_KILLFOCUS)
        PostMessageW(window, WM_TAVREL_SEARCHFIELD, HIWORD(wparam), 0);
    } else if (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST && IsOverStripButton()) {
      // The strip's buttons pass their pointer messages on to the field;
      // the combo box would take them for clicks of its own and grab the
      // focus (and the mouse) from under the button.
      return 0;
    } else if (message == WM_WINDOWPOSCHANGING) {
      const auto* pos = reinterpret_cast<const WINDOWPOS*>(lparam);
      PlaceCounterParts((pos->flags & SWP_NOSIZE) ? Width(window) : pos->cx);
      return 0;
    }
  } catch (...) {
    platform::LogCurrentException("search field", message);
  }
  return CallWindowProcW(g_field_proc, window, message, wparam, lparam);
}

// Messages after which the box's selection, undo step or focus may differ.
bool MayChangeEditState(UINT message, WPARAM wparam) {
  switch (message) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_KEYDOWN:
    case WM_CHAR:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_SETTEXT:
    case WM_CUT:
    case WM_PASTE:
    case WM_CLEAR:
    case WM_UNDO:
    case EM_UNDO:
    case EM_SETSEL:
    case EM_REPLACESEL:
      return true;
    case WM_MOUSEMOVE:
      return (wparam & MK_LBUTTON) != 0;
    default:
      return false;
  }
}

LRESULT CALLBACK EditProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  try {
    if (MayChangeEditState(message, wparam) && g_editor.main_window)
      PostMessageW(g_editor.main_window, WM_TAVREL_EDITSTATE, 0, 0);
    if (message == WM_MOUSEMOVE) MakeFieldTooltip(window, wparam, lparam);
    if (message == WM_PAINT && g_draw_cue) {
      const LRESULT result = CallWindowProcW(g_edit_proc, window, message, wparam, lparam);
      DrawCue(window);
      return result;
    }
    // Return steps to the next match and leaves the caret in the field, so
    // that the text can still be changed; Esc goes back to the text.
    if (message == WM_KEYDOWN && (wparam == VK_RETURN || wparam == VK_ESCAPE)) {
      if (wparam == VK_RETURN) {
        const std::wstring text = FieldText();
        if (!text.empty()) {
          g_editor.document_length = SendEditor(SCI_GETLENGTH);
          FindInDocument(0, g_editor.document_length, text, 1);
        }
      } else if (g_editor.editor_control) {
        SetFocus(g_editor.editor_control);
      }
      return 0;
    }
    // Their characters would only make the box beep.
    if (message == WM_CHAR && (wparam == L'\r' || wparam == 0x1B)) return 0;
    if (message == WM_WINDOWPOSCHANGING) {
      // The typed text runs between the magnifier and the counter.
      auto* pos = reinterpret_cast<WINDOWPOS*>(lparam);
      RECT field{}, now{};
      GetClientRect(GetParent(window), &field);
      GetWindowRect(window, &now);
      MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&now), 2);
      if (pos->flags & SWP_NOMOVE) pos->y = now.top;
      if (pos->flags & SWP_NOSIZE) pos->cy = now.bottom - now.top;
      pos->flags &= ~(SWP_NOMOVE | SWP_NOSIZE);
      pos->x = ScreenPixels(22);
      pos->cx = field.right - (CounterPanelWidth() + ScreenPixels(44));
      return 0;
    }
  } catch (...) {
    platform::LogCurrentException("search field edit box", message);
  }
  return CallWindowProcW(g_edit_proc, window, message, wparam, lparam);
}

// Re-lays the field out at its own width, so that the field procedure
// places the counter for its new text.
void RelayoutField() {
  const int32_t width = ToolbarGetButtonWidth(kSearchStripToolbar, kSearchFieldSlot);
  if (width > 0) ToolbarSetButtonWidth(kSearchStripToolbar, kSearchFieldSlot, width);
}

}  // namespace

HWND SearchField() { return g_field; }

HWND FocusedSearchEdit() {
  if (!g_edit) return nullptr;
  // While a menu is open the commands stand for the control it was opened
  // from, whichever window holds the focus meanwhile.
  const HWND focus = MenuTrackingActive() ? MenuTracking().focus : GetFocus();
  return focus == g_edit || focus == g_field ? g_edit : nullptr;
}

const MatchCounterLook& MatchCounter() { return g_counter; }

void BuildSearchStrip(HWND main_window, HINSTANCE instance) {
  HFONT bar_font = GetBarFont();
  g_font.reset(CreateFontFromName(GetFontName(bar_font).c_str(), GetFontPointSize(bar_font), 0));
  CreateToolbar(kSearchStripToolbar, main_window, ScreenPixels(16), ScreenPixels(16), 0);
  g_field = CreateWindowExW(0, L"ComboBox", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | CBS_DROPDOWN | CBS_AUTOHSCROLL,
                            0, 0, ScreenPixels(kFieldWidth), ScreenPixels(kFieldHeight), main_window,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(kSearchField)), instance, nullptr);
  if (!g_field) return;
  SendMessageW(g_field, WM_SETFONT, reinterpret_cast<WPARAM>(g_font ? g_font.get() : bar_font), TRUE);
  g_edit = FindWindowExW(g_field, nullptr, L"Edit", nullptr);
  SendMessageW(g_field, CB_SETCUEBANNER, 0, reinterpret_cast<LPARAM>(L"Search"));
  // Some combo boxes ignore their cue banner; the edit box inside shows it.
  if (g_edit) {
    SendMessageW(g_edit, EM_SETCUEBANNER, TRUE, reinterpret_cast<LPARAM>(L"Search"));
    wchar_t cue[16] = {};
    g_draw_cue = !SendMessageW(g_edit, EM_GETCUEBANNER, reinterpret_cast<WPARAM>(cue), 16) || cue[0] == 0;
  }
  ToolbarAddControl(kSearchFieldSlot, g_field, 0, 0, 0, 0, 1);
  if (g_edit)
    g_edit_proc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(g_edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(EditProc)));
  g_field_proc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(g_field, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FieldProc)));
  BuildSearchStripParts(g_field, g_font ? g_font.get() : bar_font);
}

void FreeSearchStrip() {
  FreeSearchStripParts();
  g_tooltip.reset();
  g_field = g_edit = nullptr;
  g_field_proc = g_edit_proc = nullptr;
  g_counter = MatchCounterLook{};
  g_font.reset();
}

void SetSearchBandWidth(int width) {
  ToolbarSetButtonWidth(kSearchStripToolbar, kSearchFieldSlot, width);
  HWND rebar = RebarWindow(kMainRebar);
  if (!rebar) return;
  const LRESULT index = SendMessageW(rebar, RB_IDTOINDEX, static_cast<WPARAM>(g_editor.search_band_id), 0);
  if (index < 0) return;
  REBARBANDINFOW band{};
  band.cbSize = sizeof band;
  band.fMask = RBBIM_CHILDSIZE | RBBIM_SIZE;
  if (!SendMessageW(rebar, RB_GETBANDINFOW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&band))) return;
  band.cxMinChild = static_cast<UINT>(width + ScreenPixels(4));
  band.cx = static_cast<UINT>(width);
  SendMessageW(rebar, RB_SETBANDINFOW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&band));
}

void SetMatchCounter(const std::wstring& text) {
  if (text == L"-1") {
    g_counter = {L" 0 of 0 ", RGB(0, 0, 0), RGB(255, 100, 100), 0x1000};
  } else {
    g_counter = {text.empty() ? std::wstring() : L" " + text + L" ", RGB(130, 130, 130), 0, 0x70000};
  }
  ShowMatchCounter(g_counter);
  RelayoutField();
}

bool HandleSearchFieldEvent(const MSG& msg) {
  if (msg.message != WM_TAVREL_SEARCHFIELD || !g_field || msg.hwnd != g_field) return false;
  const HWND focus = GetFocus();
  if (focus != g_field && GetParent(focus) != g_field) return true;
  g_editor.search_text = FieldText();
  if (g_editor.search_text.empty()) {
    SetClearButton(false);
    SetMatchCounter(L"");
  } else {
    SetClearButton(true);
  }
  g_editor.document_length = SendEditor(SCI_GETLENGTH);
  FindInDocument(0, g_editor.document_length, g_editor.search_text, 0);
  return true;
}

void FindNextMatch() {
  const std::wstring text = FieldText();
  if (text.empty()) return;
  if (g_editor.editor_control) SetFocus(g_editor.editor_control);
  g_editor.document_length = SendEditor(SCI_GETLENGTH);
  FindInDocument(0, g_editor.document_length, text, 1);
}

void ClearSearch() {
  if (g_field) SetWindowTextW(g_field, L"");
  if (HWND clear = ClearButtonWindow()) SendMessageW(clear, kMouseLeave, 0, 0);
  SetClearButton(false);
  SetMatchCounter(L"");
  FindInDocument(0, SendEditor(SCI_GETLENGTH), L"", 0);
}

}  // namespace tavrel
