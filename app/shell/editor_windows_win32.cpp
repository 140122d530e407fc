#include <windows.h>

#include <type_traits>

#include "app/shell/editor_state.h"
#include "app/shell/editor_windows.h"

namespace tavrel {

// The editor state names the platform's types without its headers; they
// must be the very same types.
static_assert(std::is_same_v<WindowHandle, HWND>);

intptr_t SendEditor(unsigned message, uintptr_t wparam, intptr_t lparam) {
  if (!g_editor.editor_control) return 0;
  return SendMessageW(g_editor.editor_control, message, wparam, lparam);
}

void SetMainWindowTitle(const std::wstring& title) {
  if (g_editor.main_window) SetWindowTextW(g_editor.main_window, title.c_str());
}

}  // namespace tavrel
