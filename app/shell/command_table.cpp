#include "app/shell/command_table.h"

#include <algorithm>

namespace tavrel {
namespace {

// Rows by their place, gaps filled with separators.
template <typename Place>
std::vector<const CommandRow*> Layout(CommandRows rows, Place place) {
  std::vector<const CommandRow*> slots;
  for (const CommandRow& row : rows) {
    const int at = place(row);
    if (at < 0) continue;
    if (slots.size() <= static_cast<std::size_t>(at)) slots.resize(static_cast<std::size_t>(at) + 1, nullptr);
    slots[static_cast<std::size_t>(at)] = &row;
  }
  return slots;
}

}  // namespace

const CommandRow* FindCommand(CommandRows rows, int id) {
  const auto it = std::find_if(rows.begin(), rows.end(), [id](const CommandRow& row) { return row.id == id; });
  return it == rows.end() ? nullptr : &*it;
}

std::wstring MenuItemLabel(const CommandRow& row) {
  std::wstring label = row.text ? row.text : L"";
  if (row.shortcut) label.append(L"$").append(row.shortcut);
  return label;
}

const wchar_t* ButtonTooltip(const CommandRow& row, bool enabled, bool checked) {
  if (!enabled && row.tooltip_disabled) return row.tooltip_disabled;
  if (checked && row.tooltip_checked) return row.tooltip_checked;
  return row.tooltip;
}

std::vector<const CommandRow*> MenuLayout(CommandRows rows, MenuTitle menu) {
  return Layout(rows, [menu](const CommandRow& row) { return row.menu.menu == menu ? row.menu.position : -1; });
}

std::vector<const CommandRow*> ToolbarLayout(CommandRows rows) {
  return Layout(rows, [](const CommandRow& row) { return row.button; });
}

}  // namespace tavrel
