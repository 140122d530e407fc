// Scaling of decoded images to the size a caller asked for. Every target
// pixel is the area-weighted average of the source pixels it covers, with
// colours weighted by their alpha, so shrinking keeps thin lines visible and
// transparent pixels never bleed their (meaningless) colour into the edges.
#pragma once
#include <cstdint>
#include <vector>

namespace lumora {

// Source and result are top-down rows of B, G, R, A bytes (straight alpha).
// Empty when a size is not positive or the source is too short.
std::vector<uint8_t> ResizeBgra(const std::vector<uint8_t>& source, int32_t source_width, int32_t source_height,
                                int32_t width, int32_t height);

}  // namespace lumora
