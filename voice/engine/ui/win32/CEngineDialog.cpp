#include "CEngineDialog.h"

#include "EngineDialogIds.h"
#include "EngineDialogText.h"

#include <utility>
#include <vector>

CEngineDialog::CEngineDialog(int templateId, IEngineDialogActions* actions, int32_t user,
                             const std::string& userName)
    : m_actions(actions), m_templateId(templateId), m_user(user), m_userName(userName)
{
}

CEngineDialog::~CEngineDialog()
{
    if (m_window) {
        SetWindowLongPtrA(m_window, DWLP_USER, 0);
        DestroyWindow(m_window);
    }
}

bool CEngineDialog::Create(HINSTANCE module, HWND owner, ClosedHandler closed)
{
    m_closed = std::move(closed);
    m_window = CreateDialogParamA(module, MAKEINTRESOURCEA(m_templateId), owner, Procedure,
                                  reinterpret_cast<LPARAM>(this));
    return m_window != nullptr;
}

void CEngineDialog::Show()
{
    ShowWindow(m_window, SW_SHOW);
}

void CEngineDialog::BringToTop()
{
    ShowWindow(m_window, SW_SHOW);
    SetWindowPos(m_window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetForegroundWindow(m_window);
}

void CEngineDialog::Close()
{
    if (m_closing)
        return;
    m_closing = true;
    ShowWindow(m_window, SW_HIDE);
    if (m_closed)
        m_closed(this); // deletes this dialog
}

INT_PTR CALLBACK CEngineDialog::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        auto* dialog = reinterpret_cast<CEngineDialog*>(lParam);
        SetWindowLongPtrA(window, DWLP_USER, lParam);
        dialog->m_window = window;
        dialog->Init();
        return TRUE;
    }
    auto* dialog = reinterpret_cast<CEngineDialog*>(GetWindowLongPtrA(window, DWLP_USER));
    return dialog ? dialog->OnMessage(message, wParam, lParam) : FALSE;
}

void CEngineDialog::Init()
{
    if (GetDlgItem(m_window, IDC_SN_USER_NAME) && m_user != 0)
        SetItemText(IDC_SN_USER_NAME, m_userName);
    char caption[256] = {};
    GetWindowTextA(m_window, caption, sizeof caption);
    SetCaption(caption);
    OnInit();
}

INT_PTR CEngineDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND) {
        const int id = LOWORD(wParam);
        if (OnCommand(id))
            return TRUE;
        if (id == IDCANCEL) {
            Close();
            return TRUE;
        }
        return FALSE;
    }
    if (message == WM_CLOSE) {
        Close();
        return TRUE;
    }
    return OnOtherMessage(message, wParam, lParam);
}

std::string CEngineDialog::ItemText(int id) const
{
    HWND item = GetDlgItem(m_window, id);
    const int length = item ? GetWindowTextLengthA(item) : 0;
    std::vector<char> text(static_cast<size_t>(length) + 1, '\0');
    if (length > 0)
        GetWindowTextA(item, text.data(), length + 1);
    return text.data();
}

void CEngineDialog::SetItemText(int id, const std::string& text)
{
    SetDlgItemTextA(m_window, id, text.c_str());
}

void CEngineDialog::SetCaption(const std::string& caption)
{
    const std::string host = m_actions ? m_actions->HostName() : std::string();
    SetWindowTextA(m_window, EngineDialogText::CaptionWithHost(caption, host).c_str());
}

void CEngineDialog::LimitText(int id, int characters)
{
    SendDlgItemMessageA(m_window, id, EM_LIMITTEXT, static_cast<WPARAM>(characters), 0);
}
