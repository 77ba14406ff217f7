#include "CBitmap.h"

#include "ModuleState.h"

bool CBitmap::LoadBitmap(UINT id) {
  return Attach(::LoadBitmapA(AfxGetResourceHandle(), MAKEINTRESOURCEA(id)));
}

bool CBitmap::CreateCompatibleBitmap(HDC dc, int width, int height) {
  return Attach(::CreateCompatibleBitmap(dc, width, height));
}

SIZE CBitmap::GetSize() const {
  BITMAP info{};
  if (!GetObject(sizeof(info), &info)) {
    return SIZE{0, 0};
  }
  return SIZE{info.bmWidth, info.bmHeight};
}
