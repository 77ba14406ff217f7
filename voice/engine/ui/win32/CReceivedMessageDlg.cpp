#include "CReceivedMessageDlg.h"

#include "EngineDialogIds.h"

CReceivedMessageDlg::CReceivedMessageDlg(IEngineDialogActions& actions, int32_t user,
                                         const std::string& userName, const std::string& text,
                                         bool warning)
    : CEngineDialog(IDD_SN_RECEIVED, &actions, user, userName), m_text(text), m_warning(warning)
{
}

void CReceivedMessageDlg::OnInit()
{
    SetItemText(IDC_SN_TEXT, m_text);
    if (!m_warning)
        return;
    SetCaption(Actions().String(IDS_SN_WARNING_CAPTION));
    SetItemText(IDC_SN_LABEL, Actions().String(IDS_SN_WARNING_FROM));
    HWND reply = GetDlgItem(m_window, IDC_SN_REPLY);
    HWND close = GetDlgItem(m_window, IDCANCEL);
    RECT place;
    GetWindowRect(reply, &place);
    MapWindowPoints(nullptr, m_window, reinterpret_cast<POINT*>(&place), 2);
    ShowWindow(reply, SW_HIDE);
    SetWindowPos(close, nullptr, place.left, place.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

bool CReceivedMessageDlg::OnCommand(int id)
{
    if (id != IDC_SN_REPLY || m_warning)
        return false;
    const int32_t user = User();
    IEngineDialogActions& actions = Actions();
    Close();
    actions.OpenInstantMessage(user);
    return true;
}
