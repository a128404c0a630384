// Recorder download confirmation, new-folder form: for each of the
// recorder's folders A and B a parent folder and a proposed dated name. The
// names are proposed as a pair, so that the two never repeat each other, in
// the form and in the directory chooser that it hands a proposer of names.
#pragma once
#include <string>

#include "core/foldername.h"
#include "download/recorder/recordersettings.h"
#include "download/shared/formswitch.h"
#include "framework/dialog.h"

class CQX270NewFolderConditionDlg : public CDialog {
 public:
  CQX270NewFolderConditionDlg(const RecorderSettings& settings, int nFolders);

  RecorderSettings m_settings;  // the folders are the parents of the new folders
  const int m_nFolders;         // which of the folders take part: 1 = A, 2 = B, other = both
  std::string m_strNewNameA;
  std::string m_strNewNameB;

 protected:
  BOOL OnInitDialog() override;
  BOOL OnCmdMsg(UINT nID, UINT nCode) override;
  void OnOK() override;

 private:
  // The controls, the parent and the name of folder A (0) or B (1).
  struct Folder {
    std::string& parent;
    std::string& name;
    int nIDParent;
    int nIDName;
  };
  Folder FolderOf(int nWhich);
  // The form's folders and names as the paired generator takes them.
  vtk::RecorderFolderPair Pair() const;
  void OnBrowseA();
  void OnBrowseB();
  void OnChange();
  void Browse(int nWhich);
  // Fresh dated names for both folders, shown with their parents.
  void ProposeNames();
};
