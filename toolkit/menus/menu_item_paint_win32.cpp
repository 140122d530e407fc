#include "toolkit/menus/menu_item_paint_win32.h"

#include <commctrl.h>

#include <algorithm>
#include <map>
#include <string>
#include <tuple>

#include "platform/os_handles_win32.h"
#include "toolkit/base/builtin_glyphs_win32.h"
#include "toolkit/base/platform_caps_win32.h"
#include "toolkit/menus/menu_images_win32.h"
#include "toolkit/menus/menu_item_text.h"
#include "toolkit/menus/menu_metrics.h"
#include "toolkit/menus/menu_popup_frame_win32.h"
#include "toolkit/menus/menu_records_win32.h"
#include "toolkit/menus/menu_tracking_win32.h"
#include "toolkit/style/colour.h"
#include "toolkit/style/colour_mode.h"
#include "toolkit/style/drawing_win32.h"
#include "toolkit/style/label_draw_win32.h"
#include "toolkit/style/ui_colour_table.h"
#include "toolkit/style/ui_style.h"

namespace lumora {
namespace {

// What painting needs of an item record, copied under the lock.
struct ItemView {
  std::wstring text;
  int32_t style = 0;
  HIMAGELIST images = nullptr;
  int32_t image_width = 16, image_height = 16;
  bool marker = false;
  bool radio = false;
  int32_t row_mark = 0;
};

bool IsOffice(int32_t style) {
  return style == UISTYLE_OFFICE2007 || style == UISTYLE_OFFICE2003 || style == UISTYLE_OFFICE2003_MENU_ALIAS;
}

int32_t CheckWidth() { return GetSystemMetrics(SM_CXMENUCHECK); }

int32_t PointSize() {
  static const int32_t points = MenuFontPointSize();
  return points;
}

// The painting gap, stored when an item is measured.
int32_t g_paint_gap = -1;
int32_t PaintGap() {
  if (g_paint_gap < 0) g_paint_gap = MenuPaintGap(PointSize());
  return g_paint_gap;
}

std::wstring Wide(const std::u16string& text) { return std::wstring(text.begin(), text.end()); }

std::u16string_view View(const std::wstring& text) {
  return std::u16string_view(reinterpret_cast<const char16_t*>(text.data()), text.size());
}

COLORREF SystemMenuColour(int32_t key) {
  switch (key) {
    case UICOLOUR_SELECTEDCOLOR:
    case UICOLOUR_MENUHOTCOLOR:
      return GetSysColor(COLOR_HIGHLIGHT);
    case UICOLOUR_SELECTEDTEXTCOLOR:
      return GetSysColor(COLOR_HIGHLIGHTTEXT);
    case UICOLOUR_MENUTEXTCOLOR:
      return GetSysColor(COLOR_MENUTEXT);
    case UICOLOUR_DISABLEDCOLOR:
      return GetSysColor(COLOR_GRAYTEXT);
    case UICOLOUR_SEPARATORBAR:
    case UICOLOUR_MENUHELDBORDER:
    case UICOLOUR_MENUCHECKBOXBORDER:
    case UICOLOUR_MENUCHECKBOXSELECTEDBORDER:
    case UICOLOUR_MENUCHECKBOXDISABLEDBORDER:
      return GetSysColor(COLOR_BTNSHADOW);
    case UICOLOUR_MENUDROPSHADOW:
      return 0;
    default:
      return GetSysColor(COLOR_MENU);
  }
}

// A gradient record per pair of colours; records live for the process, so
// painting reuses them instead of making new ones each time.
GradientHandle GradientFor(int32_t kind, int32_t from, int32_t to) {
  static std::map<std::tuple<int32_t, int32_t, int32_t>, GradientHandle> gradients;
  const auto key = std::make_tuple(kind, from, to);
  auto found = gradients.find(key);
  if (found != gradients.end()) return found->second;
  const GradientHandle made = CreateGradient(kind, from, to);
  if (made) gradients.emplace(key, made);
  return made;
}

int32_t RawColour(int32_t style, int32_t key) {
  if (style == UISTYLE_OFFICE2003_MENU_ALIAS) style = UISTYLE_OFFICE2003;
  return static_cast<int32_t>(LookupUIColour(style, key, UICOLOUR_FORM_RAW));
}

void Fill(HDC dc, const RECT& rect, COLORREF colour) {
  if (rect.right <= rect.left || rect.bottom <= rect.top) return;
  const COLORREF old = SetBkColor(dc, colour);
  ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
  SetBkColor(dc, old);
}

void Frame(HDC dc, const RECT& rect, COLORREF colour) {
  Fill(dc, {rect.left, rect.top, rect.right, rect.top + 1}, colour);
  Fill(dc, {rect.left, rect.bottom - 1, rect.right, rect.bottom}, colour);
  Fill(dc, {rect.left, rect.top, rect.left + 1, rect.bottom}, colour);
  Fill(dc, {rect.right - 1, rect.top, rect.right, rect.bottom}, colour);
}

// A two-colour gradient of table entries (ARGB), or the first colour flat
// when GDI+ is not running.
void FillGradient(HDC dc, const RECT& rect, int32_t style, int32_t kind, int32_t key1, int32_t key2) {
  const GradientHandle gradient = GradientFor(kind, RawColour(style, key1), RawColour(style, key2));
  if (!gradient || !PaintGradient(dc, rect, gradient)) Fill(dc, rect, MenuColour(style, key1));
}

// The whole popup background: the client fill and the image margin at the
// left, whose right edge is `margin_right`.
void PaintBackground(HDC dc, int32_t style, const RECT& whole, int32_t margin_right) {
  if (!IsOffice(style) && style != UISTYLE_WHIDBEY) {
    Fill(dc, whole, MenuColour(style, UICOLOUR_BACKGROUND));
    return;
  }
  Fill(dc, whole, MenuColour(style, UICOLOUR_BACKGROUND));
  const RECT margin{whole.left, whole.top, std::min(margin_right, static_cast<int32_t>(whole.right)), whole.bottom};
  if (style == UISTYLE_WHIDBEY) {
    Fill(dc, margin, MenuColour(style, UICOLOUR_MENUBARCOLOR));
  } else if (style == UISTYLE_OFFICE2007) {
    Fill(dc, margin, MenuColour(style, UICOLOUR_BARGRADIENTCOLOR1));
    Fill(dc, {margin.right, whole.top, margin.right + 1, whole.bottom},
         MenuColour(style, UICOLOUR_TOOLBARSEPARATORSHADOW));
    Fill(dc, {margin.right + 1, whole.top, margin.right + 2, whole.bottom},
         MenuColour(style, UICOLOUR_GRIPPERSHADOW));
  } else {
    FillGradient(dc, margin, style, GRADIENT_HORIZONTAL, UICOLOUR_BARGRADIENTCOLOR1, UICOLOUR_BARGRADIENTCOLOR4);
  }
}

int32_t ImageColumn(int32_t style, int32_t image_width) {
  return MenuImageColumnWidth(style, image_width, PaintGap(), g_caps.dpi);
}

// The record's cached background for a popup of this size; painted anew
// when the size or margin differs or the cache was cleared. Under the lock.
HDC CachedBackground(MenuRecord& record, HDC like, int width, int height, int32_t margin_right) {
  if (width <= 0 || height <= 0) return nullptr;
  if (!record.background.empty() && record.cache_width == width && record.cache_height == height &&
      record.cache_margin == margin_right)
    return record.background.dc();
  platform::MemoryCanvas canvas = platform::MemoryCanvas::Compatible(like, width, height);
  if (!canvas) return nullptr;
  PaintBackground(canvas.dc(), record.style, RECT{0, 0, width, height}, margin_right);
  record.background.Adopt(std::move(canvas), width, height);
  record.cache_width = width;
  record.cache_height = height;
  record.cache_margin = margin_right;
  return record.background.dc();
}

// Copies the background under `area` from the cache of `menu`, or paints it
// straight when the popup's size is not known.
void PaintRowBackground(HDC dc, HMENU menu, int32_t style, const RECT& area, int32_t margin_right) {
  HWND window = PopupWindowOf(menu);
  RECT client{};
  if (window && GetClientRect(window, &client)) {
    StaleLockGuard guard(MenuLock());
    if (MenuRecord* record = FindMenuByPopup(menu)) {
      if (HDC cache = CachedBackground(*record, dc, client.right, client.bottom, margin_right)) {
        BitBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, cache, area.left, area.top,
               SRCCOPY);
        return;
      }
    }
  }
  const int saved = SaveDC(dc);
  IntersectClipRect(dc, area.left, area.top, area.right, area.bottom);
  RECT whole = area;
  whole.left = std::min<LONG>(whole.left, 0);
  PaintBackground(dc, style, whole, margin_right);
  RestoreDC(dc, saved);
}

void PaintSeparator(HDC dc, const ItemView& item, const RECT& row, int32_t column) {
  const int32_t style = item.style;
  if (style < UISTYLE_WHIDBEY) {
    RECT line{row.left + 1, row.top + (row.bottom - row.top) / 2 - 1, row.right - 1, row.bottom};
    DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
    return;
  }
  const int32_t left = row.left + column + (style == UISTYLE_OFFICE2007 ? 2 : 8);
  Fill(dc, {left, row.top, row.right, row.top + 1}, MenuColour(style, UICOLOUR_SEPARATORBAR));
  if (style == UISTYLE_OFFICE2007)
    Fill(dc, {left, row.top + 1, row.right, row.top + 2}, MenuColour(style, UICOLOUR_GRIPPERSHADOW));
}

void PaintHighlight(HDC dc, int32_t style, const RECT& row, bool disabled) {
  const RECT box{row.left + 1, row.top, row.right - 1, row.bottom};
  if (style == UISTYLE_OFFICE2007) {
    if (!disabled) FillGradient(dc, box, style, GRADIENT_VERTICAL, UICOLOUR_MENUHOTGRADIENTCOLOR1, UICOLOUR_MENUHOTGRADIENTCOLOR2);
    Frame(dc, box, MenuColour(style, UICOLOUR_MENUHOTBORDER));
  } else if (IsOffice(style)) {
    if (!disabled) Fill(dc, box, MenuColour(style, UICOLOUR_SELECTEDCOLOR));
    Frame(dc, box, MenuColour(style, UICOLOUR_SELECTEDBORDER));
  } else if (style == UISTYLE_WHIDBEY) {
    if (!disabled) Fill(dc, box, MenuColour(style, UICOLOUR_MENUHOTCOLOR));
    Frame(dc, box, MenuColour(style, UICOLOUR_MENUHOTBORDER));
  } else if (!disabled) {
    Fill(dc, row, GetSysColor(COLOR_HIGHLIGHT));
  }
}

// The box behind a checked item's image or mark, centred in the image column.
RECT CheckBox(const ItemView& item, const RECT& row, int32_t column) {
  const int32_t size = std::min<int32_t>(item.image_height + 4, row.bottom - row.top - 2);
  return RECT{row.left + (column - size) / 2, row.top + (row.bottom - row.top - size) / 2,
              row.left + (column - size) / 2 + size, row.top + (row.bottom - row.top - size) / 2 + size};
}

void PaintCheckBox(HDC dc, const ItemView& item, const RECT& row, int32_t column, bool hot, bool disabled) {
  const int32_t style = item.style;
  const RECT box = CheckBox(item, row, column);
  int32_t back = UICOLOUR_MENUCHECKBOXBACKGROUND, border = UICOLOUR_MENUCHECKBOXBORDER;
  if (disabled) {
    back = UICOLOUR_MENUCHECKBOXDISABLEDBACKGROUND;
    border = UICOLOUR_MENUCHECKBOXDISABLEDBORDER;
    // The 2007 table has no disabled check-box background: use the plain one.
    if (style == UISTYLE_OFFICE2007) back = UICOLOUR_MENUCHECKBOXBACKGROUND;
  } else if (hot) {
    back = UICOLOUR_MENUCHECKBOXSELECTEDBACKGROUND;
    border = UICOLOUR_MENUCHECKBOXSELECTEDBORDER;
  }
  if (style >= UISTYLE_WHIDBEY) {
    Fill(dc, box, MenuColour(style, back));
    Frame(dc, box, MenuColour(style, border));
  }
}

// The check mark (a dot for a radio item), drawn last so that an item's
// image does not hide that the item is checked.
void PaintCheckMark(HDC dc, const ItemView& item, const RECT& row, int32_t column, bool disabled) {
  const int32_t style = item.style;
  const RECT box = CheckBox(item, row, column);
  const int cx = (box.left + box.right) / 2, cy = (box.top + box.bottom) / 2;
  if (item.radio) {
    const platform::UniqueBrush brush(
        CreateSolidBrush(MenuColour(style, disabled ? UICOLOUR_DISABLEDCOLOR : UICOLOUR_MENUTEXTCOLOR)));
    if (brush) {
      const platform::SelectGuard brush_selected(dc, brush.get());
      const platform::SelectGuard pen_selected(dc, GetStockObject(NULL_PEN));
      Ellipse(dc, cx - 3, cy - 3, cx + 4, cy + 4);
    }
  } else if (HIMAGELIST glyphs = g_caps.glyphs[GLYPH_CHECK].get()) {
    int width = 7, height = 7;
    ImageList_GetIconSize(glyphs, &width, &height);
    ImageList_Draw(glyphs, 0, dc, cx - width / 2, cy - height / 2, ILD_TRANSPARENT);
  }
}

// The system's sub-menu arrow glyph, drawn off-screen in black on white and
// laid onto the row in the text colour.
void PaintSubMenuArrow(HDC dc, const RECT& row, const RECT& item_area, COLORREF colour) {
  const int size = GetSystemMetrics(SM_CXMENUCHECK);
  const platform::MemoryCanvas glyph(platform::CreateMemoryDc(dc),
                                     platform::UniqueBitmap(CreateBitmap(size, size, 1, 1, nullptr)));
  const platform::UniqueBrush brush(CreateSolidBrush(colour));
  if (glyph && brush) {
    RECT cell{0, 0, size, size};
    DrawFrameControl(glyph.dc(), &cell, DFC_MENU, DFCS_MENUARROW);
    const int x = row.right - size - 2;
    const int y = row.top + (row.bottom - row.top - size) / 2;
    const COLORREF old_back = SetBkColor(dc, RGB(255, 255, 255));
    const COLORREF old_text = SetTextColor(dc, RGB(0, 0, 0));
    {
      const platform::SelectGuard brush_selected(dc, brush.get());
      // Where the glyph is white keep the row, where black take the brush.
      BitBlt(dc, x, y, size, size, glyph.dc(), 0, 0, 0x00B8074A);
    }
    SetTextColor(dc, old_text);
    SetBkColor(dc, old_back);
  }
  // The system draws its own arrow after the owner; keep it off the item.
  ExcludeClipRect(dc, item_area.left, item_area.top, item_area.right, item_area.bottom);
}

bool HasSubMenu(HMENU menu, ULONG_PTR record) {
  const int position = FindItemPositionOf(menu, reinterpret_cast<const MenuItemRecord*>(record));
  if (position < 0) return false;
  return GetSubMenu(menu, position) != nullptr;
}

// The row the system gives, but in a stand-alone popup (MenuShowPopup) it
// ends a fixed distance inside the popup's own width, clear of its frame.
RECT RowOf(const DRAWITEMSTRUCT& draw, HMENU menu, int32_t style) {
  RECT row = draw.rcItem;
  if (!MenuTracking().from_show_popup) return row;
  RECT outer{};
  if (HWND window = PopupWindowOf(menu); window && GetWindowRect(window, &outer))
    row.right = MenuPopupRowRight(style, outer.right - outer.left, g_caps.dpi);
  return row;
}

void PaintItem(const DRAWITEMSTRUCT& draw, const ItemView& item) {
  HDC dc = draw.hDC;
  HMENU menu = reinterpret_cast<HMENU>(draw.hwndItem);
  const RECT row = RowOf(draw, menu, item.style);
  const bool hot = (draw.itemState & ODS_SELECTED) != 0;
  const bool disabled = (draw.itemState & (ODS_GRAYED | ODS_DISABLED)) != 0;
  const bool checked = (draw.itemState & ODS_CHECKED) != 0;
  const int32_t style = item.style;
  const int32_t column = ImageColumn(style, item.image_width);

  // The background covers all the system gave the item.
  PaintRowBackground(dc, menu, style, draw.rcItem, row.left + column);
  if (item.text.empty()) {
    PaintSeparator(dc, item, row, column);
    return;
  }
  if (hot) PaintHighlight(dc, style, row, disabled);
  if (item.marker) {
    Fill(dc, {row.left + 1, row.top + 2, row.left + 3, row.bottom - 2},
         MenuColour(style, style >= UISTYLE_WHIDBEY ? UICOLOUR_SELECTEDBORDER : UICOLOUR_SELECTEDCOLOR));
  }
  if (checked) PaintCheckBox(dc, item, row, column, hot, disabled);
  if (item.images) {
    const int index = disabled ? 2 : (hot ? 1 : 0);
    const int x = row.left + (column - item.image_width) / 2;
    const int y = MenuImageTop(row.top, row.bottom, item.image_height, g_caps.dpi);
    ImageList_Draw(item.images, index, dc, x, y, ILD_TRANSPARENT);
  }
  if (checked) PaintCheckMark(dc, item, row, column, disabled);

  int32_t text_key = UICOLOUR_MENUTEXTCOLOR;
  if (disabled) {
    text_key = UICOLOUR_DISABLEDCOLOR;
  } else if (hot) {
    text_key = UICOLOUR_SELECTEDTEXTCOLOR;
  }
  const COLORREF text_colour = MenuColour(style, text_key);
  const int old_mode = SetBkMode(dc, TRANSPARENT);
  const COLORREF old_colour = SetTextColor(dc, text_colour);
  const MenuItemTextParts parts = SplitMenuItemText(View(item.text));
  const std::wstring label = Wide(parts.label);
  RECT label_box{MenuLabelLeft(row.left, column, g_caps.dpi), row.top, row.right, row.bottom - 1};
  DrawLabel(dc, label.c_str(), &label_box, MenuFont(), 0);
  if (parts.shortcut && !parts.shortcut->empty()) {
    const std::wstring shortcut = Wide(*parts.shortcut);
    RECT measured{0, 0, 0, 0};
    MeasureLabel(dc, shortcut.c_str(), &measured, MenuFont());
    const int32_t right = MenuShortcutRight(row.right, CheckWidth(), g_caps.dpi);
    RECT box{right - (measured.right - measured.left), row.top, right, row.bottom - 1};
    DrawLabel(dc, shortcut.c_str(), &box, MenuFont(), 0);
  }
  SetTextColor(dc, old_colour);
  SetBkMode(dc, old_mode);
  if (HasSubMenu(menu, draw.itemData)) PaintSubMenuArrow(dc, row, draw.rcItem, text_colour);
}

SIZE MeasureItem(const ItemView& item) {
  SIZE size{0, 0};
  if (item.text.empty()) {
    size.cx = 1;
    size.cy = MenuSeparatorHeight(item.style, g_caps.dpi);
    return size;
  }
  const platform::UniqueMemoryDc measuring = platform::CreateMemoryDc();
  if (!measuring) return size;
  HDC dc = measuring.get();
  const MenuItemTextParts parts = SplitMenuItemText(View(item.text));
  const std::wstring label = Wide(parts.label);
  RECT label_rect{0, 0, 0, 0};
  MeasureLabel(dc, label.c_str(), &label_rect, MenuFont());
  int32_t width = label_rect.right - label_rect.left;
  int32_t height = label_rect.bottom - label_rect.top;
  if (parts.shortcut && !parts.shortcut->empty()) {
    const std::wstring shortcut = Wide(*parts.shortcut);
    RECT shortcut_rect{0, 0, 0, 0};
    MeasureLabel(dc, shortcut.c_str(), &shortcut_rect, MenuFont());
    width += shortcut_rect.right - shortcut_rect.left;
    height = std::max<int32_t>(height, shortcut_rect.bottom - shortcut_rect.top);
  }
  const int32_t points = PointSize();
  g_paint_gap = MenuPaintGap(points);
  const int32_t marked = MenuMarkedRowHeight(item.row_mark, g_caps.dpi);
  size.cy = marked ? marked : MenuItemHeight(height, item.image_height, g_caps.dpi);
  size.cx = MenuItemWidth(width, item.image_width, points, CheckWidth());
  return size;
}

// Only drawing needs the item's images; measuring leaves them unmade.
bool ViewOf(ULONG_PTR data, ItemView* view, bool with_images = false) {
  StaleLockGuard guard(MenuLock());
  MenuItemRecord* item = FindItemRecord(data);
  if (!item) return false;
  if (with_images) EnsureItemImages(*item);
  view->text = item->text;
  view->style = item->style;
  view->images = item->images.get();
  view->image_width = item->image_width;
  view->image_height = item->image_height;
  view->marker = item->marker != 0;
  view->radio = item->radio_item != 0;
  view->row_mark = item->row_mark;
  return true;
}

}  // namespace

COLORREF MenuColour(int32_t style, int32_t key) {
  if (IsOffice(style)) {
    const int32_t table_style = style == UISTYLE_OFFICE2003_MENU_ALIAS ? UISTYLE_OFFICE2003 : style;
    return static_cast<COLORREF>(LookupUIColour(table_style, key, UICOLOUR_FORM_COLORREF));
  }
  if (style == UISTYLE_WHIDBEY) {
    const int32_t entry = UIColourTableEntry(UISTYLE_WHIDBEY, key, EffectiveColourColumn());
    return static_cast<COLORREF>((static_cast<uint32_t>(entry) >> 24) ? SwapRedBlue(entry) : entry);
  }
  return SystemMenuColour(key);
}

SIZE MeasureMenuItemAt(HMENU menu, int position) {
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_DATA;
  if (!GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &info)) return SIZE{0, 0};
  ItemView view;
  if (!ViewOf(info.dwItemData, &view)) return SIZE{0, 0};
  return MeasureItem(view);
}

void PaintMenuBackgroundArea(HDC dc, HMENU menu, int32_t style, int width, int height, int row_left,
                             const RECT& area) {
  const int32_t margin = row_left + ImageColumn(style, g_caps.default_icon_width > 0 ? g_caps.default_icon_width : 16);
  {
    StaleLockGuard guard(MenuLock());
    if (MenuRecord* record = FindMenuByPopup(menu)) {
      if (HDC cache = CachedBackground(*record, dc, width, height, margin)) {
        BitBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, cache, area.left, area.top,
               SRCCOPY);
        return;
      }
    }
  }
  PaintBackground(dc, style, RECT{0, 0, width, height}, margin);
}

void PaintMenuFrame(HDC dc, int32_t style, const RECT& window, const RECT& client) {
  const int saved = SaveDC(dc);
  ExcludeClipRect(dc, client.left, client.top, client.right, client.bottom);
  Fill(dc, window, MenuColour(style, UICOLOUR_BACKGROUND));
  Frame(dc, window, MenuColour(style, UICOLOUR_MENUHELDBORDER));
  RestoreDC(dc, saved);
}

// A colour-mode step: nothing here allocates, so nothing can throw out of it.
void ClearMenuBackgrounds(int32_t) {
  StaleLockGuard guard(MenuLock());
  for (auto& record : Menus().menus) {
    record->background.Free();
    record->InvalidateBackground();
  }
}

bool HandleMenuItemMessage(HWND, UINT message, WPARAM, LPARAM lparam, LRESULT* result) {
  if (message == WM_MEASUREITEM && lparam) {
    auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lparam);
    if (measure->CtlType != ODT_MENU) return false;
    ItemView view;
    if (!ViewOf(measure->itemData, &view)) return false;
    const SIZE size = MeasureItem(view);
    measure->itemWidth = static_cast<UINT>(size.cx);
    measure->itemHeight = static_cast<UINT>(size.cy);
    *result = TRUE;
    return true;
  }
  if (message == WM_DRAWITEM && lparam) {
    const auto* draw = reinterpret_cast<const DRAWITEMSTRUCT*>(lparam);
    if (draw->CtlType != ODT_MENU) return false;
    ItemView view;
    if (!ViewOf(draw->itemData, &view, true)) return false;
    PaintItem(*draw, view);
    *result = TRUE;
    return true;
  }
  return false;
}

}  // namespace lumora
