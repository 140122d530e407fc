// The words the document commands (and printing) show the user: box and dialog titles,
// the file-type pattern of both file dialogs, the unsaved-changes question
// and the failure messages. Each message names the file by its file-name
// part.
#pragma once
#include <string>

namespace tavrel {

inline constexpr wchar_t kMessageTitle[] = L"Tavrel";
inline constexpr wchar_t kOpenDialogTitle[] = L"Open";
inline constexpr wchar_t kSaveAsDialogTitle[] = L"Save As";
// Pairs of description and pattern, separated by "|".
inline constexpr wchar_t kDocumentPattern[] = L"Text Documents (*.txt)|*.txt|All Files (*.*)|*.*";

std::wstring SaveChangesQuestion(const std::wstring& name);
std::wstring ChangedOnDiskQuestion(const std::wstring& name);
std::wstring CouldNotReadMessage(const std::wstring& name);
std::wstring CouldNotCreateMessage(const std::wstring& name);
std::wstring CannotAllocateMessage(const std::wstring& name);
// A file too big for the memory that can be had: the current document stays.
std::wstring CannotAllocateToOpenMessage(const std::wstring& name);
std::wstring CouldNotSaveMessage(const std::wstring& name);
std::wstring CouldNotPrintMessage(const std::wstring& name);
// Asked by Save As before a name it handles itself replaces a file.
std::wstring ReplaceFileQuestion(const std::wstring& name);

}  // namespace tavrel
