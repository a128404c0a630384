// The names a transfer finds taken in its target folder, read from one listing
// of the folder rather than a probe per name, and compared as the file system
// compares them: the platform's upper case of the UTF-16 form, so that
// full-width, Greek and Cyrillic letters match regardless of case as well.
#pragma once
#include <windows.h>

#include <string>
#include <string_view>
#include <unordered_set>

namespace vtk {

// Two spellings of one file name give the same key.
std::wstring FileNameKey(std::string_view name);

class TargetFolder {
 public:
  // Lists `folder` (ending in a backslash). A folder that does not exist
  // holds nothing; one that cannot be listed is asked name by name.
  explicit TargetFolder(const std::string& folder);

  // True when a file or folder of that name (long or short form) is there,
  // and whenever that cannot be ruled out: a name is free only when it is
  // known to be free.
  bool Holds(const std::string& name) const;

 private:
  std::string m_folder;
  std::unordered_set<std::wstring> m_keys;
  bool m_bListed = false;
};

}  // namespace vtk
