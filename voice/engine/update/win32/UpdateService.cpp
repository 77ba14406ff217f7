#include "UpdateService.h"

#include "CWin32UpdatePlatform.h"
#include "UpdateClient.h"
#include "UpdateListText.h"
#include "UpdateResult.h"

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <ctime>

namespace {

constexpr char kBaseUrlValue[] = "snacus";
constexpr char kBuiltInBaseUrl[] = ZR_UPDATE_BASE_URL;

void* HandOver(const std::vector<UpdateEntry>& entries)
{
    if (entries.empty())
        return nullptr;
    const std::string text = UpdateListText::FormatHandOver(entries);
    void* block = LocalAlloc(LMEM_FIXED, text.size() + 1);
    if (block)
        std::memcpy(block, text.c_str(), text.size() + 1);
    return block;
}

} // namespace

int32_t UpdateService::PrepareList(int32_t firstHostCode, int32_t secondHostCode, const std::string& component,
                                   const std::string& locale, void** list)
{
    if (list)
        *list = nullptr;
    CWin32UpdatePlatform platform;
    UpdateClient client(platform, BaseUrl());
    std::vector<UpdateEntry> entries;
    const int32_t result = client.Prepare(static_cast<char>(firstHostCode), static_cast<char>(secondHostCode),
                                          component, {locale, SystemLanguage()}, entries);
    if (result != UpdateResult::kDone || !list)
        return result;
    *list = HandOver(entries);
    return entries.empty() || *list ? result : static_cast<int32_t>(UpdateResult::kDownloadFailed);
}

int32_t UpdateService::InstallComponents(const std::vector<ComponentRequest>& requests, const std::string& locale)
{
    if (requests.empty())
        return UpdateResult::kDone;
    CWin32UpdatePlatform platform;
    return UpdateClient(platform, BaseUrl()).InstallComponents(requests, {locale, SystemLanguage()});
}

int32_t UpdateService::InstallList(void* list)
{
    if (!list)
        return UpdateResult::kDone;
    const std::vector<UpdateEntry> entries = UpdateListText::ParseHandOver(static_cast<const char*>(list));
    LocalFree(list);
    CWin32UpdatePlatform platform;
    return UpdateClient(platform, std::string()).Install(entries);
}

void UpdateService::Finish(int32_t result)
{
    CWin32UpdatePlatform platform;
    UpdateClient(platform, std::string()).Finish(result);
}

std::string UpdateService::BaseUrl()
{
    const std::optional<StampedRecord> record = CClientRegistry().ReadStampedValue(kBaseUrlValue, true);
    return UpdateClient::ChooseBaseUrl(record, static_cast<uint32_t>(std::time(nullptr)), kBuiltInBaseUrl);
}

// The user's language as its three-letter abbreviation in lower case.
std::string UpdateService::SystemLanguage()
{
    char name[16] = {};
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SABBREVLANGNAME, name, sizeof name) == 0)
        return std::string();
    std::string language = name;
    std::transform(language.begin(), language.end(), language.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return language;
}
