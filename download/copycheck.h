// Whether a copy really holds what it was copied from: both files read back
// and compared byte for byte. A file that cannot be read, or a different
// size, is no copy.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

#include "download/readonlyfile.h"

namespace vtk {

class CopyCheck {
 public:
  // Reads the source through `heldSource` when that is open (the transfer
  // opened it before the copy), or opens `source` again.
  bool IsExactCopy(const ReadOnlyFile& heldSource, const std::string& source, const std::string& target);

 private:
  // Reused from file to file: one block of each file at a time.
  std::vector<char> m_source, m_target;
};

// The position of the first target that is not an exact copy of its source,
// or the number of pairs when every one is. `heldSources` gives, pair by
// pair, the source files still open (it may be shorter, or hold closed
// ones). Reading back is bound by the disk cache and the processor, so the
// later half of the list is read on a second thread while this one reads the
// first; a pair that the second thread could not read is no copy.
std::size_t FirstInexactCopy(const std::vector<std::string>& sources, const std::vector<std::string>& targets,
                             const std::vector<ReadOnlyFile>& heldSources);

}  // namespace vtk
