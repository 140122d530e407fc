// The recent-files list on the File menu and in "RecentFiles.dat": loaded
// once after the main window is shown, changed whenever a document is read
// or saved, written once at shut-down.
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

// Writes the slots' existing files to "RecentFiles.dat" the way documents
// are saved: the file is either wholly the new list or what it was. A
// failure says nothing.
void SaveRecentFiles();

// path moves to the top of the list; the menu follows.
void AddRecentFile(const std::wstring& path);

// The File menu's entries 26 to 34 from the slots: a numbered, shortened
// path each, in place of "No Recent Files". Does nothing while the list is
// empty.
void RebuildRecentMenu();

}  // namespace tavrel
