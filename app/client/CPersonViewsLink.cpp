#include "CPersonViewsLink.h"

#include "CDdeSession.h"
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
