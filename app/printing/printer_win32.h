// The printer as the editor uses it: whether a default printer exists, the
// system print dialog that picks the printer for a job, and a job on the
// device context the dialog returns.
#pragma once
#include <windows.h>

#include <string>

#include "platform/os_handles_win32.h"

namespace tavrel {

// Posted to the main window when the default-printer look-up has finished;
// wParam is 1 when a default printer was found, otherwise 0.
inline constexpr UINT WM_TAVREL_PRINTERFOUND = WM_APP + 0x61;

// True when the system names a default printer (GetDefaultPrinterW from
// "Winspool.drv", else the "device" of the profile's "windows" section) and
// a device context can be opened on it. The context is not kept: every job
// gets its own from the print dialog.
bool FindDefaultPrinter();
// The same on a worker thread, which posts WM_TAVREL_PRINTERFOUND to
// window: asking the printing system can take long, and the window must
// not wait for it.
void FindDefaultPrinterInBackground(HWND window);

struct PrintDialogResult {
  platform::UniquePrinterDc dc;  // none when cancelled or failed
  bool failed = false;           // the dialog could not be shown or could not make a context
};
// The system print dialog over owner, for the whole document, copies and
// collation left to the printer. It opens on the printer and settings
// chosen the last time it was confirmed.
PrintDialogResult ShowPrintDialog(HWND owner);
// Forgets the printer the dialog last confirmed.
void ForgetChosenPrinter();

// Pixels of the printable area, HORZRES and VERTRES.
int PrintableWidth(HDC printer);
int PrintableHeight(HDC printer);

// A document being sent to a printer context, from its first page on. A
// job that was started but not ended is aborted when it goes away, so that
// nothing half-printed is left in the queue.
class PrinterJob {
 public:
  explicit PrinterJob(HDC printer) : dc_(printer) {}
  ~PrinterJob() { Abort(); }
  PrinterJob(const PrinterJob&) = delete;
  PrinterJob& operator=(const PrinterJob&) = delete;

  // Starts the document under this name and its first page.
  bool Start(const std::wstring& name);
  // Ends the page and starts the next; what is selected into the context
  // and its colours and modes stay as they were.
  bool NextPage();
  // Ends the last page and the document.
  bool End();
  void Abort();

 private:
  HDC dc_;
  bool started_ = false;
};

}  // namespace tavrel
