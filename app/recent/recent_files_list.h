// The rules of the recent-files list, free of the platform: which paths it
// keeps and in which order, how "RecentFiles.dat" is read and written, and
// the File-menu label of an entry. What the rules ask of the file system
// comes through RecentFileSystem, so that they are tested with a fake one.
#pragma once
#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "app/shell/editor_state.h"

namespace tavrel {

// Slot 0 is the most recent; filled slots are contiguous from slot 0 and
// slot kRecentFilesKept (the tenth) is never used.
using RecentFileSlots = std::array<std::wstring, kRecentFileSlots>;
inline constexpr int kRecentFilesKept = 9;

// Bounds on what a damaged or hostile "RecentFiles.dat" can cost at
// start-up. A file this program wrote holds at most nine paths of at most
// kLongestPath units each, well inside the byte limit.
inline constexpr std::size_t kRecentFilesReadLimit = std::size_t{1} << 20;
inline constexpr std::size_t kRecentFilesLinesExamined = 256;
// The longest path the system accepts, in UTF-16 units.
inline constexpr std::size_t kLongestPath = 32767;

class RecentFileSystem {
 public:
  // A file, not a folder, is there now.
  virtual bool IsExistingFile(const std::wstring& path) const = 0;
  // The two paths differ at most in letter case, compared the way the
  // file system compares names.
  virtual bool SameIgnoringCase(const std::wstring& a, const std::wstring& b) const = 0;

 protected:
  ~RecentFileSystem() = default;
};

// The lines of a "RecentFiles.dat" that may be paths, in order, as UTF-16
// units. A line ends at LF, CR LF, a lone CR, a zero byte or the end of the
// bytes. Empty lines, lines that are not valid UTF-8 and lines longer than
// any path are left out; at most kRecentFilesLinesExamined are returned.
std::vector<std::wstring> RecentFileLines(std::string_view bytes);

// The slots as loaded from those bytes: the first nine lines that name an
// existing file, a later spelling of a path already taken left out.
RecentFileSlots RecentSlotsFromFile(std::string_view bytes, const RecentFileSystem& files);

// The list as one copy of the editor writes it while others may be writing
// the same file: the files this copy used (its own newest first, as
// PutRecentFileFirst keeps them), then the paths listed, which another copy
// may have written since; a later spelling of a path already taken is left
// out, and so is every file that no longer exists, except this copy's
// newest, which stands as given. Nine at most.
RecentFileSlots MergeRecentFiles(const RecentFileSlots& used, const std::vector<std::wstring>& listed,
                                 const RecentFileSystem& files);

// What "RecentFiles.dat" holds for the slots: every slot whose file still
// exists, as UTF-8 followed by CR LF, most recent first.
std::string RecentFilesText(const RecentFileSlots& slots, const RecentFileSystem& files);

// path goes to slot 0 exactly as given (whether it exists is not asked);
// the entries that differ from it beyond letter case and still exist
// follow in their order, up to the ninth slot.
void PutRecentFileFirst(RecentFileSlots& slots, const std::wstring& path, const RecentFileSystem& files);

// The File-menu label of entry number (1 to 9) showing shown_path: the
// number bold and the item's mnemonic, two spaces, then the path escaped
// so that every character shows as itself: "\" for the label markup, "&"
// for the mnemonic marker and "$" for the shortcut marker.
std::wstring RecentMenuLabel(int number, const std::wstring& shown_path);

// UTF-16 units to UTF-8 and back. Encoding fails (empty result, ok false)
// for a lone surrogate; decoding fails for anything but well-formed UTF-8.
std::string Utf8FromUtf16Units(const std::wstring& units, bool& ok);
bool Utf16UnitsFromUtf8(std::string_view bytes, std::wstring& units);

}  // namespace tavrel
