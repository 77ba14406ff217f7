#include "CSonorelleCtrl.h"

#include "EngineEventPayload.h"
#include "OleText.h"
#include "SonorelleControlClasses.h"

namespace {

enum Id : DISPID
{
    kConfName = 1,
    kServerAddress,
    kUsername,
    kAutoJoin,
    kAccount,
    kStitchUrl,
    kEnableBreakout,
    kHost,
    kIcon,
    kShowConf,
    kCustomBrand,
    kAccountKey,
    kContainerApp,
    kContainerAppVersion,
    kUserLocale,
    kVersion,
    kSdkMode,
    kConfClone,
    kJoin,
    kSdkJoin,
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
    kDisconnect
};

constexpr int32_t kGagFlag = 0x8001;
constexpr int32_t kEventAppBroadcast = 14;

const std::vector<SonorelleProperty>& Properties()
{
    static const std::vector<SonorelleProperty> properties {
        {VT_BSTR, 0, L"ConfName", "", 0},
        {VT_BSTR, 1, L"ServerAddress", "", 0},
        {VT_BSTR, 2, L"Username", "", 0},
        {VT_BOOL, 3, L"AutoJoin", nullptr, FALSE},
        {VT_BSTR, 4, L"Account", "", 0},
        {VT_BSTR, 5, L"StitchUrl", kVoiceServiceAddress, 0},
        {VT_BOOL, 6, L"EnableBreakout", nullptr, FALSE},
        {VT_BOOL, 7, L"Host", nullptr, FALSE},
        {VT_I4, 8, L"UserIcon", nullptr, 0},
        {VT_BOOL, 9, L"ShowConf", nullptr, FALSE},
        {VT_BSTR, 10, L"CustomBrand", "", 0},
        {VT_BSTR, 11, nullptr, "", 0},
        {VT_BSTR, 12, L"ContainerApp", "", 0},
        {VT_BSTR, 13, L"ContainerAppVersion", "", 0},
        {VT_BSTR, 14, L"UserLocale", "", 0},
        {VT_BSTR, -1, nullptr, "", 0},
        {VT_BOOL, 15, L"SDKmode", nullptr, FALSE},
        {VT_I4, -1, nullptr, nullptr, 0},
    };
    return properties;
}

const std::vector<DISPID> kStoredOrder {kAutoJoin, kConfName, kServerAddress, kUsername, kAccount, kStitchUrl,
    kEnableBreakout, kHost, kIcon, kShowConf, kCustomBrand, kContainerApp, kContainerAppVersion, kUserLocale,
    kSdkMode};
// Pushed when the engine instance is made: texts, then numbers.
const DISPID kCreationPushes[] = {kConfName, kServerAddress, kUsername, kAccount, kStitchUrl, kContainerApp,
    kContainerAppVersion, kAutoJoin, kEnableBreakout, kHost, kIcon, kShowConf, kSdkMode};

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

} // namespace

CSonorelleCtrl::CSonorelleCtrl()
    : CSonorelleControl(kSonorelleClass, Properties(), kStoredOrder)
{ }

HRESULT CSonorelleCtrl::GetProperty(DISPID id, VARIANT& value)
{
    switch (id) {
    case kAccountKey:
        return TextResult(value, ::SysAllocString(L""));
    case kVersion:
        return TextResult(value, m_engine.GetVersion());
    case kConfClone:
        return LongResult(value, m_engine.GetConfClone());
    default:
        return CSonorelleControl::GetProperty(id, value);
    }
}

HRESULT CSonorelleCtrl::SetProperty(DISPID id, const VARIANT& value)
{
    switch (id) {
    case kAccountKey:
        // The key goes to the engine and is never kept nor stored.
        if (GetSafeHwnd())
            m_engine.SetStringProperty(11, TextOfBstr(value.bstrVal));
        return S_OK;
    case kConfClone:
        return S_OK;
    default:
        return CSonorelleControl::SetProperty(id, value);
    }
}

HRESULT CSonorelleCtrl::CallMethod(DISPID id, VARIANT* arguments, VARIANT& result)
{
    switch (id) {
    case kJoin:
        m_engine.SDKJoin();
        return S_OK;
    case kSdkJoin:
        return LongResult(result, m_engine.SDKJoin());
    case kGetSpeakers:
        return TextResult(result, m_engine.GetSpeakers());
    case kGetLevel:
        return LongResult(result, m_engine.GetLevel());
    case kSendInvite:
        return LongResult(result, m_engine.SendInvite(arguments[0].lVal));
    case kInviteReply:
        return LongResult(
            result, m_engine.InviteReply(arguments[0].lVal, arguments[1].boolVal ? TRUE : FALSE));
    case kIgnore:
        return LongResult(result, m_engine.Ignore(arguments[0].lVal, arguments[1].boolVal ? 1 : 0));
    case kTextMessage:
        return LongResult(result, m_engine.TextMessage(arguments[0].lVal, TextArgument(arguments[1])));
    case kAppMessage:
        return LongResult(result, m_engine.AppMessage(arguments[0].lVal, TextArgument(arguments[1])));
    case kAppBroadcast:
        return LongResult(result, m_engine.AppBroadcast(TextArgument(arguments[0])));
    case kGagUser:
        return LongResult(result,
            m_engine.GagUser(arguments[0].lVal, arguments[1].boolVal ? kGagFlag : 0, arguments[2].lVal));
    case kWarnUser:
        return LongResult(result, m_engine.WarnUser(arguments[0].lVal, TextArgument(arguments[1])));
    case kKickUser:
        return LongResult(result, m_engine.KickUser(arguments[0].lVal));
    case kDisconnect:
        return LongResult(result, m_engine.Disconnect());
    default:
        return DISP_E_MEMBERNOTFOUND;
    }
}

const char* CSonorelleCtrl::UpdateBrand() const
{
    return Text(kCustomBrand).c_str();
}

void CSonorelleCtrl::CreateEngineInstance()
{
    m_engine.SetCustomBrandingDll(Text(kCustomBrand));
    m_engine.CreateInstance(1, false, GetContainerUrl());
    for (DISPID id : kCreationPushes)
        PushProperty(id);
    m_callback = SonorelleIfcCallback {1, this, OnEngineEvent};
    m_engine.SetSdkCallback(&m_callback);
    m_engine.OnCreateWindow();
}

void CSonorelleCtrl::OnEngineEvent(SonorelleIfcEvent* event)
{
    if (!event || !event->context)
        return;
    static_cast<CSonorelleCtrl*>(event->context)->HandleEngineEvent(event->code, event->payload);
}

void CSonorelleCtrl::HandleEngineEvent(int32_t code, const void* payload)
{
    if (code == SonorelleIfcEventCode::kParameterChanged) {
        // The engine's own change of a property: kept, not marked, not pushed.
        if (payload) {
            const auto* report = static_cast<const SonorelleIfcIndexValue*>(payload);
            StoreEngineValue(report->index, report->value);
        }
        return;
    }
    DISPID event = DISPID_UNKNOWN;
    if (code >= SonorelleIfcEventCode::kJoined && code <= SonorelleIfcEventCode::kWarning)
        event = code + 1;
    else if (code == SonorelleIfcEventCode::kAppBroadcast)
        event = kEventAppBroadcast;
    if (event == DISPID_UNKNOWN)
        return;
    CEventArguments arguments;
    if (AddEventPayload(code, payload, arguments))
        FireEvent(event, arguments.Values());
}
