// What the update client needs from the machine it runs on: downloads, files,
// the install folders and the registry's record of installed files.
#pragma once

#include "VersionNumber.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

enum class ReplaceOutcome
{
    Replaced,
    AtRestart, // the target is in use: it is replaced when the machine restarts
    Failed,
};

class IUpdatePlatform
{
public:
    virtual ~IUpdatePlatform() = default;

    // Fetches `url` into the file `path`; false on any failure.
    virtual bool Download(const std::string& url, const std::string& path) = 0;

    // The folder for downloads with a trailing separator; empty when none.
    virtual std::string TemporaryDirectory() = 0;
    virtual std::optional<std::vector<uint8_t>> ReadBytes(const std::string& path) = 0;
    // Creates or truncates the file.
    virtual bool WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) = 0;
    // Puts `from` in place of `to` in one step: `to` is either the old file or
    // the whole new one, never a mixture.
    virtual ReplaceOutcome PutInPlace(const std::string& from, const std::string& to) = 0;
    // Deletes a file, read-only or not; true when it is gone.
    virtual bool RemoveFile(const std::string& path) = 0;
    virtual bool FileExists(const std::string& path) = 0;
    virtual bool DirectoryExists(const std::string& path) = 0;
    // The version resource of a file; nothing when it has none.
    virtual std::optional<VersionNumber> FileVersion(const std::string& path) = 0;

    // The folder of an install location ("1" system, "2" browser plug-ins,
    // "3" the folder of the COM server with class `extra`), with a trailing
    // separator; empty when it cannot be found.
    virtual std::string InstallDirectory(char location, const std::string& extra) = 0;
    // The registry's "Directories" record of installed files.
    virtual std::optional<std::string> RecordedDirectory(const std::string& fileName) = 0;
    virtual void RecordDirectory(const std::string& fileName, const std::string& directory) = 0;
    virtual void ForgetDirectory(const std::string& fileName) = 0;

    // Calls the library's DllRegisterServer (or DllUnregisterServer).
    virtual bool RegisterServer(const std::string& path, bool doRegister) = 0;
    // Starts the program and waits until it ends.
    virtual bool RunProgram(const std::string& path, const std::string& parameters) = 0;

    // Drops the running update's content, keeping it first when `keep`.
    virtual void FinishContent(bool keep) = 0;
    virtual void LogError(const std::string& text, unsigned category) = 0;
};
