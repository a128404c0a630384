// The function-key exports. The host keeps its record on the command line:
// six key codes (decimal or 0x..) in slot order REW FF PLAY_STOP VOLUME SPEED
// DISABLE; the record after the call is printed, as a host would store it.
#include <cstdint>

#include "host/hostcommands.h"
#include "vtksup.h"

namespace {

const char* const kSlotNames[VTKSUP_FUNC_SLOTS] = {"REW", "FF", "PLAY_STOP", "VOLUME", "SPEED", "DISABLE"};

FUNCKEYINFO DefaultRecord() {
  return FUNCKEYINFO{0, 0, {0x71, 0x72, 0x73, 0x75, 0x76, 0x77}, {2000, 2001, 2002, 2004, 2005, 2006}, 0};
}

// Keys from args[first...]; missing ones keep the defaults.
FUNCKEYINFO RecordFrom(const host::Args& args, std::size_t first) {
  FUNCKEYINFO info = DefaultRecord();
  for (std::size_t i = first; i < args.size() && i - first < VTKSUP_FUNC_SLOTS; ++i)
    info.wKey[i - first] = static_cast<std::uint16_t>(host::ToInt(args[i]));
  return info;
}

void PrintKeys(const FUNCKEYINFO& info) {
  for (int slot = 0; slot < VTKSUP_FUNC_SLOTS; ++slot) host::Print(std::string("key.") + kSlotNames[slot], info.wKey[slot]);
}

template <class Fn>
int RunAssign(HMODULE dll, const char* name, const host::Args& args) {
  auto fn = host::ExportAs<Fn>(dll, name);
  if (!args.empty() && args[0] == "null") {
    host::Print("result", fn(nullptr));
    return 0;
  }
  FUNCKEYINFO info = RecordFrom(args, 0);
  host::Print("result", fn(&info));
  PrintKeys(info);
  return 0;
}

int RunFuncKeyAssign(HMODULE dll, const host::Args& args) {
  return RunAssign<PFN_FuncKeyAssign>(dll, "FuncKeyAssign", args);
}
int RunFuncKeyAssignJ(HMODULE dll, const host::Args& args) {
  return RunAssign<PFN_FuncKeyAssignJ>(dll, "FuncKeyAssignJ", args);
}

// Whether (modifier, key) is taken: registering it again must fail.
bool Held(HWND hWnd, UINT modifier, UINT vk) {
  constexpr int kProbeId = 0xB000;
  if (RegisterHotKey(hWnd, kProbeId, modifier, vk)) {
    UnregisterHotKey(hWnd, kProbeId);
    return false;
  }
  return true;
}

// FuncKeyHook ALT [KEYS...] [--wait MS]: registers on a window of the host,
// reports what is held, waits for hot keys, then releases.
int RunFuncKeyHook(HMODULE dll, const host::Args& argsIn) {
  if (argsIn.empty()) return 2;
  host::Args args = argsIn;
  int waitMs = 0;
  if (args.size() >= 2 && args[args.size() - 2] == "--wait") {
    waitMs = host::ToInt(args.back());
    args.resize(args.size() - 2);
  }
  auto hook = host::ExportAs<PFN_FuncKeyHook>(dll, "FuncKeyHook");
  HWND hWnd = CreateWindowExA(0, "STATIC", "vtkhost", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  FUNCKEYINFO info = RecordFrom(args, 1);
  info.bAlt = host::ToInt(args[0]);
  info.hWnd = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(hWnd));
  host::Print("register", hook(1, &info));
  const UINT modifier = info.bAlt ? MOD_ALT : 0;
  for (int slot = 0; slot < VTKSUP_FUNC_SLOTS; ++slot)
    host::Print(std::string("held.") + kSlotNames[slot], Held(hWnd, modifier, info.wKey[slot]) ? 1 : 0);
  const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(waitMs);
  MSG msg;
  while (GetTickCount64() < deadline) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_HOTKEY) host::Print("hotkey", static_cast<long long>(msg.wParam));
      DispatchMessageA(&msg);
    }
  }
  host::Print("release", hook(0, nullptr));
  DestroyWindow(hWnd);
  return 0;
}

host::Registration regAssign({"FuncKeyAssign", "[null | KEY...]  (six codes, REW..DISABLE)", RunFuncKeyAssign});
host::Registration regAssignJ({"FuncKeyAssignJ", "[null | KEY...]", RunFuncKeyAssignJ});
host::Registration regHook({"FuncKeyHook", "ALT [KEY...] [--wait MS]", RunFuncKeyHook});

}  // namespace
