// CVoiceSession: the client's voice for its current place: the voice
// control, made on the people page, and whether a session runs. Starting
// points the control at the place's conference and joins it; stopping
// disconnects and hides it. While it runs, the control's events keep the
// voice roster (who is in the conference, who speaks) and the people page's
// voice status up to date.
#pragma once

#include "CSonorelle.h"
#include "IVoiceView.h"
#include "VoiceRoster.h"
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
  // The timer that asks the control for the speakers, and its period.
  static constexpr UINT_PTR kSpeakerTimer = 801;
  static constexpr UINT kSpeakerPeriod = 250;
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
  void SetView(IVoiceView* view) { m_view = view; }
  // Makes the control on the people page, hidden, with the account set and
  // its events taken; false when it cannot be made.
  bool CreateControl(HWND peoplePage);
  void DestroyControl();
  // Whether voice can run: the control exists and no other instance of
  // the voice service holds the machine.
  bool IsAvailable() const { return m_control.Exists() && !m_heldElsewhere; }
  bool IsRunning() const { return m_running; }
  const VoiceRoster& Roster() const { return m_roster; }

  // Joins the conference when the facts allow it (the control's existence
  // and the running state are filled in here).
  bool Start(VoiceStartFacts facts, const VoiceConference& conference);
  // Disconnects and hides the control; false when no session ran.
  bool Stop();

  // The voice of member is muted (or heard again) for the local user;
  // nothing while member is not in the conference.
  void IgnoreMember(uint32_t member, bool ignore);
  // The local user's speaker level (1: given the floor, 0: taken).
  void SetSpeakerLevel(int32_t level);
  // Nobody is marked speaking.
  void ClearSpeakers();

 private:
  void OnEvent(DISPID id, const std::vector<VARIANT>& arguments);
  void OnJoined();
  void OnDisconnected();
  void OnError(const std::string& description);
  void OnRosterAdd(int32_t voiceNumber, const std::string& memberText);
  void OnRosterDel(int32_t voiceNumber);
  void PollSpeakers();
  void MarkSpeakers(const std::vector<int32_t>& speakers);
  void EndRoster();
  static void CALLBACK OnSpeakerTimer(HWND window, UINT, UINT_PTR, DWORD);

  CSonorelle m_control;
  IVoiceView* m_view = nullptr;
  HWND m_page = nullptr;
  VoiceRoster m_roster;
  bool m_heldElsewhere = false;
  std::string m_dispatchHost;
  std::string m_diagnosticsHost;
  std::string m_diagnosticsText;
  bool m_running = false;
};
