// Going from place to place: a place address handed in from outside (a
// second copy's command line, and later the directory program and links),
// the switch to another community, and bringing the main window forward.
#include "CChatWnd.h"
#include "CCommunityCheck.h"
#include "CCommunityConnection.h"
#include "CCopyDataLink.h"
#include "CLocateDlg.h"
#include "CPlace.h"
#include "CPlaceAddress.h"
#include "BrowserDetection.h"
#include "CBrowserWnd.h"
#include "CCmdUI.h"
#include "CZrApp.h"

#include "CAuditoriumEvents.h"
#include "resource.h"

namespace {

// The community item that holds the community's host.
constexpr uint16_t kCommunityHostItem = 1000;

}  // namespace

// A command copied from WM_COPYDATA and posted to the main window.
void CZrApp::OnDirectoryCommand(WPARAM, LPARAM data) {
  const std::unique_ptr<CCopyCommand> command = CCopyDataLink::TakePosted(data);
  if (!command) return;
  if (command->Code() == kHandOverCommandLine)
    OpenCommandLine(command->Text());
  else
    m_directoryLink.Reply(command->Code(), command->Text());
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
  if (address.IsReplicated() && address.GetCommunity() != m_plan.m_communityName) Refresh(true);
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
  m_placesCommands.CloseManager();
  CLocateDlg::CloseOpen();
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

// ---- Browser choice and the directory and event pages ---------------------

// The embedded browser unless the other one is preferred and usable. With
// the embedded one the directory program shows the service's pages.
BrowserView CZrApp::ChooseBrowserView() const {
  const bool preferNavigator = m_settings.m_netscape != 0 || m_resources.IsNavigatorDefault();
  const std::optional<BrowserVersion> navigator = GetNavigatorVersion();
  const std::optional<BrowserVersion> embedded = GetEmbeddedBrowserVersion();
  return ::ChooseBrowserView(preferNavigator,
                             navigator && IsUsableNavigator(*navigator, m_settings.m_netscapeMajorMin),
                             embedded && IsUsableEmbedded(*embedded, m_settings.m_msieMajorMin));
}

void CZrApp::ForceBrowserSetting() {
  switch (m_browserView) {
    case BrowserView::kEmbedded:
      m_browserSetting = std::make_unique<CSavedRegistryValue>(
          HKEY_USERS, ".Default\\Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings", "SyncMode");
      m_browserSetting->SaveAndForce(3);
      break;
    case BrowserView::kNavigator:
      m_browserSetting = std::make_unique<CSavedRegistryValue>(
          HKEY_USERS, ".Default\\Software\\Netscape\\Netscape Navigator\\Main", "Check Server");
      m_browserSetting->SaveAndForce(0);
      break;
    case BrowserView::kNone:
      break;
  }
}

void CZrApp::Refresh(bool clearReplicated) {
  if (!m_rootPlace) return;
  if (clearReplicated) m_plan.m_replicated = false;
  // Without the directory program the client's own window shows the page.
  if (m_pagesInDirectoryProgram)
    m_directoryLink.Start(CDirectoryLink::kDirectory);
  else
    m_browserWndLink.Open(CBrowserWnd::kDirectory);
}

void CZrApp::CloseBrowser() {
  if (m_pagesInDirectoryProgram)
    m_directoryLink.HideAndReturn();
  else
    CloseBrowserFrame();
}

void CZrApp::OnShowDirectory() {
  if (m_resources.UseOldPlacesDirectory())
    RunDeferredCommand(ID_QUICK_DIRECTORY);
  else
    Refresh(true);
}

void CZrApp::OnUpdateShowDirectory(CCmdUI* ui) {
  if (!m_running) {
    ui->Enable(false);
  } else if (m_resources.UseOldPlacesDirectory()) {
    ui->Enable(IsConnected());
  } else {
    ui->Enable(!m_placeLink.GetCommunityText(CDirectoryLink::kDirectoryPageItem).empty());
  }
}

void CZrApp::OnEventManagement() {
  if (m_pagesInDirectoryProgram)
    m_directoryLink.Start(CDirectoryLink::kEventManagement);
  else
    m_browserWndLink.Open(CBrowserWnd::kEventManagement);
}

// The person menu's PARTICIPATE: a question or comment for the event's stage.
void CZrApp::OnParticipate() {
  if (m_events) m_events->OpenParticipate();
}

void CZrApp::OnUpdateEventManagement(CCmdUI* ui) {
  const ZrCommandState state = CommandState();
  ui->Enable(state.running && state.indicatorReady &&
             !m_placeLink.GetCommunityText(CDirectoryLink::kEventBaseItem).empty());
}
