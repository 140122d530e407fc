#include <windows.h>

#include <algorithm>
#include <cstdint>

#include "app/document_naming.h"
#include "app/document_save.h"
#include "app/editor_windows.h"
#include "app/file_io_hooks_win32.h"
#include "app/scintilla_messages.h"
#include "platform/os_handles_win32.h"

namespace tavrel {

namespace {

constexpr wchar_t kSavingTag[] = L"saving";
constexpr wchar_t kPreviousTag[] = L"previous";
constexpr int kNameAttempts = 64;

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

uint64_t NextUnique() {
  static uint32_t counter = 0;
  return (static_cast<uint64_t>(GetCurrentProcessId()) << 32) | ++counter;
}

// A file beside the target that is deleted again unless it is kept.
class SideFile {
 public:
  SideFile() = default;
  ~SideFile() {
    if (!path_.empty()) DeleteFileW(path_.c_str());
  }
  SideFile(const SideFile&) = delete;
  SideFile& operator=(const SideFile&) = delete;

  void Adopt(std::wstring path) { path_ = std::move(path); }
  const std::wstring& path() const { return path_; }
  // It has become the target: nothing to delete any more.
  void Keep() { path_.clear(); }

 private:
  std::wstring path_;
};

// Whether the target could be created where it stands, found out without
// changing it: what a direct create-and-truncate would have refused.
bool TargetWritable(const std::wstring& target) {
  const DWORD attributes = GetFileAttributesW(target.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    // A new file; whether its folder takes files shows when the side file
    // is created.
    return GetLastError() == ERROR_FILE_NOT_FOUND;
  }
  // Checked here too because the system lets an administrator open a
  // read-only file for writing on some file systems.
  if (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) return false;
  platform::UniqueFile probe(CreateFileW(target.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                               nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  return probe || GetLastError() == ERROR_FILE_NOT_FOUND;
}

platform::UniqueFile CreateSavingFile(const std::wstring& target, SideFile& side) {
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    std::wstring name = SideFileName(target, kSavingTag, NextUnique());
    platform::UniqueFile file(CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file) {
      side.Adopt(std::move(name));
      return file;
    }
    // A name left by an earlier crash: try the next one. Anything else is
    // the folder refusing.
    const DWORD error = GetLastError();
    if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) break;
  }
  return platform::UniqueFile();
}

std::wstring UnusedSideName(const std::wstring& target, const wchar_t* tag) {
  std::wstring name;
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    name = SideFileName(target, tag, NextUnique());
    if (!Exists(name)) break;
  }
  return name;
}

// A block the system took only in part is a failure too (a full disk).
bool WriteAll(HANDLE file, const char* data, std::size_t length) {
  while (length > 0) {
    const DWORD block = static_cast<DWORD>(std::min(length, kSaveChunkBytes));
    DWORD written = 0;
    if (!g_file_io_hooks.write_file(file, data, block, &written) || written != block) return false;
    data += block;
    length -= block;
  }
  return true;
}

bool MoveIntoPlace(const std::wstring& from, const std::wstring& target) {
  return MoveFileExW(from.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

// Replacement errors after which the target is known to be untouched and a
// plain move may still succeed: the call is not supported where the file
// lives, or it gave up before moving anything.
bool TargetUntouchedBy(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:  // the target went away meanwhile: now a new file
    case ERROR_UNABLE_TO_MOVE_REPLACEMENT:
    case ERROR_UNABLE_TO_REMOVE_REPLACED:
    case ERROR_NOT_SUPPORTED:
    case ERROR_INVALID_FUNCTION:
    case ERROR_INVALID_PARAMETER:
    case ERROR_CALL_NOT_IMPLEMENTED:
      return true;
    default:
      return false;
  }
}

bool PutInPlace(const std::wstring& written, const std::wstring& target) {
  if (!Exists(target) && GetLastError() == ERROR_FILE_NOT_FOUND) return MoveIntoPlace(written, target);

  // The old file waits under a name of its own while it is replaced, so
  // that no failure half-way can lose it.
  const std::wstring previous = UnusedSideName(target, kPreviousTag);
  if (g_file_io_hooks.replace_file(target.c_str(), written.c_str(), previous.c_str())) {
    DeleteFileW(previous.c_str());
    return true;
  }
  const DWORD error = GetLastError();
  if (!Exists(target) && Exists(previous)) {
    // Stopped after moving the old file aside: put it back. Should even
    // that fail, it stays under the side name rather than being lost.
    MoveFileExW(previous.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH);
    return false;
  }
  if (!TargetUntouchedBy(error) || !MoveIntoPlace(written, target)) return false;
  DeleteFileW(previous.c_str());
  return true;
}

}  // namespace

SaveResult SaveDocumentFile(const std::wstring& target) {
  if (!TargetWritable(target)) return SaveResult::kCannotCreate;
  SideFile saving;
  platform::UniqueFile file = CreateSavingFile(target, saving);
  if (!file) return SaveResult::kCannotCreate;

  const intptr_t length = SendEditor(SCI_GETLENGTH);
  // The component's own buffer, made contiguous: the text is not copied.
  const char* text = length > 0 ? reinterpret_cast<const char*>(SendEditor(SCI_GETCHARACTERPOINTER)) : "";
  if (!text) return SaveResult::kCannotAllocate;
  if (!WriteAll(file.get(), text, static_cast<std::size_t>(length))) return SaveResult::kWriteFailed;
  if (!FlushFileBuffers(file.get()) || !file.close()) return SaveResult::kWriteFailed;

  if (!PutInPlace(saving.path(), target)) return SaveResult::kWriteFailed;
  saving.Keep();
  return SaveResult::kSaved;
}

}  // namespace tavrel
