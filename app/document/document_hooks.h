// The points where the document commands reach beyond the text: the user
// (messages, the unsaved-changes question, the file dialogs) and the parts
// of the editor that follow a document (recent files, spell checking). Each
// is a plain function pointer so that a later part plugs itself in, and so
// that tests answer instead of the user.
#pragma once
#include <string>

#include "app/document/file_dialogs.h"

namespace tavrel {

struct DocumentHooks {
  // A box titled "Tavrel" with an OK button.
  void (*show_message)(const std::wstring& text);
  // The unsaved-changes question, titled "Tavrel": kAnswerYes, kAnswerNo or
  // kAnswerCancel.
  int (*ask_save_changes)(const std::wstring& question);
  // Whether to write over a file another program changed, titled "Tavrel":
  // kAnswerYes or kAnswerNo.
  int (*ask_overwrite_changed)(const std::wstring& question);
  std::wstring (*open_file_dialog)(const FileDialogRequest& request);
  std::wstring (*save_file_dialog)(const FileDialogRequest& request);
  // A document was read from or written to path. Does nothing until the
  // recent-files list is plugged in.
  void (*add_recent_file)(const std::wstring& path);
  // A document was loaded while spell checking is on. Does nothing until
  // spell checking is plugged in.
  void (*check_spelling_document)();
};

extern DocumentHooks g_document_hooks;

// Every hook back to its default: the real boxes and dialogs, and no-ops
// for recent files and spelling.
void ResetDocumentHooks();

}  // namespace tavrel
