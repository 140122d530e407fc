// How the menus and the tool bar are laid out from command rows: rows by
// their place, the places nobody takes as separators; labels and tooltips
// as the toolkit gets them.
#include <gtest/gtest.h>

#include "app/shell/command_table.h"

namespace tavrel {
namespace {

const CommandRow kRows[] = {
    {.id = 3, .menu = {MenuTitle::kFile, 2}, .text = L"&Save", .shortcut = L"Ctrl+S", .button = 0},
    {.id = 1, .menu = {MenuTitle::kFile, 0}, .text = L"&New...", .button = 2},
    {.id = 7, .button = 4, .tooltip = L"Off", .tooltip_checked = L"On"},
    {.id = 5, .menu = {MenuTitle::kEdit, 0}, .text = L"&Print...", .tooltip = L"Print",
     .tooltip_disabled = L"No Printer"},
};

std::vector<int> Ids(const std::vector<const CommandRow*>& slots) {
  std::vector<int> ids;
  for (const CommandRow* row : slots) ids.push_back(row ? row->id : 0);
  return ids;
}

TEST(CommandTable, PlacesRowsByPositionWithSeparatorsInTheGaps) {
  EXPECT_EQ(Ids(MenuLayout(kRows, MenuTitle::kFile)), (std::vector<int>{1, 0, 3}));
  EXPECT_EQ(Ids(MenuLayout(kRows, MenuTitle::kEdit)), (std::vector<int>{5}));
  EXPECT_TRUE(MenuLayout(kRows, MenuTitle::kHelp).empty());
  EXPECT_EQ(Ids(ToolbarLayout(kRows)), (std::vector<int>{3, 0, 1, 0, 7}));
  EXPECT_EQ(FindCommand(kRows, 7), &kRows[2]);
  EXPECT_EQ(FindCommand(kRows, 2), nullptr);
}

TEST(CommandTable, LabelsCarryTheShortcutAndTooltipsFollowTheState) {
  EXPECT_EQ(MenuItemLabel(kRows[0]), L"&Save$Ctrl+S");
  EXPECT_EQ(MenuItemLabel(kRows[1]), L"&New...");
  EXPECT_STREQ(ButtonTooltip(kRows[2], true, false), L"Off");
  EXPECT_STREQ(ButtonTooltip(kRows[2], true, true), L"On");
  EXPECT_STREQ(ButtonTooltip(kRows[3], true, false), L"Print");
  EXPECT_STREQ(ButtonTooltip(kRows[3], false, false), L"No Printer");
}

}  // namespace
}  // namespace tavrel
