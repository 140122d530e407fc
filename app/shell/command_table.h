// The shape of the command table: one row per command, holding everything
// the editor shows and does for it. The rows themselves are in
// command_table_win32.cpp; the menus, the main tool bar, dispatch and the
// enabled and checked states are all made from them. To add a command, add
// its id to command_ids.h and its row to the table: nothing else.
//
// Menu items and tool-bar buttons are placed by position, separators
// counted, as the toolkit counts them: a position that no row takes is a
// separator.
#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "app/shell/image_indexes.h"

namespace tavrel {

enum class MenuTitle : uint8_t { kNone, kFile, kEdit, kView, kHelp };

struct MenuPlace {
  MenuTitle menu = MenuTitle::kNone;
  int position = -1;
};

inline constexpr int kNoButton = -1;

// Tool-bar button styles, as the common controls define them.
inline constexpr uint8_t kButtonCheck = 0x02;     // stays pressed until clicked again
inline constexpr uint8_t kButtonAutoSize = 0x10;  // as wide as its image
inline constexpr uint8_t kPlainButton = kButtonAutoSize;
inline constexpr uint8_t kToggleButton = kButtonAutoSize | kButtonCheck;

// Row flags.
inline constexpr uint32_t kStartsDisabled = 0x1;
// The item shows its key, but the key itself stays with the editing
// component: the shortcut the item would register is taken back at once.
inline constexpr uint32_t kKeyStaysWithEditor = 0x2;

struct CommandRow {
  int id = 0;
  MenuPlace menu{};
  // The item's label, "&" before its access key, and the key shown beside
  // it and registered for it ("Ctrl+S"; null for none).
  const wchar_t* text = nullptr;
  const wchar_t* shortcut = nullptr;
  int image = kNoImage;  // on the item and on the button
  int button = kNoButton;  // slot on the main tool bar
  uint8_t button_style = kPlainButton;
  // The button's tooltip; the other two, where given, replace it while the
  // command is disabled or checked.
  const wchar_t* tooltip = nullptr;
  const wchar_t* tooltip_disabled = nullptr;
  const wchar_t* tooltip_checked = nullptr;
  // What the command does; null for an item that is there and does nothing.
  void (*run)() = nullptr;
  // Read on every refresh of the states (null: always enabled), and after
  // the command has run (null: never checked).
  bool (*enabled)() = nullptr;
  bool (*checked)() = nullptr;
  uint32_t flags = 0;
};

// Ids handled as a range rather than by rows of their own (recent files,
// spelling suggestions); run answers whether the id meant anything.
struct CommandRange {
  int first = 0;
  int last = 0;
  bool (*run)(int id) = nullptr;
};

using CommandRows = std::span<const CommandRow>;

const CommandRow* FindCommand(CommandRows rows, int id);
// The label as the toolkit takes it: the text, then "$" and the shortcut.
std::wstring MenuItemLabel(const CommandRow& row);
const wchar_t* ButtonTooltip(const CommandRow& row, bool enabled, bool checked);
// The items of one menu, or the buttons of the tool bar, top to bottom or
// left to right; null entries are separators.
std::vector<const CommandRow*> MenuLayout(CommandRows rows, MenuTitle menu);
std::vector<const CommandRow*> ToolbarLayout(CommandRows rows);

}  // namespace tavrel
