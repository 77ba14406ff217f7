#include "FrameDrawing.h"

#include "CDC.h"
#include "CPen.h"

namespace {

// One outline from the top-right corner round to the top-right again, on
// the last pixel row and column inside the rectangle.
void DrawOutline(CDC* dc, const RECT& r)
{
    dc->MoveTo(r.right - 1, r.top);
    dc->LineTo(r.left, r.top);
    dc->LineTo(r.left, r.bottom - 1);
    dc->LineTo(r.right - 1, r.bottom - 1);
    dc->LineTo(r.right - 1, r.top);
}

RECT Inset(const RECT& r, int32_t by)
{
    return RECT{r.left + by, r.top + by, r.right - by, r.bottom - by};
}

void DrawRaisedEdges(CDC* dc, const RECT& r)
{
    CPen white;
    CPen black;
    if (!white.CreatePen(PS_SOLID, 1, RGB(255, 255, 255)) || !black.CreatePen(PS_SOLID, 1, RGB(0, 0, 0))) {
        return;
    }
    CPen* previous = dc->SelectObject(&white);
    dc->MoveTo(r.right - 1, r.top);
    dc->LineTo(r.left, r.top);
    dc->LineTo(r.left, r.bottom - 1);
    dc->SelectObject(&black);
    dc->LineTo(r.right - 1, r.bottom - 1);
    dc->LineTo(r.right - 1, r.top);
    dc->SelectObject(previous);
}

}  // namespace

void DrawFrame(CDC* dc, const RECT& rect, COLORREF colour, uint16_t width, bool raised)
{
    CPen pen;
    if (width == 0 || !pen.CreatePen(PS_SOLID, 1, colour)) {
        return;
    }
    const int32_t first = raised ? 1 : 0;
    CPen* previous = dc->SelectObject(&pen);
    for (int32_t i = 0; i < width; ++i) {
        DrawOutline(dc, Inset(rect, first + i));
    }
    dc->SelectObject(previous);
    if (raised) {
        DrawRaisedEdges(dc, rect);
    }
}
