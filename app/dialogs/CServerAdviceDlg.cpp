#include "CServerAdviceDlg.h"

#include "ModuleState.h"

namespace {

constexpr int kTextControl = 1048;
// The advice is three strings shown as one text.
constexpr UINT kAdviceTexts[] = {162, 163, 164};

}  // namespace

bool CServerAdviceDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  std::string text;
  for (const UINT id : kAdviceTexts) text += AfxLoadString(id);
  SetDlgItemText(kTextControl, text);
  return true;
}
