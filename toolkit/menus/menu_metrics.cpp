#include "toolkit/menus/menu_metrics.h"

#include <algorithm>
#include <cstdlib>

#include "toolkit/style/ui_style.h"

namespace lumora {

int32_t MenuPointSize(int32_t font_height, int32_t pixels_per_inch) {
  if (pixels_per_inch <= 0) return 0;
  const int64_t height = std::llabs(static_cast<int64_t>(font_height));
  // Rounded to nearest, halves up.
  return static_cast<int32_t>((height * 72 * 2 + pixels_per_inch) / (2 * static_cast<int64_t>(pixels_per_inch)));
}

int32_t MenuGap(int32_t points) {
  if (points < 10) return 8;
  return 10 + 2 * (points % 5) + 8 * (points / 5 - 2);
}

int32_t MenuWidthGap(int32_t points) { return MenuGap(points) - (points < 10 ? 2 : 0); }

int32_t MenuPaintGap(int32_t points) { return MenuGap(points) - 2; }

int32_t MenuSeparatorHeight(int32_t style) { return style >= UISTYLE_WHIDBEY ? 2 : 7; }

int32_t MenuItemHeight(int32_t text_height, int32_t image_height) {
  return std::max(text_height + 4, image_height + 4) + 3;
}

int32_t MenuItemWidth(int32_t text_width, int32_t image_width, int32_t points, int32_t check_width) {
  return text_width + 2 * image_width + MenuWidthGap(points) + check_width;
}

int32_t MenuImageColumnWidth(int32_t style, int32_t image_width, int32_t paint_gap) {
  int32_t width = image_width + paint_gap;
  if (style < UISTYLE_WHIDBEY) width += 5;
  if (style == UISTYLE_OFFICE2007) width += 2;
  return width;
}

int32_t MenuPopupRowRight(int32_t style, int32_t popup_width) {
  const bool office = style == UISTYLE_OFFICE2003 || style == UISTYLE_OFFICE2007 ||
                      style == UISTYLE_OFFICE2003_MENU_ALIAS;
  return popup_width - (office ? 4 : 6);
}

int32_t MenuImageTop(int32_t row_top, int32_t row_bottom, int32_t image_height) {
  return row_top + (row_bottom - row_top - image_height) / 2 + 1;
}

int32_t MenuLabelLeft(int32_t row_left, int32_t image_column_width) { return row_left + image_column_width + 9; }

int32_t MenuShortcutRight(int32_t row_right, int32_t check_width) { return row_right - check_width - 6; }

TitleButtonSize MenuTitleButtonSize(int32_t style, int32_t text_width, int32_t text_height) {
  TitleButtonSize size;
  size.width = text_width + 18;
  size.height = std::max(text_height, 14);
  if (style == UISTYLE_OFFICE2003_MENU_ALIAS || style == UISTYLE_OFFICE2003) {
    size.width -= 2;
    size.height -= 3;
  } else if (style == UISTYLE_OFFICE2007) {
    size.width -= 2;
    size.height -= 2;
  }
  size.bar_height = size.height + 8;
  return size;
}

int32_t MenuMarkedRowHeight(int32_t mark) {
  switch (mark) {
    case MENU_ROW_COMPACT: return 18;
    case MENU_ROW_HEADING: return 26;
    default: return 0;
  }
}

}  // namespace lumora
