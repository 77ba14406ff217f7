#include "CPersonViewsLink.h"

#include "CClientRoom.h"
#include "CDdeSession.h"
#include "CPersonStateList.h"
#include "CZrApp.h"
#include "IPersonDialog.h"
#include "ZrPerson.h"

void CPersonViewsLink::ShowPicture(CZrPerson& person, const CTvlBlob& picture) {
  if (CPersonStateList* states = m_app.GetPersonStateList()) {
    if (IPersonDialog* dialog = states->GetData(person.GetId())) dialog->SetPicture(picture);
  }
}

// A game lays its avatar slots out for the avatar size in use.
void CPersonViewsLink::CreateGroupWindow(CZrGroup& group) {
  if (auto* room = dynamic_cast<CClientRoom*>(&group)) room->LoadSlots(m_app.Settings().m_bigFaces != 0);
}

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

void CPersonViewsLink::PostStartGroup(CZrGroup& group, CZrPerson& starter) {
  if (CDdeSession* session = m_app.GetDdeSession()) session->PostStartGroup(group, starter);
}

void CPersonViewsLink::PostBreakGroup(CZrGroup& group) {
  if (CDdeSession* session = m_app.GetDdeSession()) session->PostBreakGroup(group);
}

void CPersonViewsLink::PostStart1on1(CZrGroup& group, CZrPerson& person) {
  if (CDdeSession* session = m_app.GetDdeSession()) session->PostStart1on1(group, person);
}

void CPersonViewsLink::PostBreak1on1(CZrGroup& group) {
  if (CDdeSession* session = m_app.GetDdeSession()) session->PostBreak1on1(group);
}

void CPersonViewsLink::SendGroupNotice(CZrGroup& group, bool startVoice) {
  if (CDdeSession* session = m_app.GetDdeSession()) session->PostEnterRoom(group, startVoice);
}

void CPersonViewsLink::SendGroupRequest(CZrGroup& group) {
  if (CDdeSession* session = m_app.GetDdeSession()) session->PostLeaveRoom(group);
}

void CPersonViewsLink::PostPresenceIdentity(CZrPerson& person) {
  if (CDdeSession* session = m_app.GetDdeSession()) session->PostPresenceIdentity(person);
}

void CPersonViewsLink::PostPresenceFace(CZrPerson& person) {
  if (CDdeSession* session = m_app.GetDdeSession()) session->PostPresenceFace(person);
}
