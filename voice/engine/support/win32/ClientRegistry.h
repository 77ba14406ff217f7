// The engine's registry key "Software\Sonorelle Networks\Client" under
// HKEY_LOCAL_MACHINE: the user agreement record, stamped values, module
// directories, downloaded content and the error log. Writing creates the keys
// that are missing; reading and deleting never create any. A function whose
// key cannot be opened returns false (or nothing) and changes nothing.
#pragma once

#include "StampedRecord.h"

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class CRegistryKey;

enum class ContentArea
{
    Kept,    // "Content": kept for later use by the update client
    Running, // "Content\temp": the running update's content
};

class CClientRegistry
{
public:
    static constexpr const char* kClientKeyPath = "Software\\Sonorelle Networks\\Client";

    explicit CClientRegistry(HKEY root = HKEY_LOCAL_MACHINE,
                             std::string keyPath = kClientKeyPath);

    // True when the user accepted the agreement: the key cannot be opened,
    // "LAST EULA" holds `identifier`, or it holds an earlier version (more
    // than 6 characters), which is then replaced by `identifier`.
    bool CheckAcceptedAgreement(const std::string& identifier) const;
    bool StoreAcceptedAgreement(const std::string& identifier) const;

    // Reads a stamped record from a text value; with `deleteValue` the value
    // is deleted whatever it holds. Nothing when the value is missing.
    std::optional<StampedRecord> ReadStampedValue(const std::string& name,
                                                  bool deleteValue) const;

    // Records the module's directory under "Directories", named by its file.
    bool RegisterModulePath(HMODULE module) const;
    bool RegisterModuleFile(const std::string& path) const;
    std::optional<std::string> ReadDirectory(const std::string& fileName) const;
    bool WriteDirectory(const std::string& fileName, const std::string& directory) const;
    bool DeleteDirectory(const std::string& fileName) const;

    std::optional<std::vector<uint8_t>> ReadContent(ContentArea area,
                                                    const std::string& name) const;
    bool WriteContent(ContentArea area, const std::string& name,
                      const std::vector<uint8_t>& bytes) const;
    bool DeleteContent(ContentArea area, const std::string& name) const;
    // Deletes "Content\temp" with all its values.
    bool DeleteRunningContent() const;
    // Moves every value of "Content\temp" into "Content", then deletes
    // "Content\temp".
    bool KeepRunningContent() const;

    // Puts `text` in front of the category's log, keeping at most five
    // entries; does nothing when the key cannot be opened.
    void AppendLastError(const std::string& text, unsigned category) const;
    // Formats `code` with a printf format taking one unsigned number (for
    // instance "0x%x") and appends it.
    void LogErrorCode(uint32_t code, unsigned category, const char* format) const;

private:
    CRegistryKey OpenClientKey() const;
    CRegistryKey OpenSubkey(const std::string& subkey) const;
    // Opens an existing key (the client key itself for an empty subkey)
    // without creating anything.
    CRegistryKey OpenExisting(const std::string& subkey) const;
    static std::string ContentPath(ContentArea area);

    HKEY m_root;
    std::string m_keyPath;
};
