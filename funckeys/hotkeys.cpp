#include "funckeys/hotkeys.h"

#include <windows.h>

#include <cstdint>
#include <cstring>

#include "core/funckeys.h"

FUNCKEYINFO g_funcKeyRecord = {0, 0, {0, 0, 0, 0, 0, 0}, {2000, 2001, 2002, 2004, 2005, 2006}, 0};

namespace {
// The record keeps the window as 32 bits; a 64-bit handle is the sign
// extension of its low half, as the system hands handles to 32-bit code.
HWND RecordWindow(const FUNCKEYINFO& info) {
  return reinterpret_cast<HWND>(static_cast<intptr_t>(static_cast<std::int32_t>(info.hWnd)));
}

int RegisterRecordHotKeys(const FUNCKEYINFO* pInfo) {
  if (!pInfo) return 0;
  std::memcpy(&g_funcKeyRecord, pInfo, sizeof g_funcKeyRecord);
  HWND hWnd = RecordWindow(g_funcKeyRecord);
  if (!hWnd) return 0;
  const UINT modifier = vtk::HotKeyModifier(g_funcKeyRecord.bAlt);
  // A refusal (key taken elsewhere, id already in use on the window) is not
  // reported: the host learns nothing more from it than from success.
  for (int slot = 0; slot < vtk::kHotKeySlots; ++slot) {
    if (g_funcKeyRecord.wKey[slot] == 0) continue;
    ::RegisterHotKey(hWnd, static_cast<int>(g_funcKeyRecord.idHotKey[slot]), modifier, g_funcKeyRecord.wKey[slot]);
  }
  return 1;
}

int ReleaseRecordHotKeys() {
  HWND hWnd = RecordWindow(g_funcKeyRecord);
  if (!hWnd) return 0;
  for (int slot = 0; slot < vtk::kHotKeySlots; ++slot) {
    if (g_funcKeyRecord.wKey[slot] == 0) continue;
    ::UnregisterHotKey(hWnd, static_cast<int>(g_funcKeyRecord.idHotKey[slot]));
  }
  return 1;
}
}  // namespace

int HookFunctionKeys(int nMode, FUNCKEYINFO* pInfo) {
  return nMode == 1 ? RegisterRecordHotKeys(pInfo) : ReleaseRecordHotKeys();
}
