#include "toolkit/menus/shortcut_dispatch_win32.h"

#include <string_view>

#include "platform/error_log.h"
#include "platform/error_log_win32.h"
#include "platform/os_handles_win32.h"
#include "toolkit/base/toolkit_start_win32.h"
#include "toolkit/menus/menu_tracking_win32.h"
#include "toolkit/menus/shortcut_text.h"

namespace lumora {
namespace {

platform::UniqueHook g_hook;
bool g_suspended = false;
bool g_text_shortcuts_off = false;
HeldModifiers g_held;

std::u16string_view View(const wchar_t* text) {
  return text ? std::u16string_view(reinterpret_cast<const char16_t*>(text)) : std::u16string_view();
}

uint64_t KeyOf(HWND top_level) { return static_cast<uint64_t>(reinterpret_cast<uintptr_t>(top_level)); }

HWND TopLevelOf(HWND window) {
  HWND root = GetAncestor(window, GA_ROOT);
  return root ? root : window;
}

// Looks the key up for the window that received it and, failing that, for
// the active window of the thread. On a match the message is voided.
void Dispatch(MSG& msg, int64_t held) {
  if (!msg.hwnd) return;
  const auto virtual_key = static_cast<uint32_t>(msg.wParam);
  const uint32_t character = ShortcutUpper(static_cast<char16_t>(MapVirtualKeyW(virtual_key, MAPVK_VK_TO_CHAR) & 0xFFFF));
  HWND target = TopLevelOf(msg.hwnd);
  auto found = Shortcuts().Find(KeyOf(target), virtual_key, character, held);
  if (!found) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (GetGUIThreadInfo(GetCurrentThreadId(), &info) && info.hwndActive) {
      HWND active = TopLevelOf(info.hwndActive);
      if (active != target) {
        found = Shortcuts().Find(KeyOf(active), virtual_key, character, held);
        target = active;
      }
    }
  }
  if (!found) return;
  msg.message = WM_NULL;
  if (found->command != kBlockedShortcut)
    SendMessageW(target, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(found->command), 0), 0);
}

void OnMessage(MSG& msg) {
  switch (msg.message) {
    case WM_KEYDOWN:
      if (!g_held.OnKeyDown(static_cast<uint32_t>(msg.wParam))) Dispatch(msg, g_held.flags());
      break;
    case WM_KEYUP:
    case WM_SYSKEYUP:
      g_held.OnKeyUp(static_cast<uint32_t>(msg.wParam));
      break;
    case WM_SYSKEYDOWN:
      if (msg.wParam == VK_MENU) {
        g_held.OnKeyDown(VK_MENU);
      } else if (!g_held.OnKeyDown(static_cast<uint32_t>(msg.wParam)) && (msg.lParam & (1 << 29))) {
        Dispatch(msg, g_held.flags() | SHORTCUT_ALT);
      }
      break;
    default:
      break;
  }
}

LRESULT CALLBACK GetMessageHook(int code, WPARAM removal, LPARAM lparam) {
  // Only messages leaving the queue count; a peek that leaves the message
  // in place would otherwise fire the command twice.
  if (code == HC_ACTION && removal == PM_REMOVE && lparam && !g_suspended) {
    MSG& msg = *reinterpret_cast<MSG*>(lparam);
    try {
      // Inside an open menu keys belong to the menu.
      if (!MenuTrackingActive()) OnMessage(msg);
    } catch (...) {
      platform::LogCurrentException("shortcut hook", msg.message);
    }
  }
  return CallNextHookEx(nullptr, code, removal, lparam);
}

void EnsureHook() {
  if (g_hook) return;
  g_hook.reset(SetWindowsHookExW(WH_GETMESSAGE, GetMessageHook, nullptr, GetCurrentThreadId()));
  if (!g_hook) platform::LogWin32Failure("SetWindowsHookEx (shortcuts)");
  RegisterHook(g_hook);
}

int32_t Register(HWND window, int32_t id, const wchar_t* shortcut, ShortcutTable::Mode mode) {
  if (!window || !IsWindow(window)) return 0;
  const uint64_t key = KeyOf(TopLevelOf(window));
  const std::u16string_view text = View(shortcut);
  if (text.empty()) {
    Shortcuts().Clear(key);
    return 1;
  }
  const auto parsed = ParseShortcut(text);
  if (!parsed) return 0;
  Shortcuts().Set(key, ShortcutRecord{parsed->key, parsed->flags, static_cast<int16_t>(id)}, mode);
  EnsureHook();
  return 1;
}

}  // namespace

int32_t RegisterShortcut(HWND window, int32_t id, const wchar_t* shortcut) {
  return Register(window, id, shortcut, ShortcutTable::Mode::kRegister);
}

void BindItemShortcut(HWND window, int32_t id, const wchar_t* text, ShortcutTable::Mode mode) {
  if (g_text_shortcuts_off || !window) return;
  const auto part = ShortcutPartOf(View(text));
  if (!part) return;
  const std::wstring shortcut(part->begin(), part->end());
  Register(window, id, shortcut.c_str(), mode);
}

void MenuBindShortcut(HWND window, int32_t id, const wchar_t* text) {
  BindItemShortcut(window, id, text, ShortcutTable::Mode::kRegister);
}

void SetShortcutsSuspended(bool suspended) { g_suspended = suspended; }
bool ShortcutsSuspended() { return g_suspended; }
void SetMenuTextShortcutsOff(bool off) { g_text_shortcuts_off = off; }
void ResetHeldShortcutModifiers() { g_held.Reset(); }

void ResetShortcutDispatch() {
  Shortcuts().ClearAll();
  g_held.Reset();
  UnregisterHook(g_hook);
  g_hook.reset();
}

}  // namespace lumora
