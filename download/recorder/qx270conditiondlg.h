// Recorder download confirmation, two-folder form: the download folders of
// the recorder's folders A and B, the method and the delete setting. It
// checks nothing and changes nothing on disk; the export hands the settings
// back to the host. A change of method under "change" ends the form with
// kFormSwitch so that the export shows the other form.
#pragma once
#include <string>

#include "download/shared/formswitch.h"
#include "framework/dialog.h"

class CQX270ConditionDlg : public CDialog {
 public:
  CQX270ConditionDlg();

  int m_nFolders = 0;
  int m_bNewFolder = 0;
  int m_bDelete = 0;
  std::string m_strFolderA;
  std::string m_strFolderB;

 protected:
  BOOL OnInitDialog() override;
  BOOL OnCmdMsg(UINT nID, UINT nCode) override;

 private:
  void OnBrowseA();
  void OnBrowseB();
  void OnChange();
  void ShowFolders();
};
