// What every benchmark needs: a clock, and a real editing component set up
// as the editor's own, in a plain hidden parent window.
#pragma once
#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/shell/editor_state.h"

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

// One machine-readable line per figure, collected by bench/run.sh into its
// table: the figure, whose it is ("Tavrel", "floor" or a peer), the unit,
// and the least, middle and greatest of the values measured, then a note.
//   row,open 200 MiB,floor,ms,412.0,420.3,433.9,one ReadFile + the loader
inline void PrintRow(const char* figure, const char* program, const char* unit, std::vector<double> values,
                     const char* note = "") {
  if (values.empty()) return;
  std::sort(values.begin(), values.end());
  const size_t n = values.size();
  const double median = n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
  std::printf("row,%s,%s,%s,%.3f,%.3f,%.3f,%s\n", figure, program, unit, values.front(), median, values.back(), note);
  std::fflush(stdout);
}

// The figure's name with a size in it: "open 200 MiB".
inline std::string Figure(const char* what, unsigned long long mebibytes) {
  return std::string(what) + " " + std::to_string(mebibytes) + " MiB";
}

// The most memory the process has held in RAM so far.
inline SIZE_T PeakWorkingSet() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
  return counters.PeakWorkingSetSize;
}

// The number given as argument index, or fallback.
inline long long Argument(int argc, wchar_t** argv, int index, long long fallback) {
  return argc > index ? _wtoi64(argv[index]) : fallback;
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
