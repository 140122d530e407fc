// Opening and saving a large document through the editor's own commands,
// next to the floors of the same work: for opening, reading the whole file
// with one ReadFile plus feeding the same bytes to the editing component's
// loader; for saving, one WriteFile of the whole text into a new file,
// flushing it and renaming it over the old one.
//
//   open_save_bench.exe [megabytes=200] [folder=%TEMP%] [runs=3]
//
// Memory is measured cold (the first open and save in a fresh process, into
// an empty editor); times over every run. The file is read once beforehand
// so that every figure is taken with the file in the cache. Prints a
// readable summary and the rows of bench/run.sh's table.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/document/document_files.h"
#include "app/document/document_hooks.h"
#include "app/document/document_load.h"
#include "app/document/document_room.h"
#include "app/shell/editor_state.h"
#include "app/shell/editor_windows.h"
#include "app/shell/scintilla_messages.h"
#include "bench/bench_support_win32.h"
#include "platform/os_handles_win32.h"

namespace {

using bench::Now;

using FileHandle = platform::UniqueFile;
using tavrel::SendEditor;

using bench::PeakWorkingSet;

constexpr double kMiB = 1024.0 * 1024.0;

SIZE_T WorkingSet() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
  return counters.WorkingSetSize;
}

// Lines of varied length mixing ASCII with two-, three- and four-byte UTF-8
// characters, ended by CR LF.
bool WriteSampleFile(const std::wstring& path, uint64_t size) {
  static const char* const kWords[] = {"editor", "caf\xC3\xA9",         "na\xC3\xAFve", "\xE4\xB8\xAD\xE6\x96\x87",
                                       "text",   "\xF0\x9F\x98\x80", "line",         "stra\xC3\x9F" "e",
                                       "bytes",  "\xCE\xB1\xCE\xB2\xCE\xB3"};
  std::string block;
  uint32_t seed = 12345;
  while (block.size() < (4u << 20)) {
    seed = seed * 1103515245 + 12345;
    const int words = 3 + static_cast<int>((seed >> 16) % 18);
    for (int i = 0; i < words; ++i) {
      seed = seed * 1103515245 + 12345;
      block += kWords[(seed >> 16) % (sizeof kWords / sizeof kWords[0])];
      block += ' ';
    }
    block += "\r\n";
  }
  FileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  uint64_t left = size;
  while (left > 0) {
    const DWORD part = static_cast<DWORD>(std::min<uint64_t>(left, block.size()));
    DWORD written = 0;
    if (!WriteFile(file.get(), block.data(), part, &written, nullptr) || written != part) return false;
    left -= part;
  }
  return true;
}

bool ReadThrough(const std::wstring& path) {
  FileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
  if (!file) return false;
  std::vector<char> chunk(4u << 20);
  DWORD read = 0;
  while (ReadFile(file.get(), chunk.data(), static_cast<DWORD>(chunk.size()), &read, nullptr) && read > 0) {
  }
  return true;
}

// The whole file into one buffer, as few calls as the system allows.
double TimeWholeRead(const std::wstring& path, char* buffer, uint64_t size) {
  const double start = Now();
  FileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
  uint64_t done = 0;
  while (file && done < size) {
    const DWORD part = static_cast<DWORD>(std::min<uint64_t>(size - done, 1u << 30));
    DWORD read = 0;
    if (!ReadFile(file.get(), buffer + done, part, &read, nullptr) || read == 0) break;
    done += read;
  }
  const double elapsed = Now() - start;
  if (done != size) std::fprintf(stderr, "whole read got %llu of %llu bytes\n", (unsigned long long)done, (unsigned long long)size);
  return elapsed;
}

// The least a safe save can do: the whole text into a new file with one
// call, made durable, then renamed over the old file (the system frees the
// old file's blocks in that rename). The old file is the sample itself,
// whose bytes these are, so it holds the same text afterwards.
double TimeSafeWrite(const std::wstring& target, const char* buffer, uint64_t size) {
  const std::wstring path = target + L".floor";
  const double start = Now();
  {
    FileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    uint64_t done = 0;
    while (file && done < size) {
      const DWORD part = static_cast<DWORD>(std::min<uint64_t>(size - done, 1u << 30));
      DWORD written = 0;
      if (!WriteFile(file.get(), buffer + done, part, &written, nullptr) || written == 0) break;
      done += written;
    }
    if (file) FlushFileBuffers(file.get());
  }
  const bool moved = MoveFileExW(path.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING) != FALSE;
  const double elapsed = Now() - start;
  if (!moved) {
    DeleteFileW(path.c_str());
    return -1;
  }
  return elapsed;
}

// The same bytes, from memory, through the loader into a document that is
// then thrown away; blocks of the size the editor reads in.
double TimeLoaderAlone(const char* data, uint64_t size) {
  const double start = Now();
  // The editor's own mode for the size: past 2 GiB the default one would
  // keep positions in 32 bits.
  const tavrel::DocumentRoom room = tavrel::PlanDocumentRoom(size);
  auto* loader = reinterpret_cast<tavrel::ILoader*>(
      SendEditor(SCI_CREATELOADER, static_cast<uintptr_t>(size + 1),
                 SC_DOCUMENTOPTION_STYLES_NONE | (room.large ? SC_DOCUMENTOPTION_TEXT_LARGE : 0)));
  if (!loader) return -1;
  for (uint64_t done = 0; done < size;) {
    const uint64_t part = std::min<uint64_t>(size - done, tavrel::kLoadChunkBytes);
    loader->AddData(data + done, static_cast<std::ptrdiff_t>(part));
    done += part;
  }
  void* document = loader->ConvertToDocument();
  const double elapsed = Now() - start;
  SendEditor(SCI_RELEASEDOCUMENT, 0, reinterpret_cast<intptr_t>(document));
  // Creating a loader disturbs the view of the current document.
  const intptr_t current = SendEditor(SCI_GETDOCPOINTER);
  SendEditor(SCI_ADDREFDOCUMENT, 0, current);
  SendEditor(SCI_SETDOCPOINTER, 0, current);
  SendEditor(SCI_RELEASEDOCUMENT, 0, current);
  return elapsed;
}

bool g_failed = false;

void ReportMessage(const std::wstring& text) {
  std::fwprintf(stderr, L"message: %ls\n", text.c_str());
  g_failed = true;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const uint64_t megabytes = static_cast<uint64_t>(bench::Argument(argc, argv, 1, 200));
  const int runs = std::max(1, static_cast<int>(bench::Argument(argc, argv, 3, 3)));
  std::wstring folder;
  if (argc > 2) {
    folder = argv[2];
  } else {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    folder = temp;
  }
  if (!folder.empty() && folder.back() != L'\\') folder += L'\\';
  const uint64_t size = megabytes * 1024 * 1024;
  const std::wstring path = folder + L"tavrel-bench-" + std::to_wstring(GetCurrentProcessId()) + L".txt";

  if (!bench::CreateBenchEditor()) return 1;
  HWND main_window = tavrel::g_editor.main_window;
  tavrel::g_document_hooks.show_message = ReportMessage;
  SendEditor(SCI_SETCODEPAGE, SC_CP_UTF8);
  SendEditor(SCI_SETSCROLLWIDTHTRACKING, 1);

  std::printf("writing a %llu MiB sample file...\n", (unsigned long long)megabytes);
  if (!WriteSampleFile(path, size) || !ReadThrough(path)) {
    std::fprintf(stderr, "cannot write the sample file\n");
    return 1;
  }
  const SIZE_T base_working_set = WorkingSet();

  double open_first = Now();
  tavrel::OpenDocument(path);
  open_first = Now() - open_first;
  const bool loaded = static_cast<uint64_t>(SendEditor(SCI_GETLENGTH)) == size;
  double save_first = Now();
  const int saved = tavrel::SaveDocument();
  save_first = Now() - save_first;
  const SIZE_T peak = PeakWorkingSet();
  if (!loaded || saved != 0 || g_failed) {
    std::fprintf(stderr, "open or save failed\n");
    DeleteFileW(path.c_str());
    return 1;
  }

  std::vector<double> opens{open_first * 1e3}, saves{save_first * 1e3};
  tavrel::NewDocument();
  // The floors take turns with the editor, run by run, so that both meet
  // the same state of the machine (other programs, the system's cache).
  char* buffer = static_cast<char*>(VirtualAlloc(nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
  if (!buffer) return 1;
  std::vector<double> open_floors, save_floors;
  double read_best = 1e9, loader_best = 1e9;
  for (int i = 0; i < runs; ++i) {
    if (i > 0) {
      // An empty document first, so that every open starts as the first did.
      double t = Now();
      tavrel::OpenDocument(path);
      opens.push_back((Now() - t) * 1e3);
      t = Now();
      tavrel::SaveDocument();
      saves.push_back((Now() - t) * 1e3);
      tavrel::NewDocument();
    }
    const double read = TimeWholeRead(path, buffer, size);
    const double loader = TimeLoaderAlone(buffer, size);
    read_best = std::min(read_best, read);
    loader_best = std::min(loader_best, loader);
    open_floors.push_back((read + loader) * 1e3);
    const double write = TimeSafeWrite(path, buffer, size);
    if (write < 0) {
      std::fprintf(stderr, "the floor's rename over the sample failed\n");
      DeleteFileW(path.c_str());
      return 1;
    }
    save_floors.push_back(write * 1e3);
  }
  VirtualFree(buffer, 0, MEM_RELEASE);
  DeleteFileW(path.c_str());

  const double open_best = *std::min_element(opens.begin(), opens.end()) / 1e3;
  const double save_best = *std::min_element(saves.begin(), saves.end()) / 1e3;
  const double floor = read_best + loader_best;
  std::printf("file size                 %10.1f MiB\n", static_cast<double>(size) / kMiB);
  std::printf("open  (first / best of %d) %8.3f s / %.3f s\n", runs, open_first, open_best);
  std::printf("save  (first / best of %d) %8.3f s / %.3f s  (includes flushing to disk)\n", runs, save_first,
              save_best);
  std::printf("floor: whole ReadFile      %8.3f s\n", read_best);
  std::printf("floor: loader alone        %8.3f s\n", loader_best);
  std::printf("floor: write+flush+rename  %8.3f s\n", *std::min_element(save_floors.begin(), save_floors.end()) / 1e3);
  std::printf("open / (read + loader)     %8.2f x   (target <= 1.20)\n", open_best / floor);
  std::printf("working set before open   %10.1f MiB\n", static_cast<double>(base_working_set) / kMiB);
  std::printf("peak working set          %10.1f MiB = %.2f x file size (target <= 1.50)\n",
              static_cast<double>(peak) / kMiB, static_cast<double>(peak) / static_cast<double>(size));

  const std::string open_figure = bench::Figure("open", megabytes);
  const std::string save_figure = bench::Figure("save", megabytes);
  const std::string memory_figure = bench::Figure("peak memory open+save", megabytes);
  bench::PrintRow(open_figure.c_str(), "Tavrel", "ms", opens, "editor's Open command");
  bench::PrintRow(open_figure.c_str(), "floor", "ms", open_floors, "one ReadFile + the component's loader");
  bench::PrintRow(save_figure.c_str(), "Tavrel", "ms", saves, "editor's Save command, flushed");
  bench::PrintRow(save_figure.c_str(), "floor", "ms", save_floors, "one WriteFile of the text + flush + rename over the old file");
  bench::PrintRow(memory_figure.c_str(), "Tavrel", "MiB", {static_cast<double>(peak) / kMiB},
                  "peak working set of the process");
  bench::PrintRow(memory_figure.c_str(), "floor", "MiB", {static_cast<double>(size) / kMiB}, "the text itself");
  DestroyWindow(main_window);
  return 0;
}
