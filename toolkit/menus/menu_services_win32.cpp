// What every menu needs once per process: its handlers on owner windows,
// the catching of popup-menu windows, colour-mode steps and the tear-down.
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

bool g_ready = false;

void FreeAllMenus() {
  MenuFree(-1);
  DestroyAllDropShadows();
  ResetShortcutDispatch();
  ResetMenuKeyboard();
  g_ready = false;
}

}  // namespace

void EnsureMenuServices() {
  if (g_ready) return;
  g_ready = true;
  RegisterBarMessageHandler(HandleMenuItemMessage);
  RegisterBarMessageHandler(HandleMenuOwnerMessage);
  AddWindowCreationHandler(OnMenuWindowCreated);
  RegisterColourModeHook(ColourModeStep::kDerivedImages, RebuildDerivedMenuImages);
  RegisterColourModeHook(ColourModeStep::kMenuBackgrounds, ClearMenuBackgrounds);
  RegisterTeardown(TeardownStage::kMenus, FreeAllMenus);
}

}  // namespace lumora
