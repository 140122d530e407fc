#include "toolkit/style/colour_services_win32.h"

#include "toolkit/base/platform_caps_win32.h"
#include "toolkit/style/colour_mode_win32.h"
#include "toolkit/style/colour_services.h"

namespace lumora {
namespace {

constexpr int32_t kWindowsVista = 0x0600;

int32_t SysColour(int32_t index) { return static_cast<int32_t>(GetSysColor(index)); }

bool VistaOrLater() { return g_caps.os_version >= kWindowsVista; }

bool VisualStylesActive() { return g_caps.theme.visual_styles_active; }

int32_t ThemeCaptionColour() {
  return g_caps.theme.caption_colour_known ? static_cast<int32_t>(g_caps.theme.caption_colour) : 0;
}

intptr_t SolidBrush(int32_t key, int32_t colorref) {
  return reinterpret_cast<intptr_t>(CachedSolidBrush(key, static_cast<COLORREF>(colorref)));
}

}  // namespace

void InitColourTables() {
  ColourServices services;
  services.sys_colour = SysColour;
  services.vista_or_later = VistaOrLater;
  services.visual_styles_active = VisualStylesActive;
  services.theme_caption_colour = ThemeCaptionColour;
  services.solid_brush = SolidBrush;
  SetColourServices(services);
  WireColourModeSteps();
}

}  // namespace lumora
