#include "CPen.h"

bool CPen::CreatePen(int style, int width, COLORREF colour) {
  return Attach(::CreatePen(style, width, colour));
}
