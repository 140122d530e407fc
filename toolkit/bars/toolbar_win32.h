// Lumora tool bars: common-controls tool bars that the toolkit registers,
// fills with image buttons, separators and embedded controls, and paints in
// the UI styles. Commands reach the owner window as WM_COMMAND with the
// button id, exactly like menu items.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

namespace lumora {

constexpr uint32_t TOOLBAR_HIDE_CLIPPED = 0x800000;
constexpr uint32_t TOOLBAR_IMAGE_SIZED_BUTTONS = 0x4000000;
// Width of a separator slot in pixels.
constexpr int TOOLBAR_SEPARATOR_WIDTH = 6;

// With id -1 the new automatic id is returned, otherwise the tool bar's
// window handle; 0 on failure. The new tool bar becomes the current one.
intptr_t CreateToolbar(int32_t id, HWND window, int image_width, int image_height, uint32_t flags);
// Adds to the current tool bar; the button id, or 0 on failure.
int32_t ToolbarAddImageButton(int32_t id, const wchar_t* text, HICON normal, HICON hot, HICON disabled,
                              uint8_t style);
int32_t ToolbarAddSeparator();
int32_t ToolbarAddControl(int32_t id, HWND control, int left, int top, int right, int bottom, int32_t flag);
// toolbar is a tool-bar id or its window handle.
intptr_t ToolbarSetButtonDisabled(intptr_t toolbar, int32_t button_id, int32_t state);
int32_t ToolbarSetButtonTooltip(intptr_t toolbar, int32_t button_id, const wchar_t* text);
int32_t ToolbarUseClassicTheme(intptr_t toolbar);

// The width of a slot (TB_GETBUTTONINFOW with TBIF_SIZE); 0 when the tool
// bar or the slot is unknown.
int32_t ToolbarGetButtonWidth(intptr_t toolbar, int32_t button_id);
// Sets a slot's width and moves the embedded controls after it; 1 on
// success, 0 otherwise.
int32_t ToolbarSetButtonWidth(intptr_t toolbar, int32_t button_id, int32_t width);

// New slots of the current tool bar go to this index instead of the end
// (an index beyond the count, or -1, means the end; below -1 means 0)
// until ToolbarEndInsertion.
void ToolbarSetInsertionIndex(int32_t index);
void ToolbarEndInsertion();

// Between these two, buttons and separators added to the tool bar are laid
// out once, at the end, instead of after each one: a bar built in one go
// then sizes its window once. Sizes read from the bar in between are not
// final yet. Embedded controls are still placed when added.
void ToolbarBeginBatch(intptr_t toolbar);
void ToolbarEndBatch(intptr_t toolbar);

HFONT GetBarFont();
int GetFontPointSize(HFONT font);
std::wstring GetFontName(HFONT font);
HFONT CreateFontFromName(const wchar_t* name, int points, uint32_t flags);

// For the menus and the rebar.
HWND ToolbarWindow(intptr_t toolbar);            // null when unknown
int32_t ToolbarIdOf(HWND toolbar_window);        // -1 when unknown
bool IsToolkitToolbar(HWND window);
// The UI style the tool bar paints in (0 when it paints none) and whether
// it makes its buttons exactly as large as their images; 0 when unknown.
int32_t ToolbarStyleOf(HWND toolbar_window);
void ToolbarMarkAsMenuBar(HWND toolbar_window);
bool ToolbarIsMenuBar(HWND toolbar_window);
// The index of the title whose menu is open on a menu bar, -1 for none;
// painting uses it for the held look and the shadow along the button.
void ToolbarSetOpenMenuButton(HWND toolbar_window, int button_index);
int ToolbarOpenMenuButton(HWND toolbar_window);
// True when any registered tool-bar button has the id.
bool ToolbarButtonIdInUse(int32_t id);
// Releases one tool bar: image lists, embedded controls re-parented to their
// root window, records, tooltip entries and the window.
void ToolbarFree(HWND toolbar_window);
// Re-derives generated disabled images after a colour-mode change.
void ToolbarRebuildDerivedImages();

// The menu bars' keyboard navigation lives in a WH_KEYBOARD hook that the
// menus own; the first tool bar asks for it through this installer (each
// installer is called once per toolkit run, at once if a tool bar already
// exists).
using ToolbarKeyboardHookInstaller = void (*)();
void SetToolbarKeyboardHookInstaller(ToolbarKeyboardHookInstaller installer);

// Called after the toolkit painted the button of an open menu in a UI
// style, so that the menus can draw the menu's shadow along it.
using ToolbarOpenMenuPainter = void (*)(HWND toolbar_window, HDC dc, const RECT& button);
void SetToolbarOpenMenuPainter(ToolbarOpenMenuPainter painter);

}  // namespace lumora
