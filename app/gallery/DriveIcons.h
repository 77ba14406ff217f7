// The small pictures of the image library: a 16 x 16 icon of a drive by its
// type, and of a folder, cut from the strips in the resource library.
#pragma once
#include <windows.h>

namespace drive_icons {

constexpr int kSize = 16;
constexpr UINT kDriveStrip = 293;
constexpr UINT kFolderStrip = 292;

// The drive icon of a type (removable, fixed, remote, CD-ROM); other types
// and a missing strip draw nothing.
void DrawDrive(HDC dc, int x, int y, UINT driveType);
// Column 1 for the current folder, column 0 for any other.
void DrawFolder(HDC dc, int x, int y, bool current);

}  // namespace drive_icons
