#include "toolkit/style/skin_image_names.h"

#include "toolkit/style/skin_declarations.h"

namespace lumora {

std::u16string_view SkinFilePart(std::u16string_view file_name) {
  const size_t slash = file_name.find_last_of(u"/\\");
  return slash == std::u16string_view::npos ? file_name : file_name.substr(slash + 1);
}

bool SkinFileHasFolder(std::u16string_view file_name) {
  return file_name.find_first_of(u"/\\") != std::u16string_view::npos;
}

std::optional<std::u16string> SkinImageFileName(std::u16string_view value) {
  const std::u16string_view name = SkinTrim(value.substr(0, value.find(u';')));
  const size_t dot = name.find(u'.');
  if (dot == std::u16string_view::npos || dot == 0 || dot + 1 == name.size()) return std::nullopt;
  bool number = true;
  for (char16_t c : name) number = number && ((c >= u'0' && c <= u'9') || c == u'.');
  if (number) return std::nullopt;
  const std::u16string_view file = SkinFilePart(name);
  if (file.empty()) return std::nullopt;
  for (char16_t c : file) {
    if (c < 0x20 || c == 0x7F || std::u16string_view(u"\"*/:<>?\\|").find(c) != std::u16string_view::npos)
      return std::nullopt;
  }
  // Control characters in the folder part would only fail later, in the
  // file system.
  for (char16_t c : name) {
    if (c < 0x20) return std::nullopt;
  }
  return std::u16string(name);
}

}  // namespace lumora
