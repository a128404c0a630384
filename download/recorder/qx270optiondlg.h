// The recorder download options: a download folder for each of the
// recorder's folders A and B, the method, and deletion after the download.
// The dialog starts from the caller's settings and gives them back after
// IDOK; it never adds or removes a trailing backslash in the folders.
#pragma once
#include <string>

#include "core/radiopair.h"
#include "download/recorder/recordersettings.h"
#include "framework/dialog.h"

class CQX270DnLoadOptionDlg : public CDialog {
 public:
  explicit CQX270DnLoadOptionDlg(const RecorderSettings& settings);

  // The settings as the user left them (after IDOK).
  RecorderSettings Settings() const;

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

  vtk::RadioPair m_method;  // save into the folders, or a new folder in each
  int m_bDelete = 0;
  std::string m_strFolderA;
  std::string m_strFolderB;
};
