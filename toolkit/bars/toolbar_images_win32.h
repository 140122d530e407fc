// The images of tool-bar slots: appending them to a tool bar's three image
// lists so that the lists stay index-aligned, deriving disabled images in
// the tool bar's style, and rewriting every slot's images (after an insertion
// in the middle or a change of colour mode).
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <memory>

#include "platform/icon_pixels_win32.h"
#include "platform/os_handles_win32.h"
#include "toolkit/bars/toolbar_registry_win32.h"

namespace lumora {

// The icon that stands in for "no image".
HICON ToolbarBlankIcon();

// Appends one image (an icon, or a bitmap, which is converted) to each of
// the three lists: images[i] to lists[i]. An image a list refuses is
// replaced by the blank icon, so that every list still grows by exactly one.
// Nothing happens for a null list. An icon given for several lists (a slot
// without its own hot image, a separator) is read once. Pixels given for the
// disabled list stand in for images[2].
void AppendSlotImages(const HIMAGELIST (&lists)[3], const HANDLE (&images)[3],
                      const platform::IconPixels* disabled_pixels = nullptr);

// The pixels of a greyed copy of the normal image, made the way the tool
// bar's style wants it; null when the image cannot be processed. Only the
// image lists take the copy, so no icon is made of it.
std::shared_ptr<const platform::IconPixels> MakeDisabledImage(HANDLE normal, int32_t style);

// The images a slot shows, in list order: normal, hot, disabled. The
// disabled one is derived anew when the record says it was generated: then
// `derived` holds its pixels and `disabled` is null.
struct SlotImages {
  HANDLE normal = nullptr;
  HANDLE hot = nullptr;
  HANDLE disabled = nullptr;
  std::shared_ptr<const platform::IconPixels> derived;
};
SlotImages ImagesOfSlot(const ToolbarButtonRecord& button, int32_t style);

// Writes the images of every slot of the tool bar at the slot's index and
// points each button with an image at its own index. Used after a slot was
// inserted before others and when the derived images must follow the colours.
void RefreshSlotImages(ToolbarRecord& toolbar);

}  // namespace lumora
