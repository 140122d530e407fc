#include "toolkit/bars/auto_id.h"

namespace lumora {
namespace {

uint16_t g_next_auto_id = 65535;

}  // namespace

int32_t TakeAutoId(const std::function<bool(int32_t)>& in_use) {
  for (int tries = 0; tries < 65536; ++tries) {
    --g_next_auto_id;
    const int32_t id = g_next_auto_id;
    // 0 means failure to every caller, so it is never handed out.
    if (id != 0 && !(in_use && in_use(id))) return id;
  }
  return 0;
}

void ResetAutoIdForTesting() { g_next_auto_id = 65535; }

}  // namespace lumora
