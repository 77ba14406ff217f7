// One engine instance, bound to its host's window handle: its parameters,
// the operations that set and read them, the join checks, the user-directed
// checks and the events it raises to the host's callback.
#pragma once

#include "CEngineParams.h"
#include "EngineProcessState.h"
#include "IEngineServices.h"
#include "IEngineSession.h"
#include "SonorelleIfcTypes.h"

#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <utility>

class CEngineInstance
{
public:
    // kind: 1-3 from the control, 4 SonorelleIfc_OnCreate, 5 plug-in.
    CEngineInstance(void* handle, int32_t kind, bool sdk, EngineProcessState& process,
                    IEngineServices& services);
    CEngineInstance(const CEngineInstance&) = delete;
    CEngineInstance& operator=(const CEngineInstance&) = delete;

    void* Handle() const { return m_handle; }
    int32_t Kind() const { return m_kind; }
    bool IsSdk() const { return m_sdk; }
    const CEngineParams& Params() const { return m_params; }
    bool StatusDisplayOn() const { return m_statusDisplay; }
    const std::string& SdkMarker() const { return m_sdkMarker; }
    // The dotted address of the page's host: empty while its look-up runs.
    std::string PageHostAddress() const;
    bool IsJoined() const { return m_joined; }
    bool IsJoining() const { return m_joining; }

    // The fields of SonorelleIfc_OnCreate.
    void TakeCreateInfo(const SonorelleIfcCreateInfo& info);
    void SetContainer(const std::string& app, const std::string& version);
    void SetHostUrl(const std::string& url, const std::string& data);

    // A null record puts the built-in one (which drops events) back.
    void SetCallback(const SonorelleIfcCallback* callback);
    // The conference session of the instance's engine window; without one a
    // join cannot connect. A new session gets the credentials at the next
    // join.
    void AttachSession(IEngineSession* session);

    int32_t SetUiOption(const std::string& name, const std::string& value);
    std::pair<int32_t, std::string> GetUiOption(const std::string& name) const;
    int32_t SetSdkProperty(const std::string& name, const std::string& value);
    std::pair<int32_t, std::string> GetSdkProperty(const std::string& name) const;
    void SetByIndex(int32_t index, intptr_t value);
    int32_t SetByName(const std::string& name, const std::string& value);
    // SonorelleIfc_SetParam: op 12, then op 14, then op 18.
    void SetParam(const std::string& name, const std::string& value);

    int32_t Join();
    // Op 11: every text must be non-empty.
    int32_t JoinWith(const SonorelleIfcJoinArgs& args);
    int32_t Disconnect();
    // Recording what is played and sent to a wave file (op 0 and op 1).
    int32_t StartRecord(const std::string& file, int32_t format, int32_t sources);
    int32_t StopRecord();
    int32_t RegisterForRecordPacket(bool on, int32_t format, int32_t sources);
    // Playing a wave file (op 2) and stopping it (op 3).
    int32_t PlayWaveFile(const SonorelleIfcPlayFileArgs& args);
    int32_t StopWavePlay(bool all);
    int32_t PlayWaveResource(void* module, const char* name, const WavePlayArgs& args);
    int32_t PlayWaveArray(const SonorelleIfcVariant& array, bool image, const WavePlayArgs& args);
    // The checks of the user-directed calls; `testUser` is off for broadcasts.
    int32_t CheckUserCall(int32_t user, bool testUser) const;
    // 1501 for a character without a keypad key, 1304 while not joined.
    int32_t SendTone(char key);

    // The user-directed calls: the checks, then the line to the server.
    int32_t SendInvite(int32_t user);
    int32_t InviteReply(int32_t user, bool accept);
    int32_t Ignore(int32_t user, int32_t on);
    int32_t TextMessage(int32_t user, const std::string& text);
    int32_t AppMessage(int32_t user, const std::string& text);
    int32_t AppBroadcast(const std::string& text);
    int32_t Gag(int32_t user, int32_t flagWord, int32_t duration);
    int32_t Warn(int32_t user, const std::string& text);
    int32_t Kick(int32_t user, const std::string& reason);

    // What the conference session reports.
    void OnServerConnected();
    // The join was accepted: event 0.
    void OnAccepted();
    void OnSessionEnded();
    // Redirected or moving to a breakout: joining again.
    void OnMoving();
    void OnRosterAdded(int32_t user);
    void OnRosterRemoved(int32_t user);
    // The server confirmed the local user's new name: property 2.
    void OnOwnNameChanged(const std::string& name);
    // The current speakers' user numbers, each followed by a line feed;
    // empty while not joined.
    std::string Speakers() const;
    // The audio level; silence without a session.
    int32_t Level() const;

    void RaiseEvent(int32_t code, void* payload) const;

private:
    static bool KeepsControlCharacters(int32_t index);
    void StoreText(int32_t index, const std::string& text, bool strip);
    void SetLocale(const std::string& locale);
    void SetAccountKey(const std::string& key);
    void SetSdkMode(int32_t on);
    void SetMute(int32_t on);
    void ReportText(int32_t index) const;
    void ReportMissing(const char* name) const;
    void ShowStatus(int32_t stringNumber) const;
    int32_t RunJoinChecks();
    bool ClaimPushToTalk();
    int32_t Connect();
    void StoreNumber(int32_t index, int32_t value);
    void TakePageUrl();

    void* m_handle;
    int32_t m_kind;
    bool m_sdk;
    EngineProcessState& m_process;
    IEngineServices& m_services;
    CEngineParams m_params;
    SonorelleIfcCallback m_builtInCallback;
    const SonorelleIfcCallback* m_callback;

    bool m_statusDisplay = true;
    bool m_joined = false;
    bool m_joining = false;
    bool m_connected = false;
    bool m_acceptedWithoutKey = false;
    bool m_credentialsChanged = true;
    IEngineSession* m_session = nullptr;
    std::string m_sdkMarker;
    std::string m_pageHost;
    std::shared_ptr<CHostLookup> m_lookup;
    std::string m_conferenceLocale = "en-US";
    std::set<int32_t> m_roster;
    char m_joinedDummy = 0;
};
