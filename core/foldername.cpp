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

// A parent that could not be read (empty) stays empty and names nothing;
// any other gets its backslash.
bool PrepareParent(std::string& parent) {
  if (parent.empty()) return false;
  AddLastBackslash(parent);
  return true;
}

// Lowest serial whose name is free under `parent` (which ends in a
// backslash) and is not `avoid`; empty when parent and name would be longer
// than a path the host can take back.
std::string FirstFreeName(const std::string& parent, const LocalDate& date, const ExistsProbe& exists,
                          const std::string* avoid) {
  for (long long n = 1;; ++n) {
    std::string name = FormatDatedFolderName(date, n);
    if (parent.size() + name.size() > kMaxPath) return std::string();
    if (exists(parent + name)) continue;
    if (avoid && name == *avoid) continue;
    return name;
  }
}

}  // namespace

std::string MakeNewFolderName(std::string& parent, const LocalDate& date, const ExistsProbe& exists) {
  if (!PrepareParent(parent)) return std::string();
  return FirstFreeName(parent, date, exists, nullptr);
}

std::string MakePairedNewFolderName(RecorderFolderPair& pair, int which, std::string& parent,
                                    const LocalDate& date, const ExistsProbe& exists) {
  std::string& otherParent = which == 0 ? pair.strFolderB : pair.strFolderA;
  const std::string& otherName = which == 0 ? pair.strNewNameB : pair.strNewNameA;
  PrepareParent(otherParent);
  if (!PrepareParent(parent)) return std::string();
  // The other name is copied: `parent` or the output may alias pair members.
  const std::string avoid = otherName;
  const bool sharedParent = parent == otherParent;
  return FirstFreeName(parent, date, exists, sharedParent ? &avoid : nullptr);
}

bool MakeNewFolderPaths(int nFolders, std::string& folderA, std::string& folderB, const LocalDate& date,
                        const ExistsProbe& exists) {
  std::string nameA, nameB;
  if (nFolders == 1 && (nameA = MakeNewFolderName(folderA, date, exists)).empty()) return false;
  if (nFolders == 2 && (nameB = MakeNewFolderName(folderB, date, exists)).empty()) return false;
  for (auto [path, name] : {std::pair{&folderA, &nameA}, std::pair{&folderB, &nameB}}) {
    AddBackslashGuarded(*path);
    *path += *name;
    RemoveLastBackslash(*path);
  }
  return true;
}

}  // namespace vtk
