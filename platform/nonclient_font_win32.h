// The fonts the system uses for its own menus, captions and messages.
#pragma once
#include <windows.h>

namespace platform {

// A new font like the system's, chosen by its field in the non-client
// metrics (&NONCLIENTMETRICSW::lfMenuFont, ::lfMessageFont...). The caller
// owns it; null when the metrics cannot be read.
HFONT CreateNonClientFont(LOGFONTW NONCLIENTMETRICSW::*which);

}  // namespace platform
