// Rebars with real windows: band ids, what a band does to the tool bar it
// holds, the measured band height, the height notification, band drags
// and the shut-down that hands band children back to the rebar's parent.
// The tests share one process-wide toolkit and run in declaration order;
// the shut-down test comes last.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "toolkit/bars/rebar_drag_win32.h"
#include "toolkit/bars/rebar_win32.h"
#include "toolkit/bars/toolbar_win32.h"
#include "toolkit/controls/toolkit_win32.h"
#include "toolkit/menus/menu_win32.h"
#include "toolkit/style/ui_style.h"

namespace lumora {
namespace {

constexpr uint32_t kStyle2007 = static_cast<uint32_t>(UISTYLE_OFFICE2007) | RBS_VARHEIGHT;

struct HeightMessage {
  HWND receiver;
  HWND rebar;
  int height;
};
std::vector<HeightMessage> g_heights;

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_LUMORA_REBARHEIGHT)
    g_heights.push_back({window, reinterpret_cast<HWND>(wparam), static_cast<int>(lparam)});
  return DefWindowProcW(window, message, wparam, lparam);
}

void RegisterHostClass() {
  static bool done = false;
  if (done) return;
  WNDCLASSW wc{};
  wc.lpfnWndProc = HostProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"RebarTestHost";
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  RegisterClassW(&wc);
  done = true;
}

// Hidden unless asked: rebars lay out and report the same either way, and
// hiding a shown window again is slow on some systems.
HWND MakeTopLevel(bool shown = false) {
  RegisterHostClass();
  HWND window = CreateWindowExW(0, L"RebarTestHost", L"rebar test", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 20, 20,
                                600, 300, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (shown) ShowWindow(window, SW_SHOWNOACTIVATE);
  return window;
}

HWND MakeChildHost(HWND parent) {
  RegisterHostClass();
  return CreateWindowExW(0, L"RebarTestHost", nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 500, 200,
                         parent, nullptr, GetModuleHandleW(nullptr), nullptr);
}

// A plain tool bar of the common controls (with its divider and its own
// resizing, as created), holding no buttons.
HWND MakeRawToolbar(HWND parent, int button_height) {
  HWND toolbar = CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr, WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT, 0, 0, 0, 0,
                                 parent, nullptr, GetModuleHandleW(nullptr), nullptr);
  SendMessageW(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  if (button_height) SendMessageW(toolbar, TB_SETBUTTONSIZE, 0, MAKELPARAM(24, button_height));
  return toolbar;
}

HWND MakeStatic(HWND parent, int width, int height) {
  return CreateWindowExW(0, L"Static", nullptr, WS_CHILD | WS_VISIBLE, 0, 0, width, height, parent, nullptr,
                         GetModuleHandleW(nullptr), nullptr);
}

void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

REBARBANDINFOW BandInfo(HWND rebar, int index, UINT mask) {
  REBARBANDINFOW info{};
  info.cbSize = 112;
  info.fMask = mask;
  EXPECT_TRUE(SendMessageW(rebar, RB_GETBANDINFOW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&info)));
  return info;
}

int WindowHeight(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return rect.bottom - rect.top;
}

class RebarEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    InitToolkit();
    StartToolkit();
  }
};
::testing::Environment* const g_environment = ::testing::AddGlobalTestEnvironment(new RebarEnvironment);

TEST(RebarBands, IdsCountFromZeroInEveryRebarAndLookUpsFindTheRebar) {
  HWND window = MakeTopLevel();
  const intptr_t created = CreateRebar(1, window, nullptr, kStyle2007, 1);
  HWND rebar = reinterpret_cast<HWND>(created);
  ASSERT_TRUE(IsWindow(rebar));
  EXPECT_EQ(GetParent(rebar), window);
  EXPECT_EQ(CreateRebar(1, window, nullptr, kStyle2007, 1), 0) << "a duplicate id is refused";

  EXPECT_EQ(RebarAddBand(MakeStatic(window, 80, 20), L"", 100, 10, 0, nullptr, 0), 0);
  EXPECT_EQ(RebarAddBand(MakeStatic(window, 80, 20), L"", 100, 10, 0, nullptr, 0), 1);
  EXPECT_EQ(RebarAddBand(MakeStatic(window, 80, 20), L"", 100, 10, 0, nullptr, 0), 2);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(BandInfo(rebar, i, RBBIM_ID).wID, static_cast<UINT>(i));

  // The UI style bits are not window styles (0x2000000 is WS_CLIPCHILDREN's
  // value, 0x1000000 WS_MAXIMIZE's); a 2003 rebar must not come up maximised.
  const intptr_t id = CreateRebar(-1, window, nullptr, static_cast<uint32_t>(UISTYLE_OFFICE2003), 1);
  ASSERT_GT(id, 1);
  ASSERT_LT(id, 0x10000) << "an automatic id, not a window";
  HWND second = RebarWindow(static_cast<int32_t>(id));
  ASSERT_TRUE(IsWindow(second));
  EXPECT_FALSE(GetWindowLongPtrW(second, GWL_STYLE) & WS_MAXIMIZE);
  EXPECT_TRUE(GetWindowLongPtrW(second, GWL_STYLE) & CCS_NODIVIDER);
  EXPECT_EQ(RebarAddBand(MakeStatic(window, 80, 20), L"", 100, 10, 0, nullptr, 0), 0) << "a new rebar starts at 0";

  EXPECT_EQ(RebarWindow(1), rebar);
  EXPECT_EQ(RebarWindow(4711), nullptr);
  const int32_t height = RebarGetHeight(1);
  EXPECT_GT(height, 0);
  EXPECT_EQ(RebarGetHeight(reinterpret_cast<intptr_t>(rebar)), height);
  EXPECT_EQ(RebarGetHeight(reinterpret_cast<intptr_t>(window)), 0) << "not a rebar";
  EXPECT_EQ(RebarGetHeight(4711), 0);
  DestroyWindow(window);
  EXPECT_EQ(RebarWindow(1), nullptr) << "a destroyed rebar is forgotten";
  EXPECT_EQ(RebarGetHeight(1), 0);
}

TEST(RebarBands, AToolBarInABandLosesItsDividerAndItsOwnResizing) {
  HWND window = MakeTopLevel();
  ASSERT_NE(CreateRebar(-1, window, nullptr, kStyle2007, 1), 0);
  HWND toolbar = MakeRawToolbar(window, 22);
  HWND label = MakeStatic(window, 50, 20);
  ASSERT_FALSE(GetWindowLongPtrW(toolbar, GWL_STYLE) & CCS_NODIVIDER);
  ASSERT_FALSE(GetWindowLongPtrW(toolbar, GWL_STYLE) & CCS_NORESIZE);
  const LONG_PTR label_style = GetWindowLongPtrW(label, GWL_STYLE);
  ASSERT_GE(RebarAddBand(toolbar, L"", 200, 20, 0, nullptr, 0), 0);
  ASSERT_GE(RebarAddBand(label, L"", 200, 20, 0, nullptr, 0), 0);
  EXPECT_TRUE(GetWindowLongPtrW(toolbar, GWL_STYLE) & CCS_NODIVIDER);
  EXPECT_TRUE(GetWindowLongPtrW(toolbar, GWL_STYLE) & CCS_NORESIZE);
  EXPECT_EQ(GetWindowLongPtrW(label, GWL_STYLE), label_style) << "other controls keep their style";
  DestroyWindow(window);
}

TEST(RebarBands, MinimumHeightIsMeasuredFromTheButtonsOrTheWindow) {
  HWND window = MakeTopLevel();
  HWND rebar = reinterpret_cast<HWND>(CreateRebar(90, window, nullptr, kStyle2007, 1));
  ASSERT_TRUE(IsWindow(rebar));
  HWND toolbar = MakeRawToolbar(window, 22);
  // A static control is 30 high, and must not be asked tool-bar questions.
  HWND label = MakeStatic(window, 60, 30);
  ASSERT_EQ(RebarAddBand(toolbar, L"", 200, 20, 0, nullptr, 0), 0);
  ASSERT_EQ(RebarAddBand(label, L"", 200, 20, 0, nullptr, RBBS_BREAK | RBBS_CHILDEDGE), 1);
  ASSERT_EQ(RebarAddBand(MakeStatic(window, 60, 30), L"", 200, 20, 17, nullptr, RBBS_BREAK | RBBS_CHILDEDGE), 2);
  Pump();

  const REBARBANDINFOW first = BandInfo(rebar, 0, RBBIM_CHILDSIZE);
  EXPECT_EQ(first.cyMinChild, 22u);
  EXPECT_EQ(WindowHeight(toolbar), 22) << "the band gives the tool bar its button height";
  EXPECT_EQ(BandInfo(rebar, 1, RBBIM_CHILDSIZE).cyMinChild, 30u);
  EXPECT_EQ(BandInfo(rebar, 2, RBBIM_CHILDSIZE).cyMinChild, 17u) << "a given height is taken as it is";
  // Width is the band's size and its ideal size.
  const REBARBANDINFOW sizes = BandInfo(rebar, 0, RBBIM_IDEALSIZE | RBBIM_CHILDSIZE);
  EXPECT_EQ(sizes.cxIdeal, 200u);
  EXPECT_EQ(sizes.cxMinChild, 20u);
  DestroyWindow(window);
}

TEST(RebarBands, BandsOfAStyledRebarCarryTheSharedPictureFixed) {
  HWND window = MakeTopLevel();
  HWND rebar = reinterpret_cast<HWND>(CreateRebar(91, window, nullptr, kStyle2007, 1));
  ASSERT_EQ(RebarAddBand(MakeStatic(window, 60, 20), L"", 150, 20, 0, nullptr, 0), 0);
  ASSERT_EQ(RebarAddBand(MakeStatic(window, 60, 20), L"", 150, 20, 0, nullptr, 0x84), 1);
  const REBARBANDINFOW a = BandInfo(rebar, 0, RBBIM_BACKGROUND | RBBIM_STYLE);
  const REBARBANDINFOW b = BandInfo(rebar, 1, RBBIM_BACKGROUND | RBBIM_STYLE);
  ASSERT_NE(a.hbmBack, nullptr);
  EXPECT_EQ(a.hbmBack, b.hbmBack);
  EXPECT_EQ(a.fStyle, static_cast<UINT>(RBBS_CHILDEDGE | RBBS_FIXEDBMP));
  EXPECT_EQ(b.fStyle, static_cast<UINT>(RBBS_GRIPPERALWAYS | RBBS_CHILDEDGE | RBBS_FIXEDBMP));
  BITMAP picture{};
  ASSERT_TRUE(GetObjectW(a.hbmBack, sizeof(picture), &picture));
  EXPECT_EQ(picture.bmHeight, 256);
  EXPECT_GE(picture.bmWidth, GetSystemMetrics(SM_CXSCREEN) + 4);
  DestroyWindow(window);
}

TEST(RebarBands, BandBordersOfPicturedRebarsAreTheToolkitsToDraw) {
  HWND window = MakeTopLevel();
  HWND styled = reinterpret_cast<HWND>(
      CreateRebar(110, window, nullptr, static_cast<uint32_t>(UISTYLE_OFFICE2003) | RBS_BANDBORDERS, 1));
  ASSERT_TRUE(IsWindow(styled));
  EXPECT_FALSE(GetWindowLongPtrW(styled, GWL_STYLE) & RBS_BANDBORDERS);
  HWND plain = reinterpret_cast<HWND>(CreateRebar(111, window, nullptr, RBS_BANDBORDERS, 1));
  EXPECT_TRUE(GetWindowLongPtrW(plain, GWL_STYLE) & RBS_BANDBORDERS);
  // A band with a picture of its own takes the borders away.
  HDC screen = GetDC(nullptr);
  HBITMAP picture = CreateCompatibleBitmap(screen, 8, 8);
  ReleaseDC(nullptr, screen);
  ASSERT_EQ(RebarAddBand(MakeStatic(window, 60, 20), L"", 150, 20, 0, picture, 0), 0);
  EXPECT_FALSE(GetWindowLongPtrW(plain, GWL_STYLE) & RBS_BANDBORDERS);
  REBARBANDINFOW info = BandInfo(plain, 0, RBBIM_BACKGROUND | RBBIM_STYLE);
  EXPECT_EQ(info.hbmBack, picture);
  EXPECT_FALSE(info.fStyle & RBBS_FIXEDBMP) << "a band's own picture starts in the band";
  DestroyWindow(window);
  DeleteObject(picture);
}

TEST(RebarBands, MenuBarHeightIsTheClientHeightOfTheBarWindow) {
  HWND window = MakeTopLevel();
  const intptr_t bar = MenuCreateBar(120, window, UISTYLE_OFFICE2007);
  ASSERT_NE(bar, 0);
  MenuAddTitle(L"&File");
  HWND bar_window = reinterpret_cast<HWND>(bar);
  ASSERT_TRUE(IsWindow(bar_window));
  SetWindowPos(bar_window, nullptr, 0, 0, 300, 26, SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
  RECT client{};
  GetClientRect(bar_window, &client);
  ASSERT_GT(client.bottom, 0);
  EXPECT_EQ(MenuBarHeight(120), client.bottom);
  EXPECT_EQ(MenuBarHeight(bar), client.bottom);
  EXPECT_EQ(MenuBarHeight(4711), 0);
  DestroyWindow(window);
}

// Heights reported to one window since the last clear.
std::vector<int> HeightsAt(HWND receiver) {
  std::vector<int> heights;
  for (const HeightMessage& m : g_heights)
    if (m.receiver == receiver) heights.push_back(m.height);
  return heights;
}

TEST(RebarHeightNotice, OncePerChangeToRootAndParentAndNeverForWidthOrMoves) {
  HWND root = MakeTopLevel();
  HWND host = MakeChildHost(root);
  g_heights.clear();
  HWND rebar = reinterpret_cast<HWND>(CreateRebar(92, host, nullptr, kStyle2007, 1));
  ASSERT_TRUE(IsWindow(rebar));
  ASSERT_EQ(RebarAddBand(MakeStatic(host, 60, 24), L"", 150, 20, 0, nullptr, 0), 0);
  Pump();
  ASSERT_FALSE(g_heights.empty()) << "the first height is reported";
  const int first = RebarGetHeight(92);
  EXPECT_EQ(HeightsAt(root), std::vector<int>{first});
  EXPECT_EQ(HeightsAt(host), std::vector<int>{first});
  EXPECT_EQ(g_heights.front().receiver, root) << "the root hears first";
  for (const HeightMessage& m : g_heights) EXPECT_EQ(m.rebar, rebar);

  // Wider, narrower, moved: the height stays, nobody is told.
  g_heights.clear();
  RECT rect{};
  GetWindowRect(rebar, &rect);
  SetWindowPos(rebar, nullptr, 0, 0, 300, rect.bottom - rect.top, SWP_NOZORDER | SWP_NOMOVE);
  SetWindowPos(rebar, nullptr, 0, 0, 420, rect.bottom - rect.top, SWP_NOZORDER | SWP_NOMOVE);
  SetWindowPos(rebar, nullptr, 5, 7, 0, 0, SWP_NOZORDER | SWP_NOSIZE);
  Pump();
  EXPECT_TRUE(g_heights.empty());

  // A taller band on a row of its own: one change, told once to each.
  g_heights.clear();
  ASSERT_EQ(RebarAddBand(MakeStatic(host, 60, 40), L"", 150, 20, 0, nullptr, RBBS_BREAK | RBBS_CHILDEDGE), 1);
  Pump();
  const int second = RebarGetHeight(92);
  ASSERT_GT(second, first);
  EXPECT_EQ(HeightsAt(root), std::vector<int>{second});
  EXPECT_EQ(HeightsAt(host), std::vector<int>{second});
  DestroyWindow(root);
}

TEST(RebarHeightNotice, AWindowThatIsRootAndParentHearsTwice) {
  HWND window = MakeTopLevel();
  g_heights.clear();
  ASSERT_NE(CreateRebar(93, window, nullptr, kStyle2007, 1), 0);
  ASSERT_EQ(RebarAddBand(MakeStatic(window, 60, 24), L"", 150, 20, 0, nullptr, 0), 0);
  Pump();
  const int height = RebarGetHeight(93);
  EXPECT_EQ(HeightsAt(window), (std::vector<int>{height, height}));
  DestroyWindow(window);
}

TEST(RebarHeightNotice, TwoRebarsOfTheSameHeightAreEachReported) {
  HWND window = MakeTopLevel();
  HWND left = MakeChildHost(window);
  HWND right = MakeChildHost(window);
  g_heights.clear();
  ASSERT_NE(CreateRebar(94, left, nullptr, kStyle2007, 1), 0);
  ASSERT_EQ(RebarAddBand(MakeStatic(left, 60, 24), L"", 150, 20, 0, nullptr, 0), 0);
  ASSERT_NE(CreateRebar(95, right, nullptr, kStyle2007, 1), 0);
  ASSERT_EQ(RebarAddBand(MakeStatic(right, 60, 24), L"", 150, 20, 0, nullptr, 0), 0);
  Pump();
  EXPECT_EQ(HeightsAt(left).size(), 1u);
  EXPECT_EQ(HeightsAt(right).size(), 1u);
  DestroyWindow(window);
}

NMREBAR DragNote(HWND rebar, UINT code) {
  NMREBAR note{};
  note.hdr.hwndFrom = rebar;
  note.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(rebar));
  note.hdr.code = code;
  note.dwMask = RBNM_ID;
  note.uBand = 0;
  note.wID = 0;
  return note;
}

LRESULT Notify(HWND parent, NMREBAR& note) {
  return SendMessageW(parent, WM_NOTIFY, note.hdr.idFrom, reinterpret_cast<LPARAM>(&note));
}

TEST(RebarDrag, ToolBarsPaintCompositedOnlyWhileABandIsDragged) {
  HWND window = MakeTopLevel();
  HWND rebar = reinterpret_cast<HWND>(CreateRebar(96, window, nullptr, kStyle2007, 1));
  ASSERT_NE(CreateToolbar(960, window, 16, 16, static_cast<uint32_t>(UISTYLE_OFFICE2007)), 0);
  HWND toolkit_bar = ToolbarWindow(960);
  ASSERT_TRUE(IsToolkitToolbar(toolkit_bar));
  ASSERT_NE(ToolbarAddImageButton(-1, L"One", nullptr, nullptr, nullptr, 0x10), 0);
  HWND plain_bar = MakeRawToolbar(window, 22);
  ASSERT_EQ(RebarAddBand(toolkit_bar, L"", 150, 20, 0, nullptr, 0), 0);
  ASSERT_EQ(RebarAddBand(plain_bar, L"", 150, 20, 0, nullptr, 0), 1);

  NMREBAR begin = DragNote(rebar, RBN_BEGINDRAG);
  EXPECT_EQ(Notify(window, begin), 0) << "the drag may go ahead";
  EXPECT_EQ(DraggedRebar(), rebar);
  EXPECT_TRUE(GetWindowLongPtrW(toolkit_bar, GWL_EXSTYLE) & WS_EX_COMPOSITED);
  EXPECT_FALSE(GetWindowLongPtrW(plain_bar, GWL_EXSTYLE) & WS_EX_COMPOSITED) << "only the toolkit's own bars";
  NMREBAR end = DragNote(rebar, RBN_ENDDRAG);
  Notify(window, end);
  EXPECT_EQ(DraggedRebar(), nullptr);
  EXPECT_FALSE(GetWindowLongPtrW(toolkit_bar, GWL_EXSTYLE) & WS_EX_COMPOSITED);

  // Without the drag flag the bands stay where they are.
  HWND fixed = reinterpret_cast<HWND>(CreateRebar(97, window, nullptr, kStyle2007, 0));
  ASSERT_EQ(RebarAddBand(MakeStatic(window, 60, 20), L"", 150, 20, 0, nullptr, 0), 0);
  NMREBAR refused = DragNote(fixed, RBN_BEGINDRAG);
  EXPECT_NE(Notify(window, refused), 0);
  EXPECT_EQ(DraggedRebar(), nullptr);
  DestroyWindow(window);
}

TEST(RebarDrag, ADragWhoseRebarLostTheMouseEndsAtTheNextButtonRelease) {
  HWND window = MakeTopLevel(true);
  HWND rebar = reinterpret_cast<HWND>(CreateRebar(98, window, nullptr, kStyle2007, 1));
  ASSERT_NE(CreateToolbar(980, window, 16, 16, static_cast<uint32_t>(UISTYLE_OFFICE2007)), 0);
  HWND bar = ToolbarWindow(980);
  ASSERT_EQ(RebarAddBand(bar, L"", 150, 20, 0, nullptr, 0), 0);
  NMREBAR begin = DragNote(rebar, RBN_BEGINDRAG);
  ASSERT_EQ(Notify(window, begin), 0);
  ASSERT_TRUE(GetWindowLongPtrW(bar, GWL_EXSTYLE) & WS_EX_COMPOSITED);
  // No capture, no RBN_ENDDRAG: the release goes through the mouse hook.
  ReleaseCapture();
  SetForegroundWindow(window);
  RECT client{};
  GetWindowRect(window, &client);
  SetCursorPos(client.left + 200, client.top + 150);
  INPUT clicks[2] = {};
  clicks[0].type = clicks[1].type = INPUT_MOUSE;
  clicks[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  clicks[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(2, clicks, sizeof(INPUT));
  const DWORD end = GetTickCount() + 2000;
  while (DraggedRebar() && static_cast<int>(end - GetTickCount()) > 0) {
    Pump();
    Sleep(5);
  }
  EXPECT_EQ(DraggedRebar(), nullptr);
  EXPECT_FALSE(GetWindowLongPtrW(bar, GWL_EXSTYLE) & WS_EX_COMPOSITED);
  DestroyWindow(window);
}

// Runs during shut-down, after the rebars were freed and before the tool
// bars are: where did the band children go?
struct AfterRebars {
  HWND child = nullptr;
  HWND expected_parent = nullptr;
  bool alive = false;
  HWND parent = nullptr;
  HWND looked_up = reinterpret_cast<HWND>(1);
};
AfterRebars g_after;

TEST(RebarShutdown, BandChildrenGoBackToTheRebarsParent) {
  HWND window = MakeTopLevel();
  HWND rebar = reinterpret_cast<HWND>(CreateRebar(99, window, nullptr, kStyle2007, 1));
  HWND child = MakeRawToolbar(window, 22);
  ASSERT_EQ(RebarAddBand(child, L"", 150, 20, 0, nullptr, 0), 0);
  ASSERT_EQ(GetParent(child), rebar) << "the band holds its child";
  g_after.child = child;
  g_after.expected_parent = window;
  // Ranked as the tool bars, which the rebars go before.
  RegisterTeardown(200, "test: after the rebars", [] {
    g_after.alive = IsWindow(g_after.child) != FALSE;
    g_after.parent = GetParent(g_after.child);
    g_after.looked_up = RebarWindow(99);
  });
  ShutdownToolkit();
  EXPECT_TRUE(g_after.alive);
  EXPECT_EQ(g_after.parent, g_after.expected_parent);
  EXPECT_EQ(g_after.looked_up, nullptr) << "the records are gone";
}

}  // namespace
}  // namespace lumora
