// Recorder download confirmation, new-folder form: for each of the
// recorder's folders A and B a parent folder and a proposed dated name. The
// parents and names are the recorder folder pair that the directory chooser
// reaches, through the library-wide reference, while this form is open.
#pragma once
#include <string>

#include "frame/globals.h"
#include "framework/controls.h"
#include "framework/dialog.h"

class CQX270NewFolderConditionDlg : public CDialog {
 public:
  CQX270NewFolderConditionDlg();
  // Makes this form the library's open recorder new-folder confirmation for
  // as long as it exists.
  ~CQX270NewFolderConditionDlg() override;

  CEdit m_edFolderA;
  CEdit m_edFolderB;
  CEdit m_edNewNameA;
  CEdit m_edNewNameB;
  CStatic m_stMethod;
  CStatic m_stDelete;
  CStatic m_gbFolderA;
  CStatic m_gbFolderB;
  CStatic m_stNewNameA;
  CStatic m_stNewNameB;
  CButton m_btnBrowseA;
  CButton m_btnBrowseB;

  RecorderNewFolderState m_state;
  int& m_nWhichFolder = m_state.nWhichFolder;
  int& m_nFolders = m_state.pair.nFolders;
  int m_bNewFolder = 1;
  int m_bDelete = 0;
  std::string& m_strFolderA = m_state.pair.strFolderA;
  std::string& m_strFolderB = m_state.pair.strFolderB;
  std::string& m_strNewNameA = m_state.pair.strNewNameA;
  std::string& m_strNewNameB = m_state.pair.strNewNameB;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  BOOL OnCmdMsg(UINT nID, UINT nCode) override;

 private:
  void OnBrowseA();
  void OnBrowseB();
  void OnChange();
  void Browse(int nWhich, std::string& parent, std::string& name, CEdit& parentEdit, CEdit& nameEdit);
  // Fresh dated names for both folders, shown with their parents.
  void ProposeNames();
};
