#include "FakeUpdatePlatform.h"
#include "UpdateFixtures.h"
#include "UpdateInstaller.h"
#include "UpdateListText.h"

#include <gtest/gtest.h>

namespace {

const std::string kSys = "C:\\sys\\";
const std::string kTemp = "C:\\tmp\\";

UpdateEntry Entry(const std::string& flags, const std::string& name, const std::string& contents,
                  const std::string& extra = "")
{
    UpdateEntry entry;
    EXPECT_TRUE(UpdateListText::ParseLine(ListLine(flags, "1.0", "u", name, name + ".dl", extra, contents, "c"), entry));
    entry.installDirectory = kSys;
    entry.downloadDirectory = kTemp;
    return entry;
}

struct Machine
{
    FakeUpdatePlatform platform;

    Machine()
    {
        platform.files[kSys + "a.dll"] = FakeUpdatePlatform::Bytes("old");
    }
    void Downloaded(const std::string& name, const std::string& contents)
    {
        platform.files[kTemp + name + ".dl"] = FakeUpdatePlatform::Bytes(contents);
    }
    int32_t Install(const std::vector<UpdateEntry>& entries) { return UpdateInstaller(platform).Install(entries); }
    // Nothing but the given files is in the install folder.
    size_t FilesIn(const std::string& folder) const
    {
        size_t count = 0;
        for (const auto& file : platform.files)
            count += file.first.rfind(folder, 0) == 0 ? 1 : 0;
        return count;
    }
};

} // namespace

TEST(UpdateInstaller, ReplacesTheFileAndRecordsItsFolder)
{
    Machine machine;
    machine.Downloaded("a.dll", "new");
    EXPECT_EQ(machine.Install({Entry("10CC1", "a.dll", "new")}), 0);
    EXPECT_EQ(machine.platform.Text(kSys + "a.dll"), "new");
    EXPECT_FALSE(machine.platform.FileExists(kTemp + "a.dll.dl"));
    EXPECT_EQ(machine.FilesIn(kSys), 1u);
    EXPECT_EQ(machine.platform.recorded["a.dll"], kSys);
}

TEST(UpdateInstaller, ABadOrUnwritableCopyLeavesTheOldFile)
{
    const struct { const char* name; const char* downloaded; bool writeFails; } cases[] = {
        {"corrupt", "nex", false},
        {"partial", "ne", false},
        {"missing", nullptr, false},
        {"write fails half way", "new", true},
    };
    for (const auto& c : cases) {
        Machine machine;
        if (c.downloaded)
            machine.Downloaded("a.dll", c.downloaded);
        if (c.writeFails)
            machine.platform.failingWrites.insert(kSys + "a.dll.snnew");
        EXPECT_EQ(machine.Install({Entry("10CC1", "a.dll", "new")}), 110) << c.name;
        EXPECT_EQ(machine.platform.Text(kSys + "a.dll"), "old") << c.name;
        EXPECT_EQ(machine.FilesIn(kSys), 1u) << c.name; // no staging file left behind
        EXPECT_EQ(machine.platform.recorded.count("a.dll"), 0u) << c.name;
    }
}

TEST(UpdateInstaller, StopsAtTheFirstFailure)
{
    Machine machine;
    machine.Downloaded("b.dll", "bad");
    machine.Downloaded("c.dll", "c");
    EXPECT_EQ(machine.Install({Entry("10CC1", "b.dll", "b"), Entry("10CC1", "c.dll", "c")}), 110);
    EXPECT_FALSE(machine.platform.FileExists(kSys + "c.dll"));
}

TEST(UpdateInstaller, AFileInUseNeedsARestartWhenItsEntrySaysSo)
{
    const struct { const char* flags; int32_t result; } cases[] = {{"10CC11", 1}, {"10CC10", 0}};
    for (const auto& c : cases) {
        Machine machine;
        machine.Downloaded("a.dll", "new");
        machine.platform.inUse.insert(kSys + "a.dll");
        EXPECT_EQ(machine.Install({Entry(c.flags, "a.dll", "new")}), c.result) << c.flags;
        EXPECT_EQ(machine.platform.Text(kSys + "a.dll"), "old");
        EXPECT_EQ(machine.platform.pendingAtRestart.count(kSys + "a.dll"), 1u);
    }
}

TEST(UpdateInstaller, AMissingFolderGivesTheLocationsCode)
{
    const struct { const char* flags; int32_t result; } cases[] = {{"10CC1", 109}, {"20CC1", 106}, {"30CC1", 108}};
    for (const auto& c : cases) {
        Machine machine;
        machine.Downloaded("z.dll", "z");
        UpdateEntry entry = Entry(c.flags, "z.dll", "z");
        entry.installDirectory = "C:\\nowhere\\";
        EXPECT_EQ(machine.Install({entry}), c.result) << c.flags;
        entry.installDirectory.clear();
        EXPECT_EQ(machine.Install({entry}), c.result) << c.flags;
    }
}

TEST(UpdateInstaller, RemovalUnregistersServersAndForgetsRecordedFolders)
{
    Machine machine;
    machine.platform.files[kSys + "s.dll"] = FakeUpdatePlatform::Bytes("server");
    machine.platform.recorded["s.dll"] = kSys;
    UpdateEntry server = Entry("1dCC2", "s.dll", "x");
    server.installedBefore = true;
    EXPECT_EQ(machine.Install({Entry("1dCC1", "a.dll", "x"), server}), 0);
    EXPECT_FALSE(machine.platform.FileExists(kSys + "a.dll"));
    EXPECT_FALSE(machine.platform.FileExists(kSys + "s.dll"));
    EXPECT_EQ(machine.platform.registered, (std::vector<std::string>{"-" + kSys + "s.dll"}));
    EXPECT_EQ(machine.platform.recorded.count("s.dll"), 0u);
}

TEST(UpdateInstaller, ServersAreRegisteredProgramsRunAndTextFilesWritten)
{
    Machine machine;
    machine.Downloaded("s.dll", "server");
    machine.platform.files[kTemp + "setup.exe"] = FakeUpdatePlatform::Bytes("program");
    machine.Downloaded("codec.dll", "codec");
    EXPECT_EQ(machine.Install({Entry("10CC2", "s.dll", "server"),
                               Entry("10CC4", "setup.exe", "program", "setup.exe</quiet /x"),
                               Entry("10CC6", "codec.dll", "codec", "codec.ini<[codec]")}),
              1); // a program ran
    EXPECT_EQ(machine.platform.registered, (std::vector<std::string>{"+" + kSys + "s.dll"}));
    EXPECT_EQ(machine.platform.programs, (std::vector<std::string>{kSys + "setup.exe /quiet /x"}));
    EXPECT_FALSE(machine.platform.FileExists(kSys + "setup.exe"));
    EXPECT_EQ(machine.platform.Text(kSys + "codec.dll"), "codec");
    EXPECT_EQ(machine.platform.Text(kSys + "codec.ini"), "[codec]");
}
