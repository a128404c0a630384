// The platform calls of the framework layer that a test may stand in for,
// in one place; each is the system's own unless a test has put another in.
#pragma once
#include <windows.h>

namespace vtk {

struct FrameworkPlatform {
  int(WINAPI* messageBox)(HWND, LPCSTR, LPCSTR, UINT) = &::MessageBoxA;
};
FrameworkPlatform& TheFrameworkPlatform();

}  // namespace vtk
