#include "CSmallDialogs.h"

#include "CAboutDlg.h"
#include "CCallProgramDlg.h"
#include "CChatWnd.h"
#include "CInviteeDlg.h"
#include "COpenLocationDlg.h"
#include "CPlace.h"
#include "CPrivateRoomDlg.h"
#include "CRoomFullDlg.h"
#include "CWarningDlg.h"
#include "CZrApp.h"
#include "ZrPerson.h"
#include "ZrString.h"

namespace {

// The invitation requests name the guest by a key of this kind.
constexpr uint8_t kGuestNameKey = 2;
constexpr uint32_t kInvitationValue = 1;

// Shows a modeless prompt that is open, or makes it.
template <typename Dialog, typename Owner>
void RaiseOrOpen(CDialog*& open, CWnd* parent, Owner& owner) {
  if (open && ::IsWindow(open->m_hWnd)) {
    open->ShowWindow(SW_SHOWNORMAL);
    ::BringWindowToTop(open->m_hWnd);
    return;
  }
  open = Dialog::Open(parent, owner);
}

}  // namespace

int CSmallDialogs::RunModal(CDialog& dialog) {
  return m_app.Boxes().RunWithMainWindowsDisabled(
      [&dialog] { return static_cast<int>(dialog.DoModal()); });
}

// Not while the program ends: the prompts go with the main window then.
void CSmallDialogs::ActivateMainWindow() {
  if (!m_app.IsRunning()) return;
  if (CChatWnd* main = m_app.MainFrame(); main && ::IsWindow(main->m_hWnd))
    ::SetActiveWindow(main->m_hWnd);
}

// ---- Modal dialogs ----------------------------------------------------------

void CSmallDialogs::RunAbout() {
  CAboutDlg about(m_app.MainFrame(), m_app.Resources().BrandCode());
  RunModal(about);
}

// The program is registered under its name without ".exe"; the user logs in
// under the own nickname in the place.
void CSmallDialogs::RunCallProgram() {
  CZrSettings& settings = m_app.Settings();
  CCallProgramDlg dialog(m_app.MainFrame(), settings.m_audioExeName);
  if (RunModal(dialog) != IDOK) return;
  settings.m_audioExeName = dialog.m_programName;
  CCallProgramLink* link = m_app.GetCallProgramLink();
  if (!link || dialog.m_programName.empty()) return;
  std::string name = dialog.m_programName;
  if (name.size() > 4 && ::lstrcmpiA(name.c_str() + name.size() - 4, ".exe") == 0) name.resize(name.size() - 4);
  const CZrPerson* myself = m_app.GetMyself();
  link->Connect(name, myself ? myself->GetName() : settings.m_nickName);
}

// The typed address becomes the page of the place's frame, which the place
// then enters as it follows every page shown there.
void CSmallDialogs::RunOpenLocation() {
  COpenLocationDlg dialog(m_app.MainFrame());
  if (RunModal(dialog) != IDOK || dialog.m_location.empty()) return;
  m_app.PlaceLink().ShowPage(dialog.m_location);
  if (m_app.IsConnected()) m_app.GetRootPlace()->Enter(dialog.m_location, std::string());
}

void CSmallDialogs::ShowWarning(const std::string& text) {
  CWarningDlg dialog(m_app.MainFrame(), text, true);
  RunModal(dialog);
}

// ---- Room is Full -----------------------------------------------------------

void CSmallDialogs::ShowRoomFull() {
  if (!m_app.IsConnected() || m_app.IsAuditorium()) return;
  RaiseOrOpen<CRoomFullDlg>(m_roomFull, m_app.MainFrame(), static_cast<IRoomFullOwner&>(*this));
}

// The settings hold no similar-rooms choice and the place reports no member
// limit, so no room like the full one is offered.
bool CSmallDialogs::OffersSimilarRoom() const { return false; }

// The own user's tour is not followed yet: no tour is too large.
bool CSmallDialogs::IsTourTooLarge() const { return false; }

void CSmallDialogs::GoToSimilarRoom() {
  CPlace* place = m_app.GetRootPlace();
  if (!place || !m_app.IsConnected()) return;
  const std::string address = m_app.PlaceLink().GetPageUrl();
  place->ShowUrl(address);
  place->Enter(address, std::string());
}

void CSmallDialogs::ShowPlaces() {
  if (CChatWnd* main = m_app.MainFrame()) main->PostMessage(CChatWnd::kRefreshPlace, 0, kPlacesPage);
}

void CSmallDialogs::OnRoomFullClosed() {
  m_roomFull = nullptr;
  if (!m_app.IsRunning()) return;
  ActivateMainWindow();
  m_app.Tips().ShowTip(kObservingTip, false);
}

// ---- Private Room -----------------------------------------------------------

void CSmallDialogs::OpenPrivateRoom() {
  if (m_app.IsAuditorium()) return;
  m_app.Places().CloseManager();
  RaiseOrOpen<CPrivateRoomDlg>(m_privateRoom, m_app.MainFrame(),
                               static_cast<IPrivateRoomOwner&>(*this));
}

void CSmallDialogs::EnterPrivateRoom(const std::string& name) {
  CPlace* place = m_app.GetRootPlace();
  if (!place || !m_app.IsConnected()) return;
  place->Enter(name, std::string());
  m_app.PlaceLink().StopVoiceSession();
}

void CSmallDialogs::OnPrivateRoomClosed() {
  m_privateRoom = nullptr;
  ActivateMainWindow();
}

// ---- Event Invitee Selection ------------------------------------------------

void CSmallDialogs::OpenInviteeSelection() {
  RaiseOrOpen<CInviteeDlg>(m_invitee, m_app.MainFrame(), static_cast<IInviteeOwner&>(*this));
}

// Only a host in an auditorium invites.
bool CSmallDialogs::IsEventHost() const {
  const uint32_t ownClass = m_app.GetOwnUserClass();
  return (ownClass == CPlace::kHostClass || ownClass == CPlace::kAdminHostClass) &&
         m_app.IsAuditorium();
}

void CSmallDialogs::Invite(const std::string& name) {
  if (!IsEventHost()) return;
  CPlace* place = m_app.GetRootPlace();
  place->SendInviteRequest(kInvitationValue, place->GetId(), CZrString(name, kGuestNameKey));
  place->SendNumberedRequest(name, 0, true, false);
}

void CSmallDialogs::Uninvite(const std::string& name) {
  if (!IsEventHost()) return;
  CPlace* place = m_app.GetRootPlace();
  place->SendUninviteRequest(kInvitationValue, place->GetId(), CZrString(name, kGuestNameKey));
}

void CSmallDialogs::OnInviteeClosed() { m_invitee = nullptr; }
