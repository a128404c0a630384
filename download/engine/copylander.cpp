#include "download/engine/copylander.h"

namespace vtk {

CopyLander::CopyLander(const std::vector<std::string>& sources, const std::vector<std::string>& temporaries,
                       const std::vector<std::string>& targets, const std::vector<ReadOnlyFile>& heldSources)
    : m_sources(sources),
      m_temporaries(temporaries),
      m_targets(targets),
      m_heldSources(heldSources),
      m_landed(sources.size()),
      m_done(sources.size(), 0) {
  m_thread = ::CreateThread(nullptr, 0, &CopyLander::Follow, this, 0, nullptr);
}

CopyLander::~CopyLander() {
  m_shellDone = true;
  if (!m_thread) return;
  ::WaitForSingleObject(m_thread, INFINITE);
  ::CloseHandle(m_thread);
}

bool CopyLander::Land(std::size_t i, bool shellDone) {
  std::optional<FileIdentity> whole = m_check.IsExactCopy(m_heldSources[i], m_sources[i], m_temporaries[i]);
  // The rename never replaces a file: a name taken meanwhile keeps its file.
  if (whole && ::MoveFileA(m_temporaries[i].c_str(), m_targets[i].c_str())) {
    m_landed[i].identity = std::move(whole);
    return true;
  }
  const DWORD error = ::GetLastError();
  m_landed[i].nameTaken = whole && (error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS);
  // While the shell runs, a copy that is not whole may still be being
  // written (or held open): it is looked at again, never removed.
  if (!shellDone) return false;
  ::DeleteFileA(m_temporaries[i].c_str());
  return true;
}

DWORD WINAPI CopyLander::Follow(LPVOID self) {
  CopyLander& lander = *static_cast<CopyLander*>(self);
  try {
    DWORD pause = 1;
    for (std::size_t i = 0; i < lander.m_sources.size();) {
      // Read before the look at the copy: once the shell is done, what the
      // look finds is final.
      const bool shellDone = lander.m_shellDone;
      if (lander.Land(i, shellDone)) {
        lander.m_done[i++] = 1;
        pause = 1;
        continue;
      }
      ::Sleep(pause);
      if (pause < 32) pause *= 2;
    }
    lander.m_followed = true;
  } catch (...) {
    // The copies it did not land are removed by Finish; an exception must
    // not end the host's process from this thread.
  }
  return 0;
}

std::vector<CopyLander::Landing> CopyLander::Finish() {
  m_shellDone = true;
  if (m_thread) {
    ::WaitForSingleObject(m_thread, INFINITE);
    ::CloseHandle(m_thread);
    m_thread = nullptr;
  } else {
    // No thread could be started: everything is landed here.
    for (std::size_t i = 0; i < m_sources.size(); ++i) m_done[i] = Land(i, true);
    m_followed = true;
  }
  if (!m_followed)
    for (std::size_t i = 0; i < m_sources.size(); ++i)
      if (!m_done[i]) ::DeleteFileA(m_temporaries[i].c_str());
  return m_landed;
}

}  // namespace vtk
