#include "CInteractionLink.h"

#include "CPlace.h"
#include "CZrApp.h"
#include "ZrPersonDesc.h"

namespace {

constexpr uint32_t kBlankText = 199;
// The request kind of a line to the event's administrator.
constexpr uint16_t kAdministratorLine = 5;

}  // namespace

bool CInteractionLink::IsInteraction(const std::string& url) { return CInteraction::HasInteraction(url); }

// A look-up keeps its record, marked with what its answer sends.
void CInteractionLink::Perform(const std::string& url) {
  CInteraction interaction;
  interaction.Parse(url);
  if (!interaction.IsValid()) return;
  const int32_t type = interaction.GetType();
  if (!interaction.Perform(*this)) return;
  if (type != CInteraction::kLookUpGuest && type != CInteraction::kLookUpFromStage) return;
  if (interaction.GetLookupRequest() == 0) return;
  interaction.SetItemMode(type == CInteraction::kLookUpGuest ? CInteraction::kFormItems
                                                             : CInteraction::kGuestAnswer);
  m_waiting.push_back(interaction);
}

// The person's status value tells its service; its place's title and its
// container flag where it stands.
bool CInteractionLink::OfferLookupReply(uint32_t request,
                                        const std::vector<std::unique_ptr<CZrPersonDesc>>& persons) {
  for (auto it = m_waiting.begin(); it != m_waiting.end(); ++it) {
    if (it->GetLookupRequest() != request) continue;
    std::vector<CInteractionMember> members;
    for (const auto& person : persons) {
      if (person)
        members.push_back(CInteractionMember{person->id, person->status, person->placeTitle, person->parentFlag});
    }
    CInteraction interaction = *it;
    m_waiting.erase(it);
    interaction.SendItems(*this, members);
    return true;
  }
  return false;
}

bool CInteractionLink::IsAuditorium() const {
  const CPlace* place = m_app.GetRootPlace();
  return place && place->IsAuditorium();
}

bool CInteractionLink::IsDirectlyInPlace() const {
  const CPlace* place = m_app.GetRootPlace();
  return place && place->IsInRootPlace();
}

std::string CInteractionLink::PlaceName() const {
  const CPlace* place = m_app.GetRootPlace();
  return place ? place->GetTitle() : std::string();
}

void CInteractionLink::Say(const std::string& text, const CTvlBlob& payload) {
  if (CPlace* place = m_app.GetRootPlace()) place->RequestMove(*place, CPlace::kSayChat, text, payload);
}

void CInteractionLink::SendToMember(uint32_t member, const std::string& text, const CTvlBlob& payload) {
  if (CPlace* place = m_app.GetRootPlace()) place->SendUserMessage(member, text, payload);
}

bool CInteractionLink::SendToAdministrator(const std::string& text) {
  CPlace* place = m_app.GetRootPlace();
  if (!place) return false;
  uint32_t administrator = place->GetEventService();
  if (administrator == 0) {
    const CZrObjectRef* service = place->FindMember(CPlace::kEventServiceClass);
    administrator = service ? service->ownerId : 0;
  }
  if (administrator == 0) return false;
  place->SendMemberRequest(0, administrator, kAdministratorLine, text, CTvlBlob());
  return true;
}

uint32_t CInteractionLink::LookUp(const std::string& name) {
  CPlace* place = m_app.GetRootPlace();
  if (!place || !m_app.IsConnected()) return 0;
  return place->SendNumberedRequest(name, 0, true, false);
}

void CInteractionLink::ShowMessage(uint32_t id) {
  if (CPlace* place = m_app.GetRootPlace()) place->ShowMessage(kBlankText, id, {});
}
