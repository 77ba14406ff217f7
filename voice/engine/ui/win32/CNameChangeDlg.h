// "Name Change": OK renames the local user in the conference.
#pragma once

#include "CEngineDialog.h"

class CNameChangeDlg : public CEngineDialog
{
public:
    static constexpr int kMaxName = 26;

    explicit CNameChangeDlg(IEngineDialogActions& actions);

protected:
    void OnInit() override;
    bool OnCommand(int id) override;
};
