#include "FakeUpdatePlatform.h"
#include "UpdateFixtures.h"
#include "UpdateListText.h"
#include "UpdateSelection.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<UpdateEntry> Entries(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return UpdateListText::Parse(text).entries;
}

std::vector<std::string> Names(const std::vector<UpdateEntry>& entries)
{
    std::vector<std::string> names;
    for (const UpdateEntry& entry : entries)
        names.push_back(entry.Text(UpdateEntry::kInstalledName));
    return names;
}

VersionNumber Version(const char* text)
{
    return ParseVersionText(text);
}

} // namespace

TEST(UpdateSelection, LanguageCandidatesGoFromRequestedToSystemToEnglish)
{
    using Codes = std::vector<std::string>;
    const struct { const char* requested; const char* system; Codes codes; } cases[] = {
        {"deu", "fra", {"deu", "de", "fra", "fr", "en"}},
        {"de", "enu", {"de", "enu", "en"}},
        {"en-US", "deu", {"en", "deu", "de"}},
        {"", "", {"en"}},
        {"x", "1ab", {"en"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(UpdateSelection::LanguageCandidates(c.requested, c.system), c.codes) << c.requested;
}

TEST(UpdateSelection, HostCodesSelectAndComponentKindsWaitForTheirName)
{
    FakeUpdatePlatform platform;
    const auto entries = Entries({
        ListLine("10LO1", "1.0", "u", "both.dll", "d1", "", "x", "c"),
        ListLine("10CC1", "1.0", "u", "any.dll", "d2", "", "x", "c"),
        ListLine("10LC1", "1.0", "u", "first.dll", "d3", "", "x", "c"),
        ListLine("10XO1", "1.0", "u", "other.dll", "d4", "", "x", "c"),
        ListLine("10LX1", "1.0", "u", "other2.dll", "d5", "", "x", "c"),
        ListLine("10CC6", "1.0", "u", "codec.dll", "d6", "", "x", "G72364"),
        ListLine("10CC3", "1.0", "u", "SNComdeu.dll", "d7", "deu", "x", "sncom"),
        ListLine("10CC5", "1.0", "u", "Brandenu.dll", "d8", "enu", "x", "Brand"),
    });
    const auto kept = UpdateSelection(platform).ForHost(entries, 'L', 'O', "", "", "fra");
    EXPECT_EQ(Names(kept), (std::vector<std::string>{"both.dll", "any.dll", "first.dll"}));
}

TEST(UpdateSelection, LanguageEntriesComeInTheFirstLanguageListed)
{
    FakeUpdatePlatform platform;
    const auto entries = Entries({
        ListLine("10CC3", "1.0", "u", "SNComdeu.dll", "a", "deu", "x", "sncom"),
        ListLine("10CC3", "1.0", "u", "SNComen.dll", "b", "en", "x", "sncom"),
        ListLine("10CC5", "1.0", "u", "Brandfr.dll", "c", "fr", "x", "Brand"),
        ListLine("10CC5", "1.0", "u", "Branden.dll", "d", "en", "x", "Brand"),
        ListLine("10CC5", "1.0", "u", "Otheren.dll", "e", "en", "x", "Other"),
    });
    EXPECT_EQ(Names(UpdateSelection(platform).ForHost(entries, 'L', 'O', "Brand", "fra", "deu")),
              (std::vector<std::string>{"SNComdeu.dll", "Brandfr.dll"}));
    EXPECT_EQ(Names(UpdateSelection(platform).ForHost(entries, 'L', 'O', "Brand", "ita", "jpn")),
              (std::vector<std::string>{"SNComen.dll", "Branden.dll"}));
}

TEST(UpdateSelection, KeepsOnlyWhatIsMissingOlderOrToBeRemoved)
{
    FakeUpdatePlatform platform;
    const std::string sys = "C:\\sys\\";
    platform.files[sys + "same.dll"] = FakeUpdatePlatform::Bytes("v");
    platform.versions[sys + "same.dll"] = Version("1.2.3.4");
    platform.files[sys + "older.dll"] = FakeUpdatePlatform::Bytes("v");
    platform.versions[sys + "older.dll"] = Version("1.2.9.3"); // the third number does not count
    platform.files[sys + "current.dat"] = FakeUpdatePlatform::Bytes("new");
    platform.files[sys + "stale.dat"] = FakeUpdatePlatform::Bytes("old");
    platform.files[sys + "gone.dll"] = FakeUpdatePlatform::Bytes("v");
    const auto entries = Entries({
        ListLine("10CC1", "1.2.0.4", "u", "same.dll", "a", "", "x", "c"),
        ListLine("10CC1", "1.2.0.4", "u", "older.dll", "b", "", "x", "c"),
        ListLine("10CC1", "1.0", "u", "missing.dll", "c", "", "x", "c"),
        ListLine("10CC1", "1.0", "u", "current.dat", "d", "", "new", "c"),
        ListLine("10CC1", "1.0", "u", "stale.dat", "e", "", "new", "c"),
        ListLine("1dCC1", "1.0", "u", "gone.dll", "f", "", "x", "c"),
        ListLine("1dCC1", "1.0", "u", "absent.dll", "g", "", "x", "c"),
    });
    EXPECT_EQ(Names(UpdateSelection(platform).ForHost(entries, 'L', 'O', "", "", "")),
              (std::vector<std::string>{"older.dll", "missing.dll", "stale.dat", "gone.dll"}));
}

TEST(UpdateSelection, ADownloadIsKeptOnceAndRecordedFoldersCount)
{
    FakeUpdatePlatform platform;
    platform.directories.insert("D:\\app\\");
    platform.recorded["moved.dll"] = "D:\\app\\";
    platform.files["D:\\app\\moved.dll"] = FakeUpdatePlatform::Bytes("old");
    platform.recorded["stale.dll"] = "D:\\nothing\\"; // the file is not there: the location counts
    const auto entries = Entries({
        ListLine("10CC1", "1.0", "u", "a.dll", "same.cab", "", "x", "c"),
        ListLine("10CC1", "1.0", "u", "b.dll", "same.cab", "", "x", "c"),
        ListLine("10CC1", "1.0", "v", "c.dll", "same.cab", "", "x", "c"),
        ListLine("10CC2", "1.0", "u", "d.dll", "same.cab", "", "x", "c"),
        ListLine("10CC1", "1.0", "u", "moved.dll", "m", "", "new", "c"),
        ListLine("10CC1", "1.0", "u", "stale.dll", "s", "", "x", "c"),
    });
    const auto kept = UpdateSelection(platform).ForHost(entries, 'L', 'O', "", "", "");
    EXPECT_EQ(Names(kept), (std::vector<std::string>{"a.dll", "c.dll", "d.dll", "moved.dll", "stale.dll"}));
    EXPECT_TRUE(kept[3].installedBefore);
    EXPECT_EQ(kept[3].installDirectory, "D:\\app\\");
    EXPECT_FALSE(kept[4].installedBefore);
    EXPECT_EQ(kept[4].installDirectory, "C:\\sys\\");
}

TEST(UpdateSelection, ComponentRequestsSelectByNameAndLanguage)
{
    FakeUpdatePlatform platform;
    const auto entries = Entries({
        ListLine("10LO1", "1.0", "u", "host.dll", "a", "", "x", "c"),
        ListLine("10CC6", "1.0", "u", "sx5363s.dll", "b", "", "x", "G72364"),
        ListLine("10CC1", "1.0", "u", "qpl.dll", "c", "", "x", "QUAL68"),
        ListLine("10CC5", "1.0", "u", "Brandde.dll", "d", "de", "x", "Brand"),
        ListLine("10CC5", "1.0", "u", "Branden.dll", "e", "en", "x", "Brand"),
        ListLine("10CC3", "1.0", "u", "SNComen.dll", "f", "en", "x", "sncom"),
    });
    const std::vector<ComponentRequest> requests = {{"Brand", "de-DE", "5"}, {"G72364", "", "6"}};
    EXPECT_EQ(Names(UpdateSelection(platform).ForRequests(entries, requests, "enu")),
              (std::vector<std::string>{"sx5363s.dll", "Brandde.dll"}));
    EXPECT_EQ(Names(UpdateSelection(platform).ForRequests(entries, {{"QUAL68", "", "1"}}, "enu")),
              (std::vector<std::string>{"qpl.dll"}));
    EXPECT_TRUE(UpdateSelection(platform).ForRequests(entries, {{"none", "", "1"}}, "enu").empty());
}
