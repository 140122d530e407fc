// The two windows the editor's commands talk to: the editing component,
// which every SCI_ message goes to, and the main window, whose title names
// the document. Both are taken from the editor state.
#pragma once
#include <cstdint>
#include <string>

namespace tavrel {

// Sends a message to the editing component; 0 while there is none.
intptr_t SendEditor(unsigned message, uintptr_t wparam = 0, intptr_t lparam = 0);

void SetMainWindowTitle(const std::wstring& title);

}  // namespace tavrel
