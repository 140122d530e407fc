#include "toolkit/bars/toolbar_paint_win32.h"

#include <map>
#include <string>
#include <utility>

#include "platform/nonclient_font_win32.h"
#include "platform/os_handles_win32.h"
#include "toolkit/bars/toolbar_fonts_win32.h"
#include "toolkit/bars/toolbar_win32.h"
#include "toolkit/base/builtin_glyphs_win32.h"
#include "toolkit/base/platform_caps_win32.h"
#include "toolkit/style/colour.h"
#include "toolkit/style/colour_mode_win32.h"
#include "toolkit/style/drawing_win32.h"
#include "toolkit/style/label_draw_win32.h"
#include "toolkit/style/label_layout.h"
#include "toolkit/style/ui_colour_table.h"
#include "toolkit/style/ui_style.h"

namespace lumora {
namespace {

constexpr int kTpButton = 1;
constexpr int kTpSeparator = 5;
constexpr UINT kStateMask = CDIS_HOT | CDIS_SELECTED | CDIS_CHECKED;

void (*g_open_menu_painter)(HWND, HDC, const RECT&) = nullptr;

// What painting needs to know about one item, read from the tool bar.
struct Item {
  TBBUTTON button{};
  int index = -1;
  std::wstring text;
  const ToolbarButtonRecord* record = nullptr;
};

Item ReadItem(const ToolbarRecord& toolbar, const NMCUSTOMDRAW& draw) {
  Item item;
  const ToolbarButtonRecord* record = ButtonFromItemData(draw.lItemlParam);
  if (record && record->toolbar == &toolbar) item.record = record;
  item.index = static_cast<int>(SendMessageW(toolbar.window, TB_COMMANDTOINDEX, draw.dwItemSpec, 0));
  if (item.index >= 0)
    SendMessageW(toolbar.window, TB_GETBUTTON, item.index, reinterpret_cast<LPARAM>(&item.button));
  if (item.record) {
    item.text = item.record->text;
  } else if (item.index >= 0) {
    const LRESULT length = SendMessageW(toolbar.window, TB_GETBUTTONTEXTW, draw.dwItemSpec, 0);
    if (length > 0 && length < 4096) {
      std::wstring text(static_cast<size_t>(length) + 1, L'\0');
      SendMessageW(toolbar.window, TB_GETBUTTONTEXTW, draw.dwItemSpec, reinterpret_cast<LPARAM>(text.data()));
      text.resize(static_cast<size_t>(length));
      item.text = std::move(text);
    }
  }
  return item;
}

bool IsDropDown(const Item& item) { return (item.button.fsStyle & (BTNS_DROPDOWN | BTNS_WHOLEDROPDOWN)) != 0; }

// The image list an item state draws from: disabled, hot or normal.
HIMAGELIST ListFor(const ToolbarRecord& toolbar, UINT state) {
  if (state & CDIS_DISABLED) return toolbar.disabled.get();
  if (state & CDIS_HOT) return toolbar.hot.get();
  return toolbar.normal.get();
}

SIZE ImageSize(HIMAGELIST list, int index) {
  int width = 0, height = 0;
  if (!list || index < 0 || index >= ImageList_GetImageCount(list)) return SIZE{0, 0};
  ImageList_GetIconSize(list, &width, &height);
  return SIZE{width, height};
}

void FillColumn(HDC dc, int x, int top, int bottom, HBRUSH brush) {
  if (!brush || bottom <= top) return;
  RECT line{x, top, x + 1, bottom};
  FillRect(dc, &line, brush);
}

// A vertical two-colour gradient. Gradient records live for the process,
// so each colour pair is made once and reused.
void PaintVerticalGradient(HDC dc, const RECT& rect, COLORREF top, COLORREF bottom) {
  static std::map<std::pair<COLORREF, COLORREF>, GradientHandle> made;
  GradientHandle& gradient = made[{top, bottom}];
  if (!gradient) {
    gradient = CreateGradient(GRADIENT_VERTICAL, MakeARGB(255, GetRValue(top), GetGValue(top), GetBValue(top)),
                              MakeARGB(255, GetRValue(bottom), GetGValue(bottom), GetBValue(bottom)));
  }
  if (gradient && PaintGradient(dc, rect, gradient)) return;
  // Without GDI+ the system's own gradient fill stands in.
  TRIVERTEX vertices[2] = {
      {rect.left, rect.top, static_cast<COLOR16>(GetRValue(top) << 8), static_cast<COLOR16>(GetGValue(top) << 8),
       static_cast<COLOR16>(GetBValue(top) << 8), 0xFF00},
      {rect.right, rect.bottom, static_cast<COLOR16>(GetRValue(bottom) << 8),
       static_cast<COLOR16>(GetGValue(bottom) << 8), static_cast<COLOR16>(GetBValue(bottom) << 8), 0xFF00}};
  GRADIENT_RECT span{0, 1};
  GradientFill(dc, vertices, 2, &span, 1, GRADIENT_FILL_RECT_V);
}

// Plain tool bars: the theme's separator part, or an etched line.
void PaintClassicSeparator(HDC dc, const RECT& rect) {
  const ThemeBinding& theme = g_caps.theme;
  if (theme.visual_styles_active && theme.DrawThemeBackground && theme.handles[THEME_TOOLBAR]) {
    theme.DrawThemeBackground(theme.handles[THEME_TOOLBAR], dc, kTpSeparator, 1, &rect, nullptr);
    return;
  }
  const int centre = (rect.left + rect.right) / 2;
  FillColumn(dc, centre - 1, rect.top + 3, rect.bottom - 4, LookupUIBrush(UISTYLE_OFFICE2003, UICOLOUR_TOOLBARSEPARATOR));
  FillColumn(dc, centre, rect.top + 4, rect.bottom - 3, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
}

// The same etched line in a UI style's own separator colours.
void PaintStyledSeparator(HDC dc, const RECT& rect, int32_t style) {
  const int centre = (rect.left + rect.right) / 2;
  FillColumn(dc, centre - 1, rect.top + 3, rect.bottom - 4, LookupUIBrush(style, UICOLOUR_TOOLBARSEPARATOR));
  FillColumn(dc, centre, rect.top + 4, rect.bottom - 3, LookupUIBrush(style, UICOLOUR_TOOLBARSEPARATORSHADOW));
}

// Image and text of an item inside its (already painted) background.
struct Content {
  HIMAGELIST list = nullptr;
  int image = -1;
  int shift = 0;          // 1 while pressed or checked
  HFONT font = nullptr;
  COLORREF colour = 0;
  bool arrow = false;     // draw the drop-down glyph at the right
  bool list_layout = false;
  int image_inset = -1;   // fixed image offset from the top left, or centred
};

void PaintContent(HDC dc, const RECT& rect, const Item& item, const Content& content) {
  const SIZE image = ImageSize(content.list, content.image);
  const bool has_image = image.cx > 0;
  const bool has_text = !item.text.empty();
  RECT room = rect;
  if (content.arrow) room.right -= 10;
  int x = 0, y = 0;
  if (has_image) {
    if (content.image_inset >= 0) {
      x = room.left + content.image_inset;
      y = room.top + content.image_inset;
    } else if (!has_text) {
      x = room.left + (room.right - room.left - image.cx) / 2;
      y = room.top + (room.bottom - room.top - image.cy) / 2;
    } else if (content.list_layout) {
      x = room.left + 3;
      y = room.top + (room.bottom - room.top - image.cy) / 2;
    } else {
      x = room.left + (room.right - room.left - image.cx) / 2;
      y = room.top + 2;
    }
    ImageList_Draw(content.list, content.image, dc, x + content.shift, y, ILD_TRANSPARENT);
  }
  if (has_text) {
    RECT text = room;
    uint32_t label_flags = LABEL_CENTRE_V;
    UINT format = DT_SINGLELINE | DT_VCENTER;
    if (has_image && content.list_layout) {
      text.left = x + image.cx + 3;
      format |= DT_LEFT;
    } else {
      if (has_image) text.top = y + image.cy + 1;
      label_flags |= LABEL_CENTRE_H;
      format |= DT_CENTER;
    }
    OffsetRect(&text, content.shift, 0);
    platform::SavedDcState saved(dc);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, content.colour);
    if (item.text.find(L'\\') != std::wstring::npos) {
      DrawLabel(dc, item.text.c_str(), &text, content.font, label_flags);
    } else {
      if (content.font) SelectObject(dc, content.font);
      DrawTextW(dc, item.text.c_str(), static_cast<int>(item.text.size()), &text, format);
    }
  }
  if (content.arrow && g_caps.glyphs[GLYPH_DROPDOWN]) {
    const SIZE glyph = ImageSize(g_caps.glyphs[GLYPH_DROPDOWN].get(), 0);
    ImageList_Draw(g_caps.glyphs[GLYPH_DROPDOWN].get(), 0, dc, rect.right - 8 - glyph.cx / 2 + content.shift,
                   rect.top + (rect.bottom - rect.top - glyph.cy) / 2, ILD_TRANSPARENT);
  }
}

bool WantsArrow(const ToolbarRecord& toolbar, const Item& item) {
  if (item.button.fsStyle & BTNS_WHOLEDROPDOWN) return true;
  return (item.button.fsStyle & BTNS_DROPDOWN) &&
         (SendMessageW(toolbar.window, TB_GETEXTENDEDSTYLE, 0, 0) & TBSTYLE_EX_DRAWDDARROWS);
}

bool ListLayout(const ToolbarRecord& toolbar) {
  return (GetWindowLongPtrW(toolbar.window, GWL_STYLE) & TBSTYLE_LIST) != 0;
}

// Plain tool bars under visual styles: the theme's button backgrounds.
LRESULT PaintThemedButton(HDC dc, const RECT& rect, const ToolbarRecord& toolbar, const Item& item, UINT state) {
  const ThemeBinding& theme = g_caps.theme;
  int theme_state = 0;
  switch (state & kStateMask) {
    case CDIS_HOT: theme_state = 2; break;
    case CDIS_HOT | CDIS_SELECTED: theme_state = 3; break;
    case CDIS_CHECKED: theme_state = 5; break;
    case CDIS_CHECKED | CDIS_HOT: theme_state = 6; break;
    case CDIS_CHECKED | CDIS_HOT | CDIS_SELECTED: theme_state = 3; break;
    default: break;
  }
  if (theme_state) theme.DrawThemeBackground(theme.handles[THEME_TOOLBAR], dc, kTpButton, theme_state, &rect, nullptr);
  Content content;
  content.list = ListFor(toolbar, state);
  content.image = item.button.iBitmap;
  content.font = MessageFont();
  content.colour = GetSysColor(COLOR_BTNTEXT);
  content.list_layout = ListLayout(toolbar);
  if (content.list_layout) content.image_inset = 3;
  PaintContent(dc, rect, item, content);
  return CDRF_SKIPDEFAULT;
}

struct StyledLook {
  int32_t top = -1, bottom = -1;  // gradient keys; -1 for no background
  int32_t frame = UICOLOUR_MENUHOTBORDER;
  bool held = false;              // the open menu's title
};

StyledLook LookFor(const ToolbarRecord& toolbar, const Item& item, UINT state) {
  StyledLook look;
  if (IsDropDown(item) && item.index >= 0 && item.index == toolbar.open_menu_button) {
    look.top = UICOLOUR_MENUHELDGRADIENTCOLOR1;
    look.bottom = UICOLOUR_MENUHELDGRADIENTCOLOR2;
    look.frame = UICOLOUR_MENUHELDBORDER;
    look.held = true;
    return look;
  }
  if (state & CDIS_DISABLED) return look;
  UINT key = state & kStateMask;
  // While the button is held down the control drops the hot bit; it is
  // still the pressed look.
  if (key == CDIS_SELECTED) key = CDIS_HOT | CDIS_SELECTED;
  if (key == (CDIS_CHECKED | CDIS_SELECTED)) key = CDIS_CHECKED | CDIS_HOT | CDIS_SELECTED;
  switch (key) {
    case CDIS_HOT:
      if (toolbar.open_menu_button >= 0) {
        look.top = UICOLOUR_MENUHELDGRADIENTCOLOR1;
        look.bottom = UICOLOUR_MENUHELDGRADIENTCOLOR2;
      } else {
        look.top = UICOLOUR_TOOLBARHOTGRADIENTCOLOR1;
        look.bottom = UICOLOUR_TOOLBARHOTGRADIENTCOLOR2;
      }
      break;
    case CDIS_HOT | CDIS_SELECTED:
      if (item.button.fsStyle & BTNS_WHOLEDROPDOWN) {
        look.top = UICOLOUR_MENUHELDGRADIENTCOLOR1;
        look.bottom = UICOLOUR_MENUHELDGRADIENTCOLOR2;
      } else {
        look.top = UICOLOUR_SELECTGRADIENTCOLOR1;
        look.bottom = UICOLOUR_SELECTGRADIENTCOLOR2;
      }
      break;
    case CDIS_CHECKED:
      look.top = UICOLOUR_STICKYSELECTGRADIENTCOLOR1;
      look.bottom = UICOLOUR_STICKYSELECTGRADIENTCOLOR2;
      look.frame = UICOLOUR_STICKYSELECTBORDERCOLOR;
      break;
    case CDIS_CHECKED | CDIS_HOT:
    case CDIS_CHECKED | CDIS_HOT | CDIS_SELECTED:
      look.top = UICOLOUR_SELECTGRADIENTCOLOR1;
      look.bottom = UICOLOUR_SELECTGRADIENTCOLOR2;
      break;
    default:
      break;
  }
  return look;
}

COLORREF StyleColour(int32_t style, int32_t key) {
  return static_cast<COLORREF>(LookupUIColour(style, key, UICOLOUR_FORM_COLORREF));
}

// Menu-bar titles sit straight on the rebar's bar image, which is dark in
// some colour modes, so they take the menu-title colours made for it; a
// hot or held title has its light gradient behind it.
int32_t TextColourKey(const ToolbarRecord& toolbar, UINT state, bool held) {
  if (toolbar.menu_bar) {
    if (held) return UICOLOUR_MENUTITLEHELDTEXTCOLOR;
    if (state & CDIS_HOT) return UICOLOUR_MENUTITLEHOTTEXTCOLOR;
    return UICOLOUR_MENUTITLETEXTCOLOR;
  }
  if (state & CDIS_DISABLED) return UICOLOUR_TOOLBARBUTTONDISABLEDTEXTCOLOR;
  if (state & CDIS_HOT) return UICOLOUR_TOOLBARBUTTONHOTTEXTCOLOR;
  return UICOLOUR_TOOLBARBUTTONTEXTCOLOR;
}

// The UI styles: the toolkit paints every item itself.
LRESULT PaintStyledItem(HDC dc, const RECT& item_rect, ToolbarRecord& toolbar, const Item& item, UINT state) {
  const int32_t style = toolbar.style;
  if (item.record && item.record->separator) {
    PaintStyledSeparator(dc, item_rect, style);
    return CDRF_SKIPDEFAULT;
  }
  if (item.record && item.record->control) return CDRF_SKIPDEFAULT;  // the control paints itself
  RECT rect = item_rect;
  rect.top += 1;
  rect.bottom -= 2;
  const StyledLook look = LookFor(toolbar, item, state);
  if (look.top >= 0 && rect.bottom > rect.top) {
    PaintVerticalGradient(dc, rect, StyleColour(style, look.top), StyleColour(style, look.bottom));
    if (HBRUSH frame = LookupUIBrush(style, look.frame)) FrameRect(dc, &rect, frame);
  }
  Content content;
  content.list = ListFor(toolbar, state);
  content.image = item.button.iBitmap;
  content.shift = (state & (CDIS_SELECTED | CDIS_CHECKED)) ? 1 : 0;
  content.font = GetBarFont();
  if (!content.font) content.font = reinterpret_cast<HFONT>(SendMessageW(toolbar.window, WM_GETFONT, 0, 0));
  content.colour = StyleColour(style, TextColourKey(toolbar, state, look.held));
  content.arrow = WantsArrow(toolbar, item);
  content.list_layout = ListLayout(toolbar);
  PaintContent(dc, rect, item, content);
  if (look.held && g_open_menu_painter) g_open_menu_painter(toolbar.window, dc, rect);
  return CDRF_SKIPDEFAULT;
}

LRESULT PaintItem(ToolbarRecord& toolbar, NMTBCUSTOMDRAW& draw) {
  HDC dc = draw.nmcd.hdc;
  if (!dc) return CDRF_DODEFAULT;
  const Item item = ReadItem(toolbar, draw.nmcd);
  const UINT state = draw.nmcd.uItemState;
  const RECT rect = draw.nmcd.rc;
  if (toolbar.style == UISTYLE_OFFICE2003 || toolbar.style == UISTYLE_OFFICE2007)
    return PaintStyledItem(dc, rect, toolbar, item, state);
  if (item.record && item.record->separator) {
    PaintClassicSeparator(dc, rect);
    return CDRF_SKIPDEFAULT;
  }
  const ThemeBinding& theme = g_caps.theme;
  if (theme.visual_styles_active && theme.DrawThemeBackground && theme.handles[THEME_TOOLBAR] &&
      toolbar.style != static_cast<int32_t>(TOOLBAR_IMAGE_SIZED_BUTTONS) && !IsDropDown(item) && item.index >= 0)
    return PaintThemedButton(dc, rect, toolbar, item, state);
  return CDRF_DODEFAULT;
}

}  // namespace

void SetOpenMenuPainterForPaint(void (*painter)(HWND, HDC, const RECT&)) { g_open_menu_painter = painter; }

LRESULT ToolbarCustomDraw(ToolbarRecord& toolbar, NMTBCUSTOMDRAW& draw) {
  switch (draw.nmcd.dwDrawStage) {
    case CDDS_PREPAINT: return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT: return PaintItem(toolbar, draw);
    default: return CDRF_DODEFAULT;
  }
}

}  // namespace lumora
