#include "ButtonDrawing.h"

#include "CBrush.h"
#include "CDC.h"

namespace {

void DrawBottomRight(CDC& dc, const RECT& rect, COLORREF colour) {
  dc.FillSolidRect(RECT{rect.right - 1, rect.top, rect.right, rect.bottom}, colour);
  dc.FillSolidRect(RECT{rect.left, rect.bottom - 1, rect.right, rect.bottom}, colour);
}

}  // namespace

RECT Shrunk(const RECT& rect, int inset) {
  return RECT{rect.left + inset, rect.top + inset, rect.right - inset, rect.bottom - inset};
}

void DrawOutline(CDC& dc, const RECT& rect, COLORREF colour) {
  CBrush brush;
  brush.CreateSolidBrush(colour);
  ::FrameRect(dc, &rect, brush);
}

void DrawRaisedEdge(CDC& dc, const RECT& rect) {
  dc.Draw3dRect(rect, ::GetSysColor(COLOR_BTNHIGHLIGHT), RGB(0, 0, 0));
  DrawBottomRight(dc, Shrunk(rect, 1), ::GetSysColor(COLOR_BTNSHADOW));
}

void DrawTopLeft(CDC& dc, const RECT& rect, COLORREF colour) {
  dc.FillSolidRect(RECT{rect.left, rect.top, rect.right, rect.top + 1}, colour);
  dc.FillSolidRect(RECT{rect.left, rect.top, rect.left + 1, rect.bottom}, colour);
}

void DrawButtonFocus(CDC& dc, const RECT& item, bool focused, COLORREF unfocusedColour) {
  if (!focused) {
    DrawOutline(dc, item, unfocusedColour);
    return;
  }
  DrawOutline(dc, item, RGB(0, 0, 0));
  dc.DrawFocusRect(Shrunk(item, 3));
}
