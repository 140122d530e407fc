// The editor's commands: the rows of the command table, the id ranges
// handled as a whole, and the titles of the main menus.
#pragma once
#include <span>

#include "app/shell/command_table.h"

namespace tavrel {

struct MenuTitleRow {
  MenuTitle menu;
  const wchar_t* title;
};

CommandRows CommandTable();
std::span<const CommandRange> CommandRanges();
// Left to right on the menu bar.
std::span<const MenuTitleRow> MenuTitles();

}  // namespace tavrel
