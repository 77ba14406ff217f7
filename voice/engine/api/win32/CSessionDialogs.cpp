#include "CSessionDialogs.h"

#include "CConferenceProtocol.h"
#include "CDeclinedDlg.h"
#include "CGagDlg.h"
#include "CInstantMessageDlg.h"
#include "CInvitationDlg.h"
#include "CNameChangeDlg.h"
#include "CNameRequiredDlg.h"
#include "CReceivedMessageDlg.h"
#include "CSendMessageDlg.h"
#include "EngineDialogIds.h"

#include <memory>
#include <utility>

namespace {

constexpr int32_t kGagMode = 7;

} // namespace

CSessionDialogs::CSessionDialogs(CEngineInstance& instance, IEngineServices& services,
                                 IEngineSession& session, CEngineDialogList::ModuleOf moduleOf,
                                 HWND window, ShowStatusText status)
    : m_instance(instance),
      m_services(services),
      m_session(session),
      m_window(window),
      m_status(std::move(status)),
      m_dialogs(std::move(moduleOf), window)
{
}

std::string CSessionDialogs::NameOf(int32_t user)
{
    return m_session.Conference().NameOf(user);
}

std::string CSessionDialogs::LocalUserName()
{
    return NameOf(m_session.Conference().OwnUser());
}

void CSessionDialogs::AskForUserName()
{
    if (!m_dialogs.Find(IDD_SN_NAME_REQUIRED, 0))
        m_dialogs.Open(std::make_unique<CNameRequiredDlg>(*this));
}

CInstantMessageDlg* CSessionDialogs::InstantMessage(int32_t user, const std::string& name)
{
    if (auto* open = static_cast<CInstantMessageDlg*>(m_dialogs.Find(IDD_SN_INSTANT_MESSAGE, user)))
        return open;
    return static_cast<CInstantMessageDlg*>(
        m_dialogs.Open(std::make_unique<CInstantMessageDlg>(*this, user, name)));
}

void CSessionDialogs::ShowTextMessage(int32_t user, const std::string& name, const std::string& text)
{
    if (CInstantMessageDlg* dialog = InstantMessage(user, name)) {
        dialog->AddLine(name, text, false);
        dialog->BringToTop();
    }
}

void CSessionDialogs::ShowWarning(int32_t user, const std::string& name, const std::string& text)
{
    m_dialogs.Open(std::make_unique<CReceivedMessageDlg>(*this, user, name, text, true));
}

void CSessionDialogs::ShowInvitation(int32_t user, const std::string& name)
{
    if (CEngineDialog* open = m_dialogs.Find(IDD_SN_INVITATION, user))
        open->BringToTop();
    else
        m_dialogs.Open(std::make_unique<CInvitationDlg>(*this, user, name));
}

void CSessionDialogs::ShowInvitationDeclined(int32_t user, const std::string& name)
{
    m_dialogs.Open(std::make_unique<CDeclinedDlg>(*this, user, name));
}

void CSessionDialogs::OpenSendMessage(int32_t user, bool warning)
{
    m_dialogs.Open(std::make_unique<CSendMessageDlg>(*this, user, NameOf(user), warning));
}

void CSessionDialogs::OpenGag(int32_t user)
{
    m_dialogs.Open(std::make_unique<CGagDlg>(*this, user, NameOf(user)));
}

void CSessionDialogs::OpenNameChange()
{
    m_dialogs.Open(std::make_unique<CNameChangeDlg>(*this));
}

void CSessionDialogs::OpenInstantMessage(int32_t user)
{
    if (CInstantMessageDlg* dialog = InstantMessage(user, NameOf(user)))
        dialog->BringToTop();
}

void CSessionDialogs::SendText(int32_t user, const std::string& text)
{
    m_instance.TextMessage(user, text);
}

void CSessionDialogs::SendWarning(int32_t user, const std::string& text)
{
    m_instance.Warn(user, text);
}

void CSessionDialogs::AnswerInvitation(int32_t user, bool accept)
{
    m_instance.InviteReply(user, accept);
}

void CSessionDialogs::Gag(int32_t user, int32_t minutes)
{
    m_instance.Gag(user, kGagMode, minutes);
}

void CSessionDialogs::RenameLocalUser(const std::string& name)
{
    m_instance.SetSdkProperty("Username", name);
}

void CSessionDialogs::JoinAs(const std::string& name)
{
    m_instance.SetSdkProperty("Username", name);
    SetTimer(m_window, kJoinTimer, kJoinAfterNameMs, nullptr);
}
