// Shortcut texts of menu items: where the shortcut part starts, how a
// shortcut reads into key and flags, and that no text can upset the reader.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "toolkit/menus/menu_item_text.h"
#include "toolkit/menus/shortcut_text.h"

namespace lumora {
namespace {

ParsedShortcut Parsed(std::u16string_view text) {
  auto parsed = ParseShortcut(text);
  EXPECT_TRUE(parsed.has_value()) << std::string(text.begin(), text.end());
  return parsed.value_or(ParsedShortcut{-1, -1});
}

TEST(ShortcutPart, DollarPairsAreLiteralAndTheFirstSingleDollarStartsTheShortcut) {
  EXPECT_EQ(ShortcutPartOf(u"&Print...$Ctrl+P"), u"Ctrl+P");
  EXPECT_EQ(ShortcutPartOf(u"Find Next$F3"), u"F3");
  EXPECT_FALSE(ShortcutPartOf(u"&Open..."));
  EXPECT_FALSE(ShortcutPartOf(u"Cost $$5 or $$6"));  // only pairs: no shortcut
  EXPECT_FALSE(ShortcutPartOf(u"$$"));
  EXPECT_EQ(ShortcutPartOf(u"Cost $$5$Ctrl+K"), u"Ctrl+K");
  EXPECT_EQ(ShortcutPartOf(u"A$$$B"), u"B");
  EXPECT_EQ(ShortcutPartOf(u"$Del"), u"Del");
  // Pairs after the start collapse as well.
  EXPECT_EQ(ShortcutPartOf(u"X$Shift+$$"), u"Shift+$");
  // A trailing single "$" gives no shortcut rather than an empty one, which
  // would clear every shortcut of the window.
  EXPECT_FALSE(ShortcutPartOf(u"Open$"));
  EXPECT_FALSE(ShortcutPartOf(u""));
}

TEST(ShortcutPart, ItemTextSplitsLikeTheShortcutScan) {
  auto parts = SplitMenuItemText(u"&Print...$Ctrl+P");
  EXPECT_EQ(parts.label, u"&Print...");
  EXPECT_EQ(parts.shortcut, u"Ctrl+P");
  parts = SplitMenuItemText(u"Cost $$5");
  EXPECT_EQ(parts.label, u"Cost $5");
  EXPECT_FALSE(parts.shortcut);
  parts = SplitMenuItemText(u"A$$$B");
  EXPECT_EQ(parts.label, u"A$");
  EXPECT_EQ(parts.shortcut, u"B");
  parts = SplitMenuItemText(u"Open$");
  EXPECT_EQ(parts.label, u"Open");
  EXPECT_EQ(parts.shortcut, u"");
  EXPECT_EQ(SplitMenuItemText(u"").label, u"");
}

TEST(ShortcutPart, MnemonicIsTheCharacterAfterASingleAmpersand) {
  EXPECT_EQ(MenuMnemonicOf(u"&Print..."), u'P');
  EXPECT_EQ(MenuMnemonicOf(u"Save &as"), u'A');
  EXPECT_EQ(MenuMnemonicOf(u"Fish && &Chips"), u'C');
  EXPECT_EQ(MenuMnemonicOf(u"\\b&1\\b  C:\\\\x"), u'1');
  EXPECT_EQ(MenuMnemonicOf(u"&\\bB\\b"), u'B');
  EXPECT_EQ(MenuMnemonicOf(u"No mnemonic &&"), 0);
  EXPECT_EQ(MenuMnemonicOf(u"End &"), 0);
}

TEST(ShortcutParse, ModifiersAndCharacterKeys) {
  ParsedShortcut p = Parsed(u"Ctrl+O");
  EXPECT_EQ(p.key, 'O');
  EXPECT_EQ(p.flags, SHORTCUT_CTRL);  // a character: no virtual-key bit
  p = Parsed(u"ctrl+o");
  EXPECT_EQ(p.key, 'O');
  EXPECT_FALSE(ParseShortcut(u"&Print...$Ctrl+P"));  // a whole item text is no shortcut
  p = Parsed(*ShortcutPartOf(u"&Print...$Ctrl+P"));
  EXPECT_EQ(p.key, 'P');
  EXPECT_EQ(p.flags, SHORTCUT_CTRL);
  p = Parsed(u"Alt+Shift+Control+z");
  EXPECT_EQ(p.key, 'Z');
  EXPECT_EQ(p.flags, SHORTCUT_ALT | SHORTCUT_SHIFT | SHORTCUT_CTRL);
  p = Parsed(u"Ctrl+1");
  EXPECT_EQ(p.key, '1');
  p = Parsed(u"Ctrl+\u00e9");  // Latin-1 letters go to upper case too
  EXPECT_EQ(p.key, 0xC9);
}

TEST(ShortcutParse, NamedKeysSetVirtualKeys) {
  ParsedShortcut p = Parsed(u"F3");
  EXPECT_EQ(p.key, 0x72);
  EXPECT_EQ(p.flags, SHORTCUT_VIRTUAL_KEY);  // "Find Next$F3": no modifiers
  EXPECT_EQ(Parsed(u"pgup").key, Parsed(u"pageup").key);
  EXPECT_EQ(Parsed(u"PgUp").key, 0x21);
  EXPECT_EQ(Parsed(u"prior").key, 0x21);
  EXPECT_EQ(Parsed(u"Del").key, 0x2E);
  EXPECT_EQ(Parsed(u"Ctrl+Del").flags, SHORTCUT_CTRL | SHORTCUT_VIRTUAL_KEY);
  EXPECT_EQ(Parsed(u"Shift+F24").key, 0x87);
  EXPECT_EQ(Parsed(u"f1").key, 0x70);
  EXPECT_EQ(Parsed(u"numpad0").key, 0x60);
  EXPECT_EQ(Parsed(u"num9").key, 0x69);
  EXPECT_EQ(Parsed(u"pad5").key, 0x65);
  EXPECT_EQ(Parsed(u"divide").key, 0x6F);
  EXPECT_EQ(Parsed(u"plus").key, 0xBB);
  EXPECT_EQ(Parsed(u"period").key, 0xBE);
  EXPECT_EQ(Parsed(u"rightwindows").key, 0x5C);
  EXPECT_EQ(Parsed(u"scroll").key, 0x91);
  EXPECT_EQ(Parsed(u"ent").key, 0x0D);
  EXPECT_EQ(Parsed(u"capslock").key, 0x14);
}

TEST(ShortcutParse, EverySeparatorWorksAndLabelCodesAreIgnored) {
  for (std::u16string sep : {u"+", u"|", u" ", u"-", u",", u".", u"~", u"^", u"/", u"\\", u":", u";"}) {
    const ParsedShortcut p = Parsed(u"Ctrl" + sep + u"F5");
    EXPECT_EQ(p.key, 0x74);
    EXPECT_EQ(p.flags, SHORTCUT_CTRL | SHORTCUT_VIRTUAL_KEY);
  }
  const ParsedShortcut p = Parsed(u"\\bCtrl\\b+\\iS\\n");
  EXPECT_EQ(p.key, 'S');
  EXPECT_EQ(p.flags, SHORTCUT_CTRL);
  // Parts after an empty one are not read.
  EXPECT_EQ(Parsed(u"Ctrl+X++Nonsense").key, 'X');
}

TEST(ShortcutParse, UnknownNamesAndMissingKeysAreRefused) {
  EXPECT_FALSE(ParseShortcut(u"Ctrl+Banana"));
  EXPECT_FALSE(ParseShortcut(u"Hyper+X"));
  EXPECT_FALSE(ParseShortcut(u"f25"));
  EXPECT_FALSE(ParseShortcut(u"f0"));
  EXPECT_FALSE(ParseShortcut(u"f01"));
  EXPECT_FALSE(ParseShortcut(u"numpad10"));
  EXPECT_FALSE(ParseShortcut(u"Ctrl"));   // no key at all
  EXPECT_FALSE(ParseShortcut(u"Ctrl+"));
  EXPECT_FALSE(ParseShortcut(u""));
  EXPECT_FALSE(ParseShortcut(u"-"));
  EXPECT_EQ(KeyNameCode(u"Del"), 0);  // the table is looked up in lower case
}

// Arbitrary texts, including lone surrogates, backslashes at the end and
// long runs of separators, must neither crash nor read out of bounds (the
// test runs under AddressSanitizer).
TEST(ShortcutParse, SurvivesGarbage) {
  std::mt19937 random(20240611);
  const char16_t alphabet[] = u"$+-\\bcinsu&|.,:;~^/ ctrlaltshiftf1234567890pgupZ\xD800\xDC00\xFFFF";
  const size_t alphabet_size = sizeof alphabet / sizeof alphabet[0] - 1;
  size_t parsed = 0;
  for (int round = 0; round < 20000; ++round) {
    std::u16string text;
    const size_t length = random() % 24;
    for (size_t i = 0; i < length; ++i) {
      text.push_back(random() % 4 == 0 ? static_cast<char16_t>(random() % 0x10000)
                                       : alphabet[random() % alphabet_size]);
    }
    if (auto part = ShortcutPartOf(text)) {
      EXPECT_FALSE(part->empty());
      if (auto shortcut = ParseShortcut(*part)) {
        ++parsed;
        EXPECT_NE(shortcut->key, 0);
        EXPECT_EQ(shortcut->flags & ~int64_t{0x1D}, 0);
      }
    }
    if (auto shortcut = ParseShortcut(text)) {
      EXPECT_EQ(shortcut->flags & ~int64_t{0x1D}, 0);
    }
    const MenuItemTextParts parts = SplitMenuItemText(text);
    EXPECT_LE(parts.label.size(), text.size());
    MenuMnemonicOf(text);
  }
  EXPECT_GT(parsed, 0u);  // the alphabet does produce real shortcuts
}

}  // namespace
}  // namespace lumora
