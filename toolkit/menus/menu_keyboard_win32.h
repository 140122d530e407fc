// Keyboard access to menu bars: Alt or F10 highlights the first title of the
// active window's menu bar and gives the bar the keyboard focus; arrows move
// between titles, Down or Enter open one, a title's mnemonic opens it, and
// the same key, Esc or any other key leaves the mode again.
#pragma once
#include <windows.h>

namespace lumora {

// Installs the keyboard hook on the calling thread, once.
void InstallMenuKeyboardHook();
// F10 enters the mode unless switched off here.
void SetMenuF10Enabled(bool enabled);
bool MenuF10Enabled();
// True while a menu bar is in keyboard mode.
bool MenuKeyboardModeActive();
// Leaves keyboard mode (a menu opened from it has closed).
void LeaveMenuKeyboardMode();
// For tear-down.
void ResetMenuKeyboard();

}  // namespace lumora
