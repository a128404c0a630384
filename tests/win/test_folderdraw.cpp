// What the owner-drawn controls paint: pictures, indentation, the full-row
// highlight, the focus frame, the suspend rule, and the drive combo box.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "folderui/drivecombo.h"
#include "folderui/folderlist.h"
#include "folderui/foldertree.h"
#include "folderui/shellicons.h"
#include "folderui/transparentbitmap.h"
#include "framework/modulestate.h"
#include "res/ids_folderui.h"

namespace {

constexpr COLORREF kMagenta = RGB(255, 0, 255), kGrey = RGB(128, 128, 128);
constexpr int kW = 240, kH = 16;
// Level 3 indents by 30 pixels; the text follows the 26-pixel picture 3 pixels early.
constexpr int kPictureX = 30, kTextX = 30 + 26 - 3;

// A memory canvas of kW x kH pixels.
class Canvas {
 public:
  explicit Canvas(COLORREF fill = kMagenta) : m_dc(CreateCompatibleDC(nullptr)) {
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), kW, -kH, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    m_old = SelectObject(m_dc, CreateDIBSection(m_dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    Fill(fill);
  }
  ~Canvas() {
    DeleteObject(SelectObject(m_dc, m_old));
    DeleteDC(m_dc);
  }
  void Fill(COLORREF c) {
    HBRUSH b = CreateSolidBrush(c);
    RECT r{0, 0, kW, kH};
    FillRect(m_dc, &r, b);
    DeleteObject(b);
  }
  COLORREF At(int x, int y) const { return GetPixel(m_dc, x, y); }
  // True when every pixel from column x0 on has colour c.
  bool OnlyFrom(int x0, COLORREF c) const {
    for (int x = x0; x < kW; ++x)
      for (int y = 0; y < kH; ++y)
        if (At(x, y) != c) return false;
    return true;
  }
  std::vector<COLORREF> Snapshot() const {
    std::vector<COLORREF> s(kW * kH);
    for (std::size_t i = 0; i < s.size(); ++i) s[i] = At(static_cast<int>(i % kW), static_cast<int>(i / kW));
    return s;
  }
  HDC m_dc;

 private:
  HGDIOBJ m_old;
};

// The leftmost column in which two snapshots differ (kW when none).
int FirstDifferentColumn(const std::vector<COLORREF>& a, const std::vector<COLORREF>& b) {
  int first = kW;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (a[i] != b[i]) first = std::min(first, static_cast<int>(i % kW));
  return first;
}

// A parent window with an owner-drawn list box and combo box.
struct Host {
  HWND parent = CreateWindowExA(0, "STATIC", "host", WS_POPUP, 0, 0, 300, 200, nullptr, nullptr, nullptr, nullptr);
  HWND list = CreateWindowExA(0, "LISTBOX", "", WS_CHILD | LBS_OWNERDRAWVARIABLE | LBS_NOTIFY, 0, 0, kW, 100, parent,
                              reinterpret_cast<HMENU>(IDC_DIR_FOLDERS), nullptr, nullptr);
  HWND combo = CreateWindowExA(0, "COMBOBOX", "", WS_CHILD | CBS_DROPDOWNLIST | CBS_OWNERDRAWVARIABLE, 0, 0, kW, 100,
                               parent, reinterpret_cast<HMENU>(IDC_DIR_DRIVES), nullptr, nullptr);
  ~Host() { DestroyWindow(parent); }
};

DRAWITEMSTRUCT Draw(HWND hwnd, HDC dc, UINT id, UINT action, UINT state, ULONG_PTR data) {
  return {ODT_LISTBOX, 0, id, action, state, hwnd, dc, {0, 0, kW, kH}, data};
}

class FolderDrawTest : public testing::Test {
 protected:
  void SetUp() override {
    tree.AppendNode()->nLevel = 3;  // the node list item 0 reads
    list.m_pTree = &tree;
    ASSERT_TRUE(list.SubclassWindow(host.list));
  }
  // Adds the one list item and returns its data.
  CFolderItem* Add(const char* text, UINT bitmap = kClosedFolderBitmap) {
    EXPECT_EQ(list.AddFolder(text, bitmap, 0), 0);
    return list.GetFolderItem(0);
  }
  void DrawOn(Canvas& c, CFolderItem* item, UINT action, UINT state = 0) {
    auto d = Draw(list, c.m_dc, 0, action, state, reinterpret_cast<ULONG_PTR>(item));
    list.DrawItem(&d);
  }
  AFX_MAINTAIN_STATE2 frame{AfxGetStaticModuleState()};
  CFolderTree tree;
  Host host;
  CFolderListBox list;
  Canvas canvas;
};

}  // namespace

TEST_F(FolderDrawTest, ALevelThreeFolderIsIndentedWithItsTextAfterThePicture) {
  CFolderItem* item = Add("W");
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(item->nLevel, 3);
  DrawOn(canvas, item, ODA_DRAWENTIRE);
  EXPECT_EQ(item->nWidth, 26);
  EXPECT_EQ(item->nHeight, 26);
  const COLORREF window = GetSysColor(COLOR_WINDOW);
  // The picture's top row (6) is drawn 4 pixels above the row: y = 2.
  EXPECT_EQ(canvas.At(kPictureX + 4, 2), kGrey);  // tab outline from column 4
  EXPECT_EQ(canvas.At(kPictureX + 3, 2), window);  // the picture's white is transparent
  EXPECT_EQ(canvas.At(kPictureX + 6, 7), RGB(255, 255, 0));  // yellow body
  EXPECT_EQ(canvas.At(kPictureX + 10, 14), RGB(0, 0, 0));    // shadow, picture row 18
  EXPECT_EQ(canvas.At(0, 8), window);                        // the indentation takes the background
  EXPECT_EQ(canvas.At(kPictureX - 1, 8), window);

  Canvas bare;
  item->strText = "";
  DrawOn(bare, item, ODA_DRAWENTIRE);
  const int textX = FirstDifferentColumn(bare.Snapshot(), canvas.Snapshot());
  EXPECT_GE(textX, kTextX);
  EXPECT_LT(textX, kTextX + 6);
}

TEST_F(FolderDrawTest, ASelectedRowIsHighlightedAcrossItsFullWidth) {
  DrawOn(canvas, Add("Alpha", kOpenFolderBitmap), ODA_SELECT, ODS_SELECTED);
  const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
  for (const POINT p : {POINT{0, 0}, POINT{0, 15}, POINT{kPictureX - 1, 8}, POINT{kW - 1, 8}})
    EXPECT_EQ(canvas.At(p.x, p.y), highlight) << p.x << "," << p.y;
  EXPECT_EQ(canvas.At(kPictureX + 4, 2), kGrey);  // the picture over it
}

TEST_F(FolderDrawTest, NothingIsPaintedWhileDrawingIsSuspendedOrForNoItem) {
  CFolderItem* item = Add("Alpha", kOpenFolderBitmap);
  const auto blank = canvas.Snapshot();
  tree.bSuspendDraw = 1;
  DrawOn(canvas, item, ODA_DRAWENTIRE, ODS_SELECTED);
  EXPECT_EQ(canvas.Snapshot(), blank);
  tree.bSuspendDraw = 0;
  auto none = Draw(list, canvas.m_dc, static_cast<UINT>(-1), ODA_DRAWENTIRE, 0, 0);
  list.DrawItem(&none);
  EXPECT_EQ(canvas.Snapshot(), blank);
}

TEST_F(FolderDrawTest, TheFocusFrameSurroundsTheTextAndGoesAgain) {
  CFolderItem* item = Add("Alpha");
  DrawOn(canvas, item, ODA_DRAWENTIRE);
  const auto plain = canvas.Snapshot();
  DrawOn(canvas, item, ODA_FOCUS, ODS_FOCUS);
  const auto framed = canvas.Snapshot();
  const int frameX = FirstDifferentColumn(plain, framed);
  EXPECT_GE(frameX, kTextX - 1);  // right of the picture, around the text only
  EXPECT_LT(frameX, kTextX + 2);
  DrawOn(canvas, item, ODA_FOCUS);
  EXPECT_EQ(canvas.Snapshot(), plain);
  DrawOn(canvas, item, ODA_DRAWENTIRE, ODS_FOCUS);  // drawn entire with the focus: framed at once
  EXPECT_EQ(canvas.Snapshot(), framed);
}

TEST_F(FolderDrawTest, ItemsAreMeasuredAndDeletedAndShareTheListsPicture) {
  MEASUREITEMSTRUCT item{0, 0, 0, 0, 0, 1}, none{};
  list.MeasureItem(&item);
  list.MeasureItem(&none);
  EXPECT_EQ(item.itemHeight, 16u);
  EXPECT_EQ(none.itemHeight, 15u);
  const long before = GetFolderBitmapsAliveForTesting();
  CFolderItem* folder = Add("Alpha");
  DrawOn(canvas, folder, ODA_DRAWENTIRE);
  DrawOn(canvas, folder, ODA_DRAWENTIRE, ODS_SELECTED);
  EXPECT_EQ(GetFolderBitmapsAliveForTesting(), before + 1);
  // The host window does not reflect WM_DELETEITEM: hand it over directly.
  DELETEITEMSTRUCT del{ODT_LISTBOX, IDC_DIR_FOLDERS, 0, list, reinterpret_cast<ULONG_PTR>(folder)};
  list.DeleteItem(&del);
  list.SendMessage(LB_SETITEMDATA, 0, 0);
  list.DeleteString(0);
  DrawOn(canvas, Add("Beta"), ODA_DRAWENTIRE);  // the next item draws the same picture
  EXPECT_EQ(GetFolderBitmapsAliveForTesting(), before + 1);
}

TEST(DrawTransparentBitmap, LeavesTheTransparentColourUnpaintedAndTheBitmapUnchanged) {
  AFX_MAINTAIN_STATE2 frame(AfxGetStaticModuleState());
  HBITMAP bmp = LoadBitmapA(AfxGetResourceHandle(), MAKEINTRESOURCEA(kOpenFolderBitmap));
  ASSERT_NE(bmp, nullptr);
  const Canvas canvas(RGB(255, 0, 0));
  DrawTransparentBitmap(canvas.m_dc, bmp, 10, -4, RGB(255, 255, 255));
  EXPECT_EQ(canvas.At(0, 0), RGB(255, 0, 0));
  EXPECT_EQ(canvas.At(12, 0), RGB(255, 0, 0));      // bitmap (2,4): background
  EXPECT_EQ(canvas.At(14, 2), kGrey);               // bitmap (4,6): tab outline
  EXPECT_EQ(canvas.At(15, 3), RGB(192, 192, 192));  // bitmap (5,7): tab detail
  HDC dc = CreateCompatibleDC(nullptr);  // the caller's bitmap is unchanged
  HGDIOBJ old = SelectObject(dc, bmp);
  EXPECT_EQ(GetPixel(dc, 0, 0), RGB(255, 255, 255));
  EXPECT_EQ(GetPixel(dc, 4, 6), kGrey);
  DeleteObject(SelectObject(dc, old));
  DeleteDC(dc);
}

TEST(DriveComboBox, DrawsIconAndTextWithTheStateColoursAndReleasesIcons) {
  Host host;
  CFolderTree tree;
  const ShellIconCounts before = GetShellIconCountsForTesting();
  {
    CDriveComboBox combo;
    ASSERT_TRUE(combo.SubclassWindow(host.combo));
    lstrcpyA(combo.m_szEntry[0], " (D:)");
    ASSERT_EQ(combo.AddDriveItem(GetDriveShellInfo("D:\\").hIcon), 0);
    ASSERT_EQ(combo.AddDriveItem(GetDriveShellInfo("E:\\").hIcon), 1);
    MEASUREITEMSTRUCT m{};
    combo.MeasureItem(&m);
    EXPECT_EQ(m.itemHeight, 16u);

    Canvas canvas;
    auto d = Draw(combo, canvas.m_dc, 0, ODA_DRAWENTIRE, ODS_DISABLED | ODS_SELECTED, combo.GetItemData(0));
    combo.DrawItem(&d);
    EXPECT_EQ(canvas.At(kW - 1, 8), RGB(192, 192, 192));
    EXPECT_NE(canvas.At(5, 8), kMagenta);

    // Item 1 has an empty text: the icon alone, nothing right of its column;
    // with the texts from the folder tree its text shows.
    auto e = Draw(combo, canvas.m_dc, 1, ODA_DRAWENTIRE, ODS_SELECTED, combo.GetItemData(1));
    lstrcpyA(tree.szDriveText[1], " (E:)");
    for (const int useTree : {0, 1}) {
      combo.m_pFolderTree = useTree ? &tree : nullptr;
      canvas.Fill(kMagenta);
      combo.DrawItem(&e);
      EXPECT_EQ(canvas.OnlyFrom(17, GetSysColor(COLOR_HIGHLIGHT)), useTree == 0) << useTree;
    }

    combo.RemoveAllDrives();
    EXPECT_EQ(combo.GetCount(), 0);
    combo.AddDriveItem(GetDriveShellInfo("D:\\").hIcon);
    combo.DestroyWindow();  // its icon goes with it
  }
  const ShellIconCounts after = GetShellIconCountsForTesting();
  EXPECT_EQ(after.obtained - before.obtained, 3);
  EXPECT_EQ(after.destroyed - before.destroyed, 3);
}
