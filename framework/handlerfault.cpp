#include "framework/handlerfault.h"

namespace vtk {
namespace {
// A flag, not the exception itself: a thread_local with a destructor would
// pin the library in the process, and FreeLibrary would no longer unload it.
thread_local bool t_faultPending = false;
}  // namespace

void NoteHandlerFault() { t_faultPending = true; }

bool HandlerFaultPending() { return t_faultPending; }

bool TakeHandlerFault() {
  const bool was = t_faultPending;
  t_faultPending = false;
  return was;
}

}  // namespace vtk
