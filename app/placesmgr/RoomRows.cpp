#include "RoomRows.h"

#include <algorithm>
#include <cctype>

#include "CListEntry.h"
#include "UrlParamBase.h"
#include "ZrKind.h"
#include "ZrPlaceDesc.h"

namespace {

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

}  // namespace

bool IsAuditoriumKind(uint32_t kind) { return ZrNormalisePlaceKind(kind) == 0x801; }

std::string RoomText(const std::string& title, const std::string& address, const std::string& scheme) {
  const std::string& text = title.empty() ? address : title;
  if (!scheme.empty() && UrlParamBase::StartsWithNoCase(text, scheme)) return text.substr(scheme.size());
  return text;
}

RoomItem RoomItemOf(const CZrPlaceDesc& place, const std::string& scheme) {
  RoomItem item;
  item.title = place.title;
  item.address = place.name;
  item.text = RoomText(place.title, place.name, scheme);
  item.kind = place.kind;
  item.observers = static_cast<int32_t>(place.observerCount);
  item.count = static_cast<int32_t>(place.memberCount);
  if (IsAuditoriumKind(place.kind)) item.count += item.observers;
  item.capacity = place.capacity;
  // A place that is no copy of a replicated one is its first copy.
  item.copyNumber = place.copyNumber != 0 ? place.copyNumber : 1;
  return item;
}

RoomItem RoomItemOf(const CListEntry& entry, const std::string& scheme) {
  RoomItem item;
  item.title = entry.GetTitle();
  item.address = entry.GetAddress();
  item.text = RoomText(entry.GetTitle(), entry.GetAddress(), scheme);
  item.count = entry.GetCount();
  item.observers = entry.GetObservers();
  item.capacity = entry.GetCapacity();
  return item;
}

bool ListsRoom(int page, const RoomItem& item, const std::string& closedText) {
  if (item.address.empty()) return false;
  if (!closedText.empty() && item.text.find(closedText) != std::string::npos) return false;
  switch (page) {
    case kServicePlaces:
      return (item.kind & 0x880) == 0x880;
    case kAllPlaces:
      return item.count != 0;
    case kSpecialEvents:
      return IsAuditoriumKind(item.kind);
    default:
      return true;
  }
}

std::string RoomLabel(int page, const RoomItem& item) {
  if (page != kFavoritePlaces && item.copyNumber > 1) return item.text + " " + std::to_string(item.copyNumber);
  return item.text;
}

int CompareRooms(int32_t column, const RoomItem& a, const RoomItem& b) {
  if (column == kInColumn && a.count != b.count) return a.count > b.count ? -1 : 1;
  return UrlParamBase::CompareNoCase(a.text, b.text);
}

std::string FormatNumbers(const std::string& pattern, const std::vector<int64_t>& numbers) {
  std::string out;
  size_t next = 0;
  for (size_t i = 0; i < pattern.size(); ++i) {
    if (pattern.compare(i, 2, "%d") == 0 && next < numbers.size()) {
      out += std::to_string(numbers[next++]);
      ++i;
    } else {
      out += pattern[i];
    }
  }
  return out;
}

std::string FooterText(int32_t rows, uint32_t first, const std::string& single, const std::string& range) {
  if (rows <= 0) return FormatNumbers(single, {0});
  if (rows == 1) return FormatNumbers(single, {int64_t{first} + 1});
  return FormatNumbers(range, {int64_t{first} + 1, int64_t{first} + rows});
}

int32_t FindRoomRow(const std::vector<std::string>& texts, int32_t selected, const std::string& needle,
                    bool matchCase) {
  const std::string key = matchCase ? UrlParamBase::Trim(needle) : Lower(UrlParamBase::Trim(needle));
  const auto count = static_cast<int32_t>(texts.size());
  if (key.empty() || count == 0) return -1;
  const int32_t start = selected >= 0 && selected < count ? (selected + 1) % count : 0;
  for (int32_t step = 0; step < count; ++step) {
    const int32_t row = (start + step) % count;
    const std::string& text = texts[static_cast<size_t>(row)];
    if ((matchCase ? text : Lower(text)).find(key) != std::string::npos) return row;
  }
  return -1;
}
