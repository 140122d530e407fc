#include "app/shell/view_options_win32.h"

#include <windows.h>
#include <commdlg.h>

#include <cstdio>
#include <string>

#include "app/shell/editor_state.h"
#include "app/shell/editor_windows.h"
#include "app/shell/scintilla_messages.h"
#include "app/shell/text_encoding.h"
#include "platform/os_handles_win32.h"
#include "toolkit/base/platform_caps_win32.h"

namespace tavrel {
namespace {

// Width of "_" and the digits of the line count in the line-number style;
// the underscore pads by one character.
LRESULT NumberWidth(LRESULT lines) {
  char sample[32];
  snprintf(sample, sizeof sample, "_%lld", static_cast<long long>(lines));
  return SendEditor(SCI_TEXTWIDTH, STYLE_LINENUMBER, reinterpret_cast<LPARAM>(sample));
}

FontDialogFn g_font_dialog = ChooseFontW;

int ScreenDpi() {
  const platform::WindowDc screen(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 96;
  return dpi > 0 ? dpi : 96;
}

// The face the system really draws with when asked for face at height: the
// face itself when installed, otherwise what it substitutes.
std::wstring FaceInUse(const std::wstring& face, int height) {
  LOGFONTW wanted{};
  wanted.lfHeight = height;
  wanted.lfWeight = FW_NORMAL;
  wanted.lfCharSet = DEFAULT_CHARSET;
  lstrcpynW(wanted.lfFaceName, face.c_str(), LF_FACESIZE);
  std::wstring used = face;
  const platform::UniqueFont created(CreateFontIndirectW(&wanted));
  const platform::WindowDc screen(nullptr);
  if (created && screen) {
    const platform::SelectGuard selected(screen.get(), created.get());
    wchar_t name[LF_FACESIZE] = {};
    if (GetTextFaceW(screen.get(), LF_FACESIZE, name) > 0 && name[0]) used = name;
  }
  return used;
}

// Rewrapping changes how many screen lines lie above the caret, and the
// component wraps lazily, from the top of the view, when it paints. So the
// caret's line goes to the top, a paint wraps it, and the view follows the
// caret down that line. A paint can change the layout again (a scroll bar
// that comes or goes narrows the text), so this repeats until nothing is
// left to paint. Wrapping the whole document first would be exact but takes
// seconds on a large file.
void KeepCaretInViewAfterRewrap() {
  const LRESULT line = SendEditor(SCI_LINEFROMPOSITION, static_cast<WPARAM>(SendEditor(SCI_GETCURRENTPOS)));
  SendEditor(SCI_SETFIRSTVISIBLELINE, static_cast<WPARAM>(SendEditor(SCI_VISIBLEFROMDOCLINE, static_cast<WPARAM>(line))));
  HWND editor = g_editor.editor_control;
  for (int pass = 0; pass < 4; ++pass) {
    if (editor) UpdateWindow(editor);
    SendEditor(SCI_SCROLLCARET);
    if (!editor || !GetUpdateRect(editor, nullptr, FALSE)) break;
  }
}

}  // namespace

void SetFontDialogForTesting(FontDialogFn dialog) { g_font_dialog = dialog ? dialog : ChooseFontW; }

void ToggleWordWrap() {
  if (SendEditor(SCI_GETWRAPMODE) == 0) {
    SendEditor(SCI_SETWRAPMODE, 1);
  } else {
    SendEditor(SCI_SETWRAPMODE, 0);
  }
  KeepCaretInViewAfterRewrap();
}

void ToggleLineNumbers() {
  EditorState& s = g_editor;
  if (SendEditor(SCI_GETMARGINWIDTHN, kLineNumberMargin) != 0) {
    SendEditor(SCI_SETMARGINWIDTHN, kLineNumberMargin, 0);
    SendEditor(SCI_SETMARGINWIDTHN, kSymbolMargin, static_cast<LPARAM>(lumora::ScreenPixels(static_cast<int>(s.symbol_margin_width))));
  } else {
    const LRESULT lines = SendEditor(SCI_GETLINECOUNT);
    const LRESULT width = NumberWidth(lines);
    SendEditor(SCI_SETMARGINWIDTHN, kLineNumberMargin, width);
    SendEditor(SCI_SETMARGINWIDTHN, kSymbolMargin, lumora::ScreenPixels(10));
    // Measured afresh: the next resize compares against this.
    s.last_line_count = lines;
    s.last_number_width = width;
  }
}

bool WordWrapOn() { return SendEditor(SCI_GETWRAPMODE) != 0; }

bool LineNumbersShown() { return SendEditor(SCI_GETMARGINWIDTHN, kLineNumberMargin) != 0; }

void ResizeLineNumberMargin() {
  EditorState& s = g_editor;
  if (SendEditor(SCI_GETMARGINWIDTHN, kLineNumberMargin) <= 0) return;
  const LRESULT lines = SendEditor(SCI_GETLINECOUNT);
  if (lines == s.last_line_count) return;
  const LRESULT width = NumberWidth(lines);
  if (width != s.last_number_width) {
    SendEditor(SCI_SETMARGINWIDTHN, kLineNumberMargin, width);
    s.last_number_width = width;
  }
  s.last_line_count = lines;
}

void ChooseEditorFont() {
  EditorState& s = g_editor;
  const int dpi = ScreenDpi();
  LOGFONTW font{};
  font.lfHeight = -MulDiv(static_cast<int>(s.font_size), dpi, 72);
  font.lfWeight = FW_NORMAL;
  font.lfCharSet = DEFAULT_CHARSET;
  // The dialog opens on the face the text is shown in; a face it does not
  // list would leave it on its first entry, which OK would then apply.
  lstrcpynW(font.lfFaceName, FaceInUse(s.font_name, font.lfHeight).c_str(), LF_FACESIZE);
  CHOOSEFONTW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = s.main_window;
  dialog.lpLogFont = &font;
  dialog.Flags = CF_SCREENFONTS | CF_PRINTERFONTS | CF_INITTOLOGFONTSTRUCT;
  if (!g_font_dialog(&dialog)) return;
  if (font.lfFaceName[0] == 0) return;
  s.font_name = font.lfFaceName;
  // Whole points, the fraction dropped; a dialog that leaves the size out
  // still has it in the font's height.
  const int tenths = dialog.iPointSize > 0 ? dialog.iPointSize : MulDiv(font.lfHeight < 0 ? -font.lfHeight : font.lfHeight, 720, dpi);
  if (tenths >= 10) s.font_size = tenths / 10;
  // The component reads face names as UTF-8: a face named outside the ANSI
  // code page would otherwise become a face that does not exist.
  const std::string face = Utf8FromWide(s.font_name);
  SendEditor(SCI_STYLESETFONT, STYLE_DEFAULT, reinterpret_cast<LPARAM>(face.c_str()));
  SendEditor(SCI_STYLESETSIZE, STYLE_DEFAULT, static_cast<LPARAM>(s.font_size));
  // The numbers of the margin are drawn in the new font: measure them again.
  if (SendEditor(SCI_GETMARGINWIDTHN, kLineNumberMargin) > 0) {
    s.last_line_count = 0;
    s.last_number_width = 0;
    ResizeLineNumberMargin();
  }
}

}  // namespace tavrel
