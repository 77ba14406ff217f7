// CDragOutline: the outline of a dragged avatar window, drawn on the whole
// display by inversion, so that drawing it a second time erases it.
#pragma once
#include <windows.h>

class CDragOutline {
public:
    explicit CDragOutline(const RECT& screenRect);
    CDragOutline(const CDragOutline&) = delete;
    CDragOutline& operator=(const CDragOutline&) = delete;

    // Three focus rectangles, each one pixel inside the one before.
    void Draw() const;
    const RECT& Rect() const { return m_rect; }

private:
    RECT m_rect;
};
