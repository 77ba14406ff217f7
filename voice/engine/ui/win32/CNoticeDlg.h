// The engine's modeless notice: a caption and a text given by the host,
// and OK. It belongs to no conference user and needs no engine window.
#pragma once

#include "CEngineDialog.h"

class CNoticeDlg : public CEngineDialog
{
public:
    CNoticeDlg(const std::string& caption, const std::string& text);

protected:
    void OnInit() override;
    bool OnCommand(int id) override;

private:
    std::string m_caption;
    std::string m_text;
};
