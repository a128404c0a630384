// The library frame: resources under code page 932, the guard on dialog
// calls, where dialogs open and how their loop ends, and faults in message
// handlers.
#include <gtest/gtest.h>

#include <atomic>
#include <new>
#include <thread>
#include <tuple>
#include <utility>

#include "frame/callframe.h"
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
  EXPECT_EQ(LoadResString(IDS_TEST_TRAIL_5C), "\x95\x5C\x83\x5C\x94\x5C\\" "\xC0\xDE\xB3\xDD\xDB\xB0\xC4\xDE");  // 表ソ能\ﾀﾞｳﾝﾛｰﾄﾞ
}

// While one dialog call is open a second is refused, from another thread too.
TEST(CallFrame, ASecondDialogCallWhileOneIsOpenIsRefused) {
  AFX_MODULE_STATE* const state = AfxGetStaticModuleState();
  std::atomic<int> inner{-1}, otherThread{-1};
  EXPECT_EQ(vtk::DialogCall(state, 0, [&] {
              inner = vtk::DialogCall(state, 0, [] { return 5; });
              std::thread([&] { otherThread = vtk::DialogCall(state, 0, [] { return 5; }); }).join();
              return 10;
            }), 10);
  EXPECT_EQ(std::pair(inner.load(), otherThread.load()), std::pair(0, 0));
  EXPECT_EQ(vtk::DialogCall(state, 0, [] { return 5; }), 5);
}

namespace {

// A top-level window of the host's.
struct HostWindow : CWnd {
  HostWindow() {
    m_hWnd = CreateWindowExA(0, "STATIC", "host", WS_POPUP | WS_VISIBLE, 120, 90, 700, 520, nullptr, nullptr, nullptr, nullptr);
  }
  ~HostWindow() override { ::DestroyWindow(std::exchange(m_hWnd, nullptr)); }
};

enum class Throws { Never, InInit, OnOK, InNestedDialog };

// A dialog that throws where it is told to.
class CTestDialog : public CDialog {
 public:
  explicit CTestDialog(CWnd* pOwner, Throws where = Throws::Never) : CDialog(IDD_TEST_TRAIL_5C, pOwner), m_where(where) {}
  BOOL OnInitDialog() override {
    if (m_where == Throws::InInit) throw std::bad_alloc();
    return CDialog::OnInitDialog();
  }
  void OnOK() override {
    if (m_where == Throws::OnOK) throw std::bad_alloc();
    if (m_where == Throws::InNestedDialog) m_nInnerResult = CTestDialog(nullptr, Throws::OnOK).DoModal();
    CDialog::OnOK();
  }
  Throws m_where;
  INT_PTR m_nInnerResult = 0;
};

}  // namespace

// Destroyed with its owner, or told to quit, the loop ends as Cancel and the
// quit message goes on to the host's loop; the owner is usable again. (The
// caption the user waits for has trail bytes 0x5C.) A missing template fails.
TEST(Dialog, EndsAsCancelWhenItsOwnerGoesOrItIsAskedToQuit) {
  AFX_MAINTAIN_STATE2 frame(AfxGetStaticModuleState());
  for (const bool quit : {false, true}) {
    SCOPED_TRACE(quit);
    HostWindow host;
    CTestDialog dlg(&host);
    test::ScriptedUser user;
    user.On(test::Sjis(u8"表示ソフト"), [&](test::Window&) {
      if (quit) PostQuitMessage(7);
      else ::DestroyWindow(std::exchange(host.m_hWnd, nullptr));
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    user.Verify();
    MSG msg{};
    EXPECT_EQ(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) ? int(msg.wParam) : -1, quit ? 7 : -1);
    EXPECT_TRUE(!host.m_hWnd || IsWindowEnabled(host.m_hWnd));
  }
  EXPECT_EQ(CDialog(9999).DoModal(), -1);  // no such template
}

// A handler that throws ends its dialog with -1 and the call with the
// export's failure result; the host lives on in its own module state, and
// the next call runs normally.
TEST(HandlerFault, EndsTheDialogAndFailsTheCallWithoutEndingTheProcess) {
  auto run = [](Throws where, int clicks) {
    test::ScriptedUser user;
    for (int i = 0; i < clicks; ++i) user.On(test::Sjis(u8"表示ソフト"), [](test::Window& w) { w.Click(IDOK); });
    INT_PTR inner = 0;
    const int result = vtk::LibraryCall(0, [&] {
      CTestDialog dlg(nullptr, where);
      const INT_PTR r = dlg.DoModal();
      inner = dlg.m_nInnerResult;
      return r == IDOK ? 1 : 0;
    });
    user.Verify();
    EXPECT_EQ(std::pair(test::TopDialog(), AfxGetModuleState()), std::pair(HWND(nullptr), AfxGetAppModuleState()));
    return std::pair(result, int(inner));
  };
  for (auto [where, clicks, inner] : {std::tuple{Throws::InInit, 0, 0}, {Throws::OnOK, 1, 0}, {Throws::InNestedDialog, 2, -1}}) {
    SCOPED_TRACE(clicks);
    EXPECT_EQ(run(where, clicks), std::pair(0, inner));
    EXPECT_EQ(run(Throws::Never, 1), std::pair(1, 0));  // nothing of the fault is left
  }
}
