// The automatic ids shared by menu items, tool-bar buttons and skinned
// buttons: a 16-bit counter that counts down from 65535, so the first id
// handed out is 65534.
#pragma once
#include <cstdint>
#include <functional>

namespace lumora {

// Each kind of element that holds automatic ids registers how to tell its
// own before it holds any id, so that kinds in different layers skip each
// other's ids without knowing one another. Registering twice has no effect.
using AutoIdUser = bool (*)(int32_t id);
void RegisterAutoIdUser(AutoIdUser in_use);

// Decrements the counter and takes its value until in_use and every
// registered user say the id is free. Returns 0 when every id is taken (the
// counter wrapped all the way).
int32_t TakeAutoId(const std::function<bool(int32_t)>& in_use);
// For tests: the counter back to its starting value.
void ResetAutoIdForTesting();

}  // namespace lumora
