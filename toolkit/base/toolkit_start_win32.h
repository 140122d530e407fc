// Bringing the toolkit up and down: the capability probe, the hooks of the
// user-interface thread, GDI+ and the animation thread.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/os_handles_win32.h"
#include "toolkit/base/platform_caps_win32.h"
#include "toolkit/base/toolkit_messages.h"

namespace lumora {

constexpr DWORD kAnimationExitCode = 1337;

// What the layers above this one do at start-up. This layer cannot name
// them, so the toolkit's entry points (InitToolkit() and StartToolkit() of
// toolkit/controls/toolkit_win32.h) pass them in.
struct ToolkitLayers {
  // Runs once, at the end of initialisation, when the capability record is
  // complete (the theme's caption colour included).
  void (*init)() = nullptr;
};

// Probes the platform and fills g_caps, then runs the layers' init.
void InitToolkit(const ToolkitLayers& layers);
// Initialises first if need be, then installs the hooks, starts GDI+ and
// the animation thread.
void StartToolkit(const ToolkitLayers& layers);
void ShutdownToolkit();

enum class ToolkitState { kNotInitialised, kInitialised, kStarted, kShutDown };
ToolkitState GetToolkitState();

// Each component registers how to free its elements at shut-down, under a
// name and with a rank it states itself: low ranks are freed first (see
// ranked_steps.h). A name registered again keeps its first registration, so
// a component may register from wherever it is first used.
void RegisterTeardown(int32_t rank, std::string_view name, std::function<void()> free_all);
// The registered tear-down steps' names in the order shut-down runs them.
std::vector<std::string> TeardownNames();

// Hooks installed by components (the keyboard hook of the first tool bar, the
// menu-tracking hook) are removed at shut-down with the toolkit's own: the
// owners registered here are reset then. An owner that goes away before
// shut-down unregisters first.
void RegisterHook(platform::UniqueHook& hook);
void UnregisterHook(platform::UniqueHook& hook);

// The window-creation hook hands every window the thread creates to these
// handlers (menus catch popup-menu windows, the control subclassing catches
// new controls), after the window exists and before its first message
// (WM_GETMINMAXINFO, WM_NCCREATE), so a procedure installed there sees all
// of them. Adding twice has no effect.
// It is a computer-based-training hook, called only when a window is made
// (and on activation and focus changes, which it passes by): a hook on
// every sent message would tax each message the program sends, and under
// Wine that is three server round trips apiece.
using WindowCreationHandler = void (*)(HWND window);
void AddWindowCreationHandler(WindowCreationHandler handler);
// Installs the hook on the calling thread unless it is there already.
void EnsureWindowCreationHook();

// How the animation thread sets the opacity of the first page of an animated
// panel; installed by the panel component.
using PageOpacitySetter = void (*)(HWND panel, int opacity);
void SetPageOpacitySetter(PageOpacitySetter setter);

// The animation thread's message window, or null; read under the animation lock.
HWND GetAnimationWindow();
// Handle of the animation thread, for waiting on its end.
HANDLE GetAnimationThread();

}  // namespace lumora
