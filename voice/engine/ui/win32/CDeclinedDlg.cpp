#include "CDeclinedDlg.h"

#include "EngineDialogIds.h"

CDeclinedDlg::CDeclinedDlg(IEngineDialogActions& actions, int32_t user, const std::string& userName)
    : CEngineDialog(IDD_SN_DECLINED, &actions, user, userName)
{
}

bool CDeclinedDlg::OnCommand(int id)
{
    if (id != IDC_SN_DECLINED_OK && id != IDOK)
        return false;
    Close();
    return true;
}
