// The images of menu items: an image list of the menu image size holding
// the normal, hot and disabled image, the disabled one derived from the
// normal image in the look of the menu's UI style when none is given.
#pragma once
#include <windows.h>

#include <cstdint>

#include "platform/os_handles_win32.h"
#include "toolkit/menus/menu_records_win32.h"

namespace lumora {

// Fills item.images and the has-image flags (none when `image` is null or
// the list refuses it). Call without the menu lock: nothing here reads the
// registry.
void BuildItemImages(MenuItemRecord& item, HANDLE image, HANDLE hot_image, HANDLE disabled_image);

// A greyed or tinted copy of `icon` for a disabled item of `style`; empty
// when the effect cannot be made.
platform::UniqueIcon DeriveDisabledMenuIcon(HICON icon, int32_t style);

// Colour-mode step: derived disabled images take the new mode's colours.
void RebuildDerivedMenuImages(int32_t mode);

}  // namespace lumora
