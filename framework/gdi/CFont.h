// A font, deleted with the object.
#pragma once
#include "CGdiObject.h"

class CFont : public CGdiObject {
 public:
  static CFont* FromHandle(HFONT handle) { return TempFromHandle<CFont>(handle); }
  operator HFONT() const { return static_cast<HFONT>(m_hObject); }

  bool CreateFontIndirect(const LOGFONTA& font);
  // A font of the given height in logical units (negative: character height).
  bool CreateFont(int height, int weight, const char* face);
};
