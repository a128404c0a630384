// Whether a copy really holds what it was copied from: both files read back
// and compared byte for byte. A file that cannot be read, or a different
// size, is no copy. What is learnt of the source on the way is kept, so that
// the card file can be recognised again when it is to be deleted.
#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "core/landing.h"
#include "download/readonlyfile.h"

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

// Pair by pair, the source's identity when the target is an exact copy of
// it, or nothing. `heldSources` gives the source files still open (it may be
// shorter, or hold closed ones). Reading back is bound by the disk cache and
// the processor, so the later half of the list is read on a second thread
// while this one reads the first; a pair that the second thread could not
// read is no copy.
std::vector<std::optional<FileIdentity>> VerifyCopies(const std::vector<std::string>& sources,
                                                      const std::vector<std::string>& targets,
                                                      const std::vector<ReadOnlyFile>& heldSources);

// The identity of the file at `path` as it is now; nothing when it cannot
// be opened or read.
std::optional<FileIdentity> CurrentIdentity(const std::string& path);

}  // namespace vtk
