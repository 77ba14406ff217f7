#include "CGagDlg.h"

#include "EngineDialogIds.h"
#include "EngineDialogText.h"

CGagDlg::CGagDlg(IEngineDialogActions& actions, int32_t user, const std::string& userName)
    : CEngineDialog(IDD_SN_GAG, &actions, user, userName)
{
}

void CGagDlg::OnInit()
{
    SetItemText(IDC_SN_GAG_MINUTES, std::to_string(EngineDialogText::kGagMinutesDefault));
}

bool CGagDlg::OnCommand(int id)
{
    if (id != IDOK)
        return false;
    const auto minutes = EngineDialogText::GagMinutes(ItemText(IDC_SN_GAG_MINUTES));
    if (!minutes) {
        MessageBeep(MB_ICONEXCLAMATION);
        SetFocus(GetDlgItem(m_window, IDC_SN_GAG_MINUTES));
        return true;
    }
    Actions().Gag(User(), *minutes);
    Close();
    return true;
}
