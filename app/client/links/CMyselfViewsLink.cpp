#include "CMyselfViewsLink.h"

#include <windows.h>

#include "CDdeSession.h"
#include "CGames.h"
#include "CZrApp.h"

void CMyselfViewsLink::AnimateIndicator() { m_app.SetIndicatorState(CZrApp::kParticipating); }

void CMyselfViewsLink::ReleaseGame() {
  if (CGames* games = m_app.Games()) games->ReleaseGame();
}

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
