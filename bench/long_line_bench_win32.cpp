// Editing one very long line, through the real program's windows: the
// program is started, the file opened through its Open dialog, and keys
// posted to its editing component, each timed from the post until the
// component holds the character and has painted it (its length grew and no
// part of it waits to be painted), as a user would see it.
//
//   long_line_bench.exe keys NAME EXE FOLDER FILE RUNS [spelling]
//   long_line_bench.exe workflow NAME EXE FOLDER FILE RUNS
//
// NAME is Tavrel or SciTE (their command numbers differ). "keys": RUNS keys
// at the end, the start and the middle of the line, word wrap off and then
// on, with Tavrel's spelling on when asked; one row per place and wrap
// mode, every key a value. "workflow": per run, a fresh program that opens
// the file, goes to its end (Ctrl+End), takes a key, undoes it and saves;
// a row for the whole ("open to save") and one for each step.
// Rows are bench/run.sh's ("row,FIGURE,PROGRAM,UNIT,MIN,MEDIAN,MAX,NOTE").
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/shell/command_ids.h"
#include "bench/bench_support_win32.h"

namespace {

// The component's messages (its published numbers).
constexpr UINT kGetLength = 2006;
constexpr UINT kGotoPos = 2025;
constexpr UINT kDocumentEnd = 2318;
constexpr UINT kSetWrapMode = 2268;
constexpr UINT kUndo = 2176;
constexpr UINT kGetModify = 2159;
constexpr double kPatience = 600.0;  // seconds any one step may take at most

struct Program {
  std::wstring name, exe, folder;
  UINT open = 0, save = 0, undo = 0;
};

struct Window {
  DWORD pid;
  std::wstring class_name;
  HWND found = nullptr;
};

BOOL CALLBACK FindTopLevel(HWND window, LPARAM lparam) {
  auto& want = *reinterpret_cast<Window*>(lparam);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid != want.pid || !IsWindowVisible(window)) return TRUE;
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  if (!want.class_name.empty() && want.class_name != name) return TRUE;
  if (want.class_name.empty() && !std::wcscmp(name, L"#32770")) return TRUE;
  want.found = window;
  return FALSE;
}

// The biggest visible editing component among the window's children.
BOOL CALLBACK FindEditor(HWND window, LPARAM lparam) {
  auto& best = *reinterpret_cast<std::pair<HWND, LONG>*>(lparam);
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  RECT r;
  if (std::wcscmp(name, L"Scintilla") || !IsWindowVisible(window) || !GetClientRect(window, &r)) return TRUE;
  const LONG area = r.right * r.bottom;
  if (area > best.second) best = {window, area};
  return TRUE;
}

// The Open dialog's file name field: the edit field of its combo box
// (cmb13) or the field itself (edt1), whichever the dialog has.
BOOL CALLBACK FindNameField(HWND window, LPARAM lparam) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  if (_wcsicmp(name, L"Edit")) return TRUE;
  const int id = GetDlgCtrlID(window);
  const int parent_id = GetDlgCtrlID(GetParent(window));
  if (id != 0x480 && id != 0x47C && parent_id != 0x47C) return TRUE;
  *reinterpret_cast<HWND*>(lparam) = window;
  return FALSE;
}

bool Fail(const char* what) {
  std::fprintf(stderr, "long_line_bench: %s\n", what);
  return false;
}

LRESULT Ask(HWND window, UINT message, WPARAM wparam = 0, LPARAM lparam = 0) {
  DWORD_PTR answer = 0;
  SendMessageTimeoutW(window, message, wparam, lparam, SMTO_NORMAL, static_cast<UINT>(kPatience * 1000), &answer);
  return static_cast<LRESULT>(answer);
}

// Until the component answers and has nothing left to paint, or the
// patience runs out.
bool WaitPainted(HWND editor) {
  const double until = bench::Now() + kPatience;
  while (bench::Now() < until) {
    Ask(editor, WM_NULL);
    if (!GetUpdateRect(editor, nullptr, FALSE)) {
      Ask(editor, WM_NULL);
      return true;
    }
    Sleep(0);
  }
  return Fail("the editing component never finished painting");
}

// Until the length is at least length and everything is painted.
bool WaitLength(HWND editor, LRESULT length) {
  const double until = bench::Now() + kPatience;
  while (Ask(editor, kGetLength) < length) {
    if (bench::Now() > until) return Fail("the text never reached its length");
    Sleep(0);
  }
  return WaitPainted(editor);
}

class Session {
 public:
  explicit Session(const Program& program) : program_(program) {}
  ~Session() { Close(); }

  bool Start() {
    std::wstring command = L"\"" + program_.exe + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessW(program_.exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        program_.folder.c_str(), &startup, &process_))
      return Fail("cannot start the program");
    Window main{process_.dwProcessId, L"", nullptr};
    const double until = bench::Now() + 60;
    while (!main.found && bench::Now() < until) {
      EnumWindows(FindTopLevel, reinterpret_cast<LPARAM>(&main));
      if (!main.found) Sleep(20);
    }
    main_ = main.found;
    if (!main_) return Fail("the program showed no window");
    std::pair<HWND, LONG> best{nullptr, -1};
    EnumChildWindows(main_, FindEditor, reinterpret_cast<LPARAM>(&best));
    editor_ = best.first;
    return editor_ ? WaitPainted(editor_) : Fail("no editing component");
  }

  // Opens path through the program's Open dialog; the time from OK until
  // the whole text is in and painted.
  bool Open(const std::wstring& path, LRESULT size, double* took) {
    PostMessageW(main_, WM_COMMAND, program_.open, 0);
    Window dialog{process_.dwProcessId, L"#32770", nullptr};
    const double until = bench::Now() + 60;
    while (!dialog.found && bench::Now() < until) {
      EnumWindows(FindTopLevel, reinterpret_cast<LPARAM>(&dialog));
      if (!dialog.found) Sleep(20);
    }
    if (!dialog.found) return Fail("no Open dialog");
    HWND name = nullptr;
    EnumChildWindows(dialog.found, FindNameField, reinterpret_cast<LPARAM>(&name));
    if (!name) return Fail("no file name field in the Open dialog");
    SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    const double start = bench::Now();
    PostMessageW(dialog.found, WM_COMMAND, IDOK, 0);
    if (!WaitLength(editor_, size)) return false;
    *took = (bench::Now() - start) * 1e3;
    return true;
  }

  // One character posted; the time until it is in and painted.
  bool Key(double* took) {
    const LRESULT length = Ask(editor_, kGetLength);
    const double start = bench::Now();
    PostMessageW(editor_, WM_CHAR, 'x', 1);
    if (!WaitLength(editor_, length + 1)) return false;
    *took = (bench::Now() - start) * 1e3;
    return true;
  }

  bool Step(UINT message, WPARAM wparam, double* took) {
    const double start = bench::Now();
    Ask(editor_, message, wparam);
    if (!WaitPainted(editor_)) return false;
    *took = (bench::Now() - start) * 1e3;
    return true;
  }

  bool Command(UINT id, double* took) {
    const double start = bench::Now();
    Ask(main_, WM_COMMAND, id);
    if (!WaitPainted(editor_)) return false;
    *took = (bench::Now() - start) * 1e3;
    return true;
  }

  // Saves; the time until the file's last write moved and the program
  // answers with its text at the save point.
  bool Save(const std::wstring& path, double* took) {
    WIN32_FILE_ATTRIBUTE_DATA before{}, now{};
    GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &before);
    const double start = bench::Now();
    PostMessageW(main_, WM_COMMAND, program_.save, 0);
    const double until = start + kPatience;
    for (;;) {
      if (bench::Now() > until) return Fail("the file was never saved");
      if (GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &now) &&
          CompareFileTime(&now.ftLastWriteTime, &before.ftLastWriteTime) != 0 && Ask(editor_, kGetModify) == 0)
        break;
      Sleep(1);
    }
    if (!WaitPainted(editor_)) return false;
    *took = (bench::Now() - start) * 1e3;
    return true;
  }

  HWND editor() const { return editor_; }

 private:
  void Close() {
    if (!process_.hProcess) return;
    // The work is done and measured: nothing of it needs keeping.
    TerminateProcess(process_.hProcess, 0);
    WaitForSingleObject(process_.hProcess, 10000);
    CloseHandle(process_.hProcess);
    CloseHandle(process_.hThread);
    process_ = {};
  }

  const Program& program_;
  PROCESS_INFORMATION process_{};
  HWND main_ = nullptr;
  HWND editor_ = nullptr;
};

LRESULT FileSize(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return -1;
  return static_cast<LRESULT>((static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow);
}

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

int Keys(const Program& program, const std::wstring& path, int runs, bool spelling) {
  const LRESULT size = FileSize(path);
  const unsigned long long mib = static_cast<unsigned long long>(size) >> 20;
  Session session(program);
  double took = 0;
  if (!session.Start() || !session.Open(path, size, &took)) return 1;
  if (spelling && !session.Command(tavrel::CMD_SPELL_CHECK, &took)) return 1;
  HWND editor = session.editor();
  const char* const places[] = {"end", "start", "middle"};
  for (int wrap = 0; wrap < 2; ++wrap) {
    if (!session.Step(kSetWrapMode, static_cast<WPARAM>(wrap), &took)) return 1;
    for (const char* place : places) {
      const LRESULT length = Ask(editor, kGetLength);
      const LRESULT at = !std::strcmp(place, "end") ? length : !std::strcmp(place, "start") ? 0 : length / 2;
      if (!session.Step(kGotoPos, static_cast<WPARAM>(at), &took)) return 1;
      std::vector<double> times;
      for (int k = 0; k < runs; ++k) {
        if (!session.Key(&took)) return 1;
        times.push_back(took);
      }
      // (No commas: the table's rows are split at them.)
      const std::string figure = "key at the " + std::string(place) + " of a " + std::to_string(mib) +
                                 " MiB line (wrap " + (wrap ? "on" : "off") +
                                 (program.name == L"Tavrel" ? (spelling ? "; spelling on)" : "; spelling off)") : ")");
      bench::PrintRow(figure.c_str(), Narrow(program.name).c_str(), "ms", times,
                      "posted key until the component holds it and has painted it");
    }
  }
  return 0;
}

int Workflow(const Program& program, const std::wstring& path, int runs) {
  const LRESULT size = FileSize(path);
  const unsigned long long mib = static_cast<unsigned long long>(size) >> 20;
  std::vector<double> opens, ends, keys, undos, saves, totals;
  for (int run = 0; run < runs; ++run) {
    Session session(program);
    double open = 0, end = 0, key = 0, undo = 0, save = 0;
    if (!session.Start() || !session.Open(path, size, &open) || !session.Step(kDocumentEnd, 0, &end) ||
        !session.Key(&key))
      return 1;
    if (program.name == L"Tavrel" ? !session.Command(program.undo, &undo) : !session.Step(kUndo, 0, &undo)) return 1;
    if (!session.Save(path, &save)) return 1;
    opens.push_back(open);
    ends.push_back(end);
    keys.push_back(key);
    undos.push_back(undo);
    saves.push_back(save);
    totals.push_back(open + end + key + undo + save);
    std::printf("%ls run %d: open %.0f, to the end %.0f, key %.0f, undo %.0f, save %.0f ms\n", program.name.c_str(),
                run + 1, open, end, key, undo, save);
  }
  const std::string line = " a " + std::to_string(mib) + " MiB line";
  const std::string name = Narrow(program.name);
  bench::PrintRow(("open to save of" + line).c_str(), name.c_str(), "ms", totals,
                  "the five steps below, one after the other");
  bench::PrintRow(("open" + line).c_str(), name.c_str(), "ms", opens, "OK in the Open dialog until in and painted");
  bench::PrintRow(("go to the end of" + line).c_str(), name.c_str(), "ms", ends, "Ctrl+End until painted");
  bench::PrintRow(("key at the end of" + line).c_str(), name.c_str(), "ms", keys, "until in and painted");
  bench::PrintRow(("undo at the end of" + line).c_str(), name.c_str(), "ms", undos, "until undone and painted");
  bench::PrintRow(("save" + line).c_str(), name.c_str(), "ms", saves, "until the file is written and the program answers");
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 7) {
    std::fprintf(stderr, "usage: long_line_bench keys|workflow NAME EXE FOLDER FILE RUNS [spelling]\n");
    return 2;
  }
  Program program{argv[2], argv[3], argv[4]};
  if (program.name == L"Tavrel") {
    program.open = tavrel::CMD_OPEN;
    program.save = tavrel::CMD_SAVE;
    program.undo = tavrel::CMD_UNDO;
  } else {
    // SciTE's menu commands.
    program.open = 102;
    program.save = 106;
    program.undo = 201;
  }
  const std::wstring mode = argv[1], path = argv[5];
  const int runs = std::max(1, _wtoi(argv[6]));
  const bool spelling = argc > 7 && !std::wcscmp(argv[7], L"spelling");
  if (mode == L"keys") return Keys(program, path, runs, spelling);
  if (mode == L"workflow") return Workflow(program, path, runs);
  std::fprintf(stderr, "unknown mode\n");
  return 2;
}
