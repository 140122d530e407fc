// A failed Win32 call logged with its code and the system's text, the
// caller's last error left as it was; and the owners of hooks and menus
// counted like every other handle.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "platform/error_log_win32.h"
#include "platform/os_handles_win32.h"

namespace platform {
namespace {

std::string g_debug_output;

LONG CALLBACK CaptureDebugOutput(EXCEPTION_POINTERS* info) {
  const EXCEPTION_RECORD& record = *info->ExceptionRecord;
  if (record.ExceptionCode == DBG_PRINTEXCEPTION_C && record.NumberParameters >= 2 && record.ExceptionInformation[1])
    g_debug_output += reinterpret_cast<const char*>(record.ExceptionInformation[1]);
  return EXCEPTION_CONTINUE_SEARCH;
}

TEST(Win32FailureLog, TheLineHasTheCodeAndTextAndTheLastErrorStays) {
  const HANDLE file = CreateFileW(L"C:\\no such folder here\\no such file.txt", GENERIC_READ, 0, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_EQ(file, INVALID_HANDLE_VALUE);
  const DWORD expected = GetLastError();
  ASSERT_NE(expected, 0u);
  g_debug_output.clear();
  void* capture = AddVectoredExceptionHandler(1, CaptureDebugOutput);
  const unsigned long logged = LogWin32Failure("CreateFile (test)");
  const DWORD after = GetLastError();
  RemoveVectoredExceptionHandler(capture);
  EXPECT_EQ(logged, expected);
  EXPECT_EQ(after, expected) << "the caller may still read the last error";
  const std::string head = "Tavrel: CreateFile (test) failed: error " + std::to_string(expected) + " (";
  EXPECT_NE(g_debug_output.find(head), std::string::npos) << g_debug_output;
  EXPECT_EQ(g_debug_output.find("\r"), std::string::npos) << "the system's line end is dropped";
  EXPECT_EQ(g_debug_output.back(), '\n');
}

LRESULT CALLBACK PassOn(int code, WPARAM wparam, LPARAM lparam) { return CallNextHookEx(nullptr, code, wparam, lparam); }

TEST(OsHandles, HooksAndMenusAreCountedWhileOwned) {
  const HandleCounts before = LiveHandleCounts();
  const auto count = [](HandleKind kind) { return LiveHandleCounts()[static_cast<size_t>(kind)]; };
  {
    UniqueHook hook(SetWindowsHookExW(WH_GETMESSAGE, PassOn, nullptr, GetCurrentThreadId()));
    ASSERT_TRUE(hook);
    UniqueMenu menu(CreatePopupMenu());
    ASSERT_TRUE(menu);
    EXPECT_EQ(count(HandleKind::kHook), before[static_cast<size_t>(HandleKind::kHook)] + 1);
    EXPECT_EQ(count(HandleKind::kMenu), before[static_cast<size_t>(HandleKind::kMenu)] + 1);
    const HMENU held = menu.get();
    menu.reset();
    EXPECT_FALSE(IsMenu(held)) << "the owner destroyed it";
    EXPECT_TRUE(hook.close()) << "the hook was still installed";
  }
  EXPECT_EQ(LiveHandleCounts(), before);
  EXPECT_STREQ(HandleKindName(HandleKind::kHook), "hook");
  EXPECT_STREQ(HandleKindName(HandleKind::kMenu), "menu");
}

}  // namespace
}  // namespace platform
