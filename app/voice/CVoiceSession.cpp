#include "CVoiceSession.h"

#include "OleText.h"

namespace {

// Where the control goes on the people page; it stays hidden until a
// session runs.
constexpr RECT kControlPlace{0, 120, 10, 590};
constexpr char kSettingsSection[] = "Settings";
constexpr char kDefaultDispatchHost[] = "voice.lumorachat.net";
constexpr char kDefaultDiagnosticsHost[] = "voicetest.lumorachat.net";
// The page window keeps the session that polls the speakers on its timer.
constexpr char kSessionProperty[] = "ZrVoiceSession";
// An error of this kind only tells that the service is busy elsewhere.
constexpr char kHeldElsewhere[] = "Another instance";
// The time argument of the speaker level call.
constexpr int32_t kSpeakerLevelTime = 30;

int32_t LongOf(const std::vector<VARIANT>& arguments, size_t index) {
  if (index >= arguments.size()) return 0;
  VARIANT value;
  ::VariantInit(&value);
  if (FAILED(::VariantChangeType(&value, const_cast<VARIANT*>(&arguments[index]), 0, VT_I4))) return 0;
  return value.lVal;
}

std::string TextOf(const std::vector<VARIANT>& arguments, size_t index) {
  if (index >= arguments.size() || arguments[index].vt != VT_BSTR) return std::string();
  return TextOfBstr(arguments[index].bstrVal);
}

std::string ReadSetting(const std::string& file, const char* key, const std::string& fallback) {
  char value[256] = {};
  ::GetPrivateProfileStringA(kSettingsSection, key, fallback.c_str(), value, sizeof value, file.c_str());
  return value;
}

}  // namespace

void CVoiceSession::SetHosts(std::string dispatchHost, std::string diagnosticsHost, std::string diagnosticsText) {
  m_dispatchHost = std::move(dispatchHost);
  m_diagnosticsHost = std::move(diagnosticsHost);
  m_diagnosticsText = std::move(diagnosticsText);
}

void CVoiceSession::LoadHosts(const std::string& settingsFile, const std::string& defaultDiagnosticsText) {
  SetHosts(ReadSetting(settingsFile, "VoiceServer", kDefaultDispatchHost),
           ReadSetting(settingsFile, "VoiceDiagnosticsServer", kDefaultDiagnosticsHost),
           ReadSetting(settingsFile, "VoiceDiagnosticsText", defaultDiagnosticsText));
}

bool CVoiceSession::CreateControl(HWND peoplePage) {
  if (!m_control.Create(peoplePage, kControlPlace)) return false;
  m_page = peoplePage;
  ::SetPropA(m_page, kSessionProperty, this);
  m_control.AdviseEvents([this](DISPID id, const std::vector<VARIANT>& arguments) { OnEvent(id, arguments); });
  m_control.Show(false);
  m_control.SetServerAddress(m_dispatchHost);
  m_control.SetAccount(kAccount);
  m_control.SetAccountKey(kAccountKey);
  m_control.SetSDKmode(true);
  return true;
}

void CVoiceSession::DestroyControl() {
  Stop();
  m_control.Destroy();
  if (m_page && ::IsWindow(m_page)) ::RemovePropA(m_page, kSessionProperty);
  m_page = nullptr;
}

bool CVoiceSession::Start(VoiceStartFacts facts, const VoiceConference& conference) {
  facts.controlExists = IsAvailable();
  facts.running = m_running;
  if (!ShouldStartVoice(facts)) return false;
  m_control.SetServerAddress(
      ChooseVoiceHost(conference.placeAddress, m_diagnosticsText, m_dispatchHost, m_diagnosticsHost));
  m_control.SetConfName(std::to_string(conference.placeId));
  m_control.SetUsername(std::to_string(conference.userId));
  EndRoster();
  m_control.Disconnect();
  m_control.SDKJoin();
  m_control.Show(true);
  m_running = true;
  return true;
}

bool CVoiceSession::Stop() {
  if (!m_running) return false;
  m_control.Disconnect();
  m_running = false;
  EndRoster();
  m_control.Show(false);
  return true;
}

void CVoiceSession::IgnoreMember(uint32_t member, bool ignore) {
  if (const VoiceRoster::Entry* entry = m_roster.Find(member)) m_control.Ignore(entry->voiceNumber, ignore);
}

void CVoiceSession::SetSpeakerLevel(int32_t level) {
  if (!m_view) return;
  if (const VoiceRoster::Entry* entry = m_roster.Find(m_view->LocalMember()))
    m_control.GagUser(entry->voiceNumber, (level & 0xFF) != 0, kSpeakerLevelTime);
}

void CVoiceSession::ClearSpeakers() { MarkSpeakers({}); }

// ---- Events of the control ----------------------------------------------------

void CVoiceSession::OnEvent(DISPID id, const std::vector<VARIANT>& arguments) {
  switch (id) {
    case CSonorelle::kJoined:
      OnJoined();
      break;
    case CSonorelle::kDisconnected:
      OnDisconnected();
      break;
    case CSonorelle::kSdkError:
      OnError(TextOf(arguments, 1));
      break;
    case CSonorelle::kStatus:
      if (m_view) m_view->ShowVoiceStatus(TextOf(arguments, 0));
      break;
    case CSonorelle::kRosterAdd:
      OnRosterAdd(LongOf(arguments, 0), TextOf(arguments, 1));
      break;
    case CSonorelle::kRosterDel:
      OnRosterDel(LongOf(arguments, 0));
      break;
    default:
      break;
  }
}

// A join that arrives after the user stopped voice is left at once.
void CVoiceSession::OnJoined() {
  if (m_running) {
    if (m_page) ::SetTimer(m_page, kSpeakerTimer, kSpeakerPeriod, &CVoiceSession::OnSpeakerTimer);
    return;
  }
  m_control.Disconnect();
  ClearSpeakers();
}

void CVoiceSession::OnDisconnected() { EndRoster(); }

// Another instance holding the voice service only makes voice unavailable
// here; any other error is told and ends the session.
void CVoiceSession::OnError(const std::string& description) {
  if (description.rfind(kHeldElsewhere, 0) == 0) {
    m_heldElsewhere = true;
    return;
  }
  if (m_view) m_view->ShowVoiceError(description);
  Stop();
}

void CVoiceSession::OnRosterAdd(int32_t voiceNumber, const std::string& memberText) {
  const auto member = m_roster.Add(voiceNumber, memberText);
  if (!member || !m_view) return;
  if (*member == m_view->LocalMember()) {
    if (m_view->HasFloor()) SetSpeakerLevel(1);
  } else if (m_view->IsIgnored(*member)) {
    m_control.Ignore(voiceNumber, true);
  }
  m_view->RepaintVoiceMember(*member);
}

void CVoiceSession::OnRosterDel(int32_t voiceNumber) {
  PollSpeakers();
  const auto member = m_roster.RemoveVoiceNumber(voiceNumber);
  if (member && m_view && *member != m_view->LocalMember()) m_view->RepaintVoiceMember(*member);
}

// ---- Speakers -----------------------------------------------------------------

void CVoiceSession::PollSpeakers() {
  if (m_running) MarkSpeakers(ParseSpeakers(m_control.GetSpeakers()));
}

void CVoiceSession::MarkSpeakers(const std::vector<int32_t>& speakers) {
  const uint32_t local = m_view ? m_view->LocalMember() : 0;
  for (uint32_t member : m_roster.SetSpeakers(speakers, local)) {
    if (m_view) m_view->RepaintVoiceMember(member);
  }
}

// The session is over: no more polling, and nobody is shown in the
// conference.
void CVoiceSession::EndRoster() {
  if (m_page) ::KillTimer(m_page, kSpeakerTimer);
  std::vector<uint32_t> members;
  for (const VoiceRoster::Entry& entry : m_roster.Entries()) members.push_back(entry.member);
  m_roster.Clear();
  if (!m_view) return;
  for (uint32_t member : members) m_view->RepaintVoiceMember(member);
}

void CALLBACK CVoiceSession::OnSpeakerTimer(HWND window, UINT, UINT_PTR, DWORD) {
  if (auto* session = static_cast<CVoiceSession*>(::GetPropA(window, kSessionProperty))) session->PollSpeakers();
}
