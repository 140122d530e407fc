// Label texts carry file names and dictionary words into menus: splitting
// and stripping must survive any sequence of codes, cut anywhere.
#include <cstddef>
#include <cstdint>
#include <string>

#include "toolkit/style/label_markup.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::wstring text;
  for (size_t i = 0; i + 1 < size; i += 2) text.push_back(static_cast<wchar_t>(data[i] | data[i + 1] << 8));
  lumora::SplitLabel(text);
  lumora::StripLabelCodes(text);
  lumora::RemoveLabelLinkCodes(text);
  return 0;
}
