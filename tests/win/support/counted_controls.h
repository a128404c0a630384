// While it lives, the controls' platform record counts the folder pictures
// and drive icons that the platform hands out and takes back, so that a test
// can show that none is left behind.
#pragma once
#include <windows.h>

#include "controls/platform.h"

namespace test {

class CountedControls {
 public:
  CountedControls() {
    s_pictures = s_iconsObtained = s_iconsDestroyed = 0;
    vtk::TheControlsPlatform() = {&Load, &Delete, &GetInfo, &Destroy};
  }
  ~CountedControls() { vtk::TheControlsPlatform() = {}; }
  CountedControls(const CountedControls&) = delete;
  CountedControls& operator=(const CountedControls&) = delete;

  long Pictures() const { return s_pictures; }  // loaded and not yet deleted
  long IconsObtained() const { return s_iconsObtained; }
  long IconsDestroyed() const { return s_iconsDestroyed; }

 private:
  static HBITMAP WINAPI Load(HINSTANCE h, LPCSTR id) {
    HBITMAP bitmap = ::LoadBitmapA(h, id);
    if (bitmap) ++s_pictures;
    return bitmap;
  }
  static BOOL WINAPI Delete(HGDIOBJ bitmap) {
    --s_pictures;
    return ::DeleteObject(bitmap);
  }
  static DWORD_PTR WINAPI GetInfo(LPCSTR path, DWORD attributes, SHFILEINFOA* info, UINT size, UINT flags) {
    const DWORD_PTR result = ::SHGetFileInfoA(path, attributes, info, size, flags);
    if (info->hIcon) ++s_iconsObtained;
    return result;
  }
  static BOOL WINAPI Destroy(HICON icon) {
    ++s_iconsDestroyed;
    return ::DestroyIcon(icon);
  }
  static inline long s_pictures, s_iconsObtained, s_iconsDestroyed;
};

}  // namespace test
