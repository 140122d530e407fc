#include "app/printing/print_document_win32.h"

#include "app/document/document_hooks.h"
#include "app/document/document_messages.h"
#include "app/document/document_naming.h"
#include "app/shell/editor_state.h"
#include "app/shell/editor_windows.h"
#include "app/printing/printer_win32.h"
#include "app/shell/scintilla_messages.h"
#include "platform/error_log.h"

namespace tavrel {

bool AcceptPrinterLookup(bool found) {
  if (g_editor.printer_decided) return false;
  g_editor.printer_decided = true;
  g_editor.printer_available = found;
  return true;
}

PageLoopEnd PrintPagesOn(HDC printer, int width, int height, const std::function<bool()>& next_page) {
  Sci_RangeToFormatFull request{};
  request.hdc = printer;
  request.hdcTarget = printer;
  request.rc = {0, 0, width, height};
  request.rcPage = request.rc;
  request.chrg.cpMin = 0;
  request.chrg.cpMax = SendEditor(SCI_GETTEXTLENGTH);
  const PageLoopEnd end = RunPageLoop(
      request.chrg.cpMax,
      [&request](int64_t start) -> int64_t {
        request.chrg.cpMin = start;
        return SendEditor(SCI_FORMATRANGEFULL, 1, reinterpret_cast<intptr_t>(&request));
      },
      next_page);
  // A request of none tells the component the job is over.
  SendEditor(SCI_FORMATRANGEFULL, 0, 0);
  return end;
}

void PrintDocument() {
  if (!g_editor.printer_available) return;
  const std::wstring name = FileNamePart(g_editor.document_path);
  PrintDialogResult chosen = ShowPrintDialog(g_editor.main_window);
  bool printed = false;
  if (HDC printer = chosen.dc.get()) {
    PrinterJob job(printer);
    printed = job.Start(name) &&
              PrintPagesOn(printer, PrintableWidth(printer), PrintableHeight(printer),
                           [&job] { return job.NextPage(); }) == PageLoopEnd::kDone &&
              job.End();
    if (!printed) job.Abort();
  } else if (!chosen.failed) {
    return;  // cancelled
  }
  if (!printed) {
    platform::LogError(L"printing " + name + L" failed");
    g_document_hooks.show_message(CouldNotPrintMessage(name));
  }
}

void ChoosePrinter() {
  if (!g_editor.printer_available) return;
  if (ShowPrintDialog(g_editor.main_window).failed) platform::LogError(L"the print dialog failed");
}

}  // namespace tavrel
