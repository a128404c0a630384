// The host's function-key record. It crosses the library boundary, so its
// layout is fixed: 48 bytes, little-endian, the window handle 32 bits wide
// at offset 0 in the 32-bit and in the 64-bit build alike.
#pragma once
#include <cstddef>
#include <cstdint>

constexpr int kFuncSlots = 6;
constexpr std::uint16_t NO_KEY = 0xFFFF;

struct FUNCKEYINFO {
  std::uint32_t hWnd;                  // receives WM_HOTKEY; 0 = none
  std::int32_t bAlt;                   // nonzero: hot keys with MOD_ALT
  std::uint16_t wKey[kFuncSlots];      // virtual-key code of each slot
  std::uint32_t idHotKey[kFuncSlots];  // hot-key id of each slot
  std::uint32_t dwReserved;
};

static_assert(sizeof(FUNCKEYINFO) == 48);
static_assert(offsetof(FUNCKEYINFO, hWnd) == 0);
static_assert(offsetof(FUNCKEYINFO, bAlt) == 4);
static_assert(offsetof(FUNCKEYINFO, wKey) == 8);
static_assert(offsetof(FUNCKEYINFO, idHotKey) == 20);
static_assert(offsetof(FUNCKEYINFO, dwReserved) == 44);
