#include "toolkit/bars/toolbar_images_win32.h"

#include "platform/image_list_win32.h"
#include "platform/os_handles_win32.h"
#include "toolkit/bars/toolbar_win32.h"
#include "toolkit/base/builtin_glyphs_win32.h"
#include "toolkit/base/platform_caps_win32.h"
#include "toolkit/image/image_handles_win32.h"
#include "toolkit/style/drawing_win32.h"
#include "toolkit/style/ui_colour_table.h"
#include "toolkit/style/ui_style.h"

namespace lumora {
namespace {

bool AddIcon(HIMAGELIST list, int index, HANDLE image, const platform::IconBitmaps* read = nullptr) {
  if (!image) return false;
  if (image == ToolbarBlankIcon()) return platform::ImageListPutBlank(list, index) >= 0;
  if (read && read->icon == image) return platform::ImageListPutIcon(list, index, *read) >= 0;
  if (GetObjectType(image) == OBJ_BITMAP) {
    const platform::UniqueIcon icon = CreateIconFromBitmap(static_cast<HBITMAP>(image));
    return icon && platform::ImageListPutIcon(list, index, icon.get()) >= 0;
  }
  return platform::ImageListPutIcon(list, index, static_cast<HICON>(image)) >= 0;
}

void PutImage(HIMAGELIST list, int index, HANDLE image, const platform::IconPixels* pixels = nullptr) {
  if (!list) return;
  if (pixels && platform::ImageListPutPixels(list, index, *pixels) >= 0) return;
  if (!AddIcon(list, index, image)) AddIcon(list, index, ToolbarBlankIcon());
}

}  // namespace

HICON ToolbarBlankIcon() {
  if (g_caps.blank_icon) return g_caps.blank_icon.get();
  // Before start-up has made the shared one; kept for the process.
  static platform::UniqueIcon own(CreateBlankIcon());
  return own.get();
}

void AppendSlotImages(const HIMAGELIST (&lists)[3], const HANDLE (&images)[3],
                      const platform::IconPixels* disabled_pixels) {
  platform::IconBitmaps read[3];
  for (int i = 0; i < 3; ++i) {
    if (!lists[i]) continue;
    if (i == 2 && disabled_pixels) {
      PutImage(lists[i], -1, images[i], disabled_pixels);
      continue;
    }
    HANDLE image = images[i];
    const platform::IconBitmaps* known = nullptr;
    for (int j = 0; j < i && !known; ++j)
      if (read[j].icon && read[j].icon == image) known = &read[j];
    if (!known && image && image != ToolbarBlankIcon() && GetObjectType(image) != OBJ_BITMAP) {
      read[i] = platform::ReadIconBitmaps(static_cast<HICON>(image));
      known = &read[i];
    }
    if (!AddIcon(lists[i], -1, image, known)) AddIcon(lists[i], -1, ToolbarBlankIcon());
  }
}

std::shared_ptr<const platform::IconPixels> MakeDisabledImage(HANDLE normal, int32_t style) {
  if (!normal) return nullptr;
  constexpr uint32_t kGreyIcon = IMAGEEFFECT_GREYSCALE | IMAGEEFFECT_RETURN_ICON;
  if (style == UISTYLE_OFFICE2003 || style == UISTYLE_OFFICE2007) {
    // A pale grey copy washed with a colour of the style, so that disabled
    // buttons sit quietly on the style's bar colours.
    const bool office2007 = style == UISTYLE_OFFICE2007;
    const int32_t key = office2007 ? UICOLOUR_MENUHELDGRADIENTCOLOR2 : UICOLOUR_TOOLSTRIPBACKGROUND4;
    const auto tint = static_cast<COLORREF>(LookupUIColour(style, key, UICOLOUR_FORM_COLORREF));
    return ImageEffectIconPixels(normal, office2007 ? 190.0f : 200.0f, -40.0f, office2007 ? 40.0f : 30.0f, tint,
                                 70.0f, kGreyIcon);
  }
  return ImageEffectIconPixels(normal, 120.0f, 0.0f, 0.0f, 0, 0.0f, kGreyIcon);
}

SlotImages ImagesOfSlot(const ToolbarButtonRecord& button, int32_t style) {
  SlotImages images;
  HICON blank = ToolbarBlankIcon();
  images.normal = button.normal ? button.normal : blank;
  images.hot = button.hot ? button.hot : images.normal;
  if (button.disabled) {
    images.disabled = button.disabled;
  } else if (button.disabled_generated) {
    images.derived = MakeDisabledImage(images.normal, style);
    images.disabled = images.derived ? nullptr : images.normal;
  } else {
    images.disabled = blank;
  }
  return images;
}

void RefreshSlotImages(ToolbarRecord& toolbar) {
  const int count = static_cast<int>(SendMessageW(toolbar.window, TB_BUTTONCOUNT, 0, 0));
  const bool has_lists = toolbar.normal || toolbar.hot || toolbar.disabled;
  for (int index = 0; index < count; ++index) {
    TBBUTTON button{};
    if (!SendMessageW(toolbar.window, TB_GETBUTTON, index, reinterpret_cast<LPARAM>(&button))) continue;
    const ToolbarButtonRecord* record = ButtonFromItemData(button.dwData);
    if (!record) continue;
    if (has_lists) {
      SlotImages images = ImagesOfSlot(*record, toolbar.style);
      PutImage(toolbar.normal.get(), index, images.normal);
      PutImage(toolbar.hot.get(), index, images.hot);
      PutImage(toolbar.disabled.get(), index, images.disabled, images.derived.get());
    }
    if (button.iBitmap != I_IMAGENONE && button.iBitmap != index) {
      TBBUTTONINFOW info{};
      info.cbSize = sizeof info;
      info.dwMask = TBIF_IMAGE | TBIF_BYINDEX;
      info.iImage = index;
      SendMessageW(toolbar.window, TB_SETBUTTONINFOW, index, reinterpret_cast<LPARAM>(&info));
    }
  }
  InvalidateRect(toolbar.window, nullptr, TRUE);
}

}  // namespace lumora
