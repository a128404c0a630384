// Every message box of the library goes through here, so that no box is shown
// after a handler fault.
#pragma once
#include <windows.h>

#include <string>

namespace vtk {

int ShowMessageBox(HWND hOwner, const std::string& text, const std::string& caption, UINT nType);

}  // namespace vtk
