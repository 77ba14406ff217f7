#include "DragOutline.h"

CDragOutline::CDragOutline(const RECT& screenRect) : m_rect(screenRect) {}

void CDragOutline::Draw() const
{
    HDC display = ::CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
    if (!display) {
        return;
    }
    RECT ring = m_rect;
    for (int i = 0; i < 3; ++i) {
        ::DrawFocusRect(display, &ring);
        ::InflateRect(&ring, -1, -1);
    }
    ::DeleteDC(display);
}
