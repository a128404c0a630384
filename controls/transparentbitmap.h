// Draws a bitmap with the pixels of one colour left unpainted (the folder
// pictures' white background).
#pragma once
#include <windows.h>

void DrawTransparentBitmap(HDC hdc, HBITMAP hBitmap, short x, short y, COLORREF transparent);
