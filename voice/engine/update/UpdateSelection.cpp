#include "UpdateSelection.h"

#include "Md5.h"

#include <algorithm>
#include <cctype>

namespace {

constexpr char kEngineComponent[] = "sncom";
constexpr char kAnyHost = 'C';

bool IsLetters(const std::string& text)
{
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; });
}

void AddPrefixes(std::vector<std::string>& codes, const std::string& language)
{
    for (size_t length : {size_t(3), size_t(2)}) {
        if (language.size() < length)
            continue;
        const std::string code = language.substr(0, length);
        if (IsLetters(code) && std::find(codes.begin(), codes.end(), code) == codes.end())
            codes.push_back(code);
    }
}

bool HostMatches(char listed, char given)
{
    return listed == kAnyHost || listed == given;
}

bool SameDownload(const UpdateEntry& a, const UpdateEntry& b)
{
    return a.Kind() == b.Kind() && a.Text(UpdateEntry::kDownloadName) == b.Text(UpdateEntry::kDownloadName) &&
           a.Text(UpdateEntry::kDirectoryUrl) == b.Text(UpdateEntry::kDirectoryUrl);
}

} // namespace

std::vector<std::string> UpdateSelection::LanguageCandidates(const std::string& requested,
                                                             const std::string& system)
{
    std::vector<std::string> codes;
    AddPrefixes(codes, requested);
    AddPrefixes(codes, system);
    AddPrefixes(codes, "en");
    return codes;
}

std::vector<UpdateEntry> UpdateSelection::ForHost(std::vector<UpdateEntry> entries, char firstHostCode,
                                                  char secondHostCode, const std::string& component,
                                                  const std::string& requestedLanguage,
                                                  const std::string& systemLanguage)
{
    Locate(entries);
    const std::vector<std::string> languages = LanguageCandidates(requestedLanguage, systemLanguage);
    SelectLanguage(entries, component, languages);
    SelectLanguage(entries, kEngineComponent, languages);
    for (UpdateEntry& entry : entries) {
        if (!entry.IsComponentKind() && HostMatches(entry.FirstHostCode(), firstHostCode) &&
            HostMatches(entry.SecondHostCode(), secondHostCode))
            entry.selected = true;
    }
    return KeepNeeded(entries);
}

std::vector<UpdateEntry> UpdateSelection::ForRequests(std::vector<UpdateEntry> entries,
                                                      const std::vector<ComponentRequest>& requests,
                                                      const std::string& systemLanguage)
{
    Locate(entries);
    for (const ComponentRequest& request : requests) {
        const bool byLanguage = request.kind == "3" || request.kind == "5";
        if (byLanguage) {
            SelectLanguage(entries, request.name, LanguageCandidates(request.locale, systemLanguage));
            continue;
        }
        for (UpdateEntry& entry : entries) {
            if (entry.Text(UpdateEntry::kComponent) == request.name)
                entry.selected = true;
        }
    }
    return KeepNeeded(entries);
}

void UpdateSelection::Locate(std::vector<UpdateEntry>& entries)
{
    for (UpdateEntry& entry : entries) {
        const std::string& name = entry.Text(UpdateEntry::kInstalledName);
        const std::optional<std::string> recorded = m_platform.RecordedDirectory(name);
        if (recorded && !recorded->empty() && m_platform.FileExists(*recorded + name)) {
            entry.installedBefore = true;
            entry.installDirectory = *recorded;
        } else {
            entry.installDirectory = m_platform.InstallDirectory(entry.Location(), entry.Text(UpdateEntry::kExtra));
        }
    }
}

void UpdateSelection::SelectLanguage(std::vector<UpdateEntry>& entries, const std::string& component,
                                     const std::vector<std::string>& languages)
{
    if (component.empty())
        return;
    for (const std::string& language : languages) {
        bool found = false;
        for (UpdateEntry& entry : entries) {
            if (entry.IsLanguageKind() && entry.Text(UpdateEntry::kComponent) == component &&
                entry.Text(UpdateEntry::kExtra) == language) {
                entry.selected = true;
                found = true;
            }
        }
        if (found)
            return;
    }
}

std::vector<UpdateEntry> UpdateSelection::KeepNeeded(const std::vector<UpdateEntry>& entries)
{
    std::vector<UpdateEntry> kept;
    for (const UpdateEntry& entry : entries) {
        if (!entry.selected || !NeedsWork(entry))
            continue;
        const auto same = [&entry](const UpdateEntry& earlier) { return SameDownload(earlier, entry); };
        if (std::none_of(kept.begin(), kept.end(), same))
            kept.push_back(entry);
    }
    return kept;
}

bool UpdateSelection::NeedsWork(const UpdateEntry& entry)
{
    if (entry.installDirectory.empty())
        return !entry.IsRemoval();
    const std::string path = entry.installDirectory + entry.Text(UpdateEntry::kInstalledName);
    const bool exists = m_platform.FileExists(path);
    if (entry.IsRemoval())
        return exists;
    return !exists || IsOlderThanListed(entry, path);
}

// A file with a version resource is older when its version is; a file
// without one is out of date when its contents differ from the listed digest.
bool UpdateSelection::IsOlderThanListed(const UpdateEntry& entry, const std::string& path)
{
    if (const std::optional<VersionNumber> installed = m_platform.FileVersion(path))
        return CompareVersions(*installed, ParseVersionText(entry.Text(UpdateEntry::kVersion)));
    const std::optional<std::vector<uint8_t>> contents = m_platform.ReadBytes(path);
    return !contents || !Md5::MatchesBase64(contents->data(), contents->size(), entry.Text(UpdateEntry::kDigest));
}
