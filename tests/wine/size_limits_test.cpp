// Window size limits on real windows: the immediate correction, edge drags
// stopped at the limit with the opposite edge held, no limit from zeros,
// maximising untouched, child windows, and entries dropped with the window.
#include "toolkit/bars/size_limits_win32.h"

#include <gtest/gtest.h>

#include "tests/wine/toolbar_test_support.h"
#include "toolkit/bars/toolbar_win32.h"
#include "toolkit/base/bar_window_proc_win32.h"
#include "toolkit/base/control_subclass_win32.h"

namespace lumora {
namespace {

using namespace testing_support;

const auto* const g_environment = ::testing::AddGlobalTestEnvironment(new ToolkitEnvironment);

RECT Bounds(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return rect;
}

HWND MakeTopLevel(int x, int y, int width, int height) {
  return CreateWindowExW(0, L"ToolbarTestHost", L"sized", WS_OVERLAPPEDWINDOW, x, y, width, height, nullptr,
                         nullptr, GetModuleHandleW(nullptr), nullptr);
}

class SizeLimitsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    DestroyWindow(MakeHost());  // registers the host class
  }
};

TEST_F(SizeLimitsTest, AWindowBelowTheMinimumIsWidenedAtOnce) {
  HWND window = MakeTopLevel(100, 50, 300, 500);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(SetWindowSizeLimits(window, 363, 200, 0, 0), 1);
  const RECT rect = Bounds(window);
  EXPECT_EQ(rect.right - rect.left, 363);
  EXPECT_EQ(rect.bottom - rect.top, 500);
  EXPECT_EQ(rect.left, 100);
  EXPECT_EQ(rect.top, 50);
  EXPECT_TRUE(IsControlSubclassed(window) || HasBarWindowProc(window));
  SizeLimits stored;
  ASSERT_TRUE(GetWindowSizeLimits(window, &stored));
  EXPECT_EQ(stored.min_width, 363);
  EXPECT_EQ(stored.max_height, 0);
  DestroyWindow(window);
  EXPECT_FALSE(GetWindowSizeLimits(window, &stored));
}

TEST_F(SizeLimitsTest, DraggingTheLeftEdgeStopsAtTheMinimumAndTheRightEdgeStays) {
  HWND window = MakeTopLevel(100, 50, 500, 400);
  ASSERT_NE(window, nullptr);
  ASSERT_EQ(SetWindowSizeLimits(window, 363, 200, 0, 0), 1);
  const RECT before = Bounds(window);
  // The left edge moves 200 pixels right: 300 pixels would be left.
  SetWindowPos(window, nullptr, before.left + 200, before.top, 300, 400, SWP_NOZORDER | SWP_NOACTIVATE);
  RECT after = Bounds(window);
  EXPECT_EQ(after.right - after.left, 363);
  EXPECT_EQ(after.right, before.right);
  // The top edge likewise keeps the bottom edge.
  SetWindowPos(window, nullptr, after.left, after.top + 300, 363, 100, SWP_NOZORDER | SWP_NOACTIVATE);
  const RECT lower = Bounds(window);
  EXPECT_EQ(lower.bottom - lower.top, 200);
  EXPECT_EQ(lower.bottom, after.bottom);
  // Sizing at the right edge keeps the left edge.
  SetWindowPos(window, nullptr, 0, 0, 100, 100, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  const RECT right = Bounds(window);
  EXPECT_EQ(right.left, lower.left);
  EXPECT_EQ(right.right - right.left, 363);
  EXPECT_EQ(right.bottom - right.top, 200);
  DestroyWindow(window);
}

TEST_F(SizeLimitsTest, MaximaLimitAndZerosNeverDo) {
  HWND host = MakeHost(900, 700);
  ASSERT_NE(host, nullptr);
  HWND child = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 10, 10, 100, 100, host, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
  ASSERT_EQ(SetWindowSizeLimits(child, 50, 0, 0, 0), 1);
  // No maximum: any size goes, far beyond the screen.
  SetWindowPos(child, nullptr, 0, 0, 5000, 4000, SWP_NOMOVE | SWP_NOZORDER);
  RECT rect = Bounds(child);
  EXPECT_EQ(rect.right - rect.left, 5000);
  EXPECT_EQ(rect.bottom - rect.top, 4000);

  ASSERT_EQ(SetWindowSizeLimits(child, 0, 0, 400, 300), 1);
  rect = Bounds(child);  // brought within the new limits at once
  EXPECT_EQ(rect.right - rect.left, 400);
  EXPECT_EQ(rect.bottom - rect.top, 300);
  // Dragging the left edge outwards stops at the maximum, right edge held
  // (in the parent's coordinates).
  RECT in_parent = rect;
  MapWindowPoints(nullptr, host, reinterpret_cast<POINT*>(&in_parent), 2);
  SetWindowPos(child, nullptr, in_parent.left - 100, in_parent.top, 500, 300, SWP_NOZORDER);
  RECT moved = Bounds(child);
  EXPECT_EQ(moved.right - moved.left, 400);
  EXPECT_EQ(moved.right, rect.right);
  DestroyWindow(host);
}

// The proposal a window's procedure chain leaves after WM_WINDOWPOSCHANGING.
WINDOWPOS Proposal(HWND window, int x, int y, int width, int height, UINT flags) {
  WINDOWPOS position{};
  position.hwnd = window;
  position.x = x;
  position.y = y;
  position.cx = width;
  position.cy = height;
  position.flags = flags;
  SendMessageW(window, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&position));
  return position;
}

TEST_F(SizeLimitsTest, MinimisingAndMaximisingAreLeftToTheSystem) {
  HWND window = MakeTopLevel(0, 0, 300, 300);
  ASSERT_NE(window, nullptr);
  ASSERT_EQ(SetWindowSizeLimits(window, 200, 200, 400, 350), 1);
  // 0x8000 marks a change of the minimised or maximised state.
  const WINDOWPOS maximised = Proposal(window, -4, -4, 1288, 1000, SWP_NOZORDER | 0x8000);
  EXPECT_EQ(maximised.cx, 1288);
  EXPECT_EQ(maximised.cy, 1000);
  const WINDOWPOS minimised = Proposal(window, -32000, -32000, 160, 24, SWP_NOZORDER | 0x8000);
  // (The system's own minimum track size may still apply; ours does not.)
  EXPECT_LT(minimised.cx, 200);
  EXPECT_LT(minimised.cy, 200);
  // The same sizes without the mark are corrected.
  const WINDOWPOS plain = Proposal(window, 0, 0, 1288, 24, SWP_NOZORDER);
  EXPECT_EQ(plain.cx, 400);
  EXPECT_EQ(plain.cy, 200);
  // A pure move carries no size to correct.
  const WINDOWPOS moved = Proposal(window, 50, 60, 0, 0, SWP_NOZORDER | SWP_NOSIZE);
  EXPECT_EQ(moved.cx, 0);
  EXPECT_EQ(moved.x, 50);
  DestroyWindow(window);
}

TEST_F(SizeLimitsTest, WorksOnAWindowThatHostsBarsAndRefusesAMissingWindow) {
  HWND host = MakeHost(300, 200);
  ASSERT_NE(host, nullptr);
  ASSERT_NE(CreateToolbar(3, host, 16, 16, 0), 0);
  ASSERT_TRUE(HasBarWindowProc(host));
  ASSERT_EQ(SetWindowSizeLimits(host, 400, 0, 0, 0), 1);
  RECT rect = Bounds(host);
  EXPECT_EQ(rect.right - rect.left, 400);
  SetWindowPos(host, nullptr, 0, 0, 200, 200, SWP_NOMOVE | SWP_NOZORDER);
  rect = Bounds(host);
  EXPECT_EQ(rect.right - rect.left, 400);
  ToolbarFree(ToolbarWindow(3));
  DestroyWindow(host);
  EXPECT_EQ(SetWindowSizeLimits(host, 400, 0, 0, 0), 0);
  EXPECT_EQ(SetWindowSizeLimits(nullptr, 400, 0, 0, 0), 0);
}

TEST_F(SizeLimitsTest, ControlsMadeAfterTheFirstBarAreWatched) {
  HWND host = MakeHost(300, 200);
  ASSERT_NE(CreateToolbar(4, host, 16, 16, 0), 0);
  HWND later = CreateWindowExW(0, L"Button", L"later", WS_CHILD, 0, 0, 80, 20, host, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
  EXPECT_TRUE(IsControlSubclassed(later));
  DestroyWindow(later);
  ToolbarFree(ToolbarWindow(4));
  DestroyWindow(host);
}

}  // namespace
}  // namespace lumora
