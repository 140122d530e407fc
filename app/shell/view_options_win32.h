// Word wrap, the line-number margin and the text font. None of it is
// stored: every run starts unwrapped, without line numbers, in the default
// font.
#pragma once
#include <windows.h>
#include <commdlg.h>

namespace tavrel {

// The editing component's margins: the line numbers, shown on request, and
// the narrow blank one beside the text.
inline constexpr int kLineNumberMargin = 0;
inline constexpr int kSymbolMargin = 1;

// The system font dialog, replaceable so tests can answer it.
using FontDialogFn = BOOL(WINAPI*)(CHOOSEFONTW*);
void SetFontDialogForTesting(FontDialogFn dialog);

void ToggleWordWrap();
void ToggleLineNumbers();
// The check marks of the two toggles.
bool WordWrapOn();
bool LineNumbersShown();
void ChooseEditorFont();
// Keeps the line-number margin as wide as the line count needs; measures
// only when the line count changed.
void ResizeLineNumberMargin();

}  // namespace tavrel
