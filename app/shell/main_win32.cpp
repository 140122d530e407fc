// The program: start-up in a fixed order, the event loop, and shut-down.
#include <windows.h>

#include "app/shell/command_dispatch_win32.h"
#include "app/shell/command_ids.h"
#include "app/document/document_files.h"
#include "app/document/document_hooks.h"
#include "app/shell/editor_state.h"
#include "app/shell/main_window_win32.h"
#include "app/printing/printer_win32.h"
#include "app/recent/recent_files_win32.h"
#include "app/search/search_strip_win32.h"
#include "app/spelling/spell_check_win32.h"
#include "app/spelling/spelling_library_win32.h"
#include "platform/startup_trace_win32.h"
#include "toolkit/base/screen_dpi_win32.h"
#include "toolkit/controls/toolkit_win32.h"
#include "toolkit/style/colour_mode.h"
#include "toolkit/style/ui_style.h"

namespace {

using namespace tavrel;

// Messages reach the editor's callback only once it is installed, after
// the window is built.
WNDPROC g_callback = nullptr;

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (g_callback) return g_callback(window, message, wparam, lparam);
  return DefWindowProcW(window, message, wparam, lparam);
}

// A Ctrl+letter that no command takes is translated into a control
// character, which the editing component would insert as text (Ctrl+N
// would write 0x0E into the file). Keys that edit without Ctrl (Tab,
// Return, Backspace) are untouched.
bool IsStrayControlCharacter(const MSG& msg) {
  return msg.message == WM_CHAR && msg.wParam < 0x20 && msg.hwnd == g_editor.editor_control &&
         GetKeyState(VK_CONTROL) < 0;
}

void RunEventLoop() {
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (IsStrayControlCharacter(msg) || HandleSearchFieldEvent(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
    // The component has placed the caret (or kept the selection it was
    // pressed in) by now; the context menu opens over that.
    if (msg.message == WM_RBUTTONDOWN && msg.hwnd == g_editor.editor_control && g_callback)
      g_callback(g_editor.main_window, WM_RBUTTONDOWN, 0, 0);
  }
}

// The steps that wait until the window is shown and painted, in this order,
// before the event loop starts: the recent files go into the File menu,
// which is closed; the dictionary is needed once spell checking is switched
// on; clipboard monitoring reports later changes; the printer look-up
// answers by message, which enables Print. Work that the first window does
// not show belongs here, where it does not hold the window back.
void AfterShown(HWND window) {
  LoadRecentFiles();
  platform::StartupMark("recent-files");
  // The dictionary opens on a worker thread (spell checking starts switched
  // off, and the toggle waits for it). A missing library is reported now,
  // in a box over the window it belongs to.
  SpellInitInBackground(kDictionaryPath);
  platform::StartupMark("dictionary-started");
  StartClipboardMonitor(window);
  platform::StartupMark("clipboard-monitor");
  // Asking the printing system can take long: the answer arrives as a
  // message, and the command-state refresh then enables Print.
  FindDefaultPrinterInBackground(window);
  platform::StartupMark("printer-look-up-started");
}

// The first of the program's static constructors: what lies between the
// launch and this mark is the system's (process creation, DLL loading); what
// follows up to "entry" is the program's static initialisation.
struct FirstConstructor {
  FirstConstructor() { platform::StartupMark("static-init"); }
} g_first_constructor __attribute__((init_priority(101)));

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  platform::StartupMark("entry");
  // Before any window or screen reading: the layout follows the screen's
  // DPI itself, and the system must not stretch it on top.
  lumora::DeclareDpiAwareness();
  ResetEditorState();
  lumora::InitToolkit();
  platform::StartupMark("toolkit-initialised");
  lumora::StartToolkit();
  platform::StartupMark("toolkit-started");
  g_editor.document_path = L"Untitled";
  g_editor.bar_style = lumora::UISTYLE_OFFICE2007;
  lumora::SetUIColourMode(lumora::UICOLOURMODE_DEFAULT_GREY);
  StartLoadingImages();
  g_document_hooks.check_spelling_document = CheckSpellingDocument;
  if (!BuildMainWindow(instance, MainWindowProc)) {
    lumora::ShutdownToolkit();
    FreeMainWindowResources();
    return 0;
  }
  platform::StartupMark("window-built");
  g_callback = MainWindowCallback;
  g_document_hooks.add_recent_file = AddRecentFile;
  HWND window = MainWindow();
  ShowWindow(window, SW_SHOW);
  platform::StartupMark("shown");
  UpdateWindow(window);
  platform::StartupMark("painted");
  AfterShown(window);
  platform::StartupMark("event-loop");
  platform::WriteStartupTrace();
  RunEventLoop();
  StopClipboardMonitor(window);
  ShowWindow(window, SW_HIDE);
  SaveRecentFiles();
  SpellFree();
  lumora::ShutdownToolkit();
  FreeMainWindowResources();
  return 0;
}
