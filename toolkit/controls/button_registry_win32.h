// The records behind skinned buttons, shared by the button's behaviour
// (button_win32.cpp) and the application of skins (button_skin_win32.cpp).
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/os_handles_win32.h"
#include "toolkit/base/stale_lock.h"
#include "toolkit/controls/button_look_win32.h"
#include "toolkit/controls/button_state.h"

namespace lumora {

struct ButtonRecord {
  int32_t id = 0;
  HWND window = nullptr;     // the panel that is the button
  HWND page = nullptr;       // its page, which takes the pointer
  HWND container = nullptr;  // the window it was created on; clicks go there
  std::wstring text;
  int32_t image_width = 0, image_height = 0;
  // One list per visual state; 0 to 3 hold the images given at creation,
  // the others only what a skin's "image" gives.
  platform::UniqueImageList images[kButtonStateCount];
  ButtonLook looks[kButtonStateCount];
  ButtonModel model;
  int64_t group = 0;
  intptr_t skin = 0;  // 0 while none is applied
  std::wstring component;
  // The tooltip window is made when the pointer first moves over the
  // button: a popup window costs milliseconds to make under Wine, and most
  // buttons are never hovered. Until then only its text is kept.
  platform::UniqueWindow tooltip;
  std::wstring tooltip_text;
  bool has_tooltip = false;
  // Made with a width or height of 0: sized from the image and padding.
  bool fit_width = false, fit_height = false;
};

// Valid until the button is freed; user-interface thread only.
// Guards the button records, and the labels' too.
StaleLock& ButtonLock();

ButtonRecord* FindButtonRecord(intptr_t id_or_window);
std::vector<ButtonRecord*> AllButtonRecords();

// An image list of one image at its own size: an icon as it is, a bitmap
// with green (RGB(0, 255, 0)) for transparent. Null without an image.
platform::UniqueImageList MakeImageList(HANDLE image, int32_t width, int32_t height);

// Applies the component "imagebuttonex" of the built-in "imagebuttonskin".
void ApplyImageButtonSkin(intptr_t button);

// After the looks or images changed: the size of a button made to fit, the
// cursor, and a repaint.
void ButtonLooksChanged(ButtonRecord& button);

}  // namespace lumora
