#include "folderui/foldertree.h"

#include <direct.h>
#include <windows.h>

#include <vector>

#include "core/cp932.h"
#include "core/folderorder.h"

void CopyToBuffer(char* buffer, std::size_t size, const std::string& text) {
  const std::size_t n = vtk::ClampToCharBoundary(text, size - 1);
  text.copy(buffer, n);
  buffer[n] = '\0';
}

namespace {

constexpr std::size_t kMaxPathBytes = kNodePath - 1;

// A search of `pattern` that sees more than one entry. An existing folder
// other than a root shows at least its "." and "..".
bool SearchFindsMoreThanOne(const std::string& pattern) {
  WIN32_FIND_DATAA fd;
  HANDLE h = ::FindFirstFileA(pattern.c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return false;
  const bool more = ::FindNextFileA(h, &fd) != FALSE;
  ::FindClose(h);
  return more;
}

std::string CurrentDirectoryOfCurrentDrive() {
  char buf[kNodePath + 1] = {};
  if (!_getdcwd(_getdrive(), buf, kNodePath)) return std::string();
  return buf;
}

std::string AbsolutePath(const std::string& dir) {
  char buf[MAX_PATH * 2] = {};
  const DWORD n = ::GetFullPathNameA(dir.c_str(), sizeof buf, buf, nullptr);
  return (n == 0 || n >= sizeof buf) ? dir : std::string(buf, n);
}

}  // namespace

FOLDERNODE* CFolderTree::NewNodeAfter(FOLDERNODE* prev) {
  auto* node = new FOLDERNODE{};
  if (prev) {
    node->pNext = prev->pNext;
    prev->pNext = node;
  } else {
    pHead = node;
  }
  ForgetCursor();
  return node;
}

FOLDERNODE* CFolderTree::AppendNode() {
  FOLDERNODE* last = pHead;
  while (last && last->pNext) last = last->pNext;
  return NewNodeAfter(last);
}

FOLDERNODE* CFolderTree::GetNodeAt(int index) {
  if (index < 0) return nullptr;
  FOLDERNODE* node = pHead;
  int i = 0;
  if (m_pCursor && m_nCursor <= index) {
    node = m_pCursor;
    i = m_nCursor;
  }
  for (; node && i < index; ++i) node = node->pNext;
  if (!node) return nullptr;
  m_pCursor = node;
  m_nCursor = index;
  return node;
}

void CFolderTree::RemoveAllNodes() {
  while (pHead) {
    FOLDERNODE* next = pHead->pNext;
    delete pHead;
    pHead = next;
  }
  ForgetCursor();
}

int CFolderTree::RemoveDescendants(int k) {
  FOLDERNODE* node = GetNodeAt(k);
  if (!node) return 0;
  int removed = 0;
  while (node->pNext && node->pNext->nLevel > node->nLevel) {
    FOLDERNODE* gone = node->pNext;
    node->pNext = gone->pNext;
    delete gone;
    ++removed;
  }
  ForgetCursor();
  return removed;
}

bool CFolderTree::GetPathComponent(const std::string& path, int n) {
  std::string component, prefix;
  const bool found = vtk::GetPathComponent(path, n, component, prefix);
  CopyToBuffer(szComponent, sizeof szComponent, component);
  CopyToBuffer(szPrefix, sizeof szPrefix, prefix);
  return found;
}

void CFolderTree::BuildFromRoot(const std::string& root) {
  FOLDERNODE* node = AppendNode();
  const std::string r = root.substr(0, vtk::ClampToCharBoundary(root, 3));
  CopyToBuffer(node->szName, sizeof node->szName, r);
  CopyToBuffer(node->szPath, sizeof node->szPath, r);
  InsertSubFolders(0);
}

void CFolderTree::BuildFromPath(std::string& path) {
  if (path.size() == 3 && vtk::StartsWithDriveRoot(path)) {
    BuildFromRoot(path);
    return;
  }
  // The walk below assumes a drive root in the first 3 bytes; anything else
  // is treated as a path that cannot be searched.
  if (!vtk::StartsWithDriveRoot(path) || path.size() > kMaxPathBytes ||
      !SearchFindsMoreThanOne(path + (vtk::EndsWithBackslash(path) ? "*.*" : "\\*.*"))) {
    path = CurrentDirectoryOfCurrentDrive();
    if (!vtk::StartsWithDriveRoot(path)) return;  // say a network share: no tree
  }
  // A root reached through the fallback stays closed: its sub-folders come
  // when the user opens it.
  FOLDERNODE* root = AppendNode();
  CopyToBuffer(root->szName, sizeof root->szName, path.substr(0, 3));
  CopyToBuffer(root->szPath, sizeof root->szPath, path.substr(0, 3));
  for (int n = 1; GetPathComponent(path, n); ++n) {
    FOLDERNODE* node = AppendNode();
    CopyToBuffer(node->szName, sizeof node->szName, szComponent);
    CopyToBuffer(node->szPath, sizeof node->szPath, szPrefix);
    node->nLevel = n;
    ++nCurrent;
  }
}

int CFolderTree::InsertSubFolders(int k) {
  FOLDERNODE* parent = GetNodeAt(k);
  if (!parent) return 0;
  const std::string dir = parent->szPath;
  const std::string pattern = dir + (k == 0 ? "*.*" : "\\*.*");
  std::string base = AbsolutePath(dir);
  if (!vtk::EndsWithBackslash(base)) base += '\\';

  std::vector<vtk::SubFolder> found;
  WIN32_FIND_DATAA fd;
  HANDLE h = ::FindFirstFileA(pattern.c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return 0;
  do {
    if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) continue;
    const std::string name = fd.cFileName;
    if (name == "." || name == "..") continue;
    std::string full = base + name;
    // The node could not hold it, and no ANSI call could open it.
    if (full.size() > kMaxPathBytes) continue;
    found.push_back({name, std::move(full)});
  } while (::FindNextFileA(h, &fd));
  ::FindClose(h);

  vtk::OrderSubFolders(found);
  FOLDERNODE* prev = parent;
  const int level = parent->nLevel + 1;
  for (const vtk::SubFolder& f : found) {
    FOLDERNODE* node = NewNodeAfter(prev);
    CopyToBuffer(node->szName, sizeof node->szName, f.name);
    CopyToBuffer(node->szPath, sizeof node->szPath, f.path);
    node->nLevel = level;
    prev = node;
  }
  return static_cast<int>(found.size());
}
