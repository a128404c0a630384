#include "host/scripted.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace host {

namespace {

UINT_PTR g_timer = 0;
HWND g_seen = nullptr;
ULONGLONG g_seenAt = 0;
int g_shot = 0;

// Long enough for the window to be drawn and for the screen to show it.
constexpr ULONGLONG kSettle = 400;

BOOL CALLBACK FindDialog(HWND hwnd, LPARAM found) {
  char cls[16] = {};
  GetClassNameA(hwnd, cls, sizeof cls);
  if (std::string(cls) == "#32770" && IsWindowVisible(hwnd) && IsWindowEnabled(hwnd)) {
    *reinterpret_cast<HWND*>(found) = hwnd;
    return FALSE;
  }
  return TRUE;
}

void AskForPicture(HWND dialog) {
  const char* folder = std::getenv("VTKHOST_SHOTS");
  if (!folder || !*folder) return;
  RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
  RECT r;
  GetWindowRect(dialog, &r);
  char path[MAX_PATH];
  std::snprintf(path, sizeof path, "%s\\%02d.req", folder, ++g_shot);
  FILE* f = std::fopen(path, "w");
  if (!f) return;
  std::fprintf(f, "%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
  std::fclose(f);
  for (int i = 0; i < 200 && GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES; ++i) Sleep(50);
}

void CALLBACK OnTick(HWND, UINT, UINT_PTR, DWORD) {
  HWND dialog = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&dialog));
  if (!dialog) return;
  if (dialog != g_seen) {
    g_seen = dialog;
    g_seenAt = GetTickCount64();
    return;
  }
  if (GetTickCount64() - g_seenAt < kSettle) return;
  g_seen = nullptr;
  AskForPicture(dialog);
  // OK, or Start in the confirmation: the default button has the id IDOK.
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
}

}  // namespace

void StartScriptedUserIfAsked() {
  const char* script = std::getenv("VTKHOST_SCRIPT");
  if (g_timer || !script || std::string(script) != "1") return;
  g_timer = SetTimer(nullptr, 0, 100, OnTick);
}

}  // namespace host
