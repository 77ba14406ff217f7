#include "CBrandingState.h"

CBrandingState::CBrandingState(IResourceModules& modules, int32_t engineBrandCode)
    : m_modules(modules), m_engineBrandCode(engineBrandCode), m_brandCode(engineBrandCode)
{
}

CBrandingState::~CBrandingState()
{
    UnloadAll();
}

bool CBrandingState::MayChange(InstanceId instance) const
{
    return m_owner == 0 || m_owner == instance;
}

bool CBrandingState::SetBranding(InstanceId instance, int32_t brandCode,
                                 ResourceModule hostModule, ResourceModule hostResources,
                                 const std::string& libraryName)
{
    if (!MayChange(instance))
        return false;
    m_owner = instance;
    m_brandCode = brandCode;
    m_hostModule = hostModule;
    m_hostResources = hostResources;
    m_libraryName = libraryName;
    return true;
}

bool CBrandingState::SetBrandName(InstanceId instance, const std::string& libraryName)
{
    if (!MayChange(instance))
        return false;
    m_owner = instance;
    m_libraryName = libraryName;
    return true;
}

void CBrandingState::SetLocale(const std::string& locale)
{
    m_locale = locale;
}

void CBrandingState::RegisterInstance()
{
    ++m_registrations;
    if (!m_engineLanguageLoaded)
        LoadEngineLanguage();
    if (!m_brandModulesLoaded)
        LoadBrandModules();
}

void CBrandingState::Release()
{
    if (m_registrations == 0)
        return;
    if (--m_registrations == 0)
        UnloadAll();
}

void CBrandingState::Uninit()
{
    m_registrations = 0;
    UnloadAll();
}

void CBrandingState::AddModule(ResourceModule module, bool ownedByEngine)
{
    m_loaded.push_back({module, ownedByEngine});
    m_modules.AddToChain(module);
}

void CBrandingState::LoadEngineLanguage()
{
    m_engineLanguageLoaded = true;
    if (ResourceModule module = m_modules.LoadLanguageLibrary(kEngineLanguageBase, m_locale))
        AddModule(module, true);
}

// Nothing is marked loaded while there is no branding yet, so an instance
// that registers after the host set its branding still gets the modules.
void CBrandingState::LoadBrandModules()
{
    if ((m_hostModule == nullptr || m_hostResources == nullptr) && m_libraryName.empty())
        return;
    m_brandModulesLoaded = true;
    if (m_hostModule != nullptr && m_hostResources != nullptr)
        AddModule(m_hostResources, false);
    if (m_libraryName.empty())
        return;
    if (ResourceModule module = m_modules.LoadLanguageLibrary(m_libraryName, m_locale))
        AddModule(module, true);
}

void CBrandingState::UnloadAll()
{
    for (const LoadedModule& loaded : m_loaded) {
        m_modules.RemoveFromChain(loaded.module);
        if (loaded.ownedByEngine)
            m_modules.Unload(loaded.module);
    }
    m_loaded.clear();
    m_owner = 0;
    m_hostModule = nullptr;
    m_hostResources = nullptr;
    m_libraryName.clear();
    m_engineLanguageLoaded = false;
    m_brandModulesLoaded = false;
    m_brandCode = m_engineBrandCode;
}
