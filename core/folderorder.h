// The order in which the folder list shows the sub-folders of a folder, and
// the walk over the components of a drive-rooted path. CP932 throughout: a
// double-byte character is one unit and its trail byte is never a separator.
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace vtk {

// Case-insensitive comparison as the multibyte runtime of code page 932 does
// it: characters are compared as units (a double-byte character as
// lead * 256 + trail, so every single-byte character sorts before every
// double-byte one), and the ASCII and full-width Latin letters are folded
// to lower case (Ａ to ａ). Negative, zero or positive.
int MbsICompare(std::string_view a, std::string_view b);

struct SubFolder {
  std::string name;  // as the search gave it
  std::string path;  // full path of the folder
};

// Sorts `found` (in the order the search returned them) ascending by
// MbsICompare. Names that compare equal keep their search order; an entry
// whose name and path equal, byte for byte, those of an earlier one is
// dropped.
void OrderSubFolders(std::vector<SubFolder>& found);

// True when the path begins with a drive root such as C:\.
bool StartsWithDriveRoot(std::string_view path);

// The n-th component (n = 1, 2, ...) of a drive-rooted path and the path up
// to the end of that component (no trailing backslash). A trailing
// backslash ends the walk: D:\Dictation\ has one component. False when
// there is no such component or the path has no drive root.
bool GetPathComponent(std::string_view path, int n, std::string& component, std::string& prefix);

}  // namespace vtk
