// How a skinned button looks in one of its ten states, resolved once when
// a skin (or the caller) sets it, and the painting of that look: background,
// nine-slice border with its mask, overlay, image and caption, in that order.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <string>
#include <vector>

#include "toolkit/controls/skin_placement.h"
#include "toolkit/style/gradient.h"
#include "toolkit/style/skin_model.h"

namespace lumora {

// The images, gradients and fonts belong to the skin (or to the caller that
// set the look); `keep` holds a share in those the skin made, so that a
// property replaced while the button still draws with it is freed only when
// the button reads its skin again or goes.
struct ButtonLook {
  int32_t background_colour = -1;  // COLORREF, -1 for none
  GradientHandle background_gradient = 0;
  // A stock image of the toolkit: 8 to 11 are the visual style's push button
  // (normal, hot, pressed, disabled); -1 none.
  int32_t stock_background = -1;
  HANDLE background_image = nullptr;
  SkinPlacement background_position;
  HANDLE border_image = nullptr;  // a bitmap cut in nine by the margins
  SkinBox border_margins;         // left, top, right, bottom widths
  HANDLE border_mask = nullptr;   // white keeps the button, black shows what lies under it
  SkinBox mask_margins;
  int32_t overlay_colour = -1;
  GradientHandle overlay_gradient = 0;
  HANDLE overlay_image = nullptr;
  SkinPlacement overlay_position;
  HANDLE image = nullptr;  // replaces the state's image from creation
  SkinPlacement image_position;
  SkinBox image_padding;   // left, top, right, bottom
  HFONT font = nullptr;    // null: the toolkit's UI font
  int32_t text_colour = -1;
  SkinPlacement text_position;
  SkinBox text_padding;
  HCURSOR cursor = nullptr;  // null: the arrow
  std::vector<SkinKeeper> keep;
};

// What the painter needs besides the look.
struct ButtonFace {
  const ButtonLook* look = nullptr;
  HIMAGELIST images = nullptr;  // the state's image, or the normal one
  bool blend_image = false;     // a disabled button showing its normal image
  const std::wstring* text = nullptr;
  bool disabled = false;
};

void PaintButtonFace(HDC dc, const RECT& client, const ButtonFace& face);

// A look with the image and the caption centred (x and y at 50 %).
ButtonLook CentredLook();

// The built-in push button's look for a state, as "sysbuttonskin" gives it:
// the visual style's push button behind a centred, padded image and caption.
// Used when no skin can be applied.
ButtonLook SystemButtonLook(int state);

}  // namespace lumora
