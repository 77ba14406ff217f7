// An open registry key that closes itself, with the typed value access the
// engine's client key needs.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class CRegistryKey
{
public:
    CRegistryKey() = default;
    ~CRegistryKey();
    CRegistryKey(CRegistryKey&& other) noexcept;
    CRegistryKey& operator=(CRegistryKey&& other) noexcept;
    CRegistryKey(const CRegistryKey&) = delete;
    CRegistryKey& operator=(const CRegistryKey&) = delete;

    // Opens `path` under `parent`, creating the missing keys.
    static CRegistryKey Create(HKEY parent, const std::string& path);
    // Opens an existing key with the given access.
    static CRegistryKey Open(HKEY parent, const std::string& path, REGSAM access);

    bool IsOpen() const { return m_key != nullptr; }
    HKEY Handle() const { return m_key; }

    // A REG_SZ value without its terminator; nothing when missing or of
    // another type.
    std::optional<std::string> ReadText(const std::string& name) const;
    std::optional<std::vector<uint8_t>> ReadBinary(const std::string& name) const;
    bool WriteText(const std::string& name, const std::string& text) const;
    bool WriteBinary(const std::string& name, const std::vector<uint8_t>& bytes) const;
    bool DeleteValue(const std::string& name) const;
    // The names of all values of the key.
    std::vector<std::string> ValueNames() const;
    // Deletes the subkey with everything below it.
    bool DeleteTree(const std::string& subkey) const;

private:
    explicit CRegistryKey(HKEY key) : m_key(key) {}
    std::optional<std::vector<uint8_t>> ReadValue(const std::string& name, DWORD type) const;
    bool WriteValue(const std::string& name, DWORD type, const void* data, size_t size) const;
    void Close();

    HKEY m_key = nullptr;
};
