// Lumora panels: borderless containers ("Lumora_PanelEx") whose visible
// surface is one of their stacked pages ("Lumora_PanelExPage"). A page has a
// painted, optionally translucent background and holds child controls; the
// page created last is the container for the controls created next. With a
// callback a panel becomes a custom control: skinned buttons and text
// labels are panels with one page.
#pragma once
#ifndef _WIN32
#error "panel_win32.h is Win32 glue"
#endif
#include <windows.h>

#include <cstdint>
#include <vector>

#include "toolkit/controls/skin_placement.h"
#include "toolkit/style/gradient.h"
#include "toolkit/style/skin_model.h"

namespace lumora {

// Called with the page window and the page's messages; a non-zero result
// says the message was handled (and is the message's result).
using PanelCallback = LRESULT(CALLBACK*)(HWND page, UINT message, WPARAM wparam, LPARAM lparam);

// A panel at x, y on `parent`. Returns the panel's window, or its id when id
// was -1; 0 for a duplicate id or when the window cannot be made. The panel
// becomes the current panel.
intptr_t CreatePanel(int32_t id, HWND parent, int32_t x, int32_t y, int32_t width, int32_t height,
                     PanelCallback callback);

// Adds a page to the current panel: the first one is shown and becomes the
// active page, later ones start hidden. `image` (an icon or bitmap, may be
// null) is kept with the page. Returns the page window, or null without a
// current panel. The page becomes the current control container.
HWND AddPanelPage(uint32_t flags, HANDLE image = nullptr);

// Where the next page added goes in its panel's page list (the order
// PanelWindow counts in): index 0 puts it first; -1, an index past the end
// or no call appends it. Its page number still counts from the panel's page
// count. Applies to one page, then falls back to appending.
void SetPageInsertionIndex(int32_t index);

// A panel with one page for a control built of panels (buttons, labels):
// made without disturbing the application's current panel, page and
// control container. Returns the panel's window and fills `page`; null (and
// nothing left behind) on failure.
HWND CreateControlPanel(HWND parent, int32_t x, int32_t y, int32_t width, int32_t height, PanelCallback callback,
                        HWND* page);

// Where controls created without a parent go: the page added last.
HWND CurrentControlContainer();
void SetCurrentControlContainer(HWND container);

// The panel's window width; -1 for an unknown panel (id or window).
int32_t PanelWidth(intptr_t panel);

// The panel's window for page -1, otherwise the window of its page with that
// index; null when unknown. panel is an id or a window.
HWND PanelWindow(intptr_t panel, int32_t page);

// Shows the page (index or window) and hides the panel's other pages.
bool SetActivePage(intptr_t panel, intptr_t page);

// The page's opacity, 0 (invisible background) to 255 (opaque); page is an
// index or a window. Repaints the page unless no_redraw. False when the
// panel or page is unknown.
bool SetPageOpacity(intptr_t panel, intptr_t page, int32_t opacity, bool no_redraw);

// What a page paints under its controls. Nothing set (no colour, gradient
// or image) lets the window underneath show through.
struct PageBackground {
  int32_t colour = -1;           // COLORREF, -1 for none
  GradientHandle gradient = 0;   // over the colour
  HANDLE image = nullptr;        // icon or bitmap over both; not owned
  SkinPlacement image_position;
  HANDLE border = nullptr;       // a bitmap cut in nine over the page's edges; not owned
  SkinBox border_margins;        // left, top, right, bottom widths of the cut
  // Shares in what a skin made for the above, kept while the page draws it.
  std::vector<SkinKeeper> keep;
  // The window colour of the time: follows the system's colours on a theme
  // change.
  bool system_default = false;
};
// A new page's background: the window colour.
PageBackground DefaultPageBackground();
bool SetPageBackground(HWND page, const PageBackground& background);

// Takes the page's background from the state "normal" of a skin's
// component ("background" colour or gradient, "background image" and
// "background position", "border image" with its margins) and again whenever that skin changes. False for
// an unknown page or when the skin gives the component no background.
bool SetPageSkin(HWND page, intptr_t skin, const wchar_t* component);

// The cursor over the page; null for the arrow.
bool SetPageCursor(HWND page, HCURSOR cursor);

// Scrolls the page's content: a content larger than the panel gets scroll
// bars beside the page; 0 × 0 turns scrolling off.
bool SetPageScrollSize(HWND page, int32_t content_width, int32_t content_height);

// Destroys the panel's window and forgets it and its pages; false when
// unknown.
bool FreePanel(intptr_t panel);
// Frees every panel, its pages and their windows (at shut-down).
void FreeAllPanels();
// Wires panels into the toolkit: the animation thread fades their pages,
// and shut-down frees them.
void WirePanels();

}  // namespace lumora
