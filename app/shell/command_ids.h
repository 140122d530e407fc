// The command ids shared by menu items, tool-bar buttons, strip buttons and
// keyboard shortcuts; every command reaches the main window callback as
// WM_COMMAND with one of these in the low word. What each command shows and
// does is its row in the command table (command_table_win32.cpp).
#pragma once

namespace tavrel {

enum CommandId : int {
  CMD_NEW = 1,
  CMD_OPEN = 2,
  CMD_SAVE = 3,
  CMD_SAVE_AS = 4,
  CMD_PRINT = 5,
  CMD_CHOOSE_PRINTER = 6,
  CMD_SPELL_CHECK = 7,
  CMD_IGNORE_ALL = 8,
  CMD_ADD_TO_DICTIONARY = 9,
  CMD_UNDO = 10,
  CMD_REDO = 11,
  CMD_CUT = 12,
  CMD_COPY = 13,
  CMD_PASTE = 14,
  CMD_DELETE = 15,
  CMD_SELECT_ALL = 16,
  CMD_FIND_REPLACE = 17,
  CMD_FIND_NEXT = 18,
  CMD_CLEAR_SEARCH = 19,
  CMD_GO_TO = 20,
  CMD_PROPERTIES = 21,
  CMD_WORD_WRAP = 22,
  CMD_FONT = 23,
  CMD_LINE_NUMBERS = 24,
  CMD_EXIT = 25,
  CMD_RECENT_FIRST = 26,
  CMD_RECENT_LAST = 35,
  CMD_SUGGESTION_FIRST = 37,
  CMD_VIEW_HELP = 196,
  CMD_ABOUT = 205,
  CMD_TOOLBAR = 1234,
};

}  // namespace tavrel
