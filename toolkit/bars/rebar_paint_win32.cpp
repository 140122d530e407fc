#include "toolkit/bars/rebar_paint_win32.h"

#include <algorithm>
#include <vector>

#include "platform/os_handles_win32.h"
#include "toolkit/bars/rebar_gripper.h"
#include "toolkit/bars/toolbar_registry_win32.h"
#include "toolkit/bars/toolbar_win32.h"
#include "toolkit/style/colour_mode_win32.h"
#include "toolkit/style/ui_colour_table.h"
#include "toolkit/style/ui_style.h"

namespace lumora {
namespace {

COLORREF StyleColour(int32_t style, int32_t key) {
  return static_cast<COLORREF>(LookupUIColour(style, key, UICOLOUR_FORM_COLORREF));
}

void FillSolid(HDC dc, const RECT& rect, COLORREF colour) {
  const COLORREF previous = SetBkColor(dc, colour);
  ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
  SetBkColor(dc, previous);
}

struct BandView {
  RECT rect{};
  REBARBANDINFOW info{};
};

std::vector<BandView> VisibleBands(HWND rebar) {
  std::vector<BandView> bands;
  const auto count = static_cast<int>(SendMessageW(rebar, RB_GETBANDCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    BandView band;
    band.info.cbSize = kBandInfoSize;
    band.info.fMask = RBBIM_STYLE | RBBIM_BACKGROUND | RBBIM_CHILD;
    if (!SendMessageW(rebar, RB_GETBANDINFOW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&band.info)))
      continue;
    if (band.info.fStyle & RBBS_HIDDEN) continue;
    if (!SendMessageW(rebar, RB_GETRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&band.rect))) continue;
    bands.push_back(band);
  }
  return bands;
}

// Etched lines between bands, in the colour mode's separator colours for
// the UI styles and the system's 3-D colours otherwise.
void PaintBandBorders(const RebarInfo& rebar, HDC dc, const std::vector<BandView>& bands, const RECT& client) {
  const COLORREF dark = rebar.ui_style ? StyleColour(rebar.ui_style, UICOLOUR_TOOLBARSEPARATOR)
                                       : GetSysColor(COLOR_3DSHADOW);
  const COLORREF light = rebar.ui_style ? StyleColour(rebar.ui_style, UICOLOUR_TOOLBARSEPARATORSHADOW)
                                        : GetSysColor(COLOR_3DHILIGHT);
  for (const BandView& band : bands) {
    if (band.rect.left > 0) {
      FillSolid(dc, RECT{band.rect.left - 2, band.rect.top, band.rect.left - 1, band.rect.bottom}, dark);
      FillSolid(dc, RECT{band.rect.left - 1, band.rect.top, band.rect.left, band.rect.bottom}, light);
    }
    if (band.rect.top > 0) {
      FillSolid(dc, RECT{client.left, band.rect.top - 2, client.right, band.rect.top - 1}, dark);
      FillSolid(dc, RECT{client.left, band.rect.top - 1, client.right, band.rect.top}, light);
    }
  }
}

// The chevron's extent, found by asking the rebar what lies where: the
// control knows its own layout, which differs between systems.
bool FindChevron(HWND rebar, int band_index, const RECT& band_rect, RECT* chevron) {
  const int y = (band_rect.top + band_rect.bottom) / 2;
  int left = -1, right = -1;
  for (int x = band_rect.right - 1; x >= band_rect.left && x >= band_rect.right - 48; --x) {
    RBHITTESTINFO hit{};
    hit.pt = POINT{x, y};
    SendMessageW(rebar, RB_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
    const bool on_chevron = hit.iBand == band_index && hit.flags == RBHT_CHEVRON;
    if (on_chevron) {
      if (right < 0) right = x + 1;
      left = x;
    } else if (right >= 0) {
      break;
    }
  }
  if (right < 0) return false;
  *chevron = RECT{left, band_rect.top + 2, right, band_rect.bottom - 2};
  return true;
}

// A small double arrow pointing down, in the gripper colours.
void PaintChevron(HDC dc, const RECT& chevron, int32_t style) {
  HBRUSH shadow = LookupUIBrush(style, UICOLOUR_GRIPPERSHADOW);
  HBRUSH solid = LookupUIBrush(style, UICOLOUR_GRIPPERSOLID);
  if (!shadow || !solid) return;
  const int cx = (chevron.left + chevron.right) / 2;
  const int top = (chevron.top + chevron.bottom) / 2 - 4;
  for (int pass = 0; pass < 2; ++pass) {
    const int offset = pass == 0 ? 1 : 0;
    HBRUSH brush = pass == 0 ? shadow : solid;
    for (int arrow = 0; arrow < 2; ++arrow) {
      const int y0 = top + arrow * 4 + offset;
      for (int row = 0; row < 3; ++row) {
        const RECT line{cx - 3 + row + offset, y0 + row, cx - 3 + row + offset + 2, y0 + row + 1};
        const RECT mirror{cx + 1 - row + offset, y0 + row, cx + 1 - row + offset + 2, y0 + row + 1};
        FillRect(dc, &line, brush);
        FillRect(dc, &mirror, brush);
      }
    }
  }
}

void PaintGripper(const RebarInfo& rebar, HDC dc, const RECT& item) {
  // Which band the item belongs to, and what it holds.
  RBHITTESTINFO hit{};
  hit.pt = POINT{item.left + 1, item.top + 1};
  const auto band_index = static_cast<int>(SendMessageW(rebar.window, RB_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
  REBARBANDINFOW info{};
  info.cbSize = kBandInfoSize;
  info.fMask = RBBIM_CHILD | RBBIM_STYLE | RBBIM_IDEALSIZE | RBBIM_CHILDSIZE;
  HWND child = nullptr;
  if (band_index >= 0 &&
      SendMessageW(rebar.window, RB_GETBANDINFOW, static_cast<WPARAM>(band_index), reinterpret_cast<LPARAM>(&info)))
    child = info.hwndChild;

  GripperRect gripper{item.left, item.top, item.right, item.bottom};
  bool menu_bar = false;
  int32_t style = rebar.ui_style;
  if (child && IsToolkitToolbar(child)) {
    if (const ToolbarRecord* toolbar = FindToolbarByWindow(child)) {
      const int32_t toolbar_style = toolbar->style & (UISTYLE_OFFICE2003 | UISTYLE_OFFICE2007);
      if (toolbar_style) {
        style = (toolbar_style & UISTYLE_OFFICE2003) ? UISTYLE_OFFICE2003 : UISTYLE_OFFICE2007;
        SIZE size{};
        if (SendMessageW(child, TB_GETMAXSIZE, 0, reinterpret_cast<LPARAM>(&size)))
          gripper = CentreGripperOn(gripper, size.cy);
      }
    }
    menu_bar = ToolbarIsMenuBar(child);
  }

  // The band's picture behind the gripper, anchored as elsewhere.
  if (rebar.background) {
    TileBitmap(dc, rebar.background, item, POINT{0, 0});
  } else {
    FillSolid(dc, item, StyleColour(style, UICOLOUR_REBARBACKGROUND1));
  }

  HBRUSH shadow = LookupUIBrush(style, UICOLOUR_GRIPPERSHADOW);
  HBRUSH solid = LookupUIBrush(style, UICOLOUR_GRIPPERSOLID);
  if (shadow && solid) {
    for (const GripperDot& dot : GripperDots(gripper, menu_bar)) {
      const RECT shade{dot.x + 1, dot.y + 1, dot.x + 1 + kGripperDotSize, dot.y + 1 + kGripperDotSize};
      const RECT square{dot.x, dot.y, dot.x + kGripperDotSize, dot.y + kGripperDotSize};
      FillRect(dc, &shade, shadow);
      FillRect(dc, &square, solid);
    }
  }

  // Skipping the control's drawing of this band skips its chevron too.
  RECT band_rect{};
  if (band_index >= 0 && (info.fStyle & RBBS_USECHEVRON) &&
      SendMessageW(rebar.window, RB_GETRECT, static_cast<WPARAM>(band_index), reinterpret_cast<LPARAM>(&band_rect))) {
    RECT chevron{};
    if (FindChevron(rebar.window, band_index, band_rect, &chevron)) PaintChevron(dc, chevron, style);
  }
}

}  // namespace

void TileBitmap(HDC dc, HBITMAP bitmap, const RECT& area, POINT origin) {
  BITMAP info{};
  if (!bitmap || !GetObjectW(bitmap, sizeof(info), &info) || info.bmWidth <= 0 || info.bmHeight <= 0) return;
  if (area.right <= area.left || area.bottom <= area.top) return;
  const platform::UniqueMemoryDc source = platform::CreateMemoryDc();
  if (!source) return;
  const platform::SelectGuard selected(source.get(), bitmap);
  const int w = info.bmWidth, h = info.bmHeight;
  auto floor_to_tile = [](int value, int anchor, int size) {
    const int delta = value - anchor;
    const int tiles = delta >= 0 ? delta / size : -((-delta + size - 1) / size);
    return anchor + tiles * size;
  };
  for (int y = floor_to_tile(area.top, origin.y, h); y < area.bottom; y += h) {
    for (int x = floor_to_tile(area.left, origin.x, w); x < area.right; x += w) {
      const int left = std::max<int>(x, area.left), top = std::max<int>(y, area.top);
      const int right = std::min<int>(x + w, area.right), bottom = std::min<int>(y + h, area.bottom);
      BitBlt(dc, left, top, right - left, bottom - top, source.get(), left - x, top - y, SRCCOPY);
    }
  }
}

bool PaintRebarBackground(const RebarInfo& rebar, HDC dc) {
  if (!rebar.background || !dc) return false;
  RECT client{};
  GetClientRect(rebar.window, &client);
  TileBitmap(dc, rebar.background, client, POINT{0, 0});
  const std::vector<BandView> bands = VisibleBands(rebar.window);
  for (const BandView& band : bands) {
    HBITMAP picture = band.info.hbmBack;
    if (!picture || picture == rebar.background) continue;
    // A fixed picture runs on from band to band; another starts afresh in
    // each band.
    const POINT origin = (band.info.fStyle & RBBS_FIXEDBMP) ? POINT{0, 0} : POINT{band.rect.left, band.rect.top};
    TileBitmap(dc, picture, band.rect, origin);
  }
  const LONG_PTR style = GetWindowLongPtrW(rebar.window, GWL_STYLE);
  if (rebar.band_borders || (style & RBS_BANDBORDERS)) PaintBandBorders(rebar, dc, bands, client);
  return true;
}

LRESULT RebarCustomDraw(const RebarInfo& rebar, NMCUSTOMDRAW* draw) {
  if (draw->dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
  if (draw->dwDrawStage != CDDS_ITEMPREPAINT) return CDRF_DODEFAULT;
  if (!IsGripperItemWidth(draw->rc.right - draw->rc.left)) return CDRF_DODEFAULT;
  PaintGripper(rebar, draw->hdc, draw->rc);
  return CDRF_SKIPDEFAULT;
}

}  // namespace lumora
