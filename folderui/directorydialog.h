// The directory chooser behind every "..." button: browse the folders of the
// computer's drives and pick one (select mode) or name a new folder inside
// one (create mode). It fills and reads the library's one folder tree, so
// only one chooser can be open at a time.
#pragma once
#include <string>

#include "folderui/drivecombo.h"
#include "folderui/folderlist.h"
#include "framework/controls.h"
#include "framework/dialog.h"

class CFolderTree;

constexpr int kDirSelectMode = 0;
constexpr int kDirCreateMode = 1;

class CDirectoryDialog : public CDialog {
 public:
  CDirectoryDialog();
  ~CDirectoryDialog() override;

  CButton m_btnOK;
  CButton m_btnCancel;
  CButton m_btnNetwork;
  CEdit m_edPath;
  CDriveComboBox m_cbDrive;
  CFolderListBox m_lbFolders;

  std::string m_strInitialPath;
  int m_nMode = kDirSelectMode;  // anything but 0 acts as create mode
  std::string m_strNewName;      // create mode: the new folder's name
  // Create mode, on entry: the initial new-folder name (may be empty). On
  // exit: the chosen directory (select) or the parent folder (create).
  std::string m_strResult;
  char m_chLastDrive = 0;     // create mode: drive of the last path FillDriveCombo got
  char m_chCurrentDrive = 0;  // the drive whose tree is shown

  BOOL OnInitDialog() override;
  void OnOK() override;
  void DoDataExchange(CDataExchange* pDX) override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  BOOL OnCmdMsg(UINT nID, UINT nCode) override;

  void FillDriveCombo(const std::string& path);
  void OnDriveChange();
  void OnNetwork();
  void OnFolderDoubleClick();

 private:
  bool IsCreateMode() const { return m_nMode != kDirSelectMode; }
  // A dated new-folder name for `parent`, from the recorder's paired
  // generator while its new-folder confirmation is open, else the plain one.
  std::string ProposeNewFolderName(const std::string& parent) const;
  // The edit's text for node `index`: its path (select) or a proposed name
  // (create).
  void ShowNodeInEdit(int index);
  void FillListFromTree(UINT rootBitmap);
  void OpenRoot();
  void ExpandNode(int index);
  void CollapseNode(int index);
  void ReplaceItemPicture(int index, UINT nBitmapID);
  void OnOKSelect();
  void OnOKCreate();
  void ReleaseTree();
  CFolderTree* m_pTree = nullptr;
  int FindDriveItem(char letter) const;
};

// Runs the chooser with the library's resources. Select mode: *path is the
// initial directory and becomes the chosen one. Create mode: *path is the
// parent to start from and becomes the new folder's name; *name (may be
// null) holds an initial new-folder name and becomes the parent folder's
// path. True on OK; after Cancel the strings are unchanged. False also when
// a chooser is already open.
bool RunDirectoryDialog(int mode, std::string* path, std::string* name);
