// Where the fields of a broadcast live in the broadcast record, what the
// Broadcast Extension dialog puts there, and where a received broadcast is
// shown. Portable.
#pragma once

#include <cstdint>
#include <string>

#include "BroadcastInfo.h"

// The values of the Broadcast Extension dialog.
struct CBroadcastValues {
  std::string pictureFile;
  std::string pictureLink;
  std::string text;
  std::string textLink;
  bool sendUponConnection = false;
  bool blink = false;
  int32_t contentTime = 0;
  bool permanent = false;
  int32_t displayTime = 0;
  bool nonRectangular = false;
  bool onWhatsHot = false;
  bool onContent = false;
  bool onMonitor = false;
};

// Where a received broadcast goes.
struct CBroadcastRoute {
  bool page = false;
  bool promotion = false;
  bool panel = false;
};

namespace BroadcastRecord {

// Field positions: the texts, the first values, the second values.
enum Text : size_t { kTextLink = 0, kText = 1, kPictureLink = 2 };
enum Value : size_t { kTarget = 0, kContentTime = 1, kDisplayTime = 2, kNonRectangular = 3, kBlink = 4 };
enum MoreValue : size_t { kDisplayMode = 0 };
constexpr uint16_t kShownOnce = 1;
constexpr uint16_t kPermanent = 2;
// A picture must be longer than this to be shown.
constexpr uint32_t kSmallestPicture = 8;

// The target code of the three target flags (0: none chosen).
uint16_t TargetCode(bool whatsHot, bool content, bool monitor);
// The record without its picture: the texts (cleaned as chat texts), the
// target code and the times that the target uses, the flags and the
// display mode. False, with the record untouched, when no target is
// chosen.
bool Fill(const CBroadcastValues& values, CBroadcastInfo& record);
CBroadcastRoute Route(const CBroadcastInfo& record);

}  // namespace BroadcastRecord
