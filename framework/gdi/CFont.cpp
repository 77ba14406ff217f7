#include "CFont.h"

#include <cstring>

bool CFont::CreateFontIndirect(const LOGFONTA& font) {
  return Attach(::CreateFontIndirectA(&font));
}

bool CFont::CreateFont(int height, int weight, const char* face) {
  LOGFONTA font{};
  font.lfHeight = height;
  font.lfWeight = weight;
  font.lfCharSet = DEFAULT_CHARSET;
  std::strncpy(font.lfFaceName, face, LF_FACESIZE - 1);
  return CreateFontIndirect(font);
}
