// How the editor names things after the document path: the file-name part
// shown in titles and messages, the never-saved marker, the name proposed by
// Save As, and the side files a save writes next to its target.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace tavrel {

// The text after the last "\" or "/"; the whole path when it has neither.
std::wstring FileNamePart(const std::wstring& path);

// True for the path of a document never saved: "Untitled" in any case.
bool IsUntitled(const std::wstring& path);

// The main window's title for a document path.
std::wstring WindowTitleFor(const std::wstring& path);

// The name Save As proposes: for a document never saved, ".txt" in the
// working directory (so the dialog opens there); otherwise the path itself.
std::wstring SaveAsPresetFor(const std::wstring& path, const std::wstring& working_directory);

// A file beside target, for a save in progress ("saving") or for the old
// file, or a copy of its bytes, while it is being replaced ("previous"):
// target's name followed by suffix (SideFileSuffix), which says what it is
// and who wrote it. The name starts with the target's own name so that a
// file left behind by a crash says what it belongs to. The target's name
// is shortened when the whole path would exceed max_length (0: the limit
// of the target's form, plain or extended length) or the side file's own
// name the limit of one name, so that a side file can exist wherever its
// target can.
std::wstring SideFileName(const std::wstring& target, const std::wstring& suffix, std::size_t max_length = 0);

}  // namespace tavrel
