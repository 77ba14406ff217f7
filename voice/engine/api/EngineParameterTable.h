// The instance parameters of the engine: index, name, kind and the operation
// through which a host sets each one by name.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

enum class EngineParamKind { Text, Flag, Number, None };

// Which named operation sets the parameter: user-interface option (op 12),
// SDK property (op 14), plain set by name (op 18), or only by index.
enum class EngineParamRoute { UiOption, SdkProperty, ByName, IndexOnly };

struct EngineParameterInfo
{
    int32_t index;           // -1 for named values without an index
    const char* name;        // nullptr for values without a name
    EngineParamKind kind;
    EngineParamRoute route;
};

namespace EngineParam {
constexpr int32_t kConfName = 0;
constexpr int32_t kServerAddress = 1;
constexpr int32_t kUsername = 2;
constexpr int32_t kAutoJoin = 3;
constexpr int32_t kAccount = 4;
constexpr int32_t kStitchUrl = 5;
constexpr int32_t kShowConf = 9;
constexpr int32_t kUserIcon = 8;
constexpr int32_t kCustomBrand = 10;
constexpr int32_t kAccountKey = 11;
constexpr int32_t kContainerApp = 12;
constexpr int32_t kContainerAppVersion = 13;
constexpr int32_t kUserLocale = 14;
constexpr int32_t kSdkMode = 15;
constexpr int32_t kHostUrl = 16;
constexpr int32_t kHandsFree = 17;
constexpr int32_t kSmIconChoices = 21;
constexpr int32_t kUiOptions = 23;
constexpr int32_t kConfClone = 24;
constexpr int32_t kTunnel = 25;
constexpr int32_t kTinyStitch = 26;
constexpr int32_t kPhoneDialInfo = 27;
constexpr int32_t kPhoneUserInfo = 28;
constexpr int32_t kPhoneCallerId = 30;
constexpr int32_t kPhoneDtmfOnConnect = 31;
constexpr int32_t kRequireAudio = 33;
constexpr int32_t kCount = 34;          // indices 0-33
constexpr int32_t kLastSettable = 32;   // op 16 ignores higher indices
} // namespace EngineParam

class EngineParameterTable
{
public:
    // Every parameter with an index, in index order, then the named extras.
    static const std::vector<EngineParameterInfo>& All();
    // By name, without regard to case; nullptr when unknown.
    static const EngineParameterInfo* Find(std::string_view name);
    // nullptr outside 0-33.
    static const EngineParameterInfo* AtIndex(int32_t index);
};
