// The coloured frame around avatar pictures.
#pragma once
#include <windows.h>

#include <cstdint>

class CDC;

// Draws `width` nested outlines of `colour` inside rect, the i-th inset by
// i pixels (from 1 when raised). A raised frame then gets a white top and
// left edge and a black bottom and right edge on its outermost outline.
void DrawFrame(CDC* dc, const RECT& rect, COLORREF colour, uint16_t width, bool raised);
