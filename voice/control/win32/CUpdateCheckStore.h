// The registry side of the update-check throttle: the time of the next due
// check under the client key, and the folder of the control library under
// its "Directories" subkey.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

class CUpdateCheckStore
{
public:
    static constexpr const char* kClientKeyPath = "Software\\Sonorelle Networks\\Client";

    explicit CUpdateCheckStore(HKEY root = HKEY_LOCAL_MACHINE,
                               std::string keyPath = kClientKeyPath);

    // True when the stored time makes a check due at `now`.
    bool IsUpdateCheckDue(uint32_t now) const;
    // Stores the time of the next check; true only when the key was opened
    // and the value written.
    bool SetNextUpdateCheck(uint32_t now) const;
    // True when a check should run now: one is due and the time of the next
    // one was stored. At most one check runs per half hour.
    bool TakeUpdateCheck(uint32_t now) const;
    // Writes the folder of the library at `libraryPath` under "Directories",
    // named after its file name; false when nothing was written.
    bool RecordLibraryFolder(const std::string& libraryPath) const;

private:
    HKEY m_root;
    std::string m_keyPath;
};
