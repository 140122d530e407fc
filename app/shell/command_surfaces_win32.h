// The main menu's items and the main tool bar's buttons, made from the
// command table, and their enabled and checked states kept in step with
// the table's rules.
#pragma once
#include <windows.h>

#include "app/shell/command_table.h"

namespace tavrel {

// Fills the menu bar just created with the titles and items, and takes the
// items' states as built for the states shown.
void AddMainMenuItems(HWND window);
// Fills the tool bar just created (the current one) with its buttons.
void AddMainToolbarButtons();
// The item's position in its menu, separators counted; -1 for none.
int MenuPositionOf(int id);
// Applies every enabled rule, touching menu and tool bar only where a state
// differs from what they show.
void ShowEnabledStates();
// Applies the row's checked rule: the item's check mark and the button's
// tooltip.
void ShowCheckedState(const CommandRow& row);

}  // namespace tavrel
