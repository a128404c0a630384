// Dated new-folder names such as 2006.3.5-2: the local date and the lowest
// serial, from 1, under which nothing exists in the parent folder yet.
#pragma once
#include <functional>
#include <string>

namespace vtk {

struct LocalDate {
  int year;
  int month;  // 1..12
  int day;    // 1..31
};

// Tells whether anything (a file or a folder) exists under a full path.
// A probe that fails counts as "nothing there".
using ExistsProbe = std::function<bool(const std::string& fullPath)>;

// "%d.%d.%d-%d" of the date and the serial.
std::string FormatDatedFolderName(const LocalDate& date, long long serial);

// The state of the recorder's new-folder confirmation that the paired
// generator works on: which folders take part and, for folders A and B,
// the parent folder and the proposed new-folder name.
struct RecorderFolderPair {
  int nFolders = 0;  // 1 = folder A only, 2 = folder B only, other = both
  std::string strFolderA;
  std::string strFolderB;
  std::string strNewNameA;
  std::string strNewNameB;
};

// The lowest free dated name under `parent`. The date is read once by the
// caller. No name (empty) for an empty parent, nor when parent\name would be
// longer than kMaxPath.
std::string MakeNewFolderName(const std::string& parent, const LocalDate& date, const ExistsProbe& exists);

// As MakeNewFolderName for folder `which` (0 = A, other = B) of the pair,
// under `parent`, but when the other folder's parent is the same folder (with
// or without its trailing backslash) the name that the other folder already
// has in the pair is skipped too.
std::string MakePairedNewFolderName(const RecorderFolderPair& pair, int which, const std::string& parent,
                                    const LocalDate& date, const ExistsProbe& exists);

// The paths that a recorder download into new folders would use: for the
// folder that nFolders names (1 = A, 2 = B) its parent joined with a fresh
// dated name, for the other folder its path alone; both lose one trailing
// backslash when longer than 3 bytes. Empty inputs must already have been
// replaced by the current directory. False when the named folder gets no
// name (its parent is empty, or no dated name fits under it): the paths are
// then no answer.
bool MakeNewFolderPaths(int nFolders, std::string& folderA, std::string& folderB,
                        const LocalDate& date, const ExistsProbe& exists);

}  // namespace vtk
