#include "CWarningDlg.h"

#include "CDataExchange.h"
#include "ModuleState.h"

namespace {

constexpr UINT kTitleString = 427;

}  // namespace

bool CWarningDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  SetWindowText(AfxLoadString(kTitleString));
  GetDlgItem(m_showOnly ? kTextEdit : kShownText)->ShowWindow(SW_HIDE);
  if (m_showOnly) SetDlgItemText(kShownText, m_text);
  return true;
}

// The shown text is no field: only the typed one is exchanged.
void CWarningDlg::DoDataExchange(CDataExchange* dx) {
  if (!m_showOnly) DDX_Text(dx, kTextEdit, m_text);
}
