// A C++ exception must never leave a window or dialog procedure: on i686 the
// unwinder cannot pass the system's frames that called the procedure, and the
// host process would end. The procedures catch every exception and keep it
// here instead; the message gets the system's default handling, the modal
// loop that runs on the thread ends with -1, and the call frame of the export
// returns its failure result. While a fault is pending no further dialog or
// message box of the library is shown, so nothing goes on after it.
#pragma once
#include <exception>

namespace vtk {

void KeepHandlerFault(std::exception_ptr fault);
bool HandlerFaultPending();
// Takes the pending fault away (null when there is none).
std::exception_ptr TakeHandlerFault();

}  // namespace vtk
