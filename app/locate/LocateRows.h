// The locate dialog's decisions that need no window: the name check, the
// location column, the sort order of the found people and the place a row
// leads to.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

class CZrPersonDesc;

// The longest name the server is asked for.
constexpr size_t kLocateNameMax = 60;

enum class LocateName { kEmpty, kValid, kTooLong };
LocateName CheckLocateName(const std::string& name);

// Texts of the location column that the resource library supplies.
struct LocationTexts {
  std::string privateRoom;  // "Private Room"
  std::string lobby;        // "Community lobby"
};

// Group kind of a seat row of an auditorium.
constexpr uint32_t kSeatRowKind = 519;
bool SitsInSeatRow(const CZrPersonDesc& person);
bool IsReplicatedKind(uint32_t kind);

// Where the person is: the place's title, else its address, else the
// private room or lobby text; a seat row's name or a copy number after it.
std::string LocationText(const CZrPersonDesc& person, const LocationTexts& texts);

// Sort columns of the found people.
enum LocateColumn : int32_t { kNickColumn = 0, kNameColumn = 1, kLocationColumn = 2 };
// <0 when a goes first: by nickname, name and address from the column on,
// ignoring case; an empty address sorts as `lobby`.
int CompareLocateRows(int32_t column, const CZrPersonDesc& a, const CZrPersonDesc& b, const std::string& lobby);

// The address with `scheme` in front when it names none.
std::string WithScheme(const std::string& address, const std::string& scheme);

// A copy of what a row shows and goes to (the description's member
// descriptions and items are not kept).
std::unique_ptr<CZrPersonDesc> CopyFoundPerson(const CZrPersonDesc& person);
