#include "ListFont.h"

#include <cstring>

bool CreateListFont(CFont& font) {
  HDC screen = ::GetDC(nullptr);
  int perInch = ::GetDeviceCaps(screen, LOGPIXELSY);
  ::ReleaseDC(nullptr, screen);
  LOGFONTA logFont{};
  logFont.lfHeight = -::MulDiv(8, perInch, 68);
  logFont.lfWeight = FW_NORMAL;
  logFont.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
  std::strcpy(logFont.lfFaceName, "Arial");
  return font.CreateFontIndirect(logFont);
}
