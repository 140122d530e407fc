// The file operations of loading and saving that can fail half-way, as
// replaceable function pointers. Their defaults are the system's calls;
// tests replace them to make a read, a write or the final replacement fail
// at a chosen point, which real files cannot be made to do on demand.
#pragma once
#include <windows.h>

namespace tavrel {

struct FileIoHooks {
  // As ReadFile and WriteFile without overlapped input and output.
  BOOL (*read_file)(HANDLE file, void* buffer, DWORD size, DWORD* read);
  BOOL (*write_file)(HANDLE file, const void* data, DWORD size, DWORD* written);
  // As ReplaceFileW: target takes replacement's contents and keeps its own
  // attributes and security; the old file is kept under backup meanwhile.
  BOOL (*replace_file)(const wchar_t* target, const wchar_t* replacement, const wchar_t* backup);
};

extern FileIoHooks g_file_io_hooks;

void ResetFileIoHooks();

}  // namespace tavrel
