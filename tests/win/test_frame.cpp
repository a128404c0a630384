// The library frame: module state and call frame, resources under code page
// 932, the dialog framework driven by the scripted user, and the DLL's exports.
#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <thread>
#include <utility>

#include "frame/callframe.h"
#include "frame/globals.h"
#include "framework/controls.h"
#include "framework/ddx.h"
#include "framework/dialog.h"
#include "framework/modulestate.h"
#include "framework/msgbox.h"
#include "res/ids_download.h"
#include "support/scripted_user.h"
#include "support/test_ids.h"
#include "support/text.h"
#include "vtksup.h"

using test::Sjis;

TEST(Resources, ProcessRunsWithCodePage932) { EXPECT_EQ(GetACP(), 932u); }

TEST(Resources, StringsComeBackAsCp932Bytes) {
  AFX_MAINTAIN_STATE2 frame(AfxGetStaticModuleState());
  EXPECT_EQ(LoadResString(IDS_DNLOAD_CAPTION), Sjis(u8"ﾀﾞｳﾝﾛｰﾄﾞ"));
  EXPECT_EQ(LoadResString(IDS_DNLOAD_CAPTION), "\xC0\xDE\xB3\xDD\xDB\xB0\xC4\xDE");
  EXPECT_EQ(LoadResString(IDS_DNLOAD_COUNT), Sjis(u8"%i 個のﾌｧｲﾙがﾀﾞｳﾝﾛｰﾄﾞされました。"));
  // Double-byte characters whose trail byte is 0x5C survive windres intact.
  EXPECT_EQ(LoadResString(IDS_TEST_TRAIL_5C), Sjis(u8"表ソ能\\ﾀﾞｳﾝﾛｰﾄﾞ"));
  EXPECT_EQ(LoadResString(IDS_TEST_TRAIL_5C).substr(0, 6), "\x95\x5C\x83\x5C\x94\x5C");
  EXPECT_EQ(LoadResString(29999), "");
}

TEST(CallFrame, MakesTheLibraryStateCurrentAndRestoresItOnEveryWayOut) {
  AFX_MODULE_STATE* outer = AfxGetModuleState();
  ASSERT_EQ(outer, AfxGetAppModuleState());
  AFX_MODULE_STATE* inside = nullptr;
  EXPECT_EQ(vtk::LibraryCall(0, [&] { inside = AfxGetModuleState(); return 7; }), 7);
  EXPECT_EQ(inside, AfxGetStaticModuleState());
  EXPECT_EQ(AfxGetModuleState(), outer);

  EXPECT_EQ(vtk::LibraryCall(-1, []() -> int { throw std::runtime_error("fault"); }), -1);
  EXPECT_EQ(AfxGetModuleState(), outer);

  // Nested frames unwind in order.
  vtk::LibraryCall(0, [&] {
    vtk::RunInFrame(AfxGetAppModuleState(), 0, [&] { inside = AfxGetModuleState(); return 0; });
    EXPECT_EQ(AfxGetModuleState(), AfxGetStaticModuleState());
    return 0;
  });
  EXPECT_EQ(inside, AfxGetAppModuleState());
  EXPECT_EQ(AfxGetModuleState(), outer);
}

TEST(CallFrame, ASecondDialogCallWhileOneIsOpenIsRefused) {
  int innerRan = 0;
  std::atomic<int> otherThread{-1};
  const int outer = vtk::DialogCall(AfxGetStaticModuleState(), 0, [&] {
    std::thread([&] { otherThread = vtk::DialogCall(AfxGetStaticModuleState(), 0, [&] { innerRan = 2; return 5; }); }).join();
    return 10 + vtk::DialogCall(AfxGetStaticModuleState(), 0, [&] { innerRan = 1; return 5; });
  });
  EXPECT_EQ(outer, 10);
  EXPECT_EQ(otherThread, 0);
  EXPECT_EQ(innerRan, 0);
  EXPECT_EQ(vtk::DialogCall(AfxGetStaticModuleState(), 0, [] { return 5; }), 5);
}

TEST(ProcessState, LoadTimeValues) {
  EXPECT_EQ(g_funcKeyRecord.hWnd, 0u);
  EXPECT_EQ(g_funcKeyRecord.bAlt, 0);
  for (int i = 0; i < kFuncSlots; ++i) EXPECT_EQ(g_funcKeyRecord.wKey[i], 0);
  const std::uint32_t ids[kFuncSlots] = {2000, 2001, 2002, 2004, 2005, 2006};
  for (int i = 0; i < kFuncSlots; ++i) EXPECT_EQ(g_funcKeyRecord.idHotKey[i], ids[i]);
  EXPECT_EQ(g_funcKeyRecord.dwReserved, 0u);
  EXPECT_EQ(g_szCardDrive[0][0], 0);
  EXPECT_EQ(g_bRemovableDrive, 0);
  EXPECT_EQ(g_pRecorderNewFolder, nullptr);
  EXPECT_NE(AfxGetStaticModuleState()->m_pCurrentWinApp, nullptr);
  EXPECT_EQ(AfxGetStaticModuleState()->m_hCurrentResourceHandle, GetModuleHandleA(nullptr));
}

namespace {

// An edit whose reflected control-colour message answers with its own brush.
class CColouredEdit : public CEdit {
 public:
  HBRUSH m_brush = CreateSolidBrush(RGB(255, 255, 255));
  ~CColouredEdit() override { DeleteObject(m_brush); }
  HBRUSH CtlColor(HDC, UINT) override { return m_brush; }
};

// A dialog on the card confirmation template with data exchange, a command
// table, a message box and key messages seen before IsDialogMessage.
class CProbeDialog : public CDialog {
 public:
  CProbeDialog() : CDialog(IDD_DNLOAD_CONDITION) {}
  std::string m_strFolder;
  CColouredEdit m_edFolder;
  int m_nKeyUps = 0;
  int m_nChanges = 0;
  int m_nBoxAnswer = 0;

  void DoDataExchange(CDataExchange* pDX) override {
    DDX_Control(pDX, IDC_DN_FOLDER, m_edFolder);
    DDX_Text(pDX, IDC_DN_FOLDER, m_strFolder);
  }
  BOOL OnInitDialog() override {
    CDialog::OnInitDialog();
    m_edFolder.SetReadOnly(FALSE);
    SetDlgItemText(IDC_DN_METHOD_TEXT, LoadResString(IDS_METHOD_SAVE));
    return TRUE;
  }
  BOOL PreTranslateMessage(MSG* pMsg) override {
    if (pMsg->message == WM_KEYUP && pMsg->wParam == VK_F6) {
      ++m_nKeyUps;
      return TRUE;
    }
    return CDialog::PreTranslateMessage(pMsg);
  }
  BOOL OnCmdMsg(UINT nID, UINT nCode) override { return DispatchCommand(this, kCommands, nID, nCode); }
  void OnChange() {
    if (++m_nChanges == 2) EndDialog(1038);
  }
  void OnBrowse() { m_nBoxAnswer = MessageBox(LoadResString(IDS_DNLOAD_DELETE_QUESTION), LoadResString(IDS_DNLOAD_CAPTION), MB_OKCANCEL | MB_ICONQUESTION); }
  static constexpr CommandEntry<CProbeDialog> kCommands[] = {
      {BN_CLICKED, IDC_DN_CHANGE, &CProbeDialog::OnChange},
      {BN_CLICKED, IDC_DN_BROWSE, &CProbeDialog::OnBrowse},
  };
};

}  // namespace

TEST(Dialog, ScriptedUserReadsTypesAnswersABoxAndEndsWithOK) {
  AFX_MAINTAIN_STATE2 frame(AfxGetStaticModuleState());
  CProbeDialog dlg;
  dlg.m_strFolder = "D:\\Dictation";
  std::string caption, shown, method;
  HBRUSH reflected = nullptr;
  std::vector<std::tuple<std::string, std::string, UINT>> boxes;
  vtk::SetMessageBoxObserverForTesting([&](HWND, const std::string& t, const std::string& c, UINT s) { boxes.emplace_back(t, c, s); });
  test::ScriptedUser user;
  user.On(u8"ﾀﾞｳﾝﾛｰﾄﾞ方法の確認", [&](test::Window& w) {
        caption = w.Caption();
        shown = w.ItemText(IDC_DN_FOLDER);
        method = w.ItemText(IDC_DN_METHOD_TEXT);
        HDC dc = GetDC(w.Item(IDC_DN_FOLDER));
        reflected = reinterpret_cast<HBRUSH>(SendMessageA(w.hwnd, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                                                          reinterpret_cast<LPARAM>(w.Item(IDC_DN_FOLDER))));
        ReleaseDC(w.Item(IDC_DN_FOLDER), dc);
        w.SetItemText(IDC_DN_FOLDER, Sjis(u8"D:\\表\\録音"));
        w.Click(IDC_DN_BROWSE);
      })
      .Answer(Sjis(u8"ﾀﾞｳﾝﾛｰﾄﾞ"), IDCANCEL, Sjis(u8"ﾀﾞｳﾝﾛｰﾄﾞしたﾌｧｲﾙをﾐﾆﾁｭｱ ｶｰﾄﾞから削除してもよろしいですか？"))
      .On(u8"ﾀﾞｳﾝﾛｰﾄﾞ方法の確認", [](test::Window& w) { w.Click(IDOK); });
  const INT_PTR result = dlg.DoModal();
  vtk::SetMessageBoxObserverForTesting(nullptr);

  user.Verify();
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(caption, Sjis(u8"ﾀﾞｳﾝﾛｰﾄﾞ方法の確認"));
  EXPECT_EQ(shown, "D:\\Dictation");
  EXPECT_EQ(method, Sjis(u8"ﾀﾞｳﾝﾛｰﾄﾞ先ﾌｫﾙﾀﾞｰに保存"));
  EXPECT_EQ(reflected, dlg.m_edFolder.m_brush);
  EXPECT_EQ(dlg.m_nBoxAnswer, IDCANCEL);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(std::get<2>(boxes[0]), UINT(MB_OKCANCEL | MB_ICONQUESTION));
  // OK took the typed text into the member; the window is gone.
  EXPECT_EQ(dlg.m_strFolder, Sjis(u8"D:\\表\\録音"));
  EXPECT_EQ(dlg.m_hWnd, nullptr);
}

TEST(Dialog, EndsWithAnyCodeAndSeesKeysBeforeIsDialogMessage) {
  AFX_MAINTAIN_STATE2 frame(AfxGetStaticModuleState());
  CProbeDialog dlg;
  test::ScriptedUser user;
  user.On(u8"ﾀﾞｳﾝﾛｰﾄﾞ方法の確認", [](test::Window& w) {
        w.PostKeyUp(VK_F6);
        w.Click(IDC_DN_CHANGE);
      })
      .On(u8"ﾀﾞｳﾝﾛｰﾄﾞ方法の確認", [](test::Window& w) { w.Click(IDC_DN_CHANGE); },
          [&](test::Window&) { return dlg.m_nKeyUps == 1; });
  EXPECT_EQ(dlg.DoModal(), 1038);
  user.Verify();
  EXPECT_EQ(dlg.m_nChanges, 2);
}

TEST(Dialog, EscapeCancelsAndACaptionWithTrailByte5CIsIntact) {
  AFX_MAINTAIN_STATE2 frame(AfxGetStaticModuleState());
  CDialog dlg(IDD_TEST_TRAIL_5C);
  std::string caption, label;
  test::ScriptedUser user;
  user.On(u8"表示ソフト", [&](test::Window& w) {
    caption = w.Caption();
    label = w.ItemText(100);
    SendMessageA(w.hwnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  });
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  user.Verify();
  EXPECT_EQ(caption, "\x95\x5C\x8E\xA6\x83\x5C\x83\x74\x83\x67");
  EXPECT_EQ(label, Sjis(u8"構造表"));
}

namespace {

// A top-level window of the host's, at 120,90 - 820,610.
struct HostWindow : CWnd {
  HostWindow() {
    m_hWnd = CreateWindowExA(0, "STATIC", "host", WS_POPUP | WS_VISIBLE, 120, 90, 700, 520, nullptr, nullptr, nullptr, nullptr);
  }
  ~HostWindow() override { ::DestroyWindow(std::exchange(m_hWnd, nullptr)); }
};

// A dialog that moves itself to `m_place` while it initialises, unless that is
// 0,0, and does `m_step` once it runs.
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

TEST(Dialog, MissingTemplateFailsWithoutAWindow) {
  AFX_MAINTAIN_STATE2 frame(AfxGetStaticModuleState());
  CDialog dlg(4242);
  EXPECT_EQ(dlg.DoModal(), -1);
}

namespace {
struct Dll {
  HMODULE h = LoadLibraryA("VTKSUP.dll");
  ~Dll() {
    if (h) FreeLibrary(h);
  }
  template <class Fn>
  Fn Get(const char* name) const {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(h, name)));
  }
};
}  // namespace

TEST(Exports, TheDllLoadsAndExportsAll24Names) {
  Dll dll;
  ASSERT_NE(dll.h, nullptr) << GetLastError();
  const char* names[] = {"DnLoadOptions", "DnLoadCondition", "GetMiniCardDrive", "QX270DnLoadOption",
                         "QX270DnLoadCondition", "GetDnLoadNewFolderPath", "FuncKeyHook", "FuncKeyAssign",
                         "FuncKeyAssignJ", "WavePlayFile", "WavePlayFrom", "WaveRewind", "WaveFastForward",
                         "WavePause", "WaveStop", "WavePosition", "WavePositionString", "WaveGetLength",
                         "WaveGetLengthFile", "WaveSetVolume", "WaveSetSpeed", "WaveClose", "WaveGetDeviceID",
                         "WaveGetError"};
  for (const char* name : names) EXPECT_NE(GetProcAddress(dll.h, name), nullptr) << name;
  // The library's module state is not left current after a call.
  char a[MAX_PATH] = "D:\\", b[MAX_PATH] = "D:\\";
  dll.Get<decltype(&GetDnLoadNewFolderPath)>("GetDnLoadNewFolderPath")(0, a, b);
  EXPECT_EQ(AfxGetModuleState(), AfxGetAppModuleState());
}
