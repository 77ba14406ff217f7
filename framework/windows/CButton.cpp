#include "CButton.h"

IMPLEMENT_DYNAMIC(CButton, CWnd)

BEGIN_MESSAGE_MAP(CButton, CWnd)
  ON_WM_DRAWITEM_REFLECT()
END_MESSAGE_MAP()

int CButton::GetCheck() const {
  return static_cast<int>(SendMessage(BM_GETCHECK));
}

void CButton::SetCheck(int check) {
  SendMessage(BM_SETCHECK, static_cast<WPARAM>(check));
}

void CButton::DrawItem(LPDRAWITEMSTRUCT) {}
