#include "CSonorelleWnd.h"

#include "ConfStrings.h"
#include "EngineParameterTable.h"
#include "EngineWindows.h"
#include "ResourceChain.h"
#include "SocketMediaChannel.h"
#include "SonorelleIfcTypes.h"
#include "UpdateResult.h"
#include "UpdateService.h"
#include "WinsockNetSocket.h"

#include <oleauto.h>

#include <cstring>
#include <optional>
#include <vector>

namespace {

constexpr char kLibraryRequest[] = "1";

// A codec library that does not load is installed by the update client as a
// library component of the codec's name.
bool FetchCodecComponent(const std::string& codecName)
{
    const int32_t result = UpdateService::InstallComponents({{codecName, std::string(), kLibraryRequest}},
                                                            std::string());
    return result == UpdateResult::kDone || result == UpdateResult::kRestartNeeded;
}

} // namespace

CSonorelleWnd::CSonorelleWnd(CEngineInstance& instance, IEngineServices& services,
                             const CResourceChain& resources)
    : m_instance(instance),
      m_services(services),
      m_resources(resources),
      m_environment(resources),
      m_plan(*this),
      m_link(m_sockets, m_environment, m_plan),
      m_preroll([this] { m_card.OnPrerollTick(); }),
      m_playout([this] { m_audio.OnPlayoutTick(); }),
      m_frames([this] { m_audio.OnFrameTick(); }),
      m_card(m_devices, m_preroll, [&services](int32_t number) { return services.String(number); },
             Soundcard::Waits{}),
      m_codecLibraries(FetchCodecComponent),
      m_codecTable(m_codecLibraries),
      m_codecs(m_codecTable, [](unsigned, const std::string&) {}),
      m_audio(m_card, m_playout, m_frames, [] { return static_cast<uint32_t>(timeGetTime()); },
              [this](const std::string& name) { return m_codecs.Make(name); },
              [this] { return MediaChannels(); },
              [this] { return m_instance.Params().Number(EngineParam::kHandsFree) != 0; },
              [&services](int32_t number) { return services.String(number); },
              [this] { PostToWindow(kRecordFailed, 0, 0); },
              [this](std::vector<uint8_t> bytes) {
                  auto* owned = new std::vector<uint8_t>(std::move(bytes));
                  if (!PostToWindow(kRecordPacket, 0, reinterpret_cast<LPARAM>(owned)))
                      delete owned;
              },
              [this](int32_t playId, int32_t code, int32_t value) {
                  PostToWindow(kPlayStatus, static_cast<WPARAM>(playId), MAKELPARAM(code, value));
              }),
      m_owner(instance, services, *this),
      m_conference(m_owner, m_link, m_audio, m_environment)
{
    m_link.SetProtocol(&m_conference);
}

CSonorelleWnd::~CSonorelleWnd()
{
    m_dialogs.reset();
    if (m_window)
        DestroyWindow(m_window);
}

HWND CSonorelleWnd::Create(HWND parent)
{
    m_window = EngineWindows::CreateEngineWindow(parent, this);
    if (m_window)
        OnCreated();
    return m_window;
}

// The dialogs' templates come from the first resource module that has them.
void CSonorelleWnd::OnCreated()
{
    auto moduleOf = [this](int templateId) -> HINSTANCE {
        const auto found = m_resources.Find(static_cast<UINT>(templateId), RT_DIALOG);
        return found ? static_cast<HINSTANCE>(found->module) : nullptr;
    };
    m_dialogs = std::make_unique<CSessionDialogs>(
        m_instance, m_services, *this, moduleOf, m_window,
        [this](int32_t stringNumber) { m_owner.ShowStatus(stringNumber); });
    const bool horizontal = m_instance.Params().Number(EngineParam::kUiOptions) == kHorizontalMeter;
    m_meter.Create(m_window, kLevelMeterId, horizontal);
    LayOut();
}

// With the roster list hidden the level meter fills the panel, unless the
// panel shows nothing at all.
void CSonorelleWnd::LayOut()
{
    if (!m_meter.Window())
        return;
    RECT client;
    GetClientRect(m_window, &client);
    const bool shown = m_instance.Params().Number(EngineParam::kUiOptions) != kNoPanel;
    ShowWindow(m_meter.Window(), shown ? SW_SHOW : SW_HIDE);
    MoveWindow(m_meter.Window(), 0, 0, client.right, client.bottom, TRUE);
}

void CSonorelleWnd::ShowLevel()
{
    m_meter.SetLevel(m_audio.Level());
}

LRESULT CALLBACK CSonorelleWnd::WindowProc(HWND window, UINT message, WPARAM wParam,
                                           LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<CSonorelleWnd*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!self || self->m_window != window)
        return DefWindowProcA(window, message, wParam, lParam);
    return self->OnMessage(message, wParam, lParam);
}

LRESULT CSonorelleWnd::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case ConnectionThread::kConnected:
        OnAttemptConnected(static_cast<int32_t>(wParam), static_cast<SOCKET>(lParam));
        return 0;
    case ConnectionThread::kConnectFailed:
        OnAttemptFailed(static_cast<int32_t>(wParam));
        return 0;
    case kSocketNotice:
        OnSocketNotice(static_cast<SOCKET>(wParam), lParam);
        return 0;
    case kMediaNotice:
        OnMediaNotice(static_cast<SOCKET>(wParam));
        return 0;
    case kRecordFailed:
        // Told on the window's thread: the timer that found it holds the
        // audio's locks.
        m_owner.ErrorText(WaveRecordStatus::kWriteFailed, std::string(), 0);
        return 0;
    case kRecordPacket:
        OnRecordPacket(reinterpret_cast<std::vector<uint8_t>*>(lParam));
        return 0;
    case kPlayStatus: {
        SonorelleIfcPlayStatusPayload status{static_cast<int32_t>(wParam), LOWORD(lParam),
                                             HIWORD(lParam)};
        m_instance.RaiseEvent(SonorelleIfcEventCode::kPlayStatus, &status);
        return 0;
    }
    case PushToTalkHook::kTalkKeyDown:
        OnTalkKeyDown();
        return 0;
    case PushToTalkHook::kTalkKeyUp:
        OnTalkKeyUp();
        return 0;
    case WM_TIMER:
        OnTimer(wParam);
        return 0;
    case WM_SIZE:
        LayOut();
        return 0;
    case WM_COMMAND:
        OnCommand(LOWORD(wParam));
        return 0;
    case WM_DESTROY:
        OnDestroy();
        return 0;
    default:
        return DefWindowProcA(m_window, message, wParam, lParam);
    }
}

int32_t CSonorelleWnd::StartConnect(int32_t tunnel, const std::string& server, int32_t)
{
    if (!m_window)
        return SonorelleIfcStatus::kSession;
    m_connectTicks = 0;
    SetTimer(m_window, kConnectWaitTimer, kConnectWaitMs, nullptr);
    m_plan.Start(tunnel, server);
    return SonorelleIfcStatus::kDone;
}

void CSonorelleWnd::StopConnectWait()
{
    if (m_window)
        KillTimer(m_window, kConnectWaitTimer);
}

void CSonorelleWnd::StartAttempt(const std::string& server, int32_t port)
{
    if (!m_window || m_attempts.count(port))
        return;
    auto attempt = std::make_unique<ConnectionThread>(server, port, m_window);
    if (!attempt->Start()) {
        PostMessageA(m_window, ConnectionThread::kConnectFailed, static_cast<WPARAM>(port),
                     static_cast<LPARAM>(WSAENOBUFS));
        return;
    }
    m_attempts[port] = std::move(attempt);
}

void CSonorelleWnd::StopAttempt(int32_t port)
{
    const auto found = m_attempts.find(port);
    if (found == m_attempts.end())
        return;
    found->second->Stop();
    m_attempts.erase(found);
}

void CSonorelleWnd::StartTunnelTimer(uint32_t milliseconds)
{
    if (m_window)
        SetTimer(m_window, kTunnelTimer, milliseconds, nullptr);
}

void CSonorelleWnd::KillTunnelTimer()
{
    if (m_window)
        KillTimer(m_window, kTunnelTimer);
}

void CSonorelleWnd::OnAttemptConnected(int32_t port, SOCKET socket)
{
    StopConnectWait();
    SetTimer(m_window, kLevelTimer, kLevelMs, nullptr);
    // A result that comes too late closes its socket with the socket object.
    m_link.OnAttemptConnected(port, std::make_unique<WinsockNetSocket>(socket));
    WatchChannel();
}

void CSonorelleWnd::OnAttemptFailed(int32_t port)
{
    if (m_plan.OnConnectFailed(port))
        m_owner.ConnectFailed();
}

void CSonorelleWnd::OnSocketNotice(SOCKET socket, LPARAM notice)
{
    // Notices of a replaced channel's socket may still be queued: they are
    // not about the channel in use.
    ControlChannel* channel = m_link.Channel();
    const auto* current = channel ? dynamic_cast<WinsockNetSocket*>(channel->Socket()) : nullptr;
    if (!current || current->Handle() != socket)
        return;
    bool open = channel->OnReadable() || channel->LastError() == WSAEWOULDBLOCK;
    if (WSAGETSELECTEVENT(notice) == FD_CLOSE) {
        // Whatever the server sent before closing has been read above.
        while (open && channel == m_link.Channel() && channel->IsOpen())
            open = channel->OnReadable();
        open = false;
    }
    if (!open && channel == m_link.Channel() && m_conference.IsConnected())
        m_conference.EndWithError(m_environment.String(ConfStrings::kServerDisconnected));
    m_link.ReleaseRetired();
    WatchChannel();
    WatchMedia();
}

void CSonorelleWnd::OnMediaNotice(SOCKET socket)
{
    ControlChannel* channel = m_link.Channel();
    auto* media = channel ? dynamic_cast<SocketMediaChannel*>(&channel->ReceiveMedia()) : nullptr;
    auto* current = media ? dynamic_cast<WinsockNetSocket*>(media->Socket()) : nullptr;
    if (current && current->Handle() == socket)
        media->OnReadable();
    WatchMedia();
}

Audio::Channels CSonorelleWnd::MediaChannels() const
{
    ControlChannel* channel = m_link.Channel();
    if (!channel)
        return Audio::Channels();
    return Audio::Channels{&channel->SendMedia(), &channel->ReceiveMedia()};
}

// The receiving media socket changes when the session binds it for a
// channel offer or falls back to a stream.
void CSonorelleWnd::WatchMedia()
{
    ControlChannel* channel = m_link.Channel();
    auto* media = channel ? dynamic_cast<SocketMediaChannel*>(&channel->ReceiveMedia()) : nullptr;
    const INetSocket* socket = media ? media->Socket() : nullptr;
    // Asking again is harmless, and a new socket may sit where the old was.
    if (const auto* winsock = dynamic_cast<const WinsockNetSocket*>(socket))
        WSAAsyncSelect(winsock->Handle(), m_window, kMediaNotice, FD_READ | FD_CLOSE);
}

int32_t CSonorelleWnd::PlayWaveFile(const std::string& file, int32_t playId,
                                    int32_t checkFormat, int32_t repeat, int32_t destination,
                                    int32_t pause)
{
    WavePlayer::Request request;
    request.file = file;
    request.playId = playId;
    request.checkFormat = checkFormat;
    request.repeat = repeat;
    request.destination = destination;
    request.pauseTenths = pause;
    return m_audio.PlayWaveFile(request);
}

namespace {

constexpr int32_t kNoModule = 1413;
constexpr int32_t kBadArray = 1414;

WavePlayer::Request RequestOf(const WavePlayArgs& args)
{
    WavePlayer::Request request;
    request.playId = args.playId;
    request.checkFormat = args.checkFormat;
    request.repeat = args.repeat;
    request.destination = args.destination;
    request.pauseTenths = args.pause;
    return request;
}

std::optional<std::vector<uint8_t>> LoadWaveResource(HMODULE module, const char* name)
{
    HRSRC found = FindResourceA(module, name, "WAVE");
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const auto* bytes = loaded ? static_cast<const uint8_t*>(LockResource(loaded)) : nullptr;
    if (!bytes)
        return std::nullopt;
    return std::vector<uint8_t>(bytes, bytes + SizeofResource(module, found));
}

// The bytes of a one-dimensional array in a VARIANT (by value or by
// reference); nothing when it holds anything else or nothing.
std::optional<std::vector<uint8_t>> ArrayBytes(const VARIANT& variant)
{
    if (V_VT(&variant) == (VT_VARIANT | VT_BYREF))
        return V_VARIANTREF(&variant) ? ArrayBytes(*V_VARIANTREF(&variant)) : std::nullopt;
    SAFEARRAY* array = nullptr;
    if ((V_VT(&variant) & VT_ARRAY) && (V_VT(&variant) & VT_BYREF))
        array = V_ARRAYREF(&variant) ? *V_ARRAYREF(&variant) : nullptr;
    else if (V_VT(&variant) & VT_ARRAY)
        array = V_ARRAY(&variant);
    LONG lower = 0;
    LONG upper = -1;
    if (!array || SafeArrayGetDim(array) != 1 || SafeArrayGetElemsize(array) == 0 ||
        FAILED(SafeArrayGetLBound(array, 1, &lower)) ||
        FAILED(SafeArrayGetUBound(array, 1, &upper)) || upper < lower)
        return std::nullopt;
    const size_t size =
        static_cast<size_t>(upper - lower + 1) * SafeArrayGetElemsize(array);
    void* data = nullptr;
    if (FAILED(SafeArrayAccessData(array, &data)))
        return std::nullopt;
    std::vector<uint8_t> bytes(static_cast<const uint8_t*>(data),
                               static_cast<const uint8_t*>(data) + size);
    SafeArrayUnaccessData(array);
    return bytes;
}

} // namespace

int32_t CSonorelleWnd::PlayWaveResource(void* module, const char* name, const WavePlayArgs& args)
{
    if (!module || !name)
        return kNoModule;
    return m_audio.PlayWaveResource(RequestOf(args),
                                    LoadWaveResource(static_cast<HMODULE>(module), name));
}

int32_t CSonorelleWnd::PlayWaveArray(const SonorelleIfcVariant& array, bool image,
                                     const WavePlayArgs& args)
{
    static_assert(sizeof(VARIANT) == sizeof(SonorelleIfcVariant), "the host's VARIANT");
    VARIANT variant;
    std::memcpy(&variant, array.bytes, sizeof variant);
    std::optional<std::vector<uint8_t>> bytes = ArrayBytes(variant);
    if (!bytes)
        return kBadArray;
    return image ? m_audio.PlayWaveImage(RequestOf(args), *bytes)
                 : m_audio.PlayWaveSamples(RequestOf(args), std::move(*bytes));
}

bool CSonorelleWnd::ClaimPushToTalk(bool keyboardHook)
{
    return m_window && m_pushToTalk.Install(m_window, keyboardHook);
}

void CSonorelleWnd::ReleasePushToTalk()
{
    if (m_window)
        KillTimer(m_window, kTalkReleaseTimer);
    m_pushToTalk.Remove();
}

bool CSonorelleWnd::TalkKeyApplies() const
{
    return m_instance.IsJoined() && !m_instance.Params().Mute();
}

void CSonorelleWnd::OnTalkKeyDown()
{
    if (!TalkKeyApplies())
        return;
    if (!m_conference.IsConnected() || !m_instance.Params().SoundEnabled()) {
        m_owner.ShowStatus(SonorelleIfcString::kMicrophoneOff);
        return;
    }
    KillTimer(m_window, kTalkReleaseTimer);
    if (!m_audio.SetTransmit(true)) {
        m_owner.ErrorText(SonorelleIfcStatus::kTransmitStart, m_audio.ErrorText(), 0);
        return;
    }
    m_owner.ShowStatus(m_card.IsHalfDuplex() ? SonorelleIfcString::kMicrophoneOnSpeakersOff
                                             : SonorelleIfcString::kMicrophoneOn);
}

void CSonorelleWnd::OnTalkKeyUp()
{
    if (!TalkKeyApplies() || !m_conference.IsConnected() ||
        !m_instance.Params().SoundEnabled())
        return;
    SetTimer(m_window, kTalkReleaseTimer, kTalkReleaseMs, nullptr);
    m_owner.ShowStatus(SonorelleIfcString::kMicrophoneOff);
}

void CSonorelleWnd::StopTalking()
{
    KillTimer(m_window, kTalkReleaseTimer);
    if (!m_audio.SetTransmit(false))
        m_owner.ErrorText(SonorelleIfcStatus::kTransmitStop, m_audio.ErrorText(), 0);
}

void CSonorelleWnd::OnTimer(UINT_PTR timer)
{
    if (timer == kLevelTimer) {
        ShowLevel();
        return;
    }
    if (timer == CSessionDialogs::kJoinTimer) {
        KillTimer(m_window, timer);
        m_instance.Join();
        return;
    }
    if (timer == kTalkReleaseTimer) {
        StopTalking();
        return;
    }
    if (timer == kTunnelTimer) {
        KillTunnelTimer();
        m_plan.OnTunnelTimer(m_conference.IsConnected());
        return;
    }
    if (timer != kConnectWaitTimer)
        return;
    if (++m_connectTicks < kConnectWaitTicks) {
        m_owner.ShowStatus(SonorelleIfcString::kConnecting);
        return;
    }
    StopConnectWait();
    m_plan.StopAll();
    m_owner.ConnectFailed();
}

// The host gets the frame as a one-dimensional array of bytes, valid
// during the event.
// Audio notices from the timer thread; none once the window is gone.
bool CSonorelleWnd::PostToWindow(UINT message, WPARAM wParam, LPARAM lParam)
{
    HWND window = m_window;
    return window && PostMessageA(window, message, wParam, lParam);
}

void CSonorelleWnd::OnRecordPacket(std::vector<uint8_t>* bytes)
{
    std::unique_ptr<std::vector<uint8_t>> owned(bytes);
    SAFEARRAY* array = SafeArrayCreateVector(VT_UI1, 0, static_cast<ULONG>(owned->size()));
    void* data = nullptr;
    if (!array || FAILED(SafeArrayAccessData(array, &data))) {
        if (array)
            SafeArrayDestroy(array);
        return;
    }
    std::memcpy(data, owned->data(), owned->size());
    SafeArrayUnaccessData(array);
    m_instance.RaiseEvent(SonorelleIfcEventCode::kRecordPacket, array);
    SafeArrayDestroy(array);
}

void CSonorelleWnd::OnCommand(UINT command)
{
    if (!m_dialogs)
        return;
    switch (command) {
    case kWarnCommand:
        m_dialogs->OpenSendMessage(m_menuUser, true);
        break;
    case kGagCommand:
        m_dialogs->OpenGag(m_menuUser);
        break;
    case kInstantMessageCommand:
        m_dialogs->OpenInstantMessage(m_menuUser);
        break;
    case kNameCommand:
        m_dialogs->OpenNameChange();
        break;
    default:
        break;
    }
}

void CSonorelleWnd::OnDestroy()
{
    m_dialogs.reset();
    KillTimer(m_window, kLevelTimer);
    KillTimer(m_window, CSessionDialogs::kJoinTimer);
    MSG pending;
    while (PeekMessageA(&pending, m_window, kRecordPacket, kRecordPacket, PM_REMOVE))
        delete reinterpret_cast<std::vector<uint8_t>*>(pending.lParam);
    StopConnectWait();
    KillTunnelTimer();
    ReleasePushToTalk();
    const int32_t reason =
        m_instance.IsJoined() ? ConfLeaveReason::kError : ConfLeaveReason::kGivenUp;
    m_conference.Leave(std::string(), reason);
    m_plan.StopAll();
    m_window = nullptr;
}

void CSonorelleWnd::WatchChannel()
{
    ControlChannel* channel = m_link.Channel();
    if (!channel || channel == m_watchedChannel || !channel->IsOpen())
        return;
    m_watchedChannel = channel;
    // Whatever notices are still queued came from the replaced channel's
    // socket, whose handle the new socket may well have taken over.
    MSG stale;
    while (PeekMessageA(&stale, m_window, kSocketNotice, kSocketNotice, PM_REMOVE)) {
    }
    if (auto* socket = dynamic_cast<WinsockNetSocket*>(channel->Socket()))
        WSAAsyncSelect(socket->Handle(), m_window, kSocketNotice, FD_READ | FD_CLOSE);
}
