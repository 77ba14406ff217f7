// "Name Required": asked when a join finds no user name; OK joins with the
// name typed.
#pragma once

#include "CEngineDialog.h"

class CNameRequiredDlg : public CEngineDialog
{
public:
    static constexpr int kMaxName = 26;

    explicit CNameRequiredDlg(IEngineDialogActions& actions);

protected:
    void OnInit() override;
    bool OnCommand(int id) override;
};
