// Keyboard access to menu bars: Alt or F10 highlights the first title of the
// active window's menu bar and gives the bar the keyboard focus; arrows move
// between titles, Down or Enter open one, a title's mnemonic opens it, and
// the same key, Esc or any other key leaves the mode again, as does the
// focus moving elsewhere. Esc in an open menu of the bar comes back to it.
#pragma once
#include <windows.h>

namespace lumora {

// Installs the keyboard hook on the calling thread, once.
void InstallMenuKeyboardHook();
// F10 enters the mode unless switched off here.
void SetMenuF10Enabled(bool enabled);
// Leaves keyboard mode (a menu opened from it has closed).
void LeaveMenuKeyboardMode();
// Esc closed the menu of a title of the bar: the bar stays in keyboard mode
// with that title highlighted and the focus; leaving the mode gives the
// focus back to return_focus.
void ResumeMenuKeyboardMode(HWND bar, int title, HWND return_focus);
// For tear-down.
void ResetMenuKeyboard();

}  // namespace lumora
