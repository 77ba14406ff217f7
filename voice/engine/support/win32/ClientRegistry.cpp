#include "ClientRegistry.h"

#include "Agreement.h"
#include "ErrorLog.h"
#include "ModulePath.h"
#include "RegistryKey.h"

#include <cstdio>
#include <utility>

namespace {

constexpr const char* kAgreementValue = "LAST EULA";
constexpr const char* kDirectoriesKey = "Directories";
constexpr const char* kContentKey = "Content";
constexpr const char* kRunningContentKey = "temp";
constexpr const char* kErrorLogKey = "LastError";

} // namespace

CClientRegistry::CClientRegistry(HKEY root, std::string keyPath)
    : m_root(root), m_keyPath(std::move(keyPath))
{
}

bool CClientRegistry::CheckAcceptedAgreement(const std::string& identifier) const
{
    const CRegistryKey key = OpenClientKey();
    if (!key.IsOpen())
        return true;
    switch (JudgeAgreement(key.ReadText(kAgreementValue), identifier)) {
    case AgreementState::Accepted:
        return true;
    case AgreementState::AcceptedEarlier:
        key.WriteText(kAgreementValue, identifier);
        return true;
    case AgreementState::NotAccepted:
        break;
    }
    return false;
}

bool CClientRegistry::StoreAcceptedAgreement(const std::string& identifier) const
{
    return OpenClientKey().WriteText(kAgreementValue, identifier);
}

std::optional<StampedRecord> CClientRegistry::ReadStampedValue(const std::string& name,
                                                               bool deleteValue) const
{
    const CRegistryKey key = OpenExisting("");
    const std::optional<std::string> text = key.ReadText(name);
    if (deleteValue)
        key.DeleteValue(name);
    if (!text)
        return std::nullopt;
    return DecodeStampedRecord(text->data(), text->size());
}

bool CClientRegistry::RegisterModulePath(HMODULE module) const
{
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(module, path, sizeof(path));
    if (length == 0 || length >= sizeof(path))
        return false;
    return RegisterModuleFile(std::string(path, length));
}

bool CClientRegistry::RegisterModuleFile(const std::string& path) const
{
    const std::optional<ModulePath> parts = SplitModulePath(path);
    return parts && WriteDirectory(parts->fileName, parts->directory);
}

std::optional<std::string> CClientRegistry::ReadDirectory(const std::string& fileName) const
{
    return OpenExisting(kDirectoriesKey).ReadText(fileName);
}

bool CClientRegistry::WriteDirectory(const std::string& fileName,
                                     const std::string& directory) const
{
    return OpenSubkey(kDirectoriesKey).WriteText(fileName, directory);
}

bool CClientRegistry::DeleteDirectory(const std::string& fileName) const
{
    return OpenExisting(kDirectoriesKey).DeleteValue(fileName);
}

std::optional<std::vector<uint8_t>> CClientRegistry::ReadContent(ContentArea area,
                                                                 const std::string& name) const
{
    return OpenExisting(ContentPath(area)).ReadBinary(name);
}

bool CClientRegistry::WriteContent(ContentArea area, const std::string& name,
                                   const std::vector<uint8_t>& bytes) const
{
    return OpenSubkey(ContentPath(area)).WriteBinary(name, bytes);
}

bool CClientRegistry::DeleteContent(ContentArea area, const std::string& name) const
{
    return OpenExisting(ContentPath(area)).DeleteValue(name);
}

bool CClientRegistry::DeleteRunningContent() const
{
    return OpenExisting(kContentKey).DeleteTree(kRunningContentKey);
}

bool CClientRegistry::KeepRunningContent() const
{
    const CRegistryKey running = OpenExisting(ContentPath(ContentArea::Running));
    if (!running.IsOpen())
        return false;
    bool kept = true;
    for (const std::string& name : running.ValueNames()) {
        const std::optional<std::vector<uint8_t>> bytes = running.ReadBinary(name);
        kept = bytes && WriteContent(ContentArea::Kept, name, *bytes) && kept;
    }
    return DeleteRunningContent() && kept;
}

void CClientRegistry::AppendLastError(const std::string& text, unsigned category) const
{
    const CRegistryKey key = OpenSubkey(kErrorLogKey);
    const char* name = ErrorLogCategoryName(category);
    key.WriteText(name, PrependErrorLogEntry(text, key.ReadText(name).value_or("")));
}

void CClientRegistry::LogErrorCode(uint32_t code, unsigned category, const char* format) const
{
    char text[64];
    std::snprintf(text, sizeof(text), format, static_cast<unsigned>(code));
    AppendLastError(text, category);
}

CRegistryKey CClientRegistry::OpenClientKey() const
{
    return CRegistryKey::Create(m_root, m_keyPath);
}

CRegistryKey CClientRegistry::OpenSubkey(const std::string& subkey) const
{
    return CRegistryKey::Create(m_root, m_keyPath + "\\" + subkey);
}

CRegistryKey CClientRegistry::OpenExisting(const std::string& subkey) const
{
    const std::string path = subkey.empty() ? m_keyPath : m_keyPath + "\\" + subkey;
    return CRegistryKey::Open(m_root, path, KEY_READ | KEY_WRITE);
}

std::string CClientRegistry::ContentPath(ContentArea area)
{
    std::string path = kContentKey;
    if (area == ContentArea::Running)
        path += std::string("\\") + kRunningContentKey;
    return path;
}
