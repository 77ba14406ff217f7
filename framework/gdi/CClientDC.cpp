#include "CClientDC.h"

#include "CWnd.h"

CClientDC::CClientDC(CWnd* wnd) : m_hWnd(wnd ? wnd->m_hWnd : nullptr) {
  m_hDC = ::GetDC(m_hWnd);
}

CClientDC::~CClientDC() {
  RestoreOriginalObjects();
  ::ReleaseDC(m_hWnd, Detach());
}
