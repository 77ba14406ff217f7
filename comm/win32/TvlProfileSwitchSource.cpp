#include "TvlProfileSwitchSource.h"

#include <windows.h>

int32_t CTvlProfileSwitchSource::GetInt(const char* key, int32_t defaultValue)
{
    return static_cast<int32_t>(GetPrivateProfileIntA(kTvlSwitchSection, key, defaultValue, m_file.c_str()));
}
