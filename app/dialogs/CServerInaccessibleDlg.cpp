#include "CServerInaccessibleDlg.h"

#include "ModuleState.h"

namespace {

constexpr int kTextControl = 1048;
constexpr UINT kAdviceText = 143;

}  // namespace

BEGIN_MESSAGE_MAP(CServerInaccessibleDlg, CDialog)
  ON_BN_CLICKED(CServerInaccessibleDlg::kMoreInfo, OnMoreInfo)
END_MESSAGE_MAP()

bool CServerInaccessibleDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  SetDlgItemText(kTextControl, AfxLoadString(kAdviceText));
  return true;
}

void CServerInaccessibleDlg::OnMoreInfo() { EndDialog(kMoreInfo); }
