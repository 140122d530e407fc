#include "app/document/side_file_writer.h"

namespace tavrel {

namespace {

constexpr std::size_t kIdDigits = 8;
constexpr std::size_t kStartDigits = 16;
constexpr std::size_t kNumberDigits = 8;
// The longest number of the earlier names.
constexpr std::size_t kOldNumberDigits = 16;
constexpr std::wstring_view kExtension = L".tmp";

void AppendHex(std::wstring& text, uint64_t value, std::size_t digits) {
  static constexpr wchar_t kDigits[] = L"0123456789abcdef";
  for (std::size_t shift = digits * 4; shift > 0; shift -= 4) text.push_back(kDigits[(value >> (shift - 4)) & 0xF]);
}

int HexDigit(wchar_t c) {
  if (c >= L'0' && c <= L'9') return c - L'0';
  if (c >= L'a' && c <= L'f') return c - L'a' + 10;
  if (c >= L'A' && c <= L'F') return c - L'A' + 10;
  return -1;
}

// A run of 1 to max_digits hexadecimal digits, all of text.
std::optional<uint64_t> ParseHex(std::wstring_view text, std::size_t max_digits) {
  if (text.empty() || text.size() > max_digits) return std::nullopt;
  uint64_t value = 0;
  for (wchar_t c : text) {
    const int digit = HexDigit(c);
    if (digit < 0) return std::nullopt;
    value = (value << 4) | static_cast<uint64_t>(digit);
  }
  return value;
}

}  // namespace

std::wstring SideFileSuffix(std::wstring_view tag, const SideFileWriter& writer, uint32_t number) {
  std::wstring suffix = L".~";
  suffix.append(tag);
  suffix.push_back(L'-');
  AppendHex(suffix, writer.process_id, kIdDigits);
  suffix.push_back(L'-');
  AppendHex(suffix, writer.started, kStartDigits);
  suffix.push_back(L'-');
  AppendHex(suffix, number, kNumberDigits);
  suffix.append(kExtension);
  return suffix;
}

std::optional<SideFileWriter> SideFileWriterOf(std::wstring_view suffix, std::wstring_view tag) {
  std::wstring start = L".~";
  start.append(tag);
  start.push_back(L'-');
  if (suffix.size() < start.size() + kExtension.size() || suffix.substr(0, start.size()) != start ||
      suffix.substr(suffix.size() - kExtension.size()) != kExtension) {
    return std::nullopt;
  }
  const std::wstring_view mark = suffix.substr(start.size(), suffix.size() - start.size() - kExtension.size());

  if (mark.size() == kIdDigits + 1 + kStartDigits + 1 + kNumberDigits && mark[kIdDigits] == L'-' &&
      mark[kIdDigits + 1 + kStartDigits] == L'-') {
    const auto id = ParseHex(mark.substr(0, kIdDigits), kIdDigits);
    const auto started = ParseHex(mark.substr(kIdDigits + 1, kStartDigits), kStartDigits);
    const auto number = ParseHex(mark.substr(kIdDigits + 1 + kStartDigits + 1), kNumberDigits);
    if (!id || !started || !number || *id == 0) return std::nullopt;
    return SideFileWriter{static_cast<uint32_t>(*id), *started};
  }
  const auto old_number = ParseHex(mark, kOldNumberDigits);
  // No process has the id 0: whatever made such a name, it was not a save.
  if (!old_number || (*old_number >> 32) == 0) return std::nullopt;
  return SideFileWriter{static_cast<uint32_t>(*old_number >> 32), 0};
}

}  // namespace tavrel
