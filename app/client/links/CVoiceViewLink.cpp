#include "CVoiceViewLink.h"

#include "CPeoplePage.h"
#include "CPersonClient.h"
#include "CPersonStateList.h"
#include "CPplManager.h"
#include "CZrApp.h"
#include "ZrPerson.h"

uint32_t CVoiceViewLink::LocalMember() const {
  const CZrPerson* myself = m_app.GetMyself();
  return myself ? myself->GetId() : 0;
}

bool CVoiceViewLink::IsIgnored(uint32_t member) const {
  CPersonStateList* states = m_app.GetPersonStateList();
  return states && states->GetState(member) != 0;
}

// The avatar's mark: the local user holds the floor.
bool CVoiceViewLink::HasFloor() const {
  const CZrPerson* myself = m_app.GetMyself();
  return myself && myself->GetFlags().Has(CPersonClient::kMarkFlag);
}

void CVoiceViewLink::ShowVoiceStatus(const std::string& text) {
  CPplManager* people = m_app.GetPeopleManager();
  if (CPeoplePage* page = people ? people->GetPeoplePage() : nullptr) page->Voice().SetStatus(text);
}

void CVoiceViewLink::RepaintVoiceMember(uint32_t) {
  if (CPplManager* people = m_app.GetPeopleManager()) people->RedrawList();
}

void CVoiceViewLink::ShowVoiceError(const std::string& description) {
  m_app.PlaceLink().PostWarning(description);
}
