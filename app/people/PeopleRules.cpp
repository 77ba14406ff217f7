#include "PeopleRules.h"

#include <algorithm>
#include <cctype>

#include "ZrObjectDesc.h"

namespace people {

namespace {

constexpr uint32_t kPersonBit = 0x100;
constexpr uint32_t kOwnBit = 0x80;
constexpr uint32_t kContainerBits = 0xE00;
constexpr uint32_t kPlaceBit = 0x800;
constexpr uint32_t kPrivateBits = 0x820;
constexpr int32_t kMinObservers = 1;
constexpr int32_t kMaxObservers = 50;
constexpr uint32_t kShortSanction = 24;
constexpr size_t kLongestHeader = 512;

int CompareNoCase(const std::string& a, const std::string& b) {
  const size_t common = std::min(a.size(), b.size());
  for (size_t i = 0; i < common; ++i) {
    const int left = std::tolower(static_cast<unsigned char>(a[i]));
    const int right = std::tolower(static_cast<unsigned char>(b[i]));
    if (left != right) return left < right ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

void PickMembers(const CZrObjectDesc& container, int32_t parent, std::vector<ObserverRow>& rows) {
  for (const auto& member : container.members) {
    if (!member) continue;
    rows.push_back({member.get(), parent});
    if (IsContainerKind(member->kind)) {
      PickMembers(*member, static_cast<int32_t>(rows.size()) - 1, rows);
    }
  }
}

}  // namespace

bool IsContainerKind(uint32_t kind) { return (kind & kContainerBits) != 0; }

bool IsPersonKind(uint32_t kind) { return (kind & kPersonBit) != 0; }

bool IsOwnKind(uint32_t kind) { return ((kind >> 7) & 3) == 3; }

uint32_t PersonClass(uint32_t kind) { return kind & ~kOwnBit & 0xFFFF; }

bool IsModeratorClass(uint32_t personClass) {
  const uint32_t low = personClass & 0x7F;
  return IsPersonKind(personClass) && low > 15 && low < 32;
}

bool IsAdminClass(uint32_t personClass) { return personClass == 272 || personClass == 274; }

bool IsHostClass(uint32_t personClass) { return personClass == 273 || personClass == 274; }

uint32_t PlaceKind(uint32_t kind) { return (kind & kPlaceBit) ? (kind & 0xFF1F) : kind; }

bool IsAuditoriumPlace(uint32_t placeKind) { return PlaceKind(placeKind) == kAuditoriumPlace; }

bool IsPrivatePlace(uint32_t placeKind) { return (placeKind & kPrivateBits) == kPrivateBits; }

int32_t ClampMaxObservers(int32_t setting) {
  return std::clamp(setting, kMinObservers, kMaxObservers);
}

// Compared directly: a product with 60 would wrap for large durations and
// let them through uncut.
uint32_t CutSanctionDuration(uint32_t duration, uint32_t localClass) {
  if (IsAdminClass(localClass)) return duration;
  return std::min(duration, kShortSanction);
}

std::string SortText(const RowFacts& row, bool userInside, const SortTexts& texts) {
  std::string text;
  if (row.rootSpecial) {
    text = userInside ? texts.observers : texts.otherObservers;
  } else if (row.listMade) {
    text = row.name;
  } else if (row.kind == kCorridorKind) {
    text = texts.corridor;
  } else if (row.kind == kRoomKind) {
    text = texts.room;
  } else {
    text = row.name;
  }
  return row.ignored ? texts.ignored : text;
}

int CompareRows(const RowFacts& a, const RowFacts& b, bool userInside, const SortTexts& texts) {
  if (a.rootSpecial != b.rootSpecial) return a.rootSpecial ? 1 : -1;
  return CompareNoCase(SortText(a, userInside, texts), SortText(b, userInside, texts));
}

int32_t InitialRowState(const RowFacts& row, uint32_t parentKind, bool hasPosition) {
  if (row.rootSpecial) return kRowToggles;
  if (row.listMade && row.kind == kSpecialRowKind) return kRowGreyed;
  if (row.kind == kRoomKind || row.kind == kCorridorKind) return kRowHeader;
  if (IsContainerKind(row.kind)) return kRowToggles;
  if (IsPersonKind(row.kind) && parentKind == kRoomKind && !hasPosition) return kRowGreyed;
  return 0;
}

std::string DisplayName(const std::string& nickname, const std::string& guest) {
  return nickname.empty() ? guest : nickname;
}

StatusLine StatusFor(int32_t state, bool avatarsShown) {
  switch (state) {
    case 0:
      return {true, kTextWaiting, false, kTextBlank, true};
    case 1:
      return {true, kTextParticipating, false, kTextHidingPeople, avatarsShown};
    case 2:
      return {true, kTextObserving, false, kTextHidingPeople, avatarsShown};
    case 3:
      return {true, kTextDisconnected, true, kTextBlank, true};
    case 4:
      return {true, kTextHidingPeople, false, kTextBlank, true};
    default:
      return {};
  }
}

std::string PadHeader(std::string text, int32_t width,
                      const std::function<int32_t(const std::string&)>& measure) {
  while (text.size() < kLongestHeader && measure(text) < width) text += '_';
  return text;
}

std::vector<ObserverRow> PickObservers(const CZrObjectDesc& answer,
                                       const std::function<bool(uint32_t)>& known,
                                       int32_t maxRows) {
  std::vector<ObserverRow> rows;
  if (answer.kind != kCorridorKind) return rows;
  int32_t added = 0;
  for (const auto& member : answer.members) {
    if (added >= maxRows) break;
    if (!member || known(member->id)) continue;
    rows.push_back({member.get(), -1});
    ++added;
    if (IsContainerKind(member->kind)) {
      PickMembers(*member, static_cast<int32_t>(rows.size()) - 1, rows);
    }
  }
  return rows;
}

}  // namespace people
