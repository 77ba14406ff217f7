#include "CInteraction.h"

#include <cstdlib>

#include "CPayload.h"

namespace {

constexpr char kHostServiceSuffix[] = "@hvn";
constexpr size_t kHostServiceSuffixLength = 4;
constexpr uint32_t kMemberService = 2;
constexpr uint32_t kHostService = 3;
constexpr char kItemSeparator[] = "<,>";

// The value of key=: after the key at the start or after '?' or '&', up to
// the next '&' or the end. Empty when the key is absent.
std::string ValueOf(const std::string& query, const std::string& key) {
  const std::string pattern = key + "=";
  for (size_t at = query.find(pattern); at != std::string::npos; at = query.find(pattern, at + 1)) {
    if (at != 0 && query[at - 1] != '?' && query[at - 1] != '&') continue;
    const size_t start = at + pattern.size();
    const size_t end = query.find('&', start);
    return query.substr(start, end == std::string::npos ? std::string::npos : end - start);
  }
  return std::string();
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::vector<std::string> Split(const std::string& text, const std::string& separator) {
  std::vector<std::string> pieces;
  size_t start = 0;
  for (size_t at = text.find(separator); at != std::string::npos; at = text.find(separator, start)) {
    pieces.push_back(text.substr(start, at - start));
    start = at + separator.size();
  }
  pieces.push_back(text.substr(start));
  return pieces;
}

CTvlBlob CommandPayload(uint8_t code) { return CPayload(CPayload::kCommand, code, 0, nullptr); }

bool EndsWithHostService(const std::string& name) {
  return name.size() >= kHostServiceSuffixLength &&
         name.compare(name.size() - kHostServiceSuffixLength, kHostServiceSuffixLength, kHostServiceSuffix) == 0;
}

}  // namespace

bool CInteraction::HasInteraction(const std::string& query) {
  const size_t at = query.find("actn=");
  return at != std::string::npos && (at == 0 || query[at - 1] == '?' || query[at - 1] == '&');
}

std::string CInteraction::Unescape(const std::string& text, bool plusAsBlank) {
  std::string step = text;
  for (size_t at = step.find("%3C%2C%3E"); at != std::string::npos; at = step.find("%3C%2C%3E", at + 3))
    step.replace(at, 9, kItemSeparator);
  std::string result;
  for (size_t i = 0; i < step.size(); ++i) {
    if (step[i] == '%' && i + 2 < step.size() && HexDigit(step[i + 1]) >= 0 && HexDigit(step[i + 2]) >= 0 &&
        !(step[i + 1] == '0' && step[i + 2] == '0')) {
      result += static_cast<char>(HexDigit(step[i + 1]) * 16 + HexDigit(step[i + 2]));
      i += 2;
    } else if (plusAsBlank && step[i] == '+') {
      result += ' ';
    } else {
      result += step[i];
    }
  }
  return result;
}

void CInteraction::Parse(const std::string& query) {
  Reset();
  if (!HasInteraction(query)) return;
  m_identifiers = ValueOf(query, "intrctionId");
  m_types = ValueOf(query, "intrctionType");
  m_sender = Unescape(ValueOf(query, "sndr"), false);
  m_message = Unescape(ValueOf(query, "msg"), false);
  m_answer = Unescape(ValueOf(query, "answer"), true);
  m_guestName = ValueOf(query, "guestName");
  m_type = std::atoi(ValueOf(query, "actn").c_str());
}

void CInteraction::Reset() {
  m_type = kNone;
  m_sender.clear();
  m_message.clear();
  m_types.clear();
  m_identifiers.clear();
  m_guestName.clear();
  m_answer.clear();
}

bool CInteraction::OnStage(const IInteractionPlace& place) const {
  return place.IsAuditorium() && place.IsDirectlyInPlace();
}

bool CInteraction::Perform(IInteractionPlace& place) {
  bool done = true;
  switch (m_type) {
    case kLookUpGuest:
      m_lookupRequest = place.LookUp(LookupName());
      return true;
    case kLookUpFromStage:
      if (!OnStage(place)) break;
      m_lookupRequest = place.LookUp(LookupName());
      return true;
    case kSpeak:
    case kMessage:
      if (!OnStage(place)) break;
      place.Say(m_message, CTvlBlob());
      Reset();
      return true;
    case kAnswer:
      if (!OnStage(place)) break;
      place.Say(m_message, CommandPayload(kAnswerCode));
      place.Say(m_answer, CTvlBlob());
      Reset();
      return true;
    case kToAdministrator:
      done = place.SendToAdministrator(m_message);
      if (!done) place.ShowMessage(kNoAdministratorText);
      Reset();
      return done;
    default:
      Reset();
      return false;
  }
  place.ShowMessage(kNotOnStageText);
  Reset();
  return false;
}

std::string CInteraction::LookupName() const {
  if (!EndsWithHostService(m_guestName)) return m_guestName;
  return m_guestName.substr(0, m_guestName.size() - kHostServiceSuffixLength);
}

uint32_t CInteraction::GuestServiceType() const {
  return EndsWithHostService(m_guestName) ? kHostService : kMemberService;
}

// The asker's name goes before the message: the event queue reads the
// message as the rest of the line, so commas in it survive.
std::vector<std::string> CInteraction::ItemLines() const {
  const std::vector<std::string> types = Split(m_types, ",");
  const std::vector<std::string> ids = Split(m_identifiers, ",");
  const std::vector<std::string> messages = Split(m_message, kItemSeparator);
  const std::vector<std::string> senders = Split(m_sender, kItemSeparator);
  std::vector<std::string> lines;
  for (size_t i = 0; i < types.size() && i < ids.size() && i < messages.size() && i < senders.size(); ++i)
    lines.push_back("ITEM " + types[i] + "," + ids[i] + "," + senders[i] + "," + messages[i]);
  return lines;
}

void CInteraction::SendItems(IInteractionPlace& place, const std::vector<CInteractionMember>& members) {
  const uint32_t service = GuestServiceType();
  const CInteractionMember* guest = nullptr;
  for (const CInteractionMember& member : members) {
    if (member.serviceType == service) {
      guest = &member;
      break;
    }
  }
  if (guest && m_itemMode == kFormItems) {
    for (const std::string& line : ItemLines()) place.SendToMember(guest->id, line, CommandPayload(kItemCode));
  } else if (guest && m_itemMode == kGuestAnswer) {
    if (guest->placeName == place.PlaceName() && guest->stageReference == 0) {
      place.Say(m_message, CTvlBlob());
      place.SendToMember(guest->id, m_answer, CommandPayload(kGuestAnswerCode));
    } else {
      place.ShowMessage(kGuestNotOnStageText);
    }
  }
  m_itemMode = kNoItems;
}
