#include "CUpdateCheckStore.h"

#include "RegistryKey.h"
#include "UpdateCheckThrottle.h"

#include <optional>

CUpdateCheckStore::CUpdateCheckStore(HKEY root, std::string keyPath)
    : m_root(root), m_keyPath(std::move(keyPath))
{
}

bool CUpdateCheckStore::IsUpdateCheckDue(uint32_t now) const
{
    const CRegistryKey key = CRegistryKey::Open(m_root, m_keyPath, KEY_READ);
    if (!key.IsOpen())
        return true;
    const std::optional<std::string> stored = key.ReadText(kUpdateCheckValueName);
    if (!stored)
        return ::IsUpdateCheckDue(std::nullopt, now);
    return ::IsUpdateCheckDue(std::string_view(*stored), now);
}

bool CUpdateCheckStore::SetNextUpdateCheck(uint32_t now) const
{
    const CRegistryKey key = CRegistryKey::Create(m_root, m_keyPath);
    return key.IsOpen() && key.WriteText(kUpdateCheckValueName, NextUpdateCheckRecord(now));
}

bool CUpdateCheckStore::TakeUpdateCheck(uint32_t now) const
{
    return IsUpdateCheckDue(now) && SetNextUpdateCheck(now);
}

bool CUpdateCheckStore::RecordLibraryFolder(const std::string& libraryPath) const
{
    const std::optional<LibraryFolderEntry> entry = MakeLibraryFolderEntry(libraryPath);
    if (!entry)
        return false;
    const CRegistryKey key = CRegistryKey::Create(m_root, m_keyPath + "\\Directories");
    return key.IsOpen() && key.WriteText(entry->valueName, entry->folder);
}
