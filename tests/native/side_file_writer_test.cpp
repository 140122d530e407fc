// The writer a side file's name carries: written and read back, the names
// of earlier versions read too, and anything else not taken for a side
// file, since a misread name could get another program's file deleted.
#include <gtest/gtest.h>

#include <string>

#include "app/document/side_file_writer.h"

namespace tavrel {
namespace {

TEST(SideFileWriter, NamesCarryTheWriterAndAreAllOfOneLength) {
  const SideFileWriter writer{0x1234, 0x01DB2F00AABBCCDDull};
  const std::wstring suffix = SideFileSuffix(L"saving", writer, 7);
  EXPECT_EQ(suffix, L".~saving-00001234-01db2f00aabbccdd-00000007.tmp");
  EXPECT_EQ(SideFileWriterOf(suffix, L"saving"), writer);
  // Another tag's file is not one of these.
  EXPECT_EQ(SideFileWriterOf(suffix, L"previous"), std::nullopt);

  const SideFileWriter largest{0xFFFFFFFFu, ~0ull};
  EXPECT_EQ(SideFileSuffix(L"saving", largest, 0xFFFFFFFFu).size(), suffix.size());
  EXPECT_EQ(SideFileSuffix(L"saving", SideFileWriter{}, 0).size(), suffix.size());
  EXPECT_EQ(SideFileWriterOf(SideFileSuffix(L"saving", largest, 1), L"saving"), largest);
  // The file system ignores letter case: so does the reading.
  EXPECT_EQ(SideFileWriterOf(L".~saving-00001234-01DB2F00AABBCCDD-00000007.tmp", L"saving"), writer);
}

TEST(SideFileWriter, NamesOfEarlierVersionsGiveTheProcessIdAlone) {
  // The number was the process id in its upper half and a count below.
  EXPECT_EQ(SideFileWriterOf(L".~saving-2a00000003.tmp", L"saving"), (SideFileWriter{0x2a, 0}));
  EXPECT_EQ(SideFileWriterOf(L".~saving-ffffffff00000001.tmp", L"saving"), (SideFileWriter{0xFFFFFFFFu, 0}));
  // A count alone names no process.
  EXPECT_EQ(SideFileWriterOf(L".~saving-3.tmp", L"saving"), std::nullopt);
}

TEST(SideFileWriter, OtherNamesAreNoSideFiles) {
  for (const wchar_t* suffix : {
           L"", L".~saving-.tmp", L".~saving-12", L".~saving-12.txt", L".~saving-12.tmp.bak", L".~savingx-12.tmp",
           L"~saving-12.tmp", L".~saving-1g.tmp", L".~saving-12345678901234567.tmp",
           L".~saving-0000002a-01db2f00aabbccdd-0000000.tmp", L".~saving-0000002a_01db2f00aabbccdd_00000001.tmp",
           L".~saving-0000002a-01db2f00aabbccdx-00000001.tmp", L".~saving-00000000-01db2f00aabbccdd-00000001.tmp",
           L".~saving--0000002a-01db2f00aabbccd-00000001.tmp",
       }) {
    EXPECT_EQ(SideFileWriterOf(suffix, L"saving"), std::nullopt) << suffix;
  }
}

}  // namespace
}  // namespace tavrel
