#include "FileVersion.h"

#include <windows.h>

#include <vector>

std::optional<VersionNumber> ReadFileVersion(const std::string& path)
{
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &handle);
    if (size == 0)
        return std::nullopt;
    std::vector<uint8_t> data(size);
    if (!GetFileVersionInfoA(path.c_str(), 0, size, data.data()))
        return std::nullopt;
    VS_FIXEDFILEINFO* info = nullptr;
    UINT infoSize = 0;
    if (!VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&info), &infoSize) ||
        info == nullptr || infoSize < sizeof(VS_FIXEDFILEINFO))
        return std::nullopt;
    VersionNumber version;
    version.parts = {HIWORD(info->dwFileVersionMS), LOWORD(info->dwFileVersionMS),
                     HIWORD(info->dwFileVersionLS), LOWORD(info->dwFileVersionLS)};
    return version;
}
