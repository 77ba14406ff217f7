#include "Pixels.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "AppTestEnvironment.h"

Pixels ContextPixels(HDC dc, int width, int height) {
  Pixels pixels{width, height, {}};
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) pixels.colours.push_back(::GetPixel(dc, x, y) & 0xFFFFFF);
  }
  return pixels;
}

Pixels ScreenPixels(HWND window) {
  RECT client;
  ::GetClientRect(window, &client);
  HDC screen = ::GetDC(window);
  HDC memory = ::CreateCompatibleDC(screen);
  HBITMAP bitmap = ::CreateCompatibleBitmap(screen, client.right, client.bottom);
  HGDIOBJ old = ::SelectObject(memory, bitmap);
  ::BitBlt(memory, 0, 0, client.right, client.bottom, screen, 0, 0, SRCCOPY);
  Pixels pixels = ContextPixels(memory, client.right, client.bottom);
  ::SelectObject(memory, old);
  ::DeleteObject(bitmap);
  ::DeleteDC(memory);
  ::ReleaseDC(window, screen);
  return pixels;
}

Pixels BitmapPixels(UINT bitmapId) {
  HBITMAP bitmap = ::LoadBitmapA(Resources(), MAKEINTRESOURCEA(bitmapId));
  BITMAP info{};
  ::GetObjectA(bitmap, sizeof(info), &info);
  HDC memory = ::CreateCompatibleDC(nullptr);
  HGDIOBJ old = ::SelectObject(memory, bitmap);
  Pixels pixels = ContextPixels(memory, info.bmWidth, info.bmHeight);
  ::SelectObject(memory, old);
  ::DeleteDC(memory);
  ::DeleteObject(bitmap);
  return pixels;
}

Pixels Crop(const Pixels& pixels, const RECT& rect) {
  Pixels cropped{rect.right - rect.left, rect.bottom - rect.top, {}};
  for (int y = rect.top; y < rect.bottom; ++y) {
    for (int x = rect.left; x < rect.right; ++x) cropped.colours.push_back(pixels.At(x, y));
  }
  return cropped;
}

Pixels Slice(const Pixels& pixels, int x, int width) {
  return Crop(pixels, RECT{x, 0, x + width, pixels.height});
}

int CountDifferences(const Pixels& shown, const Pixels& reference) {
  if (shown.width != reference.width || shown.height != reference.height) return -1;
  int differing = 0;
  for (size_t i = 0; i < shown.colours.size(); ++i) {
    if (shown.colours[i] != reference.colours[i]) ++differing;
  }
  return differing;
}

int CountColour(const Pixels& pixels, COLORREF colour) {
  return static_cast<int>(std::count(pixels.colours.begin(), pixels.colours.end(), colour));
}

void ExpectSamePixels(const Pixels& shown, const Pixels& reference, COLORREF ignore) {
  ASSERT_GE(shown.width, reference.width);
  ASSERT_GE(shown.height, reference.height);
  int differing = 0;
  for (int y = 0; y < reference.height; ++y) {
    for (int x = 0; x < reference.width; ++x) {
      COLORREF want = reference.At(x, y);
      if (want != ignore && shown.At(x, y) != want) ++differing;
    }
  }
  EXPECT_EQ(differing, 0) << "of " << reference.width * reference.height << " pixels";
}
