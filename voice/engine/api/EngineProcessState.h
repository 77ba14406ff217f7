// What all engine instances of a process share: the branding library's
// name, the brand code and the locale.
#pragma once

#include <cstdint>
#include <string>

struct EngineProcessState
{
    static constexpr int32_t kEngineBrand = 'L';   // 76, the code the controls pass
    static constexpr int32_t kServiceBrand = 'Z';  // turns TinyStitch on

    std::string customBrand;
    int32_t brandCode = kEngineBrand;
    std::string locale = "en-US";
    bool localeLocked = false;
};
