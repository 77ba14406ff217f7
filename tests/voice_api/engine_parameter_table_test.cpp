#include "EngineParameterTable.h"

#include <gtest/gtest.h>

#include <cctype>
#include <set>
#include <string>

namespace {

struct NamedParameter
{
    const char* name;
    int32_t index;
    EngineParamKind kind;
    EngineParamRoute route;
};

using K = EngineParamKind;
using R = EngineParamRoute;

const NamedParameter kNamed[] = {
    {"ConfName", 0, K::Text, R::ByName},           {"ServerAddress", 1, K::Text, R::ByName},
    {"Username", 2, K::Text, R::SdkProperty},      {"AutoJoin", 3, K::Flag, R::ByName},
    {"Account", 4, K::Text, R::ByName},            {"StitchUrl", 5, K::Text, R::UiOption},
    {"EnableBreakout", 6, K::Flag, R::UiOption},   {"Host", 7, K::Flag, R::UiOption},
    {"UserIcon", 8, K::Number, R::SdkProperty},    {"ShowConf", 9, K::Flag, R::UiOption},
    {"CustomBrand", 10, K::Text, R::UiOption},     {"AccountKey", 11, K::Text, R::IndexOnly},
    {"ContainerApp", 12, K::Text, R::SdkProperty}, {"ContainerAppVersion", 13, K::Text, R::SdkProperty},
    {"UserLocale", 14, K::Text, R::UiOption},      {"SDKmode", 15, K::Flag, R::ByName},
    {"HandsFreeMode", 17, K::Flag, R::SdkProperty}, {"UMIgnore", 18, K::Flag, R::UiOption},
    {"UMInstantMessage", 19, K::Flag, R::UiOption}, {"SMChangeName", 20, K::Flag, R::UiOption},
    {"SMIconChoices", 21, K::Text, R::UiOption},   {"SMMute", 22, K::Flag, R::UiOption},
    {"UIOptions", 23, K::Number, R::UiOption},     {"ConfClone", 24, K::Number, R::IndexOnly},
    {"Tunnel", 25, K::Number, R::SdkProperty},     {"TinyStitch", 26, K::Flag, R::UiOption},
    {"PhoneDialInfo", 27, K::Text, R::SdkProperty}, {"PhoneUserInfo", 28, K::Text, R::SdkProperty},
    {"PhoneKeyPadUI", 29, K::Text, R::UiOption},   {"PhoneCallerID", 30, K::Text, R::SdkProperty},
    {"PhoneDTMFOnConnect", 31, K::Text, R::SdkProperty}, {"ListenMode", 32, K::Number, R::SdkProperty},
    {"RequireAudio", 33, K::None, R::SdkProperty}, {"ShowEULA", -1, K::Flag, R::UiOption},
    {"Mute", -1, K::Flag, R::SdkProperty},         {"SoundEnabled", -1, K::Flag, R::SdkProperty},
};

std::string Swapped(const char* name)
{
    std::string swapped = name;
    for (auto& c : swapped) {
        const auto byte = static_cast<unsigned char>(c);
        c = static_cast<char>(std::isupper(byte) ? std::tolower(byte) : std::toupper(byte));
    }
    return swapped;
}

} // namespace

TEST(EngineParameterTable, EveryNameResolvesToItsIndexKindAndRouteInAnyCase)
{
    for (const auto& expected : kNamed) {
        for (const std::string& spelling : {std::string(expected.name), Swapped(expected.name)}) {
            SCOPED_TRACE(spelling);
            const auto* info = EngineParameterTable::Find(spelling);
            ASSERT_NE(info, nullptr);
            EXPECT_EQ(info->index, expected.index);
            EXPECT_EQ(info->kind, expected.kind);
            EXPECT_EQ(info->route, expected.route);
        }
    }
}

TEST(EngineParameterTable, UnknownNamesAreNotFound)
{
    for (const char* name : {"", "Conf", "ConfName ", "ConfNameX", "Mute\t", "URL"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(EngineParameterTable::Find(name), nullptr);
    }
}

TEST(EngineParameterTable, IndicesZeroToThirtyThreeAreEachOnceAndNothingElse)
{
    std::set<int32_t> seen;
    for (int32_t index = 0; index < EngineParam::kCount; ++index) {
        const auto* info = EngineParameterTable::AtIndex(index);
        ASSERT_NE(info, nullptr) << index;
        EXPECT_EQ(info->index, index);
        seen.insert(info->index);
    }
    EXPECT_EQ(seen.size(), 34u);
    for (int32_t index : {-1, 34, 35, 1000, INT32_MIN}) {
        EXPECT_EQ(EngineParameterTable::AtIndex(index), nullptr) << index;
    }
    // The host page URL has an index but no name.
    EXPECT_EQ(EngineParameterTable::AtIndex(16)->name, nullptr);
}
