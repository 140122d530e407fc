// The two forms a full path takes on its way to the system: the plain one
// users see and type, and the extended-length one ("\\?\") that the
// system's file calls need once a path no longer fits kPlainPathLimit.
// Also how a name typed into a file dialog becomes a path.
#pragma once
#include <cstddef>
#include <string>

namespace tavrel {

// The longest plain path the system's file calls take, in characters
// (MAX_PATH less its terminator).
inline constexpr std::size_t kPlainPathLimit = 259;
// The longest path of either form, and of one of its names.
inline constexpr std::size_t kExtendedPathLimit = 32767;
inline constexpr std::size_t kPathNameLimit = 255;

// True for a path already past the system's name parsing: "\\?\" or "\\.\".
bool IsExtendedLength(const std::wstring& path);

// The extended-length form of a full path: "C:\a" becomes "\\?\C:\a" and
// "\\server\share\a" becomes "\\?\UNC\server\share\a". The system parses
// nothing after the prefix, so the path must already be full and clean
// (backslashes only, no "." or ".." names). A path of any other shape, or
// one already extended, is returned as it is.
std::wstring ExtendedLengthForm(const std::wstring& full_path);

// The path a name typed into a file dialog stands for while the dialog
// shows folder: the name itself when it is a full path, on folder's drive
// when it starts at a root, otherwise inside folder. One pair of quotes
// around the name is dropped. Not cleaned: "." and ".." stay.
std::wstring TypedNameInFolder(const std::wstring& folder, const std::wstring& typed);

// The name of the file path leads to as the system resolves it: the full
// path, without what the system's name parsing drops on the way to the
// file ("." and ".." names, and the dots and spaces at the end of a name:
// "notes.txt..." opens notes.txt), so that a document is called by the
// name of its file. An extended-length path, which the system takes
// literally, stays as it is. Made with the system's calls
// (path_forms_win32.cpp).
std::wstring ResolvedPath(const std::wstring& path);

}  // namespace tavrel
