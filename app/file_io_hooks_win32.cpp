#include "app/file_io_hooks_win32.h"

namespace tavrel {

namespace {

BOOL SystemRead(HANDLE file, void* buffer, DWORD size, DWORD* read) { return ReadFile(file, buffer, size, read, nullptr); }

BOOL SystemWrite(HANDLE file, const void* data, DWORD size, DWORD* written) {
  return WriteFile(file, data, size, written, nullptr);
}

BOOL SystemReplace(const wchar_t* target, const wchar_t* replacement, const wchar_t* backup) {
  return ReplaceFileW(target, replacement, backup, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr);
}

constexpr FileIoHooks kSystemFileIo = {SystemRead, SystemWrite, SystemReplace};

}  // namespace

FileIoHooks g_file_io_hooks = kSystemFileIo;

void ResetFileIoHooks() { g_file_io_hooks = kSystemFileIo; }

}  // namespace tavrel
