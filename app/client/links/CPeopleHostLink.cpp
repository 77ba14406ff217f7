#include "CPeopleHostLink.h"

#include "CCallProgramLink.h"
#include "CChatWnd.h"
#include "CDialog.h"
#include "CMyselfWnd.h"
#include "CPlace.h"
#include "CPresenceWnd.h"
#include "CTransfers.h"
#include "CZrApp.h"
#include "IdentityCommands.h"
#include "ZrPerson.h"
#include "resource.h"

namespace {

constexpr int32_t kFlashCount = 2;
constexpr UINT kFlashPeriodMs = 200;

}  // namespace

void CPeopleHostLink::PostCommand(UINT id) const {
  if (CChatWnd* main = m_app.MainFrame()) main->PostMessage(WM_COMMAND, id);
}

void CPeopleHostLink::OpenPersonIdentity(uint32_t person, const std::string& name) {
  ::OpenPersonIdentity(m_app, person, name);
}

void CPeopleHostLink::OpenIdentitySheet() { RunIdentitySheet(m_app); }

// The person's avatar flashes twice; the own avatar for the local user.
bool CPeopleHostLink::FlashAvatar(uint32_t person) {
  CAvatarWindows& avatars = m_app.Avatars();
  CZrPerson* myself = m_app.GetMyself();
  CZrWnd* window = nullptr;
  if (myself && myself->GetId() == person) {
    window = avatars.GetOwn();
  } else if (CPlace* root = m_app.GetRootPlace()) {
    CZrObject* found = root->FindById(person);
    if (auto* member = dynamic_cast<CZrPerson*>(found)) window = avatars.Find(*member);
  }
  if (!window || !window->GetSafeHwnd()) return false;
  window->Flash(kFlashCount, kFlashPeriodMs);
  return true;
}

bool CPeopleHostLink::AreAvatarsShown() const { return m_app.Avatars().IsPageActive(); }

void CPeopleHostLink::FindPeople() { PostCommand(ID_LOCATE); }

void CPeopleHostLink::SendInstantMessage() { PostCommand(ID_SEND_IM); }

int CPeopleHostLink::RunModal(CDialog& dialog) {
  return m_app.Boxes().RunWithMainWindowsDisabled([&dialog] { return static_cast<int>(dialog.DoModal()); });
}

std::string CPeopleHostLink::GetCommunityName() const { return m_app.PlaceLink().GetCommunityName(); }

std::string CPeopleHostLink::GetProductString(uint32_t index) const { return m_app.Resources().GetString(index); }

COLORREF CPeopleHostLink::GetColor(uint32_t index) const { return m_app.Resources().GetColor(index); }

std::string CPeopleHostLink::GetGestureFolder() const { return m_app.Settings().m_gestureDirectory; }

int32_t CPeopleHostLink::GetMaxObservers() const { return m_app.Settings().m_maxObservers; }

VoiceState CPeopleHostLink::GetVoiceState(uint32_t person) const {
  return m_app.Voice().Roster().StateOf(person);
}

bool CPeopleHostLink::CanCall() const {
  CCallProgramLink* link = m_app.GetCallProgramLink();
  return link && link->IsConnected();
}

bool CPeopleHostLink::CanSendFiles() const { return m_app.Settings().m_enableSendingFiles != 0; }

bool CPeopleHostLink::IsSendDialogOpen() const { return CTransfers::IsSendDialogOpen(); }

void CPeopleHostLink::SendFile(uint32_t person, const std::string& name) {
  if (CTransfers* transfers = m_app.Transfers()) transfers->StartSend(person, name, std::string());
}

bool CPeopleHostLink::GetToolButton(uint32_t index, UINT& command, UINT faces[4]) const {
  const CZrResLibrary::ToolBarButton entry = m_app.Resources().GetToolBarButton(kPeopleToolBar, index);
  if (entry.command == 0) return false;
  command = static_cast<UINT>(entry.command);
  for (int i = 0; i < 4; ++i) faces[i] = static_cast<UINT>(entry.bitmaps[i]);
  return true;
}
