// What the folder list paints: the folder picture with its transparent white,
// indentation, the full-row highlight, the text after the picture, and one
// shared picture.
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "controls/folderlist.h"
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

TEST(FolderDraw, AFolderItem) {
  AFX_MAINTAIN_STATE2 frame{AfxGetStaticModuleState()};
  const test::CountedControls counted;
  HWND parent = CreateWindowExA(0, "STATIC", "host", WS_POPUP, 0, 0, 300, 200, nullptr, nullptr, nullptr, nullptr);
  CFolderListBox list;
  ASSERT_TRUE(list.SubclassWindow(CreateWindowExA(0, "LISTBOX", "", WS_CHILD | LBS_OWNERDRAWVARIABLE | LBS_NOTIFY, 0, 0, kW,
                                                  100, parent, reinterpret_cast<HMENU>(1035), nullptr, nullptr)));
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
  draw("W", ODA_DRAWENTIRE, 0, other);
  EXPECT_EQ(FirstDifferentColumn(other, plain), kW) << "drawing leaves the shared picture unchanged";
  EXPECT_EQ(counted.pictures, 1) << "one picture, however often drawn";
  DestroyWindow(parent);
}
