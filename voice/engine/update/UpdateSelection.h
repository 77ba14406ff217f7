// Which entries of the update list this machine needs: the entries for the
// host codes or for named components, in the best available language, that are
// missing, older than listed, or listed for removal.
#pragma once

#include "ComponentRequests.h"
#include "IUpdatePlatform.h"
#include "UpdateEntry.h"

#include <string>
#include <vector>

class UpdateSelection
{
public:
    explicit UpdateSelection(IUpdatePlatform& platform) : m_platform(platform) {}

    // The language codes to try in order: the requested code as three
    // letters, then two, the same for the system's language, then "en".
    static std::vector<std::string> LanguageCandidates(const std::string& requested,
                                                       const std::string& system);

    // The entries an update for the host code pair needs; `component`'s and
    // the engine's own language libraries are in the requested language, else
    // the system's, else English.
    std::vector<UpdateEntry> ForHost(std::vector<UpdateEntry> entries, char firstHostCode,
                                     char secondHostCode, const std::string& component,
                                     const std::string& requestedLanguage,
                                     const std::string& systemLanguage);
    // The entries the component requests need.
    std::vector<UpdateEntry> ForRequests(std::vector<UpdateEntry> entries,
                                         const std::vector<ComponentRequest>& requests,
                                         const std::string& systemLanguage);

private:
    void Locate(std::vector<UpdateEntry>& entries);
    static void SelectLanguage(std::vector<UpdateEntry>& entries, const std::string& component,
                               const std::vector<std::string>& languages);
    std::vector<UpdateEntry> KeepNeeded(const std::vector<UpdateEntry>& entries);
    bool NeedsWork(const UpdateEntry& entry);
    bool IsOlderThanListed(const UpdateEntry& entry, const std::string& path);

    IUpdatePlatform& m_platform;
};
