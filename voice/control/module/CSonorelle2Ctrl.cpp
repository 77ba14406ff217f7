#include "CSonorelle2Ctrl.h"

#include "EngineEventPayload.h"
#include "OleText.h"
#include "SonorelleControlClasses.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

enum Id : DISPID
{
    kVersion = 1,
    kSetUIOption,
    kGetUIOption,
    kSetSDKProperty,
    kGetSDKProperty,
    kJoin,
    kDisconnect,
    kGetSpeakers,
    kGetLevel,
    kSendInvite,
    kInviteReply,
    kIgnore,
    kTextMessage,
    kAppMessage,
    kAppBroadcast,
    kGagUser,
    kWarnUser,
    kKickUser,
    kStartRecord,
    kStopRecord,
    kPlayWaveFile,
    kStopWavePlay,
    kPlayWaveResource,
    kPlayWavePacket,
    kPlayWaveBuffer,
    kRegisterForRecordPacket,
    kInitialize,
    kKickUserWithReason,
    kSendTone
};

constexpr int32_t kFirstInstanceNumber = 512;
constexpr int32_t kInstanceNumbers = 512;
constexpr int32_t kOptionsLocked = 1307;
constexpr int32_t kInvalidInstanceId = 1412;
constexpr char kInstanceIdName[] = "InstanceId";

// Engine event code -> event id; 0 fires nothing.
DISPID EventOfCode(int32_t code)
{
    static const DISPID events[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 0, 13, 0, 14, 15, 16, 12, 18, 17};
    if (code < 0 || code >= static_cast<int32_t>(sizeof events / sizeof events[0]))
        return 0;
    return events[code];
}

const std::vector<SonorelleProperty>& NoProperties()
{
    static const std::vector<SonorelleProperty> none;
    return none;
}

int32_t NextInstanceNumber()
{
    static int32_t constructed = 0;
    return kFirstInstanceNumber + (constructed++ % kInstanceNumbers);
}

HRESULT LongResult(VARIANT& result, int32_t value)
{
    result.vt = VT_I4;
    result.lVal = value;
    return S_OK;
}

HRESULT TextResult(VARIANT& result, BSTR value)
{
    result.vt = VT_BSTR;
    result.bstrVal = value;
    return S_OK;
}

std::string TextArgument(const VARIANT& argument)
{
    return TextOfBstr(argument.bstrVal);
}

// The engine takes the caller's VARIANT as the platform lays it out.
SonorelleIfcVariant VariantBytes(const VARIANT& argument)
{
    static_assert(sizeof(SonorelleIfcVariant) == sizeof(VARIANT), "VARIANT layout");
    SonorelleIfcVariant bytes;
    std::memcpy(bytes.bytes, &argument, sizeof(VARIANT));
    return bytes;
}

} // namespace

CSonorelle2Ctrl::CSonorelle2Ctrl()
    : CSonorelleControl(kSonorelle2Class, NoProperties(), {})
    , m_instanceNumber(NextInstanceNumber())
{ }

HRESULT CSonorelle2Ctrl::GetProperty(DISPID id, VARIANT& value)
{
    if (id != kVersion)
        return DISP_E_MEMBERNOTFOUND;
    return TextResult(value, m_engine.GetVersion());
}

void CSonorelle2Ctrl::CreateEngineInstance()
{
    m_engine.CreateInstance(2, true, GetContainerUrl());
    m_engine.SetParamByName("AutoJoin", "false");
    m_engine.SetParamByName("SDKmode", "true");
    m_engine.SetUIOption("UIOptions", "1");
    m_callback = SonorelleIfcCallback {1, this, OnEngineEvent};
    m_engine.SetSdkCallback(&m_callback);
}

int32_t CSonorelle2Ctrl::Initialize()
{
    if (m_initialized || !GetSafeHwnd())
        return 0;
    m_engine.OnCreateWindow();
    RECT area {};
    ::GetWindowRect(GetSafeHwnd(), &area);
    m_engine.MoveWindow(area.right - area.left, area.bottom - area.top);
    m_initialized = true;
    return 0;
}

int32_t CSonorelle2Ctrl::SetSDKProperty(const std::string& name, const std::string& value)
{
    if (::_stricmp(name.c_str(), kInstanceIdName) != 0)
        return m_engine.SetSDKProperty(name, value);
    const int32_t number = static_cast<int32_t>(std::strtol(value.c_str(), nullptr, 10));
    if (number == 0)
        return kInvalidInstanceId;
    m_instanceNumber = number;
    return 0;
}

BSTR CSonorelle2Ctrl::GetSDKProperty(const std::string& name)
{
    if (::_stricmp(name.c_str(), kInstanceIdName) != 0)
        return m_engine.GetSDKProperty(name);
    char text[16];
    std::snprintf(text, sizeof text, "%d", m_instanceNumber);
    return AllocSysString(text);
}

HRESULT CSonorelle2Ctrl::CallMethod(DISPID id, VARIANT* a, VARIANT& result)
{
    switch (id) {
    case kSetUIOption:
        return LongResult(result,
            m_initialized ? kOptionsLocked : m_engine.SetUIOption(TextArgument(a[0]), TextArgument(a[1])));
    case kGetUIOption:
        return TextResult(result, m_engine.GetUIOption(TextArgument(a[0])));
    case kSetSDKProperty:
        return LongResult(result, SetSDKProperty(TextArgument(a[0]), TextArgument(a[1])));
    case kGetSDKProperty:
        return TextResult(result, GetSDKProperty(TextArgument(a[0])));
    case kJoin:
        return LongResult(result,
            m_engine.Join(TextArgument(a[0]), TextArgument(a[1]), TextArgument(a[2]), TextArgument(a[3]),
                TextArgument(a[4])));
    case kDisconnect:
        return LongResult(result, m_engine.Disconnect());
    case kGetSpeakers:
        return TextResult(result, m_engine.GetSpeakers());
    case kGetLevel:
        return LongResult(result, m_engine.GetLevel());
    case kSendInvite:
        return LongResult(result, m_engine.SendInvite(a[0].lVal));
    case kInviteReply:
        return LongResult(result, m_engine.InviteReply(a[0].lVal, a[1].boolVal ? TRUE : FALSE));
    case kIgnore:
        return LongResult(result, m_engine.Ignore(a[0].lVal, a[1].lVal));
    case kTextMessage:
        return LongResult(result, m_engine.TextMessage(a[0].lVal, TextArgument(a[1])));
    case kAppMessage:
        return LongResult(result, m_engine.AppMessage(a[0].lVal, TextArgument(a[1])));
    case kAppBroadcast:
        return LongResult(result, m_engine.AppBroadcast(TextArgument(a[0])));
    case kGagUser:
        return LongResult(result, m_engine.GagUser(a[0].lVal, a[1].lVal, a[2].lVal));
    case kWarnUser:
        return LongResult(result, m_engine.WarnUser(a[0].lVal, TextArgument(a[1])));
    case kKickUser:
        return LongResult(result, m_engine.KickUser(a[0].lVal));
    case kInitialize:
        return LongResult(result, Initialize());
    case kKickUserWithReason:
        return LongResult(result, m_engine.KickUserWithReason(a[0].lVal, TextArgument(a[1])));
    case kSendTone:
        return LongResult(result, m_engine.SendTone(TextArgument(a[0])));
    default:
        return CallWaveMethod(id, a, result);
    }
}

HRESULT CSonorelle2Ctrl::CallWaveMethod(DISPID id, VARIANT* a, VARIANT& result)
{
    switch (id) {
    case kStartRecord: {
        const std::string file = TextArgument(a[0]);
        SonorelleIfcRecordArgs record {file.c_str(), a[1].lVal, a[2].lVal};
        return LongResult(result, m_engine.WaveOperation(0, &record));
    }
    case kStopRecord:
        return LongResult(result, m_engine.WaveOperation(1, nullptr));
    case kPlayWaveFile: {
        const std::string file = TextArgument(a[0]);
        SonorelleIfcPlayFileArgs play {file.c_str(), a[1].lVal, a[2].lVal, a[3].lVal, a[4].lVal, a[5].lVal};
        return LongResult(result, m_engine.WaveOperation(2, &play));
    }
    case kStopWavePlay: {
        SonorelleIfcLongArg flush {a[0].boolVal ? TRUE : FALSE};
        return LongResult(result, m_engine.WaveOperation(3, &flush));
    }
    case kRegisterForRecordPacket: {
        SonorelleIfcRecordPacketArgs record {a[0].boolVal ? TRUE : FALSE, a[1].lVal, a[2].lVal};
        return LongResult(result, m_engine.WaveOperation(4, &record));
    }
    case kPlayWaveResource: {
        // The caller names the module by its handle and the resource by number.
        SonorelleIfcPlayResourceArgs play {
            reinterpret_cast<void*>(static_cast<intptr_t>(a[0].lVal)),
            MAKEINTRESOURCEA(static_cast<WORD>(a[1].lVal)), a[2].lVal, a[3].lVal, a[4].lVal,
            a[5].lVal, a[6].lVal};
        return LongResult(result, m_engine.WaveOperation(5, &play));
    }
    case kPlayWavePacket: {
        SonorelleIfcPlayPacketArgs play {VariantBytes(a[0]), a[1].lVal, a[2].lVal, a[3].lVal};
        return LongResult(result, m_engine.WaveOperation(6, &play));
    }
    case kPlayWaveBuffer: {
        SonorelleIfcPlayBufferArgs play {VariantBytes(a[0]), a[1].lVal, a[2].lVal, a[3].lVal, a[4].lVal,
                                         a[5].lVal};
        return LongResult(result, m_engine.WaveOperation(7, &play));
    }
    default:
        return DISP_E_MEMBERNOTFOUND;
    }
}

void CSonorelle2Ctrl::OnEngineEvent(SonorelleIfcEvent* event)
{
    if (!event || !event->context)
        return;
    auto* control = static_cast<CSonorelle2Ctrl*>(event->context);
    // The record goes to the window's own thread; the engine waits for it.
    if (control->GetSafeHwnd())
        ::SendMessageW(control->GetSafeHwnd(), kEngineEventMessage, reinterpret_cast<WPARAM>(event),
            reinterpret_cast<LPARAM>(event));
}

LRESULT CSonorelle2Ctrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != kEngineEventMessage)
        return CSonorelleControl::WindowProc(message, wParam, lParam);
    if (const auto* event = reinterpret_cast<const SonorelleIfcEvent*>(lParam))
        FireEngineEvent(*event);
    return 0;
}

void CSonorelle2Ctrl::FireEngineEvent(const SonorelleIfcEvent& event)
{
    const DISPID id = EventOfCode(event.code);
    if (id == 0)
        return;
    CEventArguments arguments;
    arguments.Long(m_instanceNumber);
    if (AddEventPayload(event.code, event.payload, arguments))
        FireEvent(id, arguments.Values());
}
