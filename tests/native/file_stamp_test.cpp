// When a save must ask before writing over another program's changes: any
// one part of the stamp differing counts, for the document's own file
// however its name is spelt or reached; a file gone, one that cannot be
// looked at, or a document without a recorded file asks nothing.
#include <gtest/gtest.h>

#include "app/document/file_stamp.h"

namespace tavrel {
namespace {

constexpr FileStamp kRead{120, 1'000'000, 7, 42};
const std::wstring kPath = L"C:\\Notes\\todo.txt";

DiskLook Found(FileStamp stamp) { return DiskLook{DiskLook::Kind::kFound, stamp}; }

TEST(FileStamp, AnyChangeOfSizeTimeOrIdentityAsks) {
  EXPECT_FALSE(MustAskBeforeOverwrite(kPath, kPath, kRead, Found(kRead)));
  FileStamp longer = kRead, touched = kRead, other_volume = kRead, replaced = kRead;
  longer.size += 9;
  touched.last_write += 1;
  other_volume.volume_serial = 8;
  replaced.file_index = 43;
  for (const FileStamp& now : {longer, touched, other_volume, replaced})
    EXPECT_TRUE(MustAskBeforeOverwrite(kPath, kPath, kRead, Found(now)));
}

TEST(FileStamp, GoneUnknownOrNeverRecordedAsksNothing) {
  FileStamp longer = kRead;
  longer.size += 9;
  EXPECT_FALSE(MustAskBeforeOverwrite(kPath, kPath, std::nullopt, Found(longer)));
  EXPECT_FALSE(MustAskBeforeOverwrite(kPath, kPath, kRead, DiskLook{DiskLook::Kind::kMissing, {}}));
  EXPECT_FALSE(MustAskBeforeOverwrite(kPath, kPath, kRead, DiskLook{DiskLook::Kind::kUnknown, {}}));
}

TEST(FileStamp, OnlyTheDocumentsOwnFileAsks) {
  FileStamp longer = kRead, replaced = kRead;
  longer.size += 9;
  replaced.file_index = 43;
  // The same name in other letters or separators (Save As to the same
  // file), even once another file has taken its place.
  EXPECT_TRUE(MustAskBeforeOverwrite(L"c:/notes/TODO.TXT", kPath, kRead, Found(replaced)));
  // The same file under another name (a link).
  EXPECT_TRUE(MustAskBeforeOverwrite(L"C:\\Links\\todo.txt", kPath, kRead, Found(longer)));
  // Another file: Save As over it is the file dialog's question.
  FileStamp other{300, 5, 7, 99};
  EXPECT_FALSE(MustAskBeforeOverwrite(L"C:\\Notes\\done.txt", kPath, kRead, Found(other)));
  EXPECT_FALSE(MustAskBeforeOverwrite(L"C:\\Notes\\todo.txt.bak", kPath, kRead, Found(other)));
  // Where the system numbers no files, zeros name no file in particular.
  const FileStamp unnumbered{120, 1'000'000, 0, 0};
  other = FileStamp{300, 5, 0, 0};
  EXPECT_FALSE(MustAskBeforeOverwrite(L"C:\\Notes\\done.txt", kPath, unnumbered, Found(other)));
}

}  // namespace
}  // namespace tavrel
