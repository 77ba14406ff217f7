// The update client's machine side on Windows: HTTP downloads through the
// internet functions on a worker thread, files, install folders and the
// engine's client registry key.
#pragma once

#include "ClientRegistry.h"
#include "IUpdatePlatform.h"

#include <windows.h>

class CWin32UpdatePlatform : public IUpdatePlatform
{
public:
    explicit CWin32UpdatePlatform(CClientRegistry registry = CClientRegistry()) : m_registry(registry) {}

    bool Download(const std::string& url, const std::string& path) override;
    std::string TemporaryDirectory() override;
    std::optional<std::vector<uint8_t>> ReadBytes(const std::string& path) override;
    bool WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) override;
    ReplaceOutcome PutInPlace(const std::string& from, const std::string& to) override;
    bool RemoveFile(const std::string& path) override;
    bool FileExists(const std::string& path) override;
    bool DirectoryExists(const std::string& path) override;
    std::optional<VersionNumber> FileVersion(const std::string& path) override;
    std::string InstallDirectory(char location, const std::string& extra) override;
    std::optional<std::string> RecordedDirectory(const std::string& fileName) override;
    void RecordDirectory(const std::string& fileName, const std::string& directory) override;
    void ForgetDirectory(const std::string& fileName) override;
    bool RegisterServer(const std::string& path, bool doRegister) override;
    bool RunProgram(const std::string& path, const std::string& parameters) override;
    void FinishContent(bool keep) override;
    void LogError(const std::string& text, unsigned category) override;

private:
    static std::string SystemDirectory();
    static std::string PluginDirectory();
    static std::string ServerDirectory(const std::string& classId);

    CClientRegistry m_registry;
};
