// "Gag User": &Gag silences the user for 1 to 30 minutes; other numbers are
// refused and the dialog stays.
#pragma once

#include "CEngineDialog.h"

class CGagDlg : public CEngineDialog
{
public:
    CGagDlg(IEngineDialogActions& actions, int32_t user, const std::string& userName);

protected:
    void OnInit() override;
    bool OnCommand(int id) override;
};
