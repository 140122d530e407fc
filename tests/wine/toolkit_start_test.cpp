// Toolkit start-up and shut-down with real windows: the capability record,
// the animation thread moving a real window and reporting to its
// grandparent, the creation hook wrapping only the controls the toolkit
// skins, a throwing message handler that is logged while the message still
// reaches the control, and a shut-down that ends the thread and restores
// procedures.
// The tests share one process-wide toolkit and run in declaration order.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <stdexcept>
#include <string>

#include "tests/wine/message_pump.h"
#include "toolkit/base/animation_track.h"
#include "toolkit/base/control_subclass_win32.h"
#include "toolkit/base/platform_caps_win32.h"
#include "toolkit/base/subclass_registry_win32.h"
#include "toolkit/base/toolkit_start_win32.h"
#include "toolkit/controls/toolkit_win32.h"

namespace lumora {
namespace {

int g_steps = 0;
int g_sizes = 0;

LRESULT CALLBACK GrandparentProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_LUMORA_ANIMSTEP) ++g_steps;
  if (message == WM_SIZE && wparam == 0 && lparam == 0) ++g_sizes;
  return DefWindowProcW(window, message, wparam, lparam);
}

using wine_test::PumpFor;
using wine_test::PumpUntil;

SIZE ImageListSize(HIMAGELIST list) {
  int w = 0, h = 0;
  ImageList_GetIconSize(list, &w, &h);
  return SIZE{w, h};
}

TEST(ToolkitStart, InitFillsTheCapabilityRecord) {
  InitToolkit();
  EXPECT_EQ(GetToolkitState(), ToolkitState::kInitialised);
  EXPECT_NE(g_caps.ui_font.get(), nullptr);
  EXPECT_NE(g_caps.alpha_blend, nullptr);
  EXPECT_GT(g_caps.os_version, 0);
  EXPECT_GT(g_caps.comctl_major, 0u);
  for (HCURSOR cursor : g_caps.cursors) EXPECT_NE(cursor, nullptr);
  EXPECT_EQ(g_caps.cursors[1], g_caps.cursors[2]);  // both north-south
  EXPECT_EQ(g_caps.default_icon_width, 16);
  EXPECT_EQ(g_caps.default_icon_height, 16);

  ICONINFO info{};
  ASSERT_TRUE(GetIconInfo(g_caps.blank_icon.get(), &info));
  BITMAP bm{};
  GetObjectW(info.hbmColor, sizeof bm, &bm);
  EXPECT_EQ(bm.bmWidth, 1);
  EXPECT_EQ(bm.bmHeight, 1);
  EXPECT_EQ(bm.bmBitsPixel, 32);
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);

  const SIZE expected[4] = {{7, 17}, {5, 3}, {7, 7}, {7, 7}};
  for (int i = 0; i < 4; ++i) {
    ASSERT_NE(g_caps.glyphs[i].get(), nullptr);
    EXPECT_EQ(ImageList_GetImageCount(g_caps.glyphs[i].get()), 1);
    EXPECT_EQ(ImageListSize(g_caps.glyphs[i].get()).cx, expected[i].cx);
    EXPECT_EQ(ImageListSize(g_caps.glyphs[i].get()).cy, expected[i].cy);
  }
  // Without a visual style no theme handle may be open.
  if (!g_caps.theme.visual_styles_active && !g_caps.theme.OpenThemeData) {
    for (HTHEME h : g_caps.theme.handles) EXPECT_EQ(h, nullptr);
  }
}

TEST(ToolkitStart, StartRunsTheAnimationThread) {
  StartToolkit();
  EXPECT_EQ(GetToolkitState(), ToolkitState::kStarted);
  ASSERT_TRUE(PumpUntil([] { return GetAnimationWindow() != nullptr; }, 5000));
  wchar_t name[64] = {};
  GetClassNameW(GetAnimationWindow(), name, 64);
  EXPECT_STREQ(name, L"Lumora_Animation Thread");
  DWORD code = 0;
  GetExitCodeThread(GetAnimationThread(), &code);
  EXPECT_EQ(code, STILL_ACTIVE);
}

// The creation hook wraps the controls the toolkit skins and nothing else:
// the editing component, static controls, tooltips and a combo box's list
// keep the procedure their class gave them.
TEST(ToolkitStart, TheCreationHookWrapsOnlyTheControlsItSkins) {
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  WNDCLASSW wc{};
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"Scintilla";  // the editing component's class name
  ASSERT_TRUE(RegisterClassW(&wc));
  HWND editor = CreateWindowExW(0, L"Scintilla", L"", WS_POPUP, 0, 0, 300, 200, nullptr, nullptr, wc.hInstance,
                                nullptr);
  auto child = [&](const wchar_t* name, DWORD style) {
    return CreateWindowExW(0, name, L"", WS_CHILD | style, 0, 0, 120, 80, editor, nullptr, wc.hInstance, nullptr);
  };
  HWND label = child(L"Static", 0);
  HWND button = child(L"Button", BS_PUSHBUTTON);
  HWND combo = child(L"ComboBox", CBS_DROPDOWN);
  HWND tooltip = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP, 0, 0, 0, 0, editor, nullptr, wc.hInstance,
                                 nullptr);
  COMBOBOXINFO parts{};
  parts.cbSize = sizeof(parts);
  ASSERT_TRUE(editor && label && button && combo && tooltip && GetComboBoxInfo(combo, &parts));
  auto untouched = [](HWND window) {
    return !IsControlSubclassed(window) &&
           GetWindowLongPtrW(window, GWLP_WNDPROC) == static_cast<LONG_PTR>(GetClassLongPtrW(window, GCLP_WNDPROC));
  };
  EXPECT_TRUE(untouched(editor));
  EXPECT_TRUE(untouched(label));
  EXPECT_TRUE(untouched(tooltip));
  EXPECT_TRUE(untouched(parts.hwndList)) << "the combo box's list";
  EXPECT_TRUE(IsControlSubclassed(button));
  EXPECT_TRUE(IsControlSubclassed(combo));
  EXPECT_TRUE(IsControlSubclassed(parts.hwndItem)) << "the combo box's edit field";
  DestroyWindow(tooltip);
  DestroyWindow(editor);
  UnregisterClassW(L"Scintilla", wc.hInstance);
}

TEST(ToolkitStart, AnimationMovesARealWindowAndStops) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = GrandparentProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"AnimationTestHost";
  RegisterClassW(&wc);
  HWND host = CreateWindowExW(0, wc.lpszClassName, L"host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400, 300,
                              nullptr, nullptr, wc.hInstance, nullptr);
  HWND page = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 300, 250, host, nullptr,
                              wc.hInstance, nullptr);
  HWND panel = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 10, 20, 100, 1, page, nullptr,
                               wc.hInstance, nullptr);
  ASSERT_TRUE(host && page && panel);
  g_steps = g_sizes = 0;

  auto* request = new AnimationRequest;
  request->window = panel;
  request->start = {10, 20, 110, 21};
  request->target = {10, 20, 110, 120};
  ASSERT_TRUE(PostMessageW(GetAnimationWindow(), WM_LUMORA_ANIMATE, 0, reinterpret_cast<LPARAM>(request)));
  // A zero payload is ignored, not dereferenced.
  PostMessageW(GetAnimationWindow(), WM_LUMORA_ANIMATE, 0, 0);

  auto height = [&] {
    RECT r;
    GetWindowRect(panel, &r);
    return r.bottom - r.top;
  };
  ASSERT_TRUE(PumpUntil([&] { return height() == 100; }, 5000)) << "height " << height();
  RECT r;
  GetWindowRect(panel, &r);
  MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&r), 2);
  EXPECT_EQ(r.left, 10);
  EXPECT_EQ(r.top, 20);
  EXPECT_EQ(r.right - r.left, 100);
  PumpFor(100);
  EXPECT_GT(g_steps, 3);        // several frames, each reported to the grandparent
  EXPECT_GE(g_sizes, g_steps);  // with a relayout before every step
  const int steps_at_end = g_steps;
  PumpFor(300);
  EXPECT_EQ(g_steps, steps_at_end) << "frames went on after the track finished";
  DestroyWindow(host);
}

TEST(SubclassRegistry, RestoresTheReplacedProcedure) {
  HWND window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
  const auto original = GetWindowLongPtrW(window, GWLP_WNDPROC);
  static WNDPROC replaced = nullptr;
  WNDPROC mine = [](HWND w, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
    return CallPreviousProc(w, m, wp, lp);
  };
  replaced = SubclassWindow(window, mine);
  EXPECT_EQ(reinterpret_cast<LONG_PTR>(replaced), original);
  EXPECT_EQ(GetWindowLongPtrW(window, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(mine));
  // Messages still reach the control through the kept procedure.
  SetWindowTextW(window, L"kept");
  wchar_t text[16] = {};
  GetWindowTextW(window, text, 16);
  EXPECT_STREQ(text, L"kept");
  RestoreAllSubclassed();
  EXPECT_EQ(GetWindowLongPtrW(window, GWLP_WNDPROC), original);
  EXPECT_EQ(SubclassedCount(), 0u);
  DestroyWindow(window);
}

// What the program writes to the debugger's output: OutputDebugString
// raises a first-chance exception carrying the text, which a vectored
// handler sees before the system handles it.
std::string g_debug_output;

LONG CALLBACK CaptureDebugOutput(EXCEPTION_POINTERS* info) {
  const EXCEPTION_RECORD& record = *info->ExceptionRecord;
  if (record.ExceptionCode == DBG_PRINTEXCEPTION_C && record.NumberParameters >= 2 && record.ExceptionInformation[1])
    g_debug_output += reinterpret_cast<const char*>(record.ExceptionInformation[1]);
  return EXCEPTION_CONTINUE_SEARCH;
}

constexpr UINT kProbe = WM_APP + 0x3A1;
static_assert(kProbe == 0x83A1);
HWND g_probe_target = nullptr;
int g_probe_reached = 0;

TEST(ControlSubclass, AThrowingHandlerIsLoggedAndTheControlStillGetsTheMessage) {
  RegisterControlMessageHandler([](HWND window, UINT message, WPARAM, LPARAM, LRESULT*) -> bool {
    if (window == g_probe_target && message == kProbe) throw std::runtime_error("probe handler failed");
    return false;
  });
  WNDCLASSW wc{};
  wc.lpfnWndProc = [](HWND window, UINT message, WPARAM wparam, LPARAM lparam) -> LRESULT {
    if (message != kProbe) return DefWindowProcW(window, message, wparam, lparam);
    ++g_probe_reached;
    return 42;
  };
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"ToolkitStartProbe";
  ASSERT_TRUE(RegisterClassW(&wc));
  g_probe_target = CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                   wc.hInstance, nullptr);
  ASSERT_NE(g_probe_target, nullptr);
  AdoptWindow(g_probe_target);
  ASSERT_TRUE(IsControlSubclassed(g_probe_target));

  void* capture = AddVectoredExceptionHandler(1, CaptureDebugOutput);
  const LRESULT answer = SendMessageW(g_probe_target, kProbe, 0, 0);
  RemoveVectoredExceptionHandler(capture);
  EXPECT_EQ(answer, 42);
  EXPECT_EQ(g_probe_reached, 1);
  EXPECT_NE(g_debug_output.find("probe handler failed"), std::string::npos) << g_debug_output;
  EXPECT_NE(g_debug_output.find("message 0x83A1"), std::string::npos) << g_debug_output;
  DestroyWindow(g_probe_target);
  g_probe_target = nullptr;
}

TEST(ToolkitStart, ShutdownEndsTheThreadWithItsExitCodeAndRunsTeardownInOrder) {
  std::vector<int> order;
  // Out of rank order on purpose; equal ranks keep the order they came in,
  // and a name already there is not added again.
  RegisterTeardown(600, "test: sixth", [&] { order.push_back(6); });
  RegisterTeardown(100, "test: first", [&] { order.push_back(1); });
  RegisterTeardown(400, "test: fourth", [&] { order.push_back(4); });
  RegisterTeardown(400, "test: fifth", [&] { order.push_back(5); });
  RegisterTeardown(50, "test: first", [&] { order.push_back(0); });
  // A step that fails is logged, and the others still run.
  RegisterTeardown(300, "test: failing", [] { throw std::runtime_error("failing tear-down"); });
  HANDLE thread = nullptr;
  DuplicateHandle(GetCurrentProcess(), GetAnimationThread(), GetCurrentProcess(), &thread, 0, FALSE,
                  DUPLICATE_SAME_ACCESS);
  HWND left_open = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, nullptr, nullptr,
                                   GetModuleHandleW(nullptr), nullptr);
  ShutdownToolkit();
  EXPECT_EQ(GetToolkitState(), ToolkitState::kShutDown);
  ASSERT_EQ(WaitForSingleObject(thread, 2000), WAIT_OBJECT_0);
  DWORD code = 0;
  GetExitCodeThread(thread, &code);
  EXPECT_EQ(code, kAnimationExitCode);
  CloseHandle(thread);
  EXPECT_EQ(order, (std::vector<int>{1, 4, 5, 6}));
  EXPECT_FALSE(IsWindow(left_open));
  EXPECT_EQ(GetAnimationWindow(), nullptr);
}

}  // namespace
}  // namespace lumora
