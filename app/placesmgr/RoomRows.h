// The rooms of the places manager's pages: what a row shows, which places a
// page lists, how rows sort, the paging of the all-places answers, the
// footer text and the search through the rows. No window code here.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

class CListEntry;
class CZrPlaceDesc;

// Pages of the places manager, in tab order.
enum RoomPage : int { kServicePlaces = 0, kAllPlaces = 1, kSpecialEvents = 2, kFavoritePlaces = 3 };

// One row of a room list: a place of an answer or a favourite.
struct RoomItem {
  std::string title;
  std::string text;  // the title, or the address without its scheme
  std::string address;
  uint32_t kind = 0;
  int32_t count = 0;  // people, with the observers of an auditorium
  int32_t observers = 0;
  int32_t capacity = 0;
  uint8_t copyNumber = 1;

  bool IsFull() const { return count == capacity; }
};

// The place kind of the auditorium, compared on the high byte and low 5
// bits of a kind word.
bool IsAuditoriumKind(uint32_t kind);
// The title, or the address when it is empty, without a leading `scheme`
// (compared ignoring case).
std::string RoomText(const std::string& title, const std::string& address, const std::string& scheme);
RoomItem RoomItemOf(const CZrPlaceDesc& place, const std::string& scheme);
RoomItem RoomItemOf(const CListEntry& entry, const std::string& scheme);

// True when a page of answers (pages 0-2) lists the place; places whose text
// holds `closedText` and places without an address are never listed.
bool ListsRoom(int page, const RoomItem& item, const std::string& closedText);
// The text of the list's place column: a copy number greater than 1 follows
// the text, except on the favourites page.
std::string RoomLabel(int page, const RoomItem& item);

// Sort columns of the room list.
enum RoomColumn : int32_t { kInColumn = 0, kObserversColumn = 1, kPlaceColumn = 2 };
// <0 when a goes first: the people column puts the fuller place first, then
// every column orders by text, ignoring case.
int CompareRooms(int32_t column, const RoomItem& a, const RoomItem& b);

// Where an all-places answer stands in the whole list.
struct RoomPaging {
  static constexpr uint32_t kPageSize = 100;
  uint32_t first = 0;
  uint32_t total = 0;

  bool HasPrevious() const { return first > 0; }
  // An empty answer has no more (the count less one would wrap).
  bool HasMore() const { return total > 0 && first + kPageSize < total - 1; }
  // First index of the page before and after this one.
  uint32_t PreviousFirst() const { return first > kPageSize ? first - kPageSize : 0; }
  uint32_t NextFirst() const { return first + kPageSize; }
};

// "%d" in pattern replaced by the numbers in turn; a pattern with more
// "%d" than numbers keeps the rest as written.
std::string FormatNumbers(const std::string& pattern, const std::vector<int64_t>& numbers);
// The middle of a pane's footer: `single` with 0 for no rows or first + 1
// for one, else `range` with first + 1 and first + rows.
std::string FooterText(int32_t rows, uint32_t first, const std::string& single, const std::string& range);

// The row a search finds: from the row after `selected` (row 0 when none),
// wrapping, the first whose text holds the trimmed needle (ignoring case
// unless matchCase); -1 when none does or the needle is empty.
int32_t FindRoomRow(const std::vector<std::string>& texts, int32_t selected, const std::string& needle,
                    bool matchCase);
