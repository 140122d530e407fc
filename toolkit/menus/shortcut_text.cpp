#include "toolkit/menus/shortcut_text.h"

#include <array>

namespace lumora {
namespace {

struct KeyName {
  std::u16string_view name;
  int32_t code;
};

constexpr std::array<KeyName, 52> kKeyNames{{
    {u"back", 0x08},        {u"tab", 0x09},          {u"clear", 0x0C},       {u"return", 0x0D},
    {u"ret", 0x0D},         {u"enter", 0x0D},        {u"ent", 0x0D},         {u"pause", 0x13},
    {u"capital", 0x14},     {u"caps", 0x14},         {u"capslock", 0x14},    {u"escape", 0x1B},
    {u"esc", 0x1B},         {u"space", 0x20},        {u"prior", 0x21},       {u"pgup", 0x21},
    {u"pageup", 0x21},      {u"next", 0x22},         {u"pgdn", 0x22},        {u"pagedown", 0x22},
    {u"end", 0x23},         {u"home", 0x24},         {u"left", 0x25},        {u"up", 0x26},
    {u"right", 0x27},       {u"down", 0x28},         {u"select", 0x29},      {u"print", 0x2A},
    {u"execute", 0x2B},     {u"snapshot", 0x2C},     {u"prtsc", 0x2C},       {u"insert", 0x2D},
    {u"ins", 0x2D},         {u"delete", 0x2E},       {u"del", 0x2E},         {u"help", 0x2F},
    {u"lwin", 0x5B},        {u"leftwin", 0x5B},      {u"leftwindows", 0x5B}, {u"rwin", 0x5C},
    {u"rightwin", 0x5C},    {u"rightwindows", 0x5C}, {u"apps", 0x5D},        {u"multiply", 0x6A},
    {u"add", 0x6B},         {u"separator", 0x6C},    {u"subtract", 0x6D},    {u"decimal", 0x6E},
    {u"divide", 0x6F},      {u"numlock", 0x90},      {u"scroll", 0x91},      {u"plus", 0xBB},
}};

constexpr std::array<KeyName, 3> kPunctuationNames{{{u"comma", 0xBC}, {u"minus", 0xBD}, {u"period", 0xBE}}};

bool IsSeparator(char16_t c) {
  switch (c) {
    case u'|': case u' ': case u'-': case u',': case u'.': case u'~': case u'^': case u'/': case u'\\':
    case u':': case u';':
      return true;
    default:
      return false;
  }
}

bool IsLabelCodeLetter(char16_t c) {
  return c == u'b' || c == u'i' || c == u'u' || c == u's' || c == u'c' || c == u'n';
}

// "prefix" followed by exactly one decimal digit: the digit, else -1.
int DigitAfter(std::u16string_view name, std::u16string_view prefix) {
  if (name.size() != prefix.size() + 1 || name.substr(0, prefix.size()) != prefix) return -1;
  const char16_t digit = name.back();
  return digit >= u'0' && digit <= u'9' ? digit - u'0' : -1;
}

// "f1" to "f24".
int FunctionKeyNumber(std::u16string_view name) {
  if (name.size() < 2 || name.size() > 3 || name[0] != u'f') return -1;
  int value = 0;
  for (size_t i = 1; i < name.size(); ++i) {
    if (name[i] < u'0' || name[i] > u'9') return -1;
    value = value * 10 + (name[i] - u'0');
  }
  if (name[1] == u'0') return -1;  // "f01" is no key name
  return value >= 1 && value <= 24 ? value : -1;
}

}  // namespace

char16_t ShortcutLower(char16_t c) {
  if (c >= u'A' && c <= u'Z') return static_cast<char16_t>(c + 32);
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<char16_t>(c + 32);
  return c;
}

char16_t ShortcutUpper(char16_t c) {
  if (c >= u'a' && c <= u'z') return static_cast<char16_t>(c - 32);
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<char16_t>(c - 32);
  return c;
}

std::optional<std::u16string> ShortcutPartOf(std::u16string_view item_text) {
  for (size_t i = 0; i < item_text.size(); ++i) {
    if (item_text[i] != u'$') continue;
    if (i + 1 < item_text.size() && item_text[i + 1] == u'$') {
      ++i;  // a literal "$"
      continue;
    }
    std::u16string part;
    for (size_t j = i + 1; j < item_text.size(); ++j) {
      part.push_back(item_text[j]);
      if (item_text[j] == u'$' && j + 1 < item_text.size() && item_text[j + 1] == u'$') ++j;
    }
    if (part.empty()) return std::nullopt;
    return part;
  }
  return std::nullopt;
}

int32_t KeyNameCode(std::u16string_view name) {
  for (const KeyName& entry : kKeyNames)
    if (entry.name == name) return entry.code;
  for (const KeyName& entry : kPunctuationNames)
    if (entry.name == name) return entry.code;
  for (std::u16string_view prefix : {std::u16string_view(u"numpad"), std::u16string_view(u"num"),
                                     std::u16string_view(u"pad")}) {
    const int digit = DigitAfter(name, prefix);
    if (digit >= 0) return 0x60 + digit;
  }
  const int function_key = FunctionKeyNumber(name);
  if (function_key > 0) return 0x6F + function_key;
  return 0;
}

std::optional<ParsedShortcut> ParseShortcut(std::u16string_view text) {
  // Lower case, label codes out, every separator a "+".
  std::u16string clean;
  clean.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const char16_t c = ShortcutLower(text[i]);
    if (c == u'\\' && i + 1 < text.size() && IsLabelCodeLetter(ShortcutLower(text[i + 1]))) {
      ++i;
      continue;
    }
    clean.push_back(IsSeparator(c) ? u'+' : c);
  }

  bool alt = false, ctrl = false, shift = false, have_key = false, character = false;
  int64_t key = 0;
  size_t start = 0;
  while (start <= clean.size()) {
    size_t end = clean.find(u'+', start);
    if (end == std::u16string::npos) end = clean.size();
    const std::u16string_view part = std::u16string_view(clean).substr(start, end - start);
    if (part.empty()) break;
    if (part == u"alt") {
      alt = true;
    } else if (part == u"ctrl" || part == u"control") {
      ctrl = true;
    } else if (part == u"shift") {
      shift = true;
    } else if (const int32_t code = KeyNameCode(part); code != 0) {
      key = code;
      have_key = true;
      character = false;
    } else if (part.size() == 1) {
      key = ShortcutUpper(part[0]);
      have_key = true;
      character = true;
    } else {
      return std::nullopt;
    }
    start = end + 1;
  }
  if (!have_key) return std::nullopt;
  ParsedShortcut parsed;
  parsed.key = key;
  parsed.flags = (alt ? SHORTCUT_ALT : 0) | (ctrl ? SHORTCUT_CTRL : 0) | (shift ? SHORTCUT_SHIFT : 0) |
                 (character ? 0 : SHORTCUT_VIRTUAL_KEY);
  return parsed;
}

}  // namespace lumora
