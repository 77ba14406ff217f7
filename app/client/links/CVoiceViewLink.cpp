#include "CVoiceViewLink.h"

#include <cstdarg>

#include "CPeoplePage.h"
#include "CPersonClient.h"
#include "CPersonStateList.h"
#include "CPplManager.h"
#include "CZrApp.h"
#include "ZrMessageBox.h"
#include "ZrMessageText.h"
#include "ZrPerson.h"

namespace {

// The text in a heap buffer that the message box frees once shown.
char* HeapText(const char* format, ...) {
  va_list args;
  va_start(args, format);
  char* text = CZrMessageText::Format(format, args);
  va_end(args);
  return text;
}

}  // namespace

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

// Shown once the control's event has returned.
void CVoiceViewLink::ShowVoiceError(const std::string& description) {
  m_app.Boxes().PostMessageBox(CZrMessageBox::kWarning, HeapText("%s", description.c_str()));
}
