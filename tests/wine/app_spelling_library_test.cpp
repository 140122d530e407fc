// The spelling library through the editor's wrapper, with the real
// Hunspellx64.dll: words reach it in the dictionary's own encoding, the
// personal word list is read and appended as people leave it, and adding
// a word already accepted writes nothing.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "app/spelling/spelling_library_win32.h"
#include "app_editor_fixture.h"

namespace tavrel {
namespace {

using test_support::ReadBytes;
using test_support::RemoveTree;
using test_support::WriteBytes;

class SpellingLibraryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    folder_ = std::wstring(temp) + L"tavrel-spell-" + std::to_wstring(GetCurrentProcessId());
    RemoveTree(folder_);
    ASSERT_TRUE(CreateDirectoryW(folder_.c_str(), nullptr));
  }
  void TearDown() override {
    SpellFree();
    RemoveTree(folder_);
  }
  // A small dictionary of its own: affix file, word file and, if given,
  // the personal word list, each as raw bytes.
  std::wstring MakeDictionary(const std::string& aff, const std::string& dic, const std::string* list = nullptr) {
    const std::wstring base = folder_ + L"\\xx_XX";
    EXPECT_TRUE(WriteBytes(base + L".aff", aff));
    EXPECT_TRUE(WriteBytes(base + L".dic", dic));
    if (list) {
      EXPECT_TRUE(WriteBytes(base + L".dat", *list));
    }
    return base + L".dic";
  }
  std::wstring folder_;
};

TEST_F(SpellingLibraryTest, TheShippedDictionaryJudgesNonAsciiWordsAndSuggests) {
  ASSERT_NE(SpellInit(kDictionaryPath), nullptr);
  EXPECT_TRUE(SpellCheckWord(L"na\u00EFve"));
  EXPECT_TRUE(SpellCheckWord(L"caf\u00E9"));
  EXPECT_TRUE(SpellCheckWord(L"colour"));
  EXPECT_FALSE(SpellCheckWord(L"caf\u00E8"));
  EXPECT_NE(SpellSuggest(L"wrold").find(L"world"), std::wstring::npos);
  // Asking again (the list handed back each time) gives the same answer.
  EXPECT_EQ(SpellSuggest(L"wrold"), SpellSuggest(L"wrold"));
}

TEST_F(SpellingLibraryTest, WordsTravelInTheDictionarysOwnEncoding) {
  // "café" in ISO 8859-1 is the four bytes c a f E9.
  ASSERT_NE(SpellInit(MakeDictionary("SET ISO8859-1\nTRY aefc\xE9\n", "2\ncaf\xE9\nbook\n")), nullptr);
  EXPECT_TRUE(SpellCheckWord(L"caf\u00E9"));
  EXPECT_TRUE(SpellCheckUtf8("caf\xC3\xA9"));
  // A character the encoding cannot write makes no word of it.
  EXPECT_FALSE(SpellCheckWord(L"caf\u0416"));
  EXPECT_EQ(SpellSuggest(L"cafe"), L"caf\u00E9");
  // Added words are stored as UTF-8 and handed to the library in its own.
  EXPECT_EQ(SpellAddWord(L"na\u00EFf"), 1);
  EXPECT_TRUE(SpellCheckWord(L"na\u00EFf"));
  EXPECT_EQ(ReadBytes(folder_ + L"\\xx_XX.dat"), std::string("na\xC3\xAF" "f\r\n"));
}

TEST_F(SpellingLibraryTest, ThePersonalListIsReadPastAMarkAndAppendedOnItsOwnLine) {
  const std::string list = "\xEF\xBB\xBFTavrel\r\nLumora";  // no end on the last line
  const std::wstring path = MakeDictionary("SET UTF-8\n", "1\nhello\n", &list);
  ASSERT_NE(SpellInit(path), nullptr);
  EXPECT_TRUE(SpellCheckWord(L"Tavrel"));
  EXPECT_TRUE(SpellCheckWord(L"Lumora"));
  EXPECT_FALSE(SpellCheckWord(L"Zorblat"));  // cached as misspelt...
  EXPECT_EQ(SpellAddWord(L"Zorblat"), 1);
  EXPECT_TRUE(SpellCheckWord(L"Zorblat"));  // ...and the verdict follows the add
  EXPECT_EQ(ReadBytes(folder_ + L"\\xx_XX.dat"), list + "\r\nZorblat\r\n");
  // Accepted already (listed, added or ignored): nothing more is written.
  EXPECT_EQ(SpellAddWord(L"Zorblat"), 0);
  EXPECT_EQ(SpellIgnoreWord(L"Quixlet"), 1);
  EXPECT_EQ(SpellAddWord(L"Quixlet"), 0);
  EXPECT_EQ(ReadBytes(folder_ + L"\\xx_XX.dat"), list + "\r\nZorblat\r\n");
  // Opened again, the list brings back what was added, not what was ignored.
  ASSERT_NE(SpellInit(path), nullptr);
  EXPECT_TRUE(SpellCheckWord(L"Zorblat"));
  EXPECT_FALSE(SpellCheckWord(L"Quixlet"));
}

TEST_F(SpellingLibraryTest, AMissingDictionaryLeavesEveryOperationQuiet) {
  EXPECT_EQ(SpellInit(folder_ + L"\\none.dic"), nullptr);
  EXPECT_EQ(SpellCheckWord(L"hello"), 0);
  EXPECT_EQ(SpellSuggest(L"helo"), L"");
  EXPECT_EQ(SpellIgnoreWord(L"hello"), 0);
  EXPECT_EQ(SpellAddWord(L"hello"), 0);
  EXPECT_FALSE(test_support::FileExists(folder_ + L"\\none.dat"));
}

}  // namespace
}  // namespace tavrel
