#include "CSendMessageDlg.h"

#include "EngineDialogIds.h"

namespace {

constexpr int32_t kStringMessageSent = 219;
constexpr int32_t kStringWarningSent = 238;

} // namespace

CSendMessageDlg::CSendMessageDlg(IEngineDialogActions& actions, int32_t user,
                                 const std::string& userName, bool warning)
    : CEngineDialog(IDD_SN_SEND_MESSAGE, &actions, user, userName), m_warning(warning)
{
}

void CSendMessageDlg::OnInit()
{
    LimitText(IDC_SN_TEXT, kMaxText);
    if (!m_warning)
        return;
    SetCaption(Actions().String(IDS_SN_SEND_WARNING));
    SetItemText(IDC_SN_PROMPT, Actions().String(IDS_SN_WARNING_PROMPT));
    SetItemText(IDC_SN_TEXT, Actions().String(IDS_SN_WARNING_TEXT));
}

bool CSendMessageDlg::OnCommand(int id)
{
    if (id != IDOK)
        return false;
    const std::string text = ItemText(IDC_SN_TEXT);
    if (text.empty())
        return true;
    if (m_warning) {
        Actions().SendWarning(User(), text);
        Actions().ShowStatus(kStringWarningSent);
    } else {
        Actions().SendText(User(), text);
        Actions().ShowStatus(kStringMessageSent);
    }
    Close();
    return true;
}
