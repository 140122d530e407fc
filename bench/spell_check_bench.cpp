// Spell checking on big documents, through the editor's own code and the
// real library, next to its floors measured in the same run:
// - a whole-document check of a ~10 MB English text: ours (cached verdicts)
//   against one library call per word, and against the scan alone with no
//   judging at all;
// - switching spelling on in that document as the editor does it (what is
//   on screen at once, the rest in idle slices): the longest time the
//   window leaves a posted message unanswered, against the same loop with
//   nothing to mark; and the time until every mark is made, against the
//   same check in one go;
// - the re-check of a 10,000-character line after each typed character
//   (median over the keystrokes), against the same typing with spell
//   checking off.
//
//   spell_check_bench.exe [megabytes=10] [runs=3] [idle]    (run in the data folder)
//
// With "idle" only switching spelling on is measured (for documents too
// big to judge word by word in reasonable time).
//
// Prints a readable summary and the rows of bench/run.sh's table.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "app/shell/editor_state.h"
#include "app/shell/editor_windows.h"
#include "app/shell/scintilla_messages.h"
#include "app/spelling/spell_check_win32.h"
#include "app/spelling/spell_words.h"
#include "app/spelling/spelling_library_win32.h"
#include "bench/bench_support_win32.h"

namespace {

using bench::Now;

using tavrel::g_editor;
using tavrel::SendEditor;

// Common English words, drawn with a skew towards the first ones as real
// text is, with a misspelling now and then and sentences of varied length.
const char* const kWords[] = {
    "the", "of", "and", "to", "in", "is", "that", "it", "was", "for", "on", "are", "as", "with", "his", "they",
    "at", "be", "this", "have", "from", "or", "one", "had", "by", "word", "but", "not", "what", "all", "were",
    "we", "when", "your", "can", "said", "there", "use", "an", "each", "which", "she", "do", "how", "their",
    "if", "will", "up", "other", "about", "out", "many", "then", "them", "these", "so", "some", "her", "would",
    "make", "like", "him", "into", "time", "has", "look", "two", "more", "write", "go", "see", "number", "no",
    "way", "could", "people", "my", "than", "first", "water", "been", "call", "who", "oil", "its", "now",
    "find", "long", "down", "day", "did", "get", "come", "made", "may", "part", "over", "new", "sound", "take",
    "only", "little", "work", "know", "place", "year", "live", "me", "back", "give", "most", "very", "after",
    "thing", "our", "just", "name", "good", "sentence", "man", "think", "say", "great", "where", "help",
    "through", "much", "before", "line", "right", "too", "mean", "old", "any", "same", "tell", "boy", "follow",
    "came", "want", "show", "also", "around", "form", "three", "small", "set", "put", "end", "does", "another",
    "well", "large", "must", "big", "even", "such", "because", "turn", "here", "why", "ask", "went", "men",
    "read", "need", "land", "different", "home", "us", "move", "try", "kind", "hand", "picture", "again",
    "change", "off", "play", "spell", "air", "away", "animal", "house", "point", "page", "letter", "mother",
    "answer", "found", "study", "still", "learn", "should", "America", "world", "colour", "behaviour",
    "centre", "organise", "don't", "it's", "children's", "na\xC3\xAFve", "caf\xC3\xA9", "neighbour", "programme",
    "labour", "favourite", "theatre", "travelled", "analyse", "catalogue", "defence", "licence", "grey"};
const char* const kMisspelt[] = {"teh", "recieve", "seperate", "occured", "definately", "wich", "untill",
                                 "becuase", "goverment", "enviroment"};

uint32_t g_seed = 20261207;
uint32_t Next() {
  g_seed = g_seed * 1103515245u + 12345u;
  return g_seed >> 8;
}

std::string MakeText(std::size_t bytes, std::size_t line_length, uint32_t misspelt_one_in = 400) {
  constexpr std::size_t kCount = sizeof kWords / sizeof kWords[0];
  std::string text;
  text.reserve(bytes + 256);
  std::size_t line_start = 0;
  bool sentence_start = true;
  while (text.size() < bytes) {
    std::string word;
    if (Next() % misspelt_one_in == 0) {
      word = kMisspelt[Next() % (sizeof kMisspelt / sizeof kMisspelt[0])];
    } else {
      // Squaring a uniform draw favours the front of the list.
      const double u = static_cast<double>(Next() % 10000) / 10000.0;
      word = kWords[static_cast<std::size_t>(u * u * kCount)];
    }
    if (sentence_start && word[0] >= 'a' && word[0] <= 'z') word[0] = static_cast<char>(word[0] - 32);
    sentence_start = false;
    text += word;
    const uint32_t r = Next() % 100;
    if (r < 8) {
      text += '.';
      sentence_start = true;
    } else if (r < 14) {
      text += ',';
    } else if (r == 14) {
      text += " 42";
    }
    if (text.size() - line_start >= line_length) {
      text += "\r\n";
      line_start = text.size();
    } else {
      text += ' ';
    }
  }
  return text;
}

LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NOTIFY && reinterpret_cast<const NMHDR*>(lparam)->code == SCN_MODIFIED)
    tavrel::CheckSpellingAfterModification(*reinterpret_cast<const SCNotification*>(lparam));
  return DefWindowProcW(window, message, wparam, lparam);
}

void SetDocument(const std::string& text) {
  const int64_t on = g_editor.spell_check_on;
  g_editor.spell_check_on = 0;
  SendEditor(SCI_CLEARALL);
  SendEditor(SCI_APPENDTEXT, text.size(), reinterpret_cast<intptr_t>(text.data()));
  SendEditor(SCI_EMPTYUNDOBUFFER);
  g_editor.spell_check_on = on;
}

std::string DocumentText() {
  const intptr_t length = SendEditor(SCI_GETLENGTH);
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  Sci_TextRangeFull range{{0, length}, text.data()};
  SendEditor(SCI_GETTEXTRANGEFULL, 0, reinterpret_cast<intptr_t>(&range));
  text.resize(static_cast<std::size_t>(length));
  return text;
}

intptr_t MarkedBytes() {
  intptr_t marked = 0, pos = 0;
  const intptr_t length = SendEditor(SCI_GETLENGTH);
  while (pos < length) {
    const intptr_t end = SendEditor(SCI_INDICATOREND, 0, pos);
    if (SendEditor(SCI_INDICATORVALUEAT, 0, pos)) marked += end - pos;
    if (end <= pos) break;
    pos = end;
  }
  return marked;
}

void ClearMarks() {
  SendEditor(SCI_SETINDICATORCURRENT, 0);
  SendEditor(SCI_INDICATORCLEARRANGE, 0, SendEditor(SCI_GETLENGTH));
}

// One library call per word, marks as ours: what a check costs without the
// verdict cache.
void CheckOneCallPerWord() {
  const std::string text = DocumentText();
  SendEditor(SCI_SETINDICATORCURRENT, 0);
  tavrel::ForEachSpellWord(text, false, [&](std::size_t offset, std::size_t size) {
    if (!tavrel::SpellAskLibrary(std::string_view(text).substr(offset, size)))
      SendEditor(SCI_INDICATORFILLRANGE, offset, static_cast<intptr_t>(size));
  });
}

// The scan alone: fetching the text and finding its words.
std::size_t ScanOnly() {
  const std::string text = DocumentText();
  std::size_t words = 0;
  tavrel::ForEachSpellWord(text, false, [&](std::size_t, std::size_t) { ++words; });
  return words;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? 0 : values[values.size() / 2];
}

// Types text one character at a time into the middle of line 1 (a line of
// about 10,000 characters), each as a real edit whose notification runs
// the re-check while spell checking is on; then takes it back out.
std::vector<double> TypeIntoLongLine(const std::string& typed) {
  const intptr_t line_start = SendEditor(SCI_POSITIONFROMLINE, 1);
  const intptr_t line_end = SendEditor(SCI_GETLINEENDPOSITION, 1);
  intptr_t pos = line_start + (line_end - line_start) / 2;
  while (pos < line_end && static_cast<char>(SendEditor(SCI_GETCHARAT, pos)) != ' ') ++pos;
  SendEditor(SCI_GOTOPOS, pos + 1);
  std::vector<double> times;
  for (const char c : typed) {
    const double t = Now();
    SendEditor(SCI_ADDTEXT, 1, reinterpret_cast<intptr_t>(&c));
    times.push_back(Now() - t);
  }
  for (std::size_t i = 0; i < typed.size(); ++i) SendEditor(SCI_DELETEBACK);
  return times;
}

// A probe: a thread posts a message, waits until the loop has answered it
// (looking every millisecond), and posts the next. The longest wait is the longest
// time the window leaves input unanswered.
constexpr UINT kProbe = WM_APP + 1;
constexpr UINT kSwitchOn = WM_APP + 2;

class Prober {
 public:
  explicit Prober(HWND window)
      : generation_(++g_generation), thread_([this, window] {
          while (!stop_) {
            answered_ = false;
            LARGE_INTEGER sent;
            QueryPerformanceCounter(&sent);
            PostMessageW(window, kProbe, generation_, static_cast<LPARAM>(sent.QuadPart));
            while (!answered_ && !stop_) Sleep(1);
          }
        }) {}
  ~Prober() {
    stop_ = true;
    thread_.join();
  }
  // Called by the loop when a probe arrives; one left over from an
  // earlier prober is not this one's.
  void Answer(const MSG& msg) {
    if (msg.wParam != generation_) return;
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    const double waited = static_cast<double>(now.QuadPart - msg.lParam) / static_cast<double>(frequency.QuadPart);
    longest_ = std::max(longest_, waited);
    answered_ = true;
  }
  double Longest() const { return longest_; }

 private:
  static inline WPARAM g_generation = 0;
  const WPARAM generation_;
  std::atomic<bool> stop_{false}, answered_{false};
  double longest_ = 0;
  std::thread thread_;
};

// Runs the loop, with a prober, until done() holds (at least min_seconds);
// the longest unanswered time in seconds.
template <typename Started, typename Done>
double LongestStall(HWND window, Started started, Done done, double min_seconds) {
  Prober prober(window);
  const double began = Now();
  PostMessageW(window, kSwitchOn, 0, 0);
  MSG msg;
  while (!(done() && Now() - began >= min_seconds)) {
    if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
      continue;
    }
    if (msg.message == kProbe) {
      prober.Answer(msg);
    } else if (msg.message == kSwitchOn) {
      started();
    } else {
      DispatchMessageW(&msg);
    }
  }
  return prober.Longest();
}

struct IdleMarking {
  std::vector<double> stalls, all_marked, stall_floors, in_one_go;
};

// Switching spelling on in the current document with a cold verdict cache,
// as after start-up: the longest stall and the time until all is marked;
// the same loop with nothing to mark; the same marks made in one go.
IdleMarking MeasureIdleMarking(HWND window, int runs, intptr_t* marked_idle, intptr_t* marked_at_once) {
  IdleMarking m;
  for (int run = 0; run < runs; ++run) {
    tavrel::SpellFree();
    g_editor.spelling_dictionary = tavrel::SpellInit(tavrel::kDictionaryPath);
    ClearMarks();
    double started = 0, finished = 0;
    const double stall = LongestStall(
        window,
        [&] {
          started = Now();
          tavrel::CheckSpellingDocument();
        },
        [&] {
          if (started == 0 || tavrel::SpellingMarksPending()) return false;
          if (finished == 0) finished = Now();
          return true;
        },
        0);
    m.stalls.push_back(stall * 1e3);
    m.all_marked.push_back((finished - started) * 1e3);
    *marked_idle = MarkedBytes();
    m.stall_floors.push_back(LongestStall(window, [] {}, [] { return true; }, std::min(finished - started, 2.0)) * 1e3);

    tavrel::SpellFree();
    g_editor.spelling_dictionary = tavrel::SpellInit(tavrel::kDictionaryPath);
    ClearMarks();
    const double t = Now();
    tavrel::CheckSpellingDocument();
    tavrel::FinishSpellingMarks();
    m.in_one_go.push_back((Now() - t) * 1e3);
    *marked_at_once = MarkedBytes();
  }
  return m;
}

void PrintIdleMarking(std::size_t megabytes, const IdleMarking& m) {
  std::printf("switching spelling on (median):\n");
  std::printf("  longest stall                   %8.1f ms   (floor, nothing to mark: %.1f ms)\n",
              Median(m.stalls), Median(m.stall_floors));
  std::printf("  until all is marked             %8.1f ms   (floor, all in one go: %.1f ms)\n",
              Median(m.all_marked), Median(m.in_one_go));
  const std::string stall = bench::Figure("spell on: longest stall", megabytes);
  bench::PrintRow(stall.c_str(), "Tavrel", "ms", m.stalls,
                  "longest wait of a posted message while marking; 1 word in 8 unknown");
  bench::PrintRow(stall.c_str(), "floor", "ms", m.stall_floors, "the same loop with nothing to mark");
  const std::string all = bench::Figure("spell on: all marked", megabytes);
  bench::PrintRow(all.c_str(), "Tavrel", "ms", m.all_marked, "screen at once, the rest in idle slices");
  bench::PrintRow(all.c_str(), "floor", "ms", m.in_one_go, "the same marks in one go, window dead meanwhile");
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::size_t megabytes = argc > 1 ? static_cast<std::size_t>(_wtoi(argv[1])) : 10;
  const int runs = std::max(1, static_cast<int>(bench::Argument(argc, argv, 2, 3)));
  WNDCLASSW parent_class{};
  parent_class.lpfnWndProc = ParentProc;
  parent_class.hInstance = GetModuleHandleW(nullptr);
  parent_class.lpszClassName = L"SpellBenchParent";
  RegisterClassW(&parent_class);
  if (!bench::CreateBenchEditor(L"SpellBenchParent")) return 1;
  HWND main_window = tavrel::g_editor.main_window;
  SendEditor(SCI_SETCODEPAGE, SC_CP_UTF8);
  SendEditor(SCI_SETUNDOCOLLECTION, 0);

  double t = Now();
  g_editor.spelling_dictionary = tavrel::SpellInit(tavrel::kDictionaryPath);
  const double open_time = Now() - t;
  if (!g_editor.spelling_dictionary) {
    std::fprintf(stderr, "no dictionary (run in the data folder, beside Dictionaries\\)\n");
    return 1;
  }
  std::printf("dictionary opened in %.0f ms\n", open_time * 1000);

  const bool idle_only = argc > 3 && std::wstring(argv[3]) == L"idle";
  const std::string text = MakeText(megabytes << 20, 70);
  SetDocument(text);
  const std::size_t words = ScanOnly();
  std::printf("document: %.1f MiB, %zu judged words\n", static_cast<double>(text.size()) / (1 << 20), words);
  // Switching on is measured on text with many words unknown to the
  // dictionary (as names, code or another language give), where marking
  // costs most.
  const std::string unknowns = MakeText(megabytes << 20, 70, 8);
  SetDocument(unknowns);
  g_editor.spell_check_on = 1;
  intptr_t marked_idle = 0, marked_at_once = 0;
  const IdleMarking idle = MeasureIdleMarking(main_window, runs, &marked_idle, &marked_at_once);
  PrintIdleMarking(megabytes, idle);
  std::printf("  marked bytes: idle %lld, in one go %lld%s\n", static_cast<long long>(marked_idle),
              static_cast<long long>(marked_at_once), marked_idle == marked_at_once ? "" : "  MISMATCH");
  if (idle_only) {
    tavrel::SpellFree();
    DestroyWindow(main_window);
    return marked_idle == marked_at_once ? 0 : 1;
  }
  g_editor.spell_check_on = 0;
  SetDocument(text);

  std::vector<double> scans, per_words, colds;
  double scan = 1e30, per_word = 1e30, ours_cold = 1e30;
  intptr_t marked_per_word = 0, marked_ours = 0;
  for (int run = 0; run < runs; ++run) {
    t = Now();
    ScanOnly();
    scans.push_back((Now() - t) * 1e3);
    scan = std::min(scan, Now() - t);

    ClearMarks();
    t = Now();
    CheckOneCallPerWord();
    per_words.push_back((Now() - t) * 1e3);
    per_word = std::min(per_word, Now() - t);
    marked_per_word = MarkedBytes();

    // A fresh dictionary: ours starts with an empty cache, as after start-up.
    tavrel::SpellFree();
    g_editor.spelling_dictionary = tavrel::SpellInit(tavrel::kDictionaryPath);
    ClearMarks();
    t = Now();
    tavrel::CheckSpellingDocument();
    tavrel::FinishSpellingMarks();
    colds.push_back((Now() - t) * 1e3);
    ours_cold = std::min(ours_cold, Now() - t);
    marked_ours = MarkedBytes();
  }
  t = Now();
  tavrel::CheckSpellingDocument();
  tavrel::FinishSpellingMarks();
  const double ours_warm = Now() - t;

  std::printf("whole-document check:\n");
  std::printf("  floor, fetch and scan only      %8.1f ms\n", scan * 1000);
  std::printf("  one library call per word       %8.1f ms\n", per_word * 1000);
  std::printf("  ours, first check (cold cache)  %8.1f ms   %.1fx faster\n", ours_cold * 1000, per_word / ours_cold);
  std::printf("  ours, again (warm cache)        %8.1f ms   %.1fx faster\n", ours_warm * 1000, per_word / ours_warm);
  std::printf("  marked bytes: ours %lld, per word %lld%s\n", static_cast<long long>(marked_ours),
              static_cast<long long>(marked_per_word), marked_ours == marked_per_word ? "" : "  MISMATCH");

  // Keystrokes: a document whose line 1 holds about 10,000 characters.
  const std::string long_line = MakeText(10000, 20000);
  std::string document = "A short first line.\r\n" + long_line.substr(0, 10000) + "\r\nA last line.\r\n";
  SetDocument(document);
  const std::string typed = "and then we wrote another sentense into the middle of the longest line there is ";
  std::vector<double> floor, checked;
  for (int run = 0; run < runs; ++run) {
    g_editor.spell_check_on = 0;
    const std::vector<double> off = TypeIntoLongLine(typed);
    g_editor.spell_check_on = 1;
    tavrel::CheckSpellingDocument();
    tavrel::FinishSpellingMarks();
    const std::vector<double> on = TypeIntoLongLine(typed);
    floor.insert(floor.end(), off.begin(), off.end());
    checked.insert(checked.end(), on.begin(), on.end());
  }
  std::printf("keystroke on a line of %lld characters (median of %zu):\n",
              static_cast<long long>(SendEditor(SCI_LINELENGTH, 1)), checked.size());
  std::printf("  floor, spell check off          %8.3f ms\n", Median(floor) * 1000);
  std::printf("  spell check on                  %8.3f ms   (slowest %.3f ms)\n", Median(checked) * 1000,
              *std::max_element(checked.begin(), checked.end()) * 1000);
  tavrel::SpellFree();
  const std::string figure = bench::Figure("spell check", megabytes);
  bench::PrintRow(figure.c_str(), "Tavrel", "ms", colds, "whole document, verdict cache cold");
  bench::PrintRow(figure.c_str(), "floor", "ms", scans, "fetch the text and find its words only");
  bench::PrintRow(figure.c_str(), "one call per word", "ms", per_words, "the library asked for every word");
  auto in_ms = [](std::vector<double> values) {
    for (double& v : values) v *= 1e3;
    return values;
  };
  bench::PrintRow("spell keystroke re-check", "Tavrel", "ms", in_ms(checked),
                  "one character typed into a 10000-character line");
  bench::PrintRow("spell keystroke re-check", "floor", "ms", in_ms(floor), "the same typing with spell checking off");
  DestroyWindow(main_window);
  return marked_ours == marked_per_word && marked_idle == marked_at_once ? 0 : 1;
}
