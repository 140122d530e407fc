// Launch-to-window timing of several programs, in interleaved rounds.
//   startup_launch.exe [--rounds N] [--trace FILE] NAME EXE FOLDER [NAME EXE FOLDER...]
// Each round starts every program once, in an order that rotates from round
// to round, from this process with CreateProcess, and polls for a visible
// top-level window of that process id ("shown"). It then sends the window a
// message and waits for the answer ("ready": the program's thread takes
// messages again; under Wine that can already happen inside ShowWindow, so
// it is not proof of a finished paint), closes the window and waits
// for the process to end before the next launch. One untimed launch of each
// program comes first, so that every round finds the same warm system.
//
// With --trace, the environment variable TAVREL_STARTUP_TRACE names FILE for
// every launch; a program that records a start-up trace writes it there, and
// its marks are printed after the table, as milliseconds since the launch
// (the median of each mark over the rounds).
//
// Output: per program "result NAME shown|ready MIN MEDIAN MAX" lines for
// scripts, then a readable table with the ratio of each program's medians to
// the first program's.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "bench/bench_support_win32.h"

namespace {

struct Program {
  std::wstring name, exe, folder;
  std::vector<double> shown_ms, ready_ms;
};

struct Found {
  DWORD pid;
  HWND window;
};

BOOL CALLBACK FindShownWindow(HWND window, LPARAM lparam) {
  Found& found = *reinterpret_cast<Found*>(lparam);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid != found.pid || !IsWindowVisible(window)) return TRUE;
  found.window = window;
  return FALSE;
}

BOOL CALLBACK CloseOwnWindows(HWND window, LPARAM pid) {
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == static_cast<DWORD>(pid) && IsWindowVisible(window)) PostMessageW(window, WM_CLOSE, 0, 0);
  return TRUE;
}

// Marks of one run, as milliseconds since the launch, in the order written.
std::vector<std::pair<std::string, double>> ReadTrace(const std::wstring& path, double launched) {
  std::vector<std::pair<std::string, double>> marks;
  FILE* file = _wfopen(path.c_str(), L"rb");
  if (!file) return marks;
  char step[64];
  long long value = 0, frequency = 0;
  if (std::fscanf(file, "frequency %lld", &frequency) == 1 && frequency > 0) {
    while (std::fscanf(file, "%63s %lld", step, &value) == 2)
      marks.emplace_back(step, static_cast<double>(value) / static_cast<double>(frequency) * 1000.0 - launched);
  }
  std::fclose(file);
  return marks;
}

// Launches once; false when the program could not be started or showed no
// window within 30 seconds.
bool LaunchOnce(const Program& program, double& shown_ms, double& ready_ms) {
  std::wstring command = L"\"" + program.exe + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  const double start = bench::Now() * 1000.0;
  if (!CreateProcessW(program.exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      program.folder.c_str(), &startup, &process)) {
    std::fwprintf(stderr, L"cannot start %ls (error %lu)\n", program.exe.c_str(), GetLastError());
    return false;
  }
  CloseHandle(process.hThread);
  Found found{process.dwProcessId, nullptr};
  bool ok = false;
  while (bench::Now() * 1000.0 - start < 30000.0) {
    EnumWindows(FindShownWindow, reinterpret_cast<LPARAM>(&found));
    if (found.window) break;
    if (WaitForSingleObject(process.hProcess, 1) == WAIT_OBJECT_0) break;
  }
  if (found.window) {
    shown_ms = bench::Now() * 1000.0 - start;
    DWORD_PTR answer = 0;
    SendMessageTimeoutW(found.window, WM_NULL, 0, 0, SMTO_NORMAL, 30000, &answer);
    ready_ms = bench::Now() * 1000.0 - start;
    ok = true;
  } else {
    std::fwprintf(stderr, L"%ls showed no window\n", program.name.c_str());
  }
  EnumWindows(CloseOwnWindows, static_cast<LPARAM>(process.dwProcessId));
  if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) {
    std::fwprintf(stderr, L"%ls did not close; ended\n", program.name.c_str());
    TerminateProcess(process.hProcess, 1);
    WaitForSingleObject(process.hProcess, 5000);
  }
  CloseHandle(process.hProcess);
  // The ended process's windows and X resources go away in the background;
  // the next launch should not pay for them.
  Sleep(150);
  return ok;
}

void Stats(std::vector<double> values, double& low, double& median, double& high) {
  std::sort(values.begin(), values.end());
  low = values.front();
  high = values.back();
  const size_t n = values.size();
  median = n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
}

double Median(std::vector<double> values) {
  double low, median, high;
  Stats(std::move(values), low, median, high);
  return median;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  int rounds = 15;
  std::wstring trace;
  std::vector<Program> programs;
  for (int i = 1; i < argc; ++i) {
    if (!std::wcscmp(argv[i], L"--rounds") && i + 1 < argc) {
      rounds = std::max(1, _wtoi(argv[++i]));
    } else if (!std::wcscmp(argv[i], L"--trace") && i + 1 < argc) {
      trace = argv[++i];
    } else if (i + 2 < argc) {
      programs.push_back(Program{argv[i], argv[i + 1], argv[i + 2], {}, {}});
      i += 2;
    } else {
      std::fwprintf(stderr, L"usage: startup_launch [--rounds N] [--trace FILE] NAME EXE FOLDER...\n");
      return 2;
    }
  }
  if (programs.empty()) {
    std::fwprintf(stderr, L"usage: startup_launch [--rounds N] [--trace FILE] NAME EXE FOLDER...\n");
    return 2;
  }
  if (!trace.empty()) SetEnvironmentVariableW(L"TAVREL_STARTUP_TRACE", trace.c_str());

  double shown = 0, ready = 0;
  for (const Program& program : programs) {
    if (!LaunchOnce(program, shown, ready)) return 1;
  }
  // Per program: each mark's times over the rounds, in first-seen order.
  std::map<std::wstring, std::vector<std::pair<std::string, std::vector<double>>>> traces;
  const size_t count = programs.size();
  for (int round = 0; round < rounds; ++round) {
    for (size_t k = 0; k < count; ++k) {
      Program& program = programs[(k + static_cast<size_t>(round)) % count];
      if (!trace.empty()) DeleteFileW(trace.c_str());
      const double launched = bench::Now() * 1000.0;
      if (!LaunchOnce(program, shown, ready)) return 1;
      program.shown_ms.push_back(shown);
      program.ready_ms.push_back(ready);
      if (trace.empty()) continue;
      auto& marks = traces[program.name];
      for (const auto& [step, ms] : ReadTrace(trace, launched)) {
        auto it = std::find_if(marks.begin(), marks.end(), [&](const auto& m) { return m.first == step; });
        if (it == marks.end()) it = marks.insert(marks.end(), {step, {}});
        it->second.push_back(ms);
      }
    }
  }

  for (const Program& program : programs) {
    double low, median, high;
    Stats(program.shown_ms, low, median, high);
    std::wprintf(L"result %ls shown %.1f %.1f %.1f\n", program.name.c_str(), low, median, high);
    Stats(program.ready_ms, low, median, high);
    std::wprintf(L"result %ls ready %.1f %.1f %.1f\n", program.name.c_str(), low, median, high);
  }
  std::wprintf(L"\nlaunch to first visible window (shown) and to its first answered message (ready), ms, "
               L"%d interleaved rounds\n",
               rounds);
  std::wprintf(L"%-10ls %8ls %8ls %8ls %8ls   %-8ls\n", L"program", L"min", L"median", L"max", L"ready", L"ratio");
  const double base_shown = Median(programs.front().shown_ms);
  const double base_ready = Median(programs.front().ready_ms);
  for (const Program& program : programs) {
    double low, median, high;
    Stats(program.shown_ms, low, median, high);
    const double ready_median = Median(program.ready_ms);
    std::wprintf(L"%-10ls %8.1f %8.1f %8.1f %8.1f", program.name.c_str(), low, median, high, ready_median);
    if (&program != &programs.front())
      std::wprintf(L"   %ls/%ls %.2fx shown, %.2fx ready", programs.front().name.c_str(), program.name.c_str(),
                   base_shown / median, base_ready / ready_median);
    std::wprintf(L"\n");
  }
  for (const auto& [name, marks] : traces) {
    if (marks.empty()) continue;
    std::wprintf(L"\nstart-up trace of %ls, ms since launch (median of %d rounds)\n", name.c_str(),
                 static_cast<int>(marks.front().second.size()));
    double previous = 0;
    for (const auto& [step, times] : marks) {
      const double at = Median(times);
      std::wprintf(L"  %-24hs %8.1f  (+%.1f)\n", step.c_str(), at, at - previous);
      previous = at;
    }
  }
  return 0;
}
