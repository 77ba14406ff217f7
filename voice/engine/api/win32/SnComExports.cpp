// The exported functions of the voice engine library. Each looks up its
// instance by the host's window handle and hands the call on; unknown
// handles give 1204 from status exports and do nothing otherwise.
#include "CEngineLibrary.h"
#include "ConfText.h"
#include "CLevelMeterWnd.h"
#include "EngineWindows.h"
#include "SnComStrings.h"
#include "SonorelleIfcTypes.h"
#include "UpdateResult.h"
#include "UpdateService.h"

#include <windows.h>

#include <cstring>
#include <string>

#define SN_EXPORT extern "C"

namespace {

constexpr int32_t kLongestResourceString = 512;
constexpr int32_t kGagOn = 0x8001;

CEngineLibrary& Library()
{
    return CEngineLibrary::Get();
}

const char* OrEmpty(const char* text)
{
    return text ? text : "";
}

std::string UpdateErrorText(int32_t code)
{
    switch (code) {
    case 1:
        return Library().String(IDS_SN_UPDATE_RESTART);
    case 106:
        return Library().String(IDS_SN_UPDATE_NO_PLUGINS);
    case 107:
        return Library().String(IDS_SN_UPDATE_NO_TEMP);
    default:
        // The text may come from a branding or language library: it is
        // never a format, only its first conversion takes the code.
        return ConfText::FormatOne(Library().String(IDS_SN_UPDATE_ERROR), std::to_string(code));
    }
}

} // namespace

BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        DisableThreadLibraryCalls(module);
        CEngineLibrary::SetModule(module);
    } else if (reason == DLL_PROCESS_DETACH) {
        EngineWindows::Unregister(module);
        CLevelMeterWnd::Unregister(module);
    }
    return TRUE;
}

SN_EXPORT void SonorelleIfc_Init()
{
    Library().Init();
}

SN_EXPORT void SonorelleIfc_Uninit()
{
    Library().Uninit();
}

SN_EXPORT int32_t SonorelleIfc_GetResourceString(int32_t, int32_t code, uint8_t updateCode,
                                                 char* buffer, int32_t length)
{
    std::string text = updateCode ? UpdateErrorText(code) : Library().String(code);
    if (text.empty() || !buffer)
        return -1;
    if (text.size() >= static_cast<size_t>(kLongestResourceString))
        text.resize(kLongestResourceString - 1);
    const auto needed = static_cast<int32_t>(text.size() + 1);
    if (length < needed)
        return needed;
    std::memcpy(buffer, text.c_str(), static_cast<size_t>(needed));
    return 0;
}

SN_EXPORT void SonorelleIfc_SetCustomBrandingDll(void* instance, int32_t brandCode,
                                                 const char* library, int32_t, int32_t)
{
    Library().SetBranding(instance, brandCode, library);
}

SN_EXPORT int32_t SonorelleIfc_GetToUpdateFileList(int32_t, void** list, int32_t firstHostCode,
                                                   int32_t secondHostCode, const char* component)
{
    const int32_t result = UpdateService::PrepareList(firstHostCode, secondHostCode, OrEmpty(component),
                                                      Library().Locale(), list);
    // The engine's own files cannot be replaced while they are in use.
    if (result == UpdateResult::kDone && Library().InUse())
        return UpdateResult::kRestartNeeded;
    return result;
}

SN_EXPORT void SonorelleIfc_SetParam(void* instance, const char* name, const char* value)
{
    if (CEngineInstance* engine = Library().Find(instance))
        engine->SetParam(OrEmpty(name), OrEmpty(value));
}

SN_EXPORT void SonorelleIfc_OnCreate(SonorelleIfcCreateInfo info)
{
    Library().OnCreate(info);
}

SN_EXPORT int32_t SonorelleIfc_SDKJoin(void* instance)
{
    CEngineInstance* engine = Library().Find(instance);
    return engine ? engine->Join() : SonorelleIfcStatus::kUnknownInstance;
}

SN_EXPORT void SonorelleIfc_Join(void* instance)
{
    SonorelleIfc_SDKJoin(instance);
}

SN_EXPORT void SonorelleIfc_MoveWindow(void* instance, int32_t width, int32_t height)
{
    Library().MoveWindowOf(instance, width, height);
}

SN_EXPORT void SonorelleIfc_Destroy(void* instance)
{
    Library().Destroy(instance);
}

SN_EXPORT void SonorelleIfc_DisplayModlessDialog(void* instance, int32_t caption, int32_t text)
{
    Library().ShowMessage(instance, caption, text);
}

SN_EXPORT void SonorelleIfc_NPP_New(void* instance)
{
    Library().CreateInstance(instance, 5, false);
}

SN_EXPORT void SonorelleIfc_NPP_SetWindow(void* instance, int32_t x, int32_t y, int32_t width,
                                          int32_t height, HWND window)
{
    const RECT area{x, y, x + width, y + height};
    Library().SetPluginWindow(instance, area, window);
}

SN_EXPORT void SonorelleIfc_SetHostUrl(void* instance, const char* url, const char* data)
{
    if (CEngineInstance* engine = Library().Find(instance))
        engine->SetHostUrl(OrEmpty(url), OrEmpty(data));
}

SN_EXPORT void SonorelleIfc_SetContainerInfo(void* instance, const char* app, const char* version)
{
    if (CEngineInstance* engine = Library().Find(instance)) {
        Library().EnsureComponents(instance);
        Library().RegisterBranding(instance);
        engine->SetContainer(OrEmpty(app), OrEmpty(version));
    }
}

SN_EXPORT void SonorelleIfc_NPP_Destroy(void* instance)
{
    Library().Destroy(instance);
}

SN_EXPORT uint8_t SonorelleIfc_OnCreateObject(void* instance)
{
    return Library().CreateInstance(instance, 1, false) ? 1 : 0;
}

SN_EXPORT uint8_t SonorelleIfc_OnCreateWindow(void* instance, HWND parent)
{
    if (Library().Find(instance))
        Library().RegisterBranding(instance);
    Library().CreateWindowFor(instance, parent);
    return 0;
}

SN_EXPORT int32_t SonorelleIfc_Disconnect(void* instance)
{
    CEngineInstance* engine = Library().Find(instance);
    return engine ? engine->Disconnect() : SonorelleIfcStatus::kUnknownInstance;
}

SN_EXPORT void SonorelleIfc_GetSpeakers(void* instance, char* buffer)
{
    CEngineInstance* engine = Library().Find(instance);
    if (!engine || !buffer)
        return;
    const std::string speakers = engine->Speakers();
    std::memcpy(buffer, speakers.c_str(), speakers.size() + 1);
}

SN_EXPORT int32_t SonorelleIfc_GetLevel(void* instance)
{
    CEngineInstance* engine = Library().Find(instance);
    return engine ? engine->Level() : 0;
}

SN_EXPORT int32_t SonorelleIfc_SendInvite(void* instance, int32_t user)
{
    CEngineInstance* engine = Library().Find(instance);
    return engine ? engine->SendInvite(user) : SonorelleIfcStatus::kUnknownInstance;
}

SN_EXPORT int32_t SonorelleIfc_InviteReply(void* instance, int32_t user, int32_t accept)
{
    CEngineInstance* engine = Library().Find(instance);
    return engine ? engine->InviteReply(user, accept != 0) : SonorelleIfcStatus::kUnknownInstance;
}

SN_EXPORT int32_t SonorelleIfc_Ignore(void* instance, int32_t user, int32_t on)
{
    CEngineInstance* engine = Library().Find(instance);
    return engine ? engine->Ignore(user, on) : SonorelleIfcStatus::kUnknownInstance;
}

SN_EXPORT int32_t SonorelleIfc_TextMessage(void* instance, int32_t user, const char* text)
{
    CEngineInstance* engine = Library().Find(instance);
    return engine ? engine->TextMessage(user, OrEmpty(text)) : SonorelleIfcStatus::kUnknownInstance;
}

SN_EXPORT int32_t SonorelleIfc_AppMessage(void* instance, int32_t user, const char* text)
{
    CEngineInstance* engine = Library().Find(instance);
    return engine ? engine->AppMessage(user, OrEmpty(text)) : SonorelleIfcStatus::kUnknownInstance;
}

SN_EXPORT int32_t SonorelleIfc_AppBroadcast(void* instance, const char* text)
{
    CEngineInstance* engine = Library().Find(instance);
    return engine ? engine->AppBroadcast(OrEmpty(text)) : SonorelleIfcStatus::kUnknownInstance;
}

SN_EXPORT int32_t SonorelleIfc_GagUser(void* instance, int32_t user, int32_t on, int32_t duration)
{
    CEngineInstance* engine = Library().Find(instance);
    return engine ? engine->Gag(user, on ? kGagOn : 0, duration)
                  : SonorelleIfcStatus::kUnknownInstance;
}

SN_EXPORT int32_t SonorelleIfc_WarnUser(void* instance, int32_t user, const char* text)
{
    CEngineInstance* engine = Library().Find(instance);
    return engine ? engine->Warn(user, OrEmpty(text)) : SonorelleIfcStatus::kUnknownInstance;
}

SN_EXPORT int32_t SonorelleIfc_KickUser(void* instance, int32_t user)
{
    CEngineInstance* engine = Library().Find(instance);
    return engine ? engine->Kick(user, std::string()) : SonorelleIfcStatus::kUnknownInstance;
}

SN_EXPORT void SonorelleIfc_SetSdkParam(void* instance, const SonorelleIfcIndexValue* parameter)
{
    CEngineInstance* engine = Library().Find(instance);
    if (engine && parameter)
        engine->SetByIndex(parameter->index, parameter->value);
}

SN_EXPORT void SonorelleIfc_SetSdkCallback(void* instance, const SonorelleIfcCallback* callback)
{
    if (CEngineInstance* engine = Library().Find(instance))
        engine->SetCallback(callback);
}

SN_EXPORT intptr_t SonorelleIfc_GetConfClone(void* instance)
{
    CEngineInstance* engine = Library().Find(instance);
    return engine ? engine->Params().Number(EngineParam::kConfClone) : 0;
}

// Kept for hosts that call it; the clone number is set by index only.
SN_EXPORT void SonorelleIfc_SetConfClone(void*) {}

SN_EXPORT int32_t SonorelleIfc_GetVersion(void* instance, char* buffer, int32_t length)
{
    if (!Library().Find(instance))
        return SonorelleIfcStatus::kUnknownInstance;
    if (!buffer || length <= 0)
        return SonorelleIfcStatus::kDone;
    buffer[0] = '\0';
    const std::string version = Library().EngineVersion();
    if (version.size() < static_cast<size_t>(length))
        std::memcpy(buffer, version.c_str(), version.size() + 1);
    return SonorelleIfcStatus::kDone;
}

SN_EXPORT int32_t SonorelleIfc_SNComFunctionSelector(const SonorelleIfcSelectorBlock* block)
{
    return Library().RunSelector(block);
}
