// Everything the user sees, built once at start-up: images, the main window
// with its menus, tool bar and rebar, and the editing component.
#pragma once
#include <windows.h>

namespace tavrel {

// Starts loading the editing component's library on a thread of its own;
// BuildMainWindow starts it itself and takes it from there.
void PreloadEditorLibrary();
// Loads the image table, at once or on a thread of its own; BuildMainWindow
// waits for the thread before it needs the images.
void LoadImages();
void StartLoadingImages();
// Frees the images LoadImages loaded and lets the editing component's
// library go; call once the windows are gone (after ShutdownToolkit).
void FreeMainWindowResources();
// False when the editing component could not be created; the program then
// ends without showing the window.
bool BuildMainWindow(HINSTANCE instance, WNDPROC window_proc);
void LayoutEditor();
// The fixed configuration the editing component gets right after creation.
void ConfigureEditor();
HWND MainWindow();

}  // namespace tavrel
