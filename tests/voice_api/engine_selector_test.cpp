#include "CEngineSelector.h"
#include "FakeEngineServices.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class EngineSelectorTest : public ::testing::Test
{
protected:
    EngineSelectorTest()
        : instances(process, services),
          selector(instances, services, [this](void* handle) { refused.push_back(handle); })
    {
    }

    int32_t Run(void* handle, int32_t operation, void* arguments)
    {
        SonorelleIfcSelectorBlock block{1, handle, operation, arguments};
        return selector.Run(&block);
    }
    int32_t Create(void* handle, int32_t kind, bool sdk)
    {
        SonorelleIfcCreateArgs args{kind, static_cast<uint8_t>(sdk ? 1 : 0)};
        const int32_t made = Run(handle, SonorelleIfcOp::kCreateInstance, &args);
        if (CEngineInstance* instance = instances.Find(handle))
            instance->AttachSession(&services);
        return made;
    }
    std::pair<int32_t, std::string> Read(void* handle, int32_t operation, const char* name)
    {
        SonorelleIfcNameResult record{name, nullptr};
        const int32_t status = Run(handle, operation, &record);
        return {status, record.value ? static_cast<const char*>(record.value) : "<none>"};
    }

    int first = 0;
    int second = 0;
    int third = 0;
    EngineProcessState process;
    FakeEngineServices services;
    CEngineInstanceList instances;
    CEngineSelector selector;
    std::vector<void*> refused;
};

} // namespace

TEST_F(EngineSelectorTest, AdmissionAllowsOneInstanceOrOnlySdkInstances)
{
    const struct
    {
        const char* what;
        bool firstSdk;
        bool secondSdk;
        int32_t secondResult;
    } cases[] = {
        {"plain then plain", false, false, 0},
        {"plain then sdk", false, true, 0},
        {"sdk then plain", true, false, 0},
        {"sdk then sdk", true, true, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        instances.Remove(&first);
        instances.Remove(&second);
        refused.clear();
        EXPECT_EQ(Create(&first, 1, c.firstSdk), 1);
        EXPECT_EQ(Create(&second, 2, c.secondSdk), c.secondResult);
        EXPECT_EQ(instances.Find(&second) != nullptr, c.secondResult == 1);
        EXPECT_EQ(refused, c.secondResult ? std::vector<void*>{} : std::vector<void*>{&second});
    }
}

TEST_F(EngineSelectorTest, UnknownInstancesUnknownOperationsAndNullBlocksGiveZero)
{
    EXPECT_EQ(selector.Run(nullptr), 0);
    SonorelleIfcNameValue set{"Tunnel", "5"};
    EXPECT_EQ(Run(&first, SonorelleIfcOp::kSetSdkProperty, &set), 0);
    ASSERT_EQ(Create(&first, 1, false), 1);
    EXPECT_EQ(Run(&first, SonorelleIfcOp::kSetSdkProperty, &set), 0);
    EXPECT_EQ(Run(&first, SonorelleIfcOp::kSetUiOption, &set), 1);
    for (int32_t operation : {21, 22, -1, 1000}) {
        EXPECT_EQ(Run(&first, operation, &set), 0) << operation;
    }
    for (int32_t operation = 8; operation <= 20; ++operation) {
        EXPECT_EQ(Run(&first, operation, nullptr), 0) << operation;
    }
    EXPECT_EQ(Run(&first, SonorelleIfcOp::kCreateInstance, nullptr), 0);
}

TEST_F(EngineSelectorTest, ReadOperationsWriteAnAllocatedText)
{
    ASSERT_EQ(Create(&first, 1, false), 1);
    SonorelleIfcNameValue set{"Tunnel", "8618200"};
    ASSERT_EQ(Run(&first, SonorelleIfcOp::kSetSdkProperty, &set), 0);
    const struct { int32_t operation; const char* name; int32_t status; const char* value; } cases[] = {
        {SonorelleIfcOp::kGetSdkProperty, "Tunnel", 0, "8618200"},
        {SonorelleIfcOp::kGetSdkProperty, "RequireAudio", 2, ""},
        {SonorelleIfcOp::kGetSdkProperty, "Unknown", 1, ""},
        {SonorelleIfcOp::kGetUiOption, "UMIgnore", 0, "true"},
        {SonorelleIfcOp::kGetUiOption, "Tunnel", 1, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Read(&first, c.operation, c.name), std::make_pair(c.status, std::string(c.value)))
            << c.name;
    }
}

TEST_F(EngineSelectorTest, SetByIndexAlwaysAnswersZero)
{
    ASSERT_EQ(Create(&first, 1, false), 1);
    const std::string name = "room";
    for (int32_t index : {0, 10, 32, 33, 34, -5}) {
        SonorelleIfcIndexValue record{index, reinterpret_cast<intptr_t>(name.c_str())};
        EXPECT_EQ(Run(&first, SonorelleIfcOp::kSetByIndex, &record), 0) << index;
    }
    EXPECT_EQ(Read(&first, SonorelleIfcOp::kGetSdkProperty, "ConfName").second, "room");
    EXPECT_EQ(process.customBrand, "");
}

TEST_F(EngineSelectorTest, JoinOperationNeedsAllFiveTextsAndStoresThem)
{
    ASSERT_EQ(Create(&first, 1, false), 1);
    SonorelleIfcJoinArgs partial{"conf.test", "room", "", "1", "a2V5"};
    EXPECT_EQ(Run(&first, SonorelleIfcOp::kJoin, &partial), 1301);
    EXPECT_EQ(Read(&first, SonorelleIfcOp::kGetSdkProperty, "ServerAddress").second, "");
    SonorelleIfcJoinArgs withNull{"conf.test", nullptr, "Ann", "1", "a2V5"};
    EXPECT_EQ(Run(&first, SonorelleIfcOp::kJoin, &withNull), 1301);

    SonorelleIfcJoinArgs full{"conf.test", "room", "Ann", "17", "a2V5"};
    EXPECT_EQ(Run(&first, SonorelleIfcOp::kJoin, &full), 0);
    ASSERT_EQ(services.connections.size(), 1u);
    EXPECT_EQ(services.connections[0].server, "conf.test");
    EXPECT_EQ(Read(&first, SonorelleIfcOp::kGetSdkProperty, "Account").second, "17");
    EXPECT_EQ(instances.Find(&first)->SdkMarker(), "sdk");
    EXPECT_EQ(Run(&first, SonorelleIfcOp::kJoin, &full), 1308);
}

TEST_F(EngineSelectorTest, UserOperationsAndTonesReportTheirChecks)
{
    ASSERT_EQ(Create(&first, 1, false), 1);
    SonorelleIfcUserFlag ignore{3, 1};
    SonorelleIfcGagArgs gag{3, 0x8001, 60};
    SonorelleIfcKickArgs kick{3, "noise"};
    SonorelleIfcToneArgs digit{'5'};
    SonorelleIfcToneArgs capital{'Q'};
    EXPECT_EQ(Run(&first, SonorelleIfcOp::kIgnore, &ignore), 1304);
    EXPECT_EQ(Run(&first, SonorelleIfcOp::kGag, &gag), 1304);
    EXPECT_EQ(Run(&first, SonorelleIfcOp::kKick, &kick), 1304);
    EXPECT_EQ(Run(&first, SonorelleIfcOp::kTone, &digit), 1304);
    EXPECT_EQ(Run(&first, SonorelleIfcOp::kTone, &capital), 1501);
}

TEST_F(EngineSelectorTest, MuteIsTheMuteProperty)
{
    ASSERT_EQ(Create(&first, 1, false), 1);
    SonorelleIfcLongArg on{1};
    EXPECT_EQ(Run(&first, SonorelleIfcOp::kMute, &on), 0);
    EXPECT_EQ(Read(&first, SonorelleIfcOp::kGetSdkProperty, "Mute").second, "true");
}

TEST_F(EngineSelectorTest, RecordingAndWaveFilesReachTheSession)
{
    ASSERT_EQ(Create(&first, 1, false), 1);
    SonorelleIfcRecordArgs record{"c:\\heard.wav", 1, 3};
    services.recordStatus = 1401;
    EXPECT_EQ(Run(&first, SonorelleIfcOp::kStartRecord, &record), 1401);
    EXPECT_EQ(Run(&first, SonorelleIfcOp::kStopRecord, nullptr), 0);
    SonorelleIfcRecordArgs unnamed{nullptr, 1, 1};
    services.recordStatus = 1407;
    EXPECT_EQ(Run(&first, SonorelleIfcOp::kStartRecord, &unnamed), 1407);
    EXPECT_EQ(services.recordings,
              (std::vector<std::string>{"c:\\heard.wav 1 3", "stop", " 1 1"}));

    SonorelleIfcPlayFileArgs play{"c:\\tone.wav", 7, 1, 1, 3, 5};
    EXPECT_EQ(Run(&first, SonorelleIfcOp::kPlayWaveFile, &play), 0);
    SonorelleIfcLongArg flag{1};
    SonorelleIfcLongArg notOne{2};
    EXPECT_EQ(Run(&first, SonorelleIfcOp::kStopWavePlay, &notOne), 0);
    EXPECT_EQ(Run(&first, SonorelleIfcOp::kStopWavePlay, &flag), 0);
    EXPECT_EQ(services.plays,
              (std::vector<std::string>{"c:\\tone.wav 7 1 1 3 5", "stop", "stop all"}));
    int module = 0;
    SonorelleIfcPlayResourceArgs resource{&module, "RING", 4, 1, 0, 2, 0};
    EXPECT_EQ(Run(&first, SonorelleIfcOp::kPlayWaveResource, &resource), 0);
    SonorelleIfcPlayPacketArgs packet{{{17}}, 1, 3, 5};
    EXPECT_EQ(Run(&first, SonorelleIfcOp::kPlayWavePacket, &packet), 0);
    SonorelleIfcPlayBufferArgs buffer{{{18}}, 6, 0, 0, 1, 0};
    services.playStatus = 1414;
    EXPECT_EQ(Run(&first, SonorelleIfcOp::kPlayWaveBuffer, &buffer), 1414);
    EXPECT_EQ(services.plays.size(), 6u);
    EXPECT_EQ(services.plays[3], "resource module RING 4 1 0 2 0");
    EXPECT_EQ(services.plays[4], "samples 17 0 0 1 3 5"); // no id, no format check
    EXPECT_EQ(services.plays[5], "image 18 6 0 0 1 0");
    SonorelleIfcRecordPacketArgs packets{1, 1, 2};
    services.recordStatus = 1405;
    EXPECT_EQ(Run(&first, SonorelleIfcOp::kRegisterRecordPacket, &packets), 1405);
    EXPECT_EQ(services.recordings.back(), "packets 1 2");
    for (int32_t operation = 0; operation <= 7; ++operation)
        EXPECT_EQ(Run(&second, operation, &flag), 0) << operation;
    EXPECT_EQ(services.recordings.size(), 4u);
}

TEST_F(EngineSelectorTest, InstancesAreFoundAndRemovedByHandle)
{
    ASSERT_EQ(Create(&first, 1, true), 1);
    ASSERT_EQ(Create(&second, 3, true), 1);
    EXPECT_EQ(instances.Find(&second)->Kind(), 3);
    EXPECT_EQ(instances.Find(&third), nullptr);
    EXPECT_TRUE(instances.Remove(&first));
    EXPECT_FALSE(instances.Remove(&first));
    EXPECT_EQ(instances.Size(), 1u);
    EXPECT_EQ(instances.Find(&first), nullptr);
}
