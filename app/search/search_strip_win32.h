// The search strip in the rebar: the search field with its magnifier
// button, the match counter and the clear button, and the commands and
// events that drive the search (find_in_document_win32.h) from it.
#pragma once
#include <windows.h>

#include <string>

namespace tavrel {

// Posted by the field to itself for each notification of its edit box;
// the event loop takes it (IsSearchFieldEvent) and runs the search.
inline constexpr UINT WM_TAVREL_SEARCHFIELD = WM_APP + 0x60;
// Posted by the field's edit box to the main window whenever its focus,
// selection or text may have changed, which the box itself does not
// announce: the editing commands' states then follow the box.
inline constexpr UINT WM_TAVREL_EDITSTATE = WM_APP + 0x62;

// Builds tool bar 8 with the field (control 10) in slot 9, and the field's
// buttons and counter. Call before the rebar takes the tool bar.
void BuildSearchStrip(HWND main_window, HINSTANCE instance);
// Frees what the strip owns that its windows do not (its fonts, tooltip).
void FreeSearchStrip();
void SetSearchBandWidth(int width);
HWND SearchField();
// The field's edit box while it has the keyboard focus, else null: the
// editing commands then act on it instead of on the document.
HWND FocusedSearchEdit();

// " text " in the counter colour, or for "-1" the no-match form " 0 of 0 ".
void SetMatchCounter(const std::wstring& text);

// What the counter shows and in which colours (for checks and painting).
struct MatchCounterLook {
  std::wstring text;  // as shown, with its spaces; empty when blank
  COLORREF text_colour = RGB(130, 130, 130);
  COLORREF fill_colour = 0;  // 0: no fill
  int32_t style = 0x70000;
};
const MatchCounterLook& MatchCounter();

// The event loop's part: true for the field's events, which it then handles.
bool HandleSearchFieldEvent(const MSG& msg);

// Commands 18 (find next) and 19 (clear the search).
void FindNextMatch();
void ClearSearch();

}  // namespace tavrel
