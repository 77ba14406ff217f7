// "Received Message" from one user with Reply..., or in its warning form
// "Warning Received" with Close in the place of Reply.
#pragma once

#include "CEngineDialog.h"

class CReceivedMessageDlg : public CEngineDialog
{
public:
    CReceivedMessageDlg(IEngineDialogActions& actions, int32_t user, const std::string& userName,
                        const std::string& text, bool warning);

protected:
    void OnInit() override;
    bool OnCommand(int id) override;

private:
    std::string m_text;
    bool m_warning;
};
