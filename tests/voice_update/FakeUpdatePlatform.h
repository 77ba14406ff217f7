// An in-memory machine for the update client's tests: files by path, a
// server of URLs, the registry's directory records and the error log, with
// switches that make single operations fail.
#pragma once

#include "IUpdatePlatform.h"

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

class FakeUpdatePlatform : public IUpdatePlatform
{
public:
    std::map<std::string, std::vector<uint8_t>> files;
    std::map<std::string, std::string> server; // URL -> body
    std::set<std::string> directories = {"C:\\sys\\", "C:\\tmp\\"};
    std::map<std::string, VersionNumber> versions;
    std::map<char, std::string> installDirectories = {{'1', "C:\\sys\\"}};
    std::map<std::string, std::string> recorded;
    std::vector<std::pair<std::string, unsigned>> log;
    std::vector<std::string> downloads;
    std::vector<std::string> registered; // "+path" or "-path"
    std::vector<std::string> programs;   // "path parameters"
    std::set<std::string> inUse;         // replaced only at restart
    std::set<std::string> failingWrites;
    std::string temporary = "C:\\tmp\\";
    int finishedKeeping = 0;
    int finishedDropping = 0;

    static std::vector<uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }
    std::string Text(const std::string& path) const
    {
        const auto found = files.find(path);
        return found == files.end() ? std::string("<missing>") : std::string(found->second.begin(), found->second.end());
    }

    bool Download(const std::string& url, const std::string& path) override
    {
        downloads.push_back(url);
        const auto found = server.find(url);
        if (found == server.end())
            return false;
        files[path] = Bytes(found->second);
        return true;
    }
    std::string TemporaryDirectory() override { return temporary; }
    std::optional<std::vector<uint8_t>> ReadBytes(const std::string& path) override
    {
        const auto found = files.find(path);
        if (found == files.end())
            return std::nullopt;
        return found->second;
    }
    bool WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) override
    {
        if (failingWrites.count(path)) {
            files[path] = std::vector<uint8_t>(bytes.begin(), bytes.begin() + bytes.size() / 2);
            return false;
        }
        files[path] = bytes;
        return true;
    }
    ReplaceOutcome PutInPlace(const std::string& from, const std::string& to) override
    {
        const auto found = files.find(from);
        if (found == files.end())
            return ReplaceOutcome::Failed;
        if (inUse.count(to)) {
            pendingAtRestart[to] = found->second;
            files.erase(found);
            return ReplaceOutcome::AtRestart;
        }
        files[to] = found->second;
        files.erase(from);
        return ReplaceOutcome::Replaced;
    }
    bool RemoveFile(const std::string& path) override
    {
        files.erase(path);
        return true;
    }
    bool FileExists(const std::string& path) override { return files.count(path) != 0; }
    bool DirectoryExists(const std::string& path) override { return directories.count(path) != 0; }
    std::optional<VersionNumber> FileVersion(const std::string& path) override
    {
        const auto found = versions.find(path);
        if (found == versions.end())
            return std::nullopt;
        return found->second;
    }
    std::string InstallDirectory(char location, const std::string&) override
    {
        const auto found = installDirectories.find(location);
        return found == installDirectories.end() ? std::string() : found->second;
    }
    std::optional<std::string> RecordedDirectory(const std::string& fileName) override
    {
        const auto found = recorded.find(fileName);
        if (found == recorded.end())
            return std::nullopt;
        return found->second;
    }
    void RecordDirectory(const std::string& fileName, const std::string& directory) override
    {
        recorded[fileName] = directory;
    }
    void ForgetDirectory(const std::string& fileName) override { recorded.erase(fileName); }
    bool RegisterServer(const std::string& path, bool doRegister) override
    {
        registered.push_back((doRegister ? "+" : "-") + path);
        return true;
    }
    bool RunProgram(const std::string& path, const std::string& parameters) override
    {
        programs.push_back(path + " " + parameters);
        return files.count(path) != 0;
    }
    void FinishContent(bool keep) override { ++(keep ? finishedKeeping : finishedDropping); }
    void LogError(const std::string& text, unsigned category) override { log.emplace_back(text, category); }

    std::map<std::string, std::vector<uint8_t>> pendingAtRestart;
};
