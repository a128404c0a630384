// The choice among several card drives, listed as the last automatic
// detection left the card-drive table (packed, as roots). Run it right after
// FindMiniCardDrive, so that a list index is a table index.
#pragma once
#include <string>

#include "folderui/drivecombo.h"
#include "framework/dialog.h"

class CCardDriveSelectDlg : public CDialog {
 public:
  CCardDriveSelectDlg();

  CDriveComboBox m_cbDrive;
  std::string m_strDrive;  // the chosen root, after IDOK

  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  void OnOK() override;
};
