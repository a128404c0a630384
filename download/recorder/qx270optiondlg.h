// The recorder download options: a download folder for each of the
// recorder's folders A and B, the method, and deletion after the download.
// The callers fill the state, run the dialog and read the state after IDOK;
// the dialog never adds or removes a trailing backslash in the folders.
#pragma once
#include <string>

#include "core/radiopair.h"
#include "framework/dialog.h"

class CQX270DnLoadOptionDlg : public CDialog {
 public:
  explicit CQX270DnLoadOptionDlg(CWnd* pParent = nullptr);

  vtk::RadioPair m_method;  // save into the folders, or a new folder in each
  int m_bDelete = 0;
  std::string m_strFolderA;
  std::string m_strFolderB;

  // The callers' single new-folder flag: 0 for "save into the folders".
  void SetNewFolderFlag(int bNewFolder) { m_method = vtk::RadioPairOf(bNewFolder); }
  int NewFolderFlag() const { return vtk::FlagOf(m_method); }

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  BOOL OnCmdMsg(UINT nID, UINT nCode) override;

 private:
  void OnBrowseA();
  void OnBrowseB();
  void Browse(int nIDEdit, std::string& folder);
  // A click on a method button or the check box is held in the state at
  // once, so that a later browse shows it as the user left it.
  void OnStateClicked();
};
