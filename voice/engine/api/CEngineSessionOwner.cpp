#include "CEngineSessionOwner.h"

#include "CConferenceProtocol.h"
#include "ConfStrings.h"
#include "EngineParameterTable.h"

CEngineSessionOwner::CEngineSessionOwner(CEngineInstance& instance, IEngineServices& services,
                                         IEngineSession& session)
    : m_instance(instance), m_services(services), m_session(session)
{
}

ConfJoinRecord CEngineSessionOwner::JoinRecord()
{
    const CEngineParams& params = m_instance.Params();
    const CConferenceProtocol& conference = m_session.Conference();
    ConfJoinRecord join;
    join.conference = m_moving ? conference.ConferenceName() : params.Text(EngineParam::kConfName);
    join.clone = m_moving ? conference.ConferenceClone() : params.Number(EngineParam::kConfClone);
    join.userName = params.Text(EngineParam::kUsername);
    join.account = params.Text(EngineParam::kAccount);
    join.pageHost = m_instance.SdkMarker().empty() ? m_instance.PageHostAddress()
                                                   : m_instance.SdkMarker();
    m_services.FillMachineFields(join);
    join.containerApp = params.Text(EngineParam::kContainerApp);
    join.containerVersion = params.Text(EngineParam::kContainerAppVersion);
    join.pageUrl = params.Text(EngineParam::kHostUrl);
    join.icon = params.Number(EngineParam::kUserIcon);
    join.dispatchToken = conference.DispatchToken();
    join.phoneDialInfo = params.Text(EngineParam::kPhoneDialInfo);
    join.phoneUserInfo = params.Text(EngineParam::kPhoneUserInfo);
    join.phoneCallerId = params.Text(EngineParam::kPhoneCallerId);
    join.phoneTones = params.Text(EngineParam::kPhoneDtmfOnConnect);
    return join;
}

void CEngineSessionOwner::Accepted()
{
    m_moving = false;
    m_instance.OnAccepted();
}

void CEngineSessionOwner::Connected()
{
    m_instance.OnServerConnected();
    m_session.Conference().SendJoin(JoinRecord());
}

void CEngineSessionOwner::Disconnected(int32_t reason, const std::string& text)
{
    if (IEngineDialogs* dialogs = m_session.Dialogs())
        dialogs->CloseSessionDialogs();
    m_session.StopConnectWait();
    const bool wasInSession = m_instance.IsJoined() || m_instance.IsJoining();
    if (reason == ConfLeaveReason::kRedirect || reason == ConfLeaveReason::kBreakout) {
        m_moving = true;
        m_instance.OnMoving();
        if (reason == ConfLeaveReason::kBreakout) {
            SonorelleIfcTextPayload payload{text.c_str()};
            m_instance.RaiseEvent(SonorelleIfcEventCode::kDisconnected, &payload);
        }
        return;
    }
    m_moving = false;
    m_instance.OnSessionEnded();
    if (m_nameReported)
        ReportConference(m_instance.Params().Text(EngineParam::kConfName));
    if (wasInSession) {
        SonorelleIfcTextPayload payload{text.c_str()};
        m_instance.RaiseEvent(SonorelleIfcEventCode::kDisconnected, &payload);
    }
}

void CEngineSessionOwner::RosterAdded(const ConfUser& user)
{
    m_instance.OnRosterAdded(user.User());
    SonorelleIfcRosterPayload payload{user.User(), user.Name().c_str(), user.Icon()};
    m_instance.RaiseEvent(SonorelleIfcEventCode::kRosterAdd, &payload);
}

void CEngineSessionOwner::RosterRemoved(const ConfUser& user)
{
    if (IEngineDialogs* dialogs = m_session.Dialogs())
        dialogs->CloseUserDialogs(user.User());
    m_instance.OnRosterRemoved(user.User());
    SonorelleIfcLongPayload payload{user.User()};
    m_instance.RaiseEvent(SonorelleIfcEventCode::kRosterDelete, &payload);
}

void CEngineSessionOwner::IconChanged(const ConfUser& user)
{
    SonorelleIfcUserLongPayload payload{user.User(), user.Icon()};
    m_instance.RaiseEvent(SonorelleIfcEventCode::kIconChanged, &payload);
}

void CEngineSessionOwner::NameChanged(const ConfUser& user)
{
    if (m_session.Conference().IsOwnUser(user.User()))
        m_instance.OnOwnNameChanged(user.Name());
    SonorelleIfcUserTextPayload payload{user.User(), user.Name().c_str()};
    m_instance.RaiseEvent(SonorelleIfcEventCode::kNameChanged, &payload);
}

void CEngineSessionOwner::ShowStatusText(const std::string& text)
{
    SonorelleIfcTextPayload payload{text.c_str()};
    m_instance.RaiseEvent(SonorelleIfcEventCode::kStatus, &payload);
}

void CEngineSessionOwner::ShowStatus(int32_t stringNumber)
{
    ShowStatusText(m_services.String(stringNumber));
}

void CEngineSessionOwner::Breakout(int32_t user, int32_t kind, const std::string& conference)
{
    if (kind == 1) {
        SonorelleIfcUserTextPayload payload{user, conference.c_str()};
        m_instance.RaiseEvent(SonorelleIfcEventCode::kInvitationAccepted, &payload);
        return;
    }
    if (IEngineDialogs* dialogs = ShownDialogs()) {
        const std::string name = m_session.Conference().NameOf(user);
        if (kind == 0)
            dialogs->ShowInvitation(user, name);
        else
            dialogs->ShowInvitationDeclined(user, name);
    }
    SonorelleIfcLongPayload payload{user};
    m_instance.RaiseEvent(kind == 0 ? SonorelleIfcEventCode::kInvited
                                    : SonorelleIfcEventCode::kInvitationDeclined,
                          &payload);
}

// The dialogs of the session's window while its user interface is shown.
IEngineDialogs* CEngineSessionOwner::ShownDialogs()
{
    return m_instance.StatusDisplayOn() ? m_session.Dialogs() : nullptr;
}

void CEngineSessionOwner::RaiseMessage(int32_t code, int32_t user, const std::string& name,
                                       const std::string& text)
{
    SonorelleIfcMessagePayload payload{user, name.c_str(), text.c_str()};
    m_instance.RaiseEvent(code, &payload);
}

void CEngineSessionOwner::MessageReceived(int32_t user, const std::string& name,
                                          const std::string& text)
{
    if (IEngineDialogs* dialogs = ShownDialogs())
        dialogs->ShowTextMessage(user, name, text);
    RaiseMessage(SonorelleIfcEventCode::kTextMessage, user, name, text);
}

void CEngineSessionOwner::WarningReceived(int32_t user, const std::string& name,
                                          const std::string& text)
{
    if (IEngineDialogs* dialogs = ShownDialogs())
        dialogs->ShowWarning(user, name, text);
    RaiseMessage(SonorelleIfcEventCode::kWarning, user, name, text);
}

void CEngineSessionOwner::AppMessageReceived(int32_t user, const std::string& name,
                                             const std::string& text)
{
    RaiseMessage(SonorelleIfcEventCode::kAppMessage, user, name, text);
}

void CEngineSessionOwner::AppBroadcastReceived(int32_t user, const std::string& name,
                                               const std::string& text)
{
    RaiseMessage(SonorelleIfcEventCode::kAppBroadcast, user, name, text);
}

void CEngineSessionOwner::GagState(int32_t a, int32_t b, int32_t c, int32_t d)
{
    SonorelleIfcGagStatePayload payload{{a, b, c, d}};
    m_instance.RaiseEvent(SonorelleIfcEventCode::kGagState, &payload);
}

void CEngineSessionOwner::ErrorId(int32_t code, int32_t stringNumber, int32_t)
{
    ErrorText(code, m_services.String(stringNumber), 0);
}

void CEngineSessionOwner::ErrorText(int32_t code, const std::string& text, int32_t)
{
    SonorelleIfcErrorPayload payload{code, text.c_str()};
    m_instance.RaiseEvent(SonorelleIfcEventCode::kError, &payload);
}

void CEngineSessionOwner::ReportConference(const std::string& name)
{
    m_nameReported = name != m_instance.Params().Text(EngineParam::kConfName);
    SonorelleIfcIndexValue change{EngineParam::kConfName, reinterpret_cast<intptr_t>(name.c_str())};
    m_instance.RaiseEvent(SonorelleIfcEventCode::kParameterChanged, &change);
}

void CEngineSessionOwner::ConferenceNameChanged(const std::string& name)
{
    if (name != m_instance.Params().Text(EngineParam::kConfName))
        ReportConference(name);
}

void CEngineSessionOwner::ConferenceCloneChanged(int32_t clone)
{
    if (clone == m_instance.Params().Number(EngineParam::kConfClone))
        return;
    SonorelleIfcIndexValue change{EngineParam::kConfClone, clone};
    m_instance.RaiseEvent(SonorelleIfcEventCode::kParameterChanged, &change);
}

int32_t CEngineSessionOwner::IsSoundEnabled()
{
    return m_instance.Params().SoundEnabled();
}

void CEngineSessionOwner::ConnectFailed()
{
    const std::string text = m_services.String(SonorelleIfcString::kUnableToConnect);
    ShowStatusText(text);
    m_session.Conference().Leave(text, ConfLeaveReason::kGivenUp);
    ErrorText(SonorelleIfcStatus::kSession, m_services.String(SonorelleIfcString::kNoServer), 0);
}
