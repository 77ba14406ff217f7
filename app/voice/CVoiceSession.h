// CVoiceSession: the client's voice for its current place: the voice
// control, made on the people page, and whether a session runs. Starting
// points the control at the place's conference and joins it; stopping
// disconnects and hides it.
#pragma once

#include "CSonorelle.h"
#include "VoiceStartRule.h"

#include <cstdint>
#include <string>

struct VoiceConference {
  std::string placeAddress;
  uint32_t placeId = 0;
  uint32_t userId = 0;
};

class CVoiceSession {
 public:
  // The voice service account of the client.
  static constexpr const char* kAccount = "47205318";
  static constexpr const char* kAccountKey = "Qm4TzK7pWa2";

  // Voice dispatch hosts: the normal one, the diagnostics one, and the text
  // of a place address that selects the diagnostics one.
  void SetHosts(std::string dispatchHost, std::string diagnosticsHost, std::string diagnosticsText);
  // The hosts from the settings file ("VoiceServer", "VoiceDiagnosticsServer"
  // and "VoiceDiagnosticsText" of [Settings]); the diagnostics text defaults
  // to defaultDiagnosticsText.
  void LoadHosts(const std::string& settingsFile, const std::string& defaultDiagnosticsText);
  // Makes the control on the people page, hidden, with the account set;
  // false when it cannot be made.
  bool CreateControl(HWND peoplePage);
  void DestroyControl();

  // Joins the conference when the facts allow it (the control's existence
  // and the running state are filled in here).
  bool Start(VoiceStartFacts facts, const VoiceConference& conference);
  // Disconnects and hides the control; false when no session ran.
  bool Stop();

 private:
  CSonorelle m_control;
  std::string m_dispatchHost;
  std::string m_diagnosticsHost;
  std::string m_diagnosticsText;
  bool m_running = false;
};
