#include "app/view_options_win32.h"

#include <windows.h>
#include <commdlg.h>

#include <cstdio>
#include <string>

#include "app/command_ids.h"
#include "app/editor_state.h"
#include "app/scintilla_messages.h"
#include "app/text_encoding.h"
#include "toolkit/menus/menu_win32.h"
#include "toolkit/menus/shortcut_dispatch_win32.h"

namespace tavrel {
namespace {

LRESULT Sci(UINT message, WPARAM wparam = 0, LPARAM lparam = 0) {
  HWND editor = g_editor.editor_control;
  return editor ? SendMessageW(editor, message, wparam, lparam) : 0;
}

// Width of "_" and the digits of the line count in the line-number style;
// the underscore pads by one character.
LRESULT NumberWidth(LRESULT lines) {
  char sample[32];
  snprintf(sample, sizeof sample, "_%lld", static_cast<long long>(lines));
  return Sci(SCI_TEXTWIDTH, STYLE_LINENUMBER, reinterpret_cast<LPARAM>(sample));
}

FontDialogFn g_font_dialog = ChooseFontW;

}  // namespace

void SetFontDialogForTesting(FontDialogFn dialog) { g_font_dialog = dialog ? dialog : ChooseFontW; }

void ToggleWordWrap() {
  if (Sci(SCI_GETWRAPMODE) == 0) {
    Sci(SCI_SETWRAPMODE, 1);
    lumora::MenuSetItemState(kMainMenu, CMD_WORD_WRAP, 1);
  } else {
    Sci(SCI_SETWRAPMODE, 0);
    lumora::MenuSetItemState(kMainMenu, CMD_WORD_WRAP, 0);
  }
}

void ToggleLineNumbers() {
  EditorState& s = g_editor;
  if (Sci(SCI_GETMARGINWIDTHN, 0) != 0) {
    Sci(SCI_SETMARGINWIDTHN, 0, 0);
    Sci(SCI_SETMARGINWIDTHN, 1, static_cast<LPARAM>(s.symbol_margin_width));
    lumora::MenuSetItemState(kMainMenu, CMD_LINE_NUMBERS, 0);
  } else {
    const LRESULT lines = Sci(SCI_GETLINECOUNT);
    const LRESULT width = NumberWidth(lines);
    Sci(SCI_SETMARGINWIDTHN, 0, width);
    Sci(SCI_SETMARGINWIDTHN, 1, 10);
    // Measured afresh: the next resize compares against this.
    s.last_line_count = lines;
    s.last_number_width = width;
    lumora::MenuSetItemState(kMainMenu, CMD_LINE_NUMBERS, 1);
  }
}

void ResizeLineNumberMargin() {
  EditorState& s = g_editor;
  if (Sci(SCI_GETMARGINWIDTHN, 0) <= 0) return;
  const LRESULT lines = Sci(SCI_GETLINECOUNT);
  if (lines == s.last_line_count) return;
  const LRESULT width = NumberWidth(lines);
  if (width != s.last_number_width) {
    Sci(SCI_SETMARGINWIDTHN, 0, width);
    s.last_number_width = width;
  }
  s.last_line_count = lines;
}

void ChooseEditorFont() {
  EditorState& s = g_editor;
  LOGFONTW font{};
  HDC screen = GetDC(nullptr);
  font.lfHeight = -MulDiv(static_cast<int>(s.font_size), GetDeviceCaps(screen, LOGPIXELSY), 72);
  ReleaseDC(nullptr, screen);
  lstrcpynW(font.lfFaceName, s.font_name.c_str(), LF_FACESIZE);
  CHOOSEFONTW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = s.main_window;
  dialog.lpLogFont = &font;
  dialog.Flags = CF_SCREENFONTS | CF_PRINTERFONTS | CF_INITTOLOGFONTSTRUCT;
  if (!g_font_dialog(&dialog)) return;
  s.font_name = font.lfFaceName;
  s.font_size = dialog.iPointSize / 10;
  const std::string face = AnsiFromWide(s.font_name);
  Sci(SCI_STYLESETFONT, STYLE_DEFAULT, reinterpret_cast<LPARAM>(face.c_str()));
  Sci(SCI_STYLESETSIZE, STYLE_DEFAULT, static_cast<LPARAM>(s.font_size));
}

}  // namespace tavrel
