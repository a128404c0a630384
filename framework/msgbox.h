// Every message box of the library goes through here, so that tests can see
// exactly which text, caption and style the user was shown.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

namespace vtk {

int ShowMessageBox(HWND hOwner, const std::string& text, const std::string& caption, UINT nType);

// Called before each box is shown; null removes the observer.
using MessageBoxObserver = std::function<void(HWND hOwner, const std::string& text, const std::string& caption, UINT nType)>;
void SetMessageBoxObserverForTesting(MessageBoxObserver observer);

}  // namespace vtk
