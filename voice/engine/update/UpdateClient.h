// The update client: fetches the update list, picks what this machine needs,
// downloads it with every file checked, and installs it.
#pragma once

#include "ComponentRequests.h"
#include "IUpdatePlatform.h"
#include "StampedRecord.h"
#include "UpdateEntry.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct UpdateLanguages
{
    std::string requested;
    std::string system;
};

class UpdateClient
{
public:
    UpdateClient(IUpdatePlatform& platform, std::string baseUrl);

    // The stamped record's URL when it is valid and expires in the future but
    // less than 60 days ahead; otherwise `builtIn`.
    static std::string ChooseBaseUrl(const std::optional<StampedRecord>& record, uint32_t now,
                                     const std::string& builtIn);

    // Builds the list for the host codes and component and downloads its
    // files; the entries are left for the caller to install.
    int32_t Prepare(char firstHostCode, char secondHostCode, const std::string& component,
                    const UpdateLanguages& languages, std::vector<UpdateEntry>& entries);
    // Builds, downloads and installs what the component requests need.
    int32_t InstallComponents(const std::vector<ComponentRequest>& requests, const UpdateLanguages& languages);
    // Installs prepared entries and finishes the update's content.
    int32_t Install(const std::vector<UpdateEntry>& entries);
    // Keeps the running update's content after a result of 0 or 1, else drops it.
    void Finish(int32_t result);

private:
    int32_t FetchList(std::vector<UpdateEntry>& entries);
    int32_t Download(std::vector<UpdateEntry>& entries);
    void DeleteDownloads(const std::vector<UpdateEntry>& entries, size_t count);

    IUpdatePlatform& m_platform;
    std::string m_baseUrl;
};
