// The library frame: module state and call frame, the process-wide state at
// load, and resources under code page 932.
#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>
#include <tuple>
#include <vector>

#include "frame/callframe.h"
#include "frame/globals.h"
#include "framework/dialog.h"
#include "framework/modulestate.h"
#include "res/ids_download.h"
#include "support/scripted_user.h"
#include "support/test_ids.h"

// windres must keep a double-byte character whose trail byte is 0x5C, and the
// texts come back as CP932 bytes.
TEST(Resources, StringsComeBackAsCp932BytesWithTheirTrailBytes5C) {
  AFX_MAINTAIN_STATE2 frame(AfxGetStaticModuleState());
  EXPECT_EQ(LoadResString(IDS_DNLOAD_CAPTION), "\xC0\xDE\xB3\xDD\xDB\xB0\xC4\xDE");  // ﾀﾞｳﾝﾛｰﾄﾞ
  EXPECT_EQ(LoadResString(IDS_TEST_TRAIL_5C), "\x95\x5C\x83\x5C\x94\x5C\\" + LoadResString(IDS_DNLOAD_CAPTION));
  EXPECT_EQ(LoadResString(29999), "");
}

// The library's state is current inside a call and the caller's again after
// it, after a fault too; nested frames unwind in order.
TEST(CallFrame, MakesTheLibraryStateCurrentAndRestoresItOnEveryWayOut) {
  AFX_MODULE_STATE *const app = AfxGetAppModuleState(), *const library = AfxGetStaticModuleState();
  std::vector<AFX_MODULE_STATE*> seen;
  auto note = [&] { seen.push_back(AfxGetModuleState()); return 7; };
  note();
  EXPECT_EQ(vtk::LibraryCall(0, note), 7);
  note();
  EXPECT_EQ(vtk::LibraryCall(-1, []() -> int { throw std::runtime_error("fault"); }), -1);
  note();
  vtk::LibraryCall(0, [&] { vtk::RunInFrame(app, 0, note); return note(); });
  note();
  EXPECT_EQ(seen, (std::vector{app, library, app, app, app, library, app}));
}

TEST(CallFrame, ASecondDialogCallWhileOneIsOpenIsRefused) {
  int innerRan = 0;
  EXPECT_EQ(vtk::DialogCall(AfxGetStaticModuleState(), 0, [&] {
              return 10 + vtk::DialogCall(AfxGetStaticModuleState(), 0, [&] { innerRan = 1; return 5; });
            }), 10);
  EXPECT_EQ(innerRan, 0);
  EXPECT_EQ(vtk::DialogCall(AfxGetStaticModuleState(), 0, [] { return 5; }), 5);
}

TEST(ProcessState, LoadTimeValues) {
  const FUNCKEYINFO expected{0, 0, {}, {2000, 2001, 2002, 2004, 2005, 2006}, 0};
  EXPECT_EQ(std::memcmp(&g_funcKeyRecord, &expected, sizeof expected), 0);
  EXPECT_EQ(std::tuple(g_szCardDrive[0][0], g_bRemovableDrive, g_pRecorderNewFolder), std::tuple('\0', 0, nullptr));
}

// The framework's data exchange, command tables, message boxes, reflection,
// end codes and key messages before IsDialogMessage are seen through the
// library's own dialogs in their tests.
TEST(Dialog, EscapeCancelsAndACaptionWithTrailByte5CIsIntactAndAMissingTemplateFails) {
  AFX_MAINTAIN_STATE2 frame(AfxGetStaticModuleState());
  CDialog dlg(IDD_TEST_TRAIL_5C);
  test::ScriptedUser user;
  user.On("", [&](test::Window& w) {
    EXPECT_EQ(w.Caption(), "\x95\x5C\x8E\xA6\x83\x5C\x83\x74\x83\x67");
    SendMessageA(w.hwnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  });
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  EXPECT_TRUE(user.Clean()) << user.Report();
  EXPECT_EQ(CDialog(4242).DoModal(), -1);
}
