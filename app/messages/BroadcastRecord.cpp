#include "BroadcastRecord.h"

#include "ChatTextCleaner.h"

namespace BroadcastRecord {

uint16_t TargetCode(bool whatsHot, bool content, bool monitor) {
  if (content) return monitor ? 6 : 2;
  if (whatsHot) return monitor ? 5 : 1;
  return monitor ? 4 : 0;
}

bool Fill(const CBroadcastValues& values, CBroadcastInfo& record) {
  const uint16_t target = TargetCode(values.onWhatsHot, values.onContent, values.onMonitor);
  if (target == 0) return false;
  record.texts[kTextLink] = CleanChatText(values.textLink);
  record.texts[kText] = CleanChatText(values.text);
  record.texts[kPictureLink] = CleanChatText(values.pictureLink);
  record.values[kTarget] = target;
  record.values[kContentTime] = values.onContent ? static_cast<uint16_t>(values.contentTime) : 0;
  record.values[kDisplayTime] = static_cast<uint16_t>(values.displayTime);
  record.values[kNonRectangular] = values.nonRectangular ? 1 : 0;
  record.values[kBlink] = values.blink ? 1 : 0;
  record.moreValues[kDisplayMode] = values.permanent ? kPermanent : kShownOnce;
  return true;
}

CBroadcastRoute Route(const CBroadcastInfo& record) {
  const uint16_t target = record.values[kTarget];
  const bool picture = record.picture.Length() > kSmallestPicture;
  CBroadcastRoute route;
  route.page = picture && (target == 1 || target == 5);
  route.promotion = picture && (target == 2 || target == 6);
  route.panel = target >= 4 && target <= 6;
  return route;
}

}  // namespace BroadcastRecord
