#include "app/document/document_messages.h"

namespace tavrel {

std::wstring SaveChangesQuestion(const std::wstring& name) { return L"Do you want to save changes to " + name + L"?"; }

std::wstring ChangedOnDiskQuestion(const std::wstring& name) {
  return name + L" has been changed by another program. Overwrite it?";
}

std::wstring CouldNotReadMessage(const std::wstring& name) { return L"Error: Could not read file " + name + L"!"; }

std::wstring CouldNotCreateMessage(const std::wstring& name) { return L"Error: Could not create file " + name + L"!"; }

std::wstring CannotAllocateMessage(const std::wstring& name) {
  return L"Error: Can't allocate memory to save file " + name + L"!";
}

std::wstring CannotAllocateToOpenMessage(const std::wstring& name) {
  return L"Error: Can't allocate memory to open file " + name + L"!";
}

std::wstring CouldNotSaveMessage(const std::wstring& name) { return L"Error: Could not save file " + name + L"!"; }

std::wstring CouldNotPrintMessage(const std::wstring& name) { return L"Error: Could not print " + name + L"!"; }

std::wstring ReplaceFileQuestion(const std::wstring& name) {
  return name + L" already exists.\nDo you want to replace it?";
}

}  // namespace tavrel
