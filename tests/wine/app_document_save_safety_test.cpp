// Saving over an existing file when something goes wrong: a read-only or
// locked target, a folder that vanished, a full disk, a write or the final
// replacement failing half-way, and the saving process killed mid-write;
// each both by replacing the file and by writing into it. Each time the old
// file must still hold exactly its old bytes, no side file may be left
// behind (except by the killed process, until the next save or open
// clears it, or a copy of old bytes that could not be put back), the
// document must still count as modified and the user must have been told,
// and a retry must not take the editor's own repair for another program's
// change. A file reached through a symbolic link stays behind its link,
// with its permissions, whether the save fails or not.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/document/document_files.h"
#include "app/document/document_save.h"
#include "app/document/document_load.h"
#include "app/document/side_file_writer.h"
#include "app/document/side_files_win32.h"
#include "platform/dll_function_win32.h"
#include "tests/wine/app_editor_fixture.h"

namespace tavrel::test_support {
namespace {

const std::string kOldBytes("old contents\r\nsecond line\r\n\0\xFF tail", 34);

std::string NewBytes(std::size_t size) {
  std::string bytes;
  bytes.reserve(size);
  for (std::size_t i = 0; bytes.size() < size; ++i) bytes += "new line " + std::to_string(i) + "\r\n";
  bytes.resize(size);
  return bytes;
}

// ------------------------------------------------------------ Linux shell

// The Windows name of a Linux path, under Wine only.
std::wstring DosName(const std::string& unix_path) {
  using Convert = wchar_t*(__cdecl*)(const char*);
  auto convert = platform::DllFunction<Convert>(GetModuleHandleW(L"kernel32.dll"), "wine_get_dos_file_name");
  wchar_t* converted = convert ? convert(unix_path.c_str()) : nullptr;
  if (!converted) return std::wstring();
  std::wstring name = converted;
  HeapFree(GetProcessHeap(), 0, converted);
  return name;
}

// Runs a Linux shell command and waits at most ten seconds for its end.
// Wine starts Linux programs but cannot wait for them, so the command
// leaves its exit status in a file; the command goes through a script file
// so that no quoting has to survive the trip.
bool RunShell(const std::string& command) {
  const std::string base = "/tmp/tavrel-shell-" + std::to_string(GetCurrentProcessId());
  const std::wstring shell = DosName("/bin/sh");
  const std::wstring script = DosName(base + ".sh");
  const std::wstring status = DosName(base + ".status");
  if (shell.empty() || script.empty() || status.empty()) return false;
  DeleteFileW(status.c_str());
  if (!WriteBytes(script, "(" + command + ") >/dev/null 2>&1; echo $? > " + base + ".part; mv " + base + ".part " +
                              base + ".status\n")) {
    return false;
  }
  std::wstring command_line = L"/bin/sh " + std::wstring(base.begin(), base.end()) + L".sh";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  std::optional<std::string> result;
  if (CreateProcessW(shell.c_str(), command_line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                     &process)) {
    if (process.hProcess) CloseHandle(process.hProcess);
    if (process.hThread) CloseHandle(process.hThread);
    for (int i = 0; i < 200 && !(result = ReadBytes(status)); ++i) Sleep(50);
  }
  DeleteFileW(status.c_str());
  DeleteFileW(script.c_str());
  return result && result->rfind("0", 0) == 0;
}

// The Linux name of a Windows path, under Wine only.
std::string UnixName(const std::wstring& dos_path) {
  using Convert = char*(__cdecl*)(const wchar_t*);
  auto convert = reinterpret_cast<Convert>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
  char* converted = convert ? convert(dos_path.c_str()) : nullptr;
  if (!converted) return std::string();
  std::string name = converted;
  HeapFree(GetProcessHeap(), 0, converted);
  return name;
}

// ----------------------------------------------------------------- fixture

// The two roads of a save: putting a new file in the old one's place, or
// writing into the old file itself after copying its bytes aside.
enum class Road { kReplace, kInPlace };

int g_full_blocks = 0;

// A write that fails on the second full block of the document, half-way
// through it; a copy of the short old file never makes a full block.
BOOL FailSecondBlock(HANDLE file, const void* data, DWORD size, DWORD* written) {
  if (size == kSaveChunkBytes && ++g_full_blocks == 2) {
    SetLastError(ERROR_DISK_FULL);
    return FALSE;
  }
  return WriteFile(file, data, size, written, nullptr);
}

class SaveSafety : public FileTest {
 protected:
  void SetUp() override {
    FileTest::SetUp();
    if (HasFatalFailure()) return;
    g_full_blocks = 0;
    target_ = Path(L"t.txt");
    ASSERT_TRUE(WriteBytes(target_, kOldBytes));
    UseDocument(target_, NewBytes(3 * kSaveChunkBytes + 123));
  }

  // The road the save takes, whatever the system running the test would choose.
  static void Take(Road road) {
    g_file_io_hooks.replacing_keeps_identity = road == Road::kReplace ? +[](const wchar_t*, HANDLE) { return true; }
                                                                      : +[](const wchar_t*, HANDLE) { return false; };
  }

  void UseDocument(const std::wstring& path, const std::string& bytes) {
    SetText(bytes);
    g_editor.document_path = path;
  }

  // The save is refused with message, and nothing on disk or in the
  // document has moved. A lock that keeps the test out too is released
  // before the file is read.
  void ExpectRefused(const std::wstring& message, HANDLE lock = nullptr) {
    InstallUserScript();
    EXPECT_EQ(SaveDocument(), kCommandStopped);
    EXPECT_EQ(g_user.messages, std::vector<std::wstring>{message});
    if (lock) CloseHandle(lock);
    EXPECT_EQ(ReadBytes(target_), kOldBytes);
    EXPECT_EQ(FilesIn(folder_), std::vector<std::wstring>{L"t.txt"});
    EXPECT_TRUE(Modified());
    EXPECT_TRUE(g_user.recent_files.empty());
  }

  void ExpectSaved() {
    InstallUserScript();
    const std::string bytes = Text();
    EXPECT_EQ(SaveDocument(), 0);
    EXPECT_TRUE(g_user.messages.empty());
    EXPECT_EQ(ReadBytes(target_), bytes);
    EXPECT_EQ(FilesIn(folder_), std::vector<std::wstring>{L"t.txt"});
    EXPECT_FALSE(Modified());
  }

  std::wstring target_;
};

class SaveEitherWay : public SaveSafety, public ::testing::WithParamInterface<Road> {
 protected:
  void SetUp() override {
    SaveSafety::SetUp();
    Take(GetParam());
  }
};

INSTANTIATE_TEST_SUITE_P(Roads, SaveEitherWay, ::testing::Values(Road::kReplace, Road::kInPlace),
                         [](const ::testing::TestParamInfo<Road>& road) {
                           return std::string(road.param == Road::kReplace ? "ByReplacing" : "InPlace");
                         });

class SaveByReplacing : public SaveSafety {
 protected:
  void SetUp() override {
    SaveSafety::SetUp();
    Take(Road::kReplace);
  }
};

TEST_P(SaveEitherWay, SuccessfulSaveReplacesTheFileAndLeavesNothingBeside) { ExpectSaved(); }

TEST_P(SaveEitherWay, ReadOnlyTargetIsNotTouched) {
  ASSERT_TRUE(SetFileAttributesW(target_.c_str(), FILE_ATTRIBUTE_READONLY));
  ExpectRefused(L"Error: Could not create file t.txt!");
  EXPECT_TRUE(GetFileAttributesW(target_.c_str()) & FILE_ATTRIBUTE_READONLY);
}

TEST_P(SaveEitherWay, TargetOpenWithoutSharingIsNotTouched) {
  HANDLE lock = CreateFileW(target_.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  ExpectRefused(L"Error: Could not create file t.txt!", lock);
  ExpectSaved();
}

TEST_F(SaveByReplacing, TargetThatMayNotBeDeletedOrRenamedIsNotTouched) {
  // Writing is shared, so the file can be written, but not replaced.
  HANDLE lock = CreateFileW(target_.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  ExpectRefused(L"Error: Could not save file t.txt!");
  CloseHandle(lock);
  ExpectSaved();
}

TEST_P(SaveEitherWay, FolderThatVanishedIsReported) {
  const std::wstring folder = Path(L"gone");
  ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
  UseDocument(folder + L"\\t.txt", "text");
  ASSERT_TRUE(RemoveDirectoryW(folder.c_str()));
  InstallUserScript();

  EXPECT_EQ(SaveDocument(), kCommandStopped);
  EXPECT_EQ(g_user.messages, std::vector<std::wstring>{L"Error: Could not create file t.txt!"});
  EXPECT_FALSE(FileExists(folder));
  EXPECT_TRUE(Modified());
}

TEST_P(SaveEitherWay, WriteFailingHalfwayKeepsTheOldFile) {
  g_file_io_hooks.write_file = FailSecondBlock;
  ExpectRefused(L"Error: Could not save file t.txt!");
}

// Putting the old bytes back into the file itself gives it a new time, but
// no other program wrote them: the next save asks nothing.
TEST_F(SaveSafety, OldBytesPutBackAreNotTakenForAnotherProgramsChange) {
  HANDLE file = CreateFileW(target_.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  const FILETIME long_ago{0, 0x01C00000};
  EXPECT_TRUE(SetFileTime(file, nullptr, nullptr, &long_ago));
  CloseHandle(file);
  const std::string text = Text();
  g_user.answers = {kAnswerNo};
  OpenDocument(target_);
  SetText(text);

  Take(Road::kInPlace);
  g_file_io_hooks.write_file = FailSecondBlock;
  ExpectRefused(L"Error: Could not save file t.txt!");
  ResetFileIoHooks();
  Take(Road::kInPlace);
  InstallUserScript();
  EXPECT_EQ(SaveDocument(), 0);
  EXPECT_EQ(g_user.questions, std::vector<std::wstring>{});
  EXPECT_TRUE(ReadBytes(target_) == text) << "the text was not written";
}

TEST_P(SaveEitherWay, ShortWriteIsAFailure) {
  g_file_io_hooks.write_file = [](HANDLE file, const void* data, DWORD size, DWORD* written) -> BOOL {
    return WriteFile(file, data, size / 2, written, nullptr);
  };
  ExpectRefused(L"Error: Could not save file t.txt!");
}

TEST_F(SaveByReplacing, ReplacementNotSupportedFallsBackToAMove) {
  g_file_io_hooks.replace_file = [](const wchar_t*, const wchar_t*, const wchar_t*) -> BOOL {
    SetLastError(ERROR_NOT_SUPPORTED);
    return FALSE;
  };
  ExpectSaved();
}

TEST_F(SaveByReplacing, ReplacementRefusedIsNotForcedByAMove) {
  g_file_io_hooks.replace_file = [](const wchar_t*, const wchar_t*, const wchar_t*) -> BOOL {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  };
  ExpectRefused(L"Error: Could not save file t.txt!");
}

TEST_F(SaveByReplacing, ReplacementStoppedAfterMovingTheOldFileAsideGetsItBack) {
  g_file_io_hooks.replace_file = [](const wchar_t* target, const wchar_t*, const wchar_t* backup) -> BOOL {
    if (!MoveFileExW(target, backup, 0)) return TRUE;  // makes the test fail: the save would look done
    SetLastError(ERROR_UNABLE_TO_MOVE_REPLACEMENT_2);
    return FALSE;
  };
  ExpectRefused(L"Error: Could not save file t.txt!");
}

// ------------------------------------------------------------- a full disk

// A volume of a few pages: a tmpfs mounted for the test, which needs Wine
// run by root.
class SmallVolume {
 public:
  SmallVolume() : unix_folder_("/tmp/tavrel-small-volume-" + std::to_string(GetCurrentProcessId())) {
    folder_ = DosName(unix_folder_);
    mounted_ = !folder_.empty() &&
               RunShell("mkdir -p " + unix_folder_ + " && mount -t tmpfs -o size=64k tavrel-test " + unix_folder_);
  }
  ~SmallVolume() {
    if (mounted_) RunShell("umount " + unix_folder_ + " || umount -l " + unix_folder_);
    if (!folder_.empty()) RunShell("rmdir " + unix_folder_);
  }
  SmallVolume(const SmallVolume&) = delete;
  SmallVolume& operator=(const SmallVolume&) = delete;

  bool mounted() const { return mounted_; }
  const std::wstring& folder() const { return folder_; }

 private:
  std::string unix_folder_;
  std::wstring folder_;
  bool mounted_ = false;
};

TEST_P(SaveEitherWay, FullDiskKeepsTheOldFile) {
  SmallVolume volume;
  if (!volume.mounted()) GTEST_SKIP() << "no small volume can be mounted here (needs Wine run by root)";
  const std::wstring target = volume.folder() + L"\\t.txt";
  ASSERT_TRUE(WriteBytes(target, kOldBytes));
  UseDocument(target, NewBytes(256 * 1024));
  InstallUserScript();

  EXPECT_EQ(SaveDocument(), kCommandStopped);
  EXPECT_EQ(g_user.messages, std::vector<std::wstring>{L"Error: Could not save file t.txt!"});
  EXPECT_EQ(ReadBytes(target), kOldBytes);
  EXPECT_EQ(FilesIn(volume.folder()), std::vector<std::wstring>{L"t.txt"});
  EXPECT_TRUE(Modified());

  // A document that fits is saved on the same volume.
  UseDocument(target, "fits");
  EXPECT_EQ(SaveDocument(), 0);
  EXPECT_EQ(ReadBytes(target), "fits");
  DeleteFileW(target.c_str());
}

// ------------------------------------------------- a save killed mid-write

constexpr wchar_t kChildTargetVariable[] = L"TAVREL_SAVE_CHILD_TARGET";
constexpr wchar_t kChildEventVariable[] = L"TAVREL_SAVE_CHILD_EVENT";

HANDLE g_child_event = nullptr;

std::wstring Variable(const wchar_t* name) {
  wchar_t value[1024] = {};
  const DWORD length = GetEnvironmentVariableW(name, value, 1024);
  return length > 0 && length < 1024 ? std::wstring(value, length) : std::wstring();
}

// Run only as the child of the test below: starts saving a large document
// by replacing the file and stops after the first block to be killed.
TEST_F(EditorTest, DISABLED_SaveUntilKilled) {
  const std::wstring target = Variable(kChildTargetVariable);
  g_child_event = OpenEventW(EVENT_MODIFY_STATE, FALSE, Variable(kChildEventVariable).c_str());
  ASSERT_FALSE(target.empty());
  ASSERT_NE(g_child_event, nullptr);
  SetText(NewBytes(4 * kSaveChunkBytes));
  g_editor.document_path = target;
  g_file_io_hooks.replacing_keeps_identity = [](const wchar_t*, HANDLE) { return true; };
  g_file_io_hooks.write_file = [](HANDLE file, const void* data, DWORD size, DWORD* written) -> BOOL {
    static int calls = 0;
    if (++calls == 2) {
      SetEvent(g_child_event);
      Sleep(60000);  // killed long before this ends
      SetLastError(ERROR_TIMEOUT);
      return FALSE;
    }
    return WriteFile(file, data, size, written, nullptr);
  };
  SaveDocument();
}

TEST_F(SaveByReplacing, SaveKilledMidWriteLeavesTheOldFileIntact) {
  const std::wstring event_name = L"TavrelSaveChild-" + std::to_wstring(GetCurrentProcessId());
  HANDLE halfway = CreateEventW(nullptr, TRUE, FALSE, event_name.c_str());
  ASSERT_NE(halfway, nullptr);
  SetEnvironmentVariableW(kChildTargetVariable, target_.c_str());
  SetEnvironmentVariableW(kChildEventVariable, event_name.c_str());
  std::wstring command_line = L"\"" + ExePath() +
                              L"\" --gtest_also_run_disabled_tests --gtest_filter=EditorTest.DISABLED_SaveUntilKilled";
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE nul = CreateFileW(L"NUL", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, OPEN_EXISTING, 0, nullptr);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = nul;
  startup.hStdError = nul;
  PROCESS_INFORMATION child{};
  const BOOL started = CreateProcessW(nullptr, command_line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                                      &startup, &child);
  SetEnvironmentVariableW(kChildTargetVariable, nullptr);
  SetEnvironmentVariableW(kChildEventVariable, nullptr);
  CloseHandle(nul);
  ASSERT_TRUE(started);

  HANDLE waits[] = {halfway, child.hProcess};
  const DWORD woke = WaitForMultipleObjects(2, waits, FALSE, 60000);
  TerminateProcess(child.hProcess, 9);
  EXPECT_EQ(WaitForSingleObject(child.hProcess, 10000), WAIT_OBJECT_0);
  CloseHandle(child.hThread);
  CloseHandle(child.hProcess);
  CloseHandle(halfway);
  ASSERT_EQ(woke, WAIT_OBJECT_0) << "the child never got half-way through its save";

  EXPECT_EQ(ReadBytes(target_), kOldBytes);
  // Beside it only the killed save's own file, holding the first block.
  const std::vector<std::wstring> files = FilesIn(folder_);
  ASSERT_EQ(files.size(), 2u);
  EXPECT_EQ(files[0], L"t.txt");
  EXPECT_EQ(files[1].rfind(L"t.txt.~saving-", 0), 0u) << files[1];
  EXPECT_EQ(ReadBytes(Path(files[1])), NewBytes(4 * kSaveChunkBytes).substr(0, kSaveChunkBytes));

  // The next save is not hindered by what the killed one left, and clears
  // it away.
  InstallUserScript();
  EXPECT_EQ(SaveDocument(), 0);
  EXPECT_EQ(ReadBytes(target_), Text());
  EXPECT_EQ(FilesIn(folder_), std::vector<std::wstring>{L"t.txt"});
}

uint64_t StartOf(HANDLE process) {
  FILETIME created{}, ended{}, kernel{}, user{};
  if (!GetProcessTimes(process, &created, &ended, &kernel, &user)) return 0;
  return (static_cast<uint64_t>(created.dwHighDateTime) << 32) | created.dwLowDateTime;
}

// Another process, held suspended while the test needs it to run.
class OtherProcess {
 public:
  OtherProcess() {
    std::wstring command_line = L"\"" + ExePath() + L"\" --gtest_list_tests";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessW(nullptr, command_line.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, nullptr,
                        &startup, &info_)) {
      info_ = PROCESS_INFORMATION{};
    }
  }
  ~OtherProcess() {
    End();
    if (info_.hThread) CloseHandle(info_.hThread);
    if (info_.hProcess) CloseHandle(info_.hProcess);
  }
  OtherProcess(const OtherProcess&) = delete;
  OtherProcess& operator=(const OtherProcess&) = delete;

  bool started() const { return info_.hProcess != nullptr; }
  SideFileWriter writer() const { return SideFileWriter{info_.dwProcessId, StartOf(info_.hProcess)}; }
  bool End() {
    if (!info_.hProcess) return false;
    TerminateProcess(info_.hProcess, 1);
    return WaitForSingleObject(info_.hProcess, 10000) == WAIT_OBJECT_0;
  }

 private:
  PROCESS_INFORMATION info_{};
};

// What a save or an open finds beside its target: the new texts of saves
// whose process has ended go; a running process's, copies of old bytes and
// other documents' files stay.
TEST_F(SaveByReplacing, OnlyTheNewTextsOfEndedSavesAreCleared) {
  const SideFileWriter self{GetCurrentProcessId(), StartOf(GetCurrentProcess())};
  ASSERT_NE(self.started, 0u);
  OtherProcess other;
  ASSERT_TRUE(other.started());
  // This process's id, but a process started before it: the id was reused.
  const SideFileWriter reused{self.process_id, self.started - 1};
  const std::wstring ended = L"t.txt" + SideFileSuffix(kSavingTag, reused, 1);
  // The name an earlier version gave, of a process id nobody has.
  const std::wstring earlier = L"t.txt.~saving-ffffff0000000001.tmp";
  const std::wstring mine = L"t.txt" + SideFileSuffix(kSavingTag, self, 0xFFFFFF);
  const std::wstring others = L"t.txt" + SideFileSuffix(kSavingTag, other.writer(), 1);
  const std::wstring previous = L"t.txt" + SideFileSuffix(kPreviousTag, reused, 2);
  const std::wstring list = L"u.txt" + SideFileSuffix(kSavingTag, reused, 3);
  for (const std::wstring& name : {ended, earlier, mine, others, previous, list}) {
    ASSERT_TRUE(WriteBytes(Path(name), "partial"));
  }
  auto expect_files = [&](std::vector<std::wstring> names) {
    std::sort(names.begin(), names.end());
    EXPECT_EQ(FilesIn(folder_), names);
  };

  InstallUserScript();
  EXPECT_EQ(SaveDocument(), 0);
  expect_files({L"t.txt", mine, others, previous, list});

  // Once the other process has ended, an open clears its file too.
  ASSERT_TRUE(other.End());
  ASSERT_EQ(LoadDocumentFile(target_), LoadResult::kLoaded);
  expect_files({L"t.txt", mine, previous, list});

  // The editor's own files are saved the same way.
  EXPECT_EQ(SaveFileBytes(Path(L"u.txt"), "list"), SaveResult::kSaved);
  expect_files({L"t.txt", mine, previous, L"u.txt"});
}

// Past the plain limit, the side files are found in the extended-length form.
TEST_F(SaveByReplacing, EndedSavesAreClearedBesideALongPath) {
  const std::wstring deep = L"\\\\?\\" + Path(std::wstring(150, L'd'));
  const std::wstring deeper = deep + L"\\" + std::wstring(150, L'e');
  ASSERT_TRUE(CreateDirectoryW(deep.c_str(), nullptr));
  ASSERT_TRUE(CreateDirectoryW(deeper.c_str(), nullptr));
  const std::wstring target = deeper + L"\\long.txt";
  const std::wstring ended = target + SideFileSuffix(kSavingTag, SideFileWriter{0xFFFFFF00u, 1}, 1);
  ASSERT_TRUE(WriteBytes(ended, "partial"));

  // Named in the plain form, as the user sees it.
  EXPECT_EQ(SaveFileBytes(target.substr(4), "long"), SaveResult::kSaved);
  EXPECT_EQ(ReadBytes(target), "long");
  EXPECT_FALSE(FileExists(ended));
  DeleteFileW(target.c_str());
  RemoveDirectoryW(deeper.c_str());
  RemoveDirectoryW(deep.c_str());
}

// ------------------------------------------- a file behind a symbolic link

// real\t.txt, private to its owner, and links\t.txt, a symbolic link to it
// made on the host; the document is the link's. The system chooses the road.
class SaveThroughLink : public SaveSafety {
 protected:
  void SetUp() override {
    SaveSafety::SetUp();
    if (HasFatalFailure()) return;
    real_ = UnixName(target_);
    link_folder_ = Path(L"links");
    link_ = UnixName(link_folder_) + "/t.txt";
    if (real_.empty()) GTEST_SKIP() << "symbolic links are made on the host, which only Wine has";
    ASSERT_TRUE(CreateDirectoryW(link_folder_.c_str(), nullptr));
    ASSERT_TRUE(RunShell("chmod 600 '" + real_ + "' && ln -s '" + real_ + "' '" + link_ + "'"));
    UseDocument(link_folder_ + L"\\t.txt", NewBytes(3 * kSaveChunkBytes + 123));
  }

  void TearDown() override {
    // Deleting the link from here would delete the file it leads to.
    if (!link_.empty()) RunShell("rm -f '" + link_ + "'");
    SaveSafety::TearDown();
  }

  // The link still leads to the file, which is still private.
  void ExpectLinkAndFileKept() {
    EXPECT_TRUE(RunShell("test -L '" + link_ + "' && test \"$(readlink '" + link_ + "')\" = '" + real_ + "'"))
        << "the link was replaced";
    EXPECT_TRUE(RunShell("test \"$(stat -c %a '" + real_ + "')\" = 600")) << "the file's permissions changed";
  }

  std::string real_;
  std::string link_;
  std::wstring link_folder_;
};

TEST_F(SaveThroughLink, FailedSaveKeepsTheOldBytesThenASaveGoesThroughTheLink) {
  g_file_io_hooks.write_file = FailSecondBlock;
  InstallUserScript();
  EXPECT_EQ(SaveDocument(), kCommandStopped);
  EXPECT_EQ(g_user.messages, std::vector<std::wstring>{L"Error: Could not save file t.txt!"});
  EXPECT_EQ(ReadBytes(target_), kOldBytes);
  EXPECT_EQ(FilesIn(folder_), (std::vector<std::wstring>{L"links", L"t.txt"}));
  EXPECT_EQ(FilesIn(link_folder_), std::vector<std::wstring>{L"t.txt"});
  EXPECT_TRUE(Modified());
  ExpectLinkAndFileKept();

  ResetFileIoHooks();
  InstallUserScript();
  EXPECT_EQ(SaveDocument(), 0);
  EXPECT_TRUE(g_user.messages.empty());
  EXPECT_EQ(ReadBytes(target_), Text());
  EXPECT_EQ(FilesIn(link_folder_), std::vector<std::wstring>{L"t.txt"});
  ExpectLinkAndFileKept();
}

TEST_F(SaveThroughLink, OldBytesThatCannotBePutBackStayInAPrivateCopy) {
  // Every write from the second block on fails, putting the old bytes back too.
  g_file_io_hooks.write_file = [](HANDLE file, const void* data, DWORD size, DWORD* written) -> BOOL {
    if (size == kSaveChunkBytes) ++g_full_blocks;
    if (g_full_blocks >= 2) {
      SetLastError(ERROR_DISK_FULL);
      return FALSE;
    }
    return WriteFile(file, data, size, written, nullptr);
  };
  InstallUserScript();
  EXPECT_EQ(SaveDocument(), kCommandStopped);
  EXPECT_EQ(g_user.messages, std::vector<std::wstring>{L"Error: Could not save file t.txt!"});
  const std::vector<std::wstring> files = FilesIn(link_folder_);
  ASSERT_EQ(files.size(), 2u);
  EXPECT_EQ(files[0], L"t.txt");
  EXPECT_EQ(files[1].rfind(L"t.txt.~previous-", 0), 0u) << files[1];
  EXPECT_EQ(ReadBytes(link_folder_ + L"\\" + files[1]), kOldBytes);
  const std::string copy = UnixName(link_folder_ + L"\\" + files[1]);
  EXPECT_TRUE(RunShell("test $(( 0$(stat -c %a '" + copy + "') & 7 )) = 0")) << "others may read the copy";
  ExpectLinkAndFileKept();
}

}  // namespace
}  // namespace tavrel::test_support
