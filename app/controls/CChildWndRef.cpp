#include "CChildWndRef.h"

void CChildWndRef::Clear() {
  m_window = nullptr;
  m_value = 0;
}

void CChildWndRef::Set(HWND window, LPARAM value) {
  m_window = window;
  m_value = value;
}

int CChildWndRef::Release() {
  if (m_window && ::IsWindow(m_window)) {
    ::ShowWindow(m_window, SW_HIDE);
    ::SetParent(m_window, nullptr);
    Clear();
  }
  return 0;
}
