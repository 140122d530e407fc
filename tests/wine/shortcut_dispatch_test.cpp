// Toolkit shortcuts with real windows and the real message queue: key
// messages posted to a focused edit field go through GetMessage and
// DispatchMessage like typed keys; a matching shortcut reaches the top-level
// window as WM_COMMAND and never the edit field, and a disabled item's
// shortcut swallows its key (Ctrl+C does not copy).
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

#include "toolkit/controls/toolkit_win32.h"
#include "toolkit/menus/menu_win32.h"
#include "toolkit/menus/shortcut_dispatch_win32.h"
#include "toolkit/style/ui_style.h"

namespace lumora {
namespace {

class ToolkitEnvironment : public ::testing::Environment {
 public:
  void SetUp() override { StartToolkit(); }
  void TearDown() override { ShutdownToolkit(); }
};
const auto* const g_environment = ::testing::AddGlobalTestEnvironment(new ToolkitEnvironment);

constexpr UINT kDone = WM_APP + 7;
std::vector<UINT> g_commands;
std::vector<WPARAM> g_edit_keys;
WNDPROC g_edit_proc = nullptr;

LRESULT CALLBACK TopProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_COMMAND && lparam == 0) g_commands.push_back(LOWORD(wparam));
  return DefWindowProcW(window, message, wparam, lparam);
}

LRESULT CALLBACK EditProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_KEYDOWN) g_edit_keys.push_back(wparam);
  return CallWindowProcW(g_edit_proc, window, message, wparam, lparam);
}

struct Fixture {
  HWND top = nullptr;
  HWND edit = nullptr;
};

Fixture& Windows() {
  static Fixture fixture = [] {
    Fixture made;
    WNDCLASSW wc{};
    wc.lpfnWndProc = TopProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"ShortcutTestTop";
    RegisterClassW(&wc);
    made.top = CreateWindowExW(0, L"ShortcutTestTop", L"shortcuts", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 500,
                               300, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    made.edit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 10, 60, 300, 24, made.top,
                                nullptr, GetModuleHandleW(nullptr), nullptr);
    g_edit_proc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(made.edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(EditProc)));
    // The menu bar whose items carry the shortcuts.
    MenuCreateBar(1, made.top, UISTYLE_OFFICE2007);
    MenuAddTitle(L"&File");
    MenuAddItem(2, L"&Open...$Ctrl+O", nullptr, nullptr, nullptr, 0);
    MenuAddItem(40, L"Find Next$F3", nullptr, nullptr, nullptr, 0);
    MenuAddItem(41, L"Price $$5", nullptr, nullptr, nullptr, 0);  // only a literal "$"
    MenuAddTitle(L"&Edit");
    MenuAddItem(13, L"&Copy$Ctrl+C", nullptr, nullptr, nullptr, 0);
    return made;
  }();
  return fixture;
}

// Drives the real loop: GetMessage, TranslateMessage, DispatchMessage until
// the marker posted after the keys has come through twice, so that the
// characters TranslateMessage posted behind the first marker are handled
// too (bounded by a timer).
void RunQueue() {
  HWND top = Windows().top;
  PostMessageW(top, kDone, 0, 0);
  const UINT_PTR timer = SetTimer(nullptr, 0, 3000, nullptr);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (msg.message == kDone) {
      if (msg.wParam) break;
      PostMessageW(top, kDone, 1, 0);
      continue;
    }
    if (msg.message == WM_TIMER && msg.wParam == timer) {
      ADD_FAILURE() << "the queue did not drain";
      break;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  KillTimer(nullptr, timer);
}

// What a press looks like in the queue: scan code in bits 16-23.
LPARAM KeyDownFlags(UINT key) { return 1 | static_cast<LPARAM>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC)) << 16; }
LPARAM KeyUpFlags(UINT key) { return KeyDownFlags(key) | 0xC0000000; }

void PostKey(HWND window, UINT key, bool ctrl) {
  if (ctrl) PostMessageW(window, WM_KEYDOWN, VK_CONTROL, KeyDownFlags(VK_CONTROL));
  PostMessageW(window, WM_KEYDOWN, key, KeyDownFlags(key));
  PostMessageW(window, WM_KEYUP, key, KeyUpFlags(key));
  if (ctrl) PostMessageW(window, WM_KEYUP, VK_CONTROL, KeyUpFlags(VK_CONTROL));
}

// TranslateMessage reads the thread's key state, which posted messages do
// not change; setting it makes a posted Ctrl+C produce the copy character.
void SetControlHeld(bool held) {
  BYTE keys[256] = {};
  GetKeyboardState(keys);
  keys[VK_CONTROL] = held ? 0x80 : 0;
  keys[VK_LCONTROL] = held ? 0x80 : 0;
  SetKeyboardState(keys);
}

std::wstring EditText() {
  wchar_t text[256] = {};
  GetWindowTextW(Windows().edit, text, 256);
  return text;
}

std::wstring ClipboardText() {
  std::wstring text;
  if (!OpenClipboard(Windows().top)) return L"<closed>";
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
      text = chars;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

void SetClipboardText(const wchar_t* text) {
  ASSERT_TRUE(OpenClipboard(Windows().top));
  EmptyClipboard();
  const size_t bytes = (wcslen(text) + 1) * sizeof(wchar_t);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
  memcpy(GlobalLock(memory), text, bytes);
  GlobalUnlock(memory);
  SetClipboardData(CF_UNICODETEXT, memory);
  CloseClipboard();
}

void Reset() {
  g_commands.clear();
  g_edit_keys.clear();
  SetWindowTextW(Windows().edit, L"");
  SetFocus(Windows().edit);
}

TEST(ShortcutDispatch, KeysFromTheQueueReachTheTopLevelWindowNotTheFocusedControl) {
  Reset();
  ASSERT_EQ(GetFocus(), Windows().edit);
  PostKey(Windows().edit, 'O', true);
  RunQueue();
  EXPECT_EQ(g_commands, std::vector<UINT>{2});
  EXPECT_TRUE(std::find(g_edit_keys.begin(), g_edit_keys.end(), WPARAM{'O'}) == g_edit_keys.end());
  EXPECT_EQ(EditText(), L"");

  Reset();
  PostKey(Windows().edit, VK_F3, false);  // "Find Next$F3": F3 without modifiers
  RunQueue();
  EXPECT_EQ(g_commands, std::vector<UINT>{40});
  EXPECT_TRUE(std::find(g_edit_keys.begin(), g_edit_keys.end(), WPARAM{VK_F3}) == g_edit_keys.end());

  // Keys nobody registered go to the control as usual: O without Ctrl types.
  Reset();
  PostKey(Windows().edit, 'O', false);
  RunQueue();
  EXPECT_TRUE(g_commands.empty());
  EXPECT_EQ(EditText(), L"o");
  // Ctrl+Shift+O is another shortcut than Ctrl+O.
  Reset();
  PostMessageW(Windows().edit, WM_KEYDOWN, VK_SHIFT, KeyDownFlags(VK_SHIFT));
  PostKey(Windows().edit, 'O', true);
  PostMessageW(Windows().edit, WM_KEYUP, VK_SHIFT, KeyUpFlags(VK_SHIFT));
  RunQueue();
  EXPECT_TRUE(g_commands.empty());
}

TEST(ShortcutDispatch, DisabledItemSwallowsItsKeyAndCopiesNothing) {
  Reset();
  SetWindowTextW(Windows().edit, L"secret");
  SendMessageW(Windows().edit, EM_SETSEL, 0, -1);
  SetClipboardText(L"before");
  SetControlHeld(true);

  // Enabled: Ctrl+C is the Copy command, and the edit field does not copy.
  PostKey(Windows().edit, 'C', true);
  RunQueue();
  EXPECT_EQ(g_commands, std::vector<UINT>{13});
  EXPECT_EQ(ClipboardText(), L"before");

  // Disabled: nothing at all happens.
  g_commands.clear();
  ASSERT_EQ(MenuSetItemDisabled(1, 13, 1), 1);
  PostKey(Windows().edit, 'C', true);
  RunQueue();
  EXPECT_TRUE(g_commands.empty());
  EXPECT_EQ(ClipboardText(), L"before");

  // Enabled again: the command comes back.
  ASSERT_EQ(MenuSetItemDisabled(1, 13, 0), 1);
  PostKey(Windows().edit, 'C', true);
  RunQueue();
  EXPECT_EQ(g_commands, std::vector<UINT>{13});
  EXPECT_EQ(ClipboardText(), L"before");

  // With the shortcut removed (-1 for a listed key) the edit field copies:
  // the checks above would have seen a copy.
  g_commands.clear();
  ASSERT_EQ(RegisterShortcut(Windows().edit, -1, L"Ctrl+C"), 1);
  PostKey(Windows().edit, 'C', true);
  RunQueue();
  EXPECT_TRUE(g_commands.empty());
  EXPECT_EQ(ClipboardText(), L"secret");
  SetControlHeld(false);
  ASSERT_EQ(RegisterShortcut(Windows().top, 13, L"Ctrl+C"), 1);
}

TEST(ShortcutDispatch, RegisteringDirectly) {
  Reset();
  EXPECT_EQ(RegisterShortcut(Windows().edit, 77, L"Ctrl+Banana"), 0);
  EXPECT_EQ(RegisterShortcut(nullptr, 77, L"F5"), 0);
  // Registered through the child, kept for its top-level window.
  EXPECT_EQ(RegisterShortcut(Windows().edit, 77, L"shift|f5"), 1);
  PostMessageW(Windows().edit, WM_KEYDOWN, VK_SHIFT, KeyDownFlags(VK_SHIFT));
  PostKey(Windows().edit, VK_F5, false);
  PostMessageW(Windows().edit, WM_KEYUP, VK_SHIFT, KeyUpFlags(VK_SHIFT));
  RunQueue();
  EXPECT_EQ(g_commands, std::vector<UINT>{77});

  // While suspended every key goes through untouched.
  Reset();
  SetShortcutsSuspended(true);
  PostKey(Windows().edit, VK_F3, false);
  RunQueue();
  SetShortcutsSuspended(false);
  EXPECT_TRUE(g_commands.empty());
  EXPECT_FALSE(g_edit_keys.empty());

  // An empty text forgets every shortcut of the window.
  Reset();
  EXPECT_EQ(RegisterShortcut(Windows().top, 0, L""), 1);
  PostKey(Windows().edit, VK_F3, false);
  PostKey(Windows().edit, 'O', true);
  RunQueue();
  EXPECT_TRUE(g_commands.empty());
}

}  // namespace
}  // namespace lumora
