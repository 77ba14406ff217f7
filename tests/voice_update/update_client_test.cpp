#include "FakeUpdatePlatform.h"
#include "StampedRecord.h"
#include "UpdateClient.h"
#include "UpdateFixtures.h"

#include <gtest/gtest.h>

namespace {

const std::string kBase = "http://h/updates";
const std::string kList = kBase + "/snver.enc";
const std::string kSys = "C:\\sys\\";
const std::string kTemp = "C:\\tmp\\";

struct Update
{
    FakeUpdatePlatform platform;
    UpdateClient client{platform, kBase};

    void Serve(const std::string& name, const std::string& contents)
    {
        platform.server["http://h/files/" + name] = contents;
    }
    int32_t Prepare(std::vector<UpdateEntry>& entries)
    {
        return client.Prepare('L', 'O', "", {"", "enu"}, entries);
    }
};

} // namespace

TEST(UpdateClient, PreparesTheNeededFilesInTheTemporaryFolder)
{
    Update update;
    update.platform.files[kSys + "have.dat"] = FakeUpdatePlatform::Bytes("same");
    update.platform.server[kList] = ListLine("10LO1", "1.0", "http://h/files", "new.dat", "new.dl", "", "fresh", "c") +
                                    "\r\n" + ListLine("10CC1", "1.0", "http://h/files", "have.dat", "have.dl", "", "same", "c") +
                                    "\r\nbad line\r\n";
    update.Serve("new.dl", "fresh");
    std::vector<UpdateEntry> entries;
    EXPECT_EQ(update.Prepare(entries), 0);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].downloadDirectory, kTemp);
    EXPECT_EQ(update.platform.Text(kTemp + "new.dl"), "fresh");
    EXPECT_EQ(update.platform.downloads, (std::vector<std::string>{kList, "http://h/files/new.dl"}));
    EXPECT_EQ(update.platform.log, (std::vector<std::pair<std::string, unsigned>>{{"66 snver", 3}}));
    EXPECT_EQ(update.platform.finishedDropping, 1); // the last update's content went first
    EXPECT_EQ(update.client.Install(entries), 0);
    EXPECT_EQ(update.platform.Text(kSys + "new.dat"), "fresh");
    EXPECT_EQ(update.platform.finishedKeeping, 1);
}

TEST(UpdateClient, FailuresGiveTheirCodesAndDropEarlierDownloads)
{
    const struct { const char* name; bool list; const char* second; bool temporary; int32_t result; } cases[] = {
        {"no list", false, "b", true, 103},
        {"corrupt second file", true, "corrupt", true, 104},
        {"second file missing", true, nullptr, true, 104},
        {"no temporary folder", true, "b", false, 107},
    };
    for (const auto& c : cases) {
        Update update;
        if (c.list)
            update.platform.server[kList] = ListLine("10CC1", "1", "http://h/files", "a.dat", "a.dl", "", "a", "c") + "\n" +
                                            ListLine("10CC1", "1", "http://h/files", "b.dat", "b.dl", "", "b", "c");
        update.Serve("a.dl", "a");
        if (c.second)
            update.Serve("b.dl", c.second);
        if (!c.temporary)
            update.platform.temporary.clear();
        std::vector<UpdateEntry> entries;
        EXPECT_EQ(update.Prepare(entries), c.result) << c.name;
        EXPECT_FALSE(update.platform.FileExists(kTemp + "a.dl")) << c.name;
        EXPECT_FALSE(update.platform.FileExists(kTemp + "b.dl")) << c.name;
        EXPECT_FALSE(update.platform.FileExists(kSys + "a.dat")) << c.name;
    }
}

TEST(UpdateClient, ComponentRequestsAreInstalledAtOnce)
{
    Update update;
    update.platform.files[kSys + "sx5363s.dll"] = FakeUpdatePlatform::Bytes("old codec");
    update.platform.server[kList] = ListLine("10CC6", "2.0", "http://h/files", "sx5363s.dll", "codec.dl", "", "codec", "G72364") +
                                    "\n" + ListLine("10LO1", "1.0", "http://h/files", "host.dat", "host.dl", "", "h", "c");
    update.Serve("codec.dl", "codec");
    EXPECT_EQ(update.client.InstallComponents({{"G72364", "", "6"}}, {"", "enu"}), 0);
    EXPECT_EQ(update.platform.Text(kSys + "sx5363s.dll"), "codec");
    EXPECT_FALSE(update.platform.FileExists(kSys + "host.dat"));
    EXPECT_EQ(update.platform.finishedKeeping, 1);

    update.platform.server[kList] += "\n" + ListLine("20CC6", "2.0", "http://h/files", "np.dll", "np.dl", "", "np", "G72364");
    update.Serve("np.dl", "np");
    update.platform.files[kSys + "sx5363s.dll"] = FakeUpdatePlatform::Bytes("old codec");
    EXPECT_EQ(update.client.InstallComponents({{"G72364", "", "6"}}, {"", "enu"}), 106); // no plug-in folder
    EXPECT_EQ(update.platform.Text(kSys + "sx5363s.dll"), "codec");
    EXPECT_FALSE(update.platform.FileExists(kTemp + "np.dl")); // not left behind

    update.Serve("codec.dl", "tampered");
    update.platform.files[kSys + "sx5363s.dll"] = FakeUpdatePlatform::Bytes("old codec");
    EXPECT_EQ(update.client.InstallComponents({{"G72364", "", "6"}}, {"", "enu"}), 104);
    EXPECT_EQ(update.platform.Text(kSys + "sx5363s.dll"), "old codec");
    EXPECT_EQ(update.platform.finishedDropping, 5); // before each list, and after each failure
}

TEST(UpdateClient, TheStampedBaseUrlCountsOnlyWhileItIsValidAndNear)
{
    const uint32_t now = 1700000000;
    const auto record = [](bool valid, uint32_t expiry) {
        StampedRecord stamped;
        stamped.text = "http://127.0.0.1:8000/updates";
        stamped.valid = valid;
        stamped.expiry = expiry;
        return std::optional<StampedRecord>(stamped);
    };
    const struct { std::optional<StampedRecord> record; bool stamped; } cases[] = {
        {record(true, now + 1), true},
        {record(true, now + 5183999), true},
        {record(true, now + 5184000), false},
        {record(true, now), false},
        {record(true, now - 1), false},
        {record(false, now + 100), false},
        {std::nullopt, false},
    };
    for (const auto& c : cases) {
        const std::string chosen = UpdateClient::ChooseBaseUrl(c.record, now, "http://built-in/updates");
        EXPECT_EQ(chosen, c.stamped ? "http://127.0.0.1:8000/updates" : "http://built-in/updates");
    }
}
