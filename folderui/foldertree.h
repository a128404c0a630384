// The folder tree behind the directory chooser's folder list: one drive's
// root, the chain of folders down to the current one and the sub-folders of
// every opened folder, in list order (node i is list item i), each with its
// depth. The chooser owns it and shows each node in its folder list.
#pragma once
#include <string>

constexpr int kNodePath = 260;  // the platform's path limit, 259 + 1
constexpr int kNodeName = 256;  // a folder name, 255 + 1

struct FOLDERNODE {
  FOLDERNODE* pNext;
  char szPath[kNodePath];  // a root keeps its backslash (C:\), no other path has one
  char szName[kNodeName];  // the root's 3-byte path, else the folder's name
  int nLevel;              // 0 for the root
  int bOpen;
};

class CFolderTree {
 public:
  CFolderTree() = default;
  ~CFolderTree() { RemoveAllNodes(); }
  CFolderTree(const CFolderTree&) = delete;
  CFolderTree& operator=(const CFolderTree&) = delete;

  FOLDERNODE* pHead = nullptr;
  int nCurrent = 0;  // the current folder (the parent folder in create mode)
  // Scratch of GetPathComponent.
  char szComponent[kNodeName] = {};
  char szPrefix[kNodePath] = {};

  // The root and one node per component of `path`; nCurrent becomes the
  // index of the last. A path without a drive root, or one that cannot be
  // searched, is first replaced by the current directory of the current
  // drive (the caller sees the replacement). A root alone is built as by
  // BuildFromRoot.
  void BuildFromPath(std::string& path);
  // The root (cut to 3 bytes) and its sub-folders.
  void BuildFromRoot(const std::string& root);
  // Fills szComponent and szPrefix with component n (1, 2, ...) of `path`.
  bool GetPathComponent(const std::string& path, int n);
  // Inserts the sub-folders of node k right after it, one level deeper and
  // closed, in the folder list's order; returns how many. A folder that
  // cannot be searched, and a sub-folder whose full path would pass the
  // path limit, contribute nothing.
  int InsertSubFolders(int k);
  // Walks from pHead (resuming from the last node asked for when walking
  // on, so a pass over the list stays linear). Null when out of range.
  FOLDERNODE* GetNodeAt(int index);
  void RemoveAllNodes();
  // A new node (empty path and name, level 0, closed) linked at the end.
  FOLDERNODE* AppendNode();
  // Unlinks and frees the nodes after node k that are deeper than it (its
  // opened sub-tree); returns how many.
  int RemoveDescendants(int k);

 private:
  FOLDERNODE* NewNodeAfter(FOLDERNODE* prev);
  void ForgetCursor() { m_pCursor = nullptr; m_nCursor = -1; }

  FOLDERNODE* m_pCursor = nullptr;
  int m_nCursor = -1;
};

// Copies `text` into a node or tree buffer of `size` bytes, cut at a
// character boundary when it does not fit.
void CopyToBuffer(char* buffer, std::size_t size, const std::string& text);
