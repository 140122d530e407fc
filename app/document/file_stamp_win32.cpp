#include "app/document/file_stamp_win32.h"

#include "app/document/path_forms_win32.h"
#include "platform/os_handles_win32.h"

namespace tavrel {

namespace {

uint64_t Join(DWORD high, DWORD low) { return (static_cast<uint64_t>(high) << 32) | low; }

}  // namespace

std::optional<FileStamp> StampOfOpenFile(HANDLE file) {
  BY_HANDLE_FILE_INFORMATION info{};
  if (!GetFileInformationByHandle(file, &info)) return std::nullopt;
  return FileStamp{Join(info.nFileSizeHigh, info.nFileSizeLow),
                   Join(info.ftLastWriteTime.dwHighDateTime, info.ftLastWriteTime.dwLowDateTime),
                   info.dwVolumeSerialNumber, Join(info.nFileIndexHigh, info.nFileIndexLow)};
}

DiskLook LookAtFile(const std::wstring& path) {
  // Attributes only: no sharing mode of another program's open refuses it.
  platform::UniqueFile file(CreateFileW(SystemPath(path).c_str(), FILE_READ_ATTRIBUTES,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    const DWORD error = GetLastError();
    const bool missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
    return DiskLook{missing ? DiskLook::Kind::kMissing : DiskLook::Kind::kUnknown, {}};
  }
  const std::optional<FileStamp> stamp = StampOfOpenFile(file.get());
  if (!stamp) return DiskLook{};
  return DiskLook{DiskLook::Kind::kFound, *stamp};
}

}  // namespace tavrel
