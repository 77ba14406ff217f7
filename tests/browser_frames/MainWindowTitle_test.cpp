// The main window's title for the kinds of place a page can be.
#include <gtest/gtest.h>

#include "MainWindowTitle.h"

namespace {

struct TitleCase {
  const char* what;
  uint32_t kind;
  uint8_t copyNumber;
  const char* expected;
};

TEST(MainWindowTitle, MarksCopiesAndPrivateRooms) {
  const TitleCase cases[] = {
      {"plain place", 0x882, 3, "Chat - [Hall]"},
      {"first copy of a replicated place", 0x842, 1, "Chat - [Hall]"},
      {"later copy of a replicated place", 0x842, 7, "Chat - [Hall 7]"},
      {"highest copy number", 0x842, 255, "Chat - [Hall 255]"},
      {"private room", 0x822, 2, "Chat - [Hall(Private Room:Den)]"},
      {"replicated private room counts as replicated", 0x862, 2, "Chat - [Hall 2]"},
      {"no place yet", 0, 0, "Chat - [Hall]"},
  };
  for (const TitleCase& c : cases) {
    PageTitleParts parts;
    parts.product = "Chat";
    parts.pageTitle = "Hall";
    parts.placeKind = c.kind;
    parts.copyNumber = c.copyNumber;
    parts.privateRoomWord = "Private Room";
    parts.placeName = "Den";
    EXPECT_EQ(MainWindowTitle(parts), c.expected) << c.what;
  }
}

}  // namespace
