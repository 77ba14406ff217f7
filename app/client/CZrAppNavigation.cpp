// Going from place to place: a place address handed in from outside (a
// second copy's command line, and later the directory program and links),
// the switch to another community, and bringing the main window forward.
#include "CChatWnd.h"
#include "CCommunityCheck.h"
#include "CCommunityConnection.h"
#include "CCopyDataLink.h"
#include "CPlace.h"
#include "CPlaceAddress.h"
#include "CZrApp.h"
#include "resource.h"

namespace {

// The community item that holds the community's host.
constexpr uint16_t kCommunityHostItem = 1000;

}  // namespace

// A command copied from WM_COPYDATA and posted to the main window.
void CZrApp::OnDirectoryCommand(WPARAM, LPARAM data) {
  const std::unique_ptr<CCopyCommand> command = CCopyDataLink::TakePosted(data);
  if (command && command->Code() == kHandOverCommandLine) OpenCommandLine(command->Text());
}

void CZrApp::OpenCommandLine(const std::string& commandLine) {
  CPlaceAddress address(CCommunityCheck::ForService(m_settings.m_listFile));
  address.ParseArgument(commandLine);
  OpenPlaceAddress(address, true);
}

void CZrApp::OpenPlaceAddress(const CPlaceAddress& address, bool activate) {
  if (activate) ActivateMainWindow();
  if (!m_running) return;
  // Games start from the game session, which is not part of the program yet.
  if (address.HasGameName()) return;
  if (address.HasName()) m_settings.m_nickName = address.GetName();
  if (address.IsReplicated() && address.GetCommunity() != m_plan.m_communityName) Refresh(1);
  if (address.HasCommunity()) {
    if (address.GetCommunity() != m_plan.m_communityName)
      m_placeLink.SetCommunityText(kCommunityHostItem, address.GetValidatedCommunity());
    GoToPlace(address.GetCommunity());
  }
  if (address.HasPlace()) {
    m_plan.m_showPage = false;
    m_plan.m_pendingPlacePage = address.GetPlace();
  } else {
    m_plan.m_pendingPlacePage.clear();
  }
  // The layout commands' work: an address's layout numbers are the modes.
  const int32_t layout = address.HasLayout() ? address.GetLayout() : -1;
  if (layout >= CZrLayoutRecord::kClassic && layout <= CZrLayoutRecord::kHvnClassic)
    SetLayoutMode(layout);
}

// The main window comes forward restored, with its last active pop-up; a
// client left disconnected by closing its window connects again.
void CZrApp::ActivateMainWindow() {
  CChatWnd* main = MainFrame();
  if (!main || !::IsWindow(main->m_hWnd)) return;
  if (!::IsIconic(main->m_hWnd)) {
    main->ShowWindow(SW_HIDE);
    main->ShowWindow(SW_MINIMIZE);
  }
  main->ShowWindow(SW_RESTORE);
  ::BringWindowToTop(main->m_hWnd);
  HWND popup = ::GetLastActivePopup(main->m_hWnd);
  if (popup && popup != main->m_hWnd) ::BringWindowToTop(popup);
  if (m_reconnectOnActivation) {
    m_reconnectOnActivation = false;
    if (m_connection) m_connection->SetUrl(m_plan.m_communityName);
  }
}

// Switches to another community; false when there is nothing to do.
bool CZrApp::GoToPlace(const std::string& community) {
  if (community.empty() || (IsConnected() && community == m_plan.m_communityName)) return false;
  ResetPlaceState();
  SetCommunityName(community);
  m_settings.Save(!m_settings.HasIdentitySection(community));
  ShowConnectingStatus();
  SetIndicatorState(kWaiting);
  if (CChatWnd* main = MainFrame()) main->ResetAfterDisconnect();
  m_reconnectCount = -1;
  if (m_connection) m_connection->SetUrl(community);
  return true;
}

void CZrApp::GoToCommunityServer(const std::string& address, const std::string& title) {
  if (GoToPlace(address)) m_placeLink.SetCommunityText(kCommunityHostItem, title);
}

// What the last community said is forgotten before the next one speaks.
void CZrApp::ResetPlaceState() {
  m_placeLink.SetEntered(false);
  m_plan.m_pendingPlacePage.clear();
  m_placeLink.ClearCommunityTexts();
}
