// The engine window of one instance and the conference session it owns: the
// session with its control channel and connect plan, the connection threads
// that connect off the host's thread and report back to this window, the
// connection-wait timer, the tunnel start timer, the socket notices of the
// control and media channels, and the audio pipeline on the sound card.
#pragma once

#include "Audio.h"
#include "CConfConnectPlan.h"
#include "CConferenceProtocol.h"
#include "CEngineInstance.h"
#include "CEngineSessionOwner.h"
#include "CLevelMeterWnd.h"
#include "CMmTimer.h"
#include "CWinmmWaveDevices.h"
#include "CodecFactory.h"
#include "CodecLibraryTable.h"
#include "ConfChannelLink.h"
#include "ConfWin32Environment.h"
#include "ConnectionThread.h"
#include "IConfConnectAttempts.h"
#include "IEngineSession.h"
#include "PushToTalkHook.h"
#include "CSessionDialogs.h"
#include "Soundcard.h"
#include "Win32CodecLibraries.h"
#include "WinsockSocketFactory.h"

#include <winsock2.h>
#include <windows.h>

#include <map>
#include <memory>

class CResourceChain;

class CSonorelleWnd : public IEngineSession, private IConfConnectAttempts
{
public:
    static constexpr UINT kSocketNotice = WM_APP + 1;
    static constexpr UINT kMediaNotice = WM_APP + 2;
    static constexpr UINT kRecordFailed = WM_APP + 3;
    // Play status: the play id in wParam, the code and value in lParam.
    static constexpr UINT kPlayStatus = WM_APP + 4;
    // A recorded frame: its bytes, owned by the message, in lParam.
    static constexpr UINT kRecordPacket = WM_APP + 5;
    static constexpr UINT_PTR kConnectWaitTimer = 105;
    static constexpr UINT_PTR kTunnelTimer = 106;
    // Transmission goes on this long after the talk key is released.
    static constexpr UINT_PTR kTalkReleaseTimer = 109;
    static constexpr UINT kTalkReleaseMs = 150;
    static constexpr UINT kConnectWaitMs = 1000;
    // The level meter and speaking marks follow the audio from the first
    // connection on.
    static constexpr UINT_PTR kLevelTimer = 103;
    static constexpr UINT kLevelMs = 150;
    static constexpr int kLevelMeterId = 102;
    // Commands of the engine window's menus that open dialogs.
    static constexpr UINT kWarnCommand = 32772;
    static constexpr UINT kGagCommand = 32773;
    static constexpr UINT kInstantMessageCommand = 32775;
    static constexpr UINT kNameCommand = 32778;
    // UIOptions: 0 shows no panel, 2 a horizontal level meter.
    static constexpr int32_t kNoPanel = 0;
    static constexpr int32_t kHorizontalMeter = 2;
    static constexpr int kConnectWaitTicks = 60;

    CSonorelleWnd(CEngineInstance& instance, IEngineServices& services,
                  const CResourceChain& resources);
    ~CSonorelleWnd() override;
    CSonorelleWnd(const CSonorelleWnd&) = delete;
    CSonorelleWnd& operator=(const CSonorelleWnd&) = delete;

    // Creates the window of class "SonorelleWindow" inside `parent`.
    HWND Create(HWND parent);
    HWND Window() const { return m_window; }

    // The procedure of the "SonorelleWindow" class.
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    // IEngineSession
    int32_t StartConnect(int32_t tunnel, const std::string& server, int32_t port) override;
    void StopConnectWait() override;
    CConferenceProtocol& Conference() override { return m_conference; }
    IEngineDialogs* Dialogs() override { return m_dialogs.get(); }
    int32_t AudioLevel() const override { return m_audio.Level(); }
    std::array<uint16_t, 2> Speakers() const override { return m_audio.Speakers(); }
    void SetInputMute(bool mute) override { m_card.SetInputMute(mute); }
    bool ClaimPushToTalk(bool keyboardHook) override;
    void ReleasePushToTalk() override;
    int32_t StartRecord(const std::string& file, int32_t format, int32_t sources) override
    {
        return m_audio.StartRecord(file, format, sources);
    }
    void StopRecord() override { m_audio.StopRecord(); }
    int32_t RegisterForRecordPacket(bool on, int32_t format, int32_t sources) override
    {
        return m_audio.RegisterForRecordPacket(on, format, sources);
    }
    int32_t PlayWaveFile(const std::string& file, int32_t playId, int32_t checkFormat,
                         int32_t repeat, int32_t destination, int32_t pause) override;
    void StopWavePlay(bool all) override { m_audio.StopWavePlay(all); }
    int32_t PlayWaveResource(void* module, const char* name, const WavePlayArgs& args) override;
    int32_t PlayWaveArray(const SonorelleIfcVariant& array, bool image,
                          const WavePlayArgs& args) override;

private:
    // IConfConnectAttempts
    void StartAttempt(const std::string& server, int32_t port) override;
    void StopAttempt(int32_t port) override;
    void StartTunnelTimer(uint32_t milliseconds) override;
    void KillTunnelTimer() override;

    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void OnAttemptConnected(int32_t port, SOCKET socket);
    void OnAttemptFailed(int32_t port);
    void OnSocketNotice(SOCKET socket, LPARAM notice);
    void OnMediaNotice(SOCKET socket);
    void OnTimer(UINT_PTR timer);
    void OnCommand(UINT command);
    void OnCreated();
    void LayOut();
    void ShowLevel();
    // Whether the talk key may switch the microphone now.
    bool TalkKeyApplies() const;
    void OnTalkKeyDown();
    void OnTalkKeyUp();
    void StopTalking();
    void OnDestroy();
    void OnRecordPacket(std::vector<uint8_t>* bytes);
    bool PostToWindow(UINT message, WPARAM wParam, LPARAM lParam);
    // Asks for read and close notices of a new control channel's socket, and
    // for read notices of its receiving media channel's socket.
    void WatchChannel();
    void WatchMedia();
    Audio::Channels MediaChannels() const;

    CEngineInstance& m_instance;
    IEngineServices& m_services;
    const CResourceChain& m_resources;
    HWND m_window = nullptr;
    WinsockSocketFactory m_sockets;
    CConfWin32Environment m_environment;
    CConfConnectPlan m_plan;
    ConfChannelLink m_link;
    CWinmmWaveDevices m_devices;
    CMmTimer m_preroll;
    CMmTimer m_playout;
    CMmTimer m_frames;
    Soundcard m_card;
    Win32CodecLibraries m_codecLibraries;
    CodecLibraryTable m_codecTable;
    CodecFactory m_codecs;
    Audio m_audio;
    CEngineSessionOwner m_owner;
    PushToTalkHook m_pushToTalk;
    CConferenceProtocol m_conference;
    std::map<int32_t, std::unique_ptr<ConnectionThread>> m_attempts;
    const ControlChannel* m_watchedChannel = nullptr;
    int m_connectTicks = 0;
    std::unique_ptr<CSessionDialogs> m_dialogs;
    CLevelMeterWnd m_meter;
    // The user of the roster row whose menu gave the last command.
    int32_t m_menuUser = 0;
};
