#include "CKeypadDlg.h"

#include "EngineDialogIds.h"

CKeypadDlg::CKeypadDlg(IEngineDialogActions& actions, HWND engineWindow)
    : CEngineDialog(IDD_SN_KEYPAD, &actions, 0, std::string()), m_engineWindow(engineWindow)
{
}

void CKeypadDlg::Show()
{
    RECT area;
    GetWindowRect(m_window, &area);
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    SetWindowPos(m_window, nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    CEngineDialog::Show();
}

void CKeypadDlg::ShowDigits(const std::string& digits)
{
    SetItemText(IDC_SN_KEYPAD_DIGITS, digits);
}

bool CKeypadDlg::OnCommand(int id)
{
    if (id < IDC_SN_KEY_FIRST || id > IDC_SN_KEY_LAST)
        return false;
    PostMessageA(m_engineWindow, kKeyMessage, static_cast<WPARAM>(id), 0);
    return true;
}
