#include "CInvitationDlg.h"

#include "EngineDialogIds.h"

CInvitationDlg::CInvitationDlg(IEngineDialogActions& actions, int32_t user,
                               const std::string& userName)
    : CEngineDialog(IDD_SN_INVITATION, &actions, user, userName)
{
}

bool CInvitationDlg::OnCommand(int id)
{
    if (id != IDC_SN_ACCEPT && id != IDCANCEL)
        return false;
    Actions().AnswerInvitation(User(), id == IDC_SN_ACCEPT);
    Close();
    return true;
}
