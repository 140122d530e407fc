// Text labels: a panel with one page that draws a marked-up text (label
// markup of toolkit/style/label_markup.h) in a colour pair and, unless given
// a fixed size, sizes itself to its text.
#pragma once
#ifndef _WIN32
#error "label_win32.h is Win32 glue"
#endif
#include <windows.h>

#include <cstdint>

namespace lumora {

// Style bits.
constexpr uint32_t LABEL_STYLE_CENTRE = 0x10;           // horizontally, in the text rectangle
constexpr uint32_t LABEL_STYLE_CENTRE_VERTICAL = 0x20;
constexpr uint32_t LABEL_STYLE_RIGHT = 0x40;            // unless centred
constexpr uint32_t LABEL_STYLE_FILL = 0x1000;           // fill with the second colour first
constexpr uint32_t LABEL_STYLE_IMAGE = 0x2000;          // show the label's image
constexpr uint32_t LABEL_STYLE_PATH_ELLIPSIS = 0x4000;
constexpr uint32_t LABEL_STYLE_END_ELLIPSIS = 0x8000;
constexpr uint32_t LABEL_STYLE_PLAIN = 0x200000;        // no markup
constexpr uint32_t LABEL_STYLE_KEEP_COLOUR = 0x400000;  // markup colours ignored
// 0x10000, 0x20000 and 0x40000 are kept with the label for its owner and
// change nothing in the painting.

// A label at x, y on `parent` (the current control container when null);
// a width or height of 0 follows the text. Returns the label's window, or
// its id when id was -1; 0 for a duplicate id or a failed creation.
intptr_t CreateTextLabel(int32_t id, HWND parent, int32_t x, int32_t y, int32_t width, int32_t height,
                         const wchar_t* text);

// The setters take the label's id or window, repaint it and return 1, or 0
// for an unknown label. With label -1, the colours and the font are the
// defaults for labels created later (and 1 is returned).
int32_t LabelSetColours(intptr_t label, int32_t text_colour, int32_t background_colour);
int32_t LabelSetStyle(intptr_t label, uint32_t style);
// A font handle, not owned; null for the toolkit's UI font.
int32_t LabelSetFont(intptr_t label, HFONT font);
int32_t LabelSetText(intptr_t label, const wchar_t* text);
int32_t LabelSetPadding(intptr_t label, int32_t left, int32_t top, int32_t right, int32_t bottom);
// An icon or bitmap shown left of the text with LABEL_STYLE_IMAGE; not owned.
int32_t LabelSetImage(intptr_t label, HANDLE image);

// The label's window (a panel); null when unknown.
HWND LabelWindow(intptr_t label);
// The label window's width; 0 when unknown.
int32_t LabelWidth(intptr_t label);

// Frees every label (at shut-down).
void FreeAllLabels();
// Wires labels into the toolkit: shut-down frees them.
void WireLabels();

}  // namespace lumora
