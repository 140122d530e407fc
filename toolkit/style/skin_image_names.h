// Whether a skin property value names an image file, and the parts of that
// name the look-up uses. Platform-free: finding the file on disk or in the
// skin's archive is the Win32 side's job (skin_image_files_win32.cpp).
#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace lumora {

// The file name a value names (its text before the first ";", trimmed),
// or nothing when it names no file: no "." with text on both sides, only
// digits and dots (a number such as "0.5"), or a file part that is empty
// or holds a character no file name may hold.
std::optional<std::u16string> SkinImageFileName(std::u16string_view value);

// The part after the last "/" or "\".
std::u16string_view SkinFilePart(std::u16string_view file_name);
bool SkinFileHasFolder(std::u16string_view file_name);

}  // namespace lumora
