#include "platform/nonclient_font_win32.h"

namespace platform {

HFONT CreateNonClientFont(LOGFONTW NONCLIENTMETRICSW::*which) {
  // The structure grew a field in later systems; the older size is accepted
  // by all of them, and the buffer has room for the newer one.
  constexpr UINT kOldSize = 500;
  alignas(NONCLIENTMETRICSW) unsigned char buffer[sizeof(NONCLIENTMETRICSW) + 16] = {};
  auto* metrics = reinterpret_cast<NONCLIENTMETRICSW*>(buffer);
  metrics->cbSize = kOldSize;
  if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, kOldSize, metrics, 0)) return nullptr;
  return CreateFontIndirectW(&(metrics->*which));
}

}  // namespace platform
