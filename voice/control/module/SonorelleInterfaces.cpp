#include "SonorelleInterfaces.h"

namespace {

using M = DispatchMember;
constexpr VARTYPE kText = VT_BSTR;
constexpr VARTYPE kTextRef = VT_BYREF | VT_BSTR;
constexpr VARTYPE kLong = VT_I4;
constexpr VARTYPE kBool = VT_BOOL;
constexpr VARTYPE kNone = VT_EMPTY;

} // namespace

const GUID kSonorelleLibraryId
    = {0x90815AA3, 0x3819, 0x11D2, {0x99, 0xCC, 0x00, 0xA0, 0x24, 0xBA, 0xF8, 0xEC}};
const CLSID kSonorelleClassId
    = {0x90815AA6, 0x3819, 0x11D2, {0x99, 0xCC, 0x00, 0xA0, 0x24, 0xBA, 0xF8, 0xEC}};
const CLSID kSonorellePageId = {0x90815AA7, 0x3819, 0x11D2, {0x99, 0xCC, 0x00, 0xA0, 0x24, 0xBA, 0xF8, 0xEC}};
const CLSID kSonorelle2ClassId
    = {0x14E1B342, 0xC760, 0x11D3, {0xBA, 0xFD, 0x00, 0x90, 0x27, 0xA3, 0x67, 0x78}};
const CLSID kSonorelle2PageId
    = {0x14E1B343, 0xC760, 0x11D3, {0xBA, 0xFD, 0x00, 0x90, 0x27, 0xA3, 0x67, 0x78}};
const CLSID kSonorelle3ClassId
    = {0x5C8E2DE3, 0xC9BD, 0x11D3, {0xBA, 0xFD, 0x00, 0x90, 0x27, 0xA3, 0x67, 0x78}};
const CLSID kSonorelle3PageId
    = {0x5C8E2DE4, 0xC9BD, 0x11D3, {0xBA, 0xFD, 0x00, 0x90, 0x27, 0xA3, 0x67, 0x78}};

const DispatchInterface kSonorelleDispatch {L"_DSonorelle",
    {0x90815AA4, 0x3819, 0x11D2, {0x99, 0xCC, 0x00, 0xA0, 0x24, 0xBA, 0xF8, 0xEC}},
    {
        {L"ConfName", M::kProperty, kText, {}},
        {L"ServerAddress", M::kProperty, kText, {}},
        {L"Username", M::kProperty, kText, {}},
        {L"AutoJoin", M::kProperty, kBool, {}},
        {L"Account", M::kProperty, kText, {}},
        {L"StitchUrl", M::kProperty, kText, {}},
        {L"EnableBreakout", M::kProperty, kBool, {}},
        {L"Host", M::kProperty, kBool, {}},
        {L"Icon", M::kProperty, kLong, {}},
        {L"ShowConf", M::kProperty, kBool, {}},
        {L"CustomBrand", M::kProperty, kText, {}},
        {L"AccountKey", M::kProperty, kText, {}},
        {L"ContainerApp", M::kProperty, kText, {}},
        {L"ContainerAppVersion", M::kProperty, kText, {}},
        {L"UserLocale", M::kProperty, kText, {}},
        {L"Version", M::kReadOnlyProperty, kText, {}},
        {L"SDKmode", M::kProperty, kBool, {}},
        {L"ConfClone", M::kProperty, kLong, {}},
        {L"Join", M::kMethod, kNone, {}},
        {L"SDKJoin", M::kMethod, kLong, {}},
        {L"GetSpeakers", M::kMethod, kText, {}},
        {L"GetLevel", M::kMethod, kLong, {}},
        {L"SendInvite", M::kMethod, kLong, {{L"UserID", kLong}}},
        {L"InviteReply", M::kMethod, kLong, {{L"UserID", kLong}, {L"Accept", kBool}}},
        {L"Ignore", M::kMethod, kLong, {{L"UserID", kLong}, {L"Ignore", kBool}}},
        {L"TextMessage", M::kMethod, kLong, {{L"UserID", kLong}, {L"Message", kText}}},
        {L"AppMessage", M::kMethod, kLong, {{L"UserID", kLong}, {L"Message", kText}}},
        {L"AppBroadcast", M::kMethod, kLong, {{L"Message", kText}}},
        {L"GagUser", M::kMethod, kLong, {{L"UserID", kLong}, {L"Gag", kBool}, {L"Time", kLong}}},
        {L"WarnUser", M::kMethod, kLong, {{L"UserID", kLong}, {L"Message", kText}}},
        {L"KickUser", M::kMethod, kLong, {{L"UserID", kLong}}},
        {L"Disconnect", M::kMethod, kLong, {}},
    }};

const DispatchInterface kSonorelleEvents {L"_DSonorelleEvents",
    {0x90815AA5, 0x3819, 0x11D2, {0x99, 0xCC, 0x00, 0xA0, 0x24, 0xBA, 0xF8, 0xEC}},
    {
        {L"Joined", M::kMethod, kNone, {}},
        {L"Disconnected", M::kMethod, kNone, {{L"Reason", kTextRef}}},
        {L"SDKError", M::kMethod, kNone, {{L"Code", kLong}, {L"Description", kTextRef}}},
        {L"Status", M::kMethod, kNone, {{L"Message", kTextRef}}},
        {L"RosterAdd", M::kMethod, kNone,
            {{L"UserID", kLong}, {L"Username", kTextRef}, {L"UserType", kLong}}},
        {L"RosterDel", M::kMethod, kNone, {{L"UserID", kLong}}},
        {L"Invitation", M::kMethod, kNone, {{L"UserID", kLong}}},
        {L"InvitationAccepted", M::kMethod, kNone, {{L"UserID", kLong}, {L"ConfName", kTextRef}}},
        {L"InvitationDeclined", M::kMethod, kNone, {{L"UserID", kLong}}},
        {L"TextMessage", M::kMethod, kNone,
            {{L"UserID", kLong}, {L"Username", kTextRef}, {L"Message", kTextRef}}},
        {L"AppMessage", M::kMethod, kNone,
            {{L"UserID", kLong}, {L"Username", kTextRef}, {L"AppMessage", kTextRef}}},
        {L"Gag", M::kMethod, kNone, {{L"UserID", kLong}, {L"GagState", kBool}}},
        {L"Warning", M::kMethod, kNone,
            {{L"UserID", kLong}, {L"Username", kTextRef}, {L"Message", kTextRef}}},
        {L"AppBroadcast", M::kMethod, kNone,
            {{L"UserID", kLong}, {L"Username", kTextRef}, {L"AppMessage", kTextRef}}},
    }};

const DispatchInterface kSonorelle2Dispatch {L"_DSonorelle2",
    {0x14E1B340, 0xC760, 0x11D3, {0xBA, 0xFD, 0x00, 0x90, 0x27, 0xA3, 0x67, 0x78}},
    {
        {L"Version", M::kReadOnlyProperty, kText, {}},
        {L"SetUIOption", M::kMethod, kLong, {{L"Option", kText}, {L"OptionValue", kText}}},
        {L"GetUIOption", M::kMethod, kText, {{L"Option", kText}}},
        {L"SetSDKProperty", M::kMethod, kLong, {{L"Property", kText}, {L"PropertyValue", kText}}},
        {L"GetSDKProperty", M::kMethod, kText, {{L"Property", kText}}},
        {L"Join", M::kMethod, kLong,
            {{L"ServerAddress", kText}, {L"ConferenceName", kText}, {L"Username", kText}, {L"Account", kText},
                {L"AccountKey", kText}}},
        {L"Disconnect", M::kMethod, kLong, {}},
        {L"GetSpeakers", M::kMethod, kText, {}},
        {L"GetLevel", M::kMethod, kLong, {}},
        {L"SendInvite", M::kMethod, kLong, {{L"UserID", kLong}}},
        {L"InviteReply", M::kMethod, kLong, {{L"UserID", kLong}, {L"Accept", kBool}}},
        {L"Ignore", M::kMethod, kLong, {{L"UserID", kLong}, {L"IgnoreOptions", kLong}}},
        {L"TextMessage", M::kMethod, kLong, {{L"UserID", kLong}, {L"Message", kText}}},
        {L"AppMessage", M::kMethod, kLong, {{L"UserID", kLong}, {L"Message", kText}}},
        {L"AppBroadcast", M::kMethod, kLong, {{L"Message", kText}}},
        {L"GagUser", M::kMethod, kLong, {{L"UserID", kLong}, {L"GagOptions", kLong}, {L"Time", kLong}}},
        {L"WarnUser", M::kMethod, kLong, {{L"UserID", kLong}, {L"Message", kText}}},
        {L"KickUser", M::kMethod, kLong, {{L"UserID", kLong}}},
        {L"StartRecord", M::kMethod, kLong,
            {{L"FileName", kText}, {L"SoundFormat", kLong}, {L"RecordSides", kLong}}},
        {L"StopRecord", M::kMethod, kLong, {}},
        {L"PlayWaveFile", M::kMethod, kLong,
            {{L"FileName", kText}, {L"PlayID", kLong}, {L"SoundFormat", kLong}, {L"SoundPlayOptions", kLong},
                {L"Destination", kLong}, {L"Delay", kLong}}},
        {L"StopWavePlay", M::kMethod, kLong, {{L"FlushQueue", kBool}}},
        {L"PlayWaveResource", M::kMethod, kLong,
            {{L"HInstance", kLong}, {L"ResouceID", kLong}, {L"PlayID", kLong}, {L"SoundFormat", kLong},
                {L"SoundPlayOptions", kLong}, {L"Destination", kLong}, {L"Delay", kLong}}},
        {L"PlayWavePacket", M::kMethod, kLong,
            {{L"Packet", VT_VARIANT}, {L"SoundPlayOptions", kLong}, {L"Destination", kLong},
                {L"Delay", kLong}}},
        {L"PlayWaveBuffer", M::kMethod, kLong,
            {{L"Buffer", VT_VARIANT}, {L"PlayID", kLong}, {L"SoundFormat", kLong},
                {L"SoundPlayOptions", kLong}, {L"Destination", kLong}, {L"Delay", kLong}}},
        {L"RegisterForRecordPacket", M::kMethod, kLong,
            {{L"Enable", kBool}, {L"SoundFormat", kLong}, {L"RecordSides", kLong}}},
        {L"Initialize", M::kMethod, kLong, {}},
        {L"KickUserWithReason", M::kMethod, kLong, {{L"UserID", kLong}, {L"Reason", kText}}},
        {L"SendTone", M::kMethod, kLong, {{L"tone", kText}}},
    }};

const DispatchInterface kSonorelle2Events {L"_DSonorelle2Events",
    {0x14E1B341, 0xC760, 0x11D3, {0xBA, 0xFD, 0x00, 0x90, 0x27, 0xA3, 0x67, 0x78}},
    {
        {L"Joined", M::kMethod, kNone, {{L"InstanceId", kLong}}},
        {L"Disconnected", M::kMethod, kNone, {{L"InstanceId", kLong}, {L"Reason", kTextRef}}},
        {L"SDKError", M::kMethod, kNone,
            {{L"InstanceId", kLong}, {L"Code", kLong}, {L"Description", kTextRef}}},
        {L"Status", M::kMethod, kNone, {{L"InstanceId", kLong}, {L"Message", kTextRef}}},
        {L"RosterAdd", M::kMethod, kNone,
            {{L"InstanceId", kLong}, {L"UserID", kLong}, {L"Username", kTextRef}, {L"UserType", kLong}}},
        {L"RosterDel", M::kMethod, kNone, {{L"InstanceId", kLong}, {L"UserID", kLong}}},
        {L"Invitation", M::kMethod, kNone, {{L"InstanceId", kLong}, {L"UserID", kLong}}},
        {L"InvitationAccepted", M::kMethod, kNone,
            {{L"InstanceId", kLong}, {L"UserID", kLong}, {L"ConfName", kTextRef}}},
        {L"InvitationDeclined", M::kMethod, kNone, {{L"InstanceId", kLong}, {L"UserID", kLong}}},
        {L"TextMessage", M::kMethod, kNone,
            {{L"InstanceId", kLong}, {L"UserID", kLong}, {L"Username", kTextRef}, {L"Message", kTextRef}}},
        {L"AppMessage", M::kMethod, kNone,
            {{L"InstanceId", kLong}, {L"UserID", kLong}, {L"Username", kTextRef}, {L"AppMessage", kTextRef}}},
        {L"GagState", M::kMethod, kNone,
            {{L"InstanceId", kLong}, {L"UserID", kLong}, {L"GagOptions", kLong}, {L"TimeLeft", kLong},
                {L"SrcID", kLong}}},
        {L"Warning", M::kMethod, kNone,
            {{L"InstanceId", kLong}, {L"UserID", kLong}, {L"Username", kTextRef}, {L"Message", kTextRef}}},
        {L"AppBroadcast", M::kMethod, kNone,
            {{L"InstanceId", kLong}, {L"UserID", kLong}, {L"Username", kTextRef}, {L"AppMessage", kTextRef}}},
        {L"RecordPacket", M::kMethod, kNone, {{L"InstanceId", kLong}, {L"Packet", VT_VARIANT}}},
        {L"PlayStatus", M::kMethod, kNone,
            {{L"InstanceId", kLong}, {L"PlayID", kLong}, {L"Status", kLong}, {L"Percent", kLong}}},
        {L"ChangeName", M::kMethod, kNone,
            {{L"InstanceId", kLong}, {L"UserID", kLong}, {L"Username", kTextRef}}},
        {L"ChangeIcon", M::kMethod, kNone,
            {{L"InstanceId", kLong}, {L"UserID", kLong}, {L"UserType", kLong}}},
    }};

const DispatchInterface kSonorelle3Dispatch {L"_DSonorelle3",
    {0x5C8E2DE1, 0xC9BD, 0x11D3, {0xBA, 0xFD, 0x00, 0x90, 0x27, 0xA3, 0x67, 0x78}},
    {
        {L"ConfName", M::kProperty, kText, {}},
        {L"ServerAddress", M::kProperty, kText, {}},
        {L"UserName", M::kProperty, kText, {}},
        {L"Account", M::kProperty, kText, {}},
        {L"CustomBrand", M::kProperty, kText, {}},
        {L"UserLocale", M::kProperty, kText, {}},
        {L"StitchUrl", M::kProperty, kText, {}},
        {L"TinyStitch", M::kProperty, kBool, {}},
        {L"Icon", M::kProperty, kLong, {}},
        {L"SMMute", M::kProperty, kBool, {}},
        {L"UMIgnore", M::kProperty, kBool, {}},
        {L"EnableBreakout", M::kProperty, kBool, {}},
        {L"Host", M::kProperty, kBool, {}},
        {L"AutoJoin", M::kProperty, kBool, {}},
        {L"ShowConf", M::kProperty, kBool, {}},
        {L"UMInstantMessage", M::kProperty, kBool, {}},
        {L"SMChangeName", M::kProperty, kBool, {}},
        {L"SMIconChoices", M::kProperty, kText, {}},
        {L"Tunnel", M::kProperty, kLong, {}},
        {L"PhoneDialInfo", M::kProperty, kText, {}},
        {L"PhoneUserInfo", M::kProperty, kText, {}},
        {L"PhoneKeyPadUI", M::kProperty, kText, {}},
        {L"PhoneCallerID", M::kProperty, kText, {}},
        {L"PhoneDTMFOnConnect", M::kProperty, kText, {}},
        {L"ListenMode", M::kProperty, kLong, {}},
        {L"RequireAudio", M::kProperty, kLong, {}},
    }};

const DispatchInterface kSonorelle3Events {L"_DSonorelle3Events",
    {0x5C8E2DE2, 0xC9BD, 0x11D3, {0xBA, 0xFD, 0x00, 0x90, 0x27, 0xA3, 0x67, 0x78}}, {}};

const TypeLibDescription& SonorelleTypeLibrary()
{
    static const TypeLibDescription library {kSonorelleLibraryId, L"SonorelleLib", 1, 0, L"Sonorelle.hlp",
        {&kSonorelleDispatch, &kSonorelleEvents, &kSonorelle2Dispatch, &kSonorelle2Events,
            &kSonorelle3Dispatch, &kSonorelle3Events},
        {{L"Sonorelle", kSonorelleClassId, &kSonorelleDispatch, &kSonorelleEvents},
            {L"Sonorelle2", kSonorelle2ClassId, &kSonorelle2Dispatch, &kSonorelle2Events},
            {L"Sonorelle3", kSonorelle3ClassId, &kSonorelle3Dispatch, &kSonorelle3Events}}};
    return library;
}
