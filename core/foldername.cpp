#include "core/foldername.h"

#include <cstdio>

#include "core/pathrules.h"

namespace vtk {

std::string FormatDatedFolderName(const LocalDate& date, long long serial) {
  char buf[96];
  std::snprintf(buf, sizeof buf, "%d.%d.%d-%lld", date.year, date.month, date.day, serial);
  return buf;
}

namespace {

// Lowest serial whose name is free under `parent` (which ends in a
// backslash) and is not `avoid`.
std::string FirstFreeName(const std::string& parent, const LocalDate& date, const ExistsProbe& exists,
                          const std::string* avoid) {
  for (long long n = 1;; ++n) {
    std::string name = FormatDatedFolderName(date, n);
    if (exists(parent + name)) continue;
    if (avoid && name == *avoid) continue;
    return name;
  }
}

}  // namespace

std::string MakeNewFolderName(std::string& parent, const LocalDate& date, const ExistsProbe& exists) {
  AddLastBackslash(parent);
  return FirstFreeName(parent, date, exists, nullptr);
}

std::string MakePairedNewFolderName(RecorderFolderPair& pair, int which, std::string& parent,
                                    const LocalDate& date, const ExistsProbe& exists) {
  AddLastBackslash(parent);
  std::string& otherParent = which == 0 ? pair.strFolderB : pair.strFolderA;
  const std::string& otherName = which == 0 ? pair.strNewNameB : pair.strNewNameA;
  AddLastBackslash(otherParent);
  // The other name is copied: `parent` or the output may alias pair members.
  const std::string avoid = otherName;
  const bool sharedParent = parent == otherParent;
  return FirstFreeName(parent, date, exists, sharedParent ? &avoid : nullptr);
}

void MakeNewFolderPaths(int nFolders, std::string& folderA, std::string& folderB, const LocalDate& date,
                        const ExistsProbe& exists) {
  std::string nameA, nameB;
  if (nFolders == 1) nameA = MakeNewFolderName(folderA, date, exists);
  if (nFolders == 2) nameB = MakeNewFolderName(folderB, date, exists);
  for (auto [path, name] : {std::pair{&folderA, &nameA}, std::pair{&folderB, &nameB}}) {
    AddBackslashGuarded(*path);
    *path += *name;
    RemoveLastBackslash(*path);
  }
}

}  // namespace vtk
