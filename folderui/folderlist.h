// CFolderListBox: the directory chooser's folder list. Each item is a
// CFolderItem (the item data, owned by the list box): a folder picture
// indented 10 pixels a level and the folder's name. The item's level comes
// from the folder tree's node at the item's index, so a node is always put
// in the tree before its item is put in the list.
#pragma once
#include <windows.h>

#include <string>

#include "framework/controls.h"

constexpr UINT kOpenFolderBitmap = 1036;
constexpr UINT kClosedFolderBitmap = 1037;

struct CFolderItem {
  CFolderItem(int level, std::string text, UINT bitmapID) : nLevel(level), strText(std::move(text)), nBitmapID(bitmapID) {}
  ~CFolderItem();
  CFolderItem(const CFolderItem&) = delete;
  CFolderItem& operator=(const CFolderItem&) = delete;

  int nLevel;
  std::string strText;
  UINT nBitmapID;
  HBITMAP hBitmap = nullptr;  // loaded on the first drawing
  int nWidth = 0;
  int nHeight = 0;
};

class CFolderListBox : public CListBox {
 public:
  static constexpr int kIndent = 10;
  static constexpr int kItemHeight = 16;

  int m_nListMode = 0;  // the chooser's mode
  int m_bRootOpen = 0;  // toggled by the chooser's double-click on the root

  // Appends / inserts an item showing `text` with picture `nBitmapID`; the
  // tree's node at nodeIndex / index gives its level. Returns the item's
  // index or LB_ERR.
  int AddFolder(const std::string& text, UINT nBitmapID, int nodeIndex);
  int InsertFolder(const std::string& text, UINT nBitmapID, int index);
  CFolderItem* GetFolderItem(int index) const;

  void DrawItem(LPDRAWITEMSTRUCT pDIS) override;
  void MeasureItem(LPMEASUREITEMSTRUCT pMIS) override;
  void DeleteItem(LPDELETEITEMSTRUCT pDIS) override;

 private:
  CFolderItem* MakeItem(const std::string& text, UINT nBitmapID, int nodeIndex) const;
  void DrawBody(HDC hdc, CFolderItem& item, RECT r, bool selected);
  // The place of the item's text, as DrawBody draws it.
  RECT TextRect(HDC hdc, const CFolderItem& item, const RECT& r) const;
};

// Bitmaps made and released by the folder items, counted for the tests.
long GetFolderBitmapsAliveForTesting();
