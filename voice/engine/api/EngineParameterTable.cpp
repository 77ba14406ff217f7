#include "EngineParameterTable.h"

#include <cctype>

namespace {

using K = EngineParamKind;
using R = EngineParamRoute;

const std::vector<EngineParameterInfo> kParameters = {
    {0, "ConfName", K::Text, R::ByName},
    {1, "ServerAddress", K::Text, R::ByName},
    {2, "Username", K::Text, R::SdkProperty},
    {3, "AutoJoin", K::Flag, R::ByName},
    {4, "Account", K::Text, R::ByName},
    {5, "StitchUrl", K::Text, R::UiOption},
    {6, "EnableBreakout", K::Flag, R::UiOption},
    {7, "Host", K::Flag, R::UiOption},
    {8, "UserIcon", K::Number, R::SdkProperty},
    {9, "ShowConf", K::Flag, R::UiOption},
    {10, "CustomBrand", K::Text, R::UiOption},
    {11, "AccountKey", K::Text, R::IndexOnly},
    {12, "ContainerApp", K::Text, R::SdkProperty},
    {13, "ContainerAppVersion", K::Text, R::SdkProperty},
    {14, "UserLocale", K::Text, R::UiOption},
    {15, "SDKmode", K::Flag, R::ByName},
    {16, nullptr, K::Text, R::IndexOnly},
    {17, "HandsFreeMode", K::Flag, R::SdkProperty},
    {18, "UMIgnore", K::Flag, R::UiOption},
    {19, "UMInstantMessage", K::Flag, R::UiOption},
    {20, "SMChangeName", K::Flag, R::UiOption},
    {21, "SMIconChoices", K::Text, R::UiOption},
    {22, "SMMute", K::Flag, R::UiOption},
    {23, "UIOptions", K::Number, R::UiOption},
    {24, "ConfClone", K::Number, R::IndexOnly},
    {25, "Tunnel", K::Number, R::SdkProperty},
    {26, "TinyStitch", K::Flag, R::UiOption},
    {27, "PhoneDialInfo", K::Text, R::SdkProperty},
    {28, "PhoneUserInfo", K::Text, R::SdkProperty},
    {29, "PhoneKeyPadUI", K::Text, R::UiOption},
    {30, "PhoneCallerID", K::Text, R::SdkProperty},
    {31, "PhoneDTMFOnConnect", K::Text, R::SdkProperty},
    {32, "ListenMode", K::Number, R::SdkProperty},
    {33, "RequireAudio", K::None, R::SdkProperty},
    {-1, "ShowEULA", K::Flag, R::UiOption},
    {-1, "Mute", K::Flag, R::SdkProperty},
    {-1, "SoundEnabled", K::Flag, R::SdkProperty},
};

bool SameName(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        const auto ca = std::tolower(static_cast<unsigned char>(a[i]));
        const auto cb = std::tolower(static_cast<unsigned char>(b[i]));
        if (ca != cb)
            return false;
    }
    return true;
}

} // namespace

const std::vector<EngineParameterInfo>& EngineParameterTable::All()
{
    return kParameters;
}

const EngineParameterInfo* EngineParameterTable::Find(std::string_view name)
{
    for (const auto& info : kParameters) {
        if (info.name && SameName(info.name, name))
            return &info;
    }
    return nullptr;
}

const EngineParameterInfo* EngineParameterTable::AtIndex(int32_t index)
{
    if (index < 0 || index >= EngineParam::kCount)
        return nullptr;
    return &kParameters[static_cast<size_t>(index)];
}
