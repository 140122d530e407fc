// The extended-length form the system's file calls need for long paths,
// and the path a name typed into a file dialog stands for.
#include <gtest/gtest.h>

#include <string>

#include "app/path_forms.h"

namespace tavrel {
namespace {

TEST(PathForms, DrivePathsAndSharesTakeTheirOwnPrefixesOnce) {
  EXPECT_EQ(ExtendedLengthForm(L"C:\\a\\b.txt"), L"\\\\?\\C:\\a\\b.txt");
  EXPECT_EQ(ExtendedLengthForm(L"z:\\"), L"\\\\?\\z:\\");
  EXPECT_EQ(ExtendedLengthForm(L"\\\\server\\share\\b.txt"), L"\\\\?\\UNC\\server\\share\\b.txt");
  // Already past the name parsing: as it is.
  EXPECT_EQ(ExtendedLengthForm(L"\\\\?\\C:\\a"), L"\\\\?\\C:\\a");
  EXPECT_EQ(ExtendedLengthForm(L"\\\\?\\UNC\\s\\h\\a"), L"\\\\?\\UNC\\s\\h\\a");
  EXPECT_EQ(ExtendedLengthForm(L"\\\\.\\pipe\\p"), L"\\\\.\\pipe\\p");
  // No full path: the prefix would make the system take it literally.
  EXPECT_EQ(ExtendedLengthForm(L"b.txt"), L"b.txt");
  EXPECT_EQ(ExtendedLengthForm(L"C:b.txt"), L"C:b.txt");
  EXPECT_EQ(ExtendedLengthForm(L"\\a\\b.txt"), L"\\a\\b.txt");
  EXPECT_EQ(ExtendedLengthForm(L""), L"");

  EXPECT_TRUE(IsExtendedLength(L"\\\\?\\C:\\a"));
  EXPECT_TRUE(IsExtendedLength(L"\\\\.\\C:"));
  EXPECT_FALSE(IsExtendedLength(L"\\\\server\\share"));
  EXPECT_FALSE(IsExtendedLength(L"C:\\a"));
}

TEST(PathForms, TypedNamesAreFullRootedOrInsideTheShownFolder) {
  const std::wstring folder = L"C:\\docs";
  EXPECT_EQ(TypedNameInFolder(folder, L"b.txt"), L"C:\\docs\\b.txt");
  EXPECT_EQ(TypedNameInFolder(L"C:\\", L"b.txt"), L"C:\\b.txt");
  EXPECT_EQ(TypedNameInFolder(folder, L"sub/..\\b.txt"), L"C:\\docs\\sub/..\\b.txt");
  EXPECT_EQ(TypedNameInFolder(folder, L"D:\\x\\b.txt"), L"D:\\x\\b.txt");
  EXPECT_EQ(TypedNameInFolder(folder, L"D:/x/b.txt"), L"D:/x/b.txt");
  EXPECT_EQ(TypedNameInFolder(folder, L"\\\\server\\share\\b.txt"), L"\\\\server\\share\\b.txt");
  EXPECT_EQ(TypedNameInFolder(folder, L"\\x\\b.txt"), L"C:\\x\\b.txt");
  EXPECT_EQ(TypedNameInFolder(folder, L"D:b.txt"), L"D:b.txt");
  // One pair of quotes around the name is not part of it.
  EXPECT_EQ(TypedNameInFolder(folder, L"\"b c.txt\""), L"C:\\docs\\b c.txt");
  EXPECT_EQ(TypedNameInFolder(folder, L"\"D:\\b.txt\""), L"D:\\b.txt");
  EXPECT_EQ(TypedNameInFolder(L"", L"b.txt"), L"b.txt");

  // A long name is measured as the dialog would build it.
  const std::wstring deep = L"C:\\" + std::wstring(150, L'f');
  EXPECT_EQ(TypedNameInFolder(deep, std::wstring(150, L'n')).size(), deep.size() + 1 + 150);
}

}  // namespace
}  // namespace tavrel
