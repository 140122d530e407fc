// The commands that replace or store the one document: New, Open, Save,
// Save As, the question before unsaved changes are thrown away, the window
// title and the message box every failure is reported in.
#pragma once
#include <string>

namespace tavrel {

// What ConfirmDiscardChanges, SaveDocument and SaveDocumentAs return when
// the command did not go through (the user cancelled, or the save failed).
inline constexpr int kCommandStopped = 2;

// Before the document is replaced or the program closes: 0 to go on,
// kCommandStopped when the user cancelled or chose to save and the save did
// not complete. Asks nothing when the document is unmodified.
int ConfirmDiscardChanges();

void NewDocument();

// Opens path, or the file the user chooses when path is empty.
void OpenDocument(const std::wstring& path);

// 0 when saved; kCommandStopped when the user cancelled Save As or the file
// could not be written (the user has been told, and the document stays
// modified).
int SaveDocument();
int SaveDocumentAs();

void UpdateWindowTitle();

// A message box titled "Tavrel" with an OK button.
void ShowMessage(const std::wstring& text);

}  // namespace tavrel
