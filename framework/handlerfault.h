// A C++ exception must never leave a window or dialog procedure: on i686 the
// unwinder cannot pass the system's frames that called the procedure, and the
// host process would end. The procedures catch every exception and note the
// fault here instead; the message gets the system's default handling, the
// modal loop that runs on the thread ends with -1, and the call frame of the
// export returns its failure result. While a fault is pending no further
// dialog or message box of the library is shown, so nothing goes on after it.
#pragma once

namespace vtk {

void NoteHandlerFault();
bool HandlerFaultPending();
// Clears the pending fault; true when there was one.
bool TakeHandlerFault();

}  // namespace vtk
