// The capture field of the assignment dialog: read-only, yet white, with its
// text black or, when the captured key belongs to another function, red.
#pragma once
#include <windows.h>

#include "framework/controls.h"

class CFuncKeyEdit : public CEdit {
 public:
  CFuncKeyEdit() = default;
  ~CFuncKeyEdit() override;

  // Text colour of the next paint: 0 (black) or RGB(255, 0, 0).
  COLORREF m_crText = 0;

  HBRUSH CtlColor(HDC hDC, UINT nCtlColor) override;
  void OnDestroy() override;

 private:
  void ReleaseBrush();

  HBRUSH m_brBack = nullptr;  // made at the first control-colour message
};
