// "One-on-One Declined": the user turned the invitation down.
#pragma once

#include "CEngineDialog.h"

class CDeclinedDlg : public CEngineDialog
{
public:
    CDeclinedDlg(IEngineDialogActions& actions, int32_t user, const std::string& userName);

protected:
    bool OnCommand(int id) override;
};
