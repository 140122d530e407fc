#include "toolkit/menus/menu_images_win32.h"

#include <commctrl.h>

#include "platform/error_log.h"
#include "toolkit/base/platform_caps.h"
#include "toolkit/style/drawing_win32.h"
#include "toolkit/style/ui_colour_table.h"
#include "toolkit/style/ui_style.h"

namespace lumora {
namespace {

// An icon the code made and must destroy, or one it only borrows.
class IconRef {
 public:
  IconRef() = default;
  IconRef(HICON icon, bool owned) : icon_(icon), owned_(owned) {}
  ~IconRef() {
    if (owned_ && icon_) DestroyIcon(icon_);
  }
  IconRef(IconRef&& other) noexcept : icon_(other.icon_), owned_(other.owned_) { other.icon_ = nullptr; }
  IconRef& operator=(IconRef&& other) noexcept {
    if (this != &other) {
      if (owned_ && icon_) DestroyIcon(icon_);
      icon_ = other.icon_;
      owned_ = other.owned_;
      other.icon_ = nullptr;
    }
    return *this;
  }
  IconRef(const IconRef&) = delete;
  IconRef& operator=(const IconRef&) = delete;
  HICON get() const { return icon_; }

 private:
  HICON icon_ = nullptr;
  bool owned_ = false;
};

bool IsIcon(HANDLE image) {
  ICONINFO info{};
  if (!GetIconInfo(static_cast<HICON>(image), &info)) return false;
  if (info.hbmColor) DeleteObject(info.hbmColor);
  if (info.hbmMask) DeleteObject(info.hbmMask);
  return true;
}

// An icon for an icon or a bitmap; a bitmap goes through a temporary 32-bit
// masked image list of its own size.
IconRef IconOf(HANDLE image) {
  if (!image) return {};
  if (IsIcon(image)) return IconRef(static_cast<HICON>(image), false);
  if (GetObjectType(image) != OBJ_BITMAP) return {};
  BITMAP bitmap{};
  if (!GetObjectW(image, sizeof bitmap, &bitmap) || bitmap.bmWidth <= 0 || bitmap.bmHeight <= 0) return {};
  HIMAGELIST list = ImageList_Create(bitmap.bmWidth, bitmap.bmHeight, ILC_COLOR32 | ILC_MASK, 1, 0);
  if (!list) return {};
  HICON icon = nullptr;
  if (ImageList_Add(list, static_cast<HBITMAP>(image), nullptr) >= 0) icon = ImageList_GetIcon(list, 0, ILD_NORMAL);
  ImageList_Destroy(list);
  return IconRef(icon, true);
}

bool AddIcon(HIMAGELIST list, HICON icon) { return icon && ImageList_AddIcon(list, icon) >= 0; }

COLORREF StyleColour(int32_t style, int32_t key) {
  return static_cast<COLORREF>(LookupUIColour(style, key, UICOLOUR_FORM_COLORREF));
}

}  // namespace

HICON DeriveDisabledMenuIcon(HICON icon, int32_t style) {
  if (!icon) return nullptr;
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
  return static_cast<HICON>(made);
}

void BuildItemImages(MenuItemRecord& item, HANDLE image, HANDLE hot_image, HANDLE disabled_image) {
  item.has_image = item.has_hot_image = item.has_disabled_image = 0;
  item.images.Reset();
  IconRef normal = IconOf(image);
  if (!normal.get()) return;
  HIMAGELIST list = ImageList_Create(item.image_width, item.image_height, ILC_COLOR32 | ILC_MASK, 3, 0);
  if (!list) return;
  if (!AddIcon(list, normal.get())) {
    ImageList_Destroy(list);
    return;
  }
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
    IconRef derived(DeriveDisabledMenuIcon(normal.get(), item.style), true);
    if (!AddIcon(list, derived.get())) AddIcon(list, normal.get());  // keep the three slots aligned
  }
  item.images.Reset(list);
}

void RebuildDerivedMenuImages(int32_t) {
  try {
    StaleLockGuard guard(MenuLock());
    for (auto& item : Menus().items) {
      HIMAGELIST list = item->images.get();
      if (!list || item->has_disabled_image || ImageList_GetImageCount(list) < 3) continue;
      IconRef normal(ImageList_GetIcon(list, 0, ILD_NORMAL), true);
      IconRef derived(DeriveDisabledMenuIcon(normal.get(), item->style), true);
      if (derived.get()) ImageList_ReplaceIcon(list, 2, derived.get());
    }
  } catch (...) {
    // A colour-mode step must not throw; the old images simply stay.
    platform::LogCurrentException("menu images: deriving the disabled images");
  }
}

}  // namespace lumora
