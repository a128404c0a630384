// The card download confirmation in its simple form: save into the download
// folder.
#pragma once
#include "download/card/cardconditiondlg.h"

class CDnLoadConditionDlg : public CCardConditionDlg {
 public:
  explicit CDnLoadConditionDlg(const DownloadSettings& settings);

  BOOL OnInitDialog() override;
  void OnBrowse() override;

 protected:
  bool IsNewFolderForm() const override { return false; }
  bool FinishStart() override;
};
