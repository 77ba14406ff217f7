#include "CNoticeDlg.h"

#include "EngineDialogIds.h"

CNoticeDlg::CNoticeDlg(const std::string& caption, const std::string& text)
    : CEngineDialog(IDD_SN_NOTICE, nullptr, 0, std::string()), m_caption(caption), m_text(text)
{
}

void CNoticeDlg::OnInit()
{
    SetWindowTextA(m_window, m_caption.c_str());
    SetItemText(IDC_SN_NOTICE_TEXT, m_text);
}

bool CNoticeDlg::OnCommand(int id)
{
    if (id != IDOK)
        return false;
    Close();
    return true;
}
