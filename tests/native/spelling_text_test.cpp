// The byte rules that decide which words spelling judges, and the reading
// and appending of the personal word list that people also edit by hand.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/spelling/personal_word_list.h"
#include "app/spelling/spell_words.h"

namespace tavrel {
namespace {

std::vector<std::string> Words(std::string_view text, bool ends_at_line_end = true) {
  std::vector<std::string> words;
  ForEachSpellWord(text, ends_at_line_end, [&](std::size_t offset, std::size_t length) {
    words.emplace_back(text.substr(offset, length));
  });
  return words;
}

using List = std::vector<std::string>;

TEST(SpellWords, ApostrophesJoinAndDigitsAndPunctuationSplit) {
  EXPECT_EQ(Words("don't stop"), (List{"don't", "stop"}));
  EXPECT_EQ(Words("abc123def"), (List{"abc", "def"}));
  EXPECT_EQ(Words("one,two;three-four_five[six]seven{eight}nine~"),
            (List{"one", "two", "three", "four", "five", "six", "seven", "eight", "nine"}));
  // Quote marks around a word are not part of it, ASCII or typographic;
  // an apostrophe inside is, either way.
  EXPECT_EQ(Words("'quoted' dogs' ``tex'' '' \xE2\x80\x98so\xE2\x80\x99 don\xE2\x80\x99t"),
            (List{"quoted", "dogs", "tex", "so", "don\xE2\x80\x99t"}));
  // Typographic dashes, double quotes and the ellipsis part words.
  EXPECT_EQ(Words("\xE2\x80\x9Cwell\xE2\x80\x94yes\xE2\x80\xA6\xE2\x80\x9D"), (List{"well", "yes"}));
  // Line ends and tabs part words.
  EXPECT_EQ(Words("one\r\nnext\tword"), (List{"one", "next", "word"}));
  // A zero byte inside a document is a separator like any control byte.
  EXPECT_EQ(Words(std::string_view("ab\0cd", 5)), (List{"ab", "cd"}));
}

TEST(SpellWords, OneLetterWordsAreNeverJudged) {
  EXPECT_EQ(Words("a I x9y it"), (List{"it"}));
  // One letter of two bytes is still one letter; two letters are a word.
  EXPECT_EQ(Words("\xC3\xA9 \xC3\xA9t\xC3\xA9"), (List{"\xC3\xA9t\xC3\xA9"}));
}

TEST(SpellWords, NonAsciiLettersStayInsideTheirWord) {
  EXPECT_EQ(Words("na\xC3\xAFve caf\xC3\xA9, \xE4\xB8\xAD\xE6\x96\x87."),
            (List{"na\xC3\xAFve", "caf\xC3\xA9", "\xE4\xB8\xAD\xE6\x96\x87"}));
}

TEST(SpellWords, TheLastWordWaitsUnlessTheTextEndsAtItsLineEnd) {
  EXPECT_EQ(Words("fine speling", false), (List{"fine"}));
  EXPECT_EQ(Words("fine speling", true), (List{"fine", "speling"}));
  EXPECT_EQ(Words("fine speling ", false), (List{"fine", "speling"}));
  // Offsets are byte offsets into the text.
  std::vector<std::size_t> offsets;
  ForEachSpellWord("x  caf\xC3\xA9 ok", true, [&](std::size_t offset, std::size_t length) {
    offsets.push_back(offset);
    offsets.push_back(length);
  });
  EXPECT_EQ(offsets, (std::vector<std::size_t>{3, 5, 9, 2}));
}

TEST(PersonalWordList, ReadingSkipsAByteOrderMarkAndBlankLinesAndAcceptsAnyLineEnd) {
  EXPECT_EQ(ParseWordList("\xEF\xBB\xBFTavrel\r\nLumora\n\r\ncaf\xC3\xA9\rlast"),
            (List{"Tavrel", "Lumora", "caf\xC3\xA9", "last"}));
  EXPECT_EQ(ParseWordList(""), List{});
}

TEST(PersonalWordList, AppendingEndsAnUnendedLastLineFirst) {
  EXPECT_EQ(WordListAppendBytes("", "word"), "word\r\n");
  EXPECT_EQ(WordListAppendBytes("\n", "word"), "word\r\n");
  EXPECT_EQ(WordListAppendBytes("s", "word"), "\r\nword\r\n");
}

TEST(PersonalWordList, CompanionFilesReplaceOnlyTheFileNamesExtension) {
  EXPECT_EQ(ReplaceFileExtension(L"Dictionaries\\en_GB.dic", L".aff"), L"Dictionaries\\en_GB.aff");
  EXPECT_EQ(ReplaceFileExtension(L".\\dicts.v2\\en_GB.dic", L".dat"), L".\\dicts.v2\\en_GB.dat");
  EXPECT_EQ(ReplaceFileExtension(L"dir\\en_GB", L".dat"), L"dir\\en_GB.dat");
}

TEST(PersonalWordList, DictionaryEncodingsMapToCodePages) {
  EXPECT_EQ(CodePageOfDictionaryEncoding("UTF-8"), 65001u);
  EXPECT_EQ(CodePageOfDictionaryEncoding("ISO8859-1"), 28591u);
  EXPECT_EQ(CodePageOfDictionaryEncoding("ISO8859-15"), 28605u);
  EXPECT_EQ(CodePageOfDictionaryEncoding("KOI8-R"), 20866u);
  EXPECT_EQ(CodePageOfDictionaryEncoding("microsoft-cp1251"), 1251u);
  EXPECT_EQ(CodePageOfDictionaryEncoding("ISO8859-11x"), 0u);
}

}  // namespace
}  // namespace tavrel
