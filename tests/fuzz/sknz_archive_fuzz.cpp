// Skin archives are files anyone may hand the program: no archive may crash
// the reader, read outside its bytes, hang it or make it allocate without
// bound. The input is read as an archive and, separately, as one block.
// Fuzz sources: toolkit/style/skin_archive.cpp toolkit/style/brieflz.cpp
#include <cstddef>
#include <cstdint>
#include <vector>

#include "toolkit/style/brieflz.h"
#include "toolkit/style/skin_archive.h"

using namespace lumora;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Smaller than the program's limit, so a run finds bugs rather than
  // spending its time filling 32 MiB buffers.
  SknzLimits limits;
  limits.max_member = 1u << 20;
  std::vector<uint8_t> out;
  for (const char16_t* name : {u"a.png", u"", u"image.bmp"}) {
    SknzMemorySource source(data, size);
    FindSknzMember(source, name, &out, limits);
  }
  if (size >= 2) {
    const size_t out_size = static_cast<size_t>(data[0] | data[1] << 8);
    std::vector<uint8_t> block(out_size);
    size_t consumed = 0;
    if (DecodeBriefLzBlock(data + 2, size - 2, block.data(), block.size(), &consumed) && consumed > size - 2)
      __builtin_trap();
  }
  return 0;
}
