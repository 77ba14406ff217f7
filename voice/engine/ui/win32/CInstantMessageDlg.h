// "Instant Message" with one user: the transcript of the conversation in a
// rich edit (the sender's name bold, blue for the local user and red for
// the other party) and the line to send.
#pragma once

#include "CEngineDialog.h"

class CInstantMessageDlg : public CEngineDialog
{
public:
    static constexpr int kMaxInput = 500;
    static constexpr int kLinesShown = 7;

    CInstantMessageDlg(IEngineDialogActions& actions, int32_t user, const std::string& userName);

    // Appends a line of `sender` to the transcript.
    void AddLine(const std::string& sender, const std::string& text, bool local);

protected:
    void OnInit() override;
    bool OnCommand(int id) override;

private:
    void AppendRun(const std::string& text, bool bold, COLORREF colour);
    void SendInput();

    int32_t m_lines = 0;
};
