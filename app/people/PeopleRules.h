// The people list's rules that need no window: what a kind word says about
// a row, the order of sibling rows, the state a new row starts in, the
// status line by participation state, and the limits that the list and the
// moderation commands put on numbers.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class CZrObjectDesc;

namespace people {

constexpr uint32_t kSpecialRowKind = 512;
constexpr uint32_t kTourKind = 513;
constexpr uint32_t kOneOnOneKind = 514;
constexpr uint32_t kGameKind = 518;
constexpr uint32_t kSeatRowKind = 519;
constexpr uint32_t kRoomKind = 1024;
constexpr uint32_t kCorridorKind = 1025;
constexpr uint32_t kAuditoriumPlace = 2049;

// String numbers of the list's and the status line's texts.
enum Text : uint32_t {
  kTextStage = 340,
  kTextRoom = 445,
  kTextCorridor = 465,
  kTextIgnored = 466,
  kTextDisconnected = 471,
  kTextOtherObservers = 519,
  kTextObservers = 520,
  kTextAudience = 521,
  kTextObserving = 522,
  kTextChattingPrivate = 523,
  kTextChattingHere = 524,
  kTextEmpty = 544,
  kTextHidingPeople = 547,
  kTextParticipating = 548,
  kTextWaiting = 549,
  kTextBlank = 199,
};

bool IsContainerKind(uint32_t kind);
bool IsPersonKind(uint32_t kind);
// A member kind with the local user's bit as well.
bool IsOwnKind(uint32_t kind);
// The class of a member: the kind without the local user's bit.
uint32_t PersonClass(uint32_t kind);
bool IsModeratorClass(uint32_t personClass);
// Administrators are not held to the short gag and ban.
bool IsAdminClass(uint32_t personClass);
bool IsHostClass(uint32_t personClass);
// A place kind with its high byte and low 5 bits kept.
uint32_t PlaceKind(uint32_t kind);
bool IsAuditoriumPlace(uint32_t placeKind);
bool IsPrivatePlace(uint32_t placeKind);

// The setting's number of observers shown, kept to 1..50.
int32_t ClampMaxObservers(int32_t setting);
// Gag and ban last at most 24 for everyone but administrators.
uint32_t CutSanctionDuration(uint32_t duration, uint32_t localClass);

// The texts that decide where a row sorts.
struct SortTexts {
  std::string observers;
  std::string otherObservers;
  std::string corridor;
  std::string room;
  std::string ignored;
};

// What the order of a row depends on.
struct RowFacts {
  // The "Other Observers" row at the end of the list.
  bool rootSpecial = false;
  // A row the list made itself (an observer, "[-Empty-]").
  bool listMade = false;
  uint32_t kind = 0;
  // The display name (or label of a list-made row).
  std::string name;
  bool ignored = false;
};

std::string SortText(const RowFacts& row, bool userInside, const SortTexts& texts);
// Below zero when a sorts before b. The "Other Observers" row sorts after
// everything; other rows by their sort texts, ignoring case.
int CompareRows(const RowFacts& a, const RowFacts& b, bool userInside, const SortTexts& texts);

// Outline node state bits of a row.
enum RowState : int32_t {
  kRowToggles = 1,
  kRowExpanded = 2,
  kRowGreyed = 4,
  kRowHeader = 15,
};
// The state a new row starts in. A member standing in the room without a
// position yet (it has not sat down) is greyed.
int32_t InitialRowState(const RowFacts& row, uint32_t parentKind, bool hasPosition);

// A member's shown name: its nickname, or the guest text when it has none.
std::string DisplayName(const std::string& nickname, const std::string& guest);

// The status line for a participation state 0-4: the main text (after the
// community name for state 3), the text that stays, and whether the main
// text stays (avatarsShown for states 1 and 2).
struct StatusLine {
  bool valid = false;
  uint32_t main = 0;
  bool communityFirst = false;
  uint32_t rest = 0;
  bool sticky = true;
};
StatusLine StatusFor(int32_t state, bool avatarsShown);

// A header row's text padded with '_' until measure says it is as wide as
// width (never longer than 512 characters).
std::string PadHeader(std::string text, int32_t width,
                      const std::function<int32_t(const std::string&)>& measure);

// An observer row to add: the description and the index of its parent row
// in the result, -1 for a row directly under "Other Observers".
struct ObserverRow {
  const CZrObjectDesc* description;
  int32_t parent;
};
// The rows that an answer to the observer request adds: the members of a
// corridor (kind 1025) description that known() does not know, at most
// maxRows of them at the top; containers bring their members along.
// Empty for any other answer.
std::vector<ObserverRow> PickObservers(const CZrObjectDesc& answer,
                                       const std::function<bool(uint32_t)>& known,
                                       int32_t maxRows);

}  // namespace people
