// The process-wide branding state of the voice engine: who set the branding,
// the brand code, the branding library, the host's resource module and the
// locale, and the resource modules loaded for the registered instances.
// Used from the GUI thread only.
#pragma once

#include "IResourceModules.h"

#include <cstdint>
#include <string>
#include <vector>

class CBrandingState
{
public:
    using InstanceId = uintptr_t;

    CBrandingState(IResourceModules& modules, int32_t engineBrandCode);
    CBrandingState(const CBrandingState&) = delete;
    CBrandingState& operator=(const CBrandingState&) = delete;
    ~CBrandingState();

    // Both are ignored (false) when another instance owns the branding.
    bool SetBranding(InstanceId instance, int32_t brandCode, ResourceModule hostModule,
                     ResourceModule hostResources, const std::string& libraryName);
    bool SetBrandName(InstanceId instance, const std::string& libraryName);
    void SetLocale(const std::string& locale);

    // Counts the instance in and loads what is not loaded yet: the engine's
    // language library, then the host's resources and the branding library.
    // The caller hands Locale() to the instance's engine window.
    void RegisterInstance();
    // Counts an instance out; the last one unloads every module and clears the
    // branding.
    void Release();
    // The last engine user ends: releases whatever is still registered.
    void Uninit();

    InstanceId Owner() const { return m_owner; }
    int32_t BrandCode() const { return m_brandCode; }
    const std::string& LibraryName() const { return m_libraryName; }
    const std::string& Locale() const { return m_locale; }
    uint32_t RegistrationCount() const { return m_registrations; }

    static constexpr const char* kEngineLanguageBase = "SNCom";

private:
    struct LoadedModule
    {
        ResourceModule module;
        bool ownedByEngine; // the host's module is never freed by the engine
    };

    bool MayChange(InstanceId instance) const;
    void AddModule(ResourceModule module, bool ownedByEngine);
    void LoadEngineLanguage();
    void LoadBrandModules();
    void UnloadAll();

    IResourceModules& m_modules;
    const int32_t m_engineBrandCode;
    InstanceId m_owner = 0;
    int32_t m_brandCode;
    ResourceModule m_hostModule = nullptr;
    ResourceModule m_hostResources = nullptr;
    std::string m_libraryName;
    std::string m_locale;
    std::vector<LoadedModule> m_loaded;
    uint32_t m_registrations = 0;
    bool m_engineLanguageLoaded = false;
    bool m_brandModulesLoaded = false;
};
