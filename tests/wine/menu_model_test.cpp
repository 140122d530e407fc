// Menus with real windows: automatic ids shared with tool-bar buttons, ids
// that may be used once, item texts, check marks and radio groups, enabling,
// insertion, removal and freeing. The tests share one started toolkit and
// run in declaration order.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "toolkit/bars/toolbar_win32.h"
#include "toolkit/base/auto_id.h"
#include "toolkit/controls/toolkit_win32.h"
#include "toolkit/menus/menu_win32.h"
#include "toolkit/style/ui_style.h"

namespace lumora {
namespace {

class ToolkitEnvironment : public ::testing::Environment {
 public:
  void SetUp() override { StartToolkit(); }
  void TearDown() override { ShutdownToolkit(); }
};
const auto* const g_environment = ::testing::AddGlobalTestEnvironment(new ToolkitEnvironment);

HWND MakeWindow() {
  static bool registered = false;
  if (!registered) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"MenuModelHost";
    registered = RegisterClassW(&wc) != 0;
  }
  return CreateWindowExW(0, L"MenuModelHost", L"host", WS_OVERLAPPEDWINDOW, 30, 30, 500, 300, nullptr, nullptr,
                         GetModuleHandleW(nullptr), nullptr);
}

UINT StateOf(HMENU menu, UINT id) { return GetMenuState(menu, id, MF_BYCOMMAND); }

UINT TypeOf(HMENU menu, UINT id) {
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_FTYPE;
  GetMenuItemInfoW(menu, id, FALSE, &info);
  return info.fType;
}

TEST(MenuModel, AutomaticIdsAreSharedWithToolBarButtons) {
  ResetAutoIdForTesting();
  HWND window = MakeWindow();
  ASSERT_TRUE(window);
  const intptr_t popup = MenuCreatePopup(-1, UISTYLE_OFFICE2007);
  ASSERT_NE(popup, 0);
  EXPECT_EQ(MenuAddItem(-1, L"First", nullptr, nullptr, nullptr, 0), 65534);
  ASSERT_NE(CreateToolbar(-1, window, 16, 16, 0), 0);
  EXPECT_EQ(ToolbarAddImageButton(-1, L"", nullptr, nullptr, nullptr, 0x10), 65533);
  EXPECT_EQ(MenuAddItem(-1, L"Second", nullptr, nullptr, nullptr, 0), 65532);
  // Counting again from the top skips every id a menu item or a button has.
  ResetAutoIdForTesting();
  EXPECT_EQ(MenuAddItem(-1, L"Third", nullptr, nullptr, nullptr, 0), 65531);
  EXPECT_TRUE(MenuItemIdInUse(65534));
  EXPECT_FALSE(MenuItemIdInUse(65530));
  // An explicit id reports 1, not the id.
  EXPECT_EQ(MenuAddItem(500, L"Explicit", nullptr, nullptr, nullptr, 0), 1);
  EXPECT_EQ(MenuFree(popup), 1);
  DestroyWindow(window);
}

TEST(MenuModel, AnIdIsUsedOnceAndAutomaticMenuIdsAreReturned) {
  HWND window = MakeWindow();
  const intptr_t bar = MenuCreateBar(7, window, UISTYLE_OFFICE2007);
  ASSERT_NE(bar, 0);
  EXPECT_TRUE(IsWindow(reinterpret_cast<HWND>(bar)));  // an explicit id returns the bar window
  EXPECT_EQ(MenuExists(7), bar);
  HWND other = MakeWindow();
  EXPECT_EQ(MenuCreateBar(7, other, UISTYLE_OFFICE2007), 0);
  EXPECT_EQ(MenuCreatePopup(7, 0), 0);

  const intptr_t automatic = MenuCreateBar(-1, other, UISTYLE_OFFICE2003);
  ASSERT_NE(automatic, 0);
  EXPECT_NE(automatic, 1);
  EXPECT_TRUE(IsWindow(reinterpret_cast<HWND>(MenuExists(static_cast<int32_t>(automatic)))));
  EXPECT_EQ(MenuExists(123456), 0);
  EXPECT_EQ(MenuFree(automatic), 1);
  EXPECT_EQ(MenuExists(static_cast<int32_t>(automatic)), 0);
  DestroyWindow(other);
  EXPECT_EQ(MenuFree(7), 1);
  EXPECT_FALSE(IsWindow(reinterpret_cast<HWND>(bar)));
  DestroyWindow(window);
}

TEST(MenuModel, TitlesItemsAndTexts) {
  HWND window = MakeWindow();
  const intptr_t bar = MenuCreateBar(20, window, UISTYLE_OFFICE2007);
  ASSERT_NE(bar, 0);
  EXPECT_EQ(MenuAddTitle(L"&File"), 0);
  EXPECT_EQ(MenuAddItem(1, L"&Open...$Ctrl+O", nullptr, nullptr, nullptr, 0), 1);
  EXPECT_EQ(MenuAddSeparator(), 0);
  EXPECT_EQ(MenuAddItem(5, L"&Print...$Ctrl+P", nullptr, nullptr, nullptr, 0), 1);
  EXPECT_EQ(MenuAddTitle(L"&Edit"), 0);
  EXPECT_EQ(MenuAddItem(12, L"Cu&t$Ctrl+X", nullptr, nullptr, nullptr, 0), 1);
  HWND bar_window = reinterpret_cast<HWND>(bar);
  EXPECT_EQ(SendMessageW(bar_window, TB_BUTTONCOUNT, 0, 0), 2);

  EXPECT_EQ(MenuGetItemText(20, 5), L"&Print...$Ctrl+P");
  EXPECT_EQ(MenuGetItemText(20, 12), L"Cu&t$Ctrl+X");
  EXPECT_EQ(MenuGetItemText(bar, 1), L"&Open...$Ctrl+O");  // by the bar's handle too
  EXPECT_EQ(MenuGetItemText(20, 99), L"");
  EXPECT_EQ(MenuGetItemText(21, 1), L"");

  // Insertion goes into the first title's menu only, at the position.
  EXPECT_EQ(MenuInsertItem(20, 1, 26, L"\\b&1\\b  C:\\\\x.txt", nullptr, nullptr, nullptr, 0), 1);
  EXPECT_EQ(MenuGetItemText(20, 26), L"\\b&1\\b  C:\\\\x.txt");
  EXPECT_EQ(MenuRemoveItem(20, 26, 0), 1);
  EXPECT_EQ(MenuGetItemText(20, 26), L"");
  EXPECT_EQ(MenuRemoveItem(20, 26, 0), 0);
  EXPECT_EQ(MenuInsertItem(999, 0, 27, L"Nowhere", nullptr, nullptr, nullptr, 0), 0);

  EXPECT_EQ(MenuSetItemDisabled(20, 5, 1), 1);
  EXPECT_EQ(MenuSetItemDisabled(20, 77, 1), 0);
  EXPECT_EQ(MenuFree(20), 1);
  EXPECT_FALSE(IsWindow(bar_window));
  EXPECT_EQ(MenuGetItemText(20, 5), L"");
  DestroyWindow(window);
}

TEST(MenuModel, CheckMarksAndRadioGroups) {
  const intptr_t first = MenuCreatePopup(30, UISTYLE_OFFICE2007);
  ASSERT_NE(first, 0);
  HMENU menu = reinterpret_cast<HMENU>(first);
  for (int id = 10; id <= 12; ++id) MenuAddItem(id, L"Choice", nullptr, nullptr, nullptr, 0);
  const intptr_t second = MenuCreatePopup(31, UISTYLE_OFFICE2007);
  MenuAddItem(13, L"Elsewhere", nullptr, nullptr, nullptr, 0);

  EXPECT_EQ(MenuSetItemState(30, 10, 2), 1);
  EXPECT_TRUE(StateOf(menu, 10) & MF_CHECKED);
  EXPECT_TRUE(TypeOf(menu, 10) & MFT_RADIOCHECK);
  EXPECT_EQ(MenuSetItemState(first, 11, 2), 1);
  EXPECT_TRUE(StateOf(menu, 11) & MF_CHECKED);
  EXPECT_FALSE(StateOf(menu, 10) & MF_CHECKED);  // same group: only one is checked
  // A radio item of another popup starts its own group.
  EXPECT_EQ(MenuSetItemState(31, 13, 2), 1);
  EXPECT_TRUE(StateOf(reinterpret_cast<HMENU>(second), 13) & MF_CHECKED);
  EXPECT_TRUE(StateOf(menu, 11) & MF_CHECKED);
  // Plain check marks leave the group alone.
  EXPECT_EQ(MenuSetItemState(30, 12, 1 | MENU_ITEM_MARKER), 1);
  EXPECT_TRUE(StateOf(menu, 12) & MF_CHECKED);
  EXPECT_TRUE(StateOf(menu, 11) & MF_CHECKED);
  EXPECT_EQ(MenuSetItemState(30, 12, 0), 1);
  EXPECT_FALSE(StateOf(menu, 12) & MF_CHECKED);
  EXPECT_EQ(MenuSetItemState(30, 99, 1), 0);

  EXPECT_EQ(MenuSetItemDisabled(30, 10, 1), 1);
  EXPECT_TRUE(StateOf(menu, 10) & MF_GRAYED);
  EXPECT_EQ(MenuSetItemDisabled(30, 10, 0), 1);
  EXPECT_FALSE(StateOf(menu, 10) & MF_GRAYED);

  EXPECT_EQ(MenuRemoveItem(30, 0, 1), 1);  // by position
  EXPECT_EQ(GetMenuItemCount(menu), 2);
  EXPECT_EQ(MenuGetItemText(30, 10), L"");
  EXPECT_EQ(MenuRemoveItem(30, 5, 1), 0);

  EXPECT_EQ(MenuFree(first), 1);
  EXPECT_FALSE(IsMenu(menu));
  EXPECT_EQ(MenuFree(first), 0);
  EXPECT_EQ(MenuFree(31), 1);
  EXPECT_EQ(MenuFree(-1), 0);  // nothing left
}

TEST(MenuModel, SubMenusByIdAndFreeingTheChildFirst) {
  const intptr_t child = MenuCreatePopup(41, 0);
  MenuAddItem(50, L"Inner", nullptr, nullptr, nullptr, 0);
  const intptr_t parent = MenuCreatePopup(40, 0);
  EXPECT_EQ(MenuAddItem(51, L"Outer", nullptr, nullptr, nullptr, 41), 1);  // a menu id names its popup
  HMENU parent_menu = reinterpret_cast<HMENU>(parent);
  EXPECT_EQ(GetSubMenu(parent_menu, 0), reinterpret_cast<HMENU>(child));
  // Freeing the child takes it off the parent's item: no dead handle stays.
  EXPECT_EQ(MenuFree(41), 1);
  EXPECT_EQ(GetSubMenu(parent_menu, 0), nullptr);
  EXPECT_EQ(MenuFree(-1), 1);
  EXPECT_EQ(MenuExists(40), 0);
}

}  // namespace
}  // namespace lumora
