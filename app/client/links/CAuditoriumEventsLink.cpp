#include "CAuditoriumEventsLink.h"

#include "CMyselfClient.h"
#include "CPayload.h"
#include "CPlace.h"
#include "CZrApp.h"
#include "ZrObjectRef.h"

namespace {

constexpr uint8_t kAnswerToHostCode = 22;

}  // namespace

// An answer may go to any member of the administrator class when the place
// keeps no administrator member.
bool CAuditoriumEventsLink::SendToAdministrator(uint16_t kind, const std::string& text) {
  CPlace* place = m_app.GetRootPlace();
  if (!place) return false;
  uint32_t target = place->GetEventService();
  if (target == 0 && kind == kAnswerRequest) {
    if (const CZrObjectRef* any = place->FindMember(CPlace::kEventServiceClass)) target = any->ownerId;
  }
  if (target == 0) return false;
  return place->SendMemberRequest(0, target, kind, text, CTvlBlob()) == 0;
}

void CAuditoriumEventsLink::SendAnswerToHost(uint32_t host, const std::string& text) {
  CPlace* place = m_app.GetRootPlace();
  if (!place || host == 0) return;
  place->SendUserMessage(host, text, CPayload(CPayload::kCommand, kAnswerToHostCode, 0, nullptr));
}

bool CAuditoriumEventsLink::SendToTranscript(const std::string& text) {
  CPlace* place = m_app.GetRootPlace();
  if (!place || place->GetTranscriptService() == 0) return false;
  return place->SendMemberRequest(0, place->GetTranscriptService(), kTranscriptRequest, text, CTvlBlob()) == 0;
}

bool CAuditoriumEventsLink::HasTranscriptMember() const {
  CPlace* place = m_app.GetRootPlace();
  return place && place->GetTranscriptService() != 0;
}

std::string CAuditoriumEventsLink::PlaceName() const {
  CPlace* place = m_app.GetRootPlace();
  return place ? place->GetName() : std::string();
}

// In another place the user enters that place; on this place's stage the
// own position is sent at once.
void CAuditoriumEventsLink::EnterStage(const std::string& stagePlace) {
  CPlace* place = m_app.GetRootPlace();
  if (!place) return;
  m_app.SetIndicatorState(CZrApp::kWaiting);
  if (place->GetName() != stagePlace) {
    m_app.Places().GoToPlace(stagePlace, 1, true);
    return;
  }
  if (auto* myself = dynamic_cast<CMyselfClient*>(m_app.GetMyself())) myself->SendPosition();
}
