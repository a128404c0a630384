// While it lives, the controls' platform record counts the folder pictures
// and drive icons that the platform hands out and takes back, so that a test
// can show that none is left behind.
#pragma once
#include <windows.h>

#include "controls/platform.h"

namespace test {

struct CountedControls {
  CountedControls() {
    pictures = iconsObtained = iconsDestroyed = 0;
    vtk::TheControlsPlatform() = {&Load, &Delete, &GetInfo, &Destroy};
  }
  ~CountedControls() { vtk::TheControlsPlatform() = {}; }
  CountedControls(const CountedControls&) = delete;
  CountedControls& operator=(const CountedControls&) = delete;

  static inline long pictures;  // loaded and not yet deleted
  static inline long iconsObtained, iconsDestroyed;

 private:
  static HBITMAP WINAPI Load(HINSTANCE h, LPCSTR id) {
    HBITMAP bitmap = ::LoadBitmapA(h, id);
    pictures += bitmap != nullptr;
    return bitmap;
  }
  static BOOL WINAPI Delete(HGDIOBJ bitmap) { return --pictures, ::DeleteObject(bitmap); }
  static DWORD_PTR WINAPI GetInfo(LPCSTR path, DWORD attributes, SHFILEINFOA* info, UINT size, UINT flags) {
    const DWORD_PTR result = ::SHGetFileInfoA(path, attributes, info, size, flags);
    iconsObtained += info->hIcon != nullptr;
    return result;
  }
  static BOOL WINAPI Destroy(HICON icon) { return ++iconsDestroyed, ::DestroyIcon(icon); }
};

}  // namespace test
