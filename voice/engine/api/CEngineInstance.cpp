#include "CEngineInstance.h"

#include "CConferenceProtocol.h"
#include "ConfText.h"
#include "EngineValueText.h"
#include "IEngineDialogs.h"
#include "KeypadMap.h"
#include "PageAddress.h"

#include <cstdlib>

namespace {

constexpr int32_t kControlPort = 3450;
constexpr uint32_t kPageHostWaitMs = 45000;
constexpr int32_t kIgnoreMark = 7;
constexpr int32_t kSilentLevel = -78;

void IgnoreEvent(SonorelleIfcEvent*) {}

const char* OrEmpty(const char* text)
{
    return text ? text : "";
}

bool IsPhoneText(int32_t index)
{
    return index == EngineParam::kPhoneDialInfo || index == EngineParam::kPhoneUserInfo ||
           index == EngineParam::kPhoneCallerId || index == EngineParam::kPhoneDtmfOnConnect;
}

} // namespace

CEngineInstance::CEngineInstance(void* handle, int32_t kind, bool sdk,
                                 EngineProcessState& process, IEngineServices& services)
    : m_handle(handle),
      m_kind(kind),
      m_sdk(sdk),
      m_process(process),
      m_services(services),
      m_builtInCallback{1, nullptr, IgnoreEvent},
      m_callback(&m_builtInCallback)
{
    const int32_t service = process.brandCode == EngineProcessState::kServiceBrand ? 1 : 0;
    m_params.SetNumber(EngineParam::kTinyStitch, service);
    if (kind == 5)
        m_params.SetNumber(EngineParam::kShowConf, service);
}

void CEngineInstance::TakeCreateInfo(const SonorelleIfcCreateInfo& info)
{
    m_params.SetText(EngineParam::kConfName, OrEmpty(info.confName));
    m_params.SetText(EngineParam::kServerAddress, OrEmpty(info.serverAddress));
    m_params.SetText(EngineParam::kUsername, OrEmpty(info.username));
    m_params.SetNumber(EngineParam::kAutoJoin, info.autoJoin);
    m_params.SetText(EngineParam::kAccount, OrEmpty(info.account));
    m_params.SetText(EngineParam::kStitchUrl, OrEmpty(info.stitchUrl));
    m_params.SetNumber(6, info.enableBreakout);
    m_params.SetNumber(7, info.host);
    m_params.SetNumber(EngineParam::kUserIcon, info.userIcon);
    m_params.SetNumber(EngineParam::kShowConf, info.showConf);
    m_params.SetText(EngineParam::kContainerApp, "IE");
    m_params.SetText(EngineParam::kContainerAppVersion, "?.?");
    m_credentialsChanged = true;
    SetHostUrl(OrEmpty(info.pageUrl), std::string());
}

void CEngineInstance::SetContainer(const std::string& app, const std::string& version)
{
    StoreText(EngineParam::kContainerApp, app, true);
    StoreText(EngineParam::kContainerAppVersion, version, true);
}

void CEngineInstance::SetHostUrl(const std::string& url, const std::string& data)
{
    if (url == "javascript:document.location;" || url == "javascript:document.URL;")
        StoreText(EngineParam::kHostUrl, data, false);
    else if (m_params.Text(EngineParam::kHostUrl) == "<URL>")
        StoreText(EngineParam::kHostUrl, url, false);
}

void CEngineInstance::AttachSession(IEngineSession* session)
{
    m_session = session;
    m_credentialsChanged = true;
}

void CEngineInstance::SetCallback(const SonorelleIfcCallback* callback)
{
    m_callback = callback ? callback : &m_builtInCallback;
}

bool CEngineInstance::KeepsControlCharacters(int32_t index)
{
    return index == EngineParam::kStitchUrl || index == EngineParam::kAccountKey ||
           index == EngineParam::kHostUrl || index == EngineParam::kSmIconChoices;
}

void CEngineInstance::StoreText(int32_t index, const std::string& text, bool strip)
{
    const bool clean = strip && !KeepsControlCharacters(index);
    std::string value = clean ? EngineValueText::StripControl(text) : text;
    switch (index) {
    case EngineParam::kCustomBrand:
        m_process.customBrand = value;
        return;
    case EngineParam::kUserLocale:
        SetLocale(value);
        return;
    case EngineParam::kAccountKey:
        SetAccountKey(value);
        return;
    case EngineParam::kAccount:
        m_credentialsChanged = true;
        break;
    case EngineParam::kPhoneDtmfOnConnect:
        if (!KeypadMap::AllKeys(value))
            return;
        break;
    case EngineParam::kUsername:
        if (m_joining)
            return;
        break;
    default:
        break;
    }
    if (index == EngineParam::kUsername && m_joined && m_session) {
        m_session->Conference().SetName(value);
        return;
    }
    m_params.SetText(index, std::move(value));
    if (index == EngineParam::kHostUrl)
        TakePageUrl();
}

void CEngineInstance::StoreNumber(int32_t index, int32_t value)
{
    if (index == EngineParam::kUserIcon && m_joined && m_session) {
        m_session->Conference().SetIcon(value);
        return;
    }
    m_params.SetNumber(index, value);
}

// A named host is looked up on another thread, so that a slow name server
// never holds up the host; a join waits for the answer.
void CEngineInstance::TakePageUrl()
{
    const std::string host = PageAddress::HostOf(m_params.Text(EngineParam::kHostUrl));
    m_lookup.reset();
    if (host.empty()) {
        m_pageHost = "127.0.0.1";
    } else if (PageAddress::IsDotted(host)) {
        m_pageHost = host;
    } else {
        m_pageHost.clear();
        m_lookup = m_services.StartLookup(host);
    }
}

std::string CEngineInstance::PageHostAddress() const
{
    if (m_lookup && m_lookup->IsDone())
        return m_lookup->Address();
    return m_pageHost;
}

void CEngineInstance::SetLocale(const std::string& locale)
{
    m_params.SetText(EngineParam::kUserLocale, locale);
    if (locale.empty())
        return;
    if (!m_process.localeLocked)
        m_process.locale = locale;
    m_conferenceLocale = locale;
}

void CEngineInstance::SetAccountKey(const std::string& key)
{
    m_params.SetText(EngineParam::kAccountKey, key);
    m_credentialsChanged = true;
    if (!key.empty())
        m_sdkMarker = "sdk";
    else if (m_sdkMarker == "sdk")
        m_sdkMarker = "notsdk";
}

void CEngineInstance::SetMute(int32_t on)
{
    m_params.SetMute(on);
    if (m_session)
        m_session->SetInputMute(on != 0);
}

void CEngineInstance::SetSdkMode(int32_t on)
{
    if (m_joined) {
        SonorelleIfcIndexValue change{EngineParam::kSdkMode, m_params.Number(EngineParam::kSdkMode)};
        RaiseEvent(SonorelleIfcEventCode::kParameterChanged, &change);
        return;
    }
    m_params.SetNumber(EngineParam::kSdkMode, on);
    m_statusDisplay = !m_params.Number(EngineParam::kSdkMode);
}

int32_t CEngineInstance::SetUiOption(const std::string& name, const std::string& value)
{
    const auto* info = EngineParameterTable::Find(name);
    if (!info || info->route != EngineParamRoute::UiOption)
        return 1;
    if (info->index < 0)
        m_params.SetShowEula(EngineValueText::ParseFlag(value));
    else if (info->kind == EngineParamKind::Text)
        StoreText(info->index, value, true);
    else if (info->kind == EngineParamKind::Flag)
        m_params.SetNumber(info->index, EngineValueText::ParseFlag(value));
    else
        m_params.SetNumber(info->index, EngineValueText::ParseNumber(value));
    return 0;
}

std::pair<int32_t, std::string> CEngineInstance::GetUiOption(const std::string& name) const
{
    const auto* info = EngineParameterTable::Find(name);
    if (!info || info->route != EngineParamRoute::UiOption)
        return {1, std::string()};
    if (info->index == EngineParam::kCustomBrand)
        return {0, m_process.customBrand};
    if (info->index == EngineParam::kUserLocale)
        return {0, m_conferenceLocale};
    return {0, m_params.Format(*info)};
}

int32_t CEngineInstance::SetSdkProperty(const std::string& name, const std::string& value)
{
    const auto* info = EngineParameterTable::Find(name);
    if (!info || info->route != EngineParamRoute::SdkProperty)
        return 1;
    if (info->kind == EngineParamKind::None)
        return 2;
    if (value.empty()) {
        if (!IsPhoneText(info->index))
            return 1;
        m_params.SetText(info->index, std::string());
        return 0;
    }
    if (info->index < 0) {
        const int32_t on = EngineValueText::ParseFlag(value);
        if (name.size() == 4)
            SetMute(on);
        else
            m_params.SetSoundEnabled(on);
        return 0;
    }
    if (info->kind == EngineParamKind::Text)
        StoreText(info->index, value, true);
    else if (info->kind == EngineParamKind::Flag)
        m_params.SetNumber(info->index, EngineValueText::ParseFlag(value));
    else
        StoreNumber(info->index, EngineValueText::ParseNumber(value));
    return 0;
}

std::pair<int32_t, std::string> CEngineInstance::GetSdkProperty(const std::string& name) const
{
    const auto* info = EngineParameterTable::Find(name);
    if (!info)
        return {1, std::string()};
    const bool readable = info->route == EngineParamRoute::SdkProperty ||
                          info->index == EngineParam::kConfName ||
                          info->index == EngineParam::kServerAddress ||
                          info->index == EngineParam::kAccount ||
                          info->index == EngineParam::kConfClone;
    if (!readable)
        return {1, std::string()};
    if (info->kind == EngineParamKind::None)
        return {2, std::string()};
    return {0, m_params.Format(*info)};
}

void CEngineInstance::SetByIndex(int32_t index, intptr_t value)
{
    const auto* info = EngineParameterTable::AtIndex(index);
    if (!info || index > EngineParam::kLastSettable || index == EngineParam::kCustomBrand)
        return;
    if (info->kind == EngineParamKind::Text) {
        const char* text = reinterpret_cast<const char*>(value);
        StoreText(index, OrEmpty(text), true);
    } else if (index == EngineParam::kSdkMode) {
        SetSdkMode(static_cast<int32_t>(value));
    } else {
        StoreNumber(index, static_cast<int32_t>(value));
    }
}

int32_t CEngineInstance::SetByName(const std::string& name, const std::string& value)
{
    const auto* info = EngineParameterTable::Find(name);
    if (!info || info->route != EngineParamRoute::ByName)
        return 1;
    if (info->index == EngineParam::kSdkMode)
        SetSdkMode(EngineValueText::ParseFlag(value));
    else if (info->kind == EngineParamKind::Flag)
        m_params.SetNumber(info->index, EngineValueText::ParseFlag(value));
    else
        StoreText(info->index, value, false);
    return 0;
}

void CEngineInstance::SetParam(const std::string& name, const std::string& value)
{
    if (SetUiOption(name, value) == 0)
        return;
    if (SetSdkProperty(name, value) != 1)
        return;
    SetByName(name, value);
}

int32_t CEngineInstance::Join()
{
    if (m_joined)
        return SonorelleIfcStatus::kAlreadyJoined;
    if (m_joining)
        return SonorelleIfcStatus::kJoinStarting;
    m_joining = true;
    const int32_t status = RunJoinChecks();
    if (status != SonorelleIfcStatus::kDone) {
        m_joining = false;
        if (m_session)
            m_session->ReleasePushToTalk();
    }
    return status;
}

int32_t CEngineInstance::JoinWith(const SonorelleIfcJoinArgs& args)
{
    const char* texts[] = {args.serverAddress, args.confName, args.username, args.account,
                           args.accountKey};
    for (const char* text : texts) {
        if (!text || !*text)
            return SonorelleIfcStatus::kMissingParameter;
    }
    StoreText(EngineParam::kServerAddress, args.serverAddress, true);
    StoreText(EngineParam::kConfName, args.confName, true);
    StoreText(EngineParam::kUsername, args.username, true);
    StoreText(EngineParam::kAccount, args.account, true);
    StoreText(EngineParam::kAccountKey, args.accountKey, false);
    return Join();
}

int32_t CEngineInstance::RunJoinChecks()
{
    if (m_connected) {
        ShowStatus(SonorelleIfcString::kAlreadyConnected);
        return SonorelleIfcStatus::kAlreadyConnected;
    }
    if (!ClaimPushToTalk())
        return SonorelleIfcStatus::kUnknownInstance;
    if (!m_services.AgreementAccepted())
        return SonorelleIfcStatus::kAgreement;
    if (m_params.Text(EngineParam::kServerAddress).empty()) {
        ReportMissing("ServerAddress");
        return SonorelleIfcStatus::kMissingParameter;
    }
    if (m_params.Text(EngineParam::kConfName).empty()) {
        ReportMissing("ConfName");
        return SonorelleIfcStatus::kMissingParameter;
    }
    m_params.SetText(EngineParam::kUsername,
                     EngineValueText::StripControl(m_params.Text(EngineParam::kUsername)));
    ReportText(EngineParam::kUsername);
    if (m_params.Text(EngineParam::kUsername).empty()) {
        if (!m_statusDisplay)
            ReportMissing("Username");
        else if (IEngineDialogs* dialogs = m_session ? m_session->Dialogs() : nullptr)
            dialogs->AskForUserName();
        return SonorelleIfcStatus::kMissingParameter;
    }
    if (m_params.Text(EngineParam::kAccount).empty()) {
        if (!m_params.Text(EngineParam::kAccountKey).empty()) {
            ReportMissing("Account");
            return SonorelleIfcStatus::kMissingParameter;
        }
        m_params.SetText(EngineParam::kAccount, "0");
    }
    if (m_params.Text(EngineParam::kContainerApp).empty()) {
        const bool keyed = !m_params.Text(EngineParam::kAccountKey).empty();
        m_params.SetText(EngineParam::kContainerApp, keyed ? "<SDK>" : "IE");
        ReportText(EngineParam::kContainerApp);
    }
    if (m_params.Text(EngineParam::kContainerAppVersion).empty()) {
        m_params.SetText(EngineParam::kContainerAppVersion, "?.?");
        ReportText(EngineParam::kContainerAppVersion);
    }
    if (m_credentialsChanged && m_session) {
        m_session->Conference().SetCredentials(m_params.Text(EngineParam::kAccount),
                                               m_params.Text(EngineParam::kAccountKey));
        m_credentialsChanged = false;
    }
    ShowStatus(SonorelleIfcString::kConnecting);
    return Connect();
}

// Push-to-talk for this instance's window, with the keyboard hook unless
// hands-free; another window owning it stops the join, unless in SDK mode.
bool CEngineInstance::ClaimPushToTalk()
{
    if (!m_session ||
        m_session->ClaimPushToTalk(m_params.Number(EngineParam::kHandsFree) == 0) ||
        m_params.Number(EngineParam::kSdkMode))
        return true;
    const std::string text = m_services.String(SonorelleIfcString::kAnotherInstance);
    ShowStatus(SonorelleIfcString::kAnotherInstance);
    SonorelleIfcErrorPayload error{SonorelleIfcStatus::kUnknownInstance, text.c_str()};
    RaiseEvent(SonorelleIfcEventCode::kError, &error);
    return false;
}

int32_t CEngineInstance::Connect()
{
    if (m_lookup && !m_lookup->IsDone() &&
        !m_services.WaitForLookup(*m_lookup, kPageHostWaitMs))
        return SonorelleIfcStatus::kSession;
    if (PageHostAddress().empty())
        m_pageHost = "127.0.0.1";
    if (!m_session)
        return SonorelleIfcStatus::kSession;
    m_session->Conference().SetLocale(m_conferenceLocale);
    return m_session->StartConnect(m_params.Number(EngineParam::kTunnel),
                                   m_params.Text(EngineParam::kServerAddress), kControlPort);
}

int32_t CEngineInstance::Disconnect()
{
    if (!m_joined && !m_joining)
        return SonorelleIfcStatus::kNotJoined;
    if (m_session) {
        m_session->StopConnectWait();
        m_session->Conference().Leave(std::string(), m_joined ? 0 : 3);
    }
    OnSessionEnded();
    return SonorelleIfcStatus::kDone;
}

int32_t CEngineInstance::StartRecord(const std::string& file, int32_t format, int32_t sources)
{
    if (!m_session)
        return SonorelleIfcStatus::kSession;
    return m_session->StartRecord(file, format, sources);
}

int32_t CEngineInstance::StopRecord()
{
    if (!m_session)
        return SonorelleIfcStatus::kSession;
    m_session->StopRecord();
    return SonorelleIfcStatus::kDone;
}

int32_t CEngineInstance::PlayWaveFile(const SonorelleIfcPlayFileArgs& args)
{
    if (!m_session)
        return SonorelleIfcStatus::kSession;
    return m_session->PlayWaveFile(args.file ? args.file : "", args.playId, args.checkFormat,
                                   args.repeat, args.destination, args.pause);
}

int32_t CEngineInstance::StopWavePlay(bool all)
{
    if (!m_session)
        return SonorelleIfcStatus::kSession;
    m_session->StopWavePlay(all);
    return SonorelleIfcStatus::kDone;
}

int32_t CEngineInstance::RegisterForRecordPacket(bool on, int32_t format, int32_t sources)
{
    if (!m_session)
        return SonorelleIfcStatus::kSession;
    return m_session->RegisterForRecordPacket(on, format, sources);
}

int32_t CEngineInstance::PlayWaveResource(void* module, const char* name,
                                          const WavePlayArgs& args)
{
    if (!m_session)
        return SonorelleIfcStatus::kSession;
    return m_session->PlayWaveResource(module, name, args);
}

int32_t CEngineInstance::PlayWaveArray(const SonorelleIfcVariant& array, bool image,
                                       const WavePlayArgs& args)
{
    if (!m_session)
        return SonorelleIfcStatus::kSession;
    return m_session->PlayWaveArray(array, image, args);
}

int32_t CEngineInstance::CheckUserCall(int32_t user, bool testUser) const
{
    if (!m_joined)
        return SonorelleIfcStatus::kNotJoined;
    if (m_acceptedWithoutKey)
        return SonorelleIfcStatus::kWithoutAccountKey;
    if (testUser && m_roster.count(user) == 0)
        return SonorelleIfcStatus::kNotInRoster;
    return SonorelleIfcStatus::kDone;
}

void CEngineInstance::OnServerConnected()
{
    m_connected = true;
}

void CEngineInstance::OnAccepted()
{
    m_joining = false;
    m_joined = true;
    m_acceptedWithoutKey = m_params.Text(EngineParam::kAccountKey).empty();
    RaiseEvent(SonorelleIfcEventCode::kJoined, &m_joinedDummy);
}

void CEngineInstance::OnSessionEnded()
{
    m_joining = false;
    m_joined = false;
    m_connected = false;
    m_roster.clear();
    if (m_session)
        m_session->ReleasePushToTalk();
}

void CEngineInstance::OnMoving()
{
    m_joined = false;
    m_joining = true;
    m_connected = false;
    m_roster.clear();
}

void CEngineInstance::OnOwnNameChanged(const std::string& name)
{
    m_params.SetText(EngineParam::kUsername, name);
    ReportText(EngineParam::kUsername);
}

void CEngineInstance::OnRosterAdded(int32_t user)
{
    m_roster.insert(user);
}

void CEngineInstance::OnRosterRemoved(int32_t user)
{
    m_roster.erase(user);
}

int32_t CEngineInstance::SendTone(char key)
{
    if (!KeypadMap::KeyOf(key))
        return SonorelleIfcStatus::kNotKeypad;
    if (!m_joined)
        return SonorelleIfcStatus::kNotJoined;
    if (m_session)
        m_session->Conference().SendTone(key);
    return SonorelleIfcStatus::kDone;
}

int32_t CEngineInstance::SendInvite(int32_t user)
{
    const int32_t status = CheckUserCall(user, true);
    if (status == SonorelleIfcStatus::kDone && m_session)
        m_session->Conference().SendBreakoutInvite(user);
    return status;
}

int32_t CEngineInstance::InviteReply(int32_t user, bool accept)
{
    const int32_t status = CheckUserCall(user, true);
    if (status == SonorelleIfcStatus::kDone && m_session)
        m_session->Conference().ReplyBreakout(user, accept);
    return status;
}

int32_t CEngineInstance::Ignore(int32_t user, int32_t on)
{
    const int32_t status = CheckUserCall(user, true);
    if (status == SonorelleIfcStatus::kDone && m_session) {
        m_session->Conference().SendMute(user, on ? 1 : 0);
        m_session->Conference().MarkUser(user, on ? kIgnoreMark : 0);
    }
    return status;
}

int32_t CEngineInstance::TextMessage(int32_t user, const std::string& text)
{
    const int32_t status = CheckUserCall(user, true);
    if (status == SonorelleIfcStatus::kDone && m_session) {
        m_session->Conference().SendMessage(user, text);
        ShowStatus(SonorelleIfcString::kMessageSent);
    }
    return status;
}

int32_t CEngineInstance::AppMessage(int32_t user, const std::string& text)
{
    const int32_t status = CheckUserCall(user, true);
    if (status == SonorelleIfcStatus::kDone && m_session)
        m_session->Conference().SendAppMessage(user, text);
    return status;
}

int32_t CEngineInstance::AppBroadcast(const std::string& text)
{
    const int32_t status = CheckUserCall(0, false);
    if (status == SonorelleIfcStatus::kDone && m_session)
        m_session->Conference().SendAppBroadcast(text);
    return status;
}

int32_t CEngineInstance::Gag(int32_t user, int32_t flagWord, int32_t duration)
{
    const int32_t status = CheckUserCall(user, true);
    if (status == SonorelleIfcStatus::kDone && m_session)
        m_session->Conference().SendGag(user, flagWord, duration);
    return status;
}

int32_t CEngineInstance::Warn(int32_t user, const std::string& text)
{
    const int32_t status = CheckUserCall(user, true);
    if (status == SonorelleIfcStatus::kDone && m_session) {
        m_session->Conference().SendWarning(user, text);
        ShowStatus(SonorelleIfcString::kWarningSent);
    }
    return status;
}

int32_t CEngineInstance::Kick(int32_t user, const std::string& reason)
{
    const int32_t status = CheckUserCall(user, true);
    if (status == SonorelleIfcStatus::kDone && m_session)
        m_session->Conference().SendEject(user, reason);
    return status;
}

std::string CEngineInstance::Speakers() const
{
    std::string text;
    if (!m_joined || !m_session)
        return text;
    for (uint16_t speaker : m_session->Speakers()) {
        if (speaker != 0)
            text += std::to_string(speaker) + "\n";
    }
    return text;
}

int32_t CEngineInstance::Level() const
{
    return m_session ? m_session->AudioLevel() : kSilentLevel;
}

void CEngineInstance::ReportText(int32_t index) const
{
    SonorelleIfcIndexValue change{index, reinterpret_cast<intptr_t>(m_params.Text(index).c_str())};
    RaiseEvent(SonorelleIfcEventCode::kParameterChanged, &change);
}

void CEngineInstance::ReportMissing(const char* name) const
{
    const std::string text =
        ConfText::FormatOne(m_services.String(SonorelleIfcString::kMissingParameter), name);
    SonorelleIfcErrorPayload error{SonorelleIfcStatus::kMissingParameter, text.c_str()};
    RaiseEvent(SonorelleIfcEventCode::kError, &error);
}

void CEngineInstance::ShowStatus(int32_t stringNumber) const
{
    const std::string text = m_services.String(stringNumber);
    SonorelleIfcTextPayload status{text.c_str()};
    RaiseEvent(SonorelleIfcEventCode::kStatus, &status);
}

void CEngineInstance::RaiseEvent(int32_t code, void* payload) const
{
    SonorelleIfcEvent event{code, 1, m_callback->context, payload};
    if (m_callback->function)
        m_callback->function(&event);
}
