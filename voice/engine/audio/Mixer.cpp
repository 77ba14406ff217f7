#include "Mixer.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace {

constexpr int32_t kFullGain = 100;

bool NamesMicrophone(const std::string& text)
{
    return text.size() >= 3 && std::tolower(static_cast<unsigned char>(text[0])) == 'm' &&
           std::tolower(static_cast<unsigned char>(text[1])) == 'i' &&
           std::tolower(static_cast<unsigned char>(text[2])) == 'c';
}

} // namespace

Mixer::Mixer(IMixerPort& port) : m_port(port) {}

bool Mixer::Failed(int32_t result)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%x", static_cast<unsigned>(result));
    m_error = text;
    if (m_log)
        m_log(m_error);
    return false;
}

bool Mixer::Tolerated(int32_t result)
{
    return result == MixerResult::kDone || result == MixerResult::kInvalidLine ||
           result == MixerResult::kInvalidControl;
}

// Some platforms refuse a mixer on a wave handle but give the same mixer by
// the device's number; with neither, the card works without a mixer.
bool Mixer::Open(bool microphone)
{
    if (m_open || m_absent)
        return true;
    if (!m_port.Exists()) {
        m_absent = true;
        return true;
    }
    for (IMixerPort::Route route : {IMixerPort::Route::WaveHandle, IMixerPort::Route::DeviceNumber}) {
        const int32_t result = m_port.Open(route);
        if (result == MixerResult::kDone) {
            m_open = true;
            m_route = route;
            break;
        }
        Failed(result);
    }
    if (!m_open) {
        m_absent = true;
        return true;
    }
    if (microphone && !m_inputSetUp) {
        m_inputSetUp = true;
        return SetUpMicrophone();
    }
    return true;
}

void Mixer::Close()
{
    if (!m_open)
        return;
    m_port.Close();
    m_open = false;
}

bool Mixer::SetUpMicrophone()
{
    if (!SelectMicrophone())
        return false;
    const int32_t unmuted = m_port.SetMicrophoneMute(false);
    if (!Tolerated(unmuted))
        return Failed(unmuted);
    return SetMicrophoneGain(kFullGain);
}

// The item named "Mic..." becomes the recorded line; a selector without one,
// or with two, is left alone.
bool Mixer::SelectMicrophone()
{
    MixerSelector selector;
    const int32_t read = m_port.ReadSelector(selector);
    if (read == MixerResult::kInvalidLine || read == MixerResult::kInvalidControl)
        return true;
    if (read != MixerResult::kDone)
        return Failed(read);
    size_t microphone = selector.texts.size();
    for (size_t i = 0; i < selector.texts.size(); ++i) {
        if (!NamesMicrophone(selector.texts[i]))
            continue;
        if (microphone != selector.texts.size())
            return true;
        microphone = i;
    }
    if (microphone == selector.texts.size())
        return true;
    selector.selected.resize(selector.texts.size(), false);
    if (selector.singleSelect)
        selector.selected.assign(selector.texts.size(), false);
    selector.selected[microphone] = true;
    const int32_t written = m_port.WriteSelector(selector);
    return written == MixerResult::kDone || Failed(written);
}

bool Mixer::SetMicrophoneGain(int32_t percent)
{
    if (m_absent || !m_open)
        return true;
    uint32_t least = 0;
    uint32_t most = 0;
    const int32_t range = m_port.MicrophoneVolumeRange(least, most);
    if (range != MixerResult::kDone) // a microphone without a volume control: nothing to set
        return Tolerated(range) || Failed(range);
    const uint64_t span = most > least ? most - least : 0;
    const auto share = static_cast<uint64_t>(std::clamp(percent, 0, kFullGain));
    const auto value = static_cast<uint32_t>(share * span / kFullGain + least);
    const int32_t written = m_port.SetMicrophoneVolume(value);
    return written == MixerResult::kDone || Failed(written);
}
