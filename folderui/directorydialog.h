// The directory chooser behind every "..." button: browse the folders of the
// computer's drives and pick one (select mode) or name a new folder inside
// one (create mode). Each chooser owns its folder tree and shows it in its
// folder list, node i as item i; its drive combo box lists the drives.
#pragma once
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "controls/drivecombo.h"
#include "controls/folderlist.h"
#include "folderui/foldertree.h"
#include "framework/dialog.h"

enum class DirectoryMode { kSelect, kCreate };

// Create mode: the name proposed for a new folder under `parent`.
using NewFolderProposer = std::function<std::string(const std::string& parent)>;

// What the user chose with OK.
struct ChosenFolder {
  std::string parent;  // select mode: the chosen directory; create mode: the folder to hold the new one
  std::string name;    // create mode: the new folder's name; empty in select mode
};

class CDirectoryDialog : public CDialog {
 public:
  // Starts in `initialPath`. Create mode shows `initialName` as the new
  // folder's name, or when it is empty the proposal of `propose` (none
  // without one), and proposes again for every folder the user moves to.
  CDirectoryDialog(DirectoryMode mode, std::string initialPath, std::string initialName, NewFolderProposer propose);

  ChosenFolder Chosen() const { return {m_strChosen, m_strNewName}; }
  CFolderTree& Tree() { return m_tree; }

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
  void DoDataExchange(CDataExchange* pDX) override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  BOOL OnCmdMsg(UINT nID, UINT nCode) override;

 private:
  void FillDriveCombo(const std::string& path);
  void OnDriveChange();
  void OnNetwork();
  void OnFolderDoubleClick();
  bool IsCreateMode() const { return m_mode == DirectoryMode::kCreate; }
  std::string ProposeNewFolderName(const std::string& parent) const;
  // The path edit's text for node `index`: its path (select) or a proposed
  // name (create).
  void ShowNodeInEdit(int index);
  void FillListFromTree(UINT rootBitmap);
  void OpenRoot();
  void ExpandNode(int index);
  void CollapseNode(int index);
  void ReplaceItemPicture(int index, UINT nBitmapID);
  void OnOKSelect();
  void OnOKCreate();
  int FindDriveItem(char letter) const;

  const DirectoryMode m_mode;
  const std::string m_strInitialPath;
  const std::string m_strInitialName;  // create mode: the name shown first (may be empty)
  const NewFolderProposer m_propose;
  CDriveComboBox m_cbDrive;
  CFolderListBox m_lbFolders;
  CEdit m_edPath;
  CFolderTree m_tree;
  std::vector<std::string> m_driveRoots;  // by drive item: its root (C:\), the letter upper case
  std::string m_strNewName;  // create mode: the new folder's name
  // After OK: the chosen directory (select) or the parent folder (create).
  std::string m_strChosen;
  char m_chLastDrive = 0;     // create mode: drive of the last path FillDriveCombo got
  char m_chCurrentDrive = 0;  // the drive whose tree is shown
  int m_bRootOpen = 0;        // toggled by each double-click on the root
};

// Runs the chooser with the library's resources, in `mode`, from `start`
// (see CDirectoryDialog). The choice after OK; nothing after Cancel, and
// nothing while another chooser is open on the thread.
std::optional<ChosenFolder> RunDirectoryDialog(DirectoryMode mode, const std::string& start,
                                               const std::string& initialName = {},
                                               const NewFolderProposer& propose = {});
