#include "app/document/side_files_win32.h"

#include <windows.h>

#include <cstdint>

#include "app/document/document_naming.h"
#include "app/document/path_forms_win32.h"
#include "app/document/side_file_writer.h"
#include "platform/os_handles_win32.h"

namespace tavrel {

namespace {

uint64_t StartOf(HANDLE process) {
  FILETIME created{}, ended{}, kernel{}, user{};
  if (!GetProcessTimes(process, &created, &ended, &kernel, &user)) return 0;
  return (static_cast<uint64_t>(created.dwHighDateTime) << 32) | created.dwLowDateTime;
}

const SideFileWriter& ThisProcess() {
  static const SideFileWriter writer{static_cast<uint32_t>(GetCurrentProcessId()), StartOf(GetCurrentProcess())};
  return writer;
}

// True only when the writer is known to be gone; a process that cannot be
// looked at (another user's) may still be writing. Process ids are reused,
// so a running process of the writer's id is the writer only if it started
// when the writer did.
bool WriterEnded(const SideFileWriter& writer) {
  if (writer.process_id == ThisProcess().process_id) {
    return writer.started != 0 && writer.started != ThisProcess().started;
  }
  const platform::UniqueKernelObject process(
      OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE, FALSE, writer.process_id));
  // No process has that id (any more).
  if (!process) return GetLastError() == ERROR_INVALID_PARAMETER;
  if (WaitForSingleObject(process.get(), 0) == WAIT_OBJECT_0) return true;
  if (writer.started == 0) return false;
  const uint64_t started = StartOf(process.get());
  return started != 0 && started != writer.started;
}

bool StartsWithIgnoringCase(const std::wstring& text, const std::wstring& start) {
  return text.size() >= start.size() &&
         CompareStringOrdinal(text.c_str(), static_cast<int>(start.size()), start.c_str(),
                              static_cast<int>(start.size()), TRUE) == CSTR_EQUAL;
}

}  // namespace

std::wstring SideFileTarget(const std::wstring& path) {
  return SystemPath(path, SideFileName(std::wstring(), SideFileSuffix(kPreviousTag, SideFileWriter{}, 0)).size());
}

std::wstring NewSideFileName(const std::wstring& base, const wchar_t* tag) {
  static uint32_t number = 0;
  return SideFileName(base, SideFileSuffix(tag, ThisProcess(), ++number));
}

void RemoveSideFilesOfEndedSaves(const std::wstring& target) {
  // Every new text's name starts the same: target's name, shortened alike
  // for each where it must be.
  const std::wstring suffix = SideFileSuffix(kSavingTag, SideFileWriter{}, 0);
  const std::wstring example = SideFileName(target, suffix);
  const std::wstring stem = example.substr(0, example.size() - suffix.size());
  const std::wstring stem_name = FileNamePart(stem);
  const std::wstring folder = stem.substr(0, stem.size() - stem_name.size());
  const std::wstring pattern = stem + L".~" + kSavingTag + L"-*";

  WIN32_FIND_DATAW found{};
  const platform::UniqueFileSearch search(
      FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &found, FindExSearchNameMatch, nullptr, 0));
  if (!search) return;
  do {
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    const std::wstring name = found.cFileName;
    // The pattern may also have matched the system's short form of a name.
    if (!StartsWithIgnoringCase(name, stem_name)) continue;
    const std::optional<SideFileWriter> writer =
        SideFileWriterOf(std::wstring_view(name).substr(stem_name.size()), kSavingTag);
    // While it writes, a writer holds its file open without sharing: a
    // wrong verdict could not delete the file then either.
    if (writer && WriterEnded(*writer)) DeleteFileW((folder + name).c_str());
  } while (FindNextFileW(search.get(), &found));
}

}  // namespace tavrel
