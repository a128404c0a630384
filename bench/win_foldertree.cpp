// Opening a folder of 20,000 sub-folders (mixed case, double-byte names):
// the tree's InsertSubFolders and the chooser's double-click, against a bare
// FindFirstFile/FindNextFile listing of the same folder. Prints figures and
// ratios; run it under the Windows runtime. Targets: the tree within 3 x the
// bare listing, the chooser's opening under one second.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "folderui/directorydialog.h"
#include "folderui/foldertree.h"
#include "framework/winapp.h"
#include "res/ids_folderui.h"
#include "support/drives.h"
#include "support/scripted_user.h"
#include "support/text.h"

namespace {

constexpr int kFolders = 20000;
const char kBench[] = "D:\\bench";

double Now() {
  LARGE_INTEGER f, t;
  QueryPerformanceFrequency(&f);
  QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) / static_cast<double>(f.QuadPart);
}

std::string NameOf(int i) {
  static const std::string kanji[] = {test::Sjis(u8"表"), test::Sjis(u8"録音"), test::Sjis(u8"ｶﾅ"), test::Sjis(u8"ソ")};
  std::string n;
  if (i % 5 == 0) n.append(kanji[i % 4]);
  n.push_back(i % 3 == 0 ? 'F' : 'f');
  n.append(std::to_string((i * 7919) % kFolders));
  if (i % 7 == 0) n.append(kanji[(i / 7) % 4]);
  return n;
}

int CountFolders() {
  int n = 0;
  WIN32_FIND_DATAA fd;
  HANDLE h = FindFirstFileA((std::string(kBench) + "\\*.*").c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return 0;
  do {
    if ((fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && fd.cFileName[0] != '.') ++n;
  } while (FindNextFileA(h, &fd));
  FindClose(h);
  return n;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

}  // namespace

int main() {
  if (!AfxAttachModule(GetModuleHandleA(nullptr))) return 1;
  if (CountFolders() != kFolders) {
    test::RemoveTree(kBench);
    CreateDirectoryA(kBench, nullptr);
    for (int i = 0; i < kFolders; ++i) CreateDirectoryA((std::string(kBench) + "\\" + NameOf(i)).c_str(), nullptr);
  }
  std::printf("sub-folders: %d\n", CountFolders());

  std::vector<double> bare, tree;
  for (int run = 0; run < 5; ++run) {
    double t = Now();
    const int n = CountFolders();
    bare.push_back(Now() - t);
    CFolderTree ft;
    std::string p = kBench;
    ft.BuildFromPath(p);
    t = Now();
    const int k = ft.InsertSubFolders(ft.nCurrent);
    tree.push_back(Now() - t);
    if (k != n) std::printf("inserted %d of %d\n", k, n);
  }
  std::printf("bare FindFirstFile/FindNextFile listing: %.1f ms (median of 5)\n", Median(bare) * 1e3);
  std::printf("CFolderTree::InsertSubFolders:           %.1f ms (median of 5), ratio %.2f (target <= 3)\n",
              Median(tree) * 1e3, Median(tree) / Median(bare));

  // The floor: the same number of insertions into a plain owner-drawn list
  // box that nobody subclasses, with no folder item behind them.
  {
    HWND parent = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 300, 300, nullptr, nullptr, nullptr, nullptr);
    HWND list = CreateWindowExA(0, "LISTBOX", "", WS_CHILD | LBS_OWNERDRAWVARIABLE | LBS_NOTIFY | WS_VSCROLL, 0, 0, 200,
                                200, parent, nullptr, nullptr, nullptr);
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    const double t = Now();
    for (int i = 0; i < kFolders; ++i) SendMessageA(list, LB_INSERTSTRING, static_cast<WPARAM>(i), i + 1);
    std::printf("plain list box, %d insertions:            %.1f ms\n", kFolders, (Now() - t) * 1e3);
    double g = Now();
    for (int i = 0; i < kFolders; ++i) GetPropA(list, "VTKSUP.CWnd");
    std::printf("GetPropA x %d: %.1f ms\n", kFolders, (Now() - g) * 1e3);
    g = Now();
    for (int i = 0; i < kFolders; ++i) GetDlgItem(parent, 5);
    std::printf("GetDlgItem x %d: %.1f ms\n", kFolders, (Now() - g) * 1e3);
    DestroyWindow(parent);
  }

  std::vector<double> open, openPaint;
  for (int run = 0; run < 3; ++run) {
    test::ScriptedUser user;
    user.On(test::Sjis(u8"ﾃﾞｨﾚｸﾄﾘｰの選択"), [&](test::Window& w) {
      int item = -1;
      for (int i = 0; i < w.Send(IDC_DIR_FOLDERS, LB_GETCOUNT); ++i)
        if (lstrcmpA(static_cast<CDirectoryDialog*>(CWnd::FromHandlePermanent(w.hwnd))->Tree().GetNodeAt(i)->szName,
                     "bench") == 0)
          item = i;
      const double t = Now();
      w.Pick(IDC_DIR_FOLDERS, item, LBN_DBLCLK);
      open.push_back(Now() - t);
      UpdateWindow(w.Item(IDC_DIR_FOLDERS));
      openPaint.push_back(Now() - t);
      if (w.Send(IDC_DIR_FOLDERS, LB_GETCOUNT) < kFolders) std::printf("list has %d items\n", static_cast<int>(w.Send(IDC_DIR_FOLDERS, LB_GETCOUNT)));
      w.Click(IDCANCEL);
    });
    RunDirectoryDialog(DirectoryMode::kSelect, "D:\\");
  }
  std::printf("chooser double-click opening the folder:  %.1f ms, with the first paint %.1f ms (median of 3, target < 1000)\n",
              Median(open) * 1e3, Median(openPaint) * 1e3);
  AfxDetachModule();
  return 0;
}
