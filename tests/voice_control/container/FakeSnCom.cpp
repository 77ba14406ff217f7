// A stand-in for the voice engine library with the same 37 exports: it
// writes down every call the controls make, answers with fixed values, and
// lets the test fire engine events through the callback a control gave it.
#include "SonorelleIfcTypes.h"

#include <windows.h>
#include <oleauto.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <set>
#include <string>

#define FAKE_EXPORT extern "C" __declspec(dllexport)

namespace {

std::string g_calls;
std::map<void*, const SonorelleIfcCallback*> g_callbacks;

// Engine property indices that carry text.
const std::set<int32_t> kTextIndices = {0, 1, 2, 4, 5, 10, 11, 12, 13, 14, 16, 21, 27, 28, 29, 30, 31};

void Record(const std::string& call)
{
    g_calls += call + "\n";
}

std::string Text(const char* text)
{
    return text ? text : "(null)";
}

std::string Number(intptr_t value)
{
    return std::to_string(value);
}

int32_t RunOperation(int32_t operation, void* arguments)
{
    const std::string op = "Op" + Number(operation);
    switch (operation) {
    case SonorelleIfcOp::kIgnore: {
        const auto* a = static_cast<SonorelleIfcUserFlag*>(arguments);
        Record(op + " " + Number(a->user) + " " + Number(a->on));
        return 0;
    }
    case SonorelleIfcOp::kGag: {
        const auto* a = static_cast<SonorelleIfcGagArgs*>(arguments);
        Record(op + " " + Number(a->user) + " " + Number(a->flagWord) + " " + Number(a->duration));
        return 0;
    }
    case SonorelleIfcOp::kJoin: {
        const auto* a = static_cast<SonorelleIfcJoinArgs*>(arguments);
        Record(op + " " + Text(a->serverAddress) + "|" + Text(a->confName) + "|" + Text(a->username) + "|"
            + Text(a->account) + "|" + Text(a->accountKey));
        return 1308;
    }
    case SonorelleIfcOp::kSetUiOption:
    case SonorelleIfcOp::kSetSdkProperty:
    case SonorelleIfcOp::kSetByName: {
        const auto* a = static_cast<SonorelleIfcNameValue*>(arguments);
        Record(op + " " + Text(a->name) + "=" + Text(a->value));
        return operation == SonorelleIfcOp::kSetSdkProperty ? 3 : 0;
    }
    case SonorelleIfcOp::kGetUiOption:
    case SonorelleIfcOp::kGetSdkProperty: {
        auto* a = static_cast<SonorelleIfcNameResult*>(arguments);
        Record(op + " " + Text(a->name));
        const std::string answer
            = (operation == SonorelleIfcOp::kGetUiOption ? "ui:" : "sdk:") + Text(a->name);
        a->value = ::SysAllocStringLen(nullptr, static_cast<UINT>(answer.size()));
        for (size_t i = 0; i < answer.size(); ++i)
            static_cast<BSTR>(a->value)[i] = answer[i];
        return 0;
    }
    case SonorelleIfcOp::kSetByIndex: {
        const auto* a = static_cast<SonorelleIfcIndexValue*>(arguments);
        const bool text = kTextIndices.count(a->index) != 0;
        Record(op + " " + Number(a->index) + " "
            + (text ? Text(reinterpret_cast<const char*>(a->value)) : Number(a->value)));
        return 0;
    }
    case SonorelleIfcOp::kCreateInstance: {
        const auto* a = static_cast<SonorelleIfcCreateArgs*>(arguments);
        Record(op + " " + Number(a->kind) + " " + Number(a->sdk));
        return 0;
    }
    case SonorelleIfcOp::kKick: {
        const auto* a = static_cast<SonorelleIfcKickArgs*>(arguments);
        Record(op + " " + Number(a->user) + " " + Text(a->reason));
        return 0;
    }
    case SonorelleIfcOp::kTone:
        Record(op + " " + std::string(1, static_cast<SonorelleIfcToneArgs*>(arguments)->key));
        return 0;
    default:
        Record(op + (arguments ? "" : " (none)"));
        return 40 + operation;
    }
}

} // namespace

FAKE_EXPORT void SonorelleIfc_Init()
{
    Record("Init");
}
FAKE_EXPORT void SonorelleIfc_Uninit()
{
    Record("Uninit");
}
FAKE_EXPORT int32_t SonorelleIfc_GetResourceString(int32_t, int32_t, uint8_t, char*, int32_t)
{
    return -1;
}
FAKE_EXPORT void SonorelleIfc_SetCustomBrandingDll(void*, int32_t code, const char* library, int32_t, int32_t)
{
    Record("SetCustomBrandingDll " + Number(code) + " " + Text(library));
}
FAKE_EXPORT int32_t SonorelleIfc_GetToUpdateFileList(int32_t, void** list, int32_t a, int32_t b, const char*)
{
    Record("GetToUpdateFileList " + Number(a) + " " + Number(b));
    if (list)
        *list = nullptr;
    return 103;
}
FAKE_EXPORT void SonorelleIfc_SetParam(void*, const char*, const char*)
{
    Record("SetParam");
}
FAKE_EXPORT void SonorelleIfc_OnCreate(SonorelleIfcCreateInfo)
{
    Record("OnCreate");
}
FAKE_EXPORT void SonorelleIfc_Join(void*)
{
    Record("Join");
}
FAKE_EXPORT void SonorelleIfc_MoveWindow(void*, int32_t width, int32_t height)
{
    Record("MoveWindow " + Number(width) + " " + Number(height));
}
FAKE_EXPORT void SonorelleIfc_Destroy(void* instance)
{
    g_callbacks.erase(instance);
    Record("Destroy");
}
FAKE_EXPORT void SonorelleIfc_DisplayModlessDialog(void*, int32_t, int32_t)
{
    Record("DisplayModlessDialog");
}
FAKE_EXPORT void SonorelleIfc_NPP_New(void*) { }
FAKE_EXPORT void SonorelleIfc_NPP_SetWindow(void*, int32_t, int32_t, int32_t, int32_t) { }
FAKE_EXPORT void SonorelleIfc_SetHostUrl(void*, const char*, const char*) { }
FAKE_EXPORT void SonorelleIfc_SetContainerInfo(void*, const char*, const char*) { }
FAKE_EXPORT void SonorelleIfc_NPP_Destroy(void*) { }
FAKE_EXPORT uint8_t SonorelleIfc_OnCreateObject(void*)
{
    return 1;
}
FAKE_EXPORT uint8_t SonorelleIfc_OnCreateWindow(void* instance, HWND parent)
{
    Record(std::string("OnCreateWindow") + (instance == parent ? "" : " (another window)"));
    return 1;
}
FAKE_EXPORT int32_t SonorelleIfc_SDKJoin(void*)
{
    Record("SDKJoin");
    return 1308;
}
FAKE_EXPORT int32_t SonorelleIfc_Disconnect(void*)
{
    Record("Disconnect");
    return 5;
}
FAKE_EXPORT void SonorelleIfc_GetSpeakers(void*, char* buffer)
{
    Record("GetSpeakers");
    std::strcpy(buffer, "101\n102");
}
FAKE_EXPORT int32_t SonorelleIfc_GetLevel(void*)
{
    Record("GetLevel");
    return 42;
}
FAKE_EXPORT int32_t SonorelleIfc_SendInvite(void*, int32_t user)
{
    Record("SendInvite " + Number(user));
    return 11;
}
FAKE_EXPORT int32_t SonorelleIfc_InviteReply(void*, int32_t user, int32_t accept)
{
    Record("InviteReply " + Number(user) + " " + Number(accept));
    return 12;
}
FAKE_EXPORT int32_t SonorelleIfc_Ignore(void*, int32_t user, int32_t on)
{
    Record("Ignore " + Number(user) + " " + Number(on));
    return 13;
}
FAKE_EXPORT int32_t SonorelleIfc_TextMessage(void*, int32_t user, const char* text)
{
    Record("TextMessage " + Number(user) + " " + Text(text));
    return 14;
}
FAKE_EXPORT int32_t SonorelleIfc_AppMessage(void*, int32_t user, const char* text)
{
    Record("AppMessage " + Number(user) + " " + Text(text));
    return 15;
}
FAKE_EXPORT int32_t SonorelleIfc_AppBroadcast(void*, const char* text)
{
    Record("AppBroadcast " + Text(text));
    return 16;
}
FAKE_EXPORT int32_t SonorelleIfc_GagUser(void*, int32_t user, int32_t on, int32_t duration)
{
    Record("GagUser " + Number(user) + " " + Number(on) + " " + Number(duration));
    return 17;
}
FAKE_EXPORT int32_t SonorelleIfc_WarnUser(void*, int32_t user, const char* text)
{
    Record("WarnUser " + Number(user) + " " + Text(text));
    return 18;
}
FAKE_EXPORT int32_t SonorelleIfc_KickUser(void*, int32_t user)
{
    Record("KickUser " + Number(user));
    return 19;
}
FAKE_EXPORT void SonorelleIfc_SetSdkParam(void*, const SonorelleIfcIndexValue* parameter)
{
    Record("SetSdkParam " + Number(parameter->index) + " "
        + Text(reinterpret_cast<const char*>(parameter->value)));
}
FAKE_EXPORT void SonorelleIfc_SetSdkCallback(void* instance, const SonorelleIfcCallback* callback)
{
    g_callbacks[instance] = callback;
    Record("SetSdkCallback");
}
FAKE_EXPORT intptr_t SonorelleIfc_GetConfClone(void*)
{
    Record("GetConfClone");
    return 7;
}
FAKE_EXPORT void SonorelleIfc_SetConfClone(void*)
{
    Record("SetConfClone");
}
FAKE_EXPORT int32_t SonorelleIfc_GetVersion(void*, char* buffer, int32_t length)
{
    Record("GetVersion");
    std::snprintf(buffer, static_cast<size_t>(length), "4.2.1");
    return 0;
}
FAKE_EXPORT int32_t SonorelleIfc_SNComFunctionSelector(const SonorelleIfcSelectorBlock* block)
{
    return RunOperation(block->operation, block->arguments);
}

// Test hooks.

// Copies the calls made since the last take into buffer and forgets them.
FAKE_EXPORT void FakeEngine_TakeCalls(char* buffer, int32_t length)
{
    std::snprintf(buffer, static_cast<size_t>(length), "%s", g_calls.c_str());
    g_calls.clear();
}

// Calls the callback that instance registered with an event record; false
// when it registered none.
FAKE_EXPORT bool FakeEngine_Fire(void* instance, int32_t code, void* payload)
{
    const auto found = g_callbacks.find(instance);
    if (found == g_callbacks.end())
        return false;
    SonorelleIfcEvent event {code, 1, found->second->context, payload};
    found->second->function(&event);
    return true;
}
