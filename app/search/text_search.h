// The search strip's matcher: finds exactly the matches the editing
// component's own case-insensitive plain search finds (a find request with
// flags 0 in a UTF-8 document, repeated from one byte after each match, so
// that overlapping matches count), but in one pass over the component's
// buffer instead of one request per match.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tavrel {

// A match as the component reports it: where it starts and how many bytes
// of the document it covers, which can differ from the search text's length
// when case folding changes a character's length.
struct TextMatch {
  int64_t start;
  int64_t length;
};

struct SearchResult {
  // In document order: all of them, or the first `limit` the search was
  // given (count tells how many there are).
  std::vector<TextMatch> matches;
  int64_t count = 0;
  // Where the search text matched but ended inside the folded form of a
  // character ("s" against the first half of "ß"'s "ss"): not a match, but
  // a longer text may match there. Kept only while the result is complete.
  std::vector<int64_t> partial_starts;

  bool complete() const { return count == static_cast<int64_t>(matches.size()); }
};

// Told how far a long search has come (the position reached), every
// kSearchProgressBytes of the document.
using SearchProgress = std::function<void(int64_t reached)>;
inline constexpr int64_t kSearchProgressBytes = int64_t{1} << 24;

// Every match of `text` (UTF-8) that starts in [start, end) and ends by
// `end`, in `document`, counted; the first `limit` of them are kept (a
// single letter can match a billion times in a large document). An empty
// text finds nothing.
void FindAllMatches(std::string_view document, int64_t start, int64_t end, std::string_view text,
                    SearchResult& out, const SearchProgress& progress = nullptr, size_t limit = SIZE_MAX);

// The same result when `text` extends the text that gave `previous` (a
// complete result), over
// the same unchanged document and range: a match of the longer text can only
// start where the shorter one matched or partly matched, so only those
// places are tried.
void FindMatchesAmong(std::string_view document, int64_t end, std::string_view text, const SearchResult& previous,
                      SearchResult& out);

}  // namespace tavrel
