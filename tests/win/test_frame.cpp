// The library frame: module state and call frame, the process-wide state at
// load, and resources under code page 932.
#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <stdexcept>
#include <thread>
#include <tuple>
#include <utility>
#include <vector>

#include "frame/callframe.h"
#include "carddrive/cardprobe.h"
#include "funckeys/hotkeys.h"
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
  // Process-wide: another thread is refused too while one is open.
  std::atomic<int> otherThread{-1};
  vtk::DialogCall(AfxGetStaticModuleState(), 0, [&] {
    std::thread([&] { otherThread = vtk::DialogCall(AfxGetStaticModuleState(), 0, [&] { innerRan = 2; return 5; }); }).join();
    return 0;
  });
  EXPECT_EQ(otherThread, 0);
  EXPECT_EQ(innerRan, 0);
  EXPECT_EQ(vtk::DialogCall(AfxGetStaticModuleState(), 0, [] { return 5; }), 5);
}

TEST(ProcessState, LoadTimeValues) {
  const FUNCKEYINFO expected{0, 0, {}, {2000, 2001, 2002, 2004, 2005, 2006}, 0};
  EXPECT_EQ(std::memcmp(&g_funcKeyRecord, &expected, sizeof expected), 0);
  EXPECT_EQ(std::tuple(g_szCardDrive[0][0], g_bRemovableDrive), std::tuple('\0', 0));
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
  user.Verify();
  EXPECT_EQ(CDialog(4242).DoModal(), -1);
}

namespace {

// A top-level window of the host's, at 120,90 - 820,610.
struct HostWindow : CWnd {
  HostWindow() {
    m_hWnd = CreateWindowExA(0, "STATIC", "host", WS_POPUP | WS_VISIBLE, 120, 90, 700, 520, nullptr, nullptr, nullptr, nullptr);
  }
  ~HostWindow() override { ::DestroyWindow(std::exchange(m_hWnd, nullptr)); }
};

// A dialog that moves itself to `m_place` while it initialises, unless that is 0,0.
class CPlacedDialog : public CDialog {
 public:
  CPlacedDialog(CWnd* pOwner, POINT place) : CDialog(IDD_TEST_TRAIL_5C, pOwner), m_place(place) {}
  BOOL OnInitDialog() override {
    if (m_place.x || m_place.y) ::SetWindowPos(m_hWnd, nullptr, m_place.x, m_place.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    return CDialog::OnInitDialog();
  }
  POINT m_place;
};

}  // namespace

TEST(Dialog, OpensCentredOverItsOwnerOrTheScreenUnlessItPlacedItself) {
  AFX_MAINTAIN_STATE2 frame(AfxGetStaticModuleState());
  HostWindow host;
  CWnd none;
  RECT work;
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  struct Case {
    const char* what;
    CWnd* owner;
    POINT place;
    POINT expected;  // the centre, or the top-left corner for a dialog that placed itself
  };
  const Case cases[] = {{"over its owner", &host, {0, 0}, {470, 350}},
                        {"over the screen without one", &none, {0, 0}, {(work.left + work.right) / 2, (work.top + work.bottom) / 2}},
                        {"where it placed itself", &host, {10, 20}, {10, 20}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    CPlacedDialog dlg(c.owner, c.place);
    RECT r{};
    test::ScriptedUser user;
    user.On(u8"表示ソフト", [&](test::Window& w) { GetWindowRect(w.hwnd, &r); w.Click(IDCANCEL); });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    user.Verify();
    const POINT at = c.place.x ? POINT{r.left, r.top} : POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    EXPECT_NEAR(at.x, c.expected.x, 1);
    EXPECT_NEAR(at.y, c.expected.y, 1);
  }
}

// Destroyed with its owner, or told to quit: the loop ends as Cancel, the
// quit message goes on to the host's loop, and the owner is usable again.
TEST(Dialog, EndsAsCancelWhenDestroyedFromOutsideOrAskedToQuit) {
  AFX_MAINTAIN_STATE2 frame(AfxGetStaticModuleState());
  for (const bool quit : {false, true}) {
    SCOPED_TRACE(quit ? "quit" : "owner destroyed");
    HostWindow host;
    CPlacedDialog dlg(&host, {0, 0});
    test::ScriptedUser user;
    user.On(u8"表示ソフト", [&](test::Window&) {
      if (quit) PostQuitMessage(7);
      else ::DestroyWindow(std::exchange(host.m_hWnd, nullptr));
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    user.Verify();
    MSG msg{};
    EXPECT_EQ(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) ? int(msg.wParam) : -1, quit ? 7 : -1);
    if (quit) {
      EXPECT_TRUE(IsWindowEnabled(host.m_hWnd));
    }
  }
}
