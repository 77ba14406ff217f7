// "Send Message" to one user, or in its warning form "Send Warning" with the
// warning text filled in. Send with a text sends it and closes.
#pragma once

#include "CEngineDialog.h"

class CSendMessageDlg : public CEngineDialog
{
public:
    static constexpr int kMaxText = 512;

    CSendMessageDlg(IEngineDialogActions& actions, int32_t user, const std::string& userName,
                    bool warning);

protected:
    void OnInit() override;
    bool OnCommand(int id) override;

private:
    bool m_warning;
};
