#include "app/document/document_hooks.h"

#include "app/document/document_messages.h"
#include "app/shell/message_boxes.h"

namespace tavrel {

namespace {

void ShowTavrelMessage(const std::wstring& text) { ShowMessageBox(kMessageTitle, text); }

int AskTavrelQuestion(const std::wstring& question) { return AskYesNoCancel(kMessageTitle, question); }

int AskTavrelYesNo(const std::wstring& question) { return AskYesNo(kMessageTitle, question); }

void NoRecentFiles(const std::wstring&) {}

void NoSpellChecking() {}

constexpr DocumentHooks kDefaultHooks = {
    ShowTavrelMessage, AskTavrelQuestion,  AskTavrelYesNo,  ShowOpenFileDialog,
    ShowSaveFileDialog, NoRecentFiles,     NoSpellChecking,
};

}  // namespace

DocumentHooks g_document_hooks = kDefaultHooks;

void ResetDocumentHooks() { g_document_hooks = kDefaultHooks; }

}  // namespace tavrel
