#include "toolkit/menus/menu_keyboard_win32.h"

#include <commctrl.h>

#include <string>
#include <utility>
#include <vector>

#include "platform/error_log.h"
#include "platform/error_log_win32.h"
#include "platform/os_handles_win32.h"
#include "toolkit/base/control_subclass_win32.h"
#include "toolkit/base/toolkit_start_win32.h"
#include "toolkit/menus/menu_item_text.h"
#include "toolkit/menus/menu_keyboard_mode.h"
#include "toolkit/menus/menu_records_win32.h"
#include "toolkit/menus/menu_tracking_win32.h"
#include "toolkit/menus/shortcut_dispatch_win32.h"
#include "toolkit/menus/shortcut_text.h"

namespace lumora {
namespace {

platform::UniqueHook g_hook;
bool g_f10_enabled = true;
MenuKeyboardMode g_mode;
HWND g_mode_bar = nullptr;
HWND g_saved_focus = nullptr;

// The first menu bar of the registry, when its window is the active one:
// Alt in a dialog must not wake the main window's menu bar.
HWND FirstMenuBar() {
  HWND bar = nullptr;
  {
    StaleLockGuard guard(MenuLock());
    for (auto& record : Menus().menus) {
      if (record->bar_window() && IsWindow(record->bar_window())) {
        bar = record->bar_window();
        break;
      }
    }
  }
  if (!bar || !IsWindowVisible(bar)) return nullptr;
  HWND active = GetActiveWindow();
  return active && GetAncestor(bar, GA_ROOT) == active ? bar : nullptr;
}

void RepaintNow(HWND bar) { RedrawWindow(bar, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW); }

void Enter() {
  g_mode_bar = FirstMenuBar();
  if (!g_mode_bar) {
    g_mode.Leave();
    return;
  }
  g_saved_focus = GetFocus();
  SetFocus(g_mode_bar);
  SendMessageW(g_mode_bar, TB_SETHOTITEM, 0, 0);
  RepaintNow(g_mode_bar);
}

void Leave() {
  g_mode.Leave();
  HWND bar = g_mode_bar;
  HWND focus = g_saved_focus;
  g_mode_bar = nullptr;
  g_saved_focus = nullptr;
  if (bar && IsWindow(bar)) {
    SendMessageW(bar, TB_SETHOTITEM, static_cast<WPARAM>(-1), 0);
    RepaintNow(bar);
  }
  if (focus && IsWindow(focus)) SetFocus(focus);
}

// The focus went elsewhere (a click into the window): the mode ends without
// taking the focus back.
// Seen through the toolkit's procedure on the bar, which is a skinned tool
// bar; the message then goes on to the bar.
bool OnBarMessage(HWND window, UINT message, WPARAM, LPARAM, LRESULT*) {
  if (message != WM_KILLFOCUS || !g_mode.active() || !g_mode_bar || window != g_mode_bar) return false;
  g_saved_focus = nullptr;
  Leave();
  return false;
}

// The title of the bar whose label has `key` as its mnemonic, -1 if none.
int TitleWithMnemonic(HWND bar, char16_t key) {
  if (!key) return -1;
  std::vector<std::pair<int, int32_t>> titles;  // index, button id
  {
    StaleLockGuard guard(MenuLock());
    for (auto& record : Menus().menus)
      if (record->bar_window() == bar && record->title_button >= 0)
        titles.emplace_back(record->title_button, record->title_button_id);
  }
  for (const auto& [index, button] : titles) {
    wchar_t text[128] = {};
    SendMessageW(bar, TB_GETBUTTONTEXTW, static_cast<WPARAM>(button), reinterpret_cast<LPARAM>(text));
    text[127] = 0;
    if (MenuMnemonicOf(std::u16string_view(reinterpret_cast<const char16_t*>(text))) == key) return index;
  }
  return -1;
}

void OpenTitle(int index) {
  HWND bar = g_mode_bar;
  // The focus goes back first; the menu returns it there when it closes.
  Leave();
  if (bar && index >= 0) PostOpenMenuBarTitle(bar, index);
}

// True when the key is consumed.
bool OnKey(UINT virtual_key, LPARAM flags) {
  if (MenuTrackingActive()) return false;
  const bool has_bar = g_mode.active() || FirstMenuBar() != nullptr;
  switch (g_mode.OnKey(virtual_key, static_cast<uint32_t>(flags), has_bar, g_f10_enabled)) {
    case MenuKeyAction::kPass:
      return false;
    case MenuKeyAction::kSwallow:
      return true;
    case MenuKeyAction::kEnterMode:
      Enter();
      return g_mode.active();
    case MenuKeyAction::kLeaveMode:
      Leave();
      return true;
    case MenuKeyAction::kLeaveModeAndPass:
      Leave();
      return false;
    case MenuKeyAction::kOpenHotTitle: {
      const int hot = g_mode_bar ? static_cast<int>(SendMessageW(g_mode_bar, TB_GETHOTITEM, 0, 0)) : -1;
      OpenTitle(hot < 0 ? 0 : hot);
      return true;
    }
    case MenuKeyAction::kOtherKey: {
      const char16_t key = ShortcutUpper(static_cast<char16_t>(MapVirtualKeyW(virtual_key, MAPVK_VK_TO_CHAR) & 0xFFFF));
      const int title = TitleWithMnemonic(g_mode_bar, key);
      if (title >= 0) {
        OpenTitle(title);
        return true;
      }
      if (g_mode.OnUnclaimedKey() == MenuKeyAction::kLeaveModeAndPass) Leave();
      return false;
    }
  }
  return false;
}

LRESULT CALLBACK KeyboardHook(int code, WPARAM wparam, LPARAM lparam) {
  const LRESULT next = CallNextHookEx(nullptr, code, wparam, lparam);
  if (code != HC_ACTION || ShortcutsSuspended()) return next;
  try {
    if (OnKey(static_cast<UINT>(wparam), lparam)) return 1;
  } catch (...) {
    // Bit 31 of the key data tells a release from a press.
    platform::LogCurrentException("menu keyboard hook", (lparam & 0x80000000) ? WM_KEYUP : WM_KEYDOWN);
  }
  return next;
}

}  // namespace

void InstallMenuKeyboardHook() {
  RegisterControlMessageHandler(OnBarMessage);
  if (g_hook) return;
  g_hook.reset(SetWindowsHookExW(WH_KEYBOARD, KeyboardHook, nullptr, GetCurrentThreadId()));
  if (!g_hook) platform::LogWin32Failure("SetWindowsHookEx (menu keyboard)");
  RegisterHook(g_hook);
}

void SetMenuF10Enabled(bool enabled) { g_f10_enabled = enabled; }

void LeaveMenuKeyboardMode() {
  if (g_mode.active() || g_mode_bar) Leave();
}

void ResumeMenuKeyboardMode(HWND bar, int title, HWND return_focus) {
  if (!IsWindow(bar)) return;
  g_mode.Resume();
  g_mode_bar = bar;
  g_saved_focus = return_focus;
  SetFocus(bar);
  SendMessageW(bar, TB_SETHOTITEM, static_cast<WPARAM>(title), 0);
  RepaintNow(bar);
}

void ResetMenuKeyboard() {
  g_mode.Leave();
  g_mode_bar = nullptr;
  g_saved_focus = nullptr;
  UnregisterHook(g_hook);
  g_hook.reset();
}

}  // namespace lumora
