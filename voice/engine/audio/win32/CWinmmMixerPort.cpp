#include "CWinmmMixerPort.h"

#include <string>
#include <utility>
#include <vector>

namespace {

constexpr DWORD kListClass = 0x70000000;
constexpr DWORD kFirstSingleSelect = 0x70010000;
constexpr DWORD kLastSingleSelect = 0x70010001;
constexpr DWORD kMicrophoneSource = 0x1003;
// Asks the wave mapper which device it uses.
constexpr UINT kMapperPreferredGet = 0x2000 + 21;

int32_t Code(MMRESULT result)
{
    return static_cast<int32_t>(result);
}

} // namespace

CWinmmMixerPort::CWinmmMixerPort(Direction direction, std::function<UINT_PTR()> device)
    : m_direction(direction), m_device(std::move(device))
{
}

CWinmmMixerPort::~CWinmmMixerPort()
{
    Close();
}

bool CWinmmMixerPort::Exists()
{
    return mixerGetNumDevs() > 0;
}

int32_t CWinmmMixerPort::Open(Route route)
{
    Close();
    const bool input = m_direction == Direction::Input;
    if (route == Route::WaveHandle)
        return Code(mixerOpen(&m_mixer, m_device(), 0, 0,
                              input ? MIXER_OBJECTF_HWAVEIN : MIXER_OBJECTF_HWAVEOUT));
    const UINT number = DeviceNumber();
    MMRESULT result =
        mixerOpen(&m_mixer, number, 0, 0, input ? MIXER_OBJECTF_WAVEIN : MIXER_OBJECTF_WAVEOUT);
    if (result == MMSYSERR_NOERROR && HasDestination())
        return 0;
    Close();
    // Some platforms give the wrong mixer for a device number: the mixer of
    // the same name with the device's destination line is the one.
    const std::string name = DeviceName(number);
    for (UINT each = 0; each < mixerGetNumDevs(); ++each) {
        MIXERCAPSA caps{};
        if (mixerGetDevCapsA(each, &caps, sizeof caps) != MMSYSERR_NOERROR || name != caps.szPname ||
            mixerOpen(&m_mixer, each, 0, 0, MIXER_OBJECTF_MIXER) != MMSYSERR_NOERROR)
            continue;
        if (HasDestination())
            return 0;
        Close();
    }
    return result != MMSYSERR_NOERROR ? Code(result) : MIXERR_INVALLINE;
}

// The wave mapper's own device number, else the first device.
UINT CWinmmMixerPort::DeviceNumber()
{
    const UINT_PTR device = m_device();
    if (!device)
        return 0;
    DWORD_PTR mapped = 0;
    DWORD status = 0;
    const auto out = reinterpret_cast<DWORD_PTR>(&mapped);
    const auto flags = reinterpret_cast<DWORD_PTR>(&status);
    const MMRESULT asked =
        m_direction == Direction::Input
            ? waveInMessage(reinterpret_cast<HWAVEIN>(device), kMapperPreferredGet, out, flags)
            : waveOutMessage(reinterpret_cast<HWAVEOUT>(device), kMapperPreferredGet, out, flags);
    return asked == MMSYSERR_NOERROR && mapped != static_cast<DWORD_PTR>(-1) ? static_cast<UINT>(mapped)
                                                                            : 0;
}

std::string CWinmmMixerPort::DeviceName(UINT number)
{
    if (m_direction == Direction::Input) {
        WAVEINCAPSA caps{};
        return waveInGetDevCapsA(number, &caps, sizeof caps) == MMSYSERR_NOERROR ? caps.szPname : "";
    }
    WAVEOUTCAPSA caps{};
    return waveOutGetDevCapsA(number, &caps, sizeof caps) == MMSYSERR_NOERROR ? caps.szPname : "";
}

bool CWinmmMixerPort::HasDestination()
{
    MIXERLINEA line;
    return FindDestination(line) == 0;
}

void CWinmmMixerPort::Close()
{
    if (m_mixer)
        mixerClose(m_mixer);
    m_mixer = nullptr;
}

int32_t CWinmmMixerPort::FindDestination(MIXERLINEA& line)
{
    line = MIXERLINEA{};
    line.cbStruct = sizeof line;
    line.dwComponentType = m_direction == Direction::Input ? MIXERLINE_COMPONENTTYPE_DST_WAVEIN
                                                           : MIXERLINE_COMPONENTTYPE_DST_SPEAKERS;
    return Code(mixerGetLineInfoA(reinterpret_cast<HMIXEROBJ>(m_mixer), &line,
                                  MIXER_OBJECTF_HMIXER | MIXER_GETLINEINFOF_COMPONENTTYPE));
}

int32_t CWinmmMixerPort::FindMicrophone(MIXERLINEA& line)
{
    MIXERLINEA destination;
    const int32_t found = FindDestination(destination);
    if (found != 0)
        return found;
    for (DWORD i = 0; i < destination.cConnections; ++i) {
        line = MIXERLINEA{};
        line.cbStruct = sizeof line;
        line.dwDestination = destination.dwDestination;
        line.dwSource = i;
        if (mixerGetLineInfoA(reinterpret_cast<HMIXEROBJ>(m_mixer), &line,
                              MIXER_OBJECTF_HMIXER | MIXER_GETLINEINFOF_SOURCE) == MMSYSERR_NOERROR &&
            line.dwComponentType == kMicrophoneSource)
            return 0;
    }
    return MIXERR_INVALLINE;
}

int32_t CWinmmMixerPort::FindControl(const MIXERLINEA& line, DWORD type, MIXERCONTROLA& control)
{
    control = MIXERCONTROLA{};
    control.cbStruct = sizeof control;
    MIXERLINECONTROLSA controls{};
    controls.cbStruct = sizeof controls;
    controls.dwLineID = line.dwLineID;
    controls.dwControlType = type;
    controls.cControls = 1;
    controls.cbmxctrl = sizeof control;
    controls.pamxctrl = &control;
    return Code(mixerGetLineControlsA(reinterpret_cast<HMIXEROBJ>(m_mixer), &controls,
                                      MIXER_OBJECTF_HMIXER | MIXER_GETLINECONTROLSF_ONEBYTYPE));
}

// The destination's first control of the list class.
int32_t CWinmmMixerPort::FindSelector(MIXERLINEA& line, MIXERCONTROLA& control)
{
    const int32_t found = FindDestination(line);
    if (found != 0)
        return found;
    if (line.cControls == 0)
        return MIXERR_INVALCONTROL;
    std::vector<MIXERCONTROLA> all(line.cControls);
    MIXERLINECONTROLSA controls{};
    controls.cbStruct = sizeof controls;
    controls.dwLineID = line.dwLineID;
    controls.cControls = line.cControls;
    controls.cbmxctrl = sizeof(MIXERCONTROLA);
    controls.pamxctrl = all.data();
    const MMRESULT listed = mixerGetLineControlsA(reinterpret_cast<HMIXEROBJ>(m_mixer), &controls,
                                                  MIXER_OBJECTF_HMIXER | MIXER_GETLINECONTROLSF_ALL);
    if (listed != MMSYSERR_NOERROR)
        return Code(listed);
    for (const MIXERCONTROLA& each : all)
        if (each.dwControlType >= kListClass) {
            control = each;
            return 0;
        }
    return MIXERR_INVALCONTROL;
}

int32_t CWinmmMixerPort::ReadSelector(MixerSelector& selector)
{
    MIXERLINEA line;
    MIXERCONTROLA control;
    const int32_t found = FindSelector(line, control);
    if (found != 0)
        return found;
    const DWORD items = control.cMultipleItems;
    std::vector<MIXERCONTROLDETAILS_LISTTEXTA> texts(items);
    MIXERCONTROLDETAILS details{};
    details.cbStruct = sizeof details;
    details.dwControlID = control.dwControlID;
    details.cChannels = 1;
    details.cMultipleItems = items;
    details.cbDetails = sizeof(MIXERCONTROLDETAILS_LISTTEXTA);
    details.paDetails = texts.data();
    MMRESULT result = mixerGetControlDetailsA(reinterpret_cast<HMIXEROBJ>(m_mixer), &details,
                                              MIXER_OBJECTF_HMIXER | MIXER_GETCONTROLDETAILSF_LISTTEXT);
    if (result != MMSYSERR_NOERROR)
        return Code(result);
    std::vector<MIXERCONTROLDETAILS_BOOLEAN> values(items);
    details.cbDetails = sizeof(MIXERCONTROLDETAILS_BOOLEAN);
    details.paDetails = values.data();
    result = mixerGetControlDetailsA(reinterpret_cast<HMIXEROBJ>(m_mixer), &details,
                                     MIXER_OBJECTF_HMIXER | MIXER_GETCONTROLDETAILSF_VALUE);
    if (result != MMSYSERR_NOERROR)
        return Code(result);
    selector.singleSelect =
        control.dwControlType >= kFirstSingleSelect && control.dwControlType <= kLastSingleSelect;
    selector.texts.clear();
    selector.selected.clear();
    for (DWORD i = 0; i < items; ++i) {
        selector.texts.emplace_back(texts[i].szName);
        selector.selected.push_back(values[i].fValue != 0);
    }
    return 0;
}

// Every channel gets the item's value.
int32_t CWinmmMixerPort::WriteSelector(const MixerSelector& selector)
{
    MIXERLINEA line;
    MIXERCONTROLA control;
    const int32_t found = FindSelector(line, control);
    if (found != 0)
        return found;
    const DWORD items = control.cMultipleItems;
    const DWORD channels = (control.fdwControl & MIXERCONTROL_CONTROLF_UNIFORM) ? 1 : line.cChannels;
    std::vector<MIXERCONTROLDETAILS_BOOLEAN> values(static_cast<size_t>(items) * channels);
    for (DWORD channel = 0; channel < channels; ++channel)
        for (DWORD i = 0; i < items && i < selector.selected.size(); ++i)
            values[channel * items + i].fValue = selector.selected[i] ? 1 : 0;
    MIXERCONTROLDETAILS details{};
    details.cbStruct = sizeof details;
    details.dwControlID = control.dwControlID;
    details.cChannels = channels;
    details.cMultipleItems = items;
    details.cbDetails = sizeof(MIXERCONTROLDETAILS_BOOLEAN);
    details.paDetails = values.data();
    return Code(mixerSetControlDetails(reinterpret_cast<HMIXEROBJ>(m_mixer), &details,
                                       MIXER_OBJECTF_HMIXER | MIXER_SETCONTROLDETAILSF_VALUE));
}

int32_t CWinmmMixerPort::WriteUniform(const MIXERLINEA& line, const MIXERCONTROLA& control,
                                      DWORD value)
{
    const DWORD channels = (control.fdwControl & MIXERCONTROL_CONTROLF_UNIFORM) ? 1 : line.cChannels;
    std::vector<MIXERCONTROLDETAILS_UNSIGNED> values(channels ? channels : 1);
    for (auto& each : values)
        each.dwValue = value;
    MIXERCONTROLDETAILS details{};
    details.cbStruct = sizeof details;
    details.dwControlID = control.dwControlID;
    details.cChannels = static_cast<DWORD>(values.size());
    details.cbDetails = sizeof(MIXERCONTROLDETAILS_UNSIGNED);
    details.paDetails = values.data();
    return Code(mixerSetControlDetails(reinterpret_cast<HMIXEROBJ>(m_mixer), &details,
                                       MIXER_OBJECTF_HMIXER | MIXER_SETCONTROLDETAILSF_VALUE));
}

int32_t CWinmmMixerPort::SetMicrophoneMute(bool mute)
{
    MIXERLINEA line;
    MIXERCONTROLA control;
    int32_t result = FindMicrophone(line);
    if (result == 0)
        result = FindControl(line, MIXERCONTROL_CONTROLTYPE_MUTE, control);
    return result == 0 ? WriteUniform(line, control, mute ? 1 : 0) : result;
}

int32_t CWinmmMixerPort::MicrophoneVolumeRange(uint32_t& least, uint32_t& most)
{
    MIXERLINEA line;
    MIXERCONTROLA control;
    int32_t result = FindMicrophone(line);
    if (result == 0)
        result = FindControl(line, MIXERCONTROL_CONTROLTYPE_VOLUME, control);
    if (result != 0)
        return result;
    least = control.Bounds.dwMinimum;
    most = control.Bounds.dwMaximum;
    return 0;
}

int32_t CWinmmMixerPort::SetMicrophoneVolume(uint32_t value)
{
    MIXERLINEA line;
    MIXERCONTROLA control;
    int32_t result = FindMicrophone(line);
    if (result == 0)
        result = FindControl(line, MIXERCONTROL_CONTROLTYPE_VOLUME, control);
    return result == 0 ? WriteUniform(line, control, value) : result;
}
