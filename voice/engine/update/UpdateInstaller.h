// Installs downloaded update files, in list order, stopping at the first
// failure. A file is never overwritten in place: the new contents are written
// beside the target, read back and checked against the listed digest, and only
// then put in place of the target in one step. A failure leaves the old file
// as it was.
#pragma once

#include "IUpdatePlatform.h"
#include "UpdateEntry.h"

#include <cstdint>
#include <string>
#include <vector>

class UpdateInstaller
{
public:
    explicit UpdateInstaller(IUpdatePlatform& platform) : m_platform(platform) {}

    // 0 done, 1 done and a restart is needed, or the failure's code.
    int32_t Install(const std::vector<UpdateEntry>& entries);

private:
    int32_t InstallEntry(const UpdateEntry& entry);
    int32_t Remove(const UpdateEntry& entry);
    int32_t RunProgram(const UpdateEntry& entry);
    int32_t CopyIntoPlace(const UpdateEntry& entry);
    bool WriteTextFile(const UpdateEntry& entry);
    // Puts `bytes` in place of `target` through a checked staging file.
    ReplaceOutcome PlaceFile(const std::vector<uint8_t>& bytes, const std::string& target,
                             const std::string& expectedDigest);
    static int32_t MissingFolderCode(char location);

    IUpdatePlatform& m_platform;
    bool m_restartNeeded = false;
};
