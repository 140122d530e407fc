#pragma once
// Numbers of the resources built into Tavrel.exe (app/shell/tavrel.rc); the
// resource compiler reads this file too, so it holds only #defines.

// The program's icon: Explorer shows the first icon of the file, and the
// main window's class uses it for its large and small icons.
#define IDI_TAVREL 1
