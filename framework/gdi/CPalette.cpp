#include "CPalette.h"

bool CPalette::CreatePalette(const LOGPALETTE* palette) {
  return Attach(::CreatePalette(palette));
}
