// A logical palette, deleted with the object.
#pragma once
#include "CGdiObject.h"

class CPalette : public CGdiObject {
 public:
  static CPalette* FromHandle(HPALETTE handle) { return TempFromHandle<CPalette>(handle); }
  operator HPALETTE() const { return static_cast<HPALETTE>(m_hObject); }

  bool CreatePalette(const LOGPALETTE* palette);
};
