#include "CNameRequiredDlg.h"

#include "EngineDialogIds.h"

CNameRequiredDlg::CNameRequiredDlg(IEngineDialogActions& actions)
    : CEngineDialog(IDD_SN_NAME_REQUIRED, &actions, 0, std::string())
{
}

void CNameRequiredDlg::OnInit()
{
    LimitText(IDC_SN_NAME_EDIT, kMaxName);
}

bool CNameRequiredDlg::OnCommand(int id)
{
    if (id != IDOK)
        return false;
    const std::string name = ItemText(IDC_SN_NAME_EDIT);
    IEngineDialogActions& actions = Actions();
    Close();
    actions.JoinAs(name);
    return true;
}
