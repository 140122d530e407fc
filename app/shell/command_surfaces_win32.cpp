#include "app/shell/command_surfaces_win32.h"

#include <string>
#include <vector>

#include "app/shell/command_table_win32.h"
#include "app/shell/editor_state.h"
#include "app/shell/element_ids.h"
#include "toolkit/bars/toolbar_win32.h"
#include "toolkit/menus/menu_win32.h"
#include "toolkit/menus/shortcut_dispatch_win32.h"

namespace tavrel {
namespace {

using namespace lumora;

// What menu and tool bar show of each row's enabled rule, indexed like the
// table, so that they are touched only when a state really changes.
std::vector<bool> g_shown_enabled;

HICON Image(int index) {
  return index == kNoImage ? nullptr : static_cast<HICON>(g_editor.images[static_cast<std::size_t>(index)].normal);
}

bool Checked(const CommandRow& row) { return row.checked && row.checked(); }

bool ShownEnabled(const CommandRow& row) {
  const CommandRows rows = CommandTable();
  const auto k = static_cast<std::size_t>(&row - rows.data());
  return k < g_shown_enabled.size() ? g_shown_enabled[k] : true;
}

void ShowEnabled(const CommandRow& row, bool enabled) {
  const int32_t disabled = enabled ? 0 : 1;
  if (row.menu.menu != MenuTitle::kNone) MenuSetItemDisabled(kMainMenu, row.id, disabled);
  if (row.button != kNoButton) {
    ToolbarSetButtonDisabled(kMainToolbar, row.id, disabled);
    if (row.tooltip_disabled) ToolbarSetButtonTooltip(kMainToolbar, row.id, ButtonTooltip(row, enabled, Checked(row)));
  }
}

}  // namespace

void AddMainMenuItems(HWND window) {
  const CommandRows rows = CommandTable();
  for (const MenuTitleRow& title : MenuTitles()) {
    MenuAddTitle(title.title);
    for (const CommandRow* row : MenuLayout(rows, title.menu)) {
      if (!row) {
        MenuAddSeparator();
        continue;
      }
      MenuAddItem(row->id, MenuItemLabel(*row).c_str(), Image(row->image), nullptr, nullptr, 0);
      if (row->flags & kStartsDisabled) MenuSetItemDisabled(kMainMenu, row->id, 1);
      // Registering the key again with no command removes it.
      if (row->flags & kKeyStaysWithEditor) RegisterShortcut(window, -1, row->shortcut);
    }
  }
  g_shown_enabled.assign(rows.size(), false);
  for (std::size_t k = 0; k < rows.size(); ++k) g_shown_enabled[k] = !(rows[k].flags & kStartsDisabled);
}

void AddMainToolbarButtons() {
  const std::vector<const CommandRow*> buttons = ToolbarLayout(CommandTable());
  ToolbarBeginBatch(kMainToolbar);
  for (const CommandRow* row : buttons) {
    if (!row) {
      ToolbarAddSeparator();
      continue;
    }
    ToolbarAddImageButton(row->id, L"", Image(row->image), nullptr, nullptr, row->button_style);
    if (row->flags & kStartsDisabled) ToolbarSetButtonDisabled(kMainToolbar, row->id, 1);
  }
  ToolbarEndBatch(kMainToolbar);
  for (const CommandRow* row : buttons) {
    if (row && row->tooltip)
      ToolbarSetButtonTooltip(kMainToolbar, row->id, ButtonTooltip(*row, !(row->flags & kStartsDisabled), false));
  }
}

int MenuPositionOf(int id) {
  const CommandRow* row = FindCommand(CommandTable(), id);
  return row ? row->menu.position : -1;
}

void ShowEnabledStates() {
  const CommandRows rows = CommandTable();
  if (g_shown_enabled.size() != rows.size()) return;  // nothing built yet
  for (std::size_t k = 0; k < rows.size(); ++k) {
    const CommandRow& row = rows[k];
    if (!row.enabled) continue;
    const bool enabled = row.enabled();
    if (enabled == g_shown_enabled[k]) continue;
    ShowEnabled(row, enabled);
    g_shown_enabled[k] = enabled;
  }
}

void ShowCheckedState(const CommandRow& row) {
  if (!row.checked) return;
  const bool checked = row.checked();
  if (row.menu.menu != MenuTitle::kNone) MenuSetItemState(kMainMenu, row.id, checked ? 1 : 0);
  if (row.button != kNoButton && row.tooltip_checked)
    ToolbarSetButtonTooltip(kMainToolbar, row.id, ButtonTooltip(row, ShownEnabled(row), checked));
}

}  // namespace tavrel
