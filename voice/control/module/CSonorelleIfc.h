// CSonorelleIfc: a control's link to the voice engine. It holds one
// reference on the engine library shared by every control of the process,
// makes the control's engine instance (named by the control's window
// handle) and forwards properties, methods and operations to it.
#pragma once

#include "SonorelleIfcTypes.h"

#include <windows.h>
#include <oleauto.h>

#include <cstdint>
#include <string>

class CSonorelleIfc
{
public:
    // Brand and update host codes that every control passes.
    static constexpr int32_t kBrandCode = 76;
    static constexpr int32_t kUpdateHostCode = 79;

    CSonorelleIfc();
    ~CSonorelleIfc();
    CSonorelleIfc(const CSonorelleIfc&) = delete;
    CSonorelleIfc& operator=(const CSonorelleIfc&) = delete;

    void Attach(HWND window) { m_instance = window; }
    // Destroys the engine instance; the library reference stays until the
    // link itself goes.
    void Destroy();

    // The first control of a process re-registers the module and may run an
    // update check; true only for that first call.
    static bool TakeFirstCreation();
    void CheckForUpdates(const std::string& brand);
    void SetCustomBrandingDll(const std::string& brand);
    void CreateInstance(int32_t kind, bool sdk, const std::string& containerUrl);
    void OnCreateWindow();
    void MoveWindow(int cx, int cy);
    void SetStringProperty(int32_t index, const std::string& text);
    void SetLongProperty(int32_t index, int32_t value);
    void SetSdkCallback(const SonorelleIfcCallback* callback);

    int32_t SetUIOption(const std::string& name, const std::string& value);
    BSTR GetUIOption(const std::string& name);
    int32_t SetSDKProperty(const std::string& name, const std::string& value);
    BSTR GetSDKProperty(const std::string& name);
    int32_t SetParamByName(const std::string& name, const std::string& value);

    BSTR GetVersion();
    BSTR GetSpeakers();
    int32_t SDKJoin();
    int32_t Disconnect();
    int32_t GetLevel();
    int32_t SendInvite(int32_t user);
    int32_t InviteReply(int32_t user, int32_t accept);
    int32_t TextMessage(int32_t user, const std::string& text);
    int32_t AppMessage(int32_t user, const std::string& text);
    int32_t AppBroadcast(const std::string& text);
    int32_t WarnUser(int32_t user, const std::string& text);
    int32_t KickUser(int32_t user);
    int32_t GetConfClone();
    int32_t Join(const std::string& server, const std::string& conference, const std::string& user,
        const std::string& account, const std::string& accountKey);
    int32_t Ignore(int32_t user, int32_t flag);
    int32_t GagUser(int32_t user, int32_t flag, int32_t duration);
    int32_t KickUserWithReason(int32_t user, const std::string& reason);
    int32_t SendTone(const std::string& digits);
    // Wave operations 0-7 with their argument record (null for operation 1).
    int32_t WaveOperation(int32_t operation, void* arguments);

private:
    int32_t Select(int32_t operation, void* arguments);
    BSTR SelectText(int32_t operation, const std::string& name);
    void InstallUpdates(void* list, int32_t listResult);

    HWND m_instance = nullptr;
    bool m_holdsLibrary = false;
};
