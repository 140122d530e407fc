// The editor's one process-wide record: the document path, the built-in
// settings, the windows the editor talks to, the search state, the
// recent-file slots and the image table.
// Every part of the editor reads and writes it directly; it lives on the
// user-interface thread only and is never locked.
#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "app/document/file_stamp.h"

// The platform's window handle type, named without the platform's headers
// so that this record stays free of them; it is the same type as HWND.
struct HWND__;

namespace tavrel {

using WindowHandle = HWND__*;
// An icon or bitmap handle as the toolkit's image loader returns it.
using ImageHandle = void*;

// The value of the document path that marks a document never saved.
inline constexpr wchar_t kUntitledPath[] = L"Untitled";

inline constexpr int kRecentFileSlots = 10;
inline constexpr int kImageTableSize = 101;

struct ImageSet {
  ImageHandle normal = nullptr;
  ImageHandle hot = nullptr;
  ImageHandle pressed = nullptr;
  ImageHandle disabled = nullptr;
};

struct EditorState {
  // Document and settings. Flags hold 0 or 1.
  std::wstring document_path = kUntitledPath;
  // The document's file as the editor last read or wrote it; none while
  // the document has no file or the system would not describe it.
  std::optional<FileStamp> document_stamp;
  int64_t bar_style = 0x2000000;
  std::wstring font_name = L"Lucida Console";
  int64_t font_size = 10;
  int64_t symbol_margin_width = 14;
  // Whether a default printer exists is found out once, after the window
  // is shown; until that answer has arrived no printer is available.
  int64_t printer_available = 0;
  int64_t printer_decided = 0;
  int64_t spell_check_on = 0;
  // Spelling: the open dictionary (null while none is open or it is still
  // being opened), and the misspelt word the context menu was last opened
  // on, with its byte positions (end exclusive).
  void* spelling_dictionary = nullptr;
  std::wstring context_word;
  int32_t context_word_start = 0;
  int32_t context_word_end = 0;

  // Windows. The main window is window 0, whose title shows the document.
  WindowHandle main_window = nullptr;
  WindowHandle editor_control = nullptr;
  int64_t search_band_id = 0;

  // The clipboard as last seen (Paste's enabled rule reads it), and the
  // line-number margin as last measured.
  int64_t clipboard_has_text = 0;
  WindowHandle next_clipboard_viewer = nullptr;
  int64_t last_line_count = 0;
  int64_t last_number_width = 0;

  // Search strip: the field's text as last read, the previous search and
  // the current match (0-based); last match index is the number of matches
  // minus one (-1 when there were none).
  std::wstring search_text;
  int64_t document_length = 0;
  std::wstring last_search_text;
  int64_t current_match_index = 0;
  int64_t last_match_index = 0;

  // The recent files as the menu shows them, and the ones this run opened
  // or saved, newest first: other copies of the editor write the same list
  // file, and what this run used goes on top of what they wrote.
  std::array<std::wstring, kRecentFileSlots> recent_files;
  std::array<std::wstring, kRecentFileSlots> recent_files_used;
  std::array<ImageSet, kImageTableSize> images;  // not owned: LoadImages keeps them
};

extern EditorState g_editor;

// Back to the start-up values: every field empty or zero except the
// built-in defaults above.
void ResetEditorState();

}  // namespace tavrel
