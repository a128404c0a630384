// The platform calls of the controls that a test may stand in for, in one
// place; each is the system's own unless a test has put another in.
#pragma once
#include <windows.h>
#include <shellapi.h>

namespace vtk {

struct ControlsPlatform {
  // The folder list's pictures.
  HBITMAP(WINAPI* loadBitmap)(HINSTANCE, LPCSTR) = &::LoadBitmapA;
  BOOL(WINAPI* deleteBitmap)(HGDIOBJ) = &::DeleteObject;
  // The drives' icons and names.
  DWORD_PTR(WINAPI* getFileInfo)(LPCSTR, DWORD, SHFILEINFOA*, UINT, UINT) = &::SHGetFileInfoA;
  BOOL(WINAPI* destroyIcon)(HICON) = &::DestroyIcon;
};
ControlsPlatform& TheControlsPlatform();

}  // namespace vtk
