#include "app/document/file_io_hooks_win32.h"

#include <cstdint>
#include <string>
#include <vector>

#include "platform/os_handles_win32.h"
#include "platform/os_version.h"

namespace tavrel {

namespace {

BOOL SystemRead(HANDLE file, void* buffer, DWORD size, DWORD* read) { return ReadFile(file, buffer, size, read, nullptr); }

BOOL SystemWrite(HANDLE file, const void* data, DWORD size, DWORD* written) {
  return WriteFile(file, data, size, written, nullptr);
}

BOOL SystemReplace(const wchar_t* target, const wchar_t* replacement, const wchar_t* backup) {
  // Wine's ReplaceFileW moves the old file aside and only then the new one
  // in: killed between the two, no file is left under the name. A move over
  // the old file is a single rename on the host, which leaves either file
  // whole whenever it stops. (Wine keeps no attributes or security across a
  // replacement either, so nothing is lost by it.)
  if (platform::RunningOnWine()) {
    return MoveFileExW(replacement, target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
  }
  return ReplaceFileW(target, replacement, backup, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr);
}

// The full name under which the host keeps the open file, every link on
// the way followed (Wine answers with the real path, without the drive).
std::wstring HostName(HANDLE file) {
  std::vector<uint64_t> buffer((sizeof(FILE_NAME_INFO) + 32768 * sizeof(wchar_t)) / sizeof(uint64_t) + 1);
  auto* info = reinterpret_cast<FILE_NAME_INFO*>(buffer.data());
  const DWORD size = static_cast<DWORD>(buffer.size() * sizeof(uint64_t));
  if (!GetFileInformationByHandleEx(file, FileNameInfo, info, size)) return std::wstring();
  return std::wstring(info->FileName, info->FileNameLength / sizeof(wchar_t));
}

// Owner and access list, as the system reports them.
std::vector<uint8_t> OwnerAndAccess(HANDLE file) {
  constexpr SECURITY_INFORMATION kWhat = OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION;
  DWORD needed = 0;
  GetKernelObjectSecurity(file, kWhat, nullptr, 0, &needed);
  std::vector<uint8_t> descriptor(needed);
  if (needed == 0 || !GetKernelObjectSecurity(file, kWhat, descriptor.data(), needed, &needed)) return {};
  return descriptor;
}

std::size_t NameStart(const std::wstring& path) {
  const std::size_t cut = path.find_last_of(L"\\/");
  return cut == std::wstring::npos ? 0 : cut + 1;
}

// Under Wine a new file gets the owner and mode the host gives new files,
// and a symbolic link to a file looks like the file itself. The new file
// beside the target shows what replacing would give: the target must have
// one name, lie under that very name in the folder the new file lies in
// (no link on its last step), and report the owner and access list the new
// file got. (Group bits of the host's mode that the access list does not
// show stay unseen.)
bool WineReplacingKeepsIdentity(const wchar_t* target, HANDLE replacement) {
  platform::UniqueFile file(CreateFileW(target, FILE_READ_ATTRIBUTES | READ_CONTROL,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                        FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  BY_HANDLE_FILE_INFORMATION old_info;
  BY_HANDLE_FILE_INFORMATION new_info;
  if (!file || !GetFileInformationByHandle(file.get(), &old_info) ||
      !GetFileInformationByHandle(replacement, &new_info) || old_info.nNumberOfLinks != 1) {
    return false;
  }
  constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY;
  if ((old_info.dwFileAttributes ^ new_info.dwFileAttributes) & kKeptAttributes) return false;

  const std::wstring old_name = HostName(file.get());
  const std::wstring new_name = HostName(replacement);
  const std::wstring asked(target);
  const std::size_t old_start = NameStart(old_name);
  const std::size_t new_start = NameStart(new_name);
  if (old_start == 0 || new_start == 0 || old_name.compare(0, old_start, new_name, 0, new_start) != 0 ||
      old_name.compare(old_start, std::wstring::npos, asked, NameStart(asked), std::wstring::npos) != 0) {
    return false;
  }
  const std::vector<uint8_t> old_security = OwnerAndAccess(file.get());
  return !old_security.empty() && old_security == OwnerAndAccess(replacement);
}

bool SystemReplacingKeepsIdentity(const wchar_t* target, HANDLE replacement) {
  if (platform::RunningOnWine()) return WineReplacingKeepsIdentity(target, replacement);
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
