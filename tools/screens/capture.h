// Pictures of the library's dialogs: a window is copied from the screen,
// with the frame and caption that Wine draws, into a 24-bit BMP file.
#pragma once
#include <windows.h>

#include <string>

namespace screens {
// Repaints the window and everything in it, then writes it to `bmpPath`.
bool CaptureWindow(HWND hwnd, const std::string& bmpPath);
}  // namespace screens
