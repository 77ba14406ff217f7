// A device context. The objects selected into it are put back to the ones
// it started with before the context is released, so no pen, brush, font or
// bitmap stays selected (and undeletable) after the context is gone.
#pragma once
#include <windows.h>

#include <map>
#include <string>

class CBitmap;
class CBrush;
class CFont;
class CGdiObject;
class CPalette;
class CPen;
class CRgn;

class CDC {
 public:
  CDC() = default;
  CDC(const CDC&) = delete;
  CDC& operator=(const CDC&) = delete;
  virtual ~CDC();

  HDC m_hDC = nullptr;
  operator HDC() const { return m_hDC; }
  HDC GetSafeHdc() const { return m_hDC; }

  static CDC* FromHandle(HDC dc);

  // A memory context compatible with like (the screen when null).
  bool CreateCompatibleDC(CDC* like);
  bool Attach(HDC dc);
  HDC Detach();
  bool DeleteDC();

  // Selection; each returns the previous object (a temporary wrapper).
  CPen* SelectObject(CPen* pen);
  CBrush* SelectObject(CBrush* brush);
  CFont* SelectObject(CFont* font);
  CBitmap* SelectObject(CBitmap* bitmap);
  HGDIOBJ SelectObject(HGDIOBJ object);
  HGDIOBJ SelectStockObject(int index);
  int SelectClipRgn(CRgn* region, int mode = RGN_COPY);
  CPalette* SelectPalette(CPalette* palette, bool background);
  UINT RealizePalette();
  // Puts back the objects the context started with.
  void RestoreOriginalObjects();

  int SaveDC();
  bool RestoreDC(int saved);
  int GetDeviceCaps(int index) const;
  int IntersectClipRect(const RECT& rect);

  COLORREF SetTextColor(COLORREF colour);
  COLORREF SetBkColor(COLORREF colour);
  int SetBkMode(int mode);
  POINT MoveTo(int x, int y);
  bool LineTo(int x, int y);
  bool Rectangle(const RECT& rect);
  bool Ellipse(const RECT& rect);
  void FillRect(const RECT& rect, CBrush* brush);
  void FillSolidRect(const RECT& rect, COLORREF colour);
  void Draw3dRect(const RECT& rect, COLORREF topLeft, COLORREF bottomRight);
  void DrawFocusRect(const RECT& rect);
  bool TextOut(int x, int y, const std::string& text);
  int DrawText(const std::string& text, RECT* rect, UINT format);
  SIZE GetTextExtent(const std::string& text) const;
  bool GetTextMetrics(TEXTMETRICA* metrics) const;
  bool BitBlt(int x, int y, int width, int height, CDC* source, int sx, int sy, DWORD rop);

 protected:
  // Called by the destructors of the context kinds before they release it.
  void ReleaseSelections();

 private:
  void Remember(HGDIOBJ previous);
  std::map<DWORD, HGDIOBJ> m_original;  // by object type
  HPALETTE m_originalPalette = nullptr;
  bool m_owned = false;
};
