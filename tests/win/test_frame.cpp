// The library frame: module state and call frame, resources under code page
// 932, and the dialog framework driven by the scripted user.
#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>

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

// windres must keep a double-byte character whose trail byte is 0x5C, and the
// texts come back as CP932 bytes.
TEST(Resources, StringsComeBackAsCp932BytesWithTheirTrailBytes5C) {
  AFX_MAINTAIN_STATE2 frame(AfxGetStaticModuleState());
  EXPECT_EQ(LoadResString(IDS_DNLOAD_CAPTION), "\xC0\xDE\xB3\xDD\xDB\xB0\xC4\xDE");  // ﾀﾞｳﾝﾛｰﾄﾞ
  EXPECT_EQ(LoadResString(IDS_TEST_TRAIL_5C), "\x95\x5C\x83\x5C\x94\x5C\\" + LoadResString(IDS_DNLOAD_CAPTION));
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
  EXPECT_EQ(vtk::DialogCall(AfxGetStaticModuleState(), 0, [&] {
              return 10 + vtk::DialogCall(AfxGetStaticModuleState(), 0, [&] { innerRan = 1; return 5; });
            }), 10);
  EXPECT_EQ(innerRan, 0);
  EXPECT_EQ(vtk::DialogCall(AfxGetStaticModuleState(), 0, [] { return 5; }), 5);
}

TEST(ProcessState, LoadTimeValues) {
  const FUNCKEYINFO expected{0, 0, {}, {2000, 2001, 2002, 2004, 2005, 2006}, 0};
  EXPECT_EQ(std::memcmp(&g_funcKeyRecord, &expected, sizeof expected), 0);
  EXPECT_EQ(g_szCardDrive[0][0], 0);
  EXPECT_EQ(g_bRemovableDrive, 0);
  EXPECT_EQ(g_pRecorderNewFolder, nullptr);
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
  int m_nKeyUps = 0, m_nChanges = 0, m_nBoxAnswer = 0;

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
    if (pMsg->message == WM_KEYUP && pMsg->wParam == VK_F6) return ++m_nKeyUps;
    return CDialog::PreTranslateMessage(pMsg);
  }
  BOOL OnCmdMsg(UINT nID, UINT nCode) override { return DispatchCommand(this, kCommands, nID, nCode); }
  void OnChange() {
    if (++m_nChanges == 2) EndDialog(1038);
  }
  void OnBrowse() {
    m_nBoxAnswer = MessageBox(LoadResString(IDS_DNLOAD_DELETE_QUESTION), LoadResString(IDS_DNLOAD_CAPTION),
                              MB_OKCANCEL | MB_ICONQUESTION);
  }
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
  const std::string typed = "D:\\\x95\x5C\\x";  // D:\表\x
  UINT boxStyle = 0;
  std::string boxText;
  vtk::SetMessageBoxObserverForTesting([&](HWND, const std::string&, const std::string&, UINT s) { boxStyle = s; });
  test::ScriptedUser user;
  user.On("", [&](test::Window& w) {
        EXPECT_EQ(w.ItemText(IDC_DN_FOLDER), "D:\\Dictation");
        EXPECT_EQ(w.ItemText(IDC_DN_METHOD_TEXT), LoadResString(IDS_METHOD_SAVE));
        HDC dc = GetDC(w.Item(IDC_DN_FOLDER));
        EXPECT_EQ(SendMessageA(w.hwnd, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                               reinterpret_cast<LPARAM>(w.Item(IDC_DN_FOLDER))),
                  reinterpret_cast<LRESULT>(dlg.m_edFolder.m_brush));
        ReleaseDC(w.Item(IDC_DN_FOLDER), dc);
        w.SetItemText(IDC_DN_FOLDER, typed);
        w.Click(IDC_DN_BROWSE);
      })
      .Answer(test::Utf8(LoadResString(IDS_DNLOAD_CAPTION)), IDCANCEL, &boxText)
      .On("", [](test::Window& w) { w.Click(IDOK); });
  EXPECT_EQ(dlg.DoModal(), IDOK);
  vtk::SetMessageBoxObserverForTesting(nullptr);
  EXPECT_TRUE(user.Clean()) << user.Report();
  EXPECT_EQ(dlg.m_nBoxAnswer, IDCANCEL);
  EXPECT_EQ(boxText, LoadResString(IDS_DNLOAD_DELETE_QUESTION));
  EXPECT_EQ(boxStyle, UINT(MB_OKCANCEL | MB_ICONQUESTION));
  EXPECT_EQ(dlg.m_strFolder, typed);  // OK took the typed text into the member
  EXPECT_EQ(dlg.m_hWnd, nullptr);
}

TEST(Dialog, EndsWithAnyCodeAndSeesKeysBeforeIsDialogMessage) {
  AFX_MAINTAIN_STATE2 frame(AfxGetStaticModuleState());
  CProbeDialog dlg;
  test::ScriptedUser user;
  user.On("", [](test::Window& w) {
        w.PostKeyUp(VK_F6);
        w.Click(IDC_DN_CHANGE);
      })
      .When("", [&](test::Window&) { return dlg.m_nKeyUps == 1; }, [](test::Window& w) { w.Click(IDC_DN_CHANGE); });
  EXPECT_EQ(dlg.DoModal(), 1038);
  EXPECT_TRUE(user.Clean()) << user.Report();
}

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
