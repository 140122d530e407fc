// The file operations of loading and saving that can fail half-way, as
// replaceable function pointers, and the system's answer to how a file may
// be saved. Their defaults are the system's calls; tests replace them to
// make a read, a write or the final replacement fail at a chosen point,
// which real files cannot be made to do on demand, and to take either road
// of a save on whichever system they run.
#pragma once
#include <windows.h>

namespace tavrel {

struct FileIoHooks {
  // As ReadFile and WriteFile without overlapped input and output.
  BOOL (*read_file)(HANDLE file, void* buffer, DWORD size, DWORD* read);
  BOOL (*write_file)(HANDLE file, const void* data, DWORD size, DWORD* written);
  // As ReplaceFileW: target takes replacement's contents and keeps its own
  // attributes and security; the old file may be kept under backup
  // meanwhile.
  BOOL (*replace_file)(const wchar_t* target, const wchar_t* replacement, const wchar_t* backup);
  // Whether putting replacement, a new empty file just made beside the
  // existing target (open for writing and READ_CONTROL), in target's place
  // keeps everything that makes it that file: a link stays a link, its
  // other names still name it, its permissions and owner stay. Where it
  // does not, a save writes into the file itself.
  bool (*replacing_keeps_identity)(const wchar_t* target, HANDLE replacement);
};

extern FileIoHooks g_file_io_hooks;

void ResetFileIoHooks();

}  // namespace tavrel
