// The extended-length form the system's file calls need for long paths,
// and the path a name typed into a file dialog stands for.
#include <gtest/gtest.h>

#include <string>

#include "app/document/path_forms.h"

namespace tavrel {
namespace {

TEST(PathForms, DrivePathsAndSharesTakeTheirOwnPrefixesOnce) {
  EXPECT_EQ(ExtendedLengthForm(L"C:\\a\\b.txt"), L"\\\\?\\C:\\a\\b.txt");
  EXPECT_EQ(ExtendedLengthForm(L"\\\\server\\share\\b.txt"), L"\\\\?\\UNC\\server\\share\\b.txt");
  EXPECT_EQ(ExtendedLengthForm(L"\\\\?\\C:\\a"), L"\\\\?\\C:\\a");
  EXPECT_EQ(ExtendedLengthForm(L"\\\\.\\pipe\\p"), L"\\\\.\\pipe\\p");
  // Not full: the prefix would make the system take it literally.
  EXPECT_EQ(ExtendedLengthForm(L"b.txt"), L"b.txt");
  EXPECT_EQ(ExtendedLengthForm(L"C:b.txt"), L"C:b.txt");
  EXPECT_EQ(ExtendedLengthForm(L"\\a\\b.txt"), L"\\a\\b.txt");
}

TEST(PathForms, TypedNamesAreFullRootedOrInsideTheShownFolder) {
  const std::wstring folder = L"C:\\docs";
  EXPECT_EQ(TypedNameInFolder(folder, L"b.txt"), L"C:\\docs\\b.txt");
  EXPECT_EQ(TypedNameInFolder(L"C:\\", L"b.txt"), L"C:\\b.txt");
  EXPECT_EQ(TypedNameInFolder(folder, L"D:/x/b.txt"), L"D:/x/b.txt");
  EXPECT_EQ(TypedNameInFolder(folder, L"\\\\server\\share\\b.txt"), L"\\\\server\\share\\b.txt");
  EXPECT_EQ(TypedNameInFolder(folder, L"\\x\\b.txt"), L"C:\\x\\b.txt");
  EXPECT_EQ(TypedNameInFolder(folder, L"D:b.txt"), L"D:b.txt");
  // One pair of quotes around the name is not part of it.
  EXPECT_EQ(TypedNameInFolder(folder, L"\"b c.txt\""), L"C:\\docs\\b c.txt");
}

}  // namespace
}  // namespace tavrel
