#include "CPlace.h"

#include "ZrGroup.h"
#include "ZrPerson.h"
#include "ZrPlaceSelector.h"
#include "ZrString.h"

CPlace::CPlace(CZrPerson* myself, IPlaceEvents& events)
    : CZrClientPlace(myself, new CZrGroup(), new CZrGroup(), nullptr), m_events(events) {}

int32_t CPlace::StartLogin(IZrPlaceConnection& connection) {
  return SendBlobRequest(connection, CZrString(GetMyself()->GetName(), 1), std::string(),
                         kPersonKind, 0, 0);
}

int32_t CPlace::Enter(const std::string& page) {
  m_entered = false;
  return SetPendingMember(page, std::string(), nullptr, CZrPlaceSelector::Named(page));
}

void CPlace::OnConnected() {
  if (!m_firstPage.empty()) Enter(m_firstPage);
}

void CPlace::OnEntered(const CZrPosition*, uint32_t, const std::string&) {
  m_entered = true;
  m_events.OnPlaceEntered(GetName());
}

void CPlace::OnDisconnected(int32_t, const std::string&) { m_entered = false; }
