#include "app/recent/recent_files_list.h"

#include <cstdint>

namespace tavrel {

namespace {

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

void AppendUnits(std::wstring& units, uint32_t code_point) {
  if (code_point < 0x10000) {
    units.push_back(static_cast<wchar_t>(code_point));
    return;
  }
  code_point -= 0x10000;
  units.push_back(static_cast<wchar_t>(0xD800 + (code_point >> 10)));
  units.push_back(static_cast<wchar_t>(0xDC00 + (code_point & 0x3FF)));
}

bool IsLineEnd(char byte) { return byte == '\n' || byte == '\r' || byte == '\0'; }

}  // namespace

bool Utf16UnitsFromUtf8(std::string_view bytes, std::wstring& units) {
  units.clear();
  for (std::size_t i = 0; i < bytes.size();) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    std::size_t length;
    uint32_t code_point;
    uint32_t lowest;
    if (lead < 0x80) {
      units.push_back(static_cast<wchar_t>(lead));
      ++i;
      continue;
    } else if ((lead & 0xE0) == 0xC0) {
      length = 2, code_point = lead & 0x1F, lowest = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
      length = 3, code_point = lead & 0x0F, lowest = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
      length = 4, code_point = lead & 0x07, lowest = 0x10000;
    } else {
      return false;
    }
    if (bytes.size() - i < length) return false;
    for (std::size_t k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(bytes[i + k]);
      if (!IsContinuation(next)) return false;
      code_point = (code_point << 6) | (next & 0x3F);
    }
    // Over-long forms, surrogates and values past the last plane are not
    // UTF-8: no path was written that way.
    if (code_point < lowest || code_point > 0x10FFFF || (code_point >= 0xD800 && code_point <= 0xDFFF)) return false;
    AppendUnits(units, code_point);
    i += length;
  }
  return true;
}

std::string Utf8FromUtf16Units(const std::wstring& units, bool& ok) {
  std::string bytes;
  ok = false;
  for (std::size_t i = 0; i < units.size(); ++i) {
    uint32_t c = static_cast<uint32_t>(units[i]) & 0xFFFF;
    if (c >= 0xD800 && c <= 0xDBFF) {
      const uint32_t low = i + 1 < units.size() ? static_cast<uint32_t>(units[i + 1]) & 0xFFFF : 0;
      if (low < 0xDC00 || low > 0xDFFF) return std::string();
      c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
      ++i;
    } else if (c >= 0xDC00 && c <= 0xDFFF) {
      return std::string();
    }
    if (c < 0x80) {
      bytes.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
      bytes.push_back(static_cast<char>(0xC0 | (c >> 6)));
      bytes.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
      bytes.push_back(static_cast<char>(0xE0 | (c >> 12)));
      bytes.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      bytes.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
      bytes.push_back(static_cast<char>(0xF0 | (c >> 18)));
      bytes.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
      bytes.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      bytes.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  }
  ok = true;
  return bytes;
}

std::vector<std::wstring> RecentFileLines(std::string_view bytes) {
  std::vector<std::wstring> lines;
  std::size_t start = 0;
  while (start < bytes.size() && lines.size() < kRecentFilesLinesExamined) {
    std::size_t end = start;
    while (end < bytes.size() && !IsLineEnd(bytes[end])) ++end;
    const std::string_view line = bytes.substr(start, end - start);
    // A path's UTF-8 form is at most three bytes per UTF-16 unit.
    std::wstring units;
    if (!line.empty() && line.size() <= 3 * kLongestPath && Utf16UnitsFromUtf8(line, units) &&
        units.size() <= kLongestPath) {
      lines.push_back(std::move(units));
    }
    // CR LF is one line end; every other end byte is one on its own.
    if (end + 1 < bytes.size() && bytes[end] == '\r' && bytes[end + 1] == '\n') ++end;
    start = end + 1;
  }
  return lines;
}

RecentFileSlots RecentSlotsFromFile(std::string_view bytes, const RecentFileSystem& files) {
  return MergeRecentFiles(RecentFileSlots{}, RecentFileLines(bytes), files);
}

RecentFileSlots MergeRecentFiles(const RecentFileSlots& used, const std::vector<std::wstring>& listed,
                                 const RecentFileSystem& files) {
  RecentFileSlots slots;
  int filled = 0;
  const auto take = [&](const std::wstring& path, bool must_exist) {
    if (filled == kRecentFilesKept || path.empty()) return;
    for (int k = 0; k < filled; ++k) {
      if (files.SameIgnoringCase(slots[k], path)) return;
    }
    if (must_exist && !files.IsExistingFile(path)) return;
    slots[filled++] = path;
  };
  // This copy's newest was just opened or saved: as in PutRecentFileFirst
  // it is not asked about.
  for (int k = 0; k < kRecentFilesKept; ++k) take(used[k], k > 0);
  for (const std::wstring& path : listed) take(path, true);
  return slots;
}

std::string RecentFilesText(const RecentFileSlots& slots, const RecentFileSystem& files) {
  std::string text;
  for (int k = 0; k < kRecentFilesKept; ++k) {
    if (slots[k].empty() || !files.IsExistingFile(slots[k])) continue;
    bool ok = false;
    const std::string line = Utf8FromUtf16Units(slots[k], ok);
    // A name UTF-8 cannot carry would not read back as the same file.
    if (!ok) continue;
    text += line;
    text += "\r\n";
  }
  return text;
}

void PutRecentFileFirst(RecentFileSlots& slots, const std::wstring& path, const RecentFileSystem& files) {
  std::vector<std::wstring> kept;
  for (int k = 0; k < kRecentFilesKept; ++k) {
    if (slots[k].empty() || files.SameIgnoringCase(slots[k], path) || !files.IsExistingFile(slots[k])) continue;
    kept.push_back(std::move(slots[k]));
  }
  for (std::wstring& slot : slots) slot.clear();
  slots[0] = path;
  for (std::size_t k = 0; k < kept.size() && k + 1 < kRecentFilesKept; ++k) slots[k + 1] = std::move(kept[k]);
}

std::wstring RecentMenuLabel(int number, const std::wstring& shown_path) {
  std::wstring label = L"\\b&" + std::to_wstring(number) + L"\\b  ";
  for (wchar_t c : shown_path) {
    if (c == L'\\' || c == L'&' || c == L'$') label.push_back(c);
    label.push_back(c);
  }
  return label;
}

}  // namespace tavrel
