#include "CVoiceSession.h"

namespace {

// Where the control goes on the people page; it stays hidden until a
// session runs.
constexpr RECT kControlPlace{0, 120, 10, 590};
constexpr char kSettingsSection[] = "Settings";
constexpr char kDefaultDispatchHost[] = "voice.lumorachat.net";
constexpr char kDefaultDiagnosticsHost[] = "voicetest.lumorachat.net";

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
}

bool CVoiceSession::Start(VoiceStartFacts facts, const VoiceConference& conference) {
  facts.controlExists = m_control.Exists();
  facts.running = m_running;
  if (!ShouldStartVoice(facts)) return false;
  m_control.SetServerAddress(
      ChooseVoiceHost(conference.placeAddress, m_diagnosticsText, m_dispatchHost, m_diagnosticsHost));
  m_control.SetConfName(std::to_string(conference.placeId));
  m_control.SetUsername(std::to_string(conference.userId));
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
  m_control.Show(false);
  return true;
}
