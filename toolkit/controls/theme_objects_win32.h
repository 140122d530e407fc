// The GDI objects panels and the controls on them keep for drawing in the
// colours of the current theme: solid brushes, made on first use and kept,
// since a page repaints in the same few colours many times. A theme change
// drops them all (WM_THEMECHANGED reaching a panel or page), so nothing
// drawn afterwards uses an object of the old theme. User-interface thread
// only.
#pragma once
#include <windows.h>

#include <cstddef>

namespace lumora {

// The cached solid brush of the colour; null when none can be made. Owned
// by the cache: valid until the next DropThemeObjects.
HBRUSH ThemeBrush(COLORREF colour);

// Deletes every cached object and empties the cache.
void DropThemeObjects();

// How many objects the cache holds, for tests.
size_t ThemeObjectCount();

}  // namespace lumora
