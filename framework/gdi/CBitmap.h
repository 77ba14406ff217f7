// A bitmap, loaded from the resource module or created; deleted with the object.
#pragma once
#include "CGdiObject.h"

class CBitmap : public CGdiObject {
 public:
  static CBitmap* FromHandle(HBITMAP handle) { return TempFromHandle<CBitmap>(handle); }
  operator HBITMAP() const { return static_cast<HBITMAP>(m_hObject); }

  bool LoadBitmap(UINT id);
  bool CreateCompatibleBitmap(HDC dc, int width, int height);
  // Width and height in pixels.
  SIZE GetSize() const;
};
