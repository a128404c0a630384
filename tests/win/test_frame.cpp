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

// A top-level window of the host's, at 120,90 - 820,610.
struct HostWindow : CWnd {
  HostWindow() {
    m_hWnd = CreateWindowExA(0, "STATIC", "host", WS_POPUP | WS_VISIBLE, 120, 90, 700, 520, nullptr, nullptr, nullptr, nullptr);
  }
  ~HostWindow() override { ::DestroyWindow(std::exchange(m_hWnd, nullptr)); }
};

enum class Throws { Never, InInit, OnOK, InNestedDialog };

// A dialog that moves itself to `m_place` while it initialises, unless that
// is 0,0, and throws where it is told to.
class CTestDialog : public CDialog {
 public:
  CTestDialog(CWnd* pOwner, POINT place, Throws where = Throws::Never)
      : CDialog(IDD_TEST_TRAIL_5C, pOwner), m_place(place), m_where(where) {}
  BOOL OnInitDialog() override {
    if (m_where == Throws::InInit) throw std::bad_alloc();
    if (m_place.x || m_place.y) ::SetWindowPos(m_hWnd, nullptr, m_place.x, m_place.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    return CDialog::OnInitDialog();
  }
  void OnOK() override {
    if (m_where == Throws::OnOK) throw std::bad_alloc();
    if (m_where == Throws::InNestedDialog) m_nInnerResult = CTestDialog(nullptr, {}, Throws::OnOK).DoModal();
    CDialog::OnOK();
  }
  POINT m_place;
  Throws m_where;
  INT_PTR m_nInnerResult = 0;
};

}  // namespace

// Centred over the owner, or the work area without one, unless it placed
// itself. Destroyed with its owner, or told to quit, the loop ends as Cancel
// and the quit message goes on to the host's loop; the owner is usable again.
// (The caption the user waits for has trail bytes 0x5C.) A missing template
// fails.
TEST(Dialog, OpensCentredAndEndsAsCancelWhenDestroyedFromOutsideOrAskedToQuit) {
  AFX_MAINTAIN_STATE2 frame(AfxGetStaticModuleState());
  RECT work;
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  enum End { kCancel, kOwnerGone, kQuit };
  const struct { bool owned; POINT place, expected; End end; } cases[] = {
      {true, {0, 0}, {470, 350}, kCancel},
      {false, {0, 0}, {(work.left + work.right) / 2, (work.top + work.bottom) / 2}, kCancel},
      {true, {10, 20}, {10, 20}, kCancel},  // its top-left corner
      {true, {0, 0}, {}, kOwnerGone},
      {true, {0, 0}, {}, kQuit}};
  for (const auto& c : cases) {
    SCOPED_TRACE(&c - cases);
    HostWindow host;
    CWnd none;
    CTestDialog dlg(c.owned ? &host : &none, c.place);
    RECT r{};
    test::ScriptedUser user;
    user.On(u8"表示ソフト", [&](test::Window& w) {
      GetWindowRect(w.hwnd, &r);
      if (c.end == kQuit) PostQuitMessage(7);
      else if (c.end == kOwnerGone) ::DestroyWindow(std::exchange(host.m_hWnd, nullptr));
      else w.Click(IDCANCEL);
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    user.Verify();
    MSG msg{};
    EXPECT_EQ(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) ? int(msg.wParam) : -1, c.end == kQuit ? 7 : -1);
    EXPECT_TRUE(!host.m_hWnd || IsWindowEnabled(host.m_hWnd));
    if (c.end != kCancel) continue;
    const POINT at = c.place.x ? POINT{r.left, r.top} : POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    EXPECT_NEAR(at.x, c.expected.x, 1);
    EXPECT_NEAR(at.y, c.expected.y, 1);
  }
  EXPECT_EQ(CDialog(9999).DoModal(), -1);  // no such template
}

// A handler that throws ends its dialog with -1 and the call with the
// export's failure result; the host lives on in its own module state, and
// the next call runs normally.
TEST(HandlerFault, EndsTheDialogAndFailsTheCallWithoutEndingTheProcess) {
  auto run = [](Throws where, int clicks) {
    test::ScriptedUser user;
    for (int i = 0; i < clicks; ++i) user.On(u8"表示ソフト", [](test::Window& w) { w.Click(IDOK); });
    INT_PTR inner = 0;
    const int result = vtk::LibraryCall(0, [&] {
      CTestDialog dlg(nullptr, {}, where);
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
