// vtkhost as the real host: FuncKeyAssign run from its command line shows
// vtkhost's own template 130 and texts. The dialog lives in the child
// process; this test finds it and acts on it with window messages.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "res/ids_funckeys.h"
#include "support/registry.h"
#include "support/text.h"

namespace {

const char kTavorin[] = "Software\\Tavorin";
const std::string kSettings2002 = "Software\\Tavorin\\Scribovox2002\\Dictation Module\\Download\\AnotherSetting";
constexpr int kVtkhostMarker = 1099;

std::string Text(HWND hWnd) {
  char buf[512] = {};
  SendMessageTimeoutA(hWnd, WM_GETTEXT, sizeof buf, reinterpret_cast<LPARAM>(buf), SMTO_ABORTIFHUNG, 5000, nullptr);
  return buf;
}

// Polls until `ready` holds or 20 s have passed.
template <class Pred>
bool WaitFor(Pred ready) {
  for (const ULONGLONG deadline = GetTickCount64() + 20000; !ready(); Sleep(20))
    if (GetTickCount64() > deadline) return false;
  return true;
}

}  // namespace

TEST(Vtkhost, FuncKeyAssignShowsTheHostsOwnTemplate) {
  test::DeleteTree(HKEY_CURRENT_USER, kTavorin);
  test::DeleteTree(HKEY_LOCAL_MACHINE, kTavorin);
  char out[MAX_PATH] = {};
  GetTempFileNameA(".", "vtk", 0, out);
  SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
  HANDLE hOut = CreateFileA(out, GENERIC_WRITE, FILE_SHARE_READ, &sa, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(hOut, INVALID_HANDLE_VALUE);
  STARTUPINFOA si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdOutput = si.hStdError = hOut;
  PROCESS_INFORMATION pi{};
  char cmd[] = "vtkhost.exe FuncKeyAssign 0x71 0x72 0x73 0x75 0x76 0x77";
  ASSERT_TRUE(CreateProcessA(nullptr, cmd, nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi));
  CloseHandle(hOut);

  // The child's visible dialog.
  std::pair<DWORD, HWND> search{pi.dwProcessId, nullptr};
  auto find = [](HWND hWnd, LPARAM lParam) CALLBACK -> BOOL {
    auto* s = reinterpret_cast<std::pair<DWORD, HWND>*>(lParam);
    DWORD pid = 0;
    char cls[32] = {};
    GetWindowThreadProcessId(hWnd, &pid);
    GetClassNameA(hWnd, cls, sizeof cls);
    if (pid == s->first && IsWindowVisible(hWnd) && std::string(cls) == "#32770") s->second = hWnd;
    return s->second == nullptr;
  };
  const bool shown = WaitFor([&] {
    EnumWindows(find, reinterpret_cast<LPARAM>(&search));
    return search.second != nullptr;
  });
  HWND dlg = search.second;
  std::string caption, marker, capture, current;
  if (shown) {
    caption = Text(dlg);
    marker = Text(GetDlgItem(dlg, kVtkhostMarker));
    // F6 released in the dialog with REW chosen; VOLUME loses it.
    PostMessageA(dlg, WM_KEYUP, VK_F6, static_cast<LPARAM>(0xC0000001u | (MapVirtualKeyA(VK_F6, 0) << 16)));
    WaitFor([&] { return Text(GetDlgItem(dlg, IDC_FK_CAPTURE)) == "F6"; });
    capture = Text(GetDlgItem(dlg, IDC_FK_CAPTURE));
    SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDC_FK_ASSIGN, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dlg, IDC_FK_ASSIGN)));
    current = Text(GetDlgItem(dlg, IDC_FK_CURRENT));
    PostMessageA(dlg, WM_SYSCOMMAND, SC_CLOSE, 0);
  }
  const bool ended = WaitForSingleObject(pi.hProcess, 20000) == WAIT_OBJECT_0;
  if (!ended) TerminateProcess(pi.hProcess, 1);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  std::stringstream printed;
  printed << std::ifstream(out).rdbuf();
  DeleteFileA(out);

  ASSERT_TRUE(shown);
  EXPECT_TRUE(ended);
  EXPECT_EQ(caption, test::Sjis(u8"ﾌｧﾝｸｼｮﾝｷｰの設定"));
  EXPECT_EQ(marker, "vtkhost template 130");
  EXPECT_EQ(capture, "F6");
  EXPECT_EQ(current, "F6");
  const std::string lines = printed.str();
  for (const char* line : {"result=1", "key.REW=117", "key.VOLUME=65535"})
    EXPECT_NE(lines.find(line), std::string::npos) << line << "\n" << lines;
  EXPECT_EQ(test::ReadDword(HKEY_CURRENT_USER, kSettings2002, "FUNCTION_KEY_REW"), 117u);
  test::DeleteTree(HKEY_CURRENT_USER, kTavorin);
}
