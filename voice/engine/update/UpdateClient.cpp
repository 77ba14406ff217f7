#include "UpdateClient.h"

#include "UpdateInstaller.h"
#include "UpdateListText.h"
#include "UpdatePipeline.h"
#include "UpdateResult.h"
#include "UpdateSelection.h"

#include <cstdio>

namespace {

constexpr uint32_t kLongestUrlLifetime = 5184000; // 60 days
constexpr char kListFile[] = "/snver.enc";
constexpr char kListComponent[] = "snver";

} // namespace

UpdateClient::UpdateClient(IUpdatePlatform& platform, std::string baseUrl)
    : m_platform(platform), m_baseUrl(std::move(baseUrl))
{
}

std::string UpdateClient::ChooseBaseUrl(const std::optional<StampedRecord>& record, uint32_t now,
                                        const std::string& builtIn)
{
    if (record && record->valid && record->expiry > now && record->expiry - now < kLongestUrlLifetime)
        return record->text;
    return builtIn;
}

int32_t UpdateClient::Prepare(char firstHostCode, char secondHostCode, const std::string& component,
                              const UpdateLanguages& languages, std::vector<UpdateEntry>& entries)
{
    std::vector<UpdateEntry> listed;
    const int32_t fetched = FetchList(listed);
    if (fetched != UpdateResult::kDone)
        return fetched;
    entries = UpdateSelection(m_platform).ForHost(std::move(listed), firstHostCode, secondHostCode, component,
                                                  languages.requested, languages.system);
    return Download(entries);
}

int32_t UpdateClient::InstallComponents(const std::vector<ComponentRequest>& requests,
                                        const UpdateLanguages& languages)
{
    std::vector<UpdateEntry> listed;
    int32_t result = FetchList(listed);
    if (result == UpdateResult::kDone) {
        std::vector<UpdateEntry> entries =
            UpdateSelection(m_platform).ForRequests(std::move(listed), requests, languages.system);
        result = Download(entries);
        if (result == UpdateResult::kDone)
            return Install(entries);
    }
    Finish(result);
    return result;
}

int32_t UpdateClient::Install(const std::vector<UpdateEntry>& entries)
{
    const int32_t result = UpdateInstaller(m_platform).Install(entries);
    Finish(result);
    // Installed files took their downloads with them; the rest are not kept.
    DeleteDownloads(entries, entries.size());
    return result;
}

void UpdateClient::Finish(int32_t result)
{
    m_platform.FinishContent(result == UpdateResult::kDone || result == UpdateResult::kRestartNeeded);
}

int32_t UpdateClient::FetchList(std::vector<UpdateEntry>& entries)
{
    m_platform.FinishContent(false);
    const std::string temporary = m_platform.TemporaryDirectory();
    if (temporary.empty())
        return UpdateResult::kNoTemporaryFolder;
    UpdatePipeline pipeline(m_platform, temporary);
    if (pipeline.Run(UpdatePipeline::kListSteps, {m_baseUrl + kListFile, "", "", kListComponent}) == 0)
        return UpdateResult::kListNotAvailable;
    const std::vector<uint8_t>& data = pipeline.Data();
    UpdateListParse parsed = UpdateListText::Parse(std::string(data.begin(), data.end()));
    for (size_t i = 0; i < parsed.rejectedLines; ++i) {
        char code[16];
        std::snprintf(code, sizeof code, "%x", static_cast<unsigned>(UpdateResult::kBadListLine));
        m_platform.LogError(std::string(code) + " " + kListComponent, UpdateLog::kDownload);
    }
    entries = std::move(parsed.entries);
    return UpdateResult::kDone;
}

int32_t UpdateClient::Download(std::vector<UpdateEntry>& entries)
{
    if (entries.empty())
        return UpdateResult::kDone;
    const std::string temporary = m_platform.TemporaryDirectory();
    if (temporary.empty())
        return UpdateResult::kNoTemporaryFolder;
    UpdatePipeline pipeline(m_platform, temporary);
    for (size_t i = 0; i < entries.size(); ++i) {
        UpdateEntry& entry = entries[i];
        if (entry.IsRemoval())
            continue;
        const std::string& name = entry.Text(UpdateEntry::kDownloadName);
        const PipelineJob job{entry.Text(UpdateEntry::kDirectoryUrl) + "/" + name, temporary + name,
                              entry.Text(UpdateEntry::kDigest), entry.Text(UpdateEntry::kComponent)};
        if (pipeline.Run(UpdatePipeline::kFileSteps, job) == 0) {
            DeleteDownloads(entries, i);
            return UpdateResult::kDownloadFailed;
        }
        entry.downloadDirectory = temporary;
    }
    return UpdateResult::kDone;
}

void UpdateClient::DeleteDownloads(const std::vector<UpdateEntry>& entries, size_t count)
{
    for (size_t i = 0; i < count; ++i) {
        if (!entries[i].downloadDirectory.empty())
            m_platform.RemoveFile(entries[i].downloadDirectory + entries[i].Text(UpdateEntry::kDownloadName));
    }
}
