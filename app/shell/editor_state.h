// The editor's one process-wide record. Each feature owns its part, declared
// in its own folder (the document, printing, spelling, search and recent
// files); the shell keeps the built-in settings, the windows the editor
// talks to, the clipboard as last seen and the image table. Fields keep
// their names across the parts, so every part is reached as g_editor.NAME.
// It lives on the user-interface thread only and is never locked.
#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "app/document/document_state.h"
#include "app/printing/printing_state.h"
#include "app/recent/recent_state.h"
#include "app/search/search_state.h"
#include "app/spelling/spelling_state.h"

// The platform's window handle type, named without the platform's headers
// so that this record stays free of them; it is the same type as HWND.
struct HWND__;

namespace tavrel {

using WindowHandle = HWND__*;
// An icon or bitmap handle as the toolkit's image loader returns it.
using ImageHandle = void*;

inline constexpr int kImageTableSize = 101;

struct ImageSet {
  ImageHandle normal = nullptr;
  ImageHandle hot = nullptr;
  ImageHandle pressed = nullptr;
  ImageHandle disabled = nullptr;
};

struct EditorState : DocumentState, PrintingState, SpellingState, SearchState, RecentFilesState {
  // Built-in settings.
  int64_t bar_style = 0x2000000;
  std::wstring font_name = L"Lucida Console";
  int64_t font_size = 10;
  int64_t symbol_margin_width = 14;

  // Windows. The main window is window 0, whose title shows the document.
  WindowHandle main_window = nullptr;
  WindowHandle editor_control = nullptr;

  // The clipboard as last seen (Paste's enabled rule reads it), and the
  // line-number margin as last measured.
  bool clipboard_has_text = false;
  WindowHandle next_clipboard_viewer = nullptr;
  int64_t last_line_count = 0;
  int64_t last_number_width = 0;

  std::array<ImageSet, kImageTableSize> images;  // not owned: LoadImages keeps them
};

extern EditorState g_editor;

// Back to the start-up values: every field empty or zero except the
// built-in defaults above.
void ResetEditorState();

}  // namespace tavrel
