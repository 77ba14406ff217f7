// The root place's dispatch of received whispers by payload type: instant
// messages, identity data, object transfers and the commands of hosts, with
// the rate limits of commands and transfers.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "CPayload.h"
#include "CPersonStateList.h"
#include "CPlace.h"
#include "IPlaceWhispers.h"
#include "PlaceFakes.h"
#include "ZrGroup.h"
#include "ZrObjectRef.h"
#include "ZrPerson.h"
#include "ZrTextMessage.h"

namespace {

constexpr uint32_t kOwnId = 11;
constexpr uint32_t kPeerId = 42;
constexpr uint32_t kMember = 0x100;

class FakeWhispers : public IPlaceWhispers {
public:
    uint64_t TickMs() const override { return now; }
    void Trace(const std::string& line) override { traces.push_back(line); }
    std::string GetAwayMessage() const override { return away; }
    CIdentityTexts GetIdentityTexts() const override { return identity; }
    std::string GetEventText() const override { return eventText; }
    bool IsInPeopleList(uint32_t person) const override { return person == listed; }
    void ReceiveIm(const CZrTextMessage& record, const std::string& text, const CTvlBlob& payload,
                   const std::string& displayName) override
    {
        Log("Im " + std::to_string(record.senderId) + " " + displayName + " " + text + " " +
            std::to_string(payload.Length()));
    }
    void GiveIdentity(uint32_t person, const CIdentityTexts& texts) override
    {
        Log("Identity " + std::to_string(person) + " " + texts.gender + "|" + texts.hobbies + "|" +
            texts.occupation + "|" + texts.quote);
    }
    void HandOnTransfer(uint32_t sender, const std::string& displayName, const CTvlBlob& payload) override
    {
        Log("Transfer " + std::to_string(sender) + " " + displayName + " " + std::to_string(payload.Length()));
    }
    bool AwaitsTransfer(uint32_t, const CTvlBlob&) const override { return awaited; }
    void OpenStageInvitation(const std::string& text, const std::string& displayName) override
    {
        Log("StageInvitation " + text + " " + displayName);
    }
    void AddEventQueueItems(uint32_t sender, const std::string& text) override
    {
        Log("QueueItems " + std::to_string(sender) + " " + text);
    }
    void SetSpeakInvitation(uint32_t host) override { Log("SpeakInvitation " + std::to_string(host)); }
    void ClearPendingAction() override { Log("ClearPendingAction"); }

    void Log(const std::string& call) { calls.push_back(call); }

    uint64_t now = 0;
    std::string away;
    CIdentityTexts identity;
    std::string eventText;
    uint32_t listed = 0;
    std::vector<std::string> traces;
    std::vector<std::string> calls;
    bool awaited = false;
};

class PlaceWhispersTest : public ::testing::Test {
protected:
    PlaceWhispersTest() : states(host), place(&myself, new CZrGroup, new CZrGroup, app, dde, frame, states)
    {
        myself.SetId(kOwnId);
        myself.GetInfo().SetName("Me");
        place.SetWhisperWindows(&whispers);
    }

    static CZrTextMessage From(uint32_t id, uint32_t personClass, const std::string& name)
    {
        CZrTextMessage record;
        record.senderId = id;
        record.kind = personClass;
        record.name = name;
        return record;
    }

    void Whisper(const CTvlBlob& payload, const std::string& text, const CZrTextMessage& record,
                 uint64_t at = 0)
    {
        whispers.now = at;
        place.whispered(text, payload, record, "Shown " + record.name);
    }

    void Command(uint8_t code, const std::string& text, const CZrTextMessage& record, uint64_t at = 0)
    {
        Whisper(CPayload(CPayload::kCommand, code, 0, nullptr), text, record, at);
    }

    CZrTextMessage Peer() const { return From(kPeerId, kMember | 5, "Ada"); }
    CZrTextMessage PeerHost() const { return From(kPeerId, CPlace::kHostClass, "Hal"); }
    CZrTextMessage OwnHost() const { return From(kOwnId, CPlace::kAdminHostClass | 0x80, "Me"); }

    FakeApp app;
    FakeDde dde;
    FakeFrame frame;
    FakeStateHost host;
    FakeWhispers whispers;
    CPersonStateList states;
    CZrPerson myself;
    CPlace place;
};

TEST_F(PlaceWhispersTest, EveryWhisperIsTraced)
{
    Whisper(CPayload(CPayload::kTextWithName, 0, 3, reinterpret_cast<const uint8_t*>("\x02hi")), "hello", Peer());
    Whisper(CTvlBlob(), "", Peer());
    EXPECT_EQ(whispers.traces, (std::vector<std::string>{
                                   "void CPlace::whispered(); From: Ada; Type: 1; String: hello; Data Length: 5",
                                   "void CPlace::whispered(); From: Ada; Type: 0; String: ; Data Length: 0"}));
}

TEST_F(PlaceWhispersTest, InstantMessagesByIgnoreState)
{
    struct Case {
        const char* what;
        int32_t ignoreState;
        int32_t ignoreAll;
        std::vector<std::string> calls;
        std::vector<std::string> items;
    };
    const Case cases[] = {
        {"shown", 0, 0, {"Im 42 Shown Ada hi 0"}, {"MessageItem 42 Ada hi 4"}},
        {"ignored sender", 1, 0, {}, {}},
        {"all ignored", 0, 1, {}, {}},
    };
    for (const Case& c : cases) {
        FakeApp caseApp;
        FakeDde caseDde;
        CPersonStateList caseStates(host);
        FakeWhispers caseWhispers;
        CZrPerson me;
        CPlace casePlace(&me, new CZrGroup, new CZrGroup, caseApp, caseDde, frame, caseStates);
        casePlace.SetWhisperWindows(&caseWhispers);
        caseStates.SetState(kPeerId, c.ignoreState);
        caseApp.WriteSetting("IgnoreAllIMs", c.ignoreAll);
        casePlace.whispered("hi", CTvlBlob(), Peer(), "Shown Ada");
        EXPECT_EQ(c.calls, caseWhispers.calls) << c.what;
        EXPECT_EQ(c.items, caseDde.items) << c.what;
    }
}

TEST_F(PlaceWhispersTest, WhispersAreDroppedUntilWindowsAreGiven)
{
    place.SetWhisperWindows(nullptr);
    Whisper(CTvlBlob(), "hi", Peer());
    EXPECT_TRUE(dde.items.empty());
    EXPECT_TRUE(whispers.traces.empty());
}

TEST_F(PlaceWhispersTest, IdentityDataGoesOnlyToAnOpenIdentityDialog)
{
    const auto identity = CPayload::MakeIdentity({"F", "kites", "pilot", "Up"});
    Whisper(*identity, "", Peer());
    EXPECT_TRUE(whispers.calls.empty());

    int32_t alive = 0;
    states.SetData(kPeerId, std::make_unique<FakeDialog>(alive));
    Whisper(*identity, "", Peer());
    Whisper(CPayload(CPayload::kIdentityData, 0, 0, nullptr), "", Peer());
    EXPECT_EQ(whispers.calls, (std::vector<std::string>{"Identity 42 F|kites|pilot|Up"}));
}

TEST_F(PlaceWhispersTest, TransferPayloadsWithinTheirRateLimit)
{
    const uint8_t body[] = {1, 2, 3};
    const CPayload transfer(CPayload::kObjectTransfer, 1, 3, body);
    Whisper(transfer, "", Peer(), 10000);
    Whisper(transfer, "", Peer(), 10999);
    Whisper(transfer, "", Peer(), 12000);
    states.SetState(kPeerId, 1);
    // An ignored sender neither gets through nor moves the stamp.
    Whisper(transfer, "", Peer(), 12100);
    states.SetState(kPeerId, 0);
    Whisper(transfer, "", Peer(), 13000);
    EXPECT_EQ(whispers.calls, (std::vector<std::string>(3, "Transfer 42 Shown Ada 5")));
}

TEST_F(PlaceWhispersTest, AwaitedTransferAnswersPassTheRateLimit)
{
    const uint8_t body[] = {2, 0, 0};
    const CPayload data(CPayload::kObjectTransfer, 1, 3, body);
    whispers.awaited = true;
    Whisper(data, "", Peer(), 20000);
    Whisper(data, "", Peer(), 20100);
    whispers.awaited = false;
    Whisper(data, "", Peer(), 20200);
    EXPECT_EQ(whispers.calls, (std::vector<std::string>(2, "Transfer 42 Shown Ada 5")));
}

TEST_F(PlaceWhispersTest, CommandsShareOneMovingStamp)
{
    Command(4, "", PeerHost(), 50000);
    Command(5, "", PeerHost(), 50400);
    Command(5, "", PeerHost(), 51200);
    Command(5, "", PeerHost(), 52200);
    // Other payload types do not touch the command stamp.
    Whisper(CTvlBlob(), "hi", Peer(), 52300);
    Command(4, "", PeerHost(), 53200);
    EXPECT_EQ(whispers.calls, (std::vector<std::string>{"SpeakInvitation 42", "ClearPendingAction",
                                                        "Im 42 Shown Ada hi 0", "SpeakInvitation 42"}));
}

TEST_F(PlaceWhispersTest, CommandsOfHostsToAnyMember)
{
    struct Case {
        uint8_t code;
        bool fromHost;
        std::vector<std::string> calls;
    };
    const Case cases[] = {
        {3, true, {"StageInvitation Stage Shown Hal"}},
        {3, false, {}},
        {4, true, {"SpeakInvitation 42"}},
        {4, false, {}},
        {5, true, {"ClearPendingAction"}},
        {5, false, {}},
        {7, true, {"QueueItems 42 Stage"}},
        {7, false, {}},
        {6, true, {}},
        {0, true, {}},
        {15, true, {}},
        {24, true, {}},
        {255, true, {}},
    };
    for (const Case& c : cases) {
        whispers.calls.clear();
        const CZrTextMessage record = c.fromHost ? PeerHost() : From(kPeerId, kMember | 5, "Hal");
        Command(c.code, "Stage", record, whispers.now + 5000);
        EXPECT_EQ(c.calls, whispers.calls) << int(c.code) << " host " << c.fromHost;
    }
    EXPECT_TRUE(dde.items.empty());
    EXPECT_TRUE(app.messages.empty());
}

// A whisper without a display name names the inviter by the sender's name.
TEST_F(PlaceWhispersTest, StageInvitationWithoutDisplayNameNamesTheSender)
{
    whispers.now = 5000;
    place.whispered("Stage", CPayload(CPayload::kCommand, 3, 0, nullptr), PeerHost(), std::string());
    EXPECT_EQ(whispers.calls, std::vector<std::string>{"StageInvitation Stage Hal"});
}

TEST_F(PlaceWhispersTest, GameDataCommandsAreHandedToTheDdeSession)
{
    uint64_t at = 0;
    for (uint8_t code : {11, 21, 22, 23}) {
        dde.items.clear();
        const uint8_t body[] = {9};
        Whisper(CPayload(CPayload::kCommand, code, 1, body), "move e4", Peer(), at += 5000);
        EXPECT_EQ(dde.items, (std::vector<std::string>{"GameData 42 Ada move e4 4 0"})) << int(code);
        EXPECT_EQ(dde.lastPayload, std::string("\x04") + char(code) + "\x09") << int(code);
    }
}

TEST_F(PlaceWhispersTest, OwnHostCommandsAnswerThroughTheDdeSession)
{
    struct Case {
        const char* what;
        uint8_t code;
        bool withEventService;
        std::string text;
        std::string item;
        std::string tag;
    };
    const Case cases[] = {
        {"event text", 1, true, "", "GameData 11 Me Q&A at noon 0 0", "\x04\x19"},
        {"event text without service", 1, false, "", "GameData 11 Me 0 0 0", "\x04\x18"},
        {"ask service without service", 2, false, "x", "GameData 11 Me 0 0 0", "\x04\x18"},
        {"service id", 9, true, "", "GameData 11 Me 500 0 0", "\x04\x18"},
        {"service id without service", 9, false, "", "GameData 11 Me 0 0 0", "\x04\x18"},
        {"numbered request", 10, false, "poll", "GameData 11 Me poll 1 0 0", "\x04\x1c"},
    };
    for (const Case& c : cases) {
        FakeDde caseDde;
        CZrPerson me;
        CPlace casePlace(&me, new CZrGroup, new CZrGroup, app, caseDde, frame, states);
        me.SetId(kOwnId);
        me.GetInfo().SetName("Me");
        casePlace.SetKind(0x801);
        casePlace.SetWhisperWindows(&whispers);
        if (c.withEventService) {
            CZrObjectRef reference;
            reference.ownerId = 500;
            reference.kind = CPlace::kEventServiceClass;
            casePlace.OnMemberAppeared(reference);
        }
        whispers.eventText = "Q&A at noon";
        whispers.now += 5000;
        casePlace.whispered(c.text, CPayload(CPayload::kCommand, c.code, 0, nullptr), OwnHost(), "Me");
        EXPECT_EQ(caseDde.items, (std::vector<std::string>{c.item})) << c.what;
        EXPECT_EQ(caseDde.lastPayload, c.tag) << c.what;
    }
}

TEST_F(PlaceWhispersTest, NumberedRequestsCountUpAndNeedText)
{
    Command(10, "", OwnHost(), 1000);
    Command(10, "a", OwnHost(), 3000);
    Command(10, "b", OwnHost(), 5000);
    EXPECT_EQ(dde.items, (std::vector<std::string>{"GameData 11 Me a 1 0 0", "GameData 11 Me b 2 0 0"}));
}

TEST_F(PlaceWhispersTest, OwnHostCommandsNeedBothTests)
{
    const CZrTextMessage notOwn = From(kPeerId, CPlace::kHostClass, "Hal");
    const CZrTextMessage notHost = From(kOwnId, kMember | 0x80 | 5, "Me");
    uint64_t at = 0;
    for (const CZrTextMessage& record : {notOwn, notHost}) {
        for (uint8_t code : {1, 2, 10, 12, 14})
            Command(code, "text", record, at += 5000);
    }
    EXPECT_TRUE(dde.items.empty());
    EXPECT_TRUE(app.messages.empty());
}

TEST_F(PlaceWhispersTest, CommandsThatExplainARefusal)
{
    struct Case {
        const char* what;
        uint8_t code;
        uint32_t placeKind;
        bool ownHost;
        std::string message;
    };
    const Case cases[] = {
        {"service id from a peer", 9, 0x801, false, " You are not configured as a host."},
        {"service id from a plain member", 9, 0x800, false, " You are not configured as a host."},
        {"transcript without service", 12, 0x801, true, " The Event Transcript service is not available."},
        {"stage request outside an auditorium", 13, 0x800, true, " You are not currently in an auditorium."},
        {"stage request of a peer outside", 13, 0x800, false, " You are not currently in an auditorium."},
    };
    for (const Case& c : cases) {
        app.messages.clear();
        place.SetKind(c.placeKind);
        const CZrTextMessage record = c.ownHost ? OwnHost() : From(kPeerId, kMember | 5, "Ada");
        Command(c.code, "text", record, whispers.now + 5000);
        EXPECT_EQ(app.messages, (std::vector<std::string>{c.message})) << c.what;
    }
}

}  // namespace
