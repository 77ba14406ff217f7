// The main window's title while a page is shown: the product's name and,
// in brackets, the page's title with the copy number of a replicated place
// or the name of a private room.
#pragma once

#include <cstdint>
#include <string>

struct PageTitleParts {
  std::string product;          // the product's name
  std::string pageTitle;        // the page's title (its address when it has none)
  uint32_t placeKind = 0;       // the kind of the place the page is
  uint8_t copyNumber = 0;       // which copy of a replicated place
  std::string privateRoomWord;  // the words that mark a private room
  std::string placeName;        // the private room's name
};

std::string MainWindowTitle(const PageTitleParts& parts);
