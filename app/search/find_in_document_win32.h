// Searching the document from the search strip: every match marked
// (indicator 2, the current one indicator 1), the caret on the current
// match in the middle of the view, and the counter ("2 of 5").
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace tavrel {

inline constexpr int kCurrentMatchIndicator = 1;
inline constexpr int kOtherMatchIndicator = 2;

// Searches [start, end) of the document for text; step 0 searches again,
// step 1 moves to the next match (after the last one, to the first).
void FindInDocument(int64_t start, int64_t end, const std::wstring& text, int step);

// The editing component's SCN_MODIFIED: what the searcher remembers of the
// document must not outlive a change of its text.
void NoteDocumentModified(int modification_type, int64_t position, int64_t length);

// Forgets everything remembered about earlier searches (a fresh state).
void ResetSearchMemory();

// Whether marks of the last search are still being put on in idle time.
bool SearchMarkingPending();

// How many matches are remembered and marked at a time (about a million
// unless a test wants to reach the limit with a few).
void SetRememberedMatchLimit(size_t limit);

}  // namespace tavrel
