// The search strip on large documents, next to the floor measured in the
// same run: one plain case-folded scan of the same buffer (every position
// compared with the needle through an ASCII lower-case table).
//
//   search_bench.exe [megabytes=100] [typed megabytes=10] [runs=3]
//
// 1. A generated document of that size with a 3-letter needle that occurs
//    about once every 100 bytes (about 1 M matches in 100 MB): one
//    keystroke's full work (search, marking, counter), searched afresh and
//    narrowed from the 2-letter text before it, and a Find Next.
// 2. A document of the typed size, a word typed into the field letter by
//    letter: every keystroke's time, the slowest reported.
// Each figure is the best of the runs; the keystroke's rows for
// bench/run.sh give every run.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/shell/editor_state.h"
#include "app/shell/editor_windows.h"
#include "app/search/find_in_document_win32.h"
#include "app/shell/main_window_win32.h"
#include "app/shell/scintilla_messages.h"
#include "app/search/search_strip_win32.h"
#include "app/search/text_search.h"
#include "bench/bench_support_win32.h"

namespace {

using bench::Now;

using tavrel::FindInDocument;
using tavrel::SendEditor;

int kRepeats = 3;

// Words of English-like text with some non-ASCII letters; "Qzx" in mixed
// case is planted about once every 100 bytes.
std::string MakeDocument(size_t size) {
  static const char* const kWords[] = {"the",   "editor", "caf\xC3\xA9", "search", "Text",  "line",
                                       "STRA\xC3\x9F" "E", "of",  "and",  "window", "\xCE\xB1\xCE\xB2\xCE\xB3",
                                       "value", "count",  "marks",     "in",     "a"};
  std::string document;
  document.reserve(size + 64);
  uint32_t seed = 7;
  size_t next_plant = 0;
  while (document.size() < size) {
    seed = seed * 1103515245 + 12345;
    if (document.size() >= next_plant) {
      document += (seed >> 20) & 1 ? "Qzx" : "qZX";
      next_plant = document.size() + 60 + ((seed >> 8) % 80);
    } else {
      document += kWords[(seed >> 16) % std::size(kWords)];
    }
    document += (seed >> 12) % 12 == 0 ? "\r\n" : " ";
  }
  document.resize(size);
  return document;
}

// The floor: every position compared with the needle through a lower-case
// table, the simplest case-insensitive scan there is.
int64_t FloorScan(const char* buffer, int64_t length, const char* needle, int64_t needle_length) {
  unsigned char lower[256];
  for (int b = 0; b < 256; ++b) lower[b] = static_cast<unsigned char>(b >= 'A' && b <= 'Z' ? b + 32 : b);
  const auto* bytes = reinterpret_cast<const unsigned char*>(buffer);
  const auto* want = reinterpret_cast<const unsigned char*>(needle);
  int64_t count = 0;
  for (int64_t i = 0; i + needle_length <= length; ++i) {
    int64_t k = 0;
    while (k < needle_length && lower[bytes[i + k]] == want[k]) ++k;
    count += k == needle_length;
  }
  return count;
}

void LoadDocument(const std::string& document) {
  SendEditor(SCI_CLEARALL);
  SendEditor(SCI_EMPTYUNDOBUFFER);
  SendEditor(SCI_APPENDTEXT, document.size(), reinterpret_cast<intptr_t>(document.data()));
  SendEditor(SCI_EMPTYUNDOBUFFER);
  SendEditor(SCI_GOTOPOS, 0);
}

void ResetSearch() {
  FindInDocument(0, SendEditor(SCI_GETLENGTH), L"", 0);
  tavrel::ResetSearchMemory();
}

// The best time of the runs; every time goes to times, in milliseconds.
template <typename Work>
double Best(Work work, std::vector<double>* times = nullptr) {
  double best = 1e30;
  for (int i = 0; i < kRepeats; ++i) {
    const double start = Now();
    work();
    const double took = Now() - start;
    best = std::min(best, took);
    if (times) times->push_back(took * 1e3);
  }
  return best;
}

void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const size_t megabytes = argc > 1 ? static_cast<size_t>(_wtoi(argv[1])) : 100;
  const size_t typed_megabytes = argc > 2 ? static_cast<size_t>(_wtoi(argv[2])) : 10;
  kRepeats = std::max(1, static_cast<int>(bench::Argument(argc, argv, 3, 3)));
  if (!bench::CreateBenchEditor()) return 1;
  HWND main_window = tavrel::g_editor.main_window;
  tavrel::ConfigureEditor();
  ShowWindow(main_window, SW_SHOW);

  std::printf("generating %zu MiB...\n", megabytes);
  LoadDocument(MakeDocument(megabytes << 20));
  Pump();
  const int64_t length = SendEditor(SCI_GETLENGTH);
  const char* buffer = reinterpret_cast<const char*>(SendEditor(SCI_GETCHARACTERPOINTER));
  int64_t floor_count = 0;
  std::vector<double> floor_times, fresh_times;
  const double floor = Best([&] { floor_count = FloorScan(buffer, length, "qzx", 3); }, &floor_times);

  const double fresh = Best(
      [&] {
        ResetSearch();
        FindInDocument(0, length, L"qzx", 0);
      },
      &fresh_times);
  const std::wstring counter = tavrel::MatchCounter().text;
  double narrowed = 1e30;
  for (int i = 0; i < kRepeats; ++i) {
    ResetSearch();
    FindInDocument(0, length, L"qz", 0);
    const double start = Now();
    FindInDocument(0, length, L"qzx", 0);
    narrowed = std::min(narrowed, Now() - start);
  }
  const double next = Best([&] { FindInDocument(0, length, L"qzx", 1); });
  // The marks that wait for idle time, until the last is on.
  double all_marked = Now();
  ResetSearch();
  FindInDocument(0, length, L"qzx", 0);
  while (tavrel::SearchMarkingPending()) {
    MSG msg;
    if (GetMessageW(&msg, nullptr, 0, 0) <= 0) break;
    DispatchMessageW(&msg);
  }
  all_marked = Now() - all_marked;
  tavrel::SearchResult result;
  const double matcher = Best([&] {
    tavrel::FindAllMatches(std::string_view(buffer, static_cast<size_t>(length)), 0, length, "qzx", result);
  });
  Pump();

  std::printf("document: %lld bytes, needle \"qzx\": %lld matches (floor count %lld), counter \"%ls\"\n",
              static_cast<long long>(length), static_cast<long long>(tavrel::g_editor.last_match_index + 1),
              static_cast<long long>(floor_count), counter.c_str());
  std::printf("floor (one case-folded scan): %8.1f ms\n", floor * 1e3);
  std::printf("keystroke, searched afresh:   %8.1f ms  (%.2f x floor)\n", fresh * 1e3, fresh / floor);
  std::printf("keystroke, narrowed from qz:  %8.1f ms  (%.2f x floor)\n", narrowed * 1e3, narrowed / floor);
  std::printf("find next:                    %8.3f ms  (%.4f x floor)\n", next * 1e3, next / floor);
  std::printf("matcher alone:                %8.1f ms  (%.2f x floor)\n", matcher * 1e3, matcher / floor);
  std::printf("every match marked (idle time, editor responsive meanwhile): %.0f ms after the keystroke\n",
              all_marked * 1e3);
  const std::string figure = bench::Figure("search keystroke", megabytes);
  bench::PrintRow(figure.c_str(), "Tavrel", "ms", fresh_times, "search + marks on screen + counter");
  bench::PrintRow(figure.c_str(), "floor", "ms", floor_times, "one case-folded scan of the buffer");

  ResetSearch();
  std::printf("generating %zu MiB for typing...\n", typed_megabytes);
  LoadDocument(MakeDocument(typed_megabytes << 20));
  Pump();
  const std::wstring word = L"strasse";
  double slowest = 0;
  std::wstring slowest_text;
  for (int i = 0; i < kRepeats; ++i) {
    ResetSearch();
    for (size_t end = 1; end <= word.size(); ++end) {
      const std::wstring text = word.substr(0, end);
      const double start = Now();
      FindInDocument(0, SendEditor(SCI_GETLENGTH), text, 0);
      const double took = Now() - start;
      if (i == kRepeats - 1) std::printf("  \"%ls\": %7.1f ms, %lld matches\n", text.c_str(), took * 1e3,
                                        static_cast<long long>(tavrel::g_editor.last_match_index + 1));
      if (i == kRepeats - 1 && took > slowest) {
        slowest = took;
        slowest_text = text;
      }
      Pump();
    }
  }
  std::printf("typing \"%ls\" into %zu MiB: slowest keystroke %.1f ms (\"%ls\")\n", word.c_str(), typed_megabytes,
              slowest * 1e3, slowest_text.c_str());
  DestroyWindow(main_window);
  return 0;
}
