// The texts the document commands build from paths: file-name parts, the
// never-saved marker, the Save As proposal, the exact messages, the dialog
// filter and the names of the side files a save writes.
#include <gtest/gtest.h>

#include <string>

#include "app/document/document_messages.h"
#include "app/document/document_naming.h"
#include "app/document/file_dialogs.h"
#include "app/document/side_file_writer.h"

namespace tavrel {
namespace {

TEST(DocumentNaming, FileNamePartFollowsTheLastSeparatorOfEitherKind) {
  EXPECT_EQ(FileNamePart(L"C:\\a\\b.txt"), L"b.txt");
  EXPECT_EQ(FileNamePart(L"C:/a/b.txt"), L"b.txt");
  EXPECT_EQ(FileNamePart(L"C:\\a/sub\\c"), L"c");
  EXPECT_EQ(FileNamePart(L"C:\\a/sub/d.txt"), L"d.txt");
  EXPECT_EQ(FileNamePart(L"plain.txt"), L"plain.txt");
  EXPECT_EQ(FileNamePart(L"C:\\folder\\"), L"");
}

TEST(DocumentNaming, UntitledIsRecognisedInAnyCaseAndOnlyAlone) {
  EXPECT_TRUE(IsUntitled(L"Untitled"));
  EXPECT_TRUE(IsUntitled(L"UNTITLED"));
  EXPECT_TRUE(IsUntitled(L"untiTLed"));
  EXPECT_FALSE(IsUntitled(L"Untitled.txt"));
  EXPECT_FALSE(IsUntitled(L"C:\\Untitled"));
  EXPECT_FALSE(IsUntitled(L"Untitle"));
  EXPECT_FALSE(IsUntitled(L""));
}

TEST(DocumentNaming, TitleIsTheFileNamePartAndTheProgramName) {
  EXPECT_EQ(WindowTitleFor(L"Untitled"), L"Untitled - Tavrel");
  EXPECT_EQ(WindowTitleFor(L"C:\\a\\b.txt"), L"b.txt - Tavrel");
}

TEST(DocumentNaming, SaveAsProposesTxtInTheWorkingDirectoryOnlyForUntitled) {
  EXPECT_EQ(SaveAsPresetFor(L"Untitled", L"C:\\work"), L"C:\\work\\.txt");
  EXPECT_EQ(SaveAsPresetFor(L"untitled", L"C:\\"), L"C:\\.txt");
  EXPECT_EQ(SaveAsPresetFor(L"C:\\a\\b.txt", L"C:\\work"), L"C:\\a\\b.txt");
}

TEST(DocumentMessages, TextsAreExact) {
  EXPECT_EQ(SaveChangesQuestion(L"b.txt"), L"Do you want to save changes to b.txt?");
  EXPECT_EQ(CouldNotReadMessage(L"b.txt"), L"Error: Could not read file b.txt!");
  EXPECT_EQ(CouldNotCreateMessage(L"b.txt"), L"Error: Could not create file b.txt!");
  EXPECT_EQ(CannotAllocateMessage(L"b.txt"), L"Error: Can't allocate memory to save file b.txt!");
  EXPECT_EQ(CouldNotSaveMessage(L"b.txt"), L"Error: Could not save file b.txt!");
  EXPECT_EQ(ReplaceFileQuestion(L"b.txt"), L"b.txt already exists.\nDo you want to replace it?");
  EXPECT_STREQ(kMessageTitle, L"Tavrel");
  EXPECT_STREQ(kOpenDialogTitle, L"Open");
  EXPECT_STREQ(kSaveAsDialogTitle, L"Save As");
}

TEST(FileDialogs, PatternBecomesAZeroSeparatedListWithTwoTerminators) {
  const std::wstring filter = DialogFilterFromPattern(kDocumentPattern);
  const wchar_t expected[] = L"Text Documents (*.txt)\0*.txt\0All Files (*.*)\0*.*\0";
  EXPECT_EQ(filter, std::wstring(expected, sizeof expected / sizeof expected[0]));
}

std::wstring Suffix(const wchar_t* tag, uint32_t number) {
  return SideFileSuffix(tag, SideFileWriter{0x2a, 0x01DB2F00AABBCCDDull}, number);
}

TEST(SideFileNames, StayInTheTargetsFolderAndNameTheirTarget) {
  const std::wstring a = SideFileName(L"C:\\docs\\b.txt", Suffix(L"saving", 0x1234));
  const std::wstring b = SideFileName(L"C:\\docs\\b.txt", Suffix(L"saving", 0x1235));
  EXPECT_EQ(a.rfind(L"C:\\docs\\b.txt.", 0), 0u) << a;
  EXPECT_EQ(FileNamePart(a).find(L'\\'), std::wstring::npos);
  EXPECT_NE(a, b);
  EXPECT_NE(a, SideFileName(L"C:\\docs\\b.txt", Suffix(L"previous", 0x1234)));
  EXPECT_EQ(SideFileName(L"b.txt", Suffix(L"saving", 1)).rfind(L"b.txt.", 0), 0u);
}

TEST(SideFileNames, LongNamesAreShortenedToFitWhereTheTargetFits) {
  const std::wstring folder = L"C:\\" + std::wstring(200, L'f') + L"\\";
  const std::wstring target = folder + std::wstring(55, L'n');
  ASSERT_LE(target.size(), 259u);
  const std::wstring side = SideFileName(target, Suffix(L"saving", 0xFFFFFFFF));
  EXPECT_LE(side.size(), 259u);
  EXPECT_EQ(side.rfind(folder, 0), 0u);
  EXPECT_EQ(side.find(L'\\', folder.size()), std::wstring::npos);

  // Half of a surrogate pair is never left at the cut.
  std::wstring pairs;
  for (int i = 0; i < 30; ++i) pairs += L"\xD83D\xDE00";
  const std::wstring cut = SideFileName(folder + pairs, Suffix(L"saving", 0xFFFFFFFF));
  const std::wstring name = FileNamePart(cut);
  const std::size_t end = name.find(L".~");
  ASSERT_NE(end, std::wstring::npos);
  ASSERT_GT(end, 0u);
  EXPECT_FALSE(name[end - 1] >= 0xD800 && name[end - 1] <= 0xDBFF);
}

TEST(SideFileNames, ExtendedLengthTargetsKeepTheirNameWithinTheLimitOfOneName) {
  const std::wstring folder = L"\\\\?\\C:\\" + std::wstring(200, L'f') + L"\\" + std::wstring(200, L'g') + L"\\";
  const std::wstring side = SideFileName(folder + L"b.txt", Suffix(L"saving", 0xFFFFFFFF));
  EXPECT_EQ(side.rfind(folder + L"b.txt.~saving-", 0), 0u) << side;

  // A name near the limit of one name is cut for its side file, whatever
  // the form of its path.
  for (const std::wstring& target : {folder + std::wstring(250, L'n'), L"C:\\" + std::wstring(250, L'n')}) {
    const std::wstring name = FileNamePart(SideFileName(target, Suffix(L"previous", 0xFFFFFFFF)));
    EXPECT_EQ(name.size(), 255u) << name;
    EXPECT_EQ(name.rfind(L"nnn", 0), 0u);
  }
}

}  // namespace
}  // namespace tavrel
