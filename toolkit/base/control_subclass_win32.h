// The toolkit's procedure on standard controls and on windows handed to the
// toolkit: the window-creation hook installs it on the controls of
// the classes the toolkit skins as they are created, and AdoptWindow on any
// window a component asks for (a window given size limits, a rebar). Size
// limits and rebar height tracking answer their messages through handlers
// registered here.
#pragma once
#include <windows.h>

namespace lumora {

// Returns true when the message was handled; *result is then returned and
// the kept procedure is not called.
using ControlMessageHandler = bool (*)(HWND window, UINT message, WPARAM wparam, LPARAM lparam,
                                       LRESULT* result);

void RegisterControlMessageHandler(ControlMessageHandler handler);
// Starts watching window creation on the calling thread (idempotent).
void EnableControlSubclassing();
// Subclasses an existing window now; false for a window of another process
// or one the toolkit's bar procedure already owns.
bool AdoptWindow(HWND window);
bool IsControlSubclassed(HWND window);
// The bar procedure replaces this one on windows that host bars and runs
// the control handlers itself through this.
bool RunControlMessageHandlers(HWND window, UINT message, WPARAM wparam, LPARAM lparam, LRESULT* result);

}  // namespace lumora
