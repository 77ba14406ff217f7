// The program's side of the whispers the root place receives: its clock and
// trace, the away message and identity texts of the settings, the local
// user's pending action; the identity texts a person sent go to that
// person's identity dialog; instant messages go to the conversation list.
// Object transfers go to the transfers; stage invitations and the event's
// queue items go to the auditorium's event dialogs.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "CImLink.h"
#include "IPlaceWhispers.h"
#include "TvlBlob.h"

class CZrApp;

class CPlaceWhispersLink : public IPlaceWhispers {
 public:
  explicit CPlaceWhispersLink(CZrApp& app) : m_app(app), m_ims(app) {}

  CImLink& Ims() { return m_ims; }

  uint64_t TickMs() const override;
  void Trace(const std::string& line) override;
  std::string GetAwayMessage() const override;
  CIdentityTexts GetIdentityTexts() const override;
  std::string GetEventText() const override;
  bool IsInPeopleList(uint32_t person) const override;
  void ReceiveIm(const CZrTextMessage& record, const std::string& text, const CTvlBlob& payload,
                 const std::string& displayName) override;
  void GiveIdentity(uint32_t person, const CIdentityTexts& texts) override;
  void HandOnTransfer(uint32_t sender, const std::string& displayName, const CTvlBlob& payload) override;
  bool AwaitsTransfer(uint32_t sender, const CTvlBlob& payload) const override;
  void OpenStageInvitation(const std::string& text, const std::string& displayName) override;
  void AddEventQueueItems(uint32_t sender, const std::string& text) override;
  void SetSpeakInvitation(uint32_t host) override;
  void ClearPendingAction() override;

 private:
  CZrApp& m_app;
  CImLink m_ims;
};
