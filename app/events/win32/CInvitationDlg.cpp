#include "CInvitationDlg.h"

#include "ModuleState.h"

namespace {

constexpr UINT kInvitingString = 329;  // " is inviting you to enter the auditorium stage at  "

}  // namespace

CInvitationDlg* CInvitationDlg::s_open = nullptr;

CInvitationDlg::CInvitationDlg(IAuditoriumEventHost& host, std::string inviter, std::string stagePlace)
    : CDialog(kTemplateId), m_host(host), m_inviter(std::move(inviter)), m_stagePlace(std::move(stagePlace)) {}

void CInvitationDlg::Open(CWnd* parent, IAuditoriumEventHost& host, const std::string& inviter,
                          const std::string& stagePlace) {
  CloseOpen();
  auto* dialog = new CInvitationDlg(host, inviter, stagePlace);
  if (!dialog->Create(kTemplateId, parent)) {
    delete dialog;
    return;
  }
  dialog->ShowWindow(SW_SHOW);
}

void CInvitationDlg::CloseOpen() {
  if (s_open) s_open->DestroyWindow();
}

bool CInvitationDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  s_open = this;
  if (m_pParentWnd) CenterWindow(m_pParentWnd);
  SetDlgItemText(kText, m_inviter + AfxLoadString(kInvitingString) + m_stagePlace);
  return true;
}

void CInvitationDlg::OnOK() {
  const std::string stagePlace = m_stagePlace;
  IAuditoriumEventHost& host = m_host;
  DestroyWindow();  // deletes this dialog
  host.EnterStage(stagePlace);
}

void CInvitationDlg::OnCancel() { DestroyWindow(); }

void CInvitationDlg::PostNcDestroy() {
  if (s_open == this) s_open = nullptr;
  delete this;
}
