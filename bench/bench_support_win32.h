// What every benchmark needs: a clock, and a real editing component set up
// as the editor's own, in a plain hidden parent window.
#pragma once
#include <windows.h>

#include <cstdio>
#include <string>

#include "app/editor_state.h"

namespace bench {

// Seconds, from the performance counter.
inline double Now() {
  static const LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER counter;
  QueryPerformanceCounter(&counter);
  return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

inline std::wstring ExeFolder() {
  wchar_t path[MAX_PATH];
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  const std::wstring folder = path;
  return folder.substr(0, folder.find_last_of(L"\\/") + 1);
}

// Loads the component from beside the program and creates it in a parent
// of parent_class; the editor's state names both. False, after saying why,
// when the component cannot be had.
inline bool CreateBenchEditor(const wchar_t* parent_class = L"STATIC") {
  if (!LoadLibraryW((ExeFolder() + L"Scintilla64.dll").c_str())) {
    std::fprintf(stderr, "Scintilla64.dll not found\n");
    return false;
  }
  HWND main_window = CreateWindowExW(0, parent_class, L"", WS_OVERLAPPEDWINDOW, 0, 0, 800, 500, nullptr, nullptr,
                                     GetModuleHandleW(nullptr), nullptr);
  HWND editor = CreateWindowExW(0, L"Scintilla", L"", WS_CHILD | WS_VISIBLE, 0, 0, 800, 500, main_window, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
  if (!editor) {
    std::fprintf(stderr, "cannot create the editing component\n");
    return false;
  }
  tavrel::g_editor.main_window = main_window;
  tavrel::g_editor.editor_control = editor;
  return true;
}

}  // namespace bench
