// What the owner-drawn controls paint: the folder picture with its
// transparent white, indentation, the full-row highlight, the focus frame,
// the shared pictures, the suspended drawing, and the drive combo box.
#include <gtest/gtest.h>
#include <windows.h>

#include <tuple>
#include <vector>

#include "controls/drivecombo.h"
#include "controls/folderlist.h"
#include "controls/shellicons.h"
#include "framework/modulestate.h"
#include "support/counted_controls.h"

namespace {

constexpr COLORREF kGrey = RGB(128, 128, 128);
constexpr int kW = 240, kH = 16;
// Level 3 indents by 30 pixels; the text follows the 26-pixel picture 3 pixels early.
constexpr int kPictureX = 30, kTextX = 30 + 26 - 3;

// A memory canvas of kW x kH pixels of 32 bits.
struct Canvas {
  BITMAPINFO bi{{sizeof(BITMAPINFOHEADER), kW, -kH, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
  void* bits = nullptr;
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  ~Canvas() { DeleteObject(SelectObject(dc, old)), DeleteDC(dc); }
  COLORREF At(int x, int y) const { return GetPixel(dc, x, y); }
};

// The leftmost column in which two pictures differ (kW when none).
int FirstDifferentColumn(const Canvas& a, const Canvas& b) {
  for (int x = 0; x < kW; ++x)
    for (int y = 0; y < kH; ++y)
      if (a.At(x, y) != b.At(x, y)) return x;
  return kW;
}

}  // namespace

TEST(FolderDraw, AFolderItemAndADriveItem) {
  AFX_MAINTAIN_STATE2 frame{AfxGetStaticModuleState()};
  const test::CountedControls counted;
  HWND parent = CreateWindowExA(0, "STATIC", "host", WS_POPUP, 0, 0, 300, 200, nullptr, nullptr, nullptr, nullptr);
  const auto control = [parent](const char* cls, DWORD style, int id) {
    return CreateWindowExA(0, cls, "", WS_CHILD | style, 0, 0, kW, 100, parent, reinterpret_cast<HMENU>(id), nullptr, nullptr);
  };
  CFolderListBox list;
  ASSERT_TRUE(list.SubclassWindow(control("LISTBOX", LBS_OWNERDRAWVARIABLE | LBS_NOTIFY, 1035)));
  ASSERT_EQ(list.AddFolder("", kClosedFolderBitmap, 3), 0);
  // Draws list item 0 showing `text` on `c`.
  const auto draw = [&list](const char* text, UINT action, UINT state, const Canvas& c) {
    PatBlt(c.dc, 0, 0, kW, kH, BLACKNESS);
    list.GetFolderItem(0)->strText = text;
    DRAWITEMSTRUCT d{ODT_LISTBOX, 0, 0, action, state, list, c.dc, {0, 0, kW, kH}, reinterpret_cast<ULONG_PTR>(list.GetFolderItem(0))};
    list.DrawItem(&d);
  };
  Canvas plain, selected, other;
  draw("W", ODA_DRAWENTIRE, 0, plain);
  draw("W", ODA_SELECT, ODS_SELECTED, selected);
  const COLORREF window = GetSysColor(COLOR_WINDOW), highlight = GetSysColor(COLOR_HIGHLIGHT);
  // The picture's top row (6) is drawn 4 pixels above the row: y = 2. Tab outline from column 4, the
  // picture's white transparent, yellow body, the indentation in the background; selected, the same on the highlight.
  EXPECT_EQ((std::vector{plain.At(kPictureX + 4, 2), plain.At(kPictureX + 3, 2), plain.At(kPictureX + 6, 7), plain.At(0, 8),
                         selected.At(0, 0), selected.At(kPictureX + 3, 2), selected.At(kPictureX + 4, 2)}),
            (std::vector{kGrey, window, RGB(255, 255, 0), window, highlight, highlight, kGrey}));
  draw("", ODA_DRAWENTIRE, 0, other);
  const int textX = FirstDifferentColumn(other, plain);
  EXPECT_TRUE(textX >= kTextX && textX < kTextX + 6) << textX;
  draw("W", ODA_DRAWENTIRE, ODS_FOCUS, other);
  const int frameX = FirstDifferentColumn(other, plain);
  EXPECT_TRUE(frameX >= kTextX - 1 && frameX < kTextX + 2) << frameX;  // around the text only
  draw("W", ODA_DRAWENTIRE, 0, other);
  EXPECT_EQ(FirstDifferentColumn(other, plain), kW) << "drawing leaves the shared picture unchanged";
  EXPECT_EQ(counted.pictures, 1) << "one picture, however often drawn";

  // A drive item: the icon, then the name, in the selection's colours.
  CDriveComboBox combo;
  ASSERT_TRUE(combo.SubclassWindow(control("COMBOBOX", CBS_DROPDOWNLIST | CBS_OWNERDRAWVARIABLE, 1034)));
  ASSERT_EQ(combo.AddDrive("(D:)", GetDriveShellInfo("D:\\").hIcon), 0);
  DRAWITEMSTRUCT item{ODT_LISTBOX, 0, 0, ODA_DRAWENTIRE, ODS_SELECTED, combo, other.dc, {0, 0, kW, kH}, combo.GetItemData(0)};
  combo.DrawItem(&item);
  bool text = false;
  for (int x = 20; x < 60; ++x) text = text || other.At(x, 8) != highlight;
  EXPECT_EQ((std::tuple{other.At(kW - 1, 8), other.At(5, 8) != highlight, text}), (std::tuple{highlight, true, true}));
  item.itemState |= ODS_DISABLED;
  combo.DrawItem(&item);
  EXPECT_EQ(other.At(kW - 1, 8), RGB(192, 192, 192));
  // While the chooser refills the list, nothing is drawn.
  list.m_bSuspendDraw = 1;
  draw("W", ODA_DRAWENTIRE, ODS_SELECTED, other);
  EXPECT_EQ(other.At(0, 0), RGB(0, 0, 0));
  DestroyWindow(parent);
}
