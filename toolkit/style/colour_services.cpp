#include "toolkit/style/colour_services.h"

namespace lumora {
namespace {

// Constant-initialised, so installing services from another file's start-up
// code cannot run before this is ready.
constinit ColourServices g_services{};

}  // namespace

void SetColourServices(const ColourServices& services) { g_services = services; }


int32_t ServiceSysColour(int32_t index) {
  return g_services.sys_colour ? g_services.sys_colour(index) : -1;
}

bool ServiceVistaOrLater() { return g_services.vista_or_later && g_services.vista_or_later(); }

bool ServiceVisualStylesActive() {
  return g_services.visual_styles_active && g_services.visual_styles_active();
}

int32_t ServiceThemeCaptionColour() {
  return g_services.theme_caption_colour ? g_services.theme_caption_colour() : 0;
}

intptr_t ServiceSolidBrush(int32_t key, int32_t colorref) {
  return g_services.solid_brush ? g_services.solid_brush(key, colorref) : 0;
}

}  // namespace lumora
