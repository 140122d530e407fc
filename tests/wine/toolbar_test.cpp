// Tool bars against the real common controls: ids, image lists, separators,
// embedded controls, disabling, tooltips answered at the parent, commands,
// release and the font helpers.
#include "toolkit/bars/toolbar_win32.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/wine/toolbar_test_support.h"
#include "toolkit/base/auto_id.h"
#include "toolkit/base/bar_window_proc_win32.h"
#include "toolkit/base/platform_caps_win32.h"
#include "toolkit/style/ui_style.h"

namespace lumora {
namespace {

using namespace testing_support;

const auto* const g_environment = ::testing::AddGlobalTestEnvironment(new ToolkitEnvironment);

class ToolbarTest : public ::testing::Test {
 protected:
  void SetUp() override {
    host_ = MakeHost();
    ASSERT_NE(host_, nullptr);
    Commands().clear();
  }
  void TearDown() override {
    // Free every bar, so each test starts with empty registries.
    for (HWND window : made_) ToolbarFree(window);
    ToolbarEndInsertion();
    DestroyWindow(host_);
    for (HICON icon : icons_) DestroyIcon(icon);
  }
  HWND Make(int32_t id, uint32_t flags = 0, int image_size = 16) {
    const intptr_t result = CreateToolbar(id, host_, image_size, image_size, flags);
    if (!result) return nullptr;
    HWND window = ToolbarWindow(id == -1 ? result : id);
    made_.push_back(window);
    return window;
  }
  HICON Icon(COLORREF colour) {
    icons_.push_back(MakeSolidIcon(colour));
    return icons_.back();
  }
  static int Count(HWND toolbar) { return static_cast<int>(SendMessageW(toolbar, TB_BUTTONCOUNT, 0, 0)); }
  static RECT ItemRect(HWND toolbar, int32_t id) {
    RECT rect{};
    const LRESULT index = SendMessageW(toolbar, TB_COMMANDTOINDEX, id, 0);
    SendMessageW(toolbar, TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&rect));
    return rect;
  }
  static HIMAGELIST List(HWND toolbar, UINT message) {
    return reinterpret_cast<HIMAGELIST>(SendMessageW(toolbar, message, 0, 0));
  }

  HWND host_ = nullptr;
  std::vector<HWND> made_;
  std::vector<HICON> icons_;
};

TEST_F(ToolbarTest, AutomaticIdsCountDownSharedByButtonsAndSeparators) {
  ResetAutoIdForTesting();
  const intptr_t toolbar_id = CreateToolbar(-1, host_, 16, 16, 0);
  ASSERT_GT(toolbar_id, 0);
  HWND toolbar = ToolbarWindow(toolbar_id);
  made_.push_back(toolbar);
  EXPECT_EQ(ToolbarIdOf(toolbar), toolbar_id);
  EXPECT_EQ(ToolbarAddImageButton(-1, L"", nullptr, nullptr, nullptr, 0x10), 65534);
  EXPECT_EQ(ToolbarAddSeparator(), 65533);
  // BTNS_SEP turns the call into a separator, drawing from the same counter.
  EXPECT_EQ(ToolbarAddImageButton(-1, L"", nullptr, nullptr, nullptr, BTNS_SEP), 65532);
  // An id some button already uses is skipped, even on another tool bar.
  HWND other = Make(21);
  ASSERT_NE(other, nullptr);
  EXPECT_EQ(ToolbarAddImageButton(65531, L"", nullptr, nullptr, nullptr, 0x10), 65531);
  EXPECT_EQ(ToolbarAddImageButton(-1, L"", nullptr, nullptr, nullptr, 0x10), 65530);
  EXPECT_EQ(Count(toolbar), 3);
  EXPECT_EQ(Count(other), 2);
}

TEST_F(ToolbarTest, CreationFailsForATakenIdOrAMissingWindowAndKeepsTheToolkitBitsOutOfTheStyle) {
  HWND first = Make(3, UISTYLE_OFFICE2007 | TOOLBAR_HIDE_CLIPPED);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(CreateToolbar(3, host_, 16, 16, 0), 0);
  EXPECT_EQ(CreateToolbar(4, nullptr, 16, 16, 0), 0);
  // A given id returns the window handle.
  const intptr_t second = CreateToolbar(4, host_, 16, 16, TBSTYLE_LIST);
  ASSERT_NE(second, 0);
  made_.push_back(reinterpret_cast<HWND>(second));
  EXPECT_EQ(reinterpret_cast<HWND>(second), ToolbarWindow(4));
  EXPECT_TRUE(IsToolkitToolbar(first));
  EXPECT_TRUE(HasBarWindowProc(host_));
  EXPECT_TRUE(GetWindowLongPtrW(host_, GWL_STYLE) & WS_CLIPCHILDREN);

  // 0x800000 would be WS_BORDER and 0x2000000 WS_CLIPCHILDREN.
  const LONG_PTR style = GetWindowLongPtrW(first, GWL_STYLE);
  EXPECT_FALSE(style & WS_BORDER);
  EXPECT_TRUE(style & TBSTYLE_TOOLTIPS);
  EXPECT_NE(SendMessageW(first, TB_GETTOOLTIPS, 0, 0), 0);
  const LRESULT extended = SendMessageW(first, TB_GETEXTENDEDSTYLE, 0, 0);
  EXPECT_TRUE(extended & TBSTYLE_EX_DRAWDDARROWS);
  EXPECT_TRUE(extended & TBSTYLE_EX_HIDECLIPPEDBUTTONS);
  EXPECT_TRUE(GetWindowLongPtrW(ToolbarWindow(4), GWL_STYLE) & TBSTYLE_LIST);
  EXPECT_EQ(ToolbarStyleOf(first), UISTYLE_OFFICE2007);
  EXPECT_EQ(ToolbarStyleOf(ToolbarWindow(4)), 0);
  EXPECT_NE(GetBarFont(), nullptr);

  // The current tool bar is the one made last.
  EXPECT_EQ(ToolbarAddImageButton(8, L"", nullptr, nullptr, nullptr, 0x10), 8);
  EXPECT_EQ(Count(ToolbarWindow(4)), 1);
  EXPECT_EQ(Count(first), 0);
  // A second button with the same id on the same bar is refused.
  EXPECT_EQ(ToolbarAddImageButton(8, L"", nullptr, nullptr, nullptr, 0x10), 0);
  EXPECT_EQ(Count(ToolbarWindow(4)), 1);
}

TEST_F(ToolbarTest, EverySlotGrowsAllThreeImageListsAndDerivesTheMissingImages) {
  HWND toolbar = Make(3);
  ASSERT_NE(toolbar, nullptr);
  HIMAGELIST normal = List(toolbar, TB_GETIMAGELIST);
  HIMAGELIST hot = List(toolbar, TB_GETHOTIMAGELIST);
  HIMAGELIST disabled = List(toolbar, TB_GETDISABLEDIMAGELIST);
  ASSERT_TRUE(normal && hot && disabled);

  // No images at all: no image shown, yet every list grows by one.
  EXPECT_EQ(ToolbarAddImageButton(1, L"", nullptr, nullptr, nullptr, 0x10), 1);
  for (HIMAGELIST list : {normal, hot, disabled}) EXPECT_EQ(ImageList_GetImageCount(list), 1);
  TBBUTTON button{};
  ASSERT_TRUE(SendMessageW(toolbar, TB_GETBUTTON, 0, reinterpret_cast<LPARAM>(&button)));
  EXPECT_EQ(button.iBitmap, I_IMAGENONE);
  EXPECT_EQ(button.iString, -1);
  EXPECT_TRUE(button.fsState & TBSTATE_ENABLED);

  // Only a normal image: hot repeats it, disabled is a grey copy of it.
  const COLORREF red = RGB(220, 30, 30);
  EXPECT_EQ(ToolbarAddImageButton(2, L"", Icon(red), nullptr, nullptr, 0x10), 2);
  ASSERT_TRUE(SendMessageW(toolbar, TB_GETBUTTON, 1, reinterpret_cast<LPARAM>(&button)));
  EXPECT_EQ(button.iBitmap, 1);
  EXPECT_TRUE(ColourNear(ImageCentre(normal, 1), red, 2));
  EXPECT_TRUE(ColourNear(ImageCentre(hot, 1), red, 2));
  // Drawn on white, so that its translucency leaves the channels equal.
  const COLORREF grey = ImageCentre(disabled, 1, RGB(255, 255, 255));
  EXPECT_NEAR(GetRValue(grey), GetGValue(grey), 12) << "the disabled image keeps its red";
  EXPECT_NEAR(GetGValue(grey), GetBValue(grey), 12);

  // All three given: each goes to its own list.
  const COLORREF green = RGB(20, 200, 40), blue = RGB(30, 40, 210), yellow = RGB(230, 220, 20);
  EXPECT_EQ(ToolbarAddImageButton(3, L"", Icon(green), Icon(blue), Icon(yellow), 0x12), 3);
  EXPECT_TRUE(ColourNear(ImageCentre(normal, 2), green, 2));
  EXPECT_TRUE(ColourNear(ImageCentre(hot, 2), blue, 2));
  EXPECT_TRUE(ColourNear(ImageCentre(disabled, 2), yellow, 2));
  ASSERT_TRUE(SendMessageW(toolbar, TB_GETBUTTON, 2, reinterpret_cast<LPARAM>(&button)));
  EXPECT_EQ(button.fsStyle, 0x12);

  EXPECT_GT(ToolbarAddSeparator(), 0);
  for (HIMAGELIST list : {normal, hot, disabled}) EXPECT_EQ(ImageList_GetImageCount(list), 4);
}

TEST_F(ToolbarTest, ASeparatorIsASixPixelSlotThatIsNotEnabled) {
  HWND toolbar = Make(3);
  ASSERT_NE(toolbar, nullptr);
  ASSERT_EQ(ToolbarAddImageButton(1, L"", Icon(RGB(1, 2, 3)), nullptr, nullptr, 0x10), 1);
  const int32_t separator = ToolbarAddSeparator();
  ASSERT_GT(separator, 0);
  const RECT rect = ItemRect(toolbar, separator);
  EXPECT_EQ(rect.right - rect.left, TOOLBAR_SEPARATOR_WIDTH);
  TBBUTTON button{};
  ASSERT_TRUE(SendMessageW(toolbar, TB_GETBUTTON, 1, reinterpret_cast<LPARAM>(&button)));
  EXPECT_EQ(button.fsStyle & BTNS_SEP, 0);
  EXPECT_EQ(button.fsState & TBSTATE_ENABLED, 0);
  EXPECT_EQ(button.iBitmap, I_IMAGENONE);
  EXPECT_EQ(ToolbarGetButtonWidth(3, separator), TOOLBAR_SEPARATOR_WIDTH);
}

TEST_F(ToolbarTest, MarkupTextIsStoredPlainAndTheRecordKeepsNoStringForEmptyText) {
  HWND toolbar = Make(3, UISTYLE_OFFICE2007);
  ASSERT_NE(toolbar, nullptr);
  ASSERT_EQ(ToolbarAddImageButton(1, L"\\bBold\\b text", nullptr, nullptr, nullptr, 0x10), 1);
  wchar_t text[64] = {};
  SendMessageW(toolbar, TB_GETBUTTONTEXTW, 1, reinterpret_cast<LPARAM>(text));
  EXPECT_STREQ(text, L"Bold text");
  ASSERT_EQ(ToolbarAddImageButton(2, L"Plain", nullptr, nullptr, nullptr, 0x10), 2);
  SendMessageW(toolbar, TB_GETBUTTONTEXTW, 2, reinterpret_cast<LPARAM>(text));
  EXPECT_STREQ(text, L"Plain");
}

TEST_F(ToolbarTest, DisablingNeedsAKnownBarAndButton) {
  HWND toolbar = Make(3);
  ASSERT_NE(toolbar, nullptr);
  ASSERT_EQ(ToolbarAddImageButton(5, L"", nullptr, nullptr, nullptr, 0x10), 5);
  EXPECT_EQ(ToolbarSetButtonDisabled(3, 999, 1), 0);
  EXPECT_EQ(ToolbarSetButtonDisabled(77, 5, 1), 0);
  EXPECT_TRUE(SendMessageW(toolbar, TB_ISBUTTONENABLED, 5, 0));
  EXPECT_NE(ToolbarSetButtonDisabled(3, 5, 1), 0);
  EXPECT_FALSE(SendMessageW(toolbar, TB_ISBUTTONENABLED, 5, 0));
  // By window handle as well as by id.
  EXPECT_NE(ToolbarSetButtonDisabled(reinterpret_cast<intptr_t>(toolbar), 5, 0), 0);
  EXPECT_TRUE(SendMessageW(toolbar, TB_ISBUTTONENABLED, 5, 0));
  // A button of another bar is not this bar's to disable.
  Make(4);
  ASSERT_EQ(ToolbarAddImageButton(6, L"", nullptr, nullptr, nullptr, 0x10), 6);
  EXPECT_EQ(ToolbarSetButtonDisabled(3, 6, 1), 0);
}

// Sends the tooltip's question through the parent, as the control does.
std::wstring AskTooltipW(HWND parent, HWND sender, UINT_PTR id) {
  NMTTDISPINFOW info{};
  info.hdr.hwndFrom = sender;
  info.hdr.idFrom = id;
  info.hdr.code = TTN_GETDISPINFOW;
  info.lpszText = info.szText;
  SendMessageW(parent, WM_NOTIFY, id, reinterpret_cast<LPARAM>(&info));
  return info.lpszText ? std::wstring(info.lpszText) : std::wstring();
}

TEST_F(ToolbarTest, ATooltipForAnIdAnswersForThatButtonOfAnyToolbar) {
  HWND first = Make(3);
  ASSERT_EQ(ToolbarAddImageButton(7, L"", nullptr, nullptr, nullptr, 0x12), 7);
  HWND second = Make(8);
  ASSERT_EQ(ToolbarAddImageButton(7, L"", nullptr, nullptr, nullptr, 0x10), 7);
  ASSERT_TRUE(first && second);
  EXPECT_EQ(ToolbarSetButtonTooltip(3, 7, L"Spell Check (Off)"), 1);
  EXPECT_EQ(ToolbarSetButtonTooltip(99, 7, L"nobody"), 0);

  HWND tips_second = reinterpret_cast<HWND>(SendMessageW(second, TB_GETTOOLTIPS, 0, 0));
  ASSERT_NE(tips_second, nullptr);
  EXPECT_EQ(AskTooltipW(host_, tips_second, 7), L"Spell Check (Off)");
  // Replacing the text replaces the one entry.
  EXPECT_EQ(ToolbarSetButtonTooltip(reinterpret_cast<intptr_t>(second), 7, L"Spell Check (On)"), 1);
  HWND tips_first = reinterpret_cast<HWND>(SendMessageW(first, TB_GETTOOLTIPS, 0, 0));
  EXPECT_EQ(AskTooltipW(host_, tips_first, 7), L"Spell Check (On)");

  // The narrow question gets the same text.
  NMTTDISPINFOA narrow{};
  narrow.hdr.hwndFrom = tips_first;
  narrow.hdr.idFrom = 7;
  narrow.hdr.code = TTN_GETDISPINFOA;
  narrow.lpszText = narrow.szText;
  SendMessageW(host_, WM_NOTIFY, 7, reinterpret_cast<LPARAM>(&narrow));
  EXPECT_STREQ(narrow.lpszText, "Spell Check (On)");

  // Unknown ids and tooltips that are not the toolkit's are left alone.
  EXPECT_EQ(AskTooltipW(host_, tips_first, 8), L"");
  HWND foreign = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP, 0, 0, 0, 0, host_, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
  EXPECT_EQ(AskTooltipW(host_, foreign, 7), L"");
  DestroyWindow(foreign);
}

TEST_F(ToolbarTest, TheToolbarsOwnTooltipControlGetsTheText) {
  HWND toolbar = Make(3);
  ASSERT_EQ(ToolbarAddImageButton(2, L"", nullptr, nullptr, nullptr, 0x10), 2);
  ASSERT_EQ(ToolbarSetButtonTooltip(3, 2, L"Open"), 1);
  HWND tips = reinterpret_cast<HWND>(SendMessageW(toolbar, TB_GETTOOLTIPS, 0, 0));
  ASSERT_NE(tips, nullptr);
  // Ask the tooltip for the tool's text; it asks the tool bar, which asks
  // the parent.
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.hwnd = toolbar;
  tool.uId = 2;
  wchar_t text[128] = {};
  tool.lpszText = text;
  SendMessageW(tips, TTM_GETTEXTW, 128, reinterpret_cast<LPARAM>(&tool));
  EXPECT_STREQ(text, L"Open");
}

TEST_F(ToolbarTest, AComboBoxInATwentyTwoPixelSlotGetsASixteenPixelField) {
  HWND toolbar = Make(8);
  ASSERT_NE(toolbar, nullptr);
  HWND combo = CreateWindowExW(0, L"ComboBox", L"", WS_CHILD | WS_VISIBLE | CBS_DROPDOWN | CBS_AUTOHSCROLL, 0, 0, 180,
                               22, host_, reinterpret_cast<HMENU>(10), GetModuleHandleW(nullptr), nullptr);
  HWND reference = CreateWindowExW(0, L"ComboBox", L"", WS_CHILD | CBS_DROPDOWN, 0, 0, 180, 22, host_, nullptr,
                                   GetModuleHandleW(nullptr), nullptr);
  ASSERT_TRUE(combo && reference);
  // What the platform reports for a field set to 16 pixels.
  SendMessageW(reference, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), 16);
  const LRESULT sixteen = SendMessageW(reference, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);

  ASSERT_EQ(ToolbarAddControl(9, combo, 0, 0, 0, 0, 1), 9);
  EXPECT_EQ(GetParent(combo), toolbar);
  EXPECT_TRUE(IsWindowVisible(combo) || !IsWindowVisible(host_));
  const RECT slot = ItemRect(toolbar, 9);
  EXPECT_EQ(slot.bottom - slot.top, 22);
  EXPECT_EQ(slot.right - slot.left, 180);
  EXPECT_EQ(SendMessageW(combo, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0), sixteen);
  RECT placed{};
  GetWindowRect(combo, &placed);
  MapWindowPoints(nullptr, toolbar, reinterpret_cast<POINT*>(&placed), 2);
  EXPECT_EQ(placed.left, slot.left);
  EXPECT_EQ(placed.top, slot.top);

  // A wider slot takes the control with it.
  EXPECT_EQ(ToolbarSetButtonWidth(8, 9, 200), 1);
  EXPECT_EQ(ToolbarGetButtonWidth(8, 9), 200);
  GetWindowRect(combo, &placed);
  EXPECT_EQ(placed.right - placed.left, 200);
  EXPECT_EQ(ToolbarSetButtonWidth(8, 12345, 50), 0);
  EXPECT_EQ(ToolbarGetButtonWidth(99, 9), 0);

  // A slot inserted before it moves it along.
  ToolbarSetInsertionIndex(0);
  ASSERT_GT(ToolbarAddSeparator(), 0);
  ToolbarEndInsertion();
  GetWindowRect(combo, &placed);
  MapWindowPoints(nullptr, toolbar, reinterpret_cast<POINT*>(&placed), 2);
  EXPECT_EQ(placed.left, ItemRect(toolbar, 9).left);
  EXPECT_EQ(placed.left, slot.left + TOOLBAR_SEPARATOR_WIDTH);

  // Released with its bar, the control goes back to the top-level window.
  ToolbarFree(toolbar);
  EXPECT_FALSE(IsWindow(toolbar));
  EXPECT_EQ(GetParent(combo), host_);
  EXPECT_FALSE(IsToolkitToolbar(toolbar));
  EXPECT_EQ(ToolbarAddControl(-1, nullptr, 0, 0, 0, 0, 0), 0);
}

TEST_F(ToolbarTest, InsertingBeforeOthersKeepsEveryButtonOnItsOwnImages) {
  HWND toolbar = Make(3);
  ASSERT_NE(toolbar, nullptr);
  const COLORREF a = RGB(200, 0, 0), b = RGB(0, 200, 0), c = RGB(0, 0, 200);
  ASSERT_EQ(ToolbarAddImageButton(1, L"", Icon(a), nullptr, nullptr, 0x10), 1);
  ASSERT_EQ(ToolbarAddImageButton(2, L"", Icon(b), nullptr, nullptr, 0x10), 2);
  ToolbarSetInsertionIndex(-5);  // below -1 means the front
  ASSERT_EQ(ToolbarAddImageButton(3, L"", Icon(c), nullptr, nullptr, 0x10), 3);
  ToolbarSetInsertionIndex(99);  // beyond the count means the end
  ASSERT_GT(ToolbarAddSeparator(), 0);
  ToolbarEndInsertion();

  const int32_t order[] = {3, 1, 2};
  const COLORREF colours[] = {c, a, b};
  HIMAGELIST normal = List(toolbar, TB_GETIMAGELIST);
  HIMAGELIST hot = List(toolbar, TB_GETHOTIMAGELIST);
  for (int index = 0; index < 3; ++index) {
    TBBUTTON button{};
    ASSERT_TRUE(SendMessageW(toolbar, TB_GETBUTTON, index, reinterpret_cast<LPARAM>(&button)));
    EXPECT_EQ(button.idCommand, order[index]);
    ASSERT_EQ(button.iBitmap, index);
    EXPECT_TRUE(ColourNear(ImageCentre(normal, index), colours[index], 2)) << index;
    EXPECT_TRUE(ColourNear(ImageCentre(hot, index), colours[index], 2)) << index;
  }
  TBBUTTON last{};
  ASSERT_TRUE(SendMessageW(toolbar, TB_GETBUTTON, 3, reinterpret_cast<LPARAM>(&last)));
  EXPECT_EQ(last.fsState & TBSTATE_ENABLED, 0);  // the separator went to the end
}

TEST_F(ToolbarTest, TheUiStylesMakeButtonsThreePixelsTaller) {
  HWND plain = Make(3);
  ASSERT_EQ(ToolbarAddImageButton(1, L"", Icon(RGB(9, 9, 9)), nullptr, nullptr, 0x10), 1);
  HWND styled = Make(4, UISTYLE_OFFICE2007 | TOOLBAR_HIDE_CLIPPED);
  ASSERT_EQ(ToolbarAddImageButton(1, L"", Icon(RGB(9, 9, 9)), nullptr, nullptr, 0x10), 1);
  ASSERT_GT(ToolbarAddSeparator(), 0);
  ASSERT_EQ(ToolbarAddImageButton(2, L"", Icon(RGB(9, 9, 9)), nullptr, nullptr, 0x10), 2);
  const int plain_height = HIWORD(SendMessageW(plain, TB_GETBUTTONSIZE, 0, 0));
  const int styled_height = HIWORD(SendMessageW(styled, TB_GETBUTTONSIZE, 0, 0));
  EXPECT_EQ(styled_height, plain_height + 3);
  // Switching the theme off keeps the correction, once.
  EXPECT_EQ(ToolbarUseClassicTheme(4), g_caps.os_version >= 0x0600 ? 1 : 0);
  EXPECT_EQ(HIWORD(SendMessageW(styled, TB_GETBUTTONSIZE, 0, 0)), plain_height + 3);
  EXPECT_EQ(ToolbarUseClassicTheme(99), 0);

  HWND exact = Make(5, TOOLBAR_IMAGE_SIZED_BUTTONS | UISTYLE_OFFICE2007);
  ASSERT_EQ(ToolbarAddImageButton(1, L"", Icon(RGB(9, 9, 9)), nullptr, nullptr, 0x10), 1);
  EXPECT_EQ(ToolbarStyleOf(exact), static_cast<int32_t>(TOOLBAR_IMAGE_SIZED_BUTTONS));
  EXPECT_LT(HIWORD(SendMessageW(exact, TB_GETBUTTONSIZE, 0, 0)), plain_height);
}

TEST_F(ToolbarTest, ABatchedBarIsLaidOutOnceAtTheEndExactlyLikeOneBuiltSlotBySlot) {
  auto fill = [this](int32_t bar) {
    ASSERT_EQ(ToolbarAddImageButton(1, L"", Icon(RGB(9, 9, 9)), nullptr, nullptr, 0x10), 1);
    ASSERT_GT(ToolbarAddSeparator(), 0);
    ASSERT_EQ(ToolbarAddImageButton(2, L"", Icon(RGB(9, 9, 9)), nullptr, nullptr, 0x12), 2);
    ToolbarSetButtonDisabled(bar, 2, 1);
  };
  HWND plain = Make(6, UISTYLE_OFFICE2007 | TOOLBAR_HIDE_CLIPPED);
  fill(6);
  HWND batched = Make(7, UISTYLE_OFFICE2007 | TOOLBAR_HIDE_CLIPPED);
  ToolbarBeginBatch(7);
  fill(7);
  // Not laid out yet: the style's taller buttons come with the layout.
  EXPECT_NE(SendMessageW(batched, TB_GETBUTTONSIZE, 0, 0), SendMessageW(plain, TB_GETBUTTONSIZE, 0, 0));
  ToolbarEndBatch(7);
  EXPECT_EQ(SendMessageW(batched, TB_GETBUTTONSIZE, 0, 0), SendMessageW(plain, TB_GETBUTTONSIZE, 0, 0));
  RECT a{}, b{};
  GetWindowRect(plain, &a);
  GetWindowRect(batched, &b);
  EXPECT_EQ(a.right - a.left, b.right - b.left);
  EXPECT_EQ(a.bottom - a.top, b.bottom - b.top);
  for (int32_t id : {1, 2}) {
    const RECT in_plain = ItemRect(plain, id), in_batched = ItemRect(batched, id);
    EXPECT_TRUE(EqualRect(&in_plain, &in_batched)) << id;
  }
}

TEST_F(ToolbarTest, AClickReachesTheOwnerAsACommand) {
  HWND toolbar = Make(3);
  ASSERT_EQ(ToolbarAddImageButton(2, L"", Icon(RGB(0, 128, 0)), nullptr, nullptr, 0x10), 2);
  ASSERT_EQ(ToolbarAddImageButton(5, L"", Icon(RGB(0, 128, 0)), nullptr, nullptr, 0x10), 5);
  ASSERT_NE(ToolbarSetButtonDisabled(3, 5, 1), 0);
  auto click = [&](int32_t id) {
    const RECT rect = ItemRect(toolbar, id);
    const LPARAM at = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    SendMessageW(toolbar, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(toolbar, WM_LBUTTONUP, 0, at);
  };
  click(2);
  click(5);
  Pump(50);
  ASSERT_EQ(Commands().size(), 1u);
  EXPECT_EQ(Commands()[0], 2u);
}

TEST_F(ToolbarTest, ReleasingABarKeepsTooltipTextsOtherBarsStillUse) {
  HWND first = Make(3);
  ASSERT_EQ(ToolbarAddImageButton(7, L"", nullptr, nullptr, nullptr, 0x10), 7);
  ASSERT_EQ(ToolbarAddImageButton(9, L"", nullptr, nullptr, nullptr, 0x10), 9);
  HWND second = Make(4);
  ASSERT_EQ(ToolbarAddImageButton(7, L"", nullptr, nullptr, nullptr, 0x10), 7);
  ToolbarSetButtonTooltip(3, 7, L"shared");
  ToolbarSetButtonTooltip(3, 9, L"own");
  ToolbarFree(first);
  EXPECT_FALSE(IsWindow(first));
  EXPECT_EQ(ToolbarWindow(3), nullptr);
  EXPECT_FALSE(ToolbarButtonIdInUse(9));
  HWND tips = reinterpret_cast<HWND>(SendMessageW(second, TB_GETTOOLTIPS, 0, 0));
  EXPECT_EQ(AskTooltipW(host_, tips, 7), L"shared");
  EXPECT_EQ(AskTooltipW(host_, tips, 9), L"");
  // The released bar was not the current one; the current stays usable.
  EXPECT_EQ(ToolbarAddImageButton(10, L"", nullptr, nullptr, nullptr, 0x10), 10);
  ToolbarFree(second);
  EXPECT_EQ(ToolbarAddImageButton(11, L"", nullptr, nullptr, nullptr, 0x10), 0);
  EXPECT_EQ(ToolbarAddSeparator(), 0);
}

TEST_F(ToolbarTest, FontHelpersRoundTripTheBarFont) {
  ASSERT_NE(Make(3), nullptr);
  HFONT bar = GetBarFont();
  ASSERT_NE(bar, nullptr);
  const std::wstring name = GetFontName(bar);
  const int points = GetFontPointSize(bar);
  EXPECT_FALSE(name.empty());
  EXPECT_GT(points, 4);
  HFONT copy = CreateFontFromName(name.c_str(), points, 0);
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(GetFontName(copy), name);
  EXPECT_EQ(GetFontPointSize(copy), points);
  LOGFONTW log{};
  GetObjectW(copy, sizeof log, &log);
  EXPECT_EQ(log.lfWeight, 0);
  EXPECT_EQ(log.lfQuality, DEFAULT_QUALITY);
  DeleteObject(copy);

  HFONT styled = CreateFontFromName(L"Tahoma", 12, 0x10000 | 702 | 0);
  GetObjectW(styled, sizeof log, &log);
  EXPECT_EQ(log.lfWeight, 700);
  EXPECT_TRUE(log.lfItalic);
  EXPECT_FALSE(log.lfUnderline);
  EXPECT_EQ(log.lfQuality, ANTIALIASED_QUALITY);
  EXPECT_EQ(GetFontPointSize(styled), 12);
  DeleteObject(styled);
  EXPECT_EQ(GetFontPointSize(nullptr), 0);
  EXPECT_EQ(GetFontName(nullptr), L"");
}

int g_installs = 0;
void CountingInstaller() { ++g_installs; }

TEST_F(ToolbarTest, TheKeyboardHookIsAskedForOncePerRun) {
  g_installs = 0;
  ASSERT_NE(Make(3), nullptr);
  // Bars exist already: registering asks at once, and only once.
  SetToolbarKeyboardHookInstaller(CountingInstaller);
  EXPECT_EQ(g_installs, 1);
  ASSERT_NE(Make(4), nullptr);
  SetToolbarKeyboardHookInstaller(CountingInstaller);
  EXPECT_EQ(g_installs, 1);
  SetToolbarKeyboardHookInstaller(nullptr);
}

// Last, since it ends the toolkit for the rest of the program.
TEST_F(ToolbarTest, ShutdownReleasesEveryBar) {
  HWND toolbar = Make(3);
  ASSERT_EQ(ToolbarAddImageButton(1, L"", nullptr, nullptr, nullptr, 0x10), 1);
  ToolbarSetButtonTooltip(3, 1, L"New Blank Document");
  ShutdownToolkit();
  EXPECT_FALSE(IsWindow(toolbar));
  EXPECT_EQ(ToolbarWindow(3), nullptr);
  EXPECT_FALSE(ToolbarButtonIdInUse(1));
  EXPECT_EQ(ToolbarAddImageButton(2, L"", nullptr, nullptr, nullptr, 0x10), 0);
  made_.clear();
}

}  // namespace
}  // namespace lumora
