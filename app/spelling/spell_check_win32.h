// Spell checking in the editing component: which text is judged and when,
// the marks (indicator 0, a red squiggle) on misspelt words, the toggle,
// and the context menu of the editing area with its spelling commands.
#pragma once
#include <windows.h>

#include <cstdint>

struct SCNotification;

namespace tavrel {

// The editing component's indicator that underlines misspelt words.
inline constexpr int kSpellingIndicator = 0;

// Re-marks the misspelt words of the whole lines the byte range touches.
// A word that runs up to the end of the range is judged only when the
// range ends at its line's end: before that it may still be being typed.
void CheckSpellingRange(intptr_t start, intptr_t length);
// The lines on screen at once, the rest of a big document in idle slices
// (the lines that scroll into view first), so that the window keeps
// answering; edits made meanwhile move what is still to check.
void CheckSpellingDocument();
// Checks whatever is still to check, now.
void FinishSpellingMarks();
bool SpellingMarksPending();
// Drops what is still to check; the marks made stay.
void StopSpellingMarks();
// SCN_MODIFIED, while spell checking is on: re-checks around the change.
void CheckSpellingAfterModification(const SCNotification& notification);
// Command 7. Switching on waits for the dictionary if it is still opening.
void ToggleSpellCheck();

// The context menu (popup menu 2) at a screen point over the editing area.
void ShowEditorContextMenu(POINT screen);
// Commands 8 and 9 on the word the context menu was opened on.
void IgnoreContextWord();
void AddContextWordToDictionary();
// Commands 37 and up: false when id is not a suggestion of the last menu.
bool ChooseSuggestion(int id);

}  // namespace tavrel
