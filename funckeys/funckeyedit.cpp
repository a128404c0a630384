#include "funckeys/funckeyedit.h"

CFuncKeyEdit::~CFuncKeyEdit() { ReleaseBrush(); }

HBRUSH CFuncKeyEdit::CtlColor(HDC hDC, UINT) {
  // A read-only edit would be painted grey; the field should look like one
  // that takes input, since every key press lands in it.
  if (!m_brBack) m_brBack = ::CreateSolidBrush(RGB(255, 255, 255));
  ::SetBkMode(hDC, TRANSPARENT);
  ::SetTextColor(hDC, m_crText);
  return m_brBack;
}

void CFuncKeyEdit::OnDestroy() {
  ReleaseBrush();
  CEdit::OnDestroy();
}

void CFuncKeyEdit::ReleaseBrush() {
  if (m_brBack) ::DeleteObject(m_brBack);
  m_brBack = nullptr;
}
