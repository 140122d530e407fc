#include "toolkit/menus/menu_metrics.h"

#include <algorithm>
#include <cstdlib>

#include "toolkit/base/dpi_scale.h"
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

int32_t MenuSeparatorHeight(int32_t style, int32_t dpi) { return ScalePixels(style >= UISTYLE_WHIDBEY ? 2 : 7, dpi); }

int32_t MenuItemHeight(int32_t text_height, int32_t image_height, int32_t dpi) {
  return std::max(text_height, image_height) + ScalePixels(4, dpi) + ScalePixels(3, dpi);
}

int32_t MenuItemWidth(int32_t text_width, int32_t image_width, int32_t points, int32_t check_width) {
  return text_width + 2 * image_width + MenuWidthGap(points) + check_width;
}

int32_t MenuImageColumnWidth(int32_t style, int32_t image_width, int32_t paint_gap, int32_t dpi) {
  int32_t width = image_width + paint_gap;
  if (style < UISTYLE_WHIDBEY) width += ScalePixels(5, dpi);
  if (style == UISTYLE_OFFICE2007) width += ScalePixels(2, dpi);
  return width;
}

int32_t MenuPopupRowRight(int32_t style, int32_t popup_width, int32_t dpi) {
  const bool office = style == UISTYLE_OFFICE2003 || style == UISTYLE_OFFICE2007 ||
                      style == UISTYLE_OFFICE2003_MENU_ALIAS;
  return popup_width - ScalePixels(office ? 4 : 6, dpi);
}

int32_t MenuImageTop(int32_t row_top, int32_t row_bottom, int32_t image_height, int32_t dpi) {
  return row_top + (row_bottom - row_top - image_height) / 2 + ScalePixels(1, dpi);
}

int32_t MenuLabelLeft(int32_t row_left, int32_t image_column_width, int32_t dpi) {
  return row_left + image_column_width + ScalePixels(9, dpi);
}

int32_t MenuShortcutRight(int32_t row_right, int32_t check_width, int32_t dpi) {
  return row_right - check_width - ScalePixels(6, dpi);
}

TitleButtonSize MenuTitleButtonSize(int32_t style, int32_t text_width, int32_t text_height, int32_t dpi) {
  TitleButtonSize size;
  size.width = text_width + ScalePixels(18, dpi);
  size.height = std::max(text_height, ScalePixels(14, dpi));
  if (style == UISTYLE_OFFICE2003_MENU_ALIAS || style == UISTYLE_OFFICE2003) {
    size.width -= ScalePixels(2, dpi);
    size.height -= ScalePixels(3, dpi);
  } else if (style == UISTYLE_OFFICE2007) {
    size.width -= ScalePixels(2, dpi);
    size.height -= ScalePixels(2, dpi);
  }
  size.bar_height = size.height + ScalePixels(8, dpi);
  return size;
}

int32_t MenuMarkedRowHeight(int32_t mark, int32_t dpi) {
  switch (mark) {
    case MENU_ROW_COMPACT: return ScalePixels(18, dpi);
    case MENU_ROW_HEADING: return ScalePixels(26, dpi);
    default: return 0;
  }
}

}  // namespace lumora
