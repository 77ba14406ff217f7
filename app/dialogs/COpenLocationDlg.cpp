#include "COpenLocationDlg.h"

#include "CDataExchange.h"

bool COpenLocationDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  CenterWindow(CWnd::FromHandle(::GetDesktopWindow()));
  GotoDlgCtrl(GetDlgItem(kLocationEdit));
  return false;
}

void COpenLocationDlg::DoDataExchange(CDataExchange* dx) { DDX_Text(dx, kLocationEdit, m_location); }
