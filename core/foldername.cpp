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

// Lowest serial whose name is free under `parent` and is not `avoid`; empty
// for an empty parent (one that could not be read names nothing), and when
// parent\name would be longer than a path the host can take back.
std::string FirstFreeName(const std::string& parent, const LocalDate& date, const ExistsProbe& exists,
                          const std::string* avoid) {
  if (parent.empty()) return std::string();
  for (long long n = 1;; ++n) {
    std::string name = FormatDatedFolderName(date, n);
    const std::string path = JoinPath(parent, name);
    if (path.size() > kMaxPath) return std::string();
    if (exists(path)) continue;
    if (avoid && name == *avoid) continue;
    return name;
  }
}

}  // namespace

std::string MakeNewFolderName(const std::string& parent, const LocalDate& date, const ExistsProbe& exists) {
  return FirstFreeName(parent, date, exists, nullptr);
}

std::string MakePairedNewFolderName(const RecorderFolderPair& pair, int which, const std::string& parent,
                                    const LocalDate& date, const ExistsProbe& exists) {
  const std::string& otherParent = which == 0 ? pair.strFolderB : pair.strFolderA;
  const std::string& otherName = which == 0 ? pair.strNewNameB : pair.strNewNameA;
  // The other name is copied: `parent` may alias a pair member that the
  // caller overwrites with the result.
  const std::string avoid = otherName;
  const bool sharedParent = !parent.empty() && JoinPath(parent, "") == JoinPath(otherParent, "");
  return FirstFreeName(parent, date, exists, sharedParent ? &avoid : nullptr);
}

bool MakeNewFolderPaths(int nFolders, std::string& folderA, std::string& folderB, const LocalDate& date,
                        const ExistsProbe& exists) {
  const struct {
    std::string& path;
    bool named;
  } folders[] = {{folderA, nFolders == 1}, {folderB, nFolders == 2}};
  std::string names[2];
  for (int i = 0; i < 2; ++i)
    if (folders[i].named && (names[i] = MakeNewFolderName(folders[i].path, date, exists)).empty()) return false;
  for (int i = 0; i < 2; ++i)
    folders[i].path = folders[i].named ? JoinPath(folders[i].path, names[i]) : WithoutLastBackslash(folders[i].path);
  return true;
}

}  // namespace vtk
