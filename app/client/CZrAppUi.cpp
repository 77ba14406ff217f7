// The application's answers to its windows: the state of the connection
// and of the own user, the redraw list, the indicator, the main window's
// status line, and the receivers of the main window's private messages.
#include <algorithm>
#include <iterator>

#include "CChatWnd.h"
#include "CCommunityConnection.h"
#include "CMyselfClient.h"
#include "CMyselfWnd.h"
#include "CClientPlace.h"
#include "CPlace.h"
#include "CPplManager.h"
#include "CServerAdviceDlg.h"
#include "CServerInaccessibleDlg.h"
#include "CZrApp.h"
#include "ModuleState.h"
#include "ZrCopyData.h"
#include "ZrGroup.h"
#include "ZrPerson.h"
#include "resource.h"

namespace {

// Participation texts of the indicator states, as the people column shows
// them.
constexpr UINT kParticipationTexts[] = {549, 548, 522, 471};
// Lost connections retried before the user is asked, and the question.
constexpr int32_t kSilentReconnects = 3;
constexpr UINT kReconnectQuestion = 269;

}  // namespace

CZrApp& ZrApp() { return *static_cast<CZrApp*>(AfxGetApp()); }

// ---- State of the place and the own user ----------------------------------------

bool CZrApp::IsConnected() const { return m_rootPlace && m_rootPlace->IsConnected(); }

bool CZrApp::IsAuditorium() const { return IsConnected() && m_rootPlace->IsAuditorium(); }

CZrPerson* CZrApp::GetMyself() const { return m_myself.get(); }

bool CZrApp::IsMyselfInRootPlace() { return IsConnected() && m_rootPlace->IsInRootPlace(); }

uint32_t CZrApp::GetOwnUserClass() const { return m_rootPlace ? m_rootPlace->LocalClass() : 0; }

// The own user's part in the group it is in: its host leads it.
namespace {

CZrApp::GroupRole RoleIn(const CZrPerson* myself, bool game) {
  const CZrGroup* group = myself ? myself->GetParent() : nullptr;
  if (!CClientPlace::IsLedGroup(group) || CClientPlace::IsGame(group) != game) return CZrApp::GroupRole::kNone;
  return group->GetHost() == myself ? CZrApp::GroupRole::kHost : CZrApp::GroupRole::kGuest;
}

}  // namespace

CZrApp::GroupRole CZrApp::GetGameRole() const { return IsConnected() ? RoleIn(GetMyself(), true) : GroupRole::kNone; }
CZrApp::GroupRole CZrApp::GetTourRole() const { return IsConnected() ? RoleIn(GetMyself(), false) : GroupRole::kNone; }
bool CZrApp::IsInRow() const {
  const CZrPerson* myself = GetMyself();
  return IsConnected() && myself && CClientPlace::IsSeatRow(myself->GetParent());
}

// ---- Connection ------------------------------------------------------------------

void CZrApp::CloseConnection(int32_t reason) {
  if (!m_rootPlace || !m_connection) return;
  m_connection->Disconnect();
  m_rootPlace->OnDisconnected(reason, std::string());
}

// ---- Main windows ----------------------------------------------------------------

void CZrApp::EnableMainWindows(bool modalUp) { m_boxes.EnableMainWindows(modalUp ? 1 : 0); }

void CZrApp::SendDirectoryHideAndClose() { m_directoryLink.HideAndClose(); }

// The page frame is not part of the program yet: there is none to hide or
// close.
void CZrApp::HideBrowserFrame() { m_browserWndLink.Hide(); }
void CZrApp::CloseBrowserFrame() { m_browserWndLink.Close(); }

void CZrApp::ShowStatusString(UINT stringId, bool keep) {
  if (CChatWnd* main = MainFrame()) main->ShowStatusString(stringId, keep);
}

CNameBubble* CZrApp::GetNameBubble() {
  CChatWnd* main = MainFrame();
  return main ? main->GetNameBubble() : nullptr;
}

CPicture* CZrApp::GetBackgroundPicture() {
  return m_backgroundPicture.IsEmpty() ? nullptr : &m_backgroundPicture;
}

// ---- Tips ----------------------------------------------------------------------

void CZrApp::SaveTipState(const std::string& text) {
  m_settings.m_lastTipNew = text;
  m_settings.Save(true);
}

// ---- Redraw list -------------------------------------------------------------------

void CZrApp::RegisterIdleWindow(HWND window) {
  if (window) m_idleWindows.push_back(window);
}

void CZrApp::UnregisterIdleWindow(HWND window) {
  m_idleWindows.erase(std::remove(m_idleWindows.begin(), m_idleWindows.end(), window),
                      m_idleWindows.end());
}

void CZrApp::RedrawAllWindows() {
  for (HWND window : m_idleWindows) {
    if (::IsWindow(window)) ::RedrawWindow(window, nullptr, nullptr, RDW_FRAME | RDW_ERASE | RDW_INVALIDATE);
  }
  m_avatars.RedrawAll();
}

// ---- Indicator -----------------------------------------------------------------------

void CZrApp::SetIndicatorState(unsigned state) {
  if (m_indicator.m_hWnd) m_indicator.SetState(state);
}

void CZrApp::SetIndicatorParent(CWnd* window) {
  if (!m_indicator.m_hWnd) return;
  CWnd* parent = window ? window : MainFrame();
  if (!parent) return;
  ::SetParent(m_indicator.m_hWnd, parent->m_hWnd);
  m_indicator.ShowWindow(window ? SW_SHOW : SW_HIDE);
}

unsigned CZrApp::GetIndicatorState() const {
  return m_indicator.m_hWnd ? m_indicator.GetFrame() : static_cast<unsigned>(kDisconnected);
}

void CZrApp::SetPeopleStatus(unsigned state) {
  if (state >= std::size(kParticipationTexts)) return;
  if (CChatWnd* main = MainFrame()) main->SetParticipationText(AfxLoadString(kParticipationTexts[state]));
  if (CPplManager* people = GetPeopleManager()) people->SetStatus(static_cast<int32_t>(state));
}

// The page area belongs to the page frame, which the program does not have
// yet.
bool CZrApp::GetPageOrigin(POINT&) { return false; }

// Entering and leaving the room is the local user object's request; until
// the program has it the toggle cannot be made.
void CZrApp::ToggleObserve() { RunDeferredCommand(ID_ENTER_LEAVE); }

// ---- Private messages of the main window -------------------------------------------

// The own avatar was shown (1) or hidden (0): an outline zooms from the
// indicator to the avatar, or from the avatar back into the indicator.
LRESULT CZrApp::OnAvatarZoom(WPARAM shown, LPARAM) {
  CChatWnd* main = MainFrame();
  CMyselfWnd* own = m_avatars.GetOwn();
  if (!main || !own || !own->m_hWnd || !m_indicator.m_hWnd) return 0;
  if (!m_zoom) m_zoom = std::make_unique<CZoomRectEffect>(main->m_hWnd);
  if (m_zoom->IsRunning()) return 0;
  RECT avatar{};
  RECT indicator{};
  ::GetWindowRect(own->m_hWnd, &avatar);
  ::GetWindowRect(m_indicator.m_hWnd, &indicator);
  CPplManager* people = GetPeopleManager();
  CWnd* page = m_avatars.GetPlaceWnd();
  if (m_zoom->PrepareBetween(avatar, indicator, shown != 0, page ? page->m_hWnd : nullptr,
                             people ? people->m_hWnd : nullptr) != CZoomRectEffect::kPrepared)
    return 0;
  m_zoom->Start(true);
  return 0;
}

// Promotions lie on the page and zoom into the indicator when they end.
CPromotionSite CZrApp::PromotionSite() {
  CPromotionSite site;
  site.pageWindow = [this] { return m_avatars.GetPlaceWnd(); };
  site.pageArea = [this] { return m_avatars.GetPageArea(); };
  site.zoomTarget = [this] {
    RECT target{};
    if (m_indicator.m_hWnd) ::GetWindowRect(m_indicator.m_hWnd, &target);
    return target;
  };
  site.colour = [this](uint32_t index) { return m_resources.GetColor(index); };
  return site;
}

bool CZrApp::IsZoomRunning() { return m_zoom && m_zoom->IsRunning(); }

// The place's enter prompt: the room the user wanted is full.
void CZrApp::ShowPlaceEnterDialog() { m_smallDialogs.ShowRoomFull(); }

// The receivers below belong to place navigation, the DDE session, object
// transfers and the directory link; they act once those are part of the
// program.
// After every three automatic attempts the user decides: Cancel leaves the
// count at three, so the next loss asks again; Retry starts a new series.
bool CZrApp::PostReconnect() {
  CChatWnd* main = MainFrame();
  if (!main || !::IsWindow(main->m_hWnd) || m_reconnectCount == -1) return false;
  if (m_reconnectCount == kSilentReconnects) {
    if (m_boxes.Ask(kReconnectQuestion, MB_RETRYCANCEL | MB_ICONQUESTION) != IDRETRY) return false;
    m_reconnectCount = 0;
  }
  if (!main->PostMessage(CChatWnd::kReconnect, 0, 0)) return false;
  ++m_reconnectCount;
  return true;
}

void CZrApp::ConfirmServerInaccessible() {
  CChatWnd* main = MainFrame();
  if (!main || !m_running) return;
  const int answer = m_boxes.RunWithMainWindowsDisabled([main] {
    INT_PTR choice = CServerInaccessibleDlg::kMoreInfo;
    while (choice == CServerInaccessibleDlg::kMoreInfo) {
      choice = CServerInaccessibleDlg(main).DoModal();
      if (choice == CServerInaccessibleDlg::kMoreInfo) CServerAdviceDlg(main).DoModal();
    }
    return static_cast<int>(choice);
  });
  if (answer == IDOK) Reconnect();
}

void CZrApp::Reconnect() {
  if (m_connection) m_connection->SetUrl(m_plan.m_communityName);
}
void CZrApp::ReplayDeferredDdeCommands() {
  if (CDdeSession* session = GetDdeSession()) session->Pump();
}
LRESULT CZrApp::HandOnPendingTransfer(WPARAM, LPARAM) { return 0; }
