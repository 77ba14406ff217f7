// A pen, deleted with the object.
#pragma once
#include "CGdiObject.h"

class CPen : public CGdiObject {
 public:
  static CPen* FromHandle(HPEN handle) { return TempFromHandle<CPen>(handle); }
  operator HPEN() const { return static_cast<HPEN>(m_hObject); }

  bool CreatePen(int style, int width, COLORREF colour);
};
