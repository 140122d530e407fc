#include "toolkit/menus/menu_images_win32.h"

#include <commctrl.h>

#include <utility>

#include "platform/error_log.h"
#include "platform/image_list_win32.h"
#include "platform/os_handles_win32.h"
#include "toolkit/base/platform_caps_win32.h"
#include "toolkit/style/drawing_win32.h"
#include "toolkit/style/ui_colour_table.h"
#include "toolkit/style/ui_style.h"

namespace lumora {
namespace {

// An icon the caller gave (borrowed) or one made from its bitmap (owned).
struct IconRef {
  HICON icon = nullptr;
  platform::UniqueIcon made;
  HICON get() const { return icon; }
};

IconRef Borrowed(HICON icon) { return IconRef{icon, {}}; }

IconRef Made(platform::UniqueIcon icon) {
  HICON handle = icon.get();
  return IconRef{handle, std::move(icon)};
}

bool IsIcon(HANDLE image) {
  ICONINFO info{};
  if (!GetIconInfo(static_cast<HICON>(image), &info)) return false;
  // The info carries copies of the icon's bitmaps, which are ours to free.
  const platform::UniqueBitmap colour(info.hbmColor), mask(info.hbmMask);
  return true;
}

// An icon for an icon or a bitmap; a bitmap goes through a temporary 32-bit
// masked image list of its own size.
IconRef IconOf(HANDLE image) {
  if (!image) return {};
  if (IsIcon(image)) return Borrowed(static_cast<HICON>(image));
  if (GetObjectType(image) != OBJ_BITMAP) return {};
  BITMAP bitmap{};
  if (!GetObjectW(image, sizeof bitmap, &bitmap) || bitmap.bmWidth <= 0 || bitmap.bmHeight <= 0) return {};
  const platform::UniqueImageList list(
      ImageList_Create(bitmap.bmWidth, bitmap.bmHeight, ILC_COLOR32 | ILC_MASK, 1, 0));
  if (!list || ImageList_Add(list.get(), static_cast<HBITMAP>(image), nullptr) < 0) return {};
  return Made(platform::UniqueIcon(ImageList_GetIcon(list.get(), 0, ILD_NORMAL)));
}

bool AddIcon(HIMAGELIST list, HICON icon) { return icon && platform::ImageListPutIcon(list, -1, icon) >= 0; }

COLORREF StyleColour(int32_t style, int32_t key) {
  return static_cast<COLORREF>(LookupUIColour(style, key, UICOLOUR_FORM_COLORREF));
}

}  // namespace

platform::UniqueIcon DeriveDisabledMenuIcon(HICON icon, int32_t style) {
  if (!icon) return platform::UniqueIcon();
  HANDLE made = nullptr;
  if (style == UISTYLE_WHIDBEY) {
    made = ImageEffect(icon, 80, 0, 0, 0, 0, IMAGEEFFECT_RETURN_ICON);
  } else if (style == UISTYLE_OFFICE2003_MENU_ALIAS) {
    // Pale grey washed with the style's tool-strip colour.
    made = ImageEffect(icon, 150, 0, 0, StyleColour(UISTYLE_OFFICE2003, 0x24), 0.64f * 256,
                       IMAGEEFFECT_GREYSCALE | IMAGEEFFECT_RETURN_ICON);
  } else if (style == UISTYLE_OFFICE2007) {
    made = ImageEffect(icon, 130, 0, 20, StyleColour(UISTYLE_OFFICE2007, 11), 0.49f * 256,
                       IMAGEEFFECT_GREYSCALE | IMAGEEFFECT_RETURN_ICON);
  } else {
    made = ImageEffect(icon, 120, 0, 0, 0, 0, IMAGEEFFECT_GREYSCALE | IMAGEEFFECT_RETURN_ICON);
  }
  return platform::UniqueIcon(static_cast<HICON>(made));
}

void SetItemImages(MenuItemRecord& item, HANDLE image, HANDLE hot_image, HANDLE disabled_image) {
  item.has_image = item.has_hot_image = item.has_disabled_image = 0;
  item.images.reset();
  item.given_images[0] = image;
  item.given_images[1] = hot_image;
  item.given_images[2] = disabled_image;
  item.images_pending = image != nullptr;
}

void EnsureItemImages(MenuItemRecord& item) {
  if (!item.images_pending) return;
  item.images_pending = false;
  HANDLE image = item.given_images[0], hot_image = item.given_images[1], disabled_image = item.given_images[2];
  for (HANDLE& given : item.given_images) given = nullptr;
  IconRef normal = IconOf(image);
  if (!normal.get()) return;
  platform::UniqueImageList owned(ImageList_Create(item.image_width, item.image_height, ILC_COLOR32 | ILC_MASK, 3, 0));
  HIMAGELIST list = owned.get();
  if (!list || !AddIcon(list, normal.get())) return;
  item.has_image = 0xFF;

  IconRef hot = IconOf(hot_image);
  if (hot.get() && AddIcon(list, hot.get())) {
    item.has_hot_image = 0xFF;
  } else {
    AddIcon(list, normal.get());
  }

  IconRef disabled = IconOf(disabled_image);
  if (disabled.get() && AddIcon(list, disabled.get())) {
    item.has_disabled_image = 0xFF;
  } else {
    const platform::UniqueIcon derived = DeriveDisabledMenuIcon(normal.get(), item.style);
    if (!AddIcon(list, derived.get())) AddIcon(list, normal.get());  // keep the three slots aligned
  }
  item.images = std::move(owned);
}

void RebuildDerivedMenuImages(int32_t) {
  try {
    StaleLockGuard guard(MenuLock());
    for (auto& item : Menus().items) {
      HIMAGELIST list = item->images.get();
      if (!list || item->has_disabled_image || ImageList_GetImageCount(list) < 3) continue;
      const platform::UniqueIcon normal(ImageList_GetIcon(list, 0, ILD_NORMAL));
      const platform::UniqueIcon derived = DeriveDisabledMenuIcon(normal.get(), item->style);
      if (derived.get()) platform::ImageListPutIcon(list, 2, derived.get());
    }
  } catch (...) {
    // A colour-mode step must not throw; the old images simply stay.
    platform::LogCurrentException("menu images: deriving the disabled images");
  }
}

}  // namespace lumora
