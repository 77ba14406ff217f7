#include "CNameChangeDlg.h"

#include "EngineDialogIds.h"

CNameChangeDlg::CNameChangeDlg(IEngineDialogActions& actions)
    : CEngineDialog(IDD_SN_NAME_CHANGE, &actions, 0, std::string())
{
}

void CNameChangeDlg::OnInit()
{
    LimitText(IDC_SN_NEW_NAME, kMaxName);
}

bool CNameChangeDlg::OnCommand(int id)
{
    if (id != IDOK)
        return false;
    const std::string name = ItemText(IDC_SN_NEW_NAME);
    if (!name.empty())
        Actions().RenameLocalUser(name);
    Close();
    return true;
}
