// What the owner-drawn controls paint: the folder picture with its
// transparent white, indentation, the full-row highlight, the focus frame,
// the suspend rule, the shared pictures, and the drive combo box.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <tuple>
#include <vector>

#include "folderui/drivecombo.h"
#include "folderui/folderlist.h"
#include "folderui/foldertree.h"
#include "folderui/shellicons.h"
#include "framework/modulestate.h"

namespace {

constexpr COLORREF kGrey = RGB(128, 128, 128);
constexpr int kW = 240, kH = 16;
// Level 3 indents by 30 pixels; the text follows the 26-pixel picture 3 pixels early.
constexpr int kPictureX = 30, kTextX = 30 + 26 - 3;

// A memory canvas of kW x kH pixels.
struct Canvas {
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = nullptr;
  Canvas() {
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), kW, -kH, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    old = SelectObject(dc, CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    PatBlt(dc, 0, 0, kW, kH, BLACKNESS);
  }
  ~Canvas() { DeleteObject(SelectObject(dc, old)), DeleteDC(dc); }
  COLORREF At(int x, int y) const { return GetPixel(dc, x, y); }
  std::vector<COLORREF> Pixels() const {
    std::vector<COLORREF> s(kW * kH);
    for (std::size_t i = 0; i < s.size(); ++i) s[i] = At(static_cast<int>(i % kW), static_cast<int>(i / kW));
    return s;
  }
};

// The leftmost column in which two pictures differ (kW when none).
int FirstDifferentColumn(const std::vector<COLORREF>& a, const std::vector<COLORREF>& b) {
  int first = kW;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (a[i] != b[i]) first = std::min(first, static_cast<int>(i % kW));
  return first;
}

HWND Control(HWND parent, const char* cls, DWORD style, int id) {
  return CreateWindowExA(0, cls, "", WS_CHILD | style, 0, 0, kW, 100, parent, reinterpret_cast<HMENU>(id), nullptr, nullptr);
}

struct FolderDraw : testing::Test {
  void SetUp() override {
    tree.AppendNode()->nLevel = 3;  // the node list item 0 reads
    list.m_pTree = &tree;
    ASSERT_TRUE(list.SubclassWindow(Control(parent, "LISTBOX", LBS_OWNERDRAWVARIABLE | LBS_NOTIFY, 1035)));
    ASSERT_EQ(list.AddFolder("", kClosedFolderBitmap, 0), 0);
  }
  void TearDown() override { DestroyWindow(parent); }
  // Draws list item 0 (`text`) on a fresh canvas and returns its pixels.
  std::vector<COLORREF> Draw(const char* text, UINT action, UINT state = 0, Canvas&& c = Canvas()) {
    list.GetFolderItem(0)->strText = text;
    DRAWITEMSTRUCT d{ODT_LISTBOX, 0, 0, action, state, list, c.dc, {0, 0, kW, kH}, reinterpret_cast<ULONG_PTR>(list.GetFolderItem(0))};
    list.DrawItem(&d);
    return c.Pixels();
  }
  AFX_MAINTAIN_STATE2 frame{AfxGetStaticModuleState()};
  HWND parent = CreateWindowExA(0, "STATIC", "host", WS_POPUP, 0, 0, 300, 200, nullptr, nullptr, nullptr, nullptr);
  CFolderTree tree;
  CFolderListBox list;
};

}  // namespace

TEST_F(FolderDraw, AFolderIsIndentedWithItsTextAfterTheTransparentPicture) {
  Canvas c;
  const auto plain = Draw("W", ODA_DRAWENTIRE, 0, std::move(c));
  const COLORREF window = GetSysColor(COLOR_WINDOW);
  // The picture's top row (6) is drawn 4 pixels above the row: y = 2.
  // Tab outline from column 4, the picture's white transparent, yellow body, the indentation in the background.
  EXPECT_EQ((std::vector{c.At(kPictureX + 4, 2), c.At(kPictureX + 3, 2), c.At(kPictureX + 6, 7), c.At(0, 8)}),
            (std::vector{kGrey, window, RGB(255, 255, 0), window}));
  const int textX = FirstDifferentColumn(Draw("", ODA_DRAWENTIRE), plain);
  EXPECT_TRUE(textX >= kTextX && textX < kTextX + 6) << textX;
  EXPECT_EQ(Draw("W", ODA_DRAWENTIRE), plain) << "drawing leaves the shared picture unchanged";
  EXPECT_EQ(GetFolderBitmapsAliveForTesting(), 1) << "one picture, however often drawn";
}

TEST_F(FolderDraw, SelectionFocusAndSuspension) {
  Canvas selected;
  Draw("Alpha", ODA_SELECT, ODS_SELECTED, std::move(selected));
  for (const POINT p : {POINT{0, 0}, POINT{kPictureX - 1, 8}, POINT{kW - 1, 15}})
    EXPECT_EQ(selected.At(p.x, p.y), GetSysColor(COLOR_HIGHLIGHT)) << p.x << "," << p.y;
  EXPECT_EQ(selected.At(kPictureX + 4, 2), kGrey);  // the picture over it
  const auto plain = Draw("Alpha", ODA_DRAWENTIRE), framed = Draw("Alpha", ODA_DRAWENTIRE, ODS_FOCUS);
  const int frameX = FirstDifferentColumn(plain, framed);
  EXPECT_TRUE(frameX >= kTextX - 1 && frameX < kTextX + 2) << frameX;  // around the text only
  tree.bSuspendDraw = 1;
  EXPECT_EQ(Draw("Alpha", ODA_DRAWENTIRE, ODS_SELECTED), Canvas().Pixels());
}

TEST_F(FolderDraw, TheDriveComboDrawsIconAndTextWithTheStateColours) {
  CDriveComboBox combo;
  ASSERT_TRUE(combo.SubclassWindow(Control(parent, "COMBOBOX", CBS_DROPDOWNLIST | CBS_OWNERDRAWVARIABLE, 1034)));
  lstrcpyA(combo.m_szEntry[0], " (D:)");
  ASSERT_EQ(combo.AddDriveItem(GetDriveShellInfo("D:\\").hIcon), 0);
  lstrcpyA(tree.szDriveText[0], "");
  for (const auto& [useTree, state, right] : {std::tuple{0, ODS_DISABLED | ODS_SELECTED, RGB(192, 192, 192)},
                                             std::tuple{1, ODS_SELECTED, GetSysColor(COLOR_HIGHLIGHT)}}) {
    combo.m_pFolderTree = useTree ? &tree : nullptr;  // the tree's text is empty: nothing right of the icon
    Canvas c;
    DRAWITEMSTRUCT d{ODT_LISTBOX, 0, 0, ODA_DRAWENTIRE, UINT(state), combo, c.dc, {0, 0, kW, kH}, combo.GetItemData(0)};
    combo.DrawItem(&d);
    EXPECT_EQ(c.At(kW - 1, 8), right);
    EXPECT_NE(c.At(5, 8), right) << "the icon";
    bool text = false;
    for (int x = 20; x < 60; ++x) text = text || c.At(x, 8) != right;
    EXPECT_EQ(text, useTree == 0) << useTree;
  }
}
