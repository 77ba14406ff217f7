// The process-wide state of the engine library behind its exports: the
// start count, the resource chain, the instance list with its operation
// dispatch, and the windows each host handle owns.
#pragma once

#include "CBrandingState.h"
#include "CEngineDialogList.h"
#include "CEngineInstanceList.h"
#include "CEngineSelector.h"
#include "CSonorelleWnd.h"
#include "ClientRegistry.h"
#include "CWin32EngineServices.h"
#include "CWin32ResourceModules.h"
#include "EngineInitCount.h"
#include "EngineProcessState.h"
#include "ResourceChain.h"

#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

class CEngineLibrary
{
public:
    static CEngineLibrary& Get();
    static void SetModule(HINSTANCE module);

    void Init();
    void Uninit();

    CEngineInstance* Find(void* handle) const { return m_instances.Find(handle); }
    int32_t RunSelector(const SonorelleIfcSelectorBlock* block) { return m_selector.Run(block); }
    std::string String(int32_t number) { return m_services.String(number); }
    std::string EngineVersion() const { return m_services.EngineVersion(); }
    EngineProcessState& Process() { return m_process; }

    // Creation: kind 1-5; false when the host got the notice instead.
    bool CreateInstance(void* handle, int32_t kind, bool sdk);
    void OnCreate(const SonorelleIfcCreateInfo& info);
    void CreateWindowFor(void* handle, HWND parent);
    void MoveWindowOf(void* handle, int32_t width, int32_t height);
    void SetPluginWindow(void* handle, const RECT& area, HWND window);
    void ShowMessage(void* handle, int32_t captionNumber, int32_t textNumber);
    void Destroy(void* handle);
    void SetBranding(void* handle, int32_t brandCode, const char* library);
    // Counts the instance in with the branding state, which loads the
    // language and branding libraries into the resource chain once.
    void RegisterBranding(void* handle);
    // Anything that keeps the engine's files in use.
    bool InUse() const;
    // Has the update client install the components the instance needs: the
    // branding library and the engine's texts for the locale, and the
    // G.723.1 codec when it dials telephones.
    int32_t EnsureComponents(void* handle);
    const std::string& Locale() const { return m_process.locale; }

private:
    struct HostWindows
    {
        HWND engine = nullptr;
        std::unique_ptr<CSonorelleWnd> session; // owns the engine window
        HWND holder = nullptr;
        HWND attached = nullptr;
        std::unique_ptr<CEngineDialogList> notices;
    };

    CEngineLibrary();
    void Refuse(void* handle);
    void ShowNotice(void* handle, const std::string& caption, const std::string& text);
    HWND WindowOf(void* handle) const;
    HINSTANCE DialogModule(int templateId) const;
    static std::string ModuleDirectory();

    static HINSTANCE s_module;
    EngineInitCount m_count;
    CResourceChain m_resources;
    CClientRegistry m_registry;
    CWin32ResourceModules m_modules;
    CBrandingState m_branding;
    CWin32EngineServices m_services;
    EngineProcessState m_process;
    CEngineInstanceList m_instances;
    CEngineSelector m_selector;
    std::map<void*, HostWindows> m_windows;
};
