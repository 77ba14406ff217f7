#include "CInstantMessageDlg.h"

#include "EngineDialogIds.h"
#include "TranscriptLine.h"

#include <richedit.h>

CInstantMessageDlg::CInstantMessageDlg(IEngineDialogActions& actions, int32_t user,
                                       const std::string& userName)
    : CEngineDialog(IDD_SN_INSTANT_MESSAGE, &actions, user, userName)
{
}

void CInstantMessageDlg::OnInit()
{
    LimitText(IDC_SN_IM_INPUT, kMaxInput);
}

void CInstantMessageDlg::AppendRun(const std::string& text, bool bold, COLORREF colour)
{
    HWND transcript = GetDlgItem(m_window, IDC_SN_TRANSCRIPT);
    const LRESULT end = SendMessageA(transcript, WM_GETTEXTLENGTH, 0, 0);
    SendMessageA(transcript, EM_SETSEL, static_cast<WPARAM>(end), end);
    CHARFORMAT2A format{};
    format.cbSize = sizeof format;
    format.dwMask = CFM_BOLD | CFM_COLOR;
    format.dwEffects = bold ? CFE_BOLD : 0;
    format.crTextColor = colour;
    SendMessageA(transcript, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
    SendMessageA(transcript, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
}

void CInstantMessageDlg::AddLine(const std::string& sender, const std::string& text, bool local)
{
    const TranscriptLine line =
        TranscriptLine::Make(sender, text, local, m_lines, Actions().HostName());
    AppendRun(line.name, true, line.colour);
    AppendRun(line.text, false, GetSysColor(COLOR_WINDOWTEXT));
    ++m_lines;
    HWND transcript = GetDlgItem(m_window, IDC_SN_TRANSCRIPT);
    SendMessageA(transcript, EM_SCROLLCARET, 0, 0);
    // The last lines show.
    const LRESULT first = SendMessageA(transcript, EM_GETFIRSTVISIBLELINE, 0, 0);
    const LRESULT count = SendMessageA(transcript, EM_GETLINECOUNT, 0, 0);
    const LRESULT wanted = count > kLinesShown ? count - kLinesShown : 0;
    if (wanted > first)
        SendMessageA(transcript, EM_LINESCROLL, 0, wanted - first);
}

void CInstantMessageDlg::SendInput()
{
    const std::string text = ItemText(IDC_SN_IM_INPUT);
    if (text.empty())
        return;
    Actions().SendText(User(), text);
    AddLine(Actions().LocalUserName(), text, true);
    SetItemText(IDC_SN_IM_INPUT, std::string());
    SetFocus(GetDlgItem(m_window, IDC_SN_IM_INPUT));
}

bool CInstantMessageDlg::OnCommand(int id)
{
    if (id != IDC_SN_IM_SEND && id != IDOK)
        return false;
    SendInput();
    return true;
}
