// The automatic ids shared by menu items, tool-bar buttons and skinned
// buttons: a 16-bit counter that counts down from 65535, so the first id
// handed out is 65534.
#pragma once
#include <cstdint>
#include <functional>

namespace lumora {

// Decrements the counter and takes its value until in_use says the id is
// free. Returns 0 when every id is taken (the counter wrapped all the way).
int32_t TakeAutoId(const std::function<bool(int32_t)>& in_use);
// For tests: the counter back to its starting value.
void ResetAutoIdForTesting();

}  // namespace lumora
