#include "RegistryKey.h"

#include <utility>

CRegistryKey::~CRegistryKey()
{
    Close();
}

CRegistryKey::CRegistryKey(CRegistryKey&& other) noexcept : m_key(std::exchange(other.m_key, nullptr))
{
}

CRegistryKey& CRegistryKey::operator=(CRegistryKey&& other) noexcept
{
    if (this != &other) {
        Close();
        m_key = std::exchange(other.m_key, nullptr);
    }
    return *this;
}

CRegistryKey CRegistryKey::Create(HKEY parent, const std::string& path)
{
    HKEY key = nullptr;
    if (RegCreateKeyExA(parent, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_READ | KEY_WRITE, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return CRegistryKey();
    return CRegistryKey(key);
}

CRegistryKey CRegistryKey::Open(HKEY parent, const std::string& path, REGSAM access)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(parent, path.c_str(), 0, access, &key) != ERROR_SUCCESS)
        return CRegistryKey();
    return CRegistryKey(key);
}

std::optional<std::string> CRegistryKey::ReadText(const std::string& name) const
{
    std::optional<std::vector<uint8_t>> data = ReadValue(name, REG_SZ);
    if (!data)
        return std::nullopt;
    while (!data->empty() && data->back() == 0)
        data->pop_back();
    return std::string(data->begin(), data->end());
}

std::optional<std::vector<uint8_t>> CRegistryKey::ReadBinary(const std::string& name) const
{
    return ReadValue(name, REG_BINARY);
}

bool CRegistryKey::WriteText(const std::string& name, const std::string& text) const
{
    return WriteValue(name, REG_SZ, text.c_str(), text.size() + 1);
}

bool CRegistryKey::WriteBinary(const std::string& name, const std::vector<uint8_t>& bytes) const
{
    return WriteValue(name, REG_BINARY, bytes.data(), bytes.size());
}

bool CRegistryKey::DeleteValue(const std::string& name) const
{
    return IsOpen() && RegDeleteValueA(m_key, name.c_str()) == ERROR_SUCCESS;
}

std::vector<std::string> CRegistryKey::ValueNames() const
{
    std::vector<std::string> names;
    for (DWORD index = 0; IsOpen(); ++index) {
        char name[16384];
        DWORD length = sizeof name;
        if (RegEnumValueA(m_key, index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        names.emplace_back(name, length);
    }
    return names;
}

bool CRegistryKey::DeleteTree(const std::string& subkey) const
{
    return IsOpen() && RegDeleteTreeA(m_key, subkey.c_str()) == ERROR_SUCCESS;
}

std::optional<std::vector<uint8_t>> CRegistryKey::ReadValue(const std::string& name,
                                                           DWORD type) const
{
    if (!IsOpen())
        return std::nullopt;
    // The value may grow between the size query and the read; ask again then.
    for (;;) {
        DWORD actualType = 0;
        DWORD size = 0;
        if (RegQueryValueExA(m_key, name.c_str(), nullptr, &actualType, nullptr, &size) !=
                ERROR_SUCCESS ||
            actualType != type)
            return std::nullopt;
        std::vector<uint8_t> data(size);
        const LONG status =
            RegQueryValueExA(m_key, name.c_str(), nullptr, &actualType, data.data(), &size);
        if (status == ERROR_MORE_DATA)
            continue;
        if (status != ERROR_SUCCESS || actualType != type)
            return std::nullopt;
        data.resize(size);
        return data;
    }
}

bool CRegistryKey::WriteValue(const std::string& name, DWORD type, const void* data,
                              size_t size) const
{
    if (!IsOpen() || size > MAXDWORD)
        return false;
    return RegSetValueExA(m_key, name.c_str(), 0, type, static_cast<const BYTE*>(data),
                          static_cast<DWORD>(size)) == ERROR_SUCCESS;
}

void CRegistryKey::Close()
{
    if (m_key != nullptr)
        RegCloseKey(m_key);
    m_key = nullptr;
}
