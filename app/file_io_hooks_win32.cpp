#include "app/file_io_hooks_win32.h"

#include "platform/os_handles_win32.h"

namespace tavrel {

namespace {

BOOL SystemRead(HANDLE file, void* buffer, DWORD size, DWORD* read) { return ReadFile(file, buffer, size, read, nullptr); }

BOOL SystemWrite(HANDLE file, const void* data, DWORD size, DWORD* written) {
  return WriteFile(file, data, size, written, nullptr);
}

BOOL SystemReplace(const wchar_t* target, const wchar_t* replacement, const wchar_t* backup) {
  return ReplaceFileW(target, replacement, backup, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr);
}

bool RunningOnWine() {
  static const bool wine = GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
  return wine;
}

bool SystemReplacingKeepsIdentity(const wchar_t* target) {
  // Wine puts a file in place by a rename on the host, so the new file keeps
  // its own mode and owner; and it shows a symbolic link to a file as the
  // file itself, so links cannot even be told apart there.
  if (RunningOnWine()) return false;
  // Replacing keeps attributes and security, but a symbolic link or
  // junction would become a plain file and a file of several names would
  // be split in two.
  platform::UniqueFile file(CreateFileW(target, FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS,
                              nullptr));
  BY_HANDLE_FILE_INFORMATION info;
  // What cannot be found out takes the road that keeps the file whatever it is.
  if (!file || !GetFileInformationByHandle(file.get(), &info)) return false;
  return !(info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) && info.nNumberOfLinks <= 1;
}

constexpr FileIoHooks kSystemFileIo = {SystemRead, SystemWrite, SystemReplace, SystemReplacingKeepsIdentity};

}  // namespace

FileIoHooks g_file_io_hooks = kSystemFileIo;

void ResetFileIoHooks() { g_file_io_hooks = kSystemFileIo; }

}  // namespace tavrel
