// Recorder download confirmation, new-folder form: for each of the
// recorder's folders A and B a parent folder and a proposed dated name. The
// form keeps both as one folder pair, so that the directory chooser, which
// it hands a proposer of names, keeps the two names apart.
#pragma once
#include <string>

#include "core/foldername.h"
#include "download/shared/formswitch.h"
#include "framework/dialog.h"

class CQX270NewFolderConditionDlg : public CDialog {
 public:
  CQX270NewFolderConditionDlg();

  vtk::RecorderFolderPair m_pair;
  int& m_nFolders = m_pair.nFolders;
  int m_bNewFolder = 1;
  int m_bDelete = 0;
  std::string& m_strFolderA = m_pair.strFolderA;
  std::string& m_strFolderB = m_pair.strFolderB;
  std::string& m_strNewNameA = m_pair.strNewNameA;
  std::string& m_strNewNameB = m_pair.strNewNameB;

 protected:
  BOOL OnInitDialog() override;
  BOOL OnCmdMsg(UINT nID, UINT nCode) override;
  void OnOK() override;

 private:
  // The controls and the pair's strings of folder A (0) or B (1).
  struct Folder {
    std::string& parent;
    std::string& name;
    int nIDParent;
    int nIDName;
  };
  Folder FolderOf(int nWhich);
  void OnBrowseA();
  void OnBrowseB();
  void OnChange();
  void Browse(int nWhich);
  // Fresh dated names for both folders, shown with their parents.
  void ProposeNames();
};
