#include "MainWindowTitle.h"

#include "ZrKind.h"

std::string MainWindowTitle(const PageTitleParts& parts) {
  std::string page = parts.pageTitle;
  if (ZrKindIsReplicated(parts.placeKind)) {
    if (parts.copyNumber > 1) page += " " + std::to_string(parts.copyNumber);
  } else if (ZrKindIsPrivateRoom(parts.placeKind)) {
    page += "(" + parts.privateRoomWord + ":" + parts.placeName + ")";
  }
  return parts.product + " - [" + page + "]";
}
