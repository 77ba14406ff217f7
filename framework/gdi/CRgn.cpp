#include "CRgn.h"

bool CRgn::CreateRectRgn(int left, int top, int right, int bottom) {
  return Attach(::CreateRectRgn(left, top, right, bottom));
}

bool CRgn::CreateEllipticRgn(int left, int top, int right, int bottom) {
  return Attach(::CreateEllipticRgn(left, top, right, bottom));
}

int CRgn::CombineRgn(HRGN a, HRGN b, int mode) {
  return ::CombineRgn(static_cast<HRGN>(m_hObject), a, b, mode);
}

bool CRgn::PtInRegion(int x, int y) const {
  return ::PtInRegion(static_cast<HRGN>(m_hObject), x, y) != FALSE;
}
