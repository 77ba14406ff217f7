#include "CDC.h"

#include <memory>

#include "CBitmap.h"
#include "CBrush.h"
#include "CFont.h"
#include "CPalette.h"
#include "CPen.h"
#include "CRgn.h"
#include "TempObjects.h"

CDC::~CDC() {
  if (m_owned) {
    DeleteDC();
  }
}

CDC* CDC::FromHandle(HDC dc) {
  if (!dc) {
    return nullptr;
  }
  static thread_local zr::TempMap<CDC, HDC> temps;
  return temps.Get(dc, [](HDC h) {
    auto wrapper = std::make_unique<CDC>();
    wrapper->m_hDC = h;  // borrowed
    return wrapper;
  });
}

bool CDC::CreateCompatibleDC(CDC* like) {
  return Attach(::CreateCompatibleDC(like ? like->m_hDC : nullptr));
}

bool CDC::Attach(HDC dc) {
  if (!dc || m_hDC) {
    return false;
  }
  m_hDC = dc;
  m_owned = true;
  return true;
}

HDC CDC::Detach() {
  HDC dc = m_hDC;
  m_hDC = nullptr;
  m_owned = false;
  m_original.clear();
  m_originalPalette = nullptr;
  return dc;
}

bool CDC::DeleteDC() {
  if (!m_hDC) {
    return false;
  }
  RestoreOriginalObjects();
  return ::DeleteDC(Detach()) != FALSE;
}

void CDC::Remember(HGDIOBJ previous) {
  if (previous) {
    m_original.emplace(::GetObjectType(previous), previous);
  }
}

HGDIOBJ CDC::SelectObject(HGDIOBJ object) {
  if (!object || !m_hDC) {
    return nullptr;
  }
  HGDIOBJ previous = ::SelectObject(m_hDC, object);
  Remember(previous);
  return previous;
}

CPen* CDC::SelectObject(CPen* pen) {
  return CPen::FromHandle(static_cast<HPEN>(SelectObject(pen->m_hObject)));
}

CBrush* CDC::SelectObject(CBrush* brush) {
  return CBrush::FromHandle(static_cast<HBRUSH>(SelectObject(brush->m_hObject)));
}

CFont* CDC::SelectObject(CFont* font) {
  return CFont::FromHandle(static_cast<HFONT>(SelectObject(font->m_hObject)));
}

CBitmap* CDC::SelectObject(CBitmap* bitmap) {
  return CBitmap::FromHandle(static_cast<HBITMAP>(SelectObject(bitmap->m_hObject)));
}

HGDIOBJ CDC::SelectStockObject(int index) {
  return SelectObject(::GetStockObject(index));
}

int CDC::SelectClipRgn(CRgn* region, int mode) {
  return ::ExtSelectClipRgn(m_hDC, region ? static_cast<HRGN>(region->m_hObject) : nullptr, mode);
}

CPalette* CDC::SelectPalette(CPalette* palette, bool background) {
  HPALETTE previous = ::SelectPalette(m_hDC, static_cast<HPALETTE>(palette->m_hObject), background);
  if (!m_originalPalette) {
    m_originalPalette = previous;
  }
  return CPalette::FromHandle(previous);
}

UINT CDC::RealizePalette() {
  return ::RealizePalette(m_hDC);
}

void CDC::RestoreOriginalObjects() {
  if (!m_hDC) {
    return;
  }
  for (const auto& [type, object] : m_original) {
    ::SelectObject(m_hDC, object);
  }
  m_original.clear();
  if (m_originalPalette) {
    ::SelectPalette(m_hDC, m_originalPalette, TRUE);
    m_originalPalette = nullptr;
  }
}

int CDC::SaveDC() {
  return ::SaveDC(m_hDC);
}

bool CDC::RestoreDC(int saved) {
  return ::RestoreDC(m_hDC, saved) != FALSE;
}

int CDC::GetDeviceCaps(int index) const {
  return ::GetDeviceCaps(m_hDC, index);
}

int CDC::IntersectClipRect(const RECT& rect) {
  return ::IntersectClipRect(m_hDC, rect.left, rect.top, rect.right, rect.bottom);
}

COLORREF CDC::SetTextColor(COLORREF colour) {
  return ::SetTextColor(m_hDC, colour);
}

COLORREF CDC::SetBkColor(COLORREF colour) {
  return ::SetBkColor(m_hDC, colour);
}

int CDC::SetBkMode(int mode) {
  return ::SetBkMode(m_hDC, mode);
}

POINT CDC::MoveTo(int x, int y) {
  POINT previous{};
  ::MoveToEx(m_hDC, x, y, &previous);
  return previous;
}

bool CDC::LineTo(int x, int y) {
  return ::LineTo(m_hDC, x, y) != FALSE;
}

bool CDC::Rectangle(const RECT& rect) {
  return ::Rectangle(m_hDC, rect.left, rect.top, rect.right, rect.bottom) != FALSE;
}

bool CDC::Ellipse(const RECT& rect) {
  return ::Ellipse(m_hDC, rect.left, rect.top, rect.right, rect.bottom) != FALSE;
}

void CDC::FillRect(const RECT& rect, CBrush* brush) {
  ::FillRect(m_hDC, &rect, static_cast<HBRUSH>(brush->m_hObject));
}

void CDC::FillSolidRect(const RECT& rect, COLORREF colour) {
  COLORREF previous = ::SetBkColor(m_hDC, colour);
  ::ExtTextOutA(m_hDC, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
  ::SetBkColor(m_hDC, previous);
}

void CDC::Draw3dRect(const RECT& rect, COLORREF topLeft, COLORREF bottomRight) {
  int width = rect.right - rect.left;
  int height = rect.bottom - rect.top;
  FillSolidRect(RECT{rect.left, rect.top, rect.right - 1, rect.top + 1}, topLeft);
  FillSolidRect(RECT{rect.left, rect.top, rect.left + 1, rect.bottom - 1}, topLeft);
  FillSolidRect(RECT{rect.left + width - 1, rect.top, rect.right, rect.bottom}, bottomRight);
  FillSolidRect(RECT{rect.left, rect.top + height - 1, rect.right, rect.bottom}, bottomRight);
}

void CDC::DrawFocusRect(const RECT& rect) {
  ::DrawFocusRect(m_hDC, &rect);
}

bool CDC::TextOut(int x, int y, const std::string& text) {
  return ::TextOutA(m_hDC, x, y, text.data(), static_cast<int>(text.size())) != FALSE;
}

int CDC::DrawText(const std::string& text, RECT* rect, UINT format) {
  return ::DrawTextA(m_hDC, text.data(), static_cast<int>(text.size()), rect, format);
}

SIZE CDC::GetTextExtent(const std::string& text) const {
  SIZE size{};
  ::GetTextExtentPoint32A(m_hDC, text.data(), static_cast<int>(text.size()), &size);
  return size;
}

bool CDC::GetTextMetrics(TEXTMETRICA* metrics) const {
  return ::GetTextMetricsA(m_hDC, metrics) != FALSE;
}

bool CDC::BitBlt(int x, int y, int width, int height, CDC* source, int sx, int sy, DWORD rop) {
  return ::BitBlt(m_hDC, x, y, width, height, source ? source->m_hDC : nullptr, sx, sy, rop) !=
         FALSE;
}
