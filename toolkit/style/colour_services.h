// The few operating-system answers that colour parsing and the colour modes
// depend on. The Win32 glue installs real ones at toolkit start-up; the host
// build and its tests install fakes, so the logic runs without Windows.
#pragma once
#include <cstdint>

namespace lumora {

struct ColourServices {
  // GetSysColor of a COLOR_* index, as a COLORREF.
  int32_t (*sys_colour)(int32_t index) = nullptr;
  // True on Windows Vista and later.
  bool (*vista_or_later)() = nullptr;
  // True when a visual style (theme) is in use.
  bool (*visual_styles_active)() = nullptr;
  // The theme's active-caption colour that start-up stored (COLORREF).
  int32_t (*theme_caption_colour)() = nullptr;
  // A solid brush of the given COLORREF for the UI colour key, from the
  // toolkit's brush cache; the caller never deletes it. 0 on failure.
  intptr_t (*solid_brush)(int32_t key, int32_t colorref) = nullptr;
};

// Replaces every service at once; a missing one behaves as "nothing there".
void SetColourServices(const ColourServices& services);

// Convenience readers with the fall-backs used when a service is missing.
int32_t ServiceSysColour(int32_t index);  // -1 without the service
bool ServiceVistaOrLater();
bool ServiceVisualStylesActive();
int32_t ServiceThemeCaptionColour();  // 0 without the service
intptr_t ServiceSolidBrush(int32_t key, int32_t colorref);  // 0 without the service

}  // namespace lumora
