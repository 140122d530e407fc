// The arithmetic of menu sizes: the column gap that grows with the menu
// font, the height and width of an item, and where its image, label and
// shortcut go inside the row the system hands over for drawing. The fixed
// paddings below are the design's at 96 DPI; `dpi` scales them for the
// screen (text and image sizes come in already measured on it).
#pragma once
#include <cstdint>

#include "toolkit/base/dpi_scale.h"

namespace lumora {

// Point size of a font of `font_height` logical units (LOGFONT lfHeight,
// either sign) on a screen of `pixels_per_inch`: round(|h| * 72 / dpi).
int32_t MenuPointSize(int32_t font_height, int32_t pixels_per_inch);

// The gap between a menu's columns for a menu font of `points`: 8 below 10
// points, else 10 + 2 * (p mod 5) + 8 * (p div 5 - 2).
int32_t MenuGap(int32_t points);

// The gap the width of an item adds: MenuGap, 2 less below 10 points.
int32_t MenuWidthGap(int32_t points);

// The gap painting uses (stored when an item is measured): MenuGap - 2.
int32_t MenuPaintGap(int32_t points);

// Separator height: 2 pixels in the UI styles (codes 5 and above), 7 below.
int32_t MenuSeparatorHeight(int32_t style, int32_t dpi = kDesignDpi);

// Height of an item whose whole label measures `text_height` and whose
// images are `image_height` high: max(text + 4, image + 4) + 3.
int32_t MenuItemHeight(int32_t text_height, int32_t image_height, int32_t dpi = kDesignDpi);

// Width: label width (both parts) + 2 * image width + width gap + the
// system's check-mark width.
int32_t MenuItemWidth(int32_t text_width, int32_t image_width, int32_t points, int32_t check_width);

// The image column: image width + painting gap, plus 5 in the styles below
// UISTYLE_WHIDBEY and 2 in UISTYLE_OFFICE2007.
int32_t MenuImageColumnWidth(int32_t style, int32_t image_width, int32_t paint_gap, int32_t dpi = kDesignDpi);

// The right edge of a row of a popup shown by MenuShowPopup: the popup
// width less 4 in the Office styles (and the menus' 2003 code 6), less 6 in
// the others.
int32_t MenuPopupRowRight(int32_t style, int32_t popup_width, int32_t dpi = kDesignDpi);

// Top of an image centred in a row: top + (row height - image height) / 2 + 1.
int32_t MenuImageTop(int32_t row_top, int32_t row_bottom, int32_t image_height, int32_t dpi = kDesignDpi);

// Left edge of the label box: the image column's right edge + 9.
int32_t MenuLabelLeft(int32_t row_left, int32_t image_column_width, int32_t dpi = kDesignDpi);

// Where a right-aligned shortcut ends: row right - check width - 6.
int32_t MenuShortcutRight(int32_t row_right, int32_t check_width, int32_t dpi = kDesignDpi);

// A menu-bar title button measured at text_width x text_height.
struct TitleButtonSize {
  int32_t width = 0;
  int32_t height = 0;       // the button's own height
  int32_t bar_height = 0;   // what the bar's button size is set to
};
TitleButtonSize MenuTitleButtonSize(int32_t style, int32_t text_width, int32_t text_height,
                                    int32_t dpi = kDesignDpi);

// Heights of the two kinds of rows that MenuInsertItem can mark instead of
// attaching a sub-menu: a compact row and a tall heading row.
constexpr int32_t MENU_ROW_COMPACT = -2;
constexpr int32_t MENU_ROW_HEADING = -3;
// The fixed height of a marked row, 0 for any other value.
int32_t MenuMarkedRowHeight(int32_t mark, int32_t dpi = kDesignDpi);

}  // namespace lumora
