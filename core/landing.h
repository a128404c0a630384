// How a copy reaches its name at the target, and when its card file may go.
// The shell writes every copy under a temporary name of the library's own
// pattern; only a copy read back whole is renamed to the recording's name,
// so that name never holds a broken copy, whatever stops a download. A run
// that was stopped leaves temporaries, which the next run into the folder
// removes: the pattern tells them from every other file.
#pragma once
#include <string>
#include <string_view>

namespace vtk {

// "~VTK<n>.TMP", n from 1 without leading zeros: short, so that a folder
// that has room for a recording's name nearly always has room for it too.
std::string TemporaryName(unsigned long n);
// A file-search mask that finds every temporary name (and possibly others:
// IsTemporaryName decides).
inline constexpr const char* kTemporarySearchMask = "~VTK*.TMP";
// Exactly the names TemporaryName makes (as the file system spells them
// back: the letters in either case).
bool IsTemporaryName(std::string_view name);

// A card file as it was when its copy was read back and found whole: its
// length, its header sample (the recording's identity among it) and its
// last-write time. It is deleted only while it is still that file, so that
// a card swapped or a file replaced or changed after the download keeps
// recordings that were never copied.
struct FileIdentity {
  long long size = 0;
  std::string header;
  unsigned long long lastWrite = 0;
  bool operator==(const FileIdentity&) const = default;
};

}  // namespace vtk
