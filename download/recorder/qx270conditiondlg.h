// Recorder download confirmation, two-folder form: the download folders of
// the recorder's folders A and B, the method and the delete setting. It
// checks nothing and changes nothing on disk; the export hands the settings
// back to the host. A change of method under "change" ends the form with
// kFormSwitch so that the export shows the other form.
#pragma once
#include "download/recorder/recordersettings.h"
#include "download/shared/formswitch.h"
#include "framework/dialog.h"

class CQX270ConditionDlg : public CDialog {
 public:
  CQX270ConditionDlg(const RecorderSettings& settings, int nFolders);

  RecorderSettings m_settings;
  const int m_nFolders;  // which of the folders take part: 1 = A, 2 = B, other = both

 protected:
  BOOL OnInitDialog() override;
  BOOL OnCmdMsg(UINT nID, UINT nCode) override;

 private:
  void OnBrowseA();
  void OnBrowseB();
  void OnChange();
  void ShowFolders();
};
