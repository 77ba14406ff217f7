#include "CConferenceProtocol.h"

#include "ConfStrings.h"
#include "ConfText.h"

#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <utility>

namespace {

std::string Hex(int32_t code)
{
    char text[16];
    std::snprintf(text, sizeof text, "%" PRIx32, static_cast<uint32_t>(code));
    return text;
}

} // namespace

CConferenceProtocol::CConferenceProtocol(IConferenceOwner& owner, IConfChannel& channel,
                                         IConfMedia& media, IConfEnvironment& environment)
    : m_owner(owner), m_channel(channel), m_media(media), m_environment(environment)
{
}

CConferenceProtocol::~CConferenceProtocol()
{
    if (m_connected)
        Leave(std::string(), ConfLeaveReason::kError);
}

void CConferenceProtocol::SetCredentials(const std::string& account,
                                         const std::string& accountKey)
{
    m_account = account;
    m_accountKey = accountKey;
    m_cipher.reset();
}

void CConferenceProtocol::SetLocale(const std::string& locale)
{
    if (!locale.empty())
        m_locale = locale;
}

void CConferenceProtocol::OnConnected(const std::string& server, int32_t port)
{
    m_server = server;
    m_port = port;
    m_connected = true;
    if (m_firstServer.empty()) {
        m_firstServer = server;
        m_firstPort = port;
    }
    const ConfCredentials credentials = CConfLineCipher::ChooseCredentials(m_account, m_accountKey);
    if (!m_cipher)
        m_cipher = std::make_unique<CConfLineCipher>(credentials.key);
    int32_t errorCode = 0;
    if (!m_channel.SendText(ConfCommands::Connect(m_locale, credentials.accountField), errorCode))
        EndWithError(Text(ConfStrings::kSendFailed, Hex(errorCode)));
}

uint32_t CConferenceProtocol::NextSequence()
{
    m_sequence = m_sequence == 0 ? m_environment.SequenceSeed() : m_sequence + 1;
    return m_sequence;
}

bool CConferenceProtocol::SendLine(const std::string& line)
{
    if ((!m_connected && !m_disconnecting) || !m_cipher)
        return false;
    const auto wire = m_environment.ToUtf8(std::to_string(NextSequence()) + "\t" + line);
    if (!wire)
        return false;
    int32_t errorCode = 0;
    if (m_channel.SendText(m_cipher->Encipher(*wire), errorCode))
        return true;
    EndWithError(Text(ConfStrings::kSendFailed, Hex(errorCode)));
    return false;
}

void CConferenceProtocol::OnLine(const char* bytes, size_t length)
{
    if (length > kLongestLine) {
        EndWithError(Text(ConfStrings::kLineTooLong, std::to_string(length)));
        return;
    }
    if (!m_connected || !m_cipher)
        return;
    const auto text = m_environment.FromUtf8(m_cipher->Decipher(std::string_view(bytes, length)));
    const ConfServerLine line =
        text ? ConfServerLineParser::Parse(*text) : ConfServerLine{};
    switch (line.status) {
    case ConfLineStatus::Ok:
        Dispatch(line);
        break;
    case ConfLineStatus::NotALine:
        Leave(Text(ConfStrings::kInvalidAccount), ConfLeaveReason::kError);
        break;
    case ConfLineStatus::Unknown:
    case ConfLineStatus::Malformed:
        break;
    }
}

void CConferenceProtocol::Dispatch(const ConfServerLine& line)
{
    switch (line.kind) {
    case ConfLineKind::Connect:
        OnServerConnect();
        break;
    case ConfLineKind::Disconnect:
        OnServerEnd(line, ConfStrings::kTerminated, ConfErrors::kServerDisconnect);
        break;
    case ConfLineKind::Reject:
        OnServerEnd(line, ConfStrings::kRejected, ConfErrors::kServerReject);
        break;
    case ConfLineKind::Accept:
        OnAccept(line);
        break;
    case ConfLineKind::ChannelOpen:
        OnChannelOpen(line.channel);
        break;
    case ConfLineKind::ChannelTested:
        OnChannelTested();
        break;
    case ConfLineKind::RosterAdd:
        OnRosterAdd(line);
        break;
    case ConfLineKind::RosterChangeName:
    case ConfLineKind::RosterChangeIcon:
        OnRosterChange(line);
        break;
    case ConfLineKind::RosterDel:
        OnRosterDel(line);
        break;
    case ConfLineKind::Dispatch:
        OnDispatchLine(line);
        break;
    case ConfLineKind::Message:
        OnMessage(line);
        break;
    case ConfLineKind::AppWarn:
        m_owner.WarningReceived(line.user, line.name, line.text);
        break;
    case ConfLineKind::AppMessage:
        m_owner.AppMessageReceived(line.user, line.name, line.text);
        break;
    case ConfLineKind::AppBroadcast:
        m_owner.AppBroadcastReceived(line.user, line.name, line.text);
        break;
    case ConfLineKind::AppGagState:
        m_owner.GagState(line.gag[0], line.gag[1], line.gag[2], line.gag[3]);
        break;
    case ConfLineKind::BreakoutInvite:
    case ConfLineKind::BreakoutReject:
    case ConfLineKind::BreakoutAccept:
        OnBreakout(line);
        break;
    case ConfLineKind::None:
        break;
    }
}

void CConferenceProtocol::OnServerConnect()
{
    m_owner.Connected();
    m_owner.ShowStatus(ConfStrings::kServerConnected);
}

void CConferenceProtocol::OnServerEnd(const ConfServerLine& line, int32_t stringNumber,
                                      int32_t error)
{
    const std::string text = Text(stringNumber, line.text);
    Leave(text, ConfLeaveReason::kError);
    m_owner.ErrorText(error, text, 0);
}

void CConferenceProtocol::OnAccept(const ConfServerLine& line)
{
    m_ownUser = line.number;
    m_accepted = true;
    m_owner.Accepted();
    m_owner.ShowStatus(ConfStrings::kJoinAccepted);
}

void CConferenceProtocol::OnChannelOpen(const ConfChannelOffer& offer)
{
    if (!offer.usable) {
        RefuseCodec();
        return;
    }
    if (offer.transport == "TCP") {
        m_media.ConnectStreamMedia(offer.host, offer.port, std::to_string(m_ownUser) + "\n");
        return;
    }
    const ConfMediaResult result =
        m_media.OpenMedia(offer, m_ownUser, m_owner.IsSoundEnabled() != 0);
    if (result.outcome == ConfMediaResult::Outcome::CodecRefused) {
        RefuseCodec();
        return;
    }
    m_mediaOpen = true;
    if (!result.configureError.empty())
        m_owner.ErrorText(ConfErrors::kAudioPrepare, result.configureError, 0);
    if (result.outcome == ConfMediaResult::Outcome::Failed) {
        EndWithError(result.errorText);
        return;
    }
    if (result.localPort != 0 || offer.transport == "HTTP")
        SendLine(ConfCommands::ChannelOpen(offer.transport, offer.host, result.localPort,
                                           offer.codec));
    SendLine(ConfCommands::ChannelTestUdp(result.localPort != 0 ? result.localPort : offer.port));
}

void CConferenceProtocol::RefuseCodec()
{
    Leave(Text(ConfStrings::kNoCodec), ConfLeaveReason::kError);
    m_owner.ErrorId(ConfErrors::kNoCodec, ConfStrings::kNoCodec, 0);
}

void CConferenceProtocol::OnChannelTested()
{
    if (m_media.TakeTestCount() == 0 && !m_tunnelInUse)
        SendLine(ConfCommands::ChannelOpenTcp());
    m_media.MediaTested(m_owner.IsSoundEnabled() != 0);
}

void CConferenceProtocol::OnRosterAdd(const ConfServerLine& line)
{
    if (ConfUser* known = FindEntry(line.user)) {
        // A second ROSTERADD for a listed user updates the entry instead of
        // listing the user twice.
        if (known->Name() != line.name) {
            known->SetName(line.name);
            m_owner.NameChanged(*known);
        }
        if (known->Icon() != line.number) {
            known->SetIcon(line.number);
            m_owner.IconChanged(*known);
        }
        return;
    }
    auto user = std::make_unique<ConfUser>(line.user, line.name, line.number);
    const ConfUser& added = *user;
    if (line.user == m_ownUser)
        m_roster.insert(m_roster.begin(), std::move(user));
    else
        m_roster.push_back(std::move(user));
    m_media.AddSource(line.user);
    m_owner.RosterAdded(added);
}

void CConferenceProtocol::OnRosterChange(const ConfServerLine& line)
{
    ConfUser* user = FindEntry(line.user);
    if (!user)
        return;
    if (line.kind == ConfLineKind::RosterChangeName) {
        user->SetName(line.text);
        m_owner.NameChanged(*user);
    } else {
        user->SetIcon(line.number);
        m_owner.IconChanged(*user);
    }
}

void CConferenceProtocol::OnRosterDel(const ConfServerLine& line)
{
    const auto found = std::find_if(m_roster.begin(), m_roster.end(),
                                    [&](const auto& user) { return user->User() == line.user; });
    if (found == m_roster.end())
        return;
    m_media.RemoveSource(line.user);
    m_owner.RosterRemoved(**found);
    m_roster.erase(found);
}

void CConferenceProtocol::OnDispatchLine(const ConfServerLine& line)
{
    m_dispatchToken = line.token;
    TakeConference(line.name, line.number);
    MoveTo(ConfLeaveReason::kRedirect, line.server, m_port);
}

void CConferenceProtocol::OnMessage(const ConfServerLine& line)
{
    ConfUser* user = FindEntry(line.user);
    if (!user)
        return;
    user->AddHistory(line.user, line.name, line.text);
    m_owner.MessageReceived(line.user, line.name, line.text);
}

void CConferenceProtocol::OnBreakout(const ConfServerLine& line)
{
    switch (line.kind) {
    case ConfLineKind::BreakoutInvite:
        m_owner.Breakout(line.user, 0, m_conference);
        break;
    case ConfLineKind::BreakoutReject:
        m_owner.Breakout(line.user, 2, m_conference);
        break;
    default:
        TakeConference(line.name, 0);
        m_owner.Breakout(line.user, 1, line.name);
        MoveTo(ConfLeaveReason::kBreakout, m_firstServer, m_firstPort);
        break;
    }
}

void CConferenceProtocol::MoveTo(int32_t reason, const std::string& server, int32_t port)
{
    Leave(std::string(), reason);
    ConnectDirect(server, port);
}

void CConferenceProtocol::TakeConference(const std::string& name, int32_t clone)
{
    m_conference = name;
    m_owner.ConferenceNameChanged(name);
    m_clone = clone;
    m_owner.ConferenceCloneChanged(clone);
}

void CConferenceProtocol::ConnectDirect(const std::string& server, int32_t port)
{
    std::string errorText;
    if (!m_channel.ConnectDirect(server, port, errorText))
        EndWithError(errorText);
}

bool CConferenceProtocol::SendJoin(const ConfJoinRecord& join)
{
    TakeConference(join.conference, join.clone);
    m_userName = join.userName;
    return SendLine(ConfCommands::Join(join));
}

void CConferenceProtocol::Leave(const std::string& text, int32_t reason)
{
    // A send failure while saying goodbye must not start a second leave.
    if (m_leaving)
        return;
    m_leaving = true;
    if (m_connected) {
        LeaveConnected(text, reason);
    } else {
        m_channel.StopAttempts();
        if (reason == ConfLeaveReason::kGivenUp) {
            m_channel.Close();
            m_owner.Disconnected(reason, text);
        }
    }
    m_leaving = false;
}

void CConferenceProtocol::LeaveConnected(const std::string& text, int32_t reason)
{
    m_connected = false;
    m_disconnecting = true;
    SendLine(ConfCommands::Disconnect());
    m_disconnecting = false;
    m_channel.Close();
    m_owner.ShowStatus(reason == ConfLeaveReason::kRedirect ? ConfStrings::kRedirected
                                                            : ConfStrings::kServerDisconnected);
    m_roster.clear();
    std::string stopError;
    if (!m_media.StopMedia(reason, m_mediaOpen, stopError)) {
        m_lastError = stopError;
        m_owner.ErrorText(ConfErrors::kSession, stopError, 0);
    }
    m_mediaOpen = false;
    m_accepted = false;
    m_owner.Disconnected(reason, text);
}

void CConferenceProtocol::EndWithError(const std::string& text)
{
    m_lastError = text;
    if (m_leaving)
        return;
    Leave(text, ConfLeaveReason::kError);
    m_owner.ErrorText(ConfErrors::kSession, text, 0);
}

bool CConferenceProtocol::SetName(const std::string& name)
{
    return SendLine(ConfCommands::RosterChangeName(m_ownUser, name));
}

bool CConferenceProtocol::SetIcon(int32_t icon)
{
    return SendLine(ConfCommands::RosterChangeIcon(m_ownUser, icon));
}

bool CConferenceProtocol::SendMessage(int32_t user, const std::string& text)
{
    if (!SendLine(ConfCommands::Message(user, text)))
        return false;
    if (ConfUser* target = FindEntry(user))
        target->AddHistory(m_ownUser, m_userName, text);
    return true;
}

bool CConferenceProtocol::SendWarning(int32_t user, const std::string& text)
{
    return SendLine(ConfCommands::AppWarn(user, text));
}

bool CConferenceProtocol::SendAppMessage(int32_t user, const std::string& text)
{
    return SendLine(ConfCommands::AppMessage(user, text));
}

bool CConferenceProtocol::SendAppBroadcast(const std::string& text)
{
    return SendLine(ConfCommands::AppBroadcast(text));
}

bool CConferenceProtocol::SendMute(int32_t user, int32_t flag)
{
    return SendLine(ConfCommands::AppMute(user, flag));
}

bool CConferenceProtocol::SendGag(int32_t user, int32_t flagWord, int32_t duration)
{
    return SendLine(ConfCommands::AppGag(user, flagWord, duration));
}

bool CConferenceProtocol::SendEject(int32_t user, const std::string& reason)
{
    return SendLine(ConfCommands::AppEject(user, reason));
}

bool CConferenceProtocol::SendBreakoutInvite(int32_t user)
{
    return SendLine(ConfCommands::BreakoutInvite(user));
}

bool CConferenceProtocol::ReplyBreakout(int32_t user, bool accept)
{
    if (!accept)
        return SendLine(ConfCommands::BreakoutReject(user));
    const std::string conference =
        m_conference + " (" + std::to_string(m_clone) + ")_$" + std::to_string(user);
    TakeConference(conference, 0);
    const bool sent = SendLine(ConfCommands::BreakoutAccept(user, conference));
    MoveTo(ConfLeaveReason::kBreakout, m_firstServer, m_firstPort);
    return sent;
}

bool CConferenceProtocol::SendTone(char key)
{
    return SendLine(ConfCommands::PhoneDtmf(key));
}

void CConferenceProtocol::MarkUser(int32_t user, int32_t flag)
{
    if (ConfUser* entry = FindEntry(user))
        entry->SetFlag(flag);
}

const ConfUser* CConferenceProtocol::FindUser(int32_t user) const
{
    for (const auto& entry : m_roster) {
        if (entry->User() == user)
            return entry.get();
    }
    return nullptr;
}

ConfUser* CConferenceProtocol::FindEntry(int32_t user)
{
    return const_cast<ConfUser*>(std::as_const(*this).FindUser(user));
}

std::string CConferenceProtocol::NameOf(int32_t user) const
{
    const ConfUser* found = FindUser(user);
    return found ? found->Name() : std::string();
}

std::string CConferenceProtocol::Title()
{
    if (m_conference.find("_$") != std::string::npos)
        return Text(ConfStrings::kOneOnOne);
    return " " + m_conference + " (" + std::to_string(m_clone) + ")";
}

std::string CConferenceProtocol::Text(int32_t number, const std::string& value)
{
    return ConfText::FormatOne(m_environment.String(number), value);
}
