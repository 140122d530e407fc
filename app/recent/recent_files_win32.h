// The recent-files list on the File menu and in "RecentFiles.dat": loaded
// once after the main window is shown, and written whenever a document is
// read or saved and again at shut-down, each time merged with what other
// copies of the editor wrote to the file meanwhile.
#pragma once
#include <string>

namespace tavrel {

// The file the list lives in: "RecentFiles.dat" in the working directory
// of the moment of the first call. Fixed then, because the file dialogs
// move the working directory to wherever the user last looked.
const std::wstring& RecentFilesPath();

// Fills the slots from "RecentFiles.dat" and rebuilds the menu; a missing
// or unreadable file leaves the list empty and says nothing.
void LoadRecentFiles();

// Merges the files this run used, newest first, with the list in
// "RecentFiles.dat" as it is now (another copy may have written it), makes
// the result the slots, and writes their existing files back the way
// documents are saved: the file is either wholly the new list or what it
// was. A failure says nothing. The menu is the caller's.
void SaveRecentFiles();

// path moves to the top of the list, which is written at once, so that
// neither another copy nor an abrupt end loses it; the menu follows the
// merged list.
void AddRecentFile(const std::wstring& path);

// The File menu's entries 26 to 34 from the slots: a numbered, shortened
// path each, in place of "No Recent Files". Does nothing while the list is
// empty.
void RebuildRecentMenu();

}  // namespace tavrel
