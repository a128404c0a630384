// The landing of a shell copy: every copy is read back and compared with its
// card file byte for byte; a whole one is renamed from its temporary name to
// its own, any other is removed. The shell copies the files one after the
// other, so the lander follows it on a thread of its own and lands each copy
// once it is whole, while the shell copies the later ones: the landing then
// costs the download little more than the copy itself.
#pragma once
#include <windows.h>

#include <atomic>
#include <optional>
#include <string>
#include <vector>

#include "core/landing.h"
#include "download/engine/copycheck.h"
#include "download/engine/readonlyfile.h"

namespace vtk {

class CopyLander {
 public:
  // Starts following the copy of sources[i] to temporaries[i], to be named
  // targets[i]; heldSources[i] is the card file when still open. The lists
  // must outlive the lander.
  CopyLander(const std::vector<std::string>& sources, const std::vector<std::string>& temporaries,
             const std::vector<std::string>& targets, const std::vector<ReadOnlyFile>& heldSources);
  ~CopyLander();
  CopyLander(const CopyLander&) = delete;
  CopyLander& operator=(const CopyLander&) = delete;

  // What became of one copy: the card file's identity when it landed whole
  // under its name; otherwise whether it was whole but its name had been
  // taken meanwhile.
  struct Landing {
    std::optional<FileIdentity> identity;
    bool nameTaken = false;
  };
  // After the shell returned: lands what is left and tells, copy by copy,
  // what became of it.
  std::vector<Landing> Finish();

 private:
  static DWORD WINAPI Follow(LPVOID self);
  // Lands copy i: true when done with it, false when it is not whole yet
  // and the shell may still be writing it.
  bool Land(std::size_t i, bool shellDone);

  const std::vector<std::string>& m_sources;
  const std::vector<std::string>& m_temporaries;
  const std::vector<std::string>& m_targets;
  const std::vector<ReadOnlyFile>& m_heldSources;
  CopyCheck m_check;  // its buffers serve every copy: a fresh pair per look costs more than the look
  std::vector<Landing> m_landed;
  std::vector<char> m_done;  // copy i has been landed or removed
  std::atomic<bool> m_shellDone{false};
  bool m_followed = false;  // the thread came through without an exception
  HANDLE m_thread = nullptr;
};

}  // namespace vtk
