// A region, deleted with the object.
#pragma once
#include "CGdiObject.h"

class CRgn : public CGdiObject {
 public:
  static CRgn* FromHandle(HRGN handle) { return TempFromHandle<CRgn>(handle); }
  operator HRGN() const { return static_cast<HRGN>(m_hObject); }

  bool CreateRectRgn(int left, int top, int right, int bottom);
  bool CreateEllipticRgn(int left, int top, int right, int bottom);
  // Combines a and b into this region (which must exist) with mode RGN_*.
  int CombineRgn(HRGN a, HRGN b, int mode);
  bool PtInRegion(int x, int y) const;
};
