#include "app/printing/printer_win32.h"

#include <commdlg.h>

#include <thread>

#include "platform/dll_function_win32.h"
#include "platform/error_log.h"
#include "platform/error_log_win32.h"

namespace tavrel {
namespace {

constexpr DWORD kPrinterNameLength = 2305;

// What the dialog was last confirmed with, handed back to it next time.
platform::UniqueGlobalMemory g_chosen_mode;
platform::UniqueGlobalMemory g_chosen_names;

std::wstring DefaultPrinterName(HMODULE winspool) {
  using GetDefaultPrinterFn = BOOL(WINAPI*)(LPWSTR, LPDWORD);
  if (auto get = platform::DllFunction<GetDefaultPrinterFn>(winspool, "GetDefaultPrinterW")) {
    std::wstring name(kPrinterNameLength, L'\0');
    DWORD size = kPrinterNameLength;
    if (get(name.data(), &size)) return name.c_str();
  }
  // "name,driver,port" in the profile.
  std::wstring device(kPrinterNameLength, L'\0');
  GetProfileStringW(L"windows", L"device", L"", device.data(), kPrinterNameLength);
  device.resize(device.find(L'\0'));
  return device.substr(0, device.find(L','));
}

}  // namespace

bool FindDefaultPrinter() {
  // Held until the context exists: the printer driver uses the same library.
  const platform::UniqueModule winspool{LoadLibraryW(L"Winspool.drv")};
  const std::wstring name = DefaultPrinterName(winspool.get());
  if (name.empty()) return false;
  const platform::UniquePrinterDc dc{CreateDCW(L"WINSPOOL", name.c_str(), nullptr, nullptr)};
  return static_cast<bool>(dc);
}

void FindDefaultPrinterInBackground(HWND window) {
  auto look_up = [window] {
    bool found = false;
    try {
      found = FindDefaultPrinter();
    } catch (...) {
      platform::LogCurrentException("printer look-up");
    }
    PostMessageW(window, WM_TAVREL_PRINTERFOUND, found ? 1 : 0, 0);
  };
  try {
    // Not joined: a printing system that does not answer must not keep the
    // program from ending.
    std::thread(look_up).detach();
  } catch (...) {
    platform::LogCurrentException("printer look-up thread");
    look_up();
  }
}

PrintDialogResult ShowPrintDialog(HWND owner) {
  PrintDialogResult result;
  for (int attempt = 0; attempt < 2; ++attempt) {
    PRINTDLGW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    // The dialog may free these and return others: they are its until it
    // returns.
    dialog.hDevMode = g_chosen_mode.release();
    dialog.hDevNames = g_chosen_names.release();
    // The whole text is printed once per job whatever the dialog says, so
    // it offers no page range, no selection and no printing to a file.
    dialog.Flags = PD_RETURNDC | PD_USEDEVMODECOPIESANDCOLLATE | PD_NOPAGENUMS | PD_NOSELECTION | PD_HIDEPRINTTOFILE;
    dialog.nFromPage = 1;
    dialog.nToPage = 1;
    dialog.nMinPage = 1;
    dialog.nMaxPage = 65535;
    dialog.nCopies = 1;
    const bool had_choice = dialog.hDevMode || dialog.hDevNames;
    const BOOL confirmed = PrintDlgW(&dialog);
    g_chosen_mode.reset(dialog.hDevMode);
    g_chosen_names.reset(dialog.hDevNames);
    if (confirmed) {
      result.dc.reset(dialog.hDC);
      result.failed = !result.dc;
      return result;
    }
    const DWORD error = CommDlgExtendedError();
    if (error == 0) return result;  // cancelled
    platform::LogError(L"print dialog: error " + std::to_wstring(error));
    // The printer chosen last time may be gone: once more on the default one.
    if (!had_choice) break;
    ForgetChosenPrinter();
  }
  result.failed = true;
  return result;
}

void ForgetChosenPrinter() {
  g_chosen_mode.reset();
  g_chosen_names.reset();
}

int PrintableWidth(HDC printer) { return printer ? GetDeviceCaps(printer, HORZRES) : 0; }

int PrintableHeight(HDC printer) { return printer ? GetDeviceCaps(printer, VERTRES) : 0; }

bool PrinterJob::Start(const std::wstring& name) {
  DOCINFOW info{};
  info.cbSize = sizeof info;
  info.lpszDocName = name.c_str();
  if (StartDocW(dc_, &info) <= 0) {
    platform::LogWin32Failure("StartDoc");
    return false;
  }
  started_ = true;
  if (StartPage(dc_) > 0) return true;
  platform::LogWin32Failure("StartPage");
  return false;
}

bool PrinterJob::NextPage() {
  const int saved = SaveDC(dc_);
  const bool ok = EndPage(dc_) > 0 && StartPage(dc_) > 0;
  if (!ok) platform::LogWin32Failure("EndPage / StartPage");
  if (saved) RestoreDC(dc_, saved);
  return ok;
}

bool PrinterJob::End() {
  if (!started_) return false;
  if (EndPage(dc_) <= 0 || EndDoc(dc_) <= 0) return false;
  started_ = false;
  return true;
}

void PrinterJob::Abort() {
  if (started_) AbortDoc(dc_);
  started_ = false;
}

}  // namespace tavrel
