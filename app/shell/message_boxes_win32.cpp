#include <windows.h>

#include "app/shell/editor_state.h"
#include "app/shell/message_boxes.h"

namespace tavrel {

void ShowMessageBox(const std::wstring& title, const std::wstring& text) {
  MessageBoxW(g_editor.main_window, text.c_str(), title.c_str(), MB_OK);
}

int AskYesNoCancel(const std::wstring& title, const std::wstring& text) {
  switch (MessageBoxW(g_editor.main_window, text.c_str(), title.c_str(), MB_YESNOCANCEL)) {
    case IDYES:
      return kAnswerYes;
    case IDNO:
      return kAnswerNo;
    default:
      return kAnswerCancel;
  }
}

int AskYesNo(const std::wstring& title, const std::wstring& text) {
  return MessageBoxW(g_editor.main_window, text.c_str(), title.c_str(), MB_YESNO) == IDYES ? kAnswerYes : kAnswerNo;
}

}  // namespace tavrel
