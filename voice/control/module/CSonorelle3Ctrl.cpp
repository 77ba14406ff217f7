#include "CSonorelle3Ctrl.h"

#include "SonorelleControlClasses.h"

namespace {

enum Id : DISPID
{
    kConfName = 1,
    kServerAddress,
    kUserName,
    kAccount,
    kCustomBrand,
    kUserLocale,
    kStitchUrl,
    kTinyStitch,
    kIcon,
    kSMMute,
    kUMIgnore,
    kEnableBreakout,
    kHost,
    kAutoJoin,
    kShowConf,
    kUMInstantMessage,
    kSMChangeName,
    kSMIconChoices,
    kTunnel,
    kPhoneDialInfo,
    kPhoneUserInfo,
    kPhoneKeyPadUI,
    kPhoneCallerID,
    kPhoneDTMFOnConnect,
    kListenMode,
    kRequireAudio
};

const std::vector<SonorelleProperty>& Properties()
{
    static const std::vector<SonorelleProperty> properties {
        {VT_BSTR, 0, L"ConfName", "", 0},
        {VT_BSTR, 1, L"ServerAddress", "", 0},
        {VT_BSTR, 2, L"Username", "", 0},
        {VT_BSTR, 4, L"Account", "", 0},
        {VT_BSTR, 10, L"CustomBrand", "", 0},
        {VT_BSTR, 14, L"UserLocale", "", 0},
        {VT_BSTR, 5, L"StitchUrl", kVoiceServiceAddress, 0},
        {VT_BOOL, 26, L"TinyStitch", nullptr, FALSE},
        {VT_I4, 8, L"UserIcon", nullptr, 0},
        {VT_BOOL, 22, L"SMMute", nullptr, FALSE},
        {VT_BOOL, 18, L"UMIgnore", nullptr, TRUE},
        {VT_BOOL, 6, L"EnableBreakout", nullptr, FALSE},
        {VT_BOOL, 7, L"Host", nullptr, FALSE},
        {VT_BOOL, 3, L"AutoJoin", nullptr, FALSE},
        {VT_BOOL, 9, L"ShowConf", nullptr, FALSE},
        {VT_BOOL, 19, L"UMInstantMessage", nullptr, TRUE},
        {VT_BOOL, 20, L"SMChangeName", nullptr, FALSE},
        {VT_BSTR, 21, L"SMIconChoices", "", 0},
        {VT_I4, 25, L"Tunnel", nullptr, 0},
        {VT_BSTR, 27, L"PhoneDialInfo", "", 0},
        {VT_BSTR, 28, L"PhoneUserInfo", "", 0},
        {VT_BSTR, 29, L"PhoneKeyPadUI", "0", 0},
        {VT_BSTR, 30, L"PhoneCallerID", "", 0},
        {VT_BSTR, 31, L"PhoneDTMFOnConnect", "", 0},
        {VT_I4, 32, L"ListenMode", nullptr, 0},
        {VT_I4, 33, L"RequireAudio", nullptr, 0},
    };
    return properties;
}

std::vector<DISPID> StoredOrder()
{
    std::vector<DISPID> order;
    for (DISPID id = kConfName; id <= kRequireAudio; ++id)
        order.push_back(id);
    return order;
}

// Pushed when the engine instance is made; CustomBrand goes to the branding
// call instead.
const DISPID kCreationPushes[] = {kConfName, kServerAddress, kUserName, kAccount, kStitchUrl, kTinyStitch,
    kIcon, kSMMute, kUMIgnore, kEnableBreakout, kHost, kAutoJoin, kShowConf, kUMInstantMessage, kSMChangeName,
    kSMIconChoices, kUserLocale, kTunnel, kPhoneDialInfo, kPhoneUserInfo, kPhoneKeyPadUI, kPhoneCallerID,
    kPhoneDTMFOnConnect, kListenMode, kRequireAudio};

} // namespace

CSonorelle3Ctrl::CSonorelle3Ctrl()
    : CSonorelleControl(kSonorelle3Class, Properties(), StoredOrder())
{ }

const char* CSonorelle3Ctrl::UpdateBrand() const
{
    return Text(kCustomBrand).c_str();
}

void CSonorelle3Ctrl::CreateEngineInstance()
{
    m_engine.SetCustomBrandingDll(Text(kCustomBrand));
    m_engine.CreateInstance(3, false, GetContainerUrl());
    for (DISPID id : kCreationPushes)
        PushProperty(id);
    m_callback = SonorelleIfcCallback {1, this, IgnoreEngineEvent};
    m_engine.SetSdkCallback(&m_callback);
    m_engine.OnCreateWindow();
}
