// The print commands: Print (the whole document, on the printer the user
// confirms in the print dialog) and Choose Printer (the dialog alone), and
// the start-up answer that decides once whether they are enabled.
#pragma once
#include <windows.h>

#include <functional>

#include "app/printing/page_loop.h"

namespace tavrel {

// Takes the answer of the default-printer look-up (WM_TAVREL_PRINTERFOUND):
// the first answer of the run sets whether a printer is available; later
// ones change nothing. True when this answer was taken.
bool AcceptPrinterLookup(bool found);

// Prints the document; nothing while no printer is available, whatever
// route the command came by. A job that cannot start or a page that fails
// aborts the job and says so in a box; cancelling the dialog is quiet.
void PrintDocument();
// Shows the print dialog, so that the next job opens on that printer.
void ChoosePrinter();

// Lays the whole text out on pages of width x height pixels of printer,
// drawing each; next_page ends a page and starts the next. The component's
// print layout is released at the end.
PageLoopEnd PrintPagesOn(HDC printer, int width, int height, const std::function<bool()>& next_page);

}  // namespace tavrel
