// Loads the voice engine library for the engine binding: by its plain name in
// the default search order, then from the Windows system directory. Binding
// errors are shown in a message box.
#pragma once

#include "IEngineModule.h"

#include <windows.h>

#include <string>

class CWin32EngineModule : public IEngineModule
{
public:
    explicit CWin32EngineModule(std::string libraryName = "SnCom");
    ~CWin32EngineModule() override;
    CWin32EngineModule(const CWin32EngineModule&) = delete;
    CWin32EngineModule& operator=(const CWin32EngineModule&) = delete;

    bool Load() override;
    void* FindExport(const char* name) override;
    void Unload() override;
    void ShowError(const std::string& text) override;

    HMODULE Handle() const { return m_module; }

private:
    HMODULE LoadFromSystemDirectory() const;

    std::string m_libraryName;
    HMODULE m_module = nullptr;
};
