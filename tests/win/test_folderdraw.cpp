// What the owner-drawn controls paint: pictures, indentation, the full-row
// highlight, the focus frame, the suspend rule, and the drive combo box.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "folderui/drivecombo.h"
#include "folderui/folderlist.h"
#include "folderui/foldertree.h"
#include "folderui/shellicons.h"
#include "folderui/transparentbitmap.h"
#include "framework/modulestate.h"

namespace {

constexpr COLORREF kMagenta = RGB(255, 0, 255);
constexpr int kW = 240, kH = 16;

// A memory canvas of kW x kH pixels, filled with magenta.
class Canvas {
 public:
  Canvas() : m_dc(CreateCompatibleDC(nullptr)) {
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), kW, -kH, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    m_bmp = CreateDIBSection(m_dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    m_old = SelectObject(m_dc, m_bmp);
    Fill(kMagenta);
  }
  ~Canvas() {
    SelectObject(m_dc, m_old);
    DeleteObject(m_bmp);
    DeleteDC(m_dc);
  }
  void Fill(COLORREF c) {
    HBRUSH b = CreateSolidBrush(c);
    RECT r{0, 0, kW, kH};
    FillRect(m_dc, &r, b);
    DeleteObject(b);
  }
  COLORREF At(int x, int y) const { return GetPixel(m_dc, x, y); }
  std::vector<COLORREF> Snapshot() const {
    std::vector<COLORREF> s;
    for (int y = 0; y < kH; ++y)
      for (int x = 0; x < kW; ++x) s.push_back(At(x, y));
    return s;
  }
  HDC m_dc;

 private:
  HBITMAP m_bmp;
  HGDIOBJ m_old;
};

// A parent window with an owner-drawn list box and combo box.
class Host {
 public:
  Host() {
    m_parent = CreateWindowExA(0, "STATIC", "host", WS_POPUP, 0, 0, 300, 200, nullptr, nullptr, nullptr, nullptr);
    m_list = CreateWindowExA(0, "LISTBOX", "", WS_CHILD | LBS_OWNERDRAWVARIABLE | LBS_NOTIFY, 0, 0, kW, 100, m_parent,
                             reinterpret_cast<HMENU>(1035), nullptr, nullptr);
    m_combo = CreateWindowExA(0, "COMBOBOX", "", WS_CHILD | CBS_DROPDOWNLIST | CBS_OWNERDRAWVARIABLE, 0, 0, kW, 100,
                              m_parent, reinterpret_cast<HMENU>(1034), nullptr, nullptr);
  }
  ~Host() { DestroyWindow(m_parent); }
  HWND m_parent, m_list, m_combo;
};

DRAWITEMSTRUCT Draw(HWND hwnd, HDC dc, UINT id, UINT action, UINT state, ULONG_PTR data) {
  DRAWITEMSTRUCT d{};
  d.CtlType = ODT_LISTBOX;
  d.itemID = id;
  d.itemAction = action;
  d.itemState = state;
  d.hwndItem = hwnd;
  d.hDC = dc;
  d.rcItem = {0, 0, kW, kH};
  d.itemData = data;
  return d;
}

class FolderDrawTest : public testing::Test {
 protected:
  void SetUp() override {
    // A node at level 3, as list item 0 reads it.
    FOLDERNODE* n = tree.AppendNode();
    n->nLevel = 3;
    g_pFolderTree = &tree;
    ASSERT_TRUE(list.SubclassWindow(host.m_list));
  }
  void TearDown() override { g_pFolderTree = nullptr; }
  AFX_MAINTAIN_STATE2 frame{AfxGetStaticModuleState()};
  CFolderTree tree;
  Host host;
  CFolderListBox list;
  Canvas canvas;
};

}  // namespace

TEST_F(FolderDrawTest, ALevelThreeFolderIsIndentedThirtyPixelsWithItsTextAfterThePicture) {
  ASSERT_EQ(list.AddFolder("W", kClosedFolderBitmap, 0), 0);
  CFolderItem* item = list.GetFolderItem(0);
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(item->nLevel, 3);
  auto d = Draw(list, canvas.m_dc, 0, ODA_DRAWENTIRE, 0, reinterpret_cast<ULONG_PTR>(item));
  list.DrawItem(&d);
  EXPECT_EQ(item->nWidth, 26);
  EXPECT_EQ(item->nHeight, 26);
  const COLORREF window = GetSysColor(COLOR_WINDOW);
  // The picture's row 6 is its top row (grey tab outline from column 4),
  // drawn 4 pixels above the row: y = 2, x = 30 + 4.
  EXPECT_EQ(canvas.At(34, 2), RGB(128, 128, 128));
  EXPECT_EQ(canvas.At(33, 2), window);  // white of the picture is transparent
  EXPECT_EQ(canvas.At(36, 7), RGB(255, 255, 0));  // yellow body
  EXPECT_EQ(canvas.At(40, 14), RGB(0, 0, 0));     // shadow, bitmap row 18
  EXPECT_EQ(canvas.At(0, 8), window);             // the indentation takes the background
  EXPECT_EQ(canvas.At(29, 8), window);

  // The text starts 23 pixels after the picture's left edge: compare with
  // the same item drawn without text.
  Canvas bare;
  item->strText = "";
  auto d2 = Draw(list, bare.m_dc, 0, ODA_DRAWENTIRE, 0, reinterpret_cast<ULONG_PTR>(item));
  list.DrawItem(&d2);
  int firstDiff = kW;
  for (int x = 0; x < kW && firstDiff == kW; ++x)
    for (int y = 0; y < kH; ++y)
      if (bare.At(x, y) != canvas.At(x, y)) {
        firstDiff = x;
        break;
      }
  EXPECT_GE(firstDiff, 30 + 26 - 3);
  EXPECT_LT(firstDiff, 30 + 26 - 3 + 6);
}

TEST_F(FolderDrawTest, ASelectedRowIsHighlightedAcrossItsFullWidth) {
  list.AddFolder("Alpha", kOpenFolderBitmap, 0);
  auto d = Draw(list, canvas.m_dc, 0, ODA_SELECT, ODS_SELECTED, reinterpret_cast<ULONG_PTR>(list.GetFolderItem(0)));
  list.DrawItem(&d);
  const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
  EXPECT_EQ(canvas.At(0, 0), highlight);
  EXPECT_EQ(canvas.At(0, 15), highlight);
  EXPECT_EQ(canvas.At(29, 8), highlight);
  EXPECT_EQ(canvas.At(kW - 1, 8), highlight);
  EXPECT_EQ(canvas.At(34, 2), RGB(128, 128, 128));  // the picture over it
}

TEST_F(FolderDrawTest, NothingIsPaintedWhileDrawingIsSuspendedOrForNoItem) {
  list.AddFolder("Alpha", kOpenFolderBitmap, 0);
  const auto blank = canvas.Snapshot();
  tree.bSuspendDraw = 1;
  auto d = Draw(list, canvas.m_dc, 0, ODA_DRAWENTIRE, ODS_SELECTED, reinterpret_cast<ULONG_PTR>(list.GetFolderItem(0)));
  list.DrawItem(&d);
  EXPECT_EQ(canvas.Snapshot(), blank);
  tree.bSuspendDraw = 0;
  auto none = Draw(list, canvas.m_dc, static_cast<UINT>(-1), ODA_DRAWENTIRE, 0, 0);
  list.DrawItem(&none);
  EXPECT_EQ(canvas.Snapshot(), blank);
}

TEST_F(FolderDrawTest, TheFocusFrameSurroundsTheTextAndGoesAgain) {
  list.AddFolder("Alpha", kClosedFolderBitmap, 0);
  auto item = reinterpret_cast<ULONG_PTR>(list.GetFolderItem(0));
  auto body = Draw(list, canvas.m_dc, 0, ODA_DRAWENTIRE, 0, item);
  list.DrawItem(&body);
  const auto plain = canvas.Snapshot();
  auto focus = Draw(list, canvas.m_dc, 0, ODA_FOCUS, ODS_FOCUS, item);
  list.DrawItem(&focus);
  const auto framed = canvas.Snapshot();
  EXPECT_NE(framed, plain);
  // The frame lies right of the picture, around the text only.
  int firstChanged = kW;
  for (std::size_t i = 0; i < plain.size(); ++i) {
    if (plain[i] == framed[i]) continue;
    const int x = static_cast<int>(i % kW);
    if (x < firstChanged) firstChanged = x;
  }
  EXPECT_GE(firstChanged, 30 + 26 - 3 - 1);
  EXPECT_LT(firstChanged, 30 + 26 - 3 + 2);
  auto unfocus = Draw(list, canvas.m_dc, 0, ODA_FOCUS, 0, item);
  list.DrawItem(&unfocus);
  EXPECT_EQ(canvas.Snapshot(), plain);
  // Drawn entire with the focus, the item shows the frame at once.
  auto whole = Draw(list, canvas.m_dc, 0, ODA_DRAWENTIRE, ODS_FOCUS, item);
  list.DrawItem(&whole);
  EXPECT_EQ(canvas.Snapshot(), framed);
}

TEST_F(FolderDrawTest, ItemsAreMeasuredAndDeletedWithTheirBitmaps) {
  MEASUREITEMSTRUCT m{};
  m.itemData = 1;
  list.MeasureItem(&m);
  EXPECT_EQ(m.itemHeight, 16u);
  m.itemData = 0;
  list.MeasureItem(&m);
  EXPECT_EQ(m.itemHeight, 15u);

  const long before = GetFolderBitmapsAliveForTesting();
  list.AddFolder("Alpha", kClosedFolderBitmap, 0);
  auto d = Draw(list, canvas.m_dc, 0, ODA_DRAWENTIRE, 0, reinterpret_cast<ULONG_PTR>(list.GetFolderItem(0)));
  list.DrawItem(&d);
  EXPECT_EQ(GetFolderBitmapsAliveForTesting(), before + 1);
  // The host window does not reflect WM_DELETEITEM: hand it over directly.
  DELETEITEMSTRUCT del{ODT_LISTBOX, 1035, 0, list, reinterpret_cast<ULONG_PTR>(list.GetFolderItem(0))};
  list.DeleteItem(&del);
  EXPECT_EQ(GetFolderBitmapsAliveForTesting(), before);
  list.SendMessage(LB_SETITEMDATA, 0, 0);
}

TEST(DrawTransparentBitmap, LeavesTheTransparentColourUnpainted) {
  AFX_MAINTAIN_STATE2 frame(AfxGetStaticModuleState());
  HBITMAP bmp = LoadBitmapA(AfxGetResourceHandle(), MAKEINTRESOURCEA(kOpenFolderBitmap));
  ASSERT_NE(bmp, nullptr);
  Canvas canvas;
  canvas.Fill(RGB(255, 0, 0));
  DrawTransparentBitmap(canvas.m_dc, bmp, 10, -4, RGB(255, 255, 255));
  EXPECT_EQ(canvas.At(0, 0), RGB(255, 0, 0));
  EXPECT_EQ(canvas.At(12, 0), RGB(255, 0, 0));          // bitmap (2,4): background
  EXPECT_EQ(canvas.At(14, 2), RGB(128, 128, 128));      // bitmap (4,6): tab outline
  EXPECT_EQ(canvas.At(15, 3), RGB(192, 192, 192));      // bitmap (5,7): tab detail
  // The caller's bitmap is unchanged.
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, bmp);
  EXPECT_EQ(GetPixel(dc, 0, 0), RGB(255, 255, 255));
  EXPECT_EQ(GetPixel(dc, 4, 6), RGB(128, 128, 128));
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(bmp);
}

TEST(DriveComboBox, DrawsIconAndTextWithTheStateColoursAndReleasesIcons) {
  Host host;
  CFolderTree tree;
  const ShellIconCounts before = GetShellIconCountsForTesting();
  {
    CDriveComboBox combo;
    ASSERT_TRUE(combo.SubclassWindow(host.m_combo));
    combo.m_bUseFolderTree = 0;
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
    EXPECT_NE(canvas.At(5, 8), RGB(255, 0, 255));

    // An empty text: the icon alone, nothing right of its column.
    canvas.Fill(kMagenta);
    auto e = Draw(combo, canvas.m_dc, 1, ODA_DRAWENTIRE, ODS_SELECTED, combo.GetItemData(1));
    combo.DrawItem(&e);
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    for (int x = 17; x < kW; ++x)
      for (int y = 0; y < kH; ++y) ASSERT_EQ(canvas.At(x, y), highlight) << x << "," << y;

    // Texts from the folder tree.
    combo.m_bUseFolderTree = 1;
    g_pFolderTree = &tree;
    lstrcpyA(tree.szDriveText[1], " (E:)");
    canvas.Fill(kMagenta);
    combo.DrawItem(&e);
    bool textSeen = false;
    for (int x = 17; x < kW; ++x)
      for (int y = 0; y < kH; ++y) textSeen = textSeen || canvas.At(x, y) != highlight;
    EXPECT_TRUE(textSeen);
    g_pFolderTree = nullptr;

    combo.RemoveAllDrives();
    EXPECT_EQ(combo.GetCount(), 0);
    combo.AddDriveItem(GetDriveShellInfo("D:\\").hIcon);
    combo.DestroyWindow();  // its icon goes with it
  }
  const ShellIconCounts after = GetShellIconCountsForTesting();
  EXPECT_EQ(after.obtained - before.obtained, 3);
  EXPECT_EQ(after.destroyed - before.destroyed, 3);
}
