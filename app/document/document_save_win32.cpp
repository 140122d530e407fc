#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <new>
#include <string_view>
#include <vector>

#include "app/shell/busy_indication_win32.h"
#include "app/document/document_naming.h"
#include "app/document/document_save.h"
#include "app/shell/editor_windows.h"
#include "app/document/file_io_hooks_win32.h"
#include "app/shell/scintilla_messages.h"
#include "app/document/side_files_win32.h"
#include "platform/error_log_win32.h"
#include "platform/os_handles_win32.h"

namespace tavrel {

namespace {

constexpr int kNameAttempts = 64;

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// A file a save made beside the target (or, for a copy of the old bytes,
// in the temporary folder), deleted again unless it is kept.
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
  // It has become the target, or it holds the only whole copy of the old
  // bytes: it stays.
  void Keep() { path_.clear(); }
  void Discard() {
    if (!path_.empty()) DeleteFileW(path_.c_str());
    path_.clear();
  }

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

// A new file beside base (a path whose name it starts with), adopted by side.
platform::UniqueFile CreateSideFile(const std::wstring& base, const wchar_t* tag, DWORD access, SECURITY_ATTRIBUTES* security,
                          SideFile& side) {
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    std::wstring name = NewSideFileName(base, tag);
    platform::UniqueFile file(CreateFileW(name.c_str(), access, 0, security, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file) {
      side.Adopt(std::move(name));
      return file;
    }
    // A name left by an earlier crash: try the next one. Anything else is
    // the folder refusing.
    const DWORD error = GetLastError();
    if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) {
      platform::LogWin32Failure("CreateFile (side file of a save)");
      break;
    }
  }
  return platform::UniqueFile();
}

std::wstring UnusedSideName(const std::wstring& target, const wchar_t* tag) {
  std::wstring name;
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    name = NewSideFileName(target, tag);
    if (!Exists(name)) break;
  }
  return name;
}

// The bytes a save writes, all told: a copy of the old bytes first where
// it writes into the file itself, then the text.
class SaveProgress {
 public:
  SaveProgress(const std::wstring& target, uint64_t total)
      : busy_(L"Saving " + FileNamePart(target)), total_(total) {}
  void Add(uint64_t bytes) {
    done_ += bytes;
    busy_.Progress(done_, total_);
  }
  void AddToTotal(uint64_t bytes) { total_ += bytes; }

 private:
  BusyIndication busy_;
  uint64_t done_ = 0;
  uint64_t total_;
};

// A block the system took only in part is a failure too (a full disk).
bool WriteAll(HANDLE file, const char* data, std::size_t length, SaveProgress* progress) {
  while (length > 0) {
    const DWORD block = static_cast<DWORD>(std::min(length, kSaveChunkBytes));
    DWORD written = 0;
    if (!g_file_io_hooks.write_file(file, data, block, &written) || written != block) return false;
    data += block;
    length -= block;
    if (progress) progress->Add(block);
  }
  return true;
}

// The text as the component keeps it: two runs of bytes on either side of
// the gap where it inserts. Writing them one after the other spares
// closing the gap, which moves up to the whole text in memory (and may
// reallocate it) after an edit far from the end.
struct SaveText {
  std::string_view before;
  std::string_view after;
  std::size_t size() const { return before.size() + after.size(); }
};

bool WriteText(HANDLE file, const SaveText& text, SaveProgress* progress) {
  return WriteAll(file, text.before.data(), text.before.size(), progress) &&
         WriteAll(file, text.after.data(), text.after.size(), progress);
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

// ------------------------------------------------ writing into the file itself

// Lets only the current user at a new file: a copy of the old bytes must
// not be readable by anyone the file itself kept out. (Wine turns this into
// the host file's mode.)
class OwnerOnlySecurity {
 public:
  OwnerOnlySecurity() {
    HANDLE opened = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &opened)) return;
    // Owned at once: the resize below may throw.
    const platform::UniqueKernelObject token(opened);
    DWORD size = 0;
    GetTokenInformation(token.get(), TokenUser, nullptr, 0, &size);
    user_.resize(size / sizeof(uint64_t) + 1);
    if (size == 0 || !GetTokenInformation(token.get(), TokenUser, user_.data(), size, &size)) return;
    PSID sid = reinterpret_cast<TOKEN_USER*>(user_.data())->User.Sid;
    const DWORD acl_size = sizeof(ACL) + sizeof(ACCESS_ALLOWED_ACE) + GetLengthSid(sid);
    acl_.resize(acl_size / sizeof(uint64_t) + 1);
    ACL* acl = reinterpret_cast<ACL*>(acl_.data());
    if (!InitializeAcl(acl, acl_size, ACL_REVISION) ||
        !AddAccessAllowedAce(acl, ACL_REVISION, FILE_GENERIC_READ | FILE_GENERIC_WRITE | DELETE, sid) ||
        !InitializeSecurityDescriptor(&descriptor_, SECURITY_DESCRIPTOR_REVISION) ||
        !SetSecurityDescriptorDacl(&descriptor_, TRUE, acl, FALSE) ||
        !SetSecurityDescriptorControl(&descriptor_, SE_DACL_PROTECTED, SE_DACL_PROTECTED)) {
      return;
    }
    attributes_ = {sizeof attributes_, &descriptor_, FALSE};
    made_ = true;
  }
  OwnerOnlySecurity(const OwnerOnlySecurity&) = delete;
  OwnerOnlySecurity& operator=(const OwnerOnlySecurity&) = delete;

  // None when the system would not say who we are: the folder's defaults.
  SECURITY_ATTRIBUTES* get() { return made_ ? &attributes_ : nullptr; }

 private:
  std::vector<uint64_t> user_;  // TOKEN_USER, suitably aligned
  std::vector<uint64_t> acl_;
  SECURITY_DESCRIPTOR descriptor_{};
  SECURITY_ATTRIBUTES attributes_{};
  bool made_ = false;
};

// The copy of the old bytes goes beside the file; where the folder takes no
// new files (its files may still be writable), to the temporary folder.
platform::UniqueFile CreateCopyFile(const std::wstring& target, SideFile& copy) {
  OwnerOnlySecurity security;
  constexpr DWORD kAccess = GENERIC_READ | GENERIC_WRITE;
  platform::UniqueFile file = CreateSideFile(target, kPreviousTag, kAccess, security.get(), copy);
  if (file) return file;
  wchar_t temp[MAX_PATH + 1];
  const DWORD length = GetTempPathW(MAX_PATH + 1, temp);
  if (length == 0 || length > MAX_PATH) return platform::UniqueFile();
  return CreateSideFile(std::wstring(temp, length) + FileNamePart(target), kPreviousTag, kAccess, security.get(),
                        copy);
}

bool Rewind(HANDLE file) {
  LARGE_INTEGER start{};
  return SetFilePointerEx(file, start, nullptr, FILE_BEGIN) != FALSE;
}

// Copies from where from stands to its end into to, from where to stands.
bool CopyRest(HANDLE from, HANDLE to, SaveProgress* progress) {
  const std::unique_ptr<char[]> block(new (std::nothrow) char[kSaveChunkBytes]);
  if (!block) return false;
  for (;;) {
    DWORD read = 0;
    if (!g_file_io_hooks.read_file(from, block.get(), static_cast<DWORD>(kSaveChunkBytes), &read)) return false;
    if (read == 0) return true;
    if (!WriteAll(to, block.get(), read, progress)) return false;
  }
}

bool Rewrite(HANDLE file, const SaveText& text, SaveProgress& progress) {
  return Rewind(file) && WriteText(file, text, &progress) && SetEndOfFile(file) && FlushFileBuffers(file);
}

bool Restore(HANDLE file, HANDLE copy) {
  return Rewind(file) && Rewind(copy) && CopyRest(copy, file, nullptr) && SetEndOfFile(file) &&
         FlushFileBuffers(file);
}

// Writes into the existing file itself, reached by its name so that any
// link leads to it: every link, name, permission and owner stays, only the
// bytes change. The old bytes are on disk in a copy before the first of
// them is overwritten.
SaveResult WriteInPlace(const std::wstring& target, const SaveText& text, SaveProgress& progress) {
  // Nobody else writes while the file is half old, half new.
  platform::UniqueFile file(CreateFileW(target.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return SaveResult::kCannotCreate;
  SideFile copy;
  platform::UniqueFile copy_file = CreateCopyFile(target, copy);
  if (!copy_file) return SaveResult::kCannotCreate;
  LARGE_INTEGER old_size{};
  if (GetFileSizeEx(file.get(), &old_size) && old_size.QuadPart > 0)
    progress.AddToTotal(static_cast<uint64_t>(old_size.QuadPart));
  if (!CopyRest(file.get(), copy_file.get(), &progress) || !FlushFileBuffers(copy_file.get()))
    return SaveResult::kWriteFailed;

  if (Rewrite(file.get(), text, progress)) return SaveResult::kSaved;
  // Should the old bytes not go back either, the copy is all that is left
  // of them.
  if (!Restore(file.get(), copy_file.get())) copy.Keep();
  return SaveResult::kWriteFailed;
}

// The target has been found writable.
SaveResult SaveBytes(const std::wstring& target, const SaveText& text) {
  // Before anything is written: what a save that died left here may be
  // the room this one needs.
  RemoveSideFilesOfEndedSaves(target);
  SaveProgress progress(target, text.size());
  const bool existing = Exists(target);
  SideFile saving;
  platform::UniqueFile file = CreateSideFile(target, kSavingTag, GENERIC_WRITE | READ_CONTROL, nullptr, saving);
  // Whether the new file may take the old one's place can depend on what
  // the system made of the new file (its owner and permissions), so it is
  // asked once the new file exists. Writing into the file itself is the
  // road of last resort: stopped half-way, it leaves the file half new.
  if (existing && (!file || !g_file_io_hooks.replacing_keeps_identity(target.c_str(), file.get()))) {
    file.close();
    saving.Discard();
    return WriteInPlace(target, text, progress);
  }
  if (!file) return SaveResult::kCannotCreate;
  if (!WriteText(file.get(), text, &progress)) return SaveResult::kWriteFailed;
  if (!FlushFileBuffers(file.get()) || !file.close()) return SaveResult::kWriteFailed;

  if (!PutInPlace(saving.path(), target)) return SaveResult::kWriteFailed;
  saving.Keep();
  return SaveResult::kSaved;
}

}  // namespace

SaveResult SaveDocumentFile(const std::wstring& path) {
  const std::wstring target = SideFileTarget(path);
  if (!TargetWritable(target)) return SaveResult::kCannotCreate;
  const intptr_t length = SendEditor(SCI_GETLENGTH);
  const intptr_t gap = std::clamp<intptr_t>(SendEditor(SCI_GETGAPPOSITION), 0, length);
  // Neither run crosses the gap, so the component hands out its own bytes
  // without moving any.
  SaveText text;
  if (gap > 0) {
    const auto* before = reinterpret_cast<const char*>(SendEditor(SCI_GETRANGEPOINTER, 0, gap));
    if (!before) return SaveResult::kCannotAllocate;
    text.before = std::string_view(before, static_cast<std::size_t>(gap));
  }
  if (length > gap) {
    const auto* after =
        reinterpret_cast<const char*>(SendEditor(SCI_GETRANGEPOINTER, static_cast<uintptr_t>(gap), length - gap));
    if (!after) return SaveResult::kCannotAllocate;
    text.after = std::string_view(after, static_cast<std::size_t>(length - gap));
  }
  return SaveBytes(target, text);
}

SaveResult SaveFileBytes(const std::wstring& path, std::string_view bytes) {
  const std::wstring target = SideFileTarget(path);
  if (!TargetWritable(target)) return SaveResult::kCannotCreate;
  return SaveBytes(target, SaveText{bytes, std::string_view()});
}

}  // namespace tavrel
