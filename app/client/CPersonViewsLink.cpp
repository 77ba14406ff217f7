#include "CPersonViewsLink.h"

#include "CAvatarWindows.h"
#include "CClientRoom.h"
#include "CDdeSession.h"
#include "CPersonStateList.h"
#include "CPplManager.h"
#include "CPresenceWnd.h"
#include "CZrApp.h"
#include "IPersonDialog.h"
#include "ZrPerson.h"

void CPersonViewsLink::CreatePlaceWindow(CZrPerson& person, CZrGroup*) { m_app.Avatars().Create(person); }

bool CPersonViewsLink::HasPlaceWindow(const CZrPerson& person) const {
  return m_app.Avatars().Find(person) != nullptr;
}

void CPersonViewsLink::HidePlaceWindow(CZrPerson& person) {
  if (CPresenceWnd* window = m_app.Avatars().Find(person)) window->SetShown(false);
}

void CPersonViewsLink::UpdateVisibility(CZrPerson& person) {
  if (CPresenceWnd* window = m_app.Avatars().Find(person)) window->UpdateVisibility(true);
}

void CPersonViewsLink::Withdraw(CZrPerson& person) {
  if (CPresenceWnd* window = m_app.Avatars().Find(person)) window->Withdraw();
}

void CPersonViewsLink::Repaint(CZrPerson& person) {
  if (CPresenceWnd* window = m_app.Avatars().Find(person)) window->Invalidate();
}

void CPersonViewsLink::SetMark(CZrPerson& person, bool on) {
  if (CPresenceWnd* window = m_app.Avatars().Find(person)) window->SetMarkState(on);
}

void CPersonViewsLink::SetOverlay(CZrPerson& person, bool on) {
  if (CPresenceWnd* window = m_app.Avatars().Find(person)) window->SetOverlayState(on);
}

void CPersonViewsLink::DestroyWindows(CZrPerson& person) { m_app.Avatars().Destroy(person); }

void CPersonViewsLink::ShowPicture(CZrPerson& person, const CTvlBlob& picture) {
  Repaint(person);
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

void CPersonViewsLink::RedrawPeople() {
  if (CPplManager* people = m_app.GetPeopleManager()) people->RedrawList();
}

void CPersonViewsLink::AddGroupToPeople(CZrGroup& group) {
  if (CPplManager* people = m_app.GetPeopleManager()) people->AddPerson(group);
}

void CPersonViewsLink::RemoveGroupFromPeople(CZrGroup& group) {
  if (CPplManager* people = m_app.GetPeopleManager()) people->RemovePerson(group);
}

void CPersonViewsLink::UpdateGroupInPeople(CZrGroup& group) {
  if (CPplManager* people = m_app.GetPeopleManager()) people->UpdatePerson(group);
}

void CPersonViewsLink::ShowGroupSay(CZrGroup& group, CZrObject& sender, const std::string& text) {
  m_app.Chat().ShowChatLine(group.GetId(), sender, text);
}
