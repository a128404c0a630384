// The card download options: how the card drive is found (detected, or the
// user's own removable drive), the download folder, the download method and
// whether the card's files are deleted afterwards. The caller fills the state
// before DoModal and reads it after IDOK; the dialog keeps nothing.
#pragma once
#include <string>

#include "folderui/drivecombo.h"
#include "framework/dialog.h"

class CDnLoadOptionsDlg : public CDialog {
 public:
  CDnLoadOptionsDlg();

  int m_bDelete = 0;
  int m_nAutoDrive = 0;
  int m_nManualDrive = 0;
  int m_nSaveToFolder = 0;
  int m_nNewFolder = 0;
  CDriveComboBox m_cbDrive;
  std::string m_strDrive;  // root of the user's own drive, such as E:\; may be empty
  std::string m_strFolder;
  std::string m_strCardDrives;  // one letter per card drive found
  char m_szDriveRoot[27][10] = {};  // root of each listed drive, by list index
  int m_nCardDrives = 0;

  BOOL OnInitDialog() override;
  void OnOK() override;
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnCmdMsg(UINT nID, UINT nCode) override;

  void OnAutoDrive();
  void OnManualDrive();
  void OnBrowse();
  void OnTakeValues();

 private:
  void ShowAutomaticState();
  void ShowManualState();
  void SelectStoredDrive();
  void ShowStatus(bool found);
};
