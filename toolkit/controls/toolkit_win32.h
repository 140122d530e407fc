// The toolkit's entry points for programs. Start-up itself lives in the
// bottom layer (toolkit/base/toolkit_start_win32.h), which cannot name the
// layers above it; these connect them and must sit in the top layer, so they
// move up whenever a new layer comes to lie above this one.
#pragma once
#ifndef _WIN32
#error "toolkit_win32.h is Win32 glue"
#endif

#include "toolkit/base/toolkit_start_win32.h"

namespace lumora {

// InitToolkit and StartToolkit of the bottom layer, with every layer's
// start-up steps; ShutdownToolkit needs none (each component registers its
// own tear-down).
void InitToolkit();
void StartToolkit();

}  // namespace lumora
