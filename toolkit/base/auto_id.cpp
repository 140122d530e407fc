#include "toolkit/base/auto_id.h"

#include <algorithm>
#include <vector>

namespace lumora {
namespace {

uint16_t g_next_auto_id = 65535;

std::vector<AutoIdUser>& Users() {
  static std::vector<AutoIdUser> users;
  return users;
}

bool UsedByAny(int32_t id) {
  return std::any_of(Users().begin(), Users().end(), [id](AutoIdUser user) { return user(id); });
}

}  // namespace

void RegisterAutoIdUser(AutoIdUser in_use) {
  std::vector<AutoIdUser>& users = Users();
  if (in_use && std::find(users.begin(), users.end(), in_use) == users.end()) users.push_back(in_use);
}

int32_t TakeAutoId(const std::function<bool(int32_t)>& in_use) {
  for (int tries = 0; tries < 65536; ++tries) {
    --g_next_auto_id;
    const int32_t id = g_next_auto_id;
    // 0 means failure to every caller, so it is never handed out.
    if (id != 0 && !(in_use && in_use(id)) && !UsedByAny(id)) return id;
  }
  return 0;
}

void ResetAutoIdForTesting() { g_next_auto_id = 65535; }

}  // namespace lumora
