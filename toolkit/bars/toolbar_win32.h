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

HFONT GetBarFont();
int GetFontPointSize(HFONT font);
std::wstring GetFontName(HFONT font);
HFONT CreateFontFromName(const wchar_t* name, int points, uint32_t flags);

// For the menus and the rebar.
HWND ToolbarWindow(intptr_t toolbar);            // null when unknown
int32_t ToolbarIdOf(HWND toolbar_window);        // -1 when unknown
bool IsToolkitToolbar(HWND window);
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

}  // namespace lumora
