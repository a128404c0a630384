// The confirmation of a card download, common to its two forms: the shown
// settings, "変更(&M)" into the options (which ends the form with the form
// switch code when the method changes), the start checks, and the transfer
// with its completion step while the window is being destroyed. The simple
// form saves into the download folder; the new-folder form creates a dated
// folder there first.
#pragma once
#include <string>

#include "download/card/downloadsettings.h"
#include "download/shared/formswitch.h"
#include "framework/dialog.h"

class CCardConditionDlg : public CDialog {
 public:
  CCardConditionDlg(UINT nIDTemplate, const DownloadSettings& settings);

  DownloadSettings m_settings;     // the folder is the parent of the new folder in that form
  std::string m_strNewFolderName;  // the new folder in the download folder; empty in the simple form
  int m_nResult = 0;               // confirmed copies, or -1 after a failed start check
  int m_bStart = 0;                // 1 once the start checks have passed

  BOOL OnCmdMsg(UINT nID, UINT nCode) override;
  void OnOK() override;
  void OnCancel() override;
  void OnDestroy() override;

  void OnChange();
  virtual void OnBrowse() = 0;

 protected:
  virtual bool IsNewFolderForm() const = 0;
  // The form's last start step, once the card and the download folder can
  // be entered: false after it has failed (and said why).
  virtual bool FinishStart() = 0;
  // After the options were accepted with OK.
  virtual void OnOptionsAccepted() {}

  void ShowFolder();
  void ShowMethodText();
  void ShowDeleteText();
  // A failed start: the message (none for 0), outcome -1, closed with IDOK.
  void FailStart(UINT idMessage);

 private:
  bool FindCardDrive();
};
