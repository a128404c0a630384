// CDriveComboBox: an owner-drawn drop-down list of drives, each drawn as a
// 16 x 16 icon, a blank and the drive's name. The directory chooser and the
// card dialogs fill it with the shell's icons and display names
// (controls/shellicons.h).
//
// How an owning dialog uses it:
//  - bind it to a combo box with CBS_DROPDOWNLIST | CBS_OWNERDRAWVARIABLE,
//    without CBS_SORT and without CBS_HASSTRINGS (DDX_Control);
//  - append each drive with AddDrive(name, icon), in list order; item i
//    shows what the i-th successful AddDrive gave it;
//  - empty it with RemoveAllDrives. The combo box releases every icon it
//    holds when it is emptied that way and when its window is destroyed.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "framework/controls.h"

class CDriveComboBox : public CComboBox {
 public:
  // Appends an item showing `hIcon` and `name`; the combo box now owns the
  // icon (it is released at once when the item cannot be added). Returns the
  // item's index or CB_ERR.
  int AddDrive(const std::string& name, HICON hIcon);
  // Empties the list and releases the icons of its items.
  void RemoveAllDrives();

  void DrawItem(LPDRAWITEMSTRUCT pDIS) override;
  void MeasureItem(LPMEASUREITEMSTRUCT pMIS) override;
  void OnDestroy() override;

 private:
  void ReleaseItemIcons();

  std::vector<std::string> m_texts;  // by item index: a blank and the name
};
