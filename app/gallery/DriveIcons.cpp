#include "DriveIcons.h"

#include "ModuleState.h"

namespace drive_icons {

namespace {

void DrawColumn(HDC dc, int x, int y, UINT strip, int column) {
  HBITMAP bitmap = ::LoadBitmapA(AfxGetResourceHandle(), MAKEINTRESOURCEA(strip));
  if (!bitmap) return;
  HDC memory = ::CreateCompatibleDC(dc);
  HGDIOBJ old = ::SelectObject(memory, bitmap);
  ::BitBlt(dc, x, y, kSize, kSize, memory, column * kSize, 0, SRCCOPY);
  ::SelectObject(memory, old);
  ::DeleteDC(memory);
  ::DeleteObject(bitmap);
}

}  // namespace

void DrawDrive(HDC dc, int x, int y, UINT driveType) {
  if (driveType < DRIVE_REMOVABLE || driveType > DRIVE_CDROM) return;
  DrawColumn(dc, x, y, kDriveStrip, static_cast<int>(driveType) - DRIVE_REMOVABLE);
}

void DrawFolder(HDC dc, int x, int y, bool current) { DrawColumn(dc, x, y, kFolderStrip, current ? 1 : 0); }

}  // namespace drive_icons
