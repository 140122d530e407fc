#include "toolkit/controls/button_look_win32.h"

#include <uxtheme.h>
#include <vssym32.h>

#include <algorithm>

#include "platform/os_handles_win32.h"
#include "toolkit/base/platform_caps_win32.h"
#include "toolkit/controls/skin_image_draw_win32.h"
#include "toolkit/controls/theme_objects_win32.h"
#include "toolkit/style/drawing_win32.h"
#include "toolkit/style/label_draw_win32.h"
#include "toolkit/style/label_layout.h"

namespace lumora {
namespace {

SkinBox Inset(const RECT& rect, const SkinBox& by) { return InsetBox(ToBox(rect), by); }

void Fill(HDC dc, const RECT& rect, int32_t colour) {
  if (colour == -1) return;
  if (HBRUSH brush = ThemeBrush(static_cast<COLORREF>(colour))) FillRect(dc, &rect, brush);
}

void PaintStockBackground(HDC dc, const RECT& client, int32_t stock) {
  static const int kThemeStates[] = {PBS_NORMAL, PBS_HOT, PBS_PRESSED, PBS_DISABLED};
  const int index = stock - 8;
  const HTHEME theme = g_caps.theme.handles[THEME_BUTTON];
  if (g_caps.theme.visual_styles_active && theme && g_caps.theme.DrawThemeBackground &&
      SUCCEEDED(g_caps.theme.DrawThemeBackground(theme, dc, BP_PUSHBUTTON, kThemeStates[index], &client, nullptr)))
    return;
  RECT rect = client;
  UINT state = DFCS_BUTTONPUSH;
  if (stock == 10) state |= DFCS_PUSHED;
  if (stock == 11) state |= DFCS_INACTIVE;
  if (stock == 9) state |= DFCS_HOT;
  DrawFrameControl(dc, &rect, DFC_BUTTON, state);
}

void PaintLayer(HDC dc, const RECT& client, int32_t colour, GradientHandle gradient, HANDLE image,
                const SkinPlacement& position) {
  Fill(dc, client, colour);
  if (gradient) PaintGradient(dc, client, gradient);
  if (image) DrawPlacedImage(dc, image, position, client);
}

void PaintImage(HDC dc, const RECT& client, const ButtonFace& face) {
  if (!face.images || ImageList_GetImageCount(face.images) == 0) return;
  int width = 0, height = 0;
  ImageList_GetIconSize(face.images, &width, &height);
  const SkinBox box = PlaceInArea(face.look->image_position, Inset(client, face.look->image_padding), width, height);
  ImageList_Draw(face.images, 0, dc, box.left, box.top, ILD_TRANSPARENT | (face.blend_image ? ILD_BLEND50 : 0));
}

void PaintCaption(HDC dc, const RECT& client, const ButtonFace& face) {
  if (!face.text || face.text->empty()) return;
  const ButtonLook& look = *face.look;
  HFONT font = look.font ? look.font : UiFont();
  RECT extent{0, 0, 0, 0};
  MeasureLabel(dc, face.text->c_str(), &extent, font, 0);
  const SkinBox box = PlaceInArea(look.text_position, Inset(client, look.text_padding),
                                  extent.right - extent.left, extent.bottom - extent.top);
  RECT rect{box.left, box.top, std::max(box.right, box.left), box.bottom};
  platform::SavedDcState saved(dc);
  SetBkMode(dc, TRANSPARENT);
  COLORREF colour = look.text_colour != -1 ? static_cast<COLORREF>(look.text_colour) : GetSysColor(COLOR_BTNTEXT);
  if (face.disabled && look.text_colour == -1) colour = GetSysColor(COLOR_GRAYTEXT);
  SetTextColor(dc, colour);
  DrawLabel(dc, face.text->c_str(), &rect, font, LABEL_TOP_ALIGNED);
}

// Where the mask is black the pixels that lay under the button come back.
void ApplyMask(HDC dc, const RECT& client, HDC underneath, const ButtonLook& look) {
  platform::MemoryCanvas mask = platform::MemoryCanvas::Compatible(dc, client.right, client.bottom);
  if (!mask) return;
  FillRect(mask.dc(), &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  DrawNineSlice(mask.dc(), look.border_mask, look.mask_margins, client);
  constexpr DWORD kDestAndNotSource = 0x00220326;
  BitBlt(dc, 0, 0, client.right, client.bottom, mask.dc(), 0, 0, SRCAND);
  BitBlt(underneath, 0, 0, client.right, client.bottom, mask.dc(), 0, 0, kDestAndNotSource);
  BitBlt(dc, 0, 0, client.right, client.bottom, underneath, 0, 0, SRCPAINT);
}

}  // namespace

ButtonLook CentredLook() {
  ButtonLook look;
  look.image_position.x = look.image_position.y = SkinOffset{SkinOffset::kPercent, 50};
  look.text_position = look.image_position;
  return look;
}

ButtonLook SystemButtonLook(int state) {
  ButtonLook look = CentredLook();
  look.image_padding = SkinBox{6, 2, 4, 2};
  look.text_padding = SkinBox{2, 2, 6, 2};
  static const int32_t kStock[] = {8, 9, 10, 11, 8, 9, 10, -1, -1, -1};
  look.stock_background = state >= 0 && state < 10 ? kStock[state] : -1;
  return look;
}

void PaintButtonFace(HDC dc, const RECT& client, const ButtonFace& face) {
  if (!face.look || client.right <= 0 || client.bottom <= 0) return;
  const ButtonLook& look = *face.look;
  platform::MemoryCanvas underneath;
  if (look.border_mask) {
    underneath = platform::MemoryCanvas::Compatible(dc, client.right, client.bottom);
    if (underneath) BitBlt(underneath.dc(), 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
  }
  if (look.stock_background >= 8 && look.stock_background <= 11) PaintStockBackground(dc, client, look.stock_background);
  PaintLayer(dc, client, look.background_colour, look.background_gradient, look.background_image,
             look.background_position);
  if (look.border_image) DrawNineSlice(dc, look.border_image, look.border_margins, client);
  PaintLayer(dc, client, look.overlay_colour, look.overlay_gradient, look.overlay_image, look.overlay_position);
  PaintImage(dc, client, face);
  PaintCaption(dc, client, face);
  if (underneath) ApplyMask(dc, client, underneath.dc(), look);
}

}  // namespace lumora
