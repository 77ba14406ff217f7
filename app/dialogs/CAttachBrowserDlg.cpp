#include "CAttachBrowserDlg.h"

#include "CDataExchange.h"
#include "CFileDialog.h"

BEGIN_MESSAGE_MAP(CAttachBrowserDlg, CDialog)
  ON_BN_CLICKED(CAttachBrowserDlg::kExitButton, OnExit)
  ON_BN_CLICKED(CAttachBrowserDlg::kBrowseButton, OnBrowse)
END_MESSAGE_MAP()

void CAttachBrowserDlg::DoDataExchange(CDataExchange* dx) { DDX_Text(dx, kProgramEdit, m_program); }

void CAttachBrowserDlg::OnExit() { ::PostQuitMessage(0); }

void CAttachBrowserDlg::OnBrowse() {
  CFileDialog choice(true, nullptr, nullptr, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, kProgramFilter,
                     this);
  if (choice.DoModal() == IDOK) SetDlgItemText(kProgramEdit, choice.GetPathName());
}
