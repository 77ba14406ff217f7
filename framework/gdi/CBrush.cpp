#include "CBrush.h"

bool CBrush::CreateSolidBrush(COLORREF colour) {
  return Attach(::CreateSolidBrush(colour));
}

bool CBrush::CreatePatternBrush(HBITMAP bitmap) {
  return Attach(::CreatePatternBrush(bitmap));
}

bool CBrush::CreateSysColorBrush(int index) {
  // System colour brushes belong to the system and are never deleted.
  if (m_hObject) {
    return false;
  }
  m_hObject = ::GetSysColorBrush(index);
  return m_hObject != nullptr;
}
