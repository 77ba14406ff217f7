#include "CInviteeDlg.h"

bool CInviteeDlg::s_open = false;

BEGIN_MESSAGE_MAP(CInviteeDlg, CDialog)
  ON_EN_CHANGE(CInviteeDlg::kNameEdit, OnNameChanged)
  ON_BN_CLICKED(CInviteeDlg::kInviteButton, OnInvite)
  ON_BN_CLICKED(CInviteeDlg::kUninviteButton, OnUninvite)
END_MESSAGE_MAP()

CInviteeDlg* CInviteeDlg::Open(CWnd* parent, IInviteeOwner& owner) {
  auto* dialog = new CInviteeDlg(owner);
  if (!dialog->Create(kTemplateId, parent)) {
    delete dialog;
    return nullptr;
  }
  dialog->ShowWindow(SW_SHOW);
  return dialog;
}

bool CInviteeDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  s_open = true;
  ::SendMessageA(GetDlgItem(kNameEdit)->m_hWnd, EM_LIMITTEXT, kMaxNameChars, 0);
  OnNameChanged();
  return true;
}

void CInviteeDlg::OnNameChanged() {
  const bool named = !GetDlgItemText(kNameEdit).empty();
  GetDlgItem(kInviteButton)->EnableWindow(named);
  GetDlgItem(kUninviteButton)->EnableWindow(named);
}

void CInviteeDlg::OnInvite() {
  m_owner.Invite(GetDlgItemText(kNameEdit));
  Close();
}

void CInviteeDlg::OnUninvite() {
  m_owner.Uninvite(GetDlgItemText(kNameEdit));
  Close();
}

void CInviteeDlg::OnCancel() { Close(); }

void CInviteeDlg::Close() {
  s_open = false;
  DestroyWindow();
}

void CInviteeDlg::PostNcDestroy() {
  s_open = false;
  m_owner.OnInviteeClosed();
  delete this;
}
