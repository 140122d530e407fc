// Conversions between the program's UTF-16 texts and the byte texts the
// editing component and the file system want.
#pragma once
#include <string>

namespace tavrel {

std::string Utf8FromWide(const std::wstring& text);
std::wstring WideFromUtf8(const std::string& text);

}  // namespace tavrel
