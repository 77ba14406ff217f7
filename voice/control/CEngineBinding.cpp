#include "CEngineBinding.h"

namespace {

constexpr const char* kLoadErrorText = "Could not load library SnCom.DLL";
constexpr const char* kMissingInterfacePrefix = "Could not find interface ";
constexpr size_t kMaximumErrorText = 99;

using EngineVoidFunction = void (*)();

} // namespace

CEngineBinding::CEngineBinding(IEngineModule& module) : m_module(module)
{
}

bool CEngineBinding::LoadEngineLibrary()
{
    ++m_referenceCount;
    if (m_loaded)
        return true;
    if (!LoadAndBind()) {
        // The failed caller gives its reference back at once, so that it can
        // never release a library that a later link loaded.
        --m_referenceCount;
        return false;
    }
    return true;
}

bool CEngineBinding::LoadAndBind()
{
    if (!m_module.Load()) {
        m_module.ShowError(kLoadErrorText);
        return false;
    }
    m_loaded = true;
    if (!BindExports()) {
        Unload();
        return false;
    }
    CallEntry(EngineExport::Init);
    m_initCalled = true;
    return true;
}

bool CEngineBinding::BindExports()
{
    for (size_t i = 0; i < kEngineExportCount; ++i) {
        m_entries[i] = m_module.FindExport(kEngineExportNames[i]);
        if (!CheckInterfaceBound(m_entries[i], kEngineExportNames[i]))
            return false;
    }
    return true;
}

void CEngineBinding::FreeEngineLibrary()
{
    if (m_referenceCount > 0)
        --m_referenceCount;
    if (m_referenceCount > 0 || !m_loaded)
        return;
    Unload();
}

void CEngineBinding::Unload()
{
    if (m_initCalled)
        CallEntry(EngineExport::Uninit);
    m_initCalled = false;
    m_entries.fill(nullptr);
    m_module.Unload();
    m_loaded = false;
}

bool CEngineBinding::CheckInterfaceBound(const void* entry, const char* exportName)
{
    if (entry)
        return true;
    m_module.ShowError(MissingInterfaceText(exportName));
    return false;
}

void* CEngineBinding::Entry(EngineExport which) const
{
    return m_entries[static_cast<size_t>(which)];
}

std::string CEngineBinding::MissingInterfaceText(const char* exportName)
{
    std::string text = kMissingInterfacePrefix;
    text += exportName;
    if (text.size() > kMaximumErrorText)
        text.resize(kMaximumErrorText);
    return text;
}

void CEngineBinding::CallEntry(EngineExport which)
{
    reinterpret_cast<EngineVoidFunction>(Entry(which))();
}
