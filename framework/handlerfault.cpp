#include "framework/handlerfault.h"

namespace vtk {
namespace {
// Only the first fault of a call counts; later ones are its consequences.
thread_local std::exception_ptr t_pendingFault;
}  // namespace

void KeepHandlerFault(std::exception_ptr fault) {
  if (!t_pendingFault) t_pendingFault = std::move(fault);
}

bool HandlerFaultPending() { return static_cast<bool>(t_pendingFault); }

std::exception_ptr TakeHandlerFault() {
  std::exception_ptr fault;
  fault.swap(t_pendingFault);
  return fault;
}

}  // namespace vtk
