#include "CPaintDC.h"

#include "CWnd.h"

CPaintDC::CPaintDC(CWnd* wnd) : m_hWnd(wnd->m_hWnd) {
  m_hDC = ::BeginPaint(m_hWnd, &m_ps);
}

CPaintDC::~CPaintDC() {
  RestoreOriginalObjects();
  ::EndPaint(m_hWnd, &m_ps);
  Detach();
}
