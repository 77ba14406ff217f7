// A brush, deleted with the object.
#pragma once
#include "CGdiObject.h"

class CBrush : public CGdiObject {
 public:
  static CBrush* FromHandle(HBRUSH handle) { return TempFromHandle<CBrush>(handle); }
  operator HBRUSH() const { return static_cast<HBRUSH>(m_hObject); }

  bool CreateSolidBrush(COLORREF colour);
  bool CreatePatternBrush(HBITMAP bitmap);
  bool CreateSysColorBrush(int index);
};
