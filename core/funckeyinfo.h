// The host's function-key record comes from the public header, which defines
// it in C with its layout checks; the core names its constants in C++ terms.
#pragma once
#include <cstdint>

#include "vtksup.h"

constexpr int kFuncSlots = VTKSUP_FUNC_SLOTS;
constexpr std::uint16_t NO_KEY = VTKSUP_NO_KEY;
