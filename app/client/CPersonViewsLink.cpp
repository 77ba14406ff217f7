#include "CPersonViewsLink.h"

#include "CDdeSession.h"
#include "CPplManager.h"
#include "CZrApp.h"
#include "ZrPerson.h"

void CPersonViewsLink::SendPlaceNotice(CZrPerson& person, uint32_t value) {
  if (CDdeSession* session = m_app.GetDdeSession()) session->PostEnterRoom(person, value != 0);
}

void CPersonViewsLink::SendMemberMessage(CZrPerson& person, CZrGroup& group) {
  if (CDdeSession* session = m_app.GetDdeSession()) session->PostJoinGroup(person, group);
}

void CPersonViewsLink::PostLeaveGroup(CZrPerson& person, CZrGroup& group) {
  if (CDdeSession* session = m_app.GetDdeSession()) session->PostLeaveGroup(person, group);
}

void CPersonViewsLink::SendPlaceRequest(CZrPerson& person) {
  if (CDdeSession* session = m_app.GetDdeSession()) session->PostLeaveRoom(person);
}

void CPersonViewsLink::AddToPeople(CZrPerson& person) {
  if (CPplManager* people = m_app.GetPeopleManager()) people->AddPerson(person);
}

void CPersonViewsLink::RemoveFromPeople(CZrPerson& person) {
  if (CPplManager* people = m_app.GetPeopleManager()) people->RemovePerson(person);
}

void CPersonViewsLink::UpdateInPeople(CZrPerson& person) {
  if (CPplManager* people = m_app.GetPeopleManager()) people->UpdatePerson(person);
}

void CPersonViewsLink::ChangeInPeople(CZrPerson& person) {
  if (CPplManager* people = m_app.GetPeopleManager()) people->ChangePerson(person);
}
