// The images of menu items: an image list of the menu image size holding
// the normal, hot and disabled image, the disabled one derived from the
// normal image in the look of the menu's UI style when none is given.
#pragma once
#include <windows.h>

#include <cstdint>

#include "platform/os_handles_win32.h"
#include "toolkit/menus/menu_records_win32.h"

namespace lumora {

// Keeps the item's images as given. The image list is made when the item is
// first drawn (EnsureItemImages): most items are never seen in a run, and a
// list with its derived disabled image costs milliseconds per item under
// Wine, which start-up would pay for every item of every menu. The caller
// keeps the images alive until the item has been drawn (the editor keeps
// its images for the whole run).
void SetItemImages(MenuItemRecord& item, HANDLE image, HANDLE hot_image, HANDLE disabled_image);

// Fills item.images and the has-image flags from the images kept by
// SetItemImages, once (none when there is no image or the list refuses it).
// Nothing here reads the registry.
void EnsureItemImages(MenuItemRecord& item);

// A greyed or tinted copy of `icon` for a disabled item of `style`; empty
// when the effect cannot be made.
platform::UniqueIcon DeriveDisabledMenuIcon(HICON icon, int32_t style);

// Colour-mode step: derived disabled images take the new mode's colours.
void RebuildDerivedMenuImages(int32_t mode);

}  // namespace lumora
