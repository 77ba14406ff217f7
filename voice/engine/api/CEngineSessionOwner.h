// The engine instance's side of its conference session: it answers the
// server's CONNECT with the JOIN line built from the instance's settings, and
// turns every report of the session into the instance's state and an event
// for the host.
#pragma once

#include "CEngineInstance.h"
#include "IConferenceOwner.h"
#include "IEngineDialogs.h"
#include "IEngineServices.h"
#include "IEngineSession.h"

#include <cstdint>
#include <string>

class CEngineSessionOwner : public IConferenceOwner
{
public:
    CEngineSessionOwner(CEngineInstance& instance, IEngineServices& services,
                        IEngineSession& session);

    // The JOIN record of the instance's current settings.
    ConfJoinRecord JoinRecord();

    void Accepted() override;
    void Connected() override;
    void Disconnected(int32_t reason, const std::string& text) override;
    void RosterAdded(const ConfUser& user) override;
    void RosterRemoved(const ConfUser& user) override;
    void IconChanged(const ConfUser& user) override;
    void NameChanged(const ConfUser& user) override;
    void ShowStatusText(const std::string& text) override;
    void ShowStatus(int32_t stringNumber) override;
    void Breakout(int32_t user, int32_t kind, const std::string& conference) override;
    void MessageReceived(int32_t user, const std::string& name, const std::string& text) override;
    void WarningReceived(int32_t user, const std::string& name, const std::string& text) override;
    void AppMessageReceived(int32_t user, const std::string& name,
                            const std::string& text) override;
    void AppBroadcastReceived(int32_t user, const std::string& name,
                              const std::string& text) override;
    void GagState(int32_t a, int32_t b, int32_t c, int32_t d) override;
    void ErrorId(int32_t code, int32_t stringNumber, int32_t zero) override;
    void ErrorText(int32_t code, const std::string& text, int32_t zero) override;
    void ConferenceNameChanged(const std::string& name) override;
    void ConferenceCloneChanged(int32_t clone) override;
    int32_t IsSoundEnabled() override;
    void ConnectFailed() override;

private:
    IEngineDialogs* ShownDialogs();
    void RaiseMessage(int32_t code, int32_t user, const std::string& name,
                      const std::string& text);

    void ReportConference(const std::string& name);

    CEngineInstance& m_instance;
    IEngineServices& m_services;
    IEngineSession& m_session;
    // Between a redirection or breakout and the next join the session's own
    // conference name and clone are joined, not the host's.
    bool m_moving = false;
    // The conference name last reported to the host differs from its own.
    bool m_nameReported = false;
};
