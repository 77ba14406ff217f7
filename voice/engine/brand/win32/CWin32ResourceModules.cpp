#include "CWin32ResourceModules.h"

namespace {

std::string LocaleText(LCTYPE type)
{
    char text[16] = {};
    const int length = GetLocaleInfoA(GetThreadLocale(), type, text, sizeof(text));
    return length > 1 ? std::string(text, static_cast<size_t>(length - 1)) : std::string();
}

HMODULE AsModule(ResourceModule module)
{
    return static_cast<HMODULE>(module);
}

} // namespace

CWin32ResourceModules::CWin32ResourceModules(CResourceChain& chain,
                                             const CClientRegistry& registry,
                                             std::string engineDirectory)
    : m_chain(chain), m_registry(registry), m_engineDirectory(std::move(engineDirectory))
{
}

SystemLocale CWin32ResourceModules::ThreadLocale()
{
    return SystemLocale{LocaleText(LOCALE_SISO639LANGNAME), LocaleText(LOCALE_SISO3166CTRYNAME),
                        LocaleText(LOCALE_SABBREVLANGNAME), LocaleText(LOCALE_SABBREVCTRYNAME)};
}

HMODULE CWin32ResourceModules::LoadFile(const std::string& fileName) const
{
    if (!m_engineDirectory.empty()) {
        if (HMODULE module = LoadLibraryA((m_engineDirectory + fileName).c_str()))
            return module;
    }
    return LoadLibraryA(fileName.c_str());
}

ResourceModule CWin32ResourceModules::LoadLanguageLibrary(const std::string& baseName,
                                                          const std::string& locale)
{
    for (const LanguageLibraryAttempt& attempt :
         LanguageLibraryAttempts(baseName, locale, ThreadLocale())) {
        for (const std::string& fileName : attempt.fileNames) {
            if (HMODULE module = LoadFile(fileName)) {
                m_registry.RegisterModulePath(module);
                return module;
            }
        }
    }
    return nullptr;
}

void CWin32ResourceModules::AddToChain(ResourceModule module)
{
    m_chain.AddModule(AsModule(module));
}

void CWin32ResourceModules::RemoveFromChain(ResourceModule module)
{
    m_chain.RemoveModule(AsModule(module));
}

void CWin32ResourceModules::Unload(ResourceModule module)
{
    FreeLibrary(AsModule(module));
}
