// A page's paint pass: what lies under the page, its background at its
// opacity, and the face of the control the page belongs to, composed off
// screen and copied in one piece so nothing flickers.
#include <algorithm>

#include "platform/os_handles_win32.h"
#include "toolkit/base/platform_caps_win32.h"
#include "toolkit/base/stale_lock.h"
#include "toolkit/controls/panel_registry_win32.h"
#include "toolkit/controls/skin_image_draw_win32.h"
#include "toolkit/controls/theme_objects_win32.h"
#include "toolkit/style/drawing_win32.h"

namespace lumora {
namespace {

bool HasBackground(const PageBackground& background) {
  return background.colour != -1 || background.gradient || background.image || background.border;
}

void PaintBackground(const PageBackground& background, HDC dc, const RECT& area) {
  if (background.colour != -1)
    if (HBRUSH brush = ThemeBrush(static_cast<COLORREF>(background.colour))) FillRect(dc, &area, brush);
  if (background.gradient) PaintGradient(dc, area, background.gradient);
  if (background.border) DrawNineSlice(dc, background.border, background.border_margins, area);
  if (background.image) DrawPlacedImage(dc, background.image, background.image_position, area);
}

// Fills `area` (the page's client area on dc) with what the page's
// container shows there: a toolkit page paints its own background (and what
// lies under it), any other window its class brush.
void PaintUnderneath(HWND page, HDC dc, const RECT& area, int depth) {
  const HWND panel = GetParent(page);
  const HWND container = panel ? GetParent(panel) : nullptr;
  if (!container) return;
  RECT container_rect;
  GetClientRect(container, &container_rect);
  MapWindowPoints(container, page, reinterpret_cast<POINT*>(&container_rect), 2);
  OffsetRect(&container_rect, area.left, area.top);
  PageRecord* below = depth < 8 ? FindPage(container) : nullptr;
  if (below) {
    PageBackground background;
    {
      StaleLockGuard guard(PanelLock());
      background = below->background;
    }
    if (!HasBackground(background) || below->opacity < 255) PaintUnderneath(container, dc, container_rect, depth + 1);
    if (HasBackground(background)) PaintBackground(background, dc, container_rect);
    return;
  }
  const auto brush_value = GetClassLongPtrW(container, GCLP_HBRBACKGROUND);
  HBRUSH brush = brush_value > 0 && brush_value <= COLOR_MENUBAR + 1
                     ? GetSysColorBrush(static_cast<int>(brush_value - 1))
                     : reinterpret_cast<HBRUSH>(brush_value);
  FillRect(dc, &area, brush ? brush : GetSysColorBrush(COLOR_BTNFACE));
}

}  // namespace

void PaintPage(PageRecord& page, HDC dc) {
  RECT client;
  GetClientRect(page.window, &client);
  if (!dc || client.right <= 0 || client.bottom <= 0) return;
  platform::MemoryCanvas canvas = platform::MemoryCanvas::Compatible(dc, client.right, client.bottom);
  if (!canvas) return;
  PageBackground background;
  int opacity;
  HANDLE image;
  {
    StaleLockGuard guard(PanelLock());
    background = page.background;
    opacity = page.opacity;
    image = page.image.get();
  }
  const bool has_background = HasBackground(background);
  if (!has_background || opacity < 255) PaintUnderneath(page.window, canvas.dc(), client, 0);
  if (has_background && opacity == 255) {
    PaintBackground(background, canvas.dc(), client);
  } else if (has_background && opacity > 0) {
    platform::MemoryCanvas layer = platform::MemoryCanvas::Compatible(dc, client.right, client.bottom);
    if (layer) {
      PaintBackground(background, layer.dc(), client);
      const BLENDFUNCTION blend{AC_SRC_OVER, 0, static_cast<BYTE>(opacity), 0};
      if (g_caps.alpha_blend)
        g_caps.alpha_blend(canvas.dc(), 0, 0, client.right, client.bottom, layer.dc(), 0, 0, client.right,
                           client.bottom, blend);
      else if (opacity >= 128)
        BitBlt(canvas.dc(), 0, 0, client.right, client.bottom, layer.dc(), 0, 0, SRCCOPY);
    }
  }
  // The page's own picture sits at its top left over the background, under
  // its control's face; a bitmap's white pixels let the background show.
  if (image) {
    const SIZE size = SkinImageSize(image);
    DrawSkinImage(canvas.dc(), image, SkinBox{0, 0, size.cx, size.cy}, static_cast<int32_t>(RGB(255, 255, 255)));
  }
  if (page.painter) page.painter(page.window, canvas.dc(), client);
  BitBlt(dc, 0, 0, client.right, client.bottom, canvas.dc(), 0, 0, SRCCOPY);
}

}  // namespace lumora
