// The rebar's answers to window messages: notifications reaching the
// rebar's parent through the bar window procedure (layout, band drags,
// chevrons, custom drawing), and messages of the rebar window itself
// through the control procedure (height changes, background erasing).
#pragma once
#ifndef _WIN32
#error "rebar_messages_win32.h is Win32 glue"
#endif
#include <windows.h>

#include <cstdint>

namespace lumora {

bool RebarParentMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam, LRESULT* result);
bool RebarWindowMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam, LRESULT* result);

// Tells the rebar's root window and then its parent the new height.
void SendRebarHeight(HWND rebar, int32_t height);

}  // namespace lumora
