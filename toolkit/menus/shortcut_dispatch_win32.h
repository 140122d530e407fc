// Keyboard shortcuts of top-level windows, kept by the toolkit instead of
// the platform's accelerator tables. A message hook on the user-interface
// thread turns a matching key press into WM_COMMAND to the top-level window
// and the key message into WM_NULL, so the focused control never sees it.
#pragma once
#include <windows.h>

#include <cstdint>

#include "toolkit/menus/shortcut_table.h"

namespace lumora {

// Registers `shortcut` ("Ctrl+S", "F3") for the top-level window of
// `window` with command `id`; an id of -1 deletes a listed entry for the key
// or, when there is none, adds one that swallows the key. An empty text
// forgets all shortcuts of that window and returns 1. 0 for an unknown key
// name or a missing window, else 1.
int32_t RegisterShortcut(HWND window, int32_t id, const wchar_t* shortcut);

// Registers the shortcut written into a menu item's text after its first
// single "$", if there is one.
void MenuBindShortcut(HWND window, int32_t id, const wchar_t* text);
// As MenuBindShortcut with an explicit mode: a disabled item blocks its key
// (ShortcutTable::Mode::kBlock), so the key still never reaches a control.
void BindItemShortcut(HWND window, int32_t id, const wchar_t* text, ShortcutTable::Mode mode);

// While true the shortcut hook and the menu-bar keyboard hook let every
// key through untouched.
void SetShortcutsSuspended(bool suspended);
bool ShortcutsSuspended();
// While true menu items register no shortcuts from their texts.
void SetMenuTextShortcutsOff(bool off);

// The modifiers the hook believes held are forgotten (the window lost the
// keyboard, so their releases go elsewhere).
void ResetHeldShortcutModifiers();
// For tear-down: forgets every shortcut and that the hook was installed
// (the toolkit's shut-down removes the hook itself).
void ResetShortcutDispatch();

}  // namespace lumora
