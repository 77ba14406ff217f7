// The dialogs of one engine window: opened for its conference session while
// the user interface is shown, acting on the session through the engine
// instance, and closed with their user or the session.
#pragma once

#include "CEngineDialogList.h"
#include "CEngineInstance.h"
#include "IEngineDialogActions.h"
#include "IEngineDialogs.h"
#include "IEngineServices.h"
#include "IEngineSession.h"

#include <windows.h>

#include <functional>
#include <string>

class CInstantMessageDlg;

class CSessionDialogs : public IEngineDialogs, public IEngineDialogActions
{
public:
    // The engine window's join timer, started when the name-required dialog
    // gives a name.
    static constexpr UINT_PTR kJoinTimer = 110;
    static constexpr UINT kJoinAfterNameMs = 55;

    using ShowStatusText = std::function<void(int32_t stringNumber)>;

    CSessionDialogs(CEngineInstance& instance, IEngineServices& services, IEngineSession& session,
                    CEngineDialogList::ModuleOf moduleOf, HWND window, ShowStatusText status);

    // IEngineDialogs
    void AskForUserName() override;
    void ShowTextMessage(int32_t user, const std::string& name, const std::string& text) override;
    void ShowWarning(int32_t user, const std::string& name, const std::string& text) override;
    void ShowInvitation(int32_t user, const std::string& name) override;
    void ShowInvitationDeclined(int32_t user, const std::string& name) override;
    void CloseUserDialogs(int32_t user) override { m_dialogs.CloseUser(user); }
    void CloseSessionDialogs() override { m_dialogs.CloseAll(); }

    // The dialogs the engine window's commands open.
    void OpenSendMessage(int32_t user, bool warning);
    void OpenGag(int32_t user);
    void OpenNameChange();

    // IEngineDialogActions
    std::string String(int32_t number) override { return m_services.String(number); }
    std::string HostName() override { return std::string(); }
    std::string LocalUserName() override;
    void SendText(int32_t user, const std::string& text) override;
    void SendWarning(int32_t user, const std::string& text) override;
    void ShowStatus(int32_t stringNumber) override { m_status(stringNumber); }
    void AnswerInvitation(int32_t user, bool accept) override;
    void Gag(int32_t user, int32_t minutes) override;
    void RenameLocalUser(const std::string& name) override;
    void JoinAs(const std::string& name) override;
    void OpenInstantMessage(int32_t user) override;

    size_t OpenCount() const { return m_dialogs.Count(); }

private:
    CInstantMessageDlg* InstantMessage(int32_t user, const std::string& name);
    std::string NameOf(int32_t user);

    CEngineInstance& m_instance;
    IEngineServices& m_services;
    IEngineSession& m_session;
    HWND m_window;
    ShowStatusText m_status;
    CEngineDialogList m_dialogs;
};
