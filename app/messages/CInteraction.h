// An interaction that a page asks for through the query text of a special
// link: speaking to the auditorium, looking a guest up, answering, a line
// to the event's administrator, or the items of a form sent to the guest.
// Portable: the place is reached through IInteractionPlace.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "TvlBlob.h"

// A member of a look-up answer, as the items need it.
struct CInteractionMember {
  uint32_t id = 0;
  // 2 for a member of this community, 3 for a screen name of the host
  // service.
  uint32_t serviceType = 0;
  // The name of the place the member is in, and its stage reference there
  // (0 on an auditorium's stage).
  std::string placeName;
  int32_t stageReference = 0;
};

class IInteractionPlace {
 public:
  virtual bool IsAuditorium() const = 0;
  // The local user stands directly in the place (on the stage).
  virtual bool IsDirectlyInPlace() const = 0;
  virtual std::string PlaceName() const = 0;
  // A talk request of kind 5 on the root place.
  virtual void Say(const std::string& text, const CTvlBlob& payload) = 0;
  // Message type 5 to a member.
  virtual void SendToMember(uint32_t member, const std::string& text, const CTvlBlob& payload) = 0;
  // To the place's administrator entry, else to its first member of the
  // event service class; false when there is neither.
  virtual bool SendToAdministrator(const std::string& text) = 0;
  // A numbered look-up of a name; its request number.
  virtual uint32_t LookUp(const std::string& name) = 0;
  // A message box "Lumora Chat" / string id.
  virtual void ShowMessage(uint32_t id) = 0;

 protected:
  ~IInteractionPlace() = default;
};

class CInteraction {
 public:
  enum Type : int32_t {
    kNone = 0,
    kSpeak = 1,
    kLookUpGuest = 2,
    kLookUpFromStage = 3,
    kAnswer = 4,
    kMessage = 5,
    kToAdministrator = 6,
  };
  enum ItemMode : int32_t { kNoItems = 0, kFormItems = 2, kGuestAnswer = 3 };
  static constexpr uint32_t kNotOnStageText = 61260;
  static constexpr uint32_t kNoAdministratorText = 316;
  static constexpr uint32_t kGuestNotOnStageText = 61261;
  static constexpr uint8_t kAnswerCode = 6;
  static constexpr uint8_t kItemCode = 7;
  static constexpr uint8_t kGuestAnswerCode = 8;

  // Whether a query text carries an interaction.
  static bool HasInteraction(const std::string& query);
  // "%3C%2C%3E" becomes "<,>", then every '%' with two hexadecimal digits
  // the character of that code; with plusAsBlank every '+' a blank.
  static std::string Unescape(const std::string& text, bool plusAsBlank);

  void Parse(const std::string& query);
  bool IsValid() const { return m_type != kNone; }
  void Reset();
  // Carries the interaction out; false when it could not (its conditions
  // are not met, or there is no administrator).
  bool Perform(IInteractionPlace& place);
  // The answer to the look-up of types 2 and 3 arrived.
  void SendItems(IInteractionPlace& place, const std::vector<CInteractionMember>& members);

  int32_t GetType() const { return m_type; }
  void SetItemMode(int32_t mode) { m_itemMode = mode; }
  int32_t GetItemMode() const { return m_itemMode; }
  uint32_t GetLookupRequest() const { return m_lookupRequest; }
  const std::string& GetSender() const { return m_sender; }
  const std::string& GetMessage() const { return m_message; }
  const std::string& GetAnswer() const { return m_answer; }
  const std::string& GetGuestName() const { return m_guestName; }
  const std::string& GetIdentifiers() const { return m_identifiers; }
  const std::string& GetTypes() const { return m_types; }
  // The name that the look-up asks for and the service type of the member
  // that the items go to.
  std::string LookupName() const;
  uint32_t GuestServiceType() const;
  // The "ITEM " lines of a form, one per item while every list has one.
  std::vector<std::string> ItemLines() const;

 private:
  bool OnStage(const IInteractionPlace& place) const;

  int32_t m_type = kNone;
  std::string m_sender;
  std::string m_message;
  std::string m_types;
  std::string m_identifiers;
  int32_t m_itemMode = kNoItems;
  std::string m_guestName;
  std::string m_answer;
  uint32_t m_lookupRequest = 0;
};
