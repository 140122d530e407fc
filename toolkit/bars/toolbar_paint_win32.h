// Custom drawing of the toolkit's tool bars: separators and themed buttons
// of plain tool bars, and every item of tool bars in the UI styles.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include "toolkit/bars/toolbar_registry_win32.h"

namespace lumora {

// The answer to NM_CUSTOMDRAW from the tool bar.
LRESULT ToolbarCustomDraw(ToolbarRecord& toolbar, NMTBCUSTOMDRAW& draw);

// Where the open-menu painter is kept (set through the tool-bar interface).
void SetOpenMenuPainterForPaint(void (*painter)(HWND, HDC, const RECT&));

}  // namespace lumora
