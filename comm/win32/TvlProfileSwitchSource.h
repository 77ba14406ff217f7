// Switch source of the Windows client: the private-profile file TVLDEBUG.INI.
#pragma once

#include <string>
#include <utility>

#include "TvlSwitchSource.h"

// GetPrivateProfileIntA on section "Debug" of the file. Without a path the
// system looks for the file in the Windows directory.
class CTvlProfileSwitchSource : public ITvlSwitchSource {
public:
    explicit CTvlProfileSwitchSource(std::string file = kTvlSwitchFile) : m_file(std::move(file)) {}

    int32_t GetInt(const char* key, int32_t defaultValue) override;

private:
    std::string m_file;
};
