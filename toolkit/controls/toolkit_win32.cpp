#include "toolkit/controls/toolkit_win32.h"

#include "toolkit/bars/rebar_chevron_menu_win32.h"
#include "toolkit/bars/toolbar_win32.h"
#include "toolkit/base/platform_caps_win32.h"
#include "toolkit/controls/button_win32.h"
#include "toolkit/controls/label_win32.h"
#include "toolkit/controls/panel_win32.h"
#include "toolkit/menus/chevron_menu_win32.h"
#include "toolkit/menus/menu_keyboard_win32.h"
#include "toolkit/menus/menu_popup_frame_win32.h"
#include "toolkit/style/colour_mode.h"
#include "toolkit/style/colour_services_win32.h"
#include "toolkit/style/skin_platform_win32.h"

namespace lumora {
namespace {

void InitLayers() {
  // Style: the named colours; the colour name follows the theme's caption.
  InitColourTables();
  if (g_caps.theme.caption_colour_known) DetectColourName(static_cast<int32_t>(g_caps.theme.caption_colour));
  // Skins load their images and fonts, and re-apply on a colour-mode change.
  WireSkins();
  // Bars: a band's chevron opens a menu; the first tool bar brings the
  // menu bars' keyboard hook; the held title of an open menu gets the
  // menu's shadow along it.
  SetChevronMenuRunner(ShowChevronMenu);
  SetToolbarKeyboardHookInstaller(InstallMenuKeyboardHook);
  SetToolbarOpenMenuPainter(PaintOpenTitleShadow);
  // Controls.
  WireButtons();
  WireLabels();
  WirePanels();
}

constexpr ToolkitLayers kLayers{InitLayers};

}  // namespace

void InitToolkit() { InitToolkit(kLayers); }

void StartToolkit() { StartToolkit(kLayers); }

}  // namespace lumora
