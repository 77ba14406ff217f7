// What a caller asks of the image library: its title, the folder it starts
// in (and the one used when that is empty or cannot be entered), the cell
// the pictures must fit, an optional picture whose size they must have, and
// the mode.
#pragma once
#include <windows.h>

#include <string>

#include "ImageLibraryRules.h"

class CPicture;

struct CAvatarGalleryRequest {
  std::string title;
  std::string startFolder;
  std::string defaultFolder;
  // true: drives and folders to browse; false: only the avatar pictures of
  // the start folder.
  bool libraryMode = true;
  ImageCell cell;
  const CPicture* reference = nullptr;
  // The colour the cells are drawn on.
  COLORREF cellBackground = RGB(255, 255, 255);
};
