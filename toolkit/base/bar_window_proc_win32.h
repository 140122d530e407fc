// The one toolkit procedure installed on windows that host toolkit bars and
// menu bars. Tool bars, the rebar and the menus each answer their own
// messages (custom draw, tooltips, height changes, menu commands) through
// handlers registered here, so a parent is subclassed once however many
// toolkit elements it hosts.
#pragma once
#include <windows.h>

namespace lumora {

// Returns true when the message was handled; *result is then returned.
using BarMessageHandler = bool (*)(HWND window, UINT message, WPARAM wparam, LPARAM lparam, LRESULT* result);

// Handlers run in registration order; registering twice has no effect.
void RegisterBarMessageHandler(BarMessageHandler handler);
// Subclasses window with the bar procedure (once) and adds WS_CLIPCHILDREN.
bool AttachBarWindowProc(HWND window);
bool HasBarWindowProc(HWND window);

}  // namespace lumora
