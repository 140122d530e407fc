// The recent-files rules with a file system the test decides: moving a path
// to the top, dropping vanished files and the tenth entry, reading a
// damaged "RecentFiles.dat", writing it back, merging it with what another
// copy of the editor wrote, and the menu label.
#include <gtest/gtest.h>

#include <cwctype>
#include <set>
#include <string>
#include <vector>

#include "app/recent/recent_files_list.h"

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

// Two copies of the editor sharing one list file, each writing it the way
// the program does at every open or save and at shut-down: its own files
// merged over what the file holds now.
struct Copy {
  RecentFileSlots used, shown;
  void Use(const std::wstring& path, std::string& list_file, const RecentFileSystem& files) {
    PutRecentFileFirst(used, path, files);
    Write(list_file, files);
  }
  void Write(std::string& list_file, const RecentFileSystem& files) {
    shown = MergeRecentFiles(used, RecentFileLines(list_file), files);
    list_file = RecentFilesText(shown, files);
  }
};

TEST(RecentFilesList, CopiesWritingOneFileKeepEachOthersFiles) {
  FakeFiles files;
  for (int n = 1; n <= 12; ++n) files.Add(Numbered(n));
  std::string list_file = "C:\\docs\\file9.txt\r\n";
  Copy a, b;
  a.shown = b.shown = RecentSlotsFromFile(list_file, files);
  a.Use(Numbered(1), list_file, files);
  b.Use(Numbered(2), list_file, files);
  // b's menu shows what a wrote; a's learns of b's file at its next write.
  EXPECT_EQ(b.shown[1], Numbered(1));
  EXPECT_EQ(a.shown[1], Numbered(9));
  // Whichever ends last, the file holds both, its own files on top.
  a.Write(list_file, files);
  b.Write(list_file, files);
  EXPECT_EQ(list_file, "C:\\docs\\file2.txt\r\nC:\\docs\\file1.txt\r\nC:\\docs\\file9.txt\r\n");
  a.Write(list_file, files);
  EXPECT_EQ(list_file, "C:\\docs\\file1.txt\r\nC:\\docs\\file2.txt\r\nC:\\docs\\file9.txt\r\n");
  EXPECT_EQ(a.shown[1], Numbered(2));

  // Another spelling of a file this copy used is the same entry, spelled
  // as this copy last used it; vanished files drop out on both sides, but
  // this copy's newest stands as given (a save may report it before the
  // file system shows it).
  files.Add(L"C:\\Shared.txt");
  b.Use(L"C:\\Shared.txt", list_file, files);
  a.Use(Numbered(3), list_file, files);
  a.Use(L"c:\\SHARED.TXT", list_file, files);
  EXPECT_EQ(list_file, "c:\\SHARED.TXT\r\nC:\\docs\\file3.txt\r\nC:\\docs\\file1.txt\r\nC:\\docs\\file2.txt\r\n"
                       "C:\\docs\\file9.txt\r\n");
  files.Remove(Numbered(3));
  files.Remove(Numbered(2));
  const RecentFileSlots merged =
      MergeRecentFiles(a.used, {L"D:\\new.txt", Numbered(2), Numbered(9), L"C:\\SHARED.txt"}, files);
  ASSERT_EQ(Filled(merged), 3);
  EXPECT_EQ(merged[0], L"c:\\SHARED.TXT");
  EXPECT_EQ(merged[1], Numbered(1));
  EXPECT_EQ(merged[2], Numbered(9));
  RecentFileSlots saved_now;
  PutRecentFileFirst(saved_now, L"D:\\new.txt", files);
  EXPECT_EQ(MergeRecentFiles(saved_now, {}, files)[0], L"D:\\new.txt");

  // Nine at most: this copy's files all come before the file's.
  Copy c;
  for (int n = 1; n <= 5; ++n) c.Use(Numbered(n + 3), list_file, files);
  std::vector<std::wstring> listed;
  for (int n = 12; n >= 1; --n) listed.push_back(Numbered(n));
  const RecentFileSlots full = MergeRecentFiles(c.used, listed, files);
  ASSERT_EQ(Filled(full), 9);
  for (int k = 0; k < 5; ++k) EXPECT_EQ(full[k], Numbered(8 - k));
  EXPECT_EQ(full[5], Numbered(12));
  EXPECT_EQ(full[8], Numbered(9));
}

TEST(RecentFilesList, LabelShowsEveryCharacterOfThePathAsItself) {
  EXPECT_EQ(RecentMenuLabel(1, L"C:\\Temp\\a.txt"), L"\\b&1\\b  C:\\\\Temp\\\\a.txt");
  // "&" would take the mnemonic from the number and "$" would make the rest
  // a keyboard shortcut ("$F1" would bind F1): both are doubled.
  EXPECT_EQ(RecentMenuLabel(2, L"\\\\srv\\c$F1\\R&D.txt"), L"\\b&2\\b  \\\\\\\\srv\\\\c$$F1\\\\R&&D.txt");
}

}  // namespace
}  // namespace tavrel
