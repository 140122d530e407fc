// The per-window shortcut lists: registering, replacing, deleting with -1,
// blocking a disabled item's key, and matching key presses.
#include <gtest/gtest.h>

#include "toolkit/menus/shortcut_table.h"
#include "toolkit/menus/shortcut_text.h"

namespace lumora {
namespace {

constexpr uint64_t kWindow = 0x10020;
constexpr uint64_t kOther = 0x30044;

ShortcutRecord Record(std::u16string_view text, int16_t command) {
  const auto parsed = ParseShortcut(text);
  EXPECT_TRUE(parsed);
  return {parsed->key, parsed->flags, command};
}

TEST(ShortcutTable, MatchesCharacterAndVirtualKeysWithExactModifiers) {
  ShortcutTable table;
  table.Set(kWindow, Record(u"Ctrl+O", 2));
  table.Set(kWindow, Record(u"F3", 40));
  table.Set(kWindow, Record(u"Ctrl+Shift+F3", 41));

  // Ctrl+O: the character the layout gives for the key, Ctrl held.
  auto hit = table.Find(kWindow, 'O', 'O', SHORTCUT_CTRL);
  ASSERT_TRUE(hit);
  EXPECT_EQ(hit->command, 2);
  EXPECT_FALSE(table.Find(kWindow, 'O', 'O', 0));
  EXPECT_FALSE(table.Find(kWindow, 'O', 'O', SHORTCUT_CTRL | SHORTCUT_SHIFT));
  EXPECT_FALSE(table.Find(kWindow, 'O', 0, SHORTCUT_CTRL));  // no character: no character match

  hit = table.Find(kWindow, 0x72, 0, 0);
  ASSERT_TRUE(hit);
  EXPECT_EQ(hit->command, 40);
  hit = table.Find(kWindow, 0x72, 0, SHORTCUT_CTRL | SHORTCUT_SHIFT);
  ASSERT_TRUE(hit);
  EXPECT_EQ(hit->command, 41);
  // A character entry never matches a virtual key of the same number and
  // the other way round: F3 is 0x72, which is also 'r'.
  table.Set(kWindow, Record(u"r", 50));
  hit = table.Find(kWindow, 'R', 'R', 0);
  ASSERT_TRUE(hit);
  EXPECT_EQ(hit->command, 50);
  // Lists are per window.
  EXPECT_FALSE(table.Find(kOther, 'O', 'O', SHORTCUT_CTRL));
}

TEST(ShortcutTable, SameKeyReplacesAndMinusOneDeletes) {
  ShortcutTable table;
  table.Set(kWindow, Record(u"Del", 15));
  table.Set(kWindow, Record(u"del", 16));
  ASSERT_EQ(table.List(kWindow).size(), 1u);
  EXPECT_EQ(table.List(kWindow)[0].command, 16);
  // Registering -1 for a listed key removes it: the key goes to the control.
  table.Set(kWindow, Record(u"Del", kBlockedShortcut));
  EXPECT_TRUE(table.List(kWindow).empty());
  EXPECT_FALSE(table.Find(kWindow, 0x2E, 0, 0));
  // For a key that is not listed, -1 adds a blocking entry.
  table.Set(kWindow, Record(u"Ctrl+Q", kBlockedShortcut));
  auto hit = table.Find(kWindow, 'Q', 'Q', SHORTCUT_CTRL);
  ASSERT_TRUE(hit);
  EXPECT_EQ(hit->command, kBlockedShortcut);
  // Ctrl+Shift+Del is another entry than Del.
  table.Set(kWindow, Record(u"Ctrl+Shift+Del", 7));
  table.Set(kWindow, Record(u"Del", 8));
  EXPECT_EQ(table.List(kWindow).size(), 3u);
}

TEST(ShortcutTable, BlockingKeepsTheKeyAndEnablingRestoresIt) {
  ShortcutTable table;
  table.Set(kWindow, Record(u"Ctrl+C", 13));
  table.Set(kWindow, Record(u"Ctrl+C", 13), ShortcutTable::Mode::kBlock);
  auto hit = table.Find(kWindow, 'C', 'C', SHORTCUT_CTRL);
  ASSERT_TRUE(hit);  // still listed, so the key is swallowed
  EXPECT_EQ(hit->command, kBlockedShortcut);
  table.Set(kWindow, Record(u"Ctrl+C", 13));
  hit = table.Find(kWindow, 'C', 'C', SHORTCUT_CTRL);
  ASSERT_TRUE(hit);
  EXPECT_EQ(hit->command, 13);
  // Blocking a key nobody listed adds a blocking entry.
  table.Set(kWindow, Record(u"Ctrl+X", 12), ShortcutTable::Mode::kBlock);
  EXPECT_EQ(table.Find(kWindow, 'X', 'X', SHORTCUT_CTRL)->command, kBlockedShortcut);
}

TEST(ShortcutTable, ClearForgetsOneWindow) {
  ShortcutTable table;
  table.Set(kWindow, Record(u"Ctrl+S", 3));
  table.Set(kOther, Record(u"Ctrl+S", 4));
  table.Clear(kWindow);
  EXPECT_FALSE(table.Find(kWindow, 'S', 'S', SHORTCUT_CTRL));
  EXPECT_EQ(table.Find(kOther, 'S', 'S', SHORTCUT_CTRL)->command, 4);
  table.ClearAll();
  EXPECT_FALSE(table.Find(kOther, 'S', 'S', SHORTCUT_CTRL));
}

TEST(HeldModifiers, FollowsModifierKeysOnly) {
  HeldModifiers held;
  EXPECT_TRUE(held.OnKeyDown(HeldModifiers::kControlKey));
  EXPECT_TRUE(held.OnKeyDown(HeldModifiers::kShiftKey));
  EXPECT_FALSE(held.OnKeyDown('A'));
  EXPECT_EQ(held.flags(), SHORTCUT_CTRL | SHORTCUT_SHIFT);
  EXPECT_TRUE(held.OnKeyUp(HeldModifiers::kControlKey));
  EXPECT_EQ(held.flags(), SHORTCUT_SHIFT);
  held.OnKeyDown(HeldModifiers::kMenuKey);
  EXPECT_EQ(held.flags(), SHORTCUT_SHIFT | SHORTCUT_ALT);
  held.Reset();
  EXPECT_EQ(held.flags(), 0);
}

}  // namespace
}  // namespace lumora
