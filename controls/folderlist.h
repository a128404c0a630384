// CFolderListBox: a list of folders, such as the directory chooser's. Each
// item is a CFolderItem (the item data, owned by the list box): a folder
// picture indented 10 pixels a level and the folder's name, as its owner
// gave them.
#pragma once
#include <windows.h>

#include <string>

#include "framework/controls.h"
#include "res/ids_controls.h"

constexpr UINT kOpenFolderBitmap = IDB_FOLDER_OPEN;
constexpr UINT kClosedFolderBitmap = IDB_FOLDER_CLOSED;

struct CFolderItem {
  CFolderItem(int level, std::string text, UINT bitmapID) : nLevel(level), strText(std::move(text)), nBitmapID(bitmapID) {}

  int nLevel;
  std::string strText;
  UINT nBitmapID;
  // The picture's size, taken on the first drawing. The picture itself is
  // the list box's: thousands of folders share its two bitmaps.
  int nWidth = 0;
  int nHeight = 0;
};

class CFolderListBox : public CListBox {
 public:
  static constexpr int kIndent = 10;
  static constexpr int kItemHeight = 16;

  CFolderListBox() = default;
  // Releases the folder pictures.
  ~CFolderListBox() override;
  CFolderListBox(const CFolderListBox&) = delete;
  CFolderListBox& operator=(const CFolderListBox&) = delete;

  int m_bSuspendDraw = 0;  // while 1 the list draws nothing

  // Appends / inserts at `index` an item showing `text` with picture
  // `nBitmapID` (kOpenFolderBitmap or kClosedFolderBitmap), indented by
  // `level`. Returns the item's index or LB_ERR.
  int AddFolder(const std::string& text, UINT nBitmapID, int level);
  int InsertFolder(const std::string& text, UINT nBitmapID, int level, int index);
  CFolderItem* GetFolderItem(int index) const;

  void DrawItem(LPDRAWITEMSTRUCT pDIS) override;
  void MeasureItem(LPMEASUREITEMSTRUCT pMIS) override;
  void DeleteItem(LPDELETEITEMSTRUCT pDIS) override;

 private:
  struct Picture {
    UINT nBitmapID;
    HBITMAP hBitmap;  // loaded when an item first shows it
    int nWidth, nHeight;
  };
  Picture m_pictures[2] = {{kOpenFolderBitmap, nullptr, 0, 0}, {kClosedFolderBitmap, nullptr, 0, 0}};
  // The loaded picture of that id, or null.
  const Picture* LoadPicture(UINT nBitmapID);

  void DrawBody(HDC hdc, CFolderItem& item, RECT r, bool selected);
  // The place of the item's text, as DrawBody draws it.
  RECT TextRect(HDC hdc, const CFolderItem& item, const RECT& r) const;
};
