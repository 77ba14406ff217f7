#include "CPrivateRoomDlg.h"

#include "ModuleState.h"

namespace {

constexpr UINT kPromptString = 281;

}  // namespace

bool CPrivateRoomDlg::s_open = false;

BEGIN_MESSAGE_MAP(CPrivateRoomDlg, CDialog)
  ON_EN_CHANGE(CPrivateRoomDlg::kNameEdit, OnNameChanged)
END_MESSAGE_MAP()

CPrivateRoomDlg* CPrivateRoomDlg::Open(CWnd* parent, IPrivateRoomOwner& owner) {
  auto* dialog = new CPrivateRoomDlg(owner);
  if (!dialog->Create(kTemplateId, parent)) {
    delete dialog;
    return nullptr;
  }
  dialog->ShowWindow(SW_SHOW);
  return dialog;
}

bool CPrivateRoomDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  s_open = true;
  SetDlgItemText(kText, AfxLoadString(kPromptString));
  return true;
}

// A name made too long by an edit is cut back, the caret at its end.
void CPrivateRoomDlg::OnNameChanged() {
  const std::string name = GetDlgItemText(kNameEdit);
  if (name.size() <= kMaxNameChars) return;
  SetDlgItemText(kNameEdit, name.substr(0, kMaxNameChars));
  ::SendMessageA(GetDlgItem(kNameEdit)->m_hWnd, EM_SETSEL, kMaxNameChars, kMaxNameChars);
}

void CPrivateRoomDlg::OnOK() {
  m_owner.EnterPrivateRoom(GetDlgItemText(kNameEdit));
  DestroyWindow();
}

void CPrivateRoomDlg::OnCancel() { DestroyWindow(); }

void CPrivateRoomDlg::PostNcDestroy() {
  s_open = false;
  m_owner.OnPrivateRoomClosed();
  delete this;
}
