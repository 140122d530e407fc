// A real main window with a real editing component for the document
// commands, with the user's part scripted: every message shown and question
// asked is recorded, and the answers and dialog results come from the test.
// File tests get a fresh folder of their own, removed afterwards.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "app/document/document_hooks.h"
#include "app/shell/editor_state.h"
#include "app/shell/editor_windows.h"
#include "app/document/file_io_hooks_win32.h"
#include "app/shell/main_window_win32.h"
#include "app/shell/message_boxes.h"
#include "app/shell/scintilla_messages.h"
#include "tests/wine/message_pump.h"
#include "tests/wine/test_files.h"

namespace tavrel::test_support {

inline std::wstring ExePath() {
  wchar_t path[MAX_PATH];
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  return path;
}

inline std::wstring ExeFolder() {
  const std::wstring path = ExePath();
  return path.substr(0, path.find_last_of(L"\\/") + 1);
}

// What the user saw and what they answer. Unscripted questions are
// cancelled (or answered No where there is no Cancel) and unscripted
// dialogs are cancelled.
struct UserScript {
  std::vector<std::wstring> messages;
  std::vector<std::wstring> questions;
  std::vector<FileDialogRequest> open_requests;
  std::vector<FileDialogRequest> save_requests;
  std::vector<std::wstring> recent_files;
  int spelling_checks = 0;
  // "question", "overwrite question", "open dialog", "save dialog", in the
  // order they came.
  std::vector<std::string> events;

  std::deque<int> answers;
  std::deque<std::wstring> open_answers;
  std::deque<std::wstring> save_answers;
};

inline UserScript g_user;

inline void InstallUserScript() {
  g_user = UserScript{};
  g_document_hooks.show_message = [](const std::wstring& text) { g_user.messages.push_back(text); };
  g_document_hooks.ask_save_changes = [](const std::wstring& question) {
    g_user.questions.push_back(question);
    g_user.events.push_back("question");
    if (g_user.answers.empty()) return kAnswerCancel;
    const int answer = g_user.answers.front();
    g_user.answers.pop_front();
    return answer;
  };
  g_document_hooks.ask_overwrite_changed = [](const std::wstring& question) {
    g_user.questions.push_back(question);
    g_user.events.push_back("overwrite question");
    if (g_user.answers.empty()) return kAnswerNo;
    const int answer = g_user.answers.front();
    g_user.answers.pop_front();
    return answer;
  };
  g_document_hooks.open_file_dialog = [](const FileDialogRequest& request) {
    g_user.open_requests.push_back(request);
    g_user.events.push_back("open dialog");
    if (g_user.open_answers.empty()) return std::wstring();
    std::wstring answer = g_user.open_answers.front();
    g_user.open_answers.pop_front();
    return answer;
  };
  g_document_hooks.save_file_dialog = [](const FileDialogRequest& request) {
    g_user.save_requests.push_back(request);
    g_user.events.push_back("save dialog");
    if (g_user.save_answers.empty()) return std::wstring();
    std::wstring answer = g_user.save_answers.front();
    g_user.save_answers.pop_front();
    return answer;
  };
  g_document_hooks.add_recent_file = [](const std::wstring& path) { g_user.recent_files.push_back(path); };
  g_document_hooks.check_spelling_document = [] { ++g_user.spelling_checks; };
}

// The editing component's notifications to the main window.
inline int g_update_notifications = 0;

inline LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lparam)->code == SCN_UPDATEUI) ++g_update_notifications;
  return DefWindowProcW(window, message, wparam, lparam);
}

using wine_test::PumpUntil;

class EditorTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    static HMODULE scintilla = LoadLibraryW((ExeFolder() + L"Scintilla64.dll").c_str());
    ASSERT_NE(scintilla, nullptr);
    WNDCLASSW main_class{};
    main_class.lpfnWndProc = MainWindowProc;
    main_class.hInstance = GetModuleHandleW(nullptr);
    main_class.lpszClassName = L"TavrelTestMain";
    RegisterClassW(&main_class);
  }

  void SetUp() override {
    ResetEditorState();
    ResetFileIoHooks();
    InstallUserScript();
    main_ = CreateWindowExW(0, L"TavrelTestMain", L"", WS_OVERLAPPEDWINDOW, 0, 0, 640, 480, nullptr, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(main_, nullptr);
    editor_ = CreateWindowExW(0, L"Scintilla", L"", WS_CHILD | WS_VISIBLE, 0, 0, 600, 400, main_, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(editor_, nullptr);
    g_editor.main_window = main_;
    g_editor.editor_control = editor_;
    ConfigureLikeTheEditor();
  }

  void TearDown() override {
    if (main_) DestroyWindow(main_);
    ResetEditorState();
    ResetDocumentHooks();
    ResetFileIoHooks();
  }

  // The configuration the main window gives its editing component.
  static void ConfigureLikeTheEditor() { ConfigureEditor(); }

  // The document's bytes, zero bytes included.
  static std::string Text() {
    const intptr_t length = SendEditor(SCI_GETLENGTH);
    if (length == 0) return std::string();
    const char* text = reinterpret_cast<const char*>(SendEditor(SCI_GETCHARACTERPOINTER));
    return std::string(text, static_cast<std::size_t>(length));
  }

  // Replaces the text as typing would: undoable, and the document modified.
  static void SetText(const std::string& bytes) {
    SendEditor(SCI_CLEARALL);
    SendEditor(SCI_APPENDTEXT, bytes.size(), reinterpret_cast<intptr_t>(bytes.data()));
  }

  static bool Modified() { return SendEditor(SCI_GETMODIFY) != 0; }

  std::wstring Title() const {
    wchar_t title[512] = {};
    GetWindowTextW(main_, title, 512);
    return title;
  }

  HWND main_ = nullptr;
  HWND editor_ = nullptr;
};

using wine_test::ReadBytes;
using wine_test::WriteBytes;

inline bool FileExists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Names in a folder, sorted.
inline std::vector<std::wstring> FilesIn(const std::wstring& folder) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    const std::wstring name = found.cFileName;
    if (name != L"." && name != L"..") names.push_back(name);
  } while (FindNextFileW(search, &found));
  FindClose(search);
  std::sort(names.begin(), names.end());
  return names;
}

inline void RemoveTree(const std::wstring& folder) {
  for (const std::wstring& name : FilesIn(folder)) {
    const std::wstring path = folder + L"\\" + name;
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
      RemoveTree(path);
    } else {
      SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      DeleteFileW(path.c_str());
    }
  }
  RemoveDirectoryW(folder.c_str());
}

class FileTest : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    if (HasFatalFailure()) return;
    static int serial = 0;
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    folder_ = std::wstring(temp) + L"tavrel-doc-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
              std::to_wstring(++serial);
    RemoveTree(folder_);
    ASSERT_TRUE(CreateDirectoryW(folder_.c_str(), nullptr));
  }

  void TearDown() override {
    EditorTest::TearDown();
    if (!folder_.empty()) RemoveTree(folder_);
  }

  std::wstring Path(const std::wstring& name) const { return folder_ + L"\\" + name; }

  std::wstring folder_;
};

}  // namespace tavrel::test_support
