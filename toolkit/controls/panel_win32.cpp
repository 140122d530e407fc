// Panel and page windows: creation, the two window procedures, the active
// page, opacity and scrolling.
#include "toolkit/controls/panel_win32.h"

#include <algorithm>

#include "platform/error_log.h"
#include "platform/error_log_win32.h"
#include "toolkit/bars/toolbar_registry_win32.h"
#include "toolkit/base/stale_lock.h"
#include "toolkit/base/toolkit_messages.h"
#include "toolkit/base/toolkit_start_win32.h"
#include "toolkit/controls/panel_registry_win32.h"
#include "toolkit/controls/theme_objects_win32.h"

namespace lumora {
namespace {

constexpr wchar_t kPanelClass[] = L"Lumora_PanelEx";
constexpr wchar_t kPageClass[] = L"Lumora_PanelExPage";
constexpr wchar_t kScrollBoxClass[] = L"Lumora_ScrollbarBox";

HWND g_container = nullptr;

// The windows of a record already out of the registry; the pages' scroll
// bars are the panel's children and go with it.
void ForgetPanel(std::unique_ptr<PanelRecord> doomed) {
  if (!doomed) return;
  for (auto& page : doomed->pages) {
    page->horizontal_bar.release();
    page->vertical_bar.release();
    page->corner_box.release();
    if (g_container == page->window) g_container = nullptr;
  }
}

LRESULT Offer(PanelRecord* panel, HWND page, UINT message, WPARAM wparam, LPARAM lparam) {
  return panel && panel->callback ? panel->callback(page, message, wparam, lparam) : 0;
}

HWND PanelParent(const PageRecord& page) { return GetParent(page.panel_window); }

bool IsPointerMessage(UINT message) {
  switch (message) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MOUSELEAVE:
      return true;
    default:
      return false;
  }
}

// Pointer messages reach the window that holds the panel as if over its
// own client area, so their position is carried over into it.
LPARAM PointInParent(HWND page, HWND parent, UINT message, LPARAM lparam) {
  if (message == WM_MOUSELEAVE) return lparam;
  POINT point{static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam))};
  MapWindowPoints(page, parent, &point, 1);
  return MAKELPARAM(point.x, point.y);
}

// Lays out a scrolling page and its bars inside the panel.
void LayoutScrolling(PageRecord& page) {
  RECT client;
  GetClientRect(page.panel_window, &client);
  const int bar_w = GetSystemMetrics(SM_CXVSCROLL), bar_h = GetSystemMetrics(SM_CYHSCROLL);
  bool need_h = page.content_width > client.right, need_v = page.content_height > client.bottom;
  if (need_h && !need_v) need_v = page.content_height > client.bottom - bar_h;
  if (need_v && !need_h) need_h = page.content_width > client.right - bar_w;
  const int view_w = std::max(0, static_cast<int>(client.right) - (need_v ? bar_w : 0));
  const int view_h = std::max(0, static_cast<int>(client.bottom) - (need_h ? bar_h : 0));
  MoveWindow(page.window, 0, 0, view_w, view_h, FALSE);
  const bool shown = page.panel && page.panel->active_page == &page;
  auto place = [&](platform::UniqueWindow& bar, bool needed, int bar_kind, int x, int y, int w, int h,
                   int content, int view, int32_t& position) {
    if (!needed) {
      if (bar) ShowWindow(bar.get(), SW_HIDE);
      position = 0;
      return;
    }
    if (!bar)
      bar.reset(CreateWindowExW(0, L"SCROLLBAR", nullptr, WS_CHILD | bar_kind, x, y, w, h, page.panel_window, nullptr,
                                GetModuleHandleW(nullptr), nullptr));
    if (!bar) return;
    MoveWindow(bar.get(), x, y, w, h, FALSE);
    position = std::clamp(position, 0, std::max(0, content - view));
    SCROLLINFO info{sizeof(info), SIF_RANGE | SIF_PAGE | SIF_POS, 0, content - 1, static_cast<UINT>(view), position, 0};
    SetScrollInfo(bar.get(), SB_CTL, &info, FALSE);
    ShowWindow(bar.get(), shown ? SW_SHOWNA : SW_HIDE);
  };
  place(page.horizontal_bar, need_h, SBS_HORZ, 0, view_h, view_w, bar_h, page.content_width, view_w, page.scroll_x);
  place(page.vertical_bar, need_v, SBS_VERT, view_w, 0, bar_w, view_h, page.content_height, view_h, page.scroll_y);
  if (need_h && need_v && !page.corner_box)
    page.corner_box.reset(CreateWindowExW(0, kScrollBoxClass, nullptr, WS_CHILD, view_w, view_h, bar_w, bar_h,
                                          page.panel_window, nullptr, GetModuleHandleW(nullptr), nullptr));
  if (page.corner_box) {
    MoveWindow(page.corner_box.get(), view_w, view_h, bar_w, bar_h, FALSE);
    ShowWindow(page.corner_box.get(), need_h && need_v && shown ? SW_SHOWNA : SW_HIDE);
  }
}

void ScrollTo(PageRecord& page, HWND bar, int32_t position) {
  const bool horizontal = bar == page.horizontal_bar.get();
  int32_t& current = horizontal ? page.scroll_x : page.scroll_y;
  const int32_t delta = current - position;
  current = position;
  // The controls are moved one by one: the system scrolls children only
  // of a window that is shown, and a page may be scrolled before it is.
  const int dx = horizontal ? delta : 0, dy = horizontal ? 0 : delta;
  for (HWND child = GetWindow(page.window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    RECT rect;
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, page.window, reinterpret_cast<POINT*>(&rect), 2);
    SetWindowPos(child, nullptr, rect.left + dx, rect.top + dy, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  InvalidateRect(page.window, nullptr, FALSE);
  SCROLLINFO info{sizeof(info), SIF_POS, 0, 0, 0, position, 0};
  SetScrollInfo(bar, SB_CTL, &info, TRUE);
}

void RedrawToolbarsOn(HWND page) {
  for (ToolbarRecord* bar : AllToolbars())
    if (GetParent(bar->window) == page)
      RedrawWindow(bar->window, nullptr, nullptr, RDW_NOERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_INVALIDATE);
}

void StopPanelPainting(PanelRecord* panel) {
  StaleLockGuard guard(PanelLock());
  for (auto& page : panel->pages) page->no_paint = true;
}

// A theme change brings new system colours: a page showing the window
// colour takes the new one.
void RefreshDefaultBackground(PageRecord& page) {
  StaleLockGuard guard(PanelLock());
  if (page.background.system_default) page.background.colour = static_cast<int32_t>(GetSysColor(COLOR_WINDOW));
}

LRESULT CALLBACK PanelProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  PanelRecord* panel = FindPanelByWindow(window);
  if (!panel) return DefWindowProcW(window, message, wparam, lparam);
  HWND active = panel->active_page ? panel->active_page->window : nullptr;
  try {
    switch (message) {
      case WM_PAINT: {
        PAINTSTRUCT ps;
        BeginPaint(window, &ps);
        EndPaint(window, &ps);
        return 0;
      }
      case WM_ERASEBKGND:
        return 1;
      case WM_NCHITTEST:
        return HTTRANSPARENT;
      case WM_DESTROY:
        // Pages that are going must not paint half-destroyed controls.
        StopPanelPainting(panel);
        break;
      case WM_NCDESTROY:
        // Destroyed with its parent: the record goes with the window.
        ForgetPanel(UnregisterPanel(panel));
        return 0;
      case WM_THEMECHANGED:
        DropThemeObjects();
        for (auto& page : panel->pages) RefreshDefaultBackground(*page);
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_NOERASE | RDW_ALLCHILDREN);
        return 0;
      case WM_SIZE: {
        RECT client;
        GetClientRect(window, &client);
        for (auto& page : panel->pages) {
          if (page->scrolling)
            LayoutScrolling(*page);
          else
            MoveWindow(page->window, 0, 0, client.right, client.bottom, FALSE);
        }
        if (PageRecord* shown = panel->active_page; shown && shown->scrolling) {
          for (HWND part : {shown->horizontal_bar.get(), shown->vertical_bar.get(), shown->corner_box.get()})
            if (part) RedrawWindow(part, nullptr, nullptr, RDW_INVALIDATE | RDW_NOERASE | RDW_UPDATENOW | RDW_NOFRAME);
        }
        if (LRESULT handled = Offer(panel, active, message, wparam, lparam)) return handled;
        if (active) {
          RedrawWindow(active, nullptr, nullptr, RDW_INVALIDATE | RDW_NOERASE | RDW_UPDATENOW);
          RedrawToolbarsOn(active);
        }
        return 0;
      }
      case WM_LUMORA_ANIMSTEP:
        if (active) RedrawWindow(active, nullptr, nullptr, RDW_INVALIDATE | RDW_NOERASE | RDW_NOCHILDREN | RDW_UPDATENOW);
        return 0;
      case WM_WINDOWPOSCHANGING:
        if (LRESULT handled = Offer(panel, active, message, wparam, lparam)) return handled;
        break;
      case WM_NOTIFY:
        return SendMessageW(GetParent(window), message, wparam, lparam);
      case WM_HSCROLL:
      case WM_VSCROLL: {
        PageRecord* shown = panel->active_page;
        const HWND bar = reinterpret_cast<HWND>(lparam);
        const int code = LOWORD(wparam);
        if (shown && bar && (bar == shown->horizontal_bar.get() || bar == shown->vertical_bar.get()) &&
            (code == SB_THUMBPOSITION || code == SB_THUMBTRACK)) {
          ScrollTo(*shown, bar, HIWORD(wparam));
          return 0;
        }
        break;
      }
      default:
        break;
    }
  } catch (const std::exception& error) {
    platform::LogCaught("panel window procedure", message, &error);
  } catch (...) {
    platform::LogCurrentException("panel window procedure", message);
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

LRESULT PageMessage(PageRecord& page, HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  PanelRecord* panel = page.panel;
  switch (message) {
    case WM_LUMORA_SKINCHANGED: {
      // The page and its control are rebuilt from the skin in steps; a
      // paint in between (a control's own repaint) would show half of it.
      SetPagePainting(window, false);
      ReapplyPageSkin(page, lparam);
      Offer(panel, window, message, wparam, lparam);
      // The callback may have freed the panel; only the window is asked.
      if (SetPagePainting(window, true))
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_NOERASE | RDW_UPDATENOW);
      return 0;
    }
    case WM_THEMECHANGED:
      DropThemeObjects();
      RefreshDefaultBackground(page);
      RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_NOERASE | RDW_ALLCHILDREN);
      Offer(panel, window, message, wparam, lparam);
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(window, &ps);
      if (!page.no_paint) PaintPage(page, dc);
      EndPaint(window, &ps);
      return 0;
    }
    case WM_PRINTCLIENT:
      PaintPage(page, reinterpret_cast<HDC>(wparam));
      return 0;
    case WM_ERASEBKGND:
      return 1;
    // The callback may free the panel (a command that closes what holds
    // it), and the page's record with it: the parent is read before.
    case WM_COMMAND: {
      const HWND parent = PanelParent(page);
      if (LRESULT handled = Offer(panel, window, message, wparam, lparam)) return handled;
      return IsWindow(parent) ? SendMessageW(parent, message, wparam, lparam) : 0;
    }
    case WM_NOTIFY: {
      const HWND parent = PanelParent(page);
      LRESULT handled = Offer(panel, window, message, wparam, lparam);
      const auto* header = reinterpret_cast<const NMHDR*>(lparam);
      if (header && FindToolbarByWindow(header->hwndFrom)) return handled;
      return IsWindow(parent) ? SendMessageW(parent, message, wparam, lparam) : handled;
    }
    case WM_SETCURSOR: {
      if (page.repeats.IsNew(MessageRepeatFilter::kSetCursor, wparam, lparam))
        if (LRESULT handled = Offer(panel, window, message, wparam, lparam)) return handled;
      if (reinterpret_cast<HWND>(wparam) == window && LOWORD(lparam) == HTCLIENT) {
        SetCursor(page.cursor ? page.cursor : LoadCursorW(nullptr, IDC_ARROW));
        return TRUE;
      }
      break;
    }
    case WM_NCHITTEST:
      if (page.repeats.IsNew(MessageRepeatFilter::kHitTest, wparam, lparam))
        if (LRESULT handled = Offer(panel, window, message, wparam, lparam)) return handled;
      break;
    default:
      if (IsPointerMessage(message)) {
        if (message == WM_MOUSEMOVE && !page.repeats.IsNew(MessageRepeatFilter::kMouseMove, wparam, lparam)) return 0;
        POINT cursor;
        if (GetCursorPos(&cursor) && WindowFromPoint(cursor) == window)
          SetCursor(page.cursor ? page.cursor : LoadCursorW(nullptr, IDC_ARROW));
        const HWND parent = PanelParent(page);
        Offer(panel, window, message, wparam, lparam);
        // The callback may have freed the panel (a click that closes a window).
        if (IsWindow(window) && parent) SendMessageW(parent, message, wparam, PointInParent(window, parent, message, lparam));
        return 0;
      }
      if (LRESULT handled = Offer(panel, window, message, wparam, lparam)) return handled;
      break;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

LRESULT CALLBACK PageProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  PageRecord* page = FindPage(window);
  if (!page) return DefWindowProcW(window, message, wparam, lparam);
  try {
    return PageMessage(*page, window, message, wparam, lparam);
  } catch (const std::exception& error) {
    platform::LogCaught("panel page window procedure", message, &error);
  } catch (...) {
    platform::LogCurrentException("panel page window procedure", message);
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

LRESULT CALLBACK ScrollBoxProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_ERASEBKGND) {
    RECT client;
    GetClientRect(window, &client);
    FillRect(reinterpret_cast<HDC>(wparam), &client, GetSysColorBrush(COLOR_BTNFACE));
    return 1;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

bool RegisterClasses() {
  static const bool registered = [] {
    WNDCLASSEXW panel{};
    panel.cbSize = sizeof(panel);
    panel.lpfnWndProc = PanelProc;
    panel.hInstance = GetModuleHandleW(nullptr);
    panel.lpszClassName = kPanelClass;
    WNDCLASSEXW page = panel;
    page.style = CS_PARENTDC;
    page.lpfnWndProc = PageProc;
    page.lpszClassName = kPageClass;
    WNDCLASSEXW box = panel;
    box.lpfnWndProc = ScrollBoxProc;
    box.lpszClassName = kScrollBoxClass;
    if (RegisterClassExW(&panel) && RegisterClassExW(&page) && RegisterClassExW(&box)) return true;
    platform::LogWin32Failure("RegisterClassEx (panels)");
    return false;
  }();
  return registered;
}

PageRecord* ResolvePage(PanelRecord* panel, intptr_t page) {
  if (!panel) return nullptr;
  for (auto& record : panel->pages)
    if (record->window == reinterpret_cast<HWND>(page) || record->index == page) return record.get();
  return nullptr;
}

}  // namespace

PageBackground DefaultPageBackground() {
  PageBackground background;
  background.colour = static_cast<int32_t>(GetSysColor(COLOR_WINDOW));
  background.system_default = true;
  return background;
}

intptr_t CreatePanel(int32_t id, HWND parent, int32_t x, int32_t y, int32_t width, int32_t height,
                     PanelCallback callback) {
  const bool automatic = id == -1;
  if (automatic)
    id = NextFreePanelId();
  else if (PanelIdTaken(id))
    return 0;
  if (!RegisterClasses()) return 0;
  HWND window = CreateWindowExW(0, kPanelClass, nullptr, WS_CHILD | WS_VISIBLE, x, y, width, height, parent, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
  if (!window) {
    platform::LogWin32Failure("CreateWindowEx (panel)");
    return 0;
  }
  auto record = std::make_unique<PanelRecord>();
  record->id = id;
  record->window = window;
  record->width = width;
  record->height = height;
  record->callback = callback;
  PanelRecord* panel = RegisterPanel(std::move(record));
  if (!panel) {
    DestroyWindow(window);
    return 0;
  }
  SetCurrentPanel(panel);
  return automatic ? id : reinterpret_cast<intptr_t>(window);
}

HWND AddPanelPage(uint32_t flags, HANDLE image) {
  PanelRecord* panel = CurrentPanel();
  if (!panel || FindPanelByWindow(panel->window) != panel || !RegisterClasses()) return nullptr;
  const bool first = panel->pages.empty();
  RECT client;
  GetClientRect(panel->window, &client);
  HWND window = CreateWindowExW(WS_EX_TRANSPARENT, kPageClass, nullptr,
                                WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | (first ? WS_VISIBLE : 0), 0, 0,
                                client.right, client.bottom, panel->window, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!window) {
    platform::LogWin32Failure("CreateWindowEx (panel page)");
    return nullptr;
  }
  auto record = std::make_unique<PageRecord>();
  record->window = window;
  record->flags = flags;
  record->width = client.right;
  record->height = client.bottom;
  record->image.reset(image);
  PageRecord* page = AddPageRecord(panel, std::move(record));
  if (!page) {
    DestroyWindow(window);
    return nullptr;
  }
  SetCurrentPage(page);
  g_container = window;
  return window;
}

HWND CreateControlPanel(HWND parent, int32_t x, int32_t y, int32_t width, int32_t height, PanelCallback callback,
                        HWND* page) {
  PanelRecord* panel_before = CurrentPanel();
  PageRecord* page_before = CurrentPage();
  const HWND container_before = g_container;
  // The application's pending insertion index is for its own next page.
  const int32_t insertion_before = PageInsertionIndex();
  SetPageInsertionIndex(-1);
  const intptr_t panel_id = CreatePanel(-1, parent, x, y, width, height, callback);
  const HWND panel = panel_id ? PanelWindow(panel_id, -1) : nullptr;
  const HWND made = panel ? AddPanelPage(0) : nullptr;
  SetCurrentPanel(panel_before);
  SetCurrentPage(page_before);
  g_container = container_before;
  SetPageInsertionIndex(insertion_before);
  if (!made) {
    if (panel) FreePanel(reinterpret_cast<intptr_t>(panel));
    return nullptr;
  }
  // What lies under the control shows through until it paints its face.
  SetPageBackground(made, PageBackground{});
  if (page) *page = made;
  return panel;
}

HWND CurrentControlContainer() { return g_container; }
void SetCurrentControlContainer(HWND container) { g_container = container; }

int32_t PanelWidth(intptr_t panel) {
  PanelRecord* record = FindPanel(panel);
  if (!record) return -1;
  RECT rect;
  GetWindowRect(record->window, &rect);
  return rect.right - rect.left;
}

HWND PanelWindow(intptr_t panel, int32_t page) {
  PanelRecord* record = FindPanel(panel);
  if (!record) return nullptr;
  if (page == -1) return record->window;
  PageRecord* found = page >= 0 && page < static_cast<int32_t>(record->pages.size()) ? record->pages[page].get() : nullptr;
  return found ? found->window : nullptr;
}

bool SetActivePage(intptr_t panel, intptr_t page) {
  PanelRecord* record = FindPanel(panel);
  PageRecord* target = ResolvePage(record, page);
  if (!target) return false;
  record->active_page = target;
  for (auto& other : record->pages)
    if (other.get() != target) ShowWindow(other->window, SW_HIDE);
  if (target->scrolling) LayoutScrolling(*target);
  ShowWindow(target->window, SW_SHOW);
  return true;
}

bool SetPageOpacity(intptr_t panel, intptr_t page, int32_t opacity, bool no_redraw) {
  // Called from the animation thread while the interface thread may add or
  // free pages: the look-up and the write happen under one hold of the lock.
  const HWND window = SetPageOpacityLocked(panel, page, static_cast<uint16_t>(std::clamp(opacity, 0, 255)));
  if (!window) return false;
  if (!no_redraw) RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_NOERASE | RDW_UPDATENOW);
  return true;
}

bool SetPagePainting(HWND page, bool paint) {
  PageRecord* record = FindPage(page);
  if (!record) return false;
  StaleLockGuard guard(PanelLock());
  record->no_paint = !paint;
  return true;
}

bool SetPageBackground(HWND page, const PageBackground& background) {
  PageRecord* record = FindPage(page);
  if (!record) return false;
  {
    StaleLockGuard guard(PanelLock());
    record->background = background;
  }
  InvalidateRect(page, nullptr, FALSE);
  return true;
}

bool SetPageCursor(HWND page, HCURSOR cursor) {
  PageRecord* record = FindPage(page);
  if (!record) return false;
  record->cursor = cursor;
  return true;
}

bool SetPagePainter(HWND page, PagePainter painter) {
  PageRecord* record = FindPage(page);
  if (!record) return false;
  record->painter = painter;
  return true;
}

bool SetPageScrollSize(HWND page, int32_t content_width, int32_t content_height) {
  PageRecord* record = FindPage(page);
  if (!record) return false;
  record->scrolling = content_width > 0 || content_height > 0;
  record->content_width = std::max(0, content_width);
  record->content_height = std::max(0, content_height);
  if (record->scrolling) {
    LayoutScrolling(*record);
  } else {
    record->horizontal_bar.reset();
    record->vertical_bar.reset();
    record->corner_box.reset();
    RECT client;
    GetClientRect(record->panel_window, &client);
    MoveWindow(page, 0, 0, client.right, client.bottom, TRUE);
  }
  return true;
}

bool FreePanel(intptr_t panel) {
  PanelRecord* record = FindPanel(panel);
  if (!record) return false;
  const HWND window = record->window;
  StopPanelPainting(record);
  ForgetPanel(UnregisterPanel(record));
  if (IsWindow(window)) DestroyWindow(window);
  return true;
}

void FreeAllPanels() {
  for (PanelRecord* panel : AllPanels()) FreePanel(reinterpret_cast<intptr_t>(panel->window));
  g_container = nullptr;
  DropThemeObjects();
}

void WirePanels() {
  // Shut-down order (low first): after the labels (550), before the skins
  // (900).
  constexpr int32_t kPanelTeardownRank = 600;
  // The animation thread fades the first page of the panel it moves.
  SetPageOpacitySetter([](HWND panel, int opacity) {
    SetPageOpacity(reinterpret_cast<intptr_t>(panel), 0, opacity, true);
  });
  RegisterTeardown(kPanelTeardownRank, "panels", FreeAllPanels);
}

}  // namespace lumora
