// The choice among several card drives, listed as the last automatic
// detection left the card-drive table (packed, as roots). The dialog keeps
// its own copy of the drives it lists, taken when it opens, so that a probe
// while it is open (GetMiniCardDrive from the host) changes nothing in it.
#pragma once
#include <string>
#include <vector>

#include "controls/drivecombo.h"
#include "framework/dialog.h"

class CCardDriveSelectDlg : public CDialog {
 public:
  CCardDriveSelectDlg();

  CDriveComboBox m_cbDrive;
  std::string m_strDrive;  // the chosen root, after IDOK

  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  void OnOK() override;

 private:
  // The root of each list item, by list position: a drive whose item could
  // not be added has no position, so none can shift against the list.
  std::vector<std::string> m_listedRoots;
};
