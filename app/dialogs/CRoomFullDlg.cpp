#include "CRoomFullDlg.h"

#include "ModuleState.h"

bool CRoomFullDlg::s_open = false;

BEGIN_MESSAGE_MAP(CRoomFullDlg, CDialog)
  ON_BN_CLICKED(CRoomFullDlg::kPlacesButton, OnPlaces)
END_MESSAGE_MAP()

CRoomFullDlg* CRoomFullDlg::Open(CWnd* parent, IRoomFullOwner& owner) {
  auto* dialog = new CRoomFullDlg(owner);
  if (!dialog->Create(kTemplateId, parent)) {
    delete dialog;
    return nullptr;
  }
  dialog->ShowWindow(SW_SHOW);
  return dialog;
}

// A tour too large for the room outweighs the offer of another room.
UINT CRoomFullDlg::TextId(bool similarRoom, bool tourTooLarge) {
  if (tourTooLarge) return kTourTooLargeString;
  return similarRoom ? kSimilarRoomString : kFullString;
}

bool CRoomFullDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  s_open = true;
  const UINT text = TextId(m_owner.OffersSimilarRoom(), m_owner.IsTourTooLarge());
  SetDlgItemText(kText, AfxLoadString(text));
  const bool offersGoTo = text == kSimilarRoomString;
  CWnd* goTo = GetDlgItem(IDOK);
  goTo->EnableWindow(offersGoTo);
  goTo->ShowWindow(offersGoTo ? SW_SHOW : SW_HIDE);
  return true;
}

void CRoomFullDlg::OnOK() {
  // The Enter key reaches here even when Go To is not offered.
  if (!GetDlgItem(IDOK)->IsWindowEnabled()) return;
  m_owner.GoToSimilarRoom();
  s_open = false;
  DestroyWindow();
}

void CRoomFullDlg::OnPlaces() {
  m_owner.ShowPlaces();
  DestroyWindow();
}

void CRoomFullDlg::OnCancel() { DestroyWindow(); }

void CRoomFullDlg::PostNcDestroy() {
  s_open = false;
  m_owner.OnRoomFullClosed();
  delete this;
}
