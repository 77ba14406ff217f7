#include "CPeopleHostLink.h"

#include "CCallProgramLink.h"
#include "CChatWnd.h"
#include "CDialog.h"
#include "CZrApp.h"
#include "resource.h"

void CPeopleHostLink::PostCommand(UINT id) const {
  if (CChatWnd* main = m_app.MainFrame()) main->PostMessage(WM_COMMAND, id);
}

void CPeopleHostLink::FindPeople() { PostCommand(ID_LOCATE); }

void CPeopleHostLink::SendInstantMessage() { PostCommand(ID_SEND_IM); }

int CPeopleHostLink::RunModal(CDialog& dialog) {
  return m_app.Boxes().RunWithMainWindowsDisabled([&dialog] { return static_cast<int>(dialog.DoModal()); });
}

std::string CPeopleHostLink::GetCommunityName() const { return m_app.PlaceLink().GetCommunityName(); }

COLORREF CPeopleHostLink::GetColor(uint32_t index) const { return m_app.Resources().GetColor(index); }

int32_t CPeopleHostLink::GetMaxObservers() const { return m_app.Settings().m_maxObservers; }

bool CPeopleHostLink::CanCall() const {
  CCallProgramLink* link = m_app.GetCallProgramLink();
  return link && link->IsConnected();
}

bool CPeopleHostLink::CanSendFiles() const { return m_app.Settings().m_enableSendingFiles != 0; }

bool CPeopleHostLink::GetToolButton(uint32_t index, UINT& command, UINT faces[4]) const {
  const CZrResLibrary::ToolBarButton entry = m_app.Resources().GetToolBarButton(kPeopleToolBar, index);
  if (entry.command == 0) return false;
  command = static_cast<UINT>(entry.command);
  for (int i = 0; i < 4; ++i) faces[i] = static_cast<UINT>(entry.bitmaps[i]);
  return true;
}
