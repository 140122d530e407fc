// The records behind panels and their pages, and the hooks by which the
// controls built from panels (buttons, labels) paint a page. The panel lock
// guards the lists; no window message is sent while it is held.
#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/os_handles_win32.h"
#include "toolkit/base/stale_lock.h"
#include "toolkit/controls/message_repeat_filter.h"
#include "toolkit/controls/panel_win32.h"

namespace lumora {

// Paints a control's face over the page background, into the page's
// off-screen canvas.
using PagePainter = void (*)(HWND page, HDC dc, const RECT& client);

struct PanelRecord;

struct PageRecord {
  int32_t index = 0;
  HWND window = nullptr;
  HWND panel_window = nullptr;
  PanelRecord* panel = nullptr;
  uint32_t flags = 0;
  int32_t width = 0, height = 0;
  PageBackground background = DefaultPageBackground();
  // The skin the background was read from (0 for none) and its component.
  intptr_t skin = 0;
  std::wstring skin_component;
  uint16_t opacity = 255;
  HCURSOR cursor = nullptr;
  MessageRepeatFilter repeats;
  // Set while the page must not paint: its panel is being torn down, or its
  // control is being rebuilt from a changed skin.
  bool no_paint = false;
  PagePainter painter = nullptr;
  platform::UniqueImage image;
  // Scrolling: the content size and position; the bars are the panel's
  // children beside the page.
  bool scrolling = false;
  int32_t content_width = 0, content_height = 0;
  int32_t scroll_x = 0, scroll_y = 0;
  platform::UniqueWindow horizontal_bar, vertical_bar, corner_box;
};

struct PanelRecord {
  int32_t id = 0;
  HWND window = nullptr;
  int32_t width = 0, height = 0;
  int32_t page_count = 0;
  PageRecord* active_page = nullptr;
  PanelCallback callback = nullptr;
  std::vector<std::unique_ptr<PageRecord>> pages;
};

// Look-ups return pointers that stay valid until the panel is freed; the
// user-interface thread alone frees panels, so its callers may keep them
// for the length of one message.
// Guards the panel and page records.
StaleLock& PanelLock();

PanelRecord* FindPanel(intptr_t id_or_window);
PanelRecord* FindPanelByWindow(HWND window);
PageRecord* FindPage(HWND page);
bool PanelIdTaken(int32_t id);
int32_t NextFreePanelId();
PanelRecord* RegisterPanel(std::unique_ptr<PanelRecord> record);
PageRecord* AddPageRecord(PanelRecord* panel, std::unique_ptr<PageRecord> page);
std::vector<PanelRecord*> AllPanels();
// The record without its windows (the caller destroys them).
std::unique_ptr<PanelRecord> UnregisterPanel(PanelRecord* panel);

PanelRecord* CurrentPanel();
void SetCurrentPanel(PanelRecord* panel);
PageRecord* CurrentPage();
void SetCurrentPage(PageRecord* page);
// The index SetPageInsertionIndex left for the next page (-1 for none).
int32_t PageInsertionIndex();

// Finds the page (index or window) of the panel (id or window) and sets its
// opacity, all under one hold of the panel lock; the page's window, or null
// when unknown. Safe from the animation thread.
HWND SetPageOpacityLocked(intptr_t panel, intptr_t page, uint16_t opacity);

// Stops (false) or resumes (true) the page's painting: its paint pass only
// validates while stopped. False for an unknown page.
bool SetPagePainting(HWND page, bool paint);

// For buttons and labels: how their page paints and whether the page's
// own background is drawn under it.
bool SetPagePainter(HWND page, PagePainter painter);

// Reads the page's background again from its skin after a skin changed
// (skin 0: any skin).
void ReapplyPageSkin(PageRecord& page, intptr_t changed_skin);

// Paints the page (background at its opacity, then its painter) onto dc.
void PaintPage(PageRecord& page, HDC dc);

}  // namespace lumora
