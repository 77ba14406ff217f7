#include "CPlaceWhispersLink.h"

#include <windows.h>

#include "CAuditoriumEvents.h"
#include "CMyselfClient.h"
#include "CPplManager.h"
#include "CTransfers.h"
#include "CZrApp.h"
#include "IdentityCommands.h"
#include "ZrTextMessage.h"

uint64_t CPlaceWhispersLink::TickMs() const { return GetTickCount64(); }

void CPlaceWhispersLink::Trace(const std::string& line) { OutputDebugStringA((line + "\n").c_str()); }

std::string CPlaceWhispersLink::GetAwayMessage() const { return m_app.Settings().m_awayMsg; }

CIdentityTexts CPlaceWhispersLink::GetIdentityTexts() const {
  const CZrSettings& settings = m_app.Settings();
  return {settings.m_gender, settings.m_hobbies, settings.m_occupation, settings.m_personalQuote};
}

std::string CPlaceWhispersLink::GetEventText() const { return m_app.PlaceLink().GetEventText(); }

// A person the host marked to speak aloud in the people list.
bool CPlaceWhispersLink::IsInPeopleList(uint32_t person) const {
  CPplManager* people = m_app.GetPeopleManager();
  return people && people->IsListed(person);
}

void CPlaceWhispersLink::ReceiveIm(const CZrTextMessage& record, const std::string& text, const CTvlBlob& payload,
                                   const std::string& displayName) {
  m_ims.List().OnImReceived(record.senderId, text, payload, displayName.empty() ? record.name : displayName);
}

void CPlaceWhispersLink::GiveIdentity(uint32_t person, const CIdentityTexts& texts) {
  ShowReceivedIdentity(m_app, person, texts);
}

void CPlaceWhispersLink::SetSpeakInvitation(uint32_t host) {
  if (auto* myself = dynamic_cast<CMyselfClient*>(m_app.GetMyself()))
    myself->SetPendingAction(CMyselfClient::kInvitedToSpeak, host);
}

void CPlaceWhispersLink::ClearPendingAction() {
  if (auto* myself = dynamic_cast<CMyselfClient*>(m_app.GetMyself()))
    myself->SetPendingAction(CMyselfClient::kNoAction, 0);
}

void CPlaceWhispersLink::HandOnTransfer(uint32_t sender, const std::string& displayName, const CTvlBlob& payload) {
  if (CTransfers* transfers = m_app.Transfers()) transfers->OnPayload(sender, displayName, payload);
}

bool CPlaceWhispersLink::AwaitsTransfer(uint32_t sender, const CTvlBlob& payload) const {
  CTransfers* transfers = m_app.Transfers();
  return transfers && transfers->Awaits(sender, payload);
}

// A host's invitation names the stage's place; the inviter is the sender.
void CPlaceWhispersLink::OpenStageInvitation(const std::string& text, const std::string& displayName) {
  if (CAuditoriumEvents* events = m_app.Events()) events->OnInvitation(displayName, text);
}

void CPlaceWhispersLink::AddEventQueueItems(uint32_t sender, const std::string& text) {
  if (CAuditoriumEvents* events = m_app.Events()) events->OnQueueText(sender, text);
}
