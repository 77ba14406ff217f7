// "One-on-One Invitation" from one user: Accept or Decline answers it.
#pragma once

#include "CEngineDialog.h"

class CInvitationDlg : public CEngineDialog
{
public:
    CInvitationDlg(IEngineDialogActions& actions, int32_t user, const std::string& userName);

protected:
    bool OnCommand(int id) override;
};
