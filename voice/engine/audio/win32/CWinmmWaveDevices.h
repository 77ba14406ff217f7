// The wave devices of the platform's multimedia API: the wave mapper for
// output and input in 16-bit mono at 8000 Hz, with an event thread of their
// own that receives the devices' notices and hands finished buffers to the
// sound card, and the mixers of the two devices.
#pragma once

#include "CWinmmMixerPort.h"
#include "IWaveDevices.h"

#include <windows.h>
#include <mmsystem.h>

#include <map>
#include <memory>
#include <mutex>

class CWinmmWaveDevices : public IWaveDevices
{
public:
    CWinmmWaveDevices();
    ~CWinmmWaveDevices() override;
    CWinmmWaveDevices(const CWinmmWaveDevices&) = delete;
    CWinmmWaveDevices& operator=(const CWinmmWaveDevices&) = delete;

    bool HasSixteenBitInput() override;
    std::string OutputDeviceText() override;
    std::string OutputDriverVersion() override;
    void SetNotices(ISoundcardNotices* notices) override { m_notices = notices; }

    int32_t OpenOutput() override;
    int32_t CloseOutput() override;
    int32_t OpenInput() override;
    int32_t CloseInput() override;
    int32_t Pause() override;
    int32_t Restart() override;
    int32_t ResetOutput() override;
    int32_t Write(WaveBuffer* buffer) override;
    int32_t StartInput() override;
    int32_t ResetInput() override;
    int32_t AddInputBuffer(WaveBuffer* buffer) override;
    IMixerPort& InputMixer() override { return m_inputMixer; }
    IMixerPort& OutputMixer() override { return m_outputMixer; }

private:
    static DWORD WINAPI EventThread(void* self);
    void RunEvents();
    WAVEHDR* HeaderFor(WaveBuffer* buffer);
    WaveBuffer* ForgetHeader(WAVEHDR* header);
    void OnOutputDone(HWAVEOUT device, WAVEHDR* header);
    void OnInputDone(HWAVEIN device, WAVEHDR* header);

    WAVEFORMATEX m_format{};
    HWAVEOUT m_output = nullptr;
    HWAVEIN m_input = nullptr;
    HANDLE m_ready = nullptr;
    HANDLE m_thread = nullptr;
    DWORD m_threadId = 0;
    ISoundcardNotices* m_notices = nullptr;
    std::mutex m_headersLock;
    std::map<WaveBuffer*, std::unique_ptr<WAVEHDR>> m_headers;
    CWinmmMixerPort m_inputMixer;
    CWinmmMixerPort m_outputMixer;
};
