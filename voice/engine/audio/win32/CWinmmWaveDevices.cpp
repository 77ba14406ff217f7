#include "CWinmmWaveDevices.h"

#include <cstdio>

namespace {

constexpr DWORD kSixteenBitFormats = 0x0CCC;
constexpr UINT kEndThread = WM_USER + 1;
constexpr DWORD kThreadStartMs = 2000;

} // namespace

CWinmmWaveDevices::CWinmmWaveDevices()
    : m_inputMixer(CWinmmMixerPort::Direction::Input,
                   [this] { return reinterpret_cast<UINT_PTR>(m_input); }),
      m_outputMixer(CWinmmMixerPort::Direction::Output,
                    [this] { return reinterpret_cast<UINT_PTR>(m_output); })
{
    m_format.wFormatTag = WAVE_FORMAT_PCM;
    m_format.nChannels = 1;
    m_format.nSamplesPerSec = 8000;
    m_format.nAvgBytesPerSec = 16000;
    m_format.nBlockAlign = 2;
    m_format.wBitsPerSample = 16;
    m_format.cbSize = 0;
    m_ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    m_thread = CreateThread(nullptr, 0, EventThread, this, 0, &m_threadId);
    if (m_thread)
        WaitForSingleObject(m_ready, kThreadStartMs);
    CloseHandle(m_ready);
    m_ready = nullptr;
}

CWinmmWaveDevices::~CWinmmWaveDevices()
{
    CloseInput();
    CloseOutput();
    if (m_thread) {
        PostThreadMessageA(m_threadId, kEndThread, 0, 0);
        WaitForSingleObject(m_thread, INFINITE);
        CloseHandle(m_thread);
    }
}

DWORD WINAPI CWinmmWaveDevices::EventThread(void* self)
{
    static_cast<CWinmmWaveDevices*>(self)->RunEvents();
    return 0;
}

void CWinmmWaveDevices::RunEvents()
{
    MSG message;
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE); // the queue exists from here
    SetEvent(m_ready);
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (message.message == kEndThread)
            break;
        auto* header = reinterpret_cast<WAVEHDR*>(message.lParam);
        if (message.message == MM_WOM_DONE)
            OnOutputDone(reinterpret_cast<HWAVEOUT>(message.wParam), header);
        else if (message.message == MM_WIM_DATA)
            OnInputDone(reinterpret_cast<HWAVEIN>(message.wParam), header);
    }
}

bool CWinmmWaveDevices::HasSixteenBitInput()
{
    for (UINT device = waveInGetNumDevs(); device-- > 0;) {
        WAVEINCAPSA caps{};
        if (waveInGetDevCapsA(device, &caps, sizeof caps) == MMSYSERR_NOERROR &&
            (caps.dwFormats & kSixteenBitFormats))
            return true;
    }
    return false;
}

std::string CWinmmWaveDevices::OutputDeviceText()
{
    WAVEOUTCAPSA caps{};
    if (waveOutGetNumDevs() == 0 || waveOutGetDevCapsA(0, &caps, sizeof caps) != MMSYSERR_NOERROR)
        return std::string();
    char text[128];
    std::snprintf(text, sizeof text, "%s:%d,%d", caps.szPname, caps.wMid, caps.wPid);
    return text;
}

std::string CWinmmWaveDevices::OutputDriverVersion()
{
    WAVEOUTCAPSA caps{};
    if (waveOutGetDevCapsA(0, &caps, sizeof caps) != MMSYSERR_NOERROR)
        return "0.0";
    char text[16];
    std::snprintf(text, sizeof text, "%d.%d", HIBYTE(caps.vDriverVersion),
                  LOBYTE(caps.vDriverVersion));
    return text;
}

int32_t CWinmmWaveDevices::OpenOutput()
{
    if (m_output)
        CloseOutput();
    return static_cast<int32_t>(
        waveOutOpen(&m_output, WAVE_MAPPER, &m_format, m_threadId, 0, CALLBACK_THREAD));
}

int32_t CWinmmWaveDevices::CloseOutput()
{
    if (!m_output)
        return 0;
    const MMRESULT result = waveOutClose(m_output);
    if (result == MMSYSERR_NOERROR)
        m_output = nullptr;
    return static_cast<int32_t>(result);
}

int32_t CWinmmWaveDevices::OpenInput()
{
    if (m_input)
        CloseInput();
    return static_cast<int32_t>(
        waveInOpen(&m_input, WAVE_MAPPER, &m_format, m_threadId, 0, CALLBACK_THREAD));
}

int32_t CWinmmWaveDevices::CloseInput()
{
    if (!m_input)
        return 0;
    const MMRESULT result = waveInClose(m_input);
    if (result == MMSYSERR_NOERROR)
        m_input = nullptr;
    return static_cast<int32_t>(result);
}

int32_t CWinmmWaveDevices::Pause()
{
    return m_output ? static_cast<int32_t>(waveOutPause(m_output)) : MMSYSERR_INVALHANDLE;
}

int32_t CWinmmWaveDevices::Restart()
{
    return m_output ? static_cast<int32_t>(waveOutRestart(m_output)) : MMSYSERR_INVALHANDLE;
}

int32_t CWinmmWaveDevices::ResetOutput()
{
    return m_output ? static_cast<int32_t>(waveOutReset(m_output)) : 0;
}

WAVEHDR* CWinmmWaveDevices::HeaderFor(WaveBuffer* buffer)
{
    std::lock_guard<std::mutex> hold(m_headersLock);
    auto& header = m_headers[buffer];
    if (!header)
        header = std::make_unique<WAVEHDR>();
    *header = WAVEHDR{};
    header->lpData = reinterpret_cast<LPSTR>(buffer->Samples());
    header->dwBufferLength = static_cast<DWORD>(buffer->Length());
    header->dwUser = reinterpret_cast<DWORD_PTR>(buffer);
    return header.get();
}

int32_t CWinmmWaveDevices::Write(WaveBuffer* buffer)
{
    if (!m_output)
        return MMSYSERR_INVALHANDLE;
    WAVEHDR* header = HeaderFor(buffer);
    MMRESULT result = waveOutPrepareHeader(m_output, header, sizeof *header);
    if (result == MMSYSERR_NOERROR)
        result = waveOutWrite(m_output, header, sizeof *header);
    return static_cast<int32_t>(result);
}

int32_t CWinmmWaveDevices::StartInput()
{
    return m_input ? static_cast<int32_t>(waveInStart(m_input)) : MMSYSERR_INVALHANDLE;
}

int32_t CWinmmWaveDevices::ResetInput()
{
    return m_input ? static_cast<int32_t>(waveInReset(m_input)) : 0;
}

int32_t CWinmmWaveDevices::AddInputBuffer(WaveBuffer* buffer)
{
    if (!m_input)
        return MMSYSERR_INVALHANDLE;
    WAVEHDR* header = HeaderFor(buffer);
    MMRESULT result = waveInPrepareHeader(m_input, header, sizeof *header);
    if (result == MMSYSERR_NOERROR)
        result = waveInAddBuffer(m_input, header, sizeof *header);
    return static_cast<int32_t>(result);
}

// The header is done with before the sound card hears of its buffer, which
// it may delete or queue again at once.
WaveBuffer* CWinmmWaveDevices::ForgetHeader(WAVEHDR* header)
{
    auto* buffer = reinterpret_cast<WaveBuffer*>(header->dwUser);
    std::lock_guard<std::mutex> hold(m_headersLock);
    const auto found = m_headers.find(buffer);
    if (found == m_headers.end() || found->second.get() != header)
        return nullptr;
    m_headers.erase(found);
    return buffer;
}

void CWinmmWaveDevices::OnOutputDone(HWAVEOUT device, WAVEHDR* header)
{
    waveOutUnprepareHeader(device, header, sizeof *header);
    WaveBuffer* buffer = ForgetHeader(header);
    if (buffer && m_notices)
        m_notices->OnPlayed(buffer);
}

void CWinmmWaveDevices::OnInputDone(HWAVEIN device, WAVEHDR* header)
{
    waveInUnprepareHeader(device, header, sizeof *header);
    WaveBuffer* buffer = ForgetHeader(header);
    if (buffer && m_notices)
        m_notices->OnCaptured(buffer);
}
