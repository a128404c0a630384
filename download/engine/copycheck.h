// Whether a copy really holds what it was copied from: both files read back
// and compared byte for byte. A file that cannot be read, or a different
// size, is no copy. What is learnt of the source on the way is kept, so that
// the card file can be recognised again when it is to be deleted.
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "core/landing.h"
#include "download/engine/readonlyfile.h"

namespace vtk {

class CopyCheck {
 public:
  // The source's identity when `target` is an exact copy of it. Reads the
  // source through `heldSource` when that is open (the transfer opened it
  // before the copy), or opens `source` again.
  std::optional<FileIdentity> IsExactCopy(const ReadOnlyFile& heldSource, const std::string& source,
                                          const std::string& target);

 private:
  // Reused from file to file: one block of each file at a time.
  std::vector<char> m_source, m_target;
};

// The identity of the file at `path` as it is now; nothing when it cannot
// be opened or read.
std::optional<FileIdentity> CurrentIdentity(const std::string& path);

}  // namespace vtk
