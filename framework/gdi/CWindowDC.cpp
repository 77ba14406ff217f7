#include "CWindowDC.h"

#include "CWnd.h"

CWindowDC::CWindowDC(CWnd* wnd) : m_hWnd(wnd ? wnd->m_hWnd : nullptr) {
  m_hDC = ::GetWindowDC(m_hWnd);
}

CWindowDC::~CWindowDC() {
  RestoreOriginalObjects();
  ::ReleaseDC(m_hWnd, Detach());
}
