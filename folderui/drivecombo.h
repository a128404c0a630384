// CDriveComboBox: an owner-drawn drop-down list of drives, each drawn as the
// shell's 16 x 16 icon followed by a text. Used by the directory chooser and
// by the card dialogs.
//
// How an owning dialog uses it:
//  - bind it to a combo box with CBS_DROPDOWNLIST | CBS_OWNERDRAWVARIABLE,
//    without CBS_SORT and without CBS_HASSTRINGS (DDX_Control);
//  - item i's text is m_szEntry[i], which the owner writes as a blank
//    followed by the drive's display name; the directory chooser points
//    m_pFolderTree at its tree instead, whose drive texts it keeps;
//  - add item i with AddDriveItem(icon), the icon from GetDriveShellInfo
//    (folderui/shellicons.h); item i, its text and its icon stay in step;
//  - empty it with RemoveAllDrives. The combo box releases every icon it
//    holds when it is emptied that way and when its window is destroyed.
#pragma once
#include <windows.h>

#include "framework/controls.h"

class CFolderTree;

class CDriveComboBox : public CComboBox {
 public:
  static constexpr int kEntries = 26;
  static constexpr int kEntryText = 200;

  const CFolderTree* m_pFolderTree = nullptr;  // the chooser's tree, or null for m_szEntry
  char m_szEntry[kEntries][kEntryText] = {};

  // Appends an item whose data is `hIcon`; the combo box now owns the icon
  // (it is released at once when the item cannot be added). Returns the
  // item's index or CB_ERR.
  int AddDriveItem(HICON hIcon);
  // Empties the list and releases the icons of its items.
  void RemoveAllDrives();

  void DrawItem(LPDRAWITEMSTRUCT pDIS) override;
  void MeasureItem(LPMEASUREITEMSTRUCT pMIS) override;
  void OnDestroy() override;

 private:
  const char* ItemText(int index) const;
  void ReleaseItemIcons();
};
