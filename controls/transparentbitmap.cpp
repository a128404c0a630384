#include "controls/transparentbitmap.h"

void DrawTransparentBitmap(HDC hdc, HBITMAP hBitmap, short x, short y, COLORREF transparent) {
  HDC src = ::CreateCompatibleDC(hdc);
  HGDIOBJ srcOld = ::SelectObject(src, hBitmap);
  BITMAP bm{};
  ::GetObjectA(hBitmap, sizeof bm, &bm);
  POINT size{bm.bmWidth, bm.bmHeight};
  ::DPtoLP(src, &size, 1);
  const int w = size.x;
  const int h = size.y;

  HDC back = ::CreateCompatibleDC(hdc);
  HDC object = ::CreateCompatibleDC(hdc);
  HDC mem = ::CreateCompatibleDC(hdc);
  HDC save = ::CreateCompatibleDC(hdc);
  HBITMAP bmBack = ::CreateBitmap(w, h, 1, 1, nullptr);
  HBITMAP bmObject = ::CreateBitmap(w, h, 1, 1, nullptr);
  HBITMAP bmMem = ::CreateCompatibleBitmap(hdc, w, h);
  HBITMAP bmSave = ::CreateCompatibleBitmap(hdc, w, h);
  HGDIOBJ backOld = ::SelectObject(back, bmBack);
  HGDIOBJ objectOld = ::SelectObject(object, bmObject);
  HGDIOBJ memOld = ::SelectObject(mem, bmMem);
  HGDIOBJ saveOld = ::SelectObject(save, bmSave);

  ::SetMapMode(src, ::GetMapMode(hdc));
  ::BitBlt(save, 0, 0, w, h, src, 0, 0, SRCCOPY);
  // The mask: white where the picture has the transparent colour.
  const COLORREF oldBk = ::SetBkColor(src, transparent);
  ::BitBlt(object, 0, 0, w, h, src, 0, 0, SRCCOPY);
  ::SetBkColor(src, oldBk);
  ::BitBlt(back, 0, 0, w, h, object, 0, 0, NOTSRCCOPY);
  ::BitBlt(mem, 0, 0, w, h, hdc, x, y, SRCCOPY);
  ::BitBlt(mem, 0, 0, w, h, object, 0, 0, SRCAND);
  ::BitBlt(src, 0, 0, w, h, back, 0, 0, SRCAND);
  ::BitBlt(mem, 0, 0, w, h, src, 0, 0, SRCPAINT);
  ::BitBlt(hdc, x, y, w, h, mem, 0, 0, SRCCOPY);
  ::BitBlt(src, 0, 0, w, h, save, 0, 0, SRCCOPY);

  ::SelectObject(back, backOld);
  ::SelectObject(object, objectOld);
  ::SelectObject(mem, memOld);
  ::SelectObject(save, saveOld);
  ::DeleteObject(bmBack);
  ::DeleteObject(bmObject);
  ::DeleteObject(bmMem);
  ::DeleteObject(bmSave);
  ::DeleteDC(back);
  ::DeleteDC(object);
  ::DeleteDC(mem);
  ::DeleteDC(save);
  // The caller's bitmap leaves the source context before it goes.
  ::SelectObject(src, srcOld);
  ::DeleteDC(src);
}
