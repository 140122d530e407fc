// The open and save file dialogs, and the folder the save dialog starts in
// for a document never saved.
#pragma once
#include <string>

namespace tavrel {

struct FileDialogRequest {
  std::wstring title;
  std::wstring preset_name;
  // Pairs of description and pattern separated by "|", as kDocumentPattern.
  std::wstring pattern;
  // Which pair is preselected, from 0.
  int pattern_index = 0;
};

// The chosen full path, exactly as the user gave it (no extension is added),
// or an empty text when the dialog was cancelled. A name longer than the
// dialog itself can take comes back as its full, clean path.
std::wstring ShowOpenFileDialog(const FileDialogRequest& request);
std::wstring ShowSaveFileDialog(const FileDialogRequest& request);

// The dialogs' filter form of a pattern: every "|" a terminator, and one
// more terminator at the end (the text holds the embedded zeros).
std::wstring DialogFilterFromPattern(const std::wstring& pattern);

std::wstring WorkingDirectory();

}  // namespace tavrel
