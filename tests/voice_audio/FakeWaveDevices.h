// Wave devices for the sound card's tests: every call is recorded, results
// are scripted per call, buffers stay with the "device" until the test plays
// or captures them, and a reset hands them back unless the device is told to
// keep them (a device that times out).
#pragma once

#include "FakeMixerPort.h"
#include "IWaveDevices.h"

#include <deque>
#include <map>
#include <string>
#include <vector>

class FakeWaveDevices : public IWaveDevices
{
public:
    bool HasSixteenBitInput() override { return sixteenBit; }
    std::string OutputDeviceText() override { return deviceText; }
    std::string OutputDriverVersion() override { return "5.10"; }
    void SetNotices(ISoundcardNotices* target) override { notices = target; }

    int32_t OpenOutput() override { return Call("OpenOutput"); }
    int32_t CloseOutput() override { return Call("CloseOutput"); }
    int32_t OpenInput() override { return Call("OpenInput"); }
    int32_t CloseInput() override { return Call("CloseInput"); }
    int32_t Pause() override { return Call("Pause"); }
    int32_t Restart() override { return Call("Restart"); }
    int32_t ResetOutput() override
    {
        const int32_t result = Call("ResetOutput");
        if (returnOnReset)
            while (!written.empty())
                PlayNext();
        return result;
    }
    int32_t Write(WaveBuffer* buffer) override
    {
        const int32_t result = Call("Write");
        if (result == WaveResult::kDone)
            written.push_back(buffer);
        return result;
    }
    int32_t StartInput() override { return Call("StartInput"); }
    int32_t ResetInput() override
    {
        const int32_t result = Call("ResetInput");
        if (returnOnReset)
            while (!inputs.empty())
                CaptureNext(0);
        return result;
    }
    int32_t AddInputBuffer(WaveBuffer* buffer) override
    {
        const int32_t result = Call("AddInputBuffer");
        if (result == WaveResult::kDone)
            inputs.push_back(buffer);
        return result;
    }
    IMixerPort& InputMixer() override { return inputMixer; }
    IMixerPort& OutputMixer() override { return outputMixer; }

    // The device finished playing its oldest buffer.
    void PlayNext()
    {
        WaveBuffer* buffer = written.front();
        written.pop_front();
        notices->OnPlayed(buffer);
    }
    // The device filled its oldest capture buffer with a square wave.
    void CaptureNext(int16_t amplitude)
    {
        WaveBuffer* buffer = inputs.front();
        inputs.pop_front();
        for (size_t i = 0; i < buffer->SampleCount(); ++i)
            buffer->Samples()[i] = static_cast<int16_t>((i / 4) % 2 ? amplitude : -amplitude);
        notices->OnCaptured(buffer);
    }
    // The calls since the last look, without the buffer traffic.
    std::vector<std::string> TakeCalls()
    {
        std::vector<std::string> taken;
        for (const std::string& call : calls)
            if (call != "Write" && call != "AddInputBuffer")
                taken.push_back(call);
        calls.clear();
        return taken;
    }

    bool sixteenBit = true;
    bool returnOnReset = true;
    std::string deviceText = "Speakers:1,2";
    std::map<std::string, std::deque<int32_t>> results; // scripted, used once each
    std::vector<std::string> calls;
    std::deque<WaveBuffer*> written;
    std::deque<WaveBuffer*> inputs;
    ISoundcardNotices* notices = nullptr;
    FakeMixerPort inputMixer;
    FakeMixerPort outputMixer;

private:
    int32_t Call(const std::string& name)
    {
        calls.push_back(name);
        auto& scripted = results[name];
        if (scripted.empty())
            return WaveResult::kDone;
        const int32_t result = scripted.front();
        scripted.pop_front();
        return result;
    }
};

class FakeTimer : public IAudioTimer
{
public:
    void Start(uint32_t milliseconds) override { started.push_back(milliseconds); }
    void Cancel() override { ++cancels; }

    std::vector<uint32_t> started;
    int cancels = 0;
};

class RecordingListener : public ICaptureListener
{
public:
    void OnCapture(WaveBuffer& buffer) override { levels.push_back(buffer.Level()); }

    std::vector<int32_t> levels;
};
