#include "RoomRows.h"

#include <gtest/gtest.h>

#include "CListEntry.h"
#include "ZrPlaceDesc.h"

namespace {

const std::string kScheme = "http://";
const std::string kClosed = "Auditorium Closed";

// A row made from a place description as the server sends it.
RoomItem Place(uint32_t kind, const std::string& name, const std::string& title, uint32_t members,
               uint32_t observers = 0, uint16_t capacity = 50, uint8_t copy = 1) {
  CZrPlaceDesc place;
  place.kind = kind;
  place.name = name;
  place.title = title;
  place.memberCount = members;
  place.observerCount = observers;
  place.capacity = capacity;
  place.copyNumber = copy;
  return RoomItemOf(place, kScheme);
}

RoomItem Room(const std::string& text, int32_t count) {
  RoomItem item;
  item.text = text;
  item.address = "http://" + text + "/";
  item.count = count;
  return item;
}

TEST(RoomText, TitleOrAddressWithoutTheSchemeInAnyCase) {
  struct Case {
    std::string title, address, expected;
  } cases[] = {
      {"Garden", "http://garden/", "Garden"},
      {"", "http://garden/", "garden/"},
      {"HTTP://Loud/", "http://x/", "Loud/"},
      {"", "Http://mixed/", "mixed/"},
      {"http:/", "http://a/", "http:/"},
      {"", "", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(RoomText(c.title, c.address, kScheme), c.expected) << c.title;
}

TEST(RoomItem, AuditoriumCountsItsObserversAsPeople) {
  const RoomItem plain = Place(0x800, "http://a/", "A", 5, 7);
  const RoomItem stage = Place(0x801 | 0x40, "http://s/", "S", 5, 7);
  EXPECT_EQ(plain.count, 5);
  EXPECT_EQ(plain.observers, 7);
  EXPECT_EQ(stage.count, 12);
  EXPECT_EQ(stage.observers, 7);
}

TEST(RoomItem, FullWhenCountReachesCapacity) {
  EXPECT_TRUE(Place(0x800, "http://a/", "A", 10, 0, 10).IsFull());
  EXPECT_FALSE(Place(0x800, "http://a/", "A", 9, 0, 10).IsFull());
  CListEntry entry("Fav", "http://fav/", 3, 1, 3);
  const RoomItem favorite = RoomItemOf(entry, kScheme);
  EXPECT_TRUE(favorite.IsFull());
  EXPECT_EQ(favorite.text, "Fav");
  EXPECT_EQ(favorite.observers, 1);
}

TEST(ListsRoom, EachPageKeepsItsPlaces) {
  struct Case {
    const char* what;
    RoomItem item;
    bool service, all, events, favorites;
  } cases[] = {
      {"service place", Place(0x880, "http://svc/", "Svc", 0), true, false, false, true},
      {"busy plain room", Place(0x800, "http://busy/", "Busy", 3), false, true, false, true},
      {"auditorium", Place(0x801, "http://stage/", "Stage", 0), false, false, true, true},
      {"auditorium with middle bits", Place(0x841, "http://st2/", "St2", 1), false, true, true, true},
      {"high byte differs", Place(0x2801, "http://h/", "H", 0), false, false, false, true},
      {"not an auditorium: low bits differ", Place(0x803, "http://x/", "X", 0), false, false, false, true},
      {"no address", Place(0x880, "", "Nowhere", 4), false, false, false, false},
      {"closed auditorium", Place(0x8a1, "http://c/", "Our Auditorium Closed today", 9), false, false, false,
       false},
  };
  for (const Case& c : cases) {
    const RoomItem& item = c.item;
    EXPECT_EQ(ListsRoom(kServicePlaces, item, kClosed), c.service) << c.what;
    EXPECT_EQ(ListsRoom(kAllPlaces, item, kClosed), c.all) << c.what;
    EXPECT_EQ(ListsRoom(kSpecialEvents, item, kClosed), c.events) << c.what;
    EXPECT_EQ(ListsRoom(kFavoritePlaces, item, kClosed), c.favorites) << c.what;
  }
}

TEST(RoomItem, PlaceThatIsNoCopyIsTheFirstCopy) {
  EXPECT_EQ(Place(0x800, "http://a/", "A", 1, 0, 50, 0).copyNumber, 1);
  EXPECT_EQ(Place(0x840, "http://r/", "R", 1, 0, 50, 4).copyNumber, 4);
}

TEST(RoomLabel, CopyNumberFollowsExceptOnFavorites) {
  const RoomItem copy = Place(0x840, "http://r/", "Rep", 1, 0, 50, 3);
  const RoomItem first = Place(0x840, "http://r/", "Rep", 1, 0, 50, 1);
  EXPECT_EQ(RoomLabel(kServicePlaces, copy), "Rep 3");
  EXPECT_EQ(RoomLabel(kFavoritePlaces, copy), "Rep");
  EXPECT_EQ(RoomLabel(kAllPlaces, first), "Rep");
}

TEST(CompareRooms, PeopleColumnPutsTheFullerFirstThenText) {
  const RoomItem five = Room("beta", 5), twelve = Room("alpha", 12), fiveToo = Room("Alpha", 5);
  EXPECT_LT(CompareRooms(kInColumn, twelve, five), 0);
  EXPECT_GT(CompareRooms(kInColumn, five, twelve), 0);
  EXPECT_LT(CompareRooms(kInColumn, fiveToo, five), 0);
  EXPECT_EQ(CompareRooms(kInColumn, fiveToo, Room("ALPHA", 5)), 0);
  // The other columns order by text only.
  EXPECT_LT(CompareRooms(kPlaceColumn, twelve, five), 0);
  EXPECT_LT(CompareRooms(kObserversColumn, Room("a", 1), Room("B", 9)), 0);
}

TEST(RoomPaging, PreviousAndNextFollowTheAnswer) {
  struct Case {
    uint32_t first, total;
    bool previous, more;
  } cases[] = {
      {0, 101, false, false}, {0, 102, false, true}, {100, 250, true, true},
      {200, 250, true, false}, {0, 0, false, false}, {0, 1, false, false},
  };
  for (const Case& c : cases) {
    const RoomPaging paging{c.first, c.total};
    EXPECT_EQ(paging.HasPrevious(), c.previous) << c.first << "/" << c.total;
    EXPECT_EQ(paging.HasMore(), c.more) << c.first << "/" << c.total;
  }
}

TEST(RoomPaging, PreviousNeverGoesBelowZero) {
  EXPECT_EQ((RoomPaging{0, 300}.PreviousFirst()), 0u);
  EXPECT_EQ((RoomPaging{50, 300}.PreviousFirst()), 0u);
  EXPECT_EQ((RoomPaging{200, 300}.PreviousFirst()), 100u);
  EXPECT_EQ((RoomPaging{200, 300}.NextFirst()), 300u);
}

TEST(FooterText, ViewingRowsFromTheFirstIndex) {
  const std::string single = "viewing %d", range = "viewing %d - %d";
  EXPECT_EQ(FooterText(0, 0, single, range), "viewing 0");
  EXPECT_EQ(FooterText(0, 100, single, range), "viewing 0");
  EXPECT_EQ(FooterText(1, 100, single, range), "viewing 101");
  EXPECT_EQ(FooterText(37, 100, single, range), "viewing 101 - 137");
}

TEST(FormatNumbers, ExtraPlaceholdersStayAsWritten) {
  EXPECT_EQ(FormatNumbers("People in ZR : %d  ", {42}), "People in ZR : 42  ");
  EXPECT_EQ(FormatNumbers("%d of %d", {1}), "1 of %d");
  EXPECT_EQ(FormatNumbers("100%", {5}), "100%");
}

TEST(FindRoomRow, SearchesAfterTheSelectionAndWraps) {
  const std::vector<std::string> texts = {"Lobby", "Garden", "Big Lobby", "Roof"};
  struct Case {
    int32_t selected;
    std::string needle;
    bool matchCase;
    int32_t expected;
  } cases[] = {
      {-1, "lobby", false, 0},  {0, "lobby", false, 2},   {2, "lobby", false, 0},
      {3, "  garden ", false, 1}, {-1, "lobby", true, -1}, {1, "Lobby", true, 2},
      {1, "garden", false, 1},  {0, "cellar", false, -1}, {0, "   ", false, -1},
  };
  for (const Case& c : cases)
    EXPECT_EQ(FindRoomRow(texts, c.selected, c.needle, c.matchCase), c.expected)
        << c.selected << " '" << c.needle << "'";
  EXPECT_EQ(FindRoomRow({}, -1, "x", false), -1);
}

}  // namespace
