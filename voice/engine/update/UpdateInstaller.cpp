#include "UpdateInstaller.h"

#include "Md5.h"
#include "UpdateResult.h"

namespace {

constexpr char kStagingSuffix[] = ".snnew";
constexpr char kPartSeparator = '<';

// Field 6 of kinds "4" and "6": a name, then "<" and the parameters or text.
std::string NamePart(const std::string& extra)
{
    return extra.substr(0, extra.find(kPartSeparator));
}

std::string RestPart(const std::string& extra)
{
    const size_t separator = extra.find(kPartSeparator);
    return separator == std::string::npos ? std::string() : extra.substr(separator + 1);
}

} // namespace

int32_t UpdateInstaller::Install(const std::vector<UpdateEntry>& entries)
{
    m_restartNeeded = false;
    for (const UpdateEntry& entry : entries) {
        const int32_t result = InstallEntry(entry);
        if (result != UpdateResult::kDone)
            return result;
    }
    return m_restartNeeded ? UpdateResult::kRestartNeeded : UpdateResult::kDone;
}

int32_t UpdateInstaller::InstallEntry(const UpdateEntry& entry)
{
    if (entry.IsRemoval())
        return Remove(entry);
    if (entry.installDirectory.empty() || !m_platform.DirectoryExists(entry.installDirectory))
        return MissingFolderCode(entry.Location());
    if (entry.Kind() == '4')
        return RunProgram(entry);
    return CopyIntoPlace(entry);
}

int32_t UpdateInstaller::Remove(const UpdateEntry& entry)
{
    const std::string& name = entry.Text(UpdateEntry::kInstalledName);
    const std::string path = entry.installDirectory + name;
    if (entry.Kind() == '2')
        m_platform.RegisterServer(path, false);
    if (!m_platform.RemoveFile(path))
        return UpdateResult::kInstallFailed;
    if (entry.installedBefore)
        m_platform.ForgetDirectory(name);
    return UpdateResult::kDone;
}

int32_t UpdateInstaller::RunProgram(const UpdateEntry& entry)
{
    const std::string& extra = entry.Text(UpdateEntry::kExtra);
    const std::string program = NamePart(extra);
    const std::string source = entry.downloadDirectory + program;
    const std::string target = entry.installDirectory + program;
    const std::optional<std::vector<uint8_t>> bytes = m_platform.ReadBytes(source);
    if (!bytes || PlaceFile(*bytes, target, entry.Text(UpdateEntry::kDigest)) != ReplaceOutcome::Replaced)
        return UpdateResult::kInstallFailed;
    m_platform.RemoveFile(source);
    const bool ran = m_platform.RunProgram(target, RestPart(extra));
    m_platform.RemoveFile(target);
    if (!ran)
        return UpdateResult::kInstallFailed;
    m_restartNeeded = true;
    return UpdateResult::kDone;
}

int32_t UpdateInstaller::CopyIntoPlace(const UpdateEntry& entry)
{
    const std::string& name = entry.Text(UpdateEntry::kInstalledName);
    const std::string source = entry.downloadDirectory + entry.Text(UpdateEntry::kDownloadName);
    const std::string target = entry.installDirectory + name;
    const std::optional<std::vector<uint8_t>> bytes = m_platform.ReadBytes(source);
    if (!bytes)
        return UpdateResult::kInstallFailed;
    const ReplaceOutcome outcome = PlaceFile(*bytes, target, entry.Text(UpdateEntry::kDigest));
    if (outcome == ReplaceOutcome::Failed)
        return UpdateResult::kInstallFailed;
    m_platform.RemoveFile(source);
    if (outcome == ReplaceOutcome::AtRestart && entry.NeedsRestart())
        m_restartNeeded = true;
    m_platform.RecordDirectory(name, entry.installDirectory);
    if (entry.Kind() == '2' && outcome == ReplaceOutcome::Replaced && !m_platform.RegisterServer(target, true))
        return UpdateResult::kInstallFailed;
    if (entry.Kind() == '6' && !WriteTextFile(entry))
        return UpdateResult::kInstallFailed;
    return UpdateResult::kDone;
}

bool UpdateInstaller::WriteTextFile(const UpdateEntry& entry)
{
    const std::string& extra = entry.Text(UpdateEntry::kExtra);
    const std::string name = NamePart(extra);
    if (name.empty())
        return true;
    const std::string text = RestPart(extra);
    const std::vector<uint8_t> bytes(text.begin(), text.end());
    const std::string digest = Md5::Base64Of(bytes.data(), bytes.size());
    return PlaceFile(bytes, entry.installDirectory + name, digest) == ReplaceOutcome::Replaced;
}

ReplaceOutcome UpdateInstaller::PlaceFile(const std::vector<uint8_t>& bytes, const std::string& target,
                                          const std::string& expectedDigest)
{
    if (!Md5::MatchesBase64(bytes.data(), bytes.size(), expectedDigest))
        return ReplaceOutcome::Failed;
    const std::string staging = target + kStagingSuffix;
    if (!m_platform.WriteBytes(staging, bytes)) {
        m_platform.RemoveFile(staging);
        return ReplaceOutcome::Failed;
    }
    const std::optional<std::vector<uint8_t>> written = m_platform.ReadBytes(staging);
    if (!written || *written != bytes) {
        m_platform.RemoveFile(staging);
        return ReplaceOutcome::Failed;
    }
    const ReplaceOutcome outcome = m_platform.PutInPlace(staging, target);
    if (outcome == ReplaceOutcome::Failed)
        m_platform.RemoveFile(staging);
    return outcome;
}

int32_t UpdateInstaller::MissingFolderCode(char location)
{
    switch (location) {
    case '2':
        return UpdateResult::kNoPluginFolder;
    case '3':
        return UpdateResult::kNoServerFolder;
    default:
        return UpdateResult::kNoInstallFolder;
    }
}
