#include "CWin32EngineModule.h"

#include <cstdio>

CWin32EngineModule::CWin32EngineModule(std::string libraryName)
    : m_libraryName(std::move(libraryName))
{
}

CWin32EngineModule::~CWin32EngineModule()
{
    Unload();
}

bool CWin32EngineModule::Load()
{
    m_module = LoadLibraryA(m_libraryName.c_str());
    if (!m_module)
        m_module = LoadFromSystemDirectory();
    return m_module != nullptr;
}

HMODULE CWin32EngineModule::LoadFromSystemDirectory() const
{
    char directory[MAX_PATH];
    const UINT length = GetSystemDirectoryA(directory, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return nullptr;
    char path[MAX_PATH];
    const int written =
        std::snprintf(path, sizeof path, "%s\\%s.dll", directory, m_libraryName.c_str());
    if (written < 0 || static_cast<size_t>(written) >= sizeof path)
        return nullptr;
    return LoadLibraryA(path);
}

void* CWin32EngineModule::FindExport(const char* name)
{
    if (!m_module)
        return nullptr;
    return reinterpret_cast<void*>(GetProcAddress(m_module, name));
}

void CWin32EngineModule::Unload()
{
    if (m_module)
        FreeLibrary(m_module);
    m_module = nullptr;
}

void CWin32EngineModule::ShowError(const std::string& text)
{
    MessageBoxA(nullptr, text.c_str(), "ERROR", MB_OK | MB_ICONERROR);
}
