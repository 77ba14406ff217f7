// The exports of the voice engine library that the control binds, in the
// order in which they are looked up. The index of a name is its slot in the
// binding table.
#pragma once

#include <array>
#include <cstddef>

enum class EngineExport : size_t
{
    Init,
    Uninit,
    GetResourceString,
    SetCustomBrandingDll,
    GetToUpdateFileList,
    SetParam,
    OnCreate,
    Join,
    MoveWindow,
    Destroy,
    DisplayModlessDialog,
    NppNew,
    NppSetWindow,
    SetHostUrl,
    SetContainerInfo,
    NppDestroy,
    OnCreateObject,
    OnCreateWindow,
    SdkJoin,
    Disconnect,
    GetSpeakers,
    GetLevel,
    SendInvite,
    InviteReply,
    Ignore,
    TextMessage,
    AppMessage,
    AppBroadcast,
    GagUser,
    WarnUser,
    KickUser,
    SetSdkParam,
    SetSdkCallback,
    GetConfClone,
    SetConfClone,
    GetVersion,
    FunctionSelector,
    Count
};

constexpr size_t kEngineExportCount = static_cast<size_t>(EngineExport::Count);

// Full export names, indexed by EngineExport.
extern const std::array<const char*, kEngineExportCount> kEngineExportNames;
