// The side files a save writes beside its target, named for the process
// that writes them, and the clearing away of those a save left behind when
// its process died mid-way (killed, or the system went down under it).
#pragma once
#include <string>

namespace tavrel {

// A save's new text until it takes the target's place.
inline constexpr wchar_t kSavingTag[] = L"saving";
// The old file, or a copy of its bytes, while it is being replaced.
inline constexpr wchar_t kPreviousTag[] = L"previous";

// The target in the form the system takes for it and for every side file
// named after it: plain while that fits, extended-length beyond.
std::wstring SideFileTarget(const std::wstring& path);

// A name beside base (a path whose name it starts with) for a new side
// file of tag written by this process, different at every call.
std::wstring NewSideFileName(const std::wstring& base, const wchar_t* tag);

// Deletes the new texts of saves to target (the form SideFileTarget gives)
// whose process has ended: nothing will ever finish them, and each may be
// as large as the document. A side file of a process still running, this
// one or another copy of the editor, stays, as does every copy of old
// bytes, which may be the only one left. A file that cannot be deleted now
// is left for a later open or save.
void RemoveSideFilesOfEndedSaves(const std::wstring& target);

}  // namespace tavrel
