#include "framework/modulestate.h"

#include <vector>

namespace {
thread_local AFX_MODULE_STATE* t_pCurrentState = nullptr;
}

AFX_MODULE_STATE* AfxGetStaticModuleState() {
  static AFX_MODULE_STATE state;
  return &state;
}

AFX_MODULE_STATE* AfxGetAppModuleState() {
  static AFX_MODULE_STATE state;
  if (!state.m_hCurrentInstanceHandle) {
    state.m_hCurrentInstanceHandle = GetModuleHandleA(nullptr);
    state.m_hCurrentResourceHandle = state.m_hCurrentInstanceHandle;
  }
  return &state;
}

AFX_MODULE_STATE* AfxGetModuleState() { return t_pCurrentState ? t_pCurrentState : AfxGetAppModuleState(); }

AFX_MODULE_STATE* AfxSetModuleState(AFX_MODULE_STATE* state) {
  AFX_MODULE_STATE* previous = t_pCurrentState;
  t_pCurrentState = state;
  return previous;
}

HINSTANCE AfxGetResourceHandle() { return AfxGetModuleState()->m_hCurrentResourceHandle; }

std::string LoadResString(UINT id) {
  // A string table entry holds at most 4097 UTF-16 units; CP932 needs at
  // most two bytes for each.
  std::vector<char> buf(8200);
  const int n = LoadStringA(AfxGetResourceHandle(), id, buf.data(), static_cast<int>(buf.size()));
  return n > 0 ? std::string(buf.data(), static_cast<std::size_t>(n)) : std::string();
}
