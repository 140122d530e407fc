// What every menu needs: its handlers on owner windows, the catching of
// popup-menu windows, colour-mode steps and the tear-down. Every first use
// wires them in; a registration that is there already adds nothing.
#include <windows.h>

#include "toolkit/base/bar_window_proc_win32.h"
#include "toolkit/base/toolkit_start_win32.h"
#include "toolkit/menus/drop_shadow_win32.h"
#include "toolkit/menus/menu_images_win32.h"
#include "toolkit/menus/menu_item_paint_win32.h"
#include "toolkit/menus/menu_keyboard_win32.h"
#include "toolkit/menus/menu_popup_frame_win32.h"
#include "toolkit/menus/menu_records_win32.h"
#include "toolkit/menus/menu_tracking_win32.h"
#include "toolkit/menus/menu_win32.h"
#include "toolkit/menus/shortcut_dispatch_win32.h"
#include "toolkit/style/colour_mode.h"

namespace lumora {
namespace {

// Shut-down order (low first): after the buttons (300), before the colour
// renderings the menus paint with (500).
constexpr int32_t kMenuTeardownRank = 400;
// Colour-mode order: disabled images in the tool bars' step (500), then the
// cached backgrounds, before the skins re-apply (700).
constexpr int32_t kDerivedImagesColourRank = 500;
constexpr int32_t kMenuBackgroundsColourRank = 600;

void FreeAllMenus() {
  MenuFree(-1);
  DestroyAllDropShadows();
  ResetShortcutDispatch();
  ResetMenuKeyboard();
}

}  // namespace

void WireMenus() {
  RegisterBarMessageHandler(HandleMenuItemMessage);
  RegisterBarMessageHandler(HandleMenuOwnerMessage);
  AddWindowCreationHandler(OnMenuWindowCreated);
  RegisterColourModeHook(kDerivedImagesColourRank, "menu derived images", RebuildDerivedMenuImages);
  RegisterColourModeHook(kMenuBackgroundsColourRank, "menu backgrounds", ClearMenuBackgrounds);
  RegisterTeardown(kMenuTeardownRank, "menus", FreeAllMenus);
}

}  // namespace lumora
