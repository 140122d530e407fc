#include "app/document/document_files.h"

#include "app/document/document_hooks.h"
#include "app/document/document_load.h"
#include "app/document/document_messages.h"
#include "app/document/document_naming.h"
#include "app/document/document_save.h"
#include "app/shell/editor_state.h"
#include "app/shell/editor_windows.h"
#include "app/document/file_stamp.h"
#include "app/shell/message_boxes.h"
#include "app/shell/scintilla_messages.h"
#include "app/document/path_forms.h"

namespace tavrel {

namespace {

FileDialogRequest DocumentDialog(const wchar_t* title, const std::wstring& preset_name) {
  return FileDialogRequest{title, preset_name, kDocumentPattern, 0};
}

// Whether the user lets a save to path go ahead: asked only when path is
// the document's own file and another program has changed it since the
// editor last read or wrote it.
bool MayOverwrite(const std::wstring& path) {
  if (!MustAskBeforeOverwrite(path, g_editor.document_path, g_editor.document_stamp, LookAtFile(path))) return true;
  return g_document_hooks.ask_overwrite_changed(ChangedOnDiskQuestion(FileNamePart(path))) == kAnswerYes;
}

// What a save left at path, for the next save to compare with. Looked at
// by name once the save is done: a save may have put a new file in the old
// one's place.
std::optional<FileStamp> StampOfSaved(const std::wstring& path) {
  const DiskLook written = LookAtFile(path);
  if (written.kind != DiskLook::Kind::kFound) return std::nullopt;
  return written.stamp;
}

// Empty documents take the same road as any other: the file is written
// (or emptied), and the save point, path, title and recent list follow.
int SaveTo(const std::wstring& path) {
  // Answered No, the file and the text both stay as they are, the document
  // still modified: a command the user stopped.
  if (!MayOverwrite(path)) return kCommandStopped;
  const std::wstring name = FileNamePart(path);
  switch (SaveDocumentFile(path)) {
    case SaveResult::kSaved:
      SendEditor(SCI_SETSAVEPOINT);
      g_editor.document_path = path;
      g_editor.document_stamp = StampOfSaved(path);
      UpdateWindowTitle();
      g_document_hooks.add_recent_file(path);
      return 0;
    case SaveResult::kCannotCreate:
      ShowMessage(CouldNotCreateMessage(name));
      break;
    case SaveResult::kCannotAllocate:
      ShowMessage(CannotAllocateMessage(name));
      break;
    case SaveResult::kWriteFailed:
      // Putting the old bytes back into the file itself gives it a new
      // time: that is this editor's doing, not another program's.
      if (path == g_editor.document_path) g_editor.document_stamp = StampOfSaved(path);
      ShowMessage(CouldNotSaveMessage(name));
      break;
  }
  return kCommandStopped;
}

// New lines follow the line ends the document already has: the first line
// end decides. A document without any takes the system's own, CR LF.
intptr_t LineEndModeOfDocument() {
  if (SendEditor(SCI_GETLINECOUNT) < 2) return SC_EOL_CRLF;
  const intptr_t end = SendEditor(SCI_GETLINEENDPOSITION, 0);
  if (SendEditor(SCI_GETCHARAT, static_cast<uintptr_t>(end)) == '\n') return SC_EOL_LF;
  return SendEditor(SCI_GETCHARAT, static_cast<uintptr_t>(end + 1)) == '\n' ? SC_EOL_CRLF : SC_EOL_CR;
}

}  // namespace

void ShowMessage(const std::wstring& text) { g_document_hooks.show_message(text); }

void UpdateWindowTitle() { SetMainWindowTitle(WindowTitleFor(g_editor.document_path)); }

int ConfirmDiscardChanges() {
  if (SendEditor(SCI_GETMODIFY) == 0) return 0;
  switch (g_document_hooks.ask_save_changes(SaveChangesQuestion(FileNamePart(g_editor.document_path)))) {
    case kAnswerYes:
      return SaveDocument() == kCommandStopped ? kCommandStopped : 0;
    case kAnswerNo:
      return 0;
    default:
      return kCommandStopped;
  }
}

void NewDocument() {
  if (ConfirmDiscardChanges() == kCommandStopped) return;
  SendEditor(SCI_CLEARALL);
  SendEditor(SCI_EMPTYUNDOBUFFER);
  SendEditor(SCI_SETSAVEPOINT);
  SendEditor(SCI_SETEOLMODE, SC_EOL_CRLF);
  g_editor.document_path = kUntitledPath;
  g_editor.document_stamp.reset();
  UpdateWindowTitle();
  // Width tracking grows the scroll range again from the widest line shown.
  SendEditor(SCI_SETSCROLLWIDTH, 1);
}

void OpenDocument(const std::wstring& requested_path) {
  // The question comes before the dialog.
  if (ConfirmDiscardChanges() == kCommandStopped) return;
  std::wstring path = requested_path;
  if (path.empty()) path = g_document_hooks.open_file_dialog(DocumentDialog(kOpenDialogTitle, std::wstring()));
  if (path.empty()) return;
  // The title and the recent list name the file opened, not the spelling
  // that reached it.
  path = ResolvedPath(path);

  std::optional<FileStamp> stamp;
  if (LoadDocumentFile(path, &stamp) != LoadResult::kLoaded) {
    ShowMessage(CouldNotReadMessage(FileNamePart(path)));
    return;
  }
  // An empty file is opened like any other: history emptied, listed as recent.
  SendEditor(SCI_SETEOLMODE, LineEndModeOfDocument());
  SendEditor(SCI_EMPTYUNDOBUFFER);
  SendEditor(SCI_SETSAVEPOINT);
  g_editor.document_path = path;
  g_editor.document_stamp = stamp;
  SendEditor(SCI_SETSCROLLWIDTH, 1);
  UpdateWindowTitle();
  if (g_editor.spell_check_on) g_document_hooks.check_spelling_document();
  g_document_hooks.add_recent_file(path);
}

int SaveDocument() {
  if (IsUntitled(g_editor.document_path)) return SaveDocumentAs();
  return SaveTo(g_editor.document_path);
}

int SaveDocumentAs() {
  const std::wstring preset = SaveAsPresetFor(g_editor.document_path, WorkingDirectory());
  // No extension is added to the chosen name: the file is the one the
  // system makes of it.
  const std::wstring chosen = g_document_hooks.save_file_dialog(DocumentDialog(kSaveAsDialogTitle, preset));
  if (chosen.empty()) return kCommandStopped;
  return SaveTo(ResolvedPath(chosen));
}

}  // namespace tavrel
