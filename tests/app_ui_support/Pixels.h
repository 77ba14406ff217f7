// Colour pixels of an area, row by row, as read from the screen, from a
// bitmap of the resource library or from a memory context, and the ways the
// tests compare them.
#pragma once
#include <windows.h>

#include <vector>

struct Pixels {
  int width = 0;
  int height = 0;
  std::vector<COLORREF> colours;
  COLORREF At(int x, int y) const { return colours[static_cast<size_t>(y * width + x)]; }
};

// The window's client area as it is on the screen.
Pixels ScreenPixels(HWND window);
// Bitmap id of the resource library as it is stored.
Pixels BitmapPixels(UINT bitmapId);
// Reads pixels back from a memory context.
Pixels ContextPixels(HDC dc, int width, int height);

// The pixels inside rect.
Pixels Crop(const Pixels& pixels, const RECT& rect);
// The columns x to x + width - 1 of pixels.
Pixels Slice(const Pixels& pixels, int x, int width);

// Number of pixels that differ; -1 when the sizes differ.
int CountDifferences(const Pixels& shown, const Pixels& reference);
// Number of pixels of colour.
int CountColour(const Pixels& pixels, COLORREF colour);
// Expects equal pixels over the reference's area; where the reference has
// ignore, any pixel passes.
void ExpectSamePixels(const Pixels& shown, const Pixels& reference,
                      COLORREF ignore = CLR_INVALID);
