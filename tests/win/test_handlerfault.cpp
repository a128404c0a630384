// A message handler that throws: its dialog ends with -1, the call frame
// returns the export's failure result, the host lives on, and the next call
// runs normally.
#include <gtest/gtest.h>

#include <new>

#include "frame/callframe.h"
#include "framework/dialog.h"
#include "framework/modulestate.h"
#include "support/scripted_user.h"
#include "support/test_ids.h"

namespace {

enum class Throws { Never, InInit, OnOK, InNestedDialog };

class CThrowingDialog : public CDialog {
 public:
  explicit CThrowingDialog(Throws where) : CDialog(IDD_TEST_TRAIL_5C), m_where(where) {}
  INT_PTR m_nInnerResult = 0;

  BOOL OnInitDialog() override {
    if (m_where == Throws::InInit) throw std::bad_alloc();
    return CDialog::OnInitDialog();
  }
  void OnOK() override {
    if (m_where == Throws::OnOK) throw std::bad_alloc();
    if (m_where == Throws::InNestedDialog) m_nInnerResult = CThrowingDialog(Throws::OnOK).DoModal();
    CDialog::OnOK();
  }

 private:
  Throws m_where;
};

int RunAsExport(Throws where, int clicks) {
  test::ScriptedUser user;
  for (int i = 0; i < clicks; ++i) user.On(u8"表示ソフト", [](test::Window& w) { w.Click(IDOK); });
  INT_PTR inner = 0;
  const int result = vtk::LibraryCall(0, [&] {
    CThrowingDialog dlg(where);
    const INT_PTR r = dlg.DoModal();
    inner = dlg.m_nInnerResult;
    return r == IDOK ? 1 : 0;
  });
  user.Verify();
  EXPECT_EQ(test::TopDialog(), nullptr) << "a dialog was left open";
  if (where == Throws::InNestedDialog) {
    EXPECT_EQ(inner, -1);
  }
  return result;
}

}  // namespace

TEST(HandlerFault, EndsTheDialogAndFailsTheCallWithoutEndingTheProcess) {
  const struct {
    Throws where;
    int clicks;
  } cases[] = {{Throws::InInit, 0}, {Throws::OnOK, 1}, {Throws::InNestedDialog, 2}};
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.where));
    EXPECT_EQ(RunAsExport(c.where, c.clicks), 0);
    // Nothing of the fault is left for the next call.
    EXPECT_EQ(RunAsExport(Throws::Never, 1), 1);
  }
}
