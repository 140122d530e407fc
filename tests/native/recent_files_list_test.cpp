// The recent-files rules with a file system the test decides: moving a path
// to the top, dropping vanished files and the tenth entry, reading a
// damaged "RecentFiles.dat", writing it back, and the menu label.
#include <gtest/gtest.h>

#include <cwctype>
#include <set>
#include <string>

#include "app/recent_files_list.h"

namespace tavrel {
namespace {

std::wstring Folded(const std::wstring& path) {
  std::wstring folded;
  for (wchar_t c : path) folded.push_back(static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c))));
  return folded;
}

// Names compare without regard to case, as on the editor's file systems.
class FakeFiles final : public RecentFileSystem {
 public:
  void Add(const std::wstring& path) { files_.insert(Folded(path)); }
  void Remove(const std::wstring& path) { files_.erase(Folded(path)); }
  bool IsExistingFile(const std::wstring& path) const override { return files_.count(Folded(path)) > 0; }
  bool SameIgnoringCase(const std::wstring& a, const std::wstring& b) const override { return Folded(a) == Folded(b); }

 private:
  std::set<std::wstring> files_;
};

std::wstring Numbered(int n) { return L"C:\\docs\\file" + std::to_wstring(n) + L".txt"; }

int Filled(const RecentFileSlots& slots) {
  int n = 0;
  while (n < kRecentFileSlots && !slots[n].empty()) ++n;
  for (int k = n; k < kRecentFileSlots; ++k) EXPECT_TRUE(slots[k].empty()) << "gap before slot " << k;
  return n;
}

TEST(RecentFilesList, NewestOnTopWithoutDuplicatesVanishedFilesOrATenth) {
  FakeFiles files;
  RecentFileSlots slots;
  for (int n = 1; n <= 10; ++n) {
    files.Add(Numbered(n));
    PutRecentFileFirst(slots, Numbered(n), files);
  }
  // Ten opened: the last nine, newest first; the tenth slot stays unused.
  ASSERT_EQ(Filled(slots), 9);
  for (int k = 0; k < 9; ++k) EXPECT_EQ(slots[k], Numbered(10 - k));

  // Opening a listed file again under another spelling: one entry, the new
  // spelling, on top; the rest keep their order.
  files.Add(L"C:\\A.txt");
  PutRecentFileFirst(slots, L"C:\\A.txt", files);
  PutRecentFileFirst(slots, L"c:\\a.TXT", files);
  ASSERT_EQ(Filled(slots), 9);
  EXPECT_EQ(slots[0], L"c:\\a.TXT");
  EXPECT_EQ(slots[1], Numbered(10));
  EXPECT_EQ(slots[8], Numbered(3));

  // A file deleted meanwhile drops out and leaves no gap; the entry it made
  // room for stays (the ninth is kept).
  files.Remove(Numbered(7));
  PutRecentFileFirst(slots, Numbered(2), files);
  ASSERT_EQ(Filled(slots), 9);
  EXPECT_EQ(slots[0], Numbered(2));
  EXPECT_EQ(slots[1], L"c:\\a.TXT");
  for (const std::wstring& slot : slots) EXPECT_NE(slot, Numbered(7));
  EXPECT_EQ(slots[8], Numbered(3));

  // The path put on top is not asked about (a save may report it before
  // the file system shows it); a full list drops its ninth.
  PutRecentFileFirst(slots, L"D:\\new.txt", files);
  ASSERT_EQ(Filled(slots), 9);
  EXPECT_EQ(slots[0], L"D:\\new.txt");
  EXPECT_EQ(slots[8], Numbered(4));
}

TEST(RecentFilesList, ReadsEveryLineEndAndSkipsWhatCannotBeAPath) {
  FakeFiles files;
  for (int n = 1; n <= 12; ++n) files.Add(Numbered(n));
  const std::string one = "C:\\docs\\file1.txt", two = "C:\\docs\\file2.txt", three = "C:\\docs\\file3.txt";
  const std::string four = "C:\\docs\\file4.txt", five = "C:\\docs\\file5.txt";

  // LF, lone CR, CR LF, a zero byte, and the end of the file without one.
  RecentFileSlots slots = RecentSlotsFromFile(one + "\n" + two + "\r" + three + "\r\n" + four + '\0' + five, files);
  ASSERT_EQ(Filled(slots), 5);
  for (int k = 0; k < 5; ++k) EXPECT_EQ(slots[k], Numbered(k + 1));

  // Damage around valid lines: empty lines, invalid UTF-8 (a stray
  // continuation byte, an over-long "\", an encoded surrogate, a cut
  // sequence), binary noise, a byte-order mark (not recognised, so that
  // line names no file), a line longer than any path, a deleted file and a
  // second spelling of a listed one.
  files.Add(L"C:\\\u00e9t\u00e9\\r\u00e9sum\u00e9.txt");
  const std::string damaged = "\r\n\n" + one + "\r\n" + "C:\\docs\\file2.txt\x80\r\n" + "C:\xC0\x9C" "docs\r\n" +
                              "C:\\\xED\xA0\x80.txt\r\n" + two + "\xE2\x82\r\n" + "\x01\x02\xff\xfe\r\n" +
                              "\xEF\xBB\xBF" + three + "\r\n" + std::string(3 * kLongestPath + 5, 'a') + "\r\n" +
                              "C:\\gone.txt\r\n" + "c:\\DOCS\\FILE1.TXT\r\n" +
                              "C:\\\xC3\xA9t\xC3\xA9\\r\xC3\xA9sum\xC3\xA9.txt\r\n" + four + "\r\n";
  slots = RecentSlotsFromFile(damaged, files);
  ASSERT_EQ(Filled(slots), 3);
  EXPECT_EQ(slots[0], Numbered(1));
  EXPECT_EQ(slots[1], L"C:\\\u00e9t\u00e9\\r\u00e9sum\u00e9.txt");
  EXPECT_EQ(slots[2], Numbered(4));

  // More than nine existing paths: the first nine.
  std::string many;
  for (int n = 1; n <= 12; ++n) many += "C:\\docs\\file" + std::to_string(n) + ".txt\r\n";
  slots = RecentSlotsFromFile(many, files);
  ASSERT_EQ(Filled(slots), 9);
  EXPECT_EQ(slots[8], Numbered(9));

  // A file of nothing but line ends costs no more than the lines examined.
  EXPECT_TRUE(RecentFileLines(std::string(kRecentFilesReadLimit, '\n')).empty());
  EXPECT_EQ(RecentFileLines(std::string(kRecentFilesReadLimit, 'x') + "\n").size(), 0u);
  std::string short_lines;
  for (int n = 0; n < 1000; ++n) short_lines += "x\n";
  EXPECT_EQ(RecentFileLines(short_lines).size(), kRecentFilesLinesExamined);
}

TEST(RecentFilesList, WritesExistingFilesAsUtf8WithCrLfAndReadsThemBack) {
  FakeFiles files;
  RecentFileSlots slots;
  // Outside the first plane: a surrogate pair in UTF-16, four bytes in UTF-8.
  std::wstring far_name = L"C:\\x";
  far_name += static_cast<wchar_t>(0xD83D);
  far_name += static_cast<wchar_t>(0xDE00);
  for (const std::wstring& path : {Numbered(1), std::wstring(L"C:\\gone.txt"), far_name, std::wstring(L"C:\\caf\u00e9")}) {
    files.Add(path);
    PutRecentFileFirst(slots, path, files);
  }
  files.Remove(L"C:\\gone.txt");
  // A lone surrogate (possible in a name on disk) has no UTF-8 form.
  std::wstring broken = L"C:\\y";
  broken += static_cast<wchar_t>(0xDC00);
  files.Add(broken);
  PutRecentFileFirst(slots, broken, files);

  const std::string text = RecentFilesText(slots, files);
  EXPECT_EQ(text, "C:\\caf\xC3\xA9\r\nC:\\x\xF0\x9F\x98\x80\r\n" + std::string("C:\\docs\\file1.txt\r\n"));
  const RecentFileSlots back = RecentSlotsFromFile(text, files);
  ASSERT_EQ(Filled(back), 3);
  EXPECT_EQ(back[0], L"C:\\caf\u00e9");
  EXPECT_EQ(back[1], far_name);
  EXPECT_EQ(back[2], Numbered(1));
  EXPECT_EQ(RecentFilesText(RecentFileSlots{}, files), "");
}

TEST(RecentFilesList, LabelShowsEveryCharacterOfThePathAsItself) {
  EXPECT_EQ(RecentMenuLabel(1, L"C:\\Temp\\a.txt"), L"\\b&1\\b  C:\\\\Temp\\\\a.txt");
  // "&" would take the mnemonic from the number and "$" would make the rest
  // a keyboard shortcut ("$F1" would bind F1): both are doubled.
  EXPECT_EQ(RecentMenuLabel(2, L"\\\\srv\\c$F1\\R&D.txt"), L"\\b&2\\b  \\\\\\\\srv\\\\c$$F1\\\\R&&D.txt");
}

}  // namespace
}  // namespace tavrel
