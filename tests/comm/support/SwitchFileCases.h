// Test helper: switch-file contents and the integer the profile rules give,
// shared by the portable reader's tests and the Windows reader's tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "TvlSwitchSource.h"

struct SwitchFileCase {
    const char* name;
    const char* content; // nullptr: no file at all
    const char* key;
    int32_t defaultValue;
    int32_t expected;
};

const std::vector<SwitchFileCase>& SwitchFileCases();

// A file in the test temporary folder that is removed when this ends.
class CScratchFile {
public:
    explicit CScratchFile(const char* name);
    ~CScratchFile();
    CScratchFile(const CScratchFile&) = delete;
    CScratchFile& operator=(const CScratchFile&) = delete;

    // Writes the content, or removes the file for nullptr.
    void Write(const char* content) const;
    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
};

// Installs a source for the lifetime of the object.
class CSwitchSourceScope {
public:
    explicit CSwitchSourceScope(ITvlSwitchSource* source) : m_previous(TvlSetSwitchSource(source)) {}
    ~CSwitchSourceScope() { TvlSetSwitchSource(m_previous); }
    CSwitchSourceScope(const CSwitchSourceScope&) = delete;
    CSwitchSourceScope& operator=(const CSwitchSourceScope&) = delete;

private:
    ITvlSwitchSource* m_previous;
};
