// Whether a copy really holds what it was copied from: both files read back
// and compared byte for byte. A file that cannot be read, or a different
// size, is no copy.
#pragma once
#include <string>
#include <vector>

namespace vtk {

class CopyCheck {
 public:
  bool IsExactCopy(const std::string& source, const std::string& target);

 private:
  // Reused from file to file: one block of each file at a time.
  std::vector<char> m_source, m_target;
};

}  // namespace vtk
