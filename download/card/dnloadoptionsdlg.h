// The card download options: how the card drive is found (detected, or the
// user's own removable drive), the download folder, the download method and
// whether the card's files are deleted afterwards. The dialog starts from
// the caller's settings and gives them back after IDOK; it keeps nothing.
#pragma once
#include <string>

#include "carddrive/cardprobe.h"
#include "core/radiopair.h"
#include "controls/drivecombo.h"
#include "download/card/downloadsettings.h"
#include "framework/dialog.h"

class CDnLoadOptionsDlg : public CDialog {
 public:
  explicit CDnLoadOptionsDlg(const DownloadSettings& settings);

  // The settings as the user left them (after IDOK).
  DownloadSettings Settings() const;

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnCmdMsg(UINT nID, UINT nCode) override;

 private:
  void OnAutoDrive();
  void OnManualDrive();
  void OnBrowse();
  void OnTakeValues();
  void ShowAutomaticState();
  void ShowManualState();
  void SelectStoredDrive();
  void ShowStatus(bool found);

  int m_bDelete = 0;
  vtk::RadioPair m_drive;   // detect the card drive, or the user's own
  vtk::RadioPair m_method;  // save into the folder, or a new folder in it
  std::string m_strDrive;   // root of the user's own drive, such as E:\; may be empty
  std::string m_strFolder;
  CDriveComboBox m_cbDrive;
  DriveRootTable m_szDriveRoot = {};  // root of each listed drive, by list index
};
