// The card download confirmation in its new-folder form: a dated folder is
// created in the download folder and the files are saved there.
#pragma once
#include "download/card/cardconditiondlg.h"

class CDnLoadNewFolderConditionDlg : public CCardConditionDlg {
 public:
  explicit CDnLoadNewFolderConditionDlg(const DownloadSettings& settings);

  BOOL OnInitDialog() override;
  void OnBrowse() override;
  void OnOK() override;

 protected:
  bool IsNewFolderForm() const override { return true; }
  bool FinishStart() override;
  void OnOptionsAccepted() override;

 private:
  // A fresh dated name in m_strFolder, shown in the name field.
  void ProposeNewFolder();
};
