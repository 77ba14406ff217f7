#include "CMyselfViewsLink.h"

#include <windows.h>

#include "CChatTabWnd.h"
#include "CDdeSession.h"
#include "CZrApp.h"
#include "ZrGroup.h"

void CMyselfViewsLink::AnimateIndicator() { m_app.SetIndicatorState(CZrApp::kParticipating); }

void CMyselfViewsLink::StopIndicator() { m_app.SetIndicatorState(CZrApp::kWaiting); }

void CMyselfViewsLink::SetOwnShown(bool shown) { m_app.Avatars().ShowOwn(shown); }

void CMyselfViewsLink::LayoutOwnAvatar() { m_app.Avatars().LayoutOwn(); }

void CMyselfViewsLink::Beep() { MessageBeep(MB_ICONEXCLAMATION); }

void CMyselfViewsLink::ShowTip(int32_t tip) { m_app.Tips().ShowTip(tip, false); }

void CMyselfViewsLink::PostAlert(uint32_t sender, const std::string& name) {
  if (CDdeSession* session = m_app.GetDdeSession()) session->PostAlert(sender, name);
}

void CMyselfViewsLink::PostMoveError(uint32_t stringId) {
  if (CDdeSession* session = m_app.GetDdeSession()) session->PostMoveError(stringId);
}

void CMyselfViewsLink::PostGroupError(uint32_t stringId) {
  if (CDdeSession* session = m_app.GetDdeSession()) session->PostGroupError(stringId);
}

void CMyselfViewsLink::PostMove(uint32_t x, uint32_t y) {
  if (CDdeSession* session = m_app.GetDdeSession()) session->PostMove(x, y);
}

// ---- Chat tabs of the containers the user is in ---------------------------------

void CMyselfViewsLink::CreateGameTab(CZrGroup& group) {
  if (CChatTabWnd* tabs = m_app.Chat().Tabs()) tabs->CreateGameTab(group.GetId());
}

void CMyselfViewsLink::CreateTourTab(CZrGroup& group) {
  if (CChatTabWnd* tabs = m_app.Chat().Tabs()) tabs->CreateTourTab(group.GetId());
}

void CMyselfViewsLink::CreateRowTab(CZrGroup& group) {
  if (CChatTabWnd* tabs = m_app.Chat().Tabs()) tabs->CreateRowTab(group.GetId(), group.GetName());
}

void CMyselfViewsLink::CreateStageTab(CZrGroup& room) {
  if (CChatTabWnd* tabs = m_app.Chat().Tabs()) tabs->CreateStageTab(room.GetId());
}

// A one-on-one group: the page of the group, named after the other person.
void CMyselfViewsLink::ShowImTab(CZrObject& person, CZrGroup& group) {
  if (CChatTabWnd* tabs = m_app.Chat().Tabs())
    tabs->CreatePersonTab(group.GetId(), m_app.PlaceLink().DisplayNameOf(person));
}

void CMyselfViewsLink::ClosePersonPage(CZrObject& object) {
  if (CChatTabWnd* tabs = m_app.Chat().Tabs()) tabs->CloseTargetPage(object.GetId());
}

bool CMyselfViewsLink::IsImPageActive() const {
  CChatTabWnd* tabs = m_app.Chat().Tabs();
  CPaneDlg* page = tabs ? tabs->GetActivePage() : nullptr;
  return page && page->GetKind() == CPaneDlg::kInstantMessageKind;
}
