// Skinned buttons: owner-painted controls with ten visual states, optional
// toggle and in-between behaviour, radio-like groups and per-state images.
// A button is a panel with one page; its clicks reach the window it was
// created on as WM_COMMAND with the button's id.
#pragma once
#ifndef _WIN32
#error "button_win32.h is Win32 glue"
#endif
#include <windows.h>

#include <cstdint>

#include "toolkit/controls/button_look_win32.h"
#include "toolkit/controls/button_state.h"

namespace lumora {

// Images are icons or bitmaps (null for none), not owned: they are copied
// into the button's image lists. The image size is the normal image's.
// skin: 0 for the built-in "sysbuttonskin", a skin handle for that skin
// (the built-in one when it cannot be applied), -1 for none yet. A width or
// height of 0 fits the button to its image and padding. Returns the
// button's window, or its new id when id was -1; 0 on failure (a duplicate
// id, or the panel could not be made).
intptr_t CreateButton(HWND parent, int32_t id, int32_t x, int32_t y, int32_t width, int32_t height,
                      const wchar_t* text, HANDLE normal_image, HANDLE hot_image, HANDLE pressed_image,
                      HANDLE disabled_image, intptr_t skin);

// A button with no caption in the built-in "imagebuttonskin".
intptr_t CreateImageButton(HWND parent, int32_t id, int32_t x, int32_t y, int32_t width, int32_t height,
                           HANDLE normal_image, HANDLE hot_image, HANDLE pressed_image, HANDLE disabled_image);

// The functions below take the button's id or window and return 0 for an
// unknown button.

// Reads the component (empty or null: "buttonex") of the skin for all ten
// states. reapply is 1 when a changed skin is being applied again.
int32_t ButtonApplySkin(intptr_t button, intptr_t skin, const wchar_t* component, int32_t reapply);

// Sets one state's look directly, as a skin would (state 0 to 9); 1 when set.
int32_t ButtonSetLook(intptr_t button, int32_t state, const ButtonLook& look);

int32_t ButtonSetDisabled(intptr_t button, int32_t disabled);
int32_t ButtonSetTooltip(intptr_t button, const wchar_t* text);

// Toggle behaviour: a toggle button keeps a selected state; grouped toggle
// buttons of the same group number act as radio buttons.
int32_t ButtonSetToggle(intptr_t button, bool toggle, bool grouped, int64_t group);
int32_t ButtonSetToggleState(intptr_t button, ButtonToggle state);

// The visual state shown (0 to 9); -1 for an unknown button.
int32_t ButtonGetState(intptr_t button);

// The window of the button with that id; null when unknown.
HWND ButtonWindow(int32_t id);

// Frees every button (at shut-down).
void FreeAllButtons();

// Wires buttons into the toolkit: the shared automatic-id counter learns
// which ids they hold, and shut-down frees them. Wiring again adds nothing.
void WireButtons();

}  // namespace lumora
