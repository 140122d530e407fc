// The document commands against a real editing component and real files:
// bytes survive a round trip whatever they are, opening replaces the whole
// document state (also for empty files), a failed open leaves everything as
// it was, the unsaved-changes question stops New and Open whenever the
// user cancels or the save they asked for did not complete, and a save asks
// before it writes over another program's changes.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "app/document/document_files.h"
#include "app/document/document_load.h"
#include "app/document/document_messages.h"
#include "app/document/document_naming.h"
#include "app/document/file_io_hooks_win32.h"
#include "tests/wine/app_editor_fixture.h"

namespace tavrel::test_support {
namespace {

// ---------------------------------------------------------------- round trips

struct BytesCase {
  const char* name;
  std::string bytes;
};

std::string LargerThanTwoReadBlocks() {
  std::string bytes;
  for (std::size_t i = 0; bytes.size() < 2 * kLoadChunkBytes + 1000; ++i) {
    bytes += "line " + std::to_string(i);
    bytes += (i % 7 == 0) ? std::string("\0\xFF\r", 3) : std::string("\r\n");
  }
  return bytes;
}

class RoundTrip : public FileTest, public ::testing::WithParamInterface<BytesCase> {};

TEST_P(RoundTrip, OpensAndSavesEveryByteUnchanged) {
  const std::string& bytes = GetParam().bytes;
  const std::wstring source = Path(L"in.txt");
  ASSERT_TRUE(WriteBytes(source, bytes));
  SetText("earlier text");
  g_user.answers = {kAnswerNo};

  OpenDocument(source);
  EXPECT_TRUE(g_user.messages.empty());
  EXPECT_EQ(Text(), bytes);
  EXPECT_EQ(SendEditor(SCI_GETLENGTH), static_cast<intptr_t>(bytes.size()));
  EXPECT_FALSE(Modified());

  // Saved unedited under another name, then over itself: the same bytes.
  const std::wstring copy = Path(L"out.txt");
  g_user.save_answers = {copy};
  ASSERT_EQ(SaveDocumentAs(), 0);
  EXPECT_EQ(ReadBytes(copy), bytes);
  ASSERT_EQ(SaveDocument(), 0);
  EXPECT_EQ(ReadBytes(copy), bytes);
  EXPECT_EQ(ReadBytes(source), bytes);
  EXPECT_TRUE(g_user.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Bytes, RoundTrip,
    ::testing::Values(BytesCase{"ZeroBytesInside", std::string("before\0after\0\0end\0", 18)},
                      BytesCase{"InvalidUtf8", "\xC3\x28 \xA0\xA1 \xFF\xFE \xED\xA0\x80 \xC0\xAF \xE2\x82 \xF0\x9F\x98"},
                      BytesCase{"Utf8ByteOrderMark", "\xEF\xBB\xBFhello \xC3\xA9\r\n"},
                      BytesCase{"CrOnlyLineEnds", "one\rtwo\r\rthree\r"},
                      BytesCase{"MixedLineEnds", "a\r\nb\nc\rd\n\re\r\n\r\n"},
                      BytesCase{"Empty", ""},
                      BytesCase{"LargerThanTwoReadBlocks", LargerThanTwoReadBlocks()}),
    [](const ::testing::TestParamInfo<BytesCase>& param_info) { return std::string(param_info.param.name); });

TEST_F(FileTest, LineEndSplitBetweenReadBlocksIsOneLineEnd) {
  // CR is the last byte of the first block and LF the first of the second.
  const std::string bytes = std::string(kLoadChunkBytes - 1, 'x') + "\r\ny";
  const std::wstring path = Path(L"split.txt");
  ASSERT_TRUE(WriteBytes(path, bytes));
  OpenDocument(path);
  EXPECT_EQ(Text(), bytes);
  EXPECT_EQ(SendEditor(SCI_GETLINECOUNT), 2);
}

// --------------------------------------------------------------- opening

TEST_F(FileTest, OpeningReplacesTheWholeDocumentStateEvenForAnEmptyFile) {
  for (const std::string& bytes : {std::string("file text\r\n"), std::string()}) {
    SCOPED_TRACE(bytes.empty() ? "empty file" : "non-empty file");
    InstallUserScript();
    const std::wstring path = Path(bytes.empty() ? L"empty.txt" : L"b.txt");
    ASSERT_TRUE(WriteBytes(path, bytes));
    SetText("typed before");
    ASSERT_TRUE(SendEditor(SCI_CANUNDO));
    g_editor.spell_check_on = 1;
    g_user.answers = {kAnswerNo};

    OpenDocument(path);
    EXPECT_EQ(Text(), bytes);
    EXPECT_FALSE(SendEditor(SCI_CANUNDO)) << "the history of the previous document is gone";
    EXPECT_FALSE(Modified());
    EXPECT_EQ(g_editor.document_path, path);
    EXPECT_EQ(Title(), (bytes.empty() ? L"empty.txt" : L"b.txt") + std::wstring(L" - Tavrel"));
    EXPECT_EQ(g_user.recent_files, std::vector<std::wstring>{path});
    EXPECT_EQ(g_user.spelling_checks, 1);
  }
}

TEST_F(FileTest, OpenedDocumentKeepsTheEditingSettings) {
  // Settings held per document, changed away from the component's defaults
  // so that a fresh document would show the difference.
  SendEditor(SCI_SETEOLMODE, 2);
  SendEditor(SCI_SETTABWIDTH, 4);
  SendEditor(SCI_SETUSETABS, 0);
  std::string long_text;
  for (int i = 0; i < 500; ++i) long_text += "a fairly long line of earlier text " + std::to_string(i) + "\n";
  SetText(long_text);
  SendEditor(SCI_SETFIRSTVISIBLELINE, 300);
  const std::wstring path = Path(L"b.txt");
  ASSERT_TRUE(WriteBytes(path, "short\r\ntext\r\n"));
  g_user.answers = {kAnswerNo};

  OpenDocument(path);
  EXPECT_EQ(SendEditor(SCI_GETCODEPAGE), SC_CP_UTF8);
  // New lines follow the file's own line ends, not the previous document's.
  EXPECT_EQ(SendEditor(SCI_GETEOLMODE), 0);
  EXPECT_EQ(SendEditor(SCI_GETTABWIDTH), 4);
  EXPECT_EQ(SendEditor(SCI_GETUSETABS), 0);
  EXPECT_EQ(SendEditor(SCI_GETFIRSTVISIBLELINE), 0);
  EXPECT_EQ(SendEditor(SCI_GETCURRENTPOS), 0);
  // The view's configuration is untouched.
  EXPECT_EQ(SendEditor(SCI_STYLEGETSIZE, STYLE_DEFAULT), 10);
  EXPECT_EQ(SendEditor(SCI_GETMARGINWIDTHN, 1), 14);
  EXPECT_EQ(SendEditor(SCI_GETSCROLLWIDTHTRACKING), 1);
  EXPECT_EQ(SendEditor(SCI_INDICGETSTYLE, 0), INDIC_SQUIGGLE);
  EXPECT_EQ(SendEditor(SCI_INDICGETSTYLE, 2), INDIC_ROUNDBOX);
  EXPECT_EQ(SendEditor(SCI_INDICGETALPHA, 2), 120);

  // Typing is recorded for undo again, and undoing returns to the file.
  SendEditor(SCI_ADDTEXT, 3, reinterpret_cast<intptr_t>("new"));
  EXPECT_TRUE(Modified());
  ASSERT_TRUE(SendEditor(SCI_CANUNDO));
  SendEditor(SCI_UNDO);
  EXPECT_EQ(Text(), "short\r\ntext\r\n");
  EXPECT_FALSE(Modified());
}

TEST_F(FileTest, OpeningTellsTheMainWindowToRefreshCommandStates) {
  SetText("typed");
  g_user.answers = {kAnswerNo};
  const std::wstring path = Path(L"b.txt");
  ASSERT_TRUE(WriteBytes(path, "text"));
  PumpUntil([] { return false; }, 100);
  g_update_notifications = 0;
  OpenDocument(path);
  EXPECT_TRUE(PumpUntil([] { return g_update_notifications > 0; }, 5000));
}

TEST_F(FileTest, FileThatCannotBeOpenedLeavesEverythingAsItWas) {
  SetText("unsaved work");
  g_editor.document_path = Path(L"current.txt");
  UpdateWindowTitle();
  g_user.answers = {kAnswerNo};

  OpenDocument(Path(L"missing.txt"));
  EXPECT_EQ(g_user.messages, std::vector<std::wstring>{L"Error: Could not read file missing.txt!"});
  EXPECT_EQ(Text(), "unsaved work");
  EXPECT_TRUE(Modified());
  EXPECT_TRUE(SendEditor(SCI_CANUNDO));
  EXPECT_EQ(g_editor.document_path, Path(L"current.txt"));
  EXPECT_EQ(Title(), L"current.txt - Tavrel");
  EXPECT_TRUE(g_user.recent_files.empty());
}

TEST_F(FileTest, ReadFailingHalfwayLeavesTheDocumentAndItsViewAsTheyWere) {
  std::string lines;
  for (int i = 0; i < 300; ++i) lines += "line " + std::to_string(i) + "\r\n";
  SetText(lines);
  SendEditor(SCI_SETSEL, 50, 60);
  SendEditor(SCI_SETFIRSTVISIBLELINE, 100);
  const std::wstring path = Path(L"big.txt");
  ASSERT_TRUE(WriteBytes(path, std::string(3 * kLoadChunkBytes, 'z')));
  g_file_io_hooks.read_file = [](HANDLE file, void* buffer, DWORD size, DWORD* read) -> BOOL {
    static int calls = 0;
    if (++calls % 2 == 0) {
      SetLastError(ERROR_CRC);
      return FALSE;
    }
    return ReadFile(file, buffer, size, read, nullptr);
  };
  g_user.answers = {kAnswerNo};

  OpenDocument(path);
  EXPECT_EQ(g_user.messages, std::vector<std::wstring>{L"Error: Could not read file big.txt!"});
  EXPECT_EQ(Text(), lines);
  EXPECT_TRUE(Modified());
  EXPECT_EQ(SendEditor(SCI_GETSELECTIONSTART), 50);
  EXPECT_EQ(SendEditor(SCI_GETSELECTIONEND), 60);
  EXPECT_EQ(SendEditor(SCI_GETFIRSTVISIBLELINE), 100);
  // Every line of the document is still mapped to a line on screen.
  EXPECT_EQ(SendEditor(SCI_VISIBLEFROMDOCLINE, 299), 299);
}

// ---------------------------------------------------- long opens and saves

// What the user saw at each block of a slow read or write: the title and
// whether the pointer was the wait cursor.
struct Glimpse {
  std::wstring title;
  bool waiting;
};
std::vector<Glimpse> g_glimpses;

void TakeGlimpse(DWORD pause_ms) {
  Sleep(pause_ms);
  wchar_t title[512] = {};
  GetWindowTextW(g_editor.main_window, title, 512);
  g_glimpses.push_back({title, GetCursor() == LoadCursorW(nullptr, IDC_WAIT)});
}

TEST_F(FileTest, SlowOpenAndSaveShowTheirProgressAndPutTheWindowBack) {
  const std::wstring path = Path(L"slow.txt");
  const std::string bytes(4 * kLoadChunkBytes, 'q');
  ASSERT_TRUE(WriteBytes(path, bytes));
  const HCURSOR before = SetCursor(LoadCursorW(nullptr, IDC_ARROW));
  const std::wstring old_title = Title();
  g_file_io_hooks.read_file = [](HANDLE file, void* buffer, DWORD size, DWORD* read) -> BOOL {
    TakeGlimpse(150);
    return ReadFile(file, buffer, size, read, nullptr);
  };
  OpenDocument(path);
  ASSERT_EQ(Text(), bytes);
  // Five reads: four blocks and the end. The pointer waits from the start;
  // a quarter of a second in, the title counts; the last read comes after
  // all four.
  ASSERT_EQ(g_glimpses.size(), 5u);
  EXPECT_TRUE(g_glimpses[0].waiting);
  EXPECT_EQ(g_glimpses[0].title, old_title);
  EXPECT_TRUE(g_glimpses[4].waiting);
  EXPECT_EQ(g_glimpses[4].title, L"Opening slow.txt 100% - Tavrel");
  EXPECT_EQ(Title(), L"slow.txt - Tavrel");
  EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_ARROW));

  g_glimpses.clear();
  g_file_io_hooks.write_file = [](HANDLE file, const void* data, DWORD size, DWORD* written) -> BOOL {
    TakeGlimpse(150);
    return WriteFile(file, data, size, written, nullptr);
  };
  SendEditor(SCI_APPENDTEXT, 1, reinterpret_cast<intptr_t>("!"));
  EXPECT_EQ(SaveDocument(), 0);
  ASSERT_GE(g_glimpses.size(), 5u);
  EXPECT_TRUE(g_glimpses.back().waiting);
  EXPECT_EQ(g_glimpses.back().title.rfind(L"Saving slow.txt ", 0), 0u) << g_glimpses.back().title;
  EXPECT_EQ(Title(), L"slow.txt - Tavrel");
  EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_ARROW));
  EXPECT_EQ(ReadBytes(path), bytes + "!");
  SetCursor(before);
}

TEST_F(FileTest, OpenAsksAboutChangesBeforeTheDialog) {
  SetText("kept");
  g_user.answers = {kAnswerNo, kAnswerNo};
  OpenDocument(L"");  // dialog cancelled: nothing changes
  EXPECT_EQ(g_user.events, (std::vector<std::string>{"question", "open dialog"}));
  ASSERT_EQ(g_user.open_requests.size(), 1u);
  EXPECT_EQ(g_user.open_requests[0].title, L"Open");
  EXPECT_EQ(g_user.open_requests[0].preset_name, L"");
  EXPECT_EQ(g_user.open_requests[0].pattern, L"Text Documents (*.txt)|*.txt|All Files (*.*)|*.*");
  EXPECT_EQ(g_user.open_requests[0].pattern_index, 0);
  EXPECT_EQ(Text(), "kept");
  EXPECT_TRUE(Modified());
  EXPECT_TRUE(g_user.messages.empty());

  const std::wstring path = Path(L"chosen.txt");
  ASSERT_TRUE(WriteBytes(path, "chosen"));
  g_user.open_answers = {path};
  OpenDocument(L"");
  EXPECT_EQ(Text(), "chosen");
}

// ------------------------------------------------------------ title and New

TEST_F(FileTest, TitleFollowsTheDocumentAndNewStartsAfresh) {
  UpdateWindowTitle();
  EXPECT_EQ(Title(), L"Untitled - Tavrel");
  ASSERT_TRUE(CreateDirectoryW(Path(L"a").c_str(), nullptr));
  const std::wstring path = Path(L"a\\b.txt");
  ASSERT_TRUE(WriteBytes(path, "text"));
  OpenDocument(path);
  EXPECT_EQ(Title(), L"b.txt - Tavrel");

  SetText("edited");
  g_user.answers = {kAnswerNo};
  NewDocument();
  EXPECT_EQ(Title(), L"Untitled - Tavrel");
  EXPECT_EQ(Text(), "");
  EXPECT_FALSE(Modified());
  EXPECT_FALSE(SendEditor(SCI_CANUNDO));
  EXPECT_EQ(g_editor.document_path, L"Untitled");
  EXPECT_EQ(ReadBytes(path), "text");
}

// ------------------------------------------------- the unsaved-changes question

TEST_F(FileTest, QuestionOnlyForChangesCancelStopsNoGoesOn) {
  EXPECT_EQ(ConfirmDiscardChanges(), 0);
  EXPECT_TRUE(g_user.questions.empty());

  SetText("changes");
  g_user.answers = {kAnswerCancel};
  EXPECT_EQ(ConfirmDiscardChanges(), kCommandStopped);
  EXPECT_EQ(g_user.questions, std::vector<std::wstring>{L"Do you want to save changes to Untitled?"});

  g_user.answers = {kAnswerNo};
  EXPECT_EQ(ConfirmDiscardChanges(), 0);
  EXPECT_TRUE(g_user.save_requests.empty());
  EXPECT_TRUE(Modified());
}

TEST_F(FileTest, YesOnAnUntitledDocumentWithCancelledSaveAsStops) {
  SetText("changes");
  g_user.answers = {kAnswerYes};
  EXPECT_EQ(ConfirmDiscardChanges(), kCommandStopped);
  ASSERT_EQ(g_user.save_requests.size(), 1u);
  EXPECT_EQ(g_user.save_requests[0].title, L"Save As");
  wchar_t working_directory[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, working_directory);
  EXPECT_EQ(g_user.save_requests[0].preset_name, std::wstring(working_directory) + L"\\.txt");
  EXPECT_EQ(g_user.save_requests[0].pattern, L"Text Documents (*.txt)|*.txt|All Files (*.*)|*.*");
  EXPECT_TRUE(Modified());
}

TEST_F(FileTest, YesWithASaveThatFailsStops) {
  const std::wstring path = Path(L"notes.txt");
  ASSERT_TRUE(WriteBytes(path, "on disk"));
  ASSERT_TRUE(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY));
  g_editor.document_path = path;
  SetText("changes");
  g_user.answers = {kAnswerYes};

  EXPECT_EQ(ConfirmDiscardChanges(), kCommandStopped);
  EXPECT_EQ(g_user.questions, std::vector<std::wstring>{L"Do you want to save changes to notes.txt?"});
  EXPECT_EQ(g_user.messages, std::vector<std::wstring>{L"Error: Could not create file notes.txt!"});
  EXPECT_TRUE(Modified());
}

TEST_F(FileTest, YesWithASaveThatSucceedsGoesOn) {
  const std::wstring path = Path(L"notes.txt");
  ASSERT_TRUE(WriteBytes(path, "on disk"));
  g_editor.document_path = path;
  SetText("changes");
  g_user.answers = {kAnswerYes};

  EXPECT_EQ(ConfirmDiscardChanges(), 0);
  EXPECT_EQ(ReadBytes(path), "changes");
  EXPECT_FALSE(Modified());
}

TEST_F(FileTest, NewAndOpenDoNotDiscardWhenTheSaveFails) {
  const std::wstring path = Path(L"notes.txt");
  const std::wstring other = Path(L"other.txt");
  ASSERT_TRUE(WriteBytes(path, "on disk"));
  ASSERT_TRUE(WriteBytes(other, "other"));
  ASSERT_TRUE(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY));
  g_editor.document_path = path;
  SetText("unsaved work");

  g_user.answers = {kAnswerYes};
  NewDocument();
  EXPECT_EQ(Text(), "unsaved work");
  EXPECT_EQ(g_editor.document_path, path);

  g_user.answers = {kAnswerYes};
  OpenDocument(other);
  EXPECT_EQ(Text(), "unsaved work");
  EXPECT_EQ(g_editor.document_path, path);
  EXPECT_TRUE(Modified());
  EXPECT_EQ(g_user.messages.size(), 2u);
}

// ------------------------------------------------------------------ saving

TEST_F(FileTest, SaveAsUsesTheChosenNameExactly) {
  SetText("typed");
  const std::wstring chosen = Path(L"notes");
  g_user.save_answers = {chosen};

  EXPECT_EQ(SaveDocumentAs(), 0);
  EXPECT_EQ(ReadBytes(chosen), "typed");
  EXPECT_FALSE(FileExists(Path(L"notes.txt")));
  EXPECT_EQ(g_editor.document_path, chosen);
  EXPECT_EQ(Title(), L"notes - Tavrel");
  EXPECT_EQ(g_user.recent_files, std::vector<std::wstring>{chosen});
  EXPECT_FALSE(Modified());

  // Once saved, Save As proposes the document's own path, and Save asks nothing.
  SetText("more");
  g_user.save_answers = {};
  EXPECT_EQ(SaveDocumentAs(), kCommandStopped);
  EXPECT_EQ(g_user.save_requests.back().preset_name, chosen);
  EXPECT_EQ(SaveDocument(), 0);
  EXPECT_EQ(g_user.save_requests.size(), 2u);
  EXPECT_EQ(ReadBytes(chosen), "more");
}

TEST_F(FileTest, SavingAnEmptyDocumentIsAFullSave) {
  const std::wstring path = Path(L"empty.txt");
  g_user.save_answers = {path};
  SetText("x");
  SetText("");
  ASSERT_TRUE(Modified());

  EXPECT_EQ(SaveDocumentAs(), 0);
  EXPECT_EQ(ReadBytes(path), "");
  EXPECT_EQ(g_editor.document_path, path);
  EXPECT_EQ(Title(), L"empty.txt - Tavrel");
  EXPECT_EQ(g_user.recent_files, std::vector<std::wstring>{path});
  EXPECT_FALSE(Modified());

  // Emptying a saved file's document and saving empties the file.
  const std::wstring full = Path(L"full.txt");
  ASSERT_TRUE(WriteBytes(full, "contents"));
  OpenDocument(full);
  SetText("");
  EXPECT_EQ(SaveDocument(), 0);
  EXPECT_EQ(ReadBytes(full), "");
  EXPECT_FALSE(Modified());
}

// The component keeps its text in two runs around the place of the last
// edit; a save writes both as they lie, on either road, and leaves them
// there (closing the gap would move the whole text in memory).
TEST_F(FileTest, SavingAfterAnEditInTheMiddleWritesTheTextWithoutMovingIt) {
  const std::wstring path = Path(L"edited.txt");
  std::string bytes;
  for (int i = 0; i < 3000; ++i) bytes += "line " + std::to_string(i) + "\r\n";
  ASSERT_TRUE(WriteBytes(path, bytes));
  OpenDocument(path);
  for (const bool replacing : {true, false}) {
    g_file_io_hooks.replacing_keeps_identity = replacing ? [](const wchar_t*, HANDLE) { return true; }
                                                         : [](const wchar_t*, HANDLE) { return false; };
    const intptr_t middle = SendEditor(SCI_GETLENGTH) / 2;
    SendEditor(SCI_INSERTTEXT, static_cast<uintptr_t>(middle), reinterpret_cast<intptr_t>("<edit>"));
    const intptr_t gap = SendEditor(SCI_GETGAPPOSITION);
    ASSERT_EQ(gap, middle + 6);
    EXPECT_EQ(SaveDocument(), 0) << replacing;
    EXPECT_EQ(SendEditor(SCI_GETGAPPOSITION), gap) << replacing;
    EXPECT_EQ(ReadBytes(path), Text()) << replacing;
  }
  EXPECT_EQ(Text().size(), bytes.size() + 12);
}

// ------------------------------------------------------------ long paths

// What the final step of the last save was handed: target, new file, and
// the name the old file waits under.
std::vector<std::wstring> g_replace_names;
BOOL (*g_system_replace)(const wchar_t*, const wchar_t*, const wchar_t*) = nullptr;

BOOL RecordReplace(const wchar_t* target, const wchar_t* replacement, const wchar_t* backup) {
  g_replace_names = {target, replacement, backup};
  return g_system_replace(target, replacement, backup);
}

// Past the plain limit the system's file calls need the extended-length
// form (Wine would take the plain one, other systems refuse it): the
// target and every side file named after it get it, and a name near the
// limit of one name is cut for its side files.
TEST_F(FileTest, PathsPastThePlainLimitOpenAndSaveInTheirExtendedForm) {
  std::wstring folder = folder_;
  for (const wchar_t letter : {L'a', L'b'}) {
    folder += L"\\" + std::wstring(120, letter);
    ASSERT_TRUE(CreateDirectoryW((L"\\\\?\\" + folder).c_str(), nullptr));
  }
  const std::wstring name = std::wstring(60, L'n') + L".txt";
  const std::wstring path = folder + L"\\" + name;
  ASSERT_GT(path.size(), 300u);
  ASSERT_TRUE(WriteBytes(L"\\\\?\\" + path, "old"));

  OpenDocument(path);
  EXPECT_TRUE(g_user.messages.empty());
  EXPECT_EQ(Text(), "old");
  EXPECT_EQ(g_editor.document_path, path);
  EXPECT_EQ(Title(), name + L" - Tavrel");

  g_system_replace = g_file_io_hooks.replace_file;
  g_file_io_hooks.replace_file = RecordReplace;
  g_file_io_hooks.replacing_keeps_identity = [](const wchar_t*, HANDLE) { return true; };
  SetText("new");
  EXPECT_EQ(SaveDocument(), 0);
  ASSERT_EQ(g_replace_names.size(), 3u);
  EXPECT_EQ(g_replace_names[0], L"\\\\?\\" + path);
  for (const std::wstring& side : g_replace_names) EXPECT_EQ(side.rfind(L"\\\\?\\" + path, 0), 0u) << side;
  EXPECT_EQ(ReadBytes(L"\\\\?\\" + path), "new");
  EXPECT_EQ(FilesIn(L"\\\\?\\" + folder), std::vector<std::wstring>{name});

  g_file_io_hooks.replacing_keeps_identity = [](const wchar_t*, HANDLE) { return false; };
  SetText("in place");
  EXPECT_EQ(SaveDocument(), 0);
  EXPECT_EQ(ReadBytes(L"\\\\?\\" + path), "in place");
  EXPECT_EQ(FilesIn(L"\\\\?\\" + folder), std::vector<std::wstring>{name});

  g_file_io_hooks.replacing_keeps_identity = [](const wchar_t*, HANDLE) { return true; };
  // Over an existing file, so that its side files are made.
  const std::wstring longest = std::wstring(250, L'o');
  ASSERT_TRUE(WriteBytes(L"\\\\?\\" + folder + L"\\" + longest, "x"));
  g_replace_names.clear();
  g_user.save_answers = {folder + L"\\" + longest};
  EXPECT_EQ(SaveDocumentAs(), 0);
  EXPECT_TRUE(g_user.messages.empty());
  EXPECT_EQ(ReadBytes(L"\\\\?\\" + folder + L"\\" + longest), "in place");
  EXPECT_EQ(Title(), longest + L" - Tavrel");
  EXPECT_EQ(g_user.recent_files.back(), folder + L"\\" + longest);
  ASSERT_EQ(g_replace_names.size(), 3u);
  EXPECT_LE(FileNamePart(g_replace_names[1]).size(), 255u);
  EXPECT_EQ(FilesIn(L"\\\\?\\" + folder), (std::vector<std::wstring>{name, longest}));
}

// ------------------------------------------- another program's changes

// The last-write time of path, first set to set when given.
FILETIME WriteTime(const std::wstring& path, const FILETIME* set = nullptr) {
  HANDLE file = CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  FILETIME time{};
  if (set) SetFileTime(file, nullptr, nullptr, set);
  GetFileTime(file, nullptr, nullptr, &time);
  CloseHandle(file);
  return time;
}

// The end-to-end test answers by keys; here: the question's words, each
// part of the stamp on its own, and Save As to the same name.
TEST_F(FileTest, SaveAsksBeforeWritingOverAnotherProgramsChange) {
  const std::wstring path = Path(L"notes.txt");
  const std::wstring question = L"notes.txt has been changed by another program. Overwrite it?";
  ASSERT_TRUE(WriteBytes(path, "same bytes"));
  OpenDocument(path);
  // Only the time: the same bytes written again.
  FILETIME later = WriteTime(path);
  later.dwHighDateTime += 1;
  WriteTime(path, &later);
  SetText("mine");
  EXPECT_EQ(SaveDocument(), kCommandStopped);
  EXPECT_EQ(g_user.questions, std::vector<std::wstring>{question});
  EXPECT_EQ(ReadBytes(path), "same bytes");
  EXPECT_TRUE(g_user.messages.empty());
  EXPECT_TRUE(Modified());

  // Only which file it is: a copy of the same size and time moved over it.
  g_user.answers = {kAnswerNo};
  OpenDocument(path);
  ASSERT_TRUE(WriteBytes(Path(L"copy.txt"), "same bytes"));
  WriteTime(Path(L"copy.txt"), &later);
  ASSERT_TRUE(MoveFileExW(Path(L"copy.txt").c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING));
  SetText("mine");
  g_user.save_answers = {path};
  EXPECT_EQ(SaveDocumentAs(), kCommandStopped);
  ASSERT_EQ(g_user.questions.size(), 3u);  // the open's own question between
  EXPECT_EQ(g_user.questions.back(), question);
  EXPECT_EQ(ReadBytes(path), "same bytes");
}

}  // namespace
}  // namespace tavrel::test_support
