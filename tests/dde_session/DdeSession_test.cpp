// The DDE session against a real place tree (not connected, so nothing goes
// to a server) and an application double that records what it is asked.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "CDdeSession.h"
#include "ZrClientPlace.h"
#include "ZrDdeGroupItems.h"
#include "ZrDdeInfoItems.h"
#include "ZrDdeMessageItems.h"
#include "ZrDdeMovementItems.h"
#include "ZrDdeMyInfoItems.h"
#include "ZrDdePlaceItems.h"
#include "ZrDdePresenceItems.h"
#include "ZrGroup.h"
#include "ZrPerson.h"
#include "ZrPlaceDesc.h"

namespace {

constexpr uint32_t kMinusOne = 0xFFFFFFFF;

class RecordingHost : public IDdeSessionHost, public IDdeItemPoster {
public:
    explicit RecordingHost(CZrClientPlace* root) : m_root(root) {}

    CZrClientPlace* GetRootPlace() override { return m_root; }
    unsigned GetIndicatorState() const override { return indicator; }
    std::string GetCommunityName() const override { return "community"; }
    std::string GetCurrentAddress() const override { return "http://page/"; }
    std::string LoadText(uint32_t id) const override
    {
        return id == CDdeSession::kUnknownErrorText ? "Unknown Internal Error" : id == 150 ? "moved badly" : "";
    }
    void ConnectCommunity(const std::string& community) override { calls.push_back("connect " + community); }
    void Navigate(const std::string& url) override { calls.push_back("navigate " + url); }
    void ToggleObserve() override
    {
        calls.push_back("toggle");
        if (closeGateOnToggle)
            indicator = 0;
    }
    void StartVoiceSession() override { calls.push_back("voice"); }
    CZrPosition GetAvatarPosition() const override { return CZrPosition::XY(10, 20); }
    void StartTour(const std::string& name, uint32_t kind, const ZrDdeBytes& picture) override
    {
        calls.push_back("tour " + name + " " + std::to_string(kind) + " " + std::to_string(picture.size()));
    }
    void StopVoiceAndGoBack() override { calls.push_back("back"); }
    void JoinGroup(CZrObject& group) override { calls.push_back("join " + std::to_string(group.GetId())); }
    void SendOwnPosition() override { calls.push_back("position"); }
    void StoreIdentity(const CDdeIdentity& identity) override
    {
        calls.push_back("identity " + identity.nickName + "/" + identity.fullName + "/" + identity.location + "/" +
                        identity.email);
    }
    bool SetOwnPicture(const ZrDdeBytes& bytes) override
    {
        calls.push_back("picture " + std::to_string(bytes.size()));
        return true;
    }
    ZrDdeBytes EncodePicture(CZrObject&) override { return {}; }

    void PostItem(CZrDdeItem& item) override
    {
        uint32_t size = 0;
        const uint8_t* data = item.Write(size);
        posted.push_back({item.GetType(), std::vector<uint8_t>(data, data + size)});
    }

    struct Posted {
        uint16_t type;
        std::vector<uint8_t> bytes;
    };

    unsigned indicator = 0;
    bool closeGateOnToggle = false;
    std::vector<std::string> calls;
    std::vector<Posted> posted;

private:
    CZrClientPlace* m_root;
};

// Decodes the bytes that a client end reads.
template <class Item, class... Args>
std::unique_ptr<Item> ReadBack(const std::vector<uint8_t>& bytes, Args... args)
{
    auto item = std::make_unique<Item>(args...);
    EXPECT_TRUE(item->Read(bytes.data(), static_cast<uint32_t>(bytes.size())));
    return item;
}

class DdeSessionTest : public testing::Test {
protected:
    DdeSessionTest()
    {
        myself->SetId(5);
        myself->GetInfo().SetName("me");
        room->SetId(2);
        corridor->SetId(3);
        place.SetId(1);
        place.GetInfo().SetName("the place");
        session.SetPoster(&host);
    }

    CZrPerson* AddPerson(CZrGroup& parent, uint32_t id, const std::string& name)
    {
        auto* person = new CZrPerson;
        person->SetId(id);
        person->SetKind(kZrKindPerson);
        person->GetInfo().SetName(name);
        parent.AddChild(person);
        return person;
    }

    CZrGroup* AddGroup(CZrGroup& parent, uint32_t id, const std::string& name)
    {
        auto* group = new CZrGroup;
        group->SetId(id);
        group->SetKind(kZrKindGroup | 1);
        group->GetInfo().SetName(name);
        group->SetCapacity(4);
        parent.AddChild(group);
        return group;
    }

    void MoveMyselfTo(CZrGroup& group, const CZrPosition& position)
    {
        myself->GetParent()->RemoveChild(myself);
        myself->SetPosition(position);
        group.AddChild(myself);
    }

    template <class Item>
    std::unique_ptr<CZrDdeItem> Command(const std::vector<uint8_t>& bytes)
    {
        auto item = CZrDdeItem::CreateByType(Item::kType, 0);
        EXPECT_TRUE(item->Read(bytes.data(), static_cast<uint32_t>(bytes.size())));
        return item;
    }

    std::unique_ptr<CZrDdeItem> EnterRoom() { return CZrDdeItem::CreateByType(CEnterRoomItem::kType, 0); }

    // The place never deletes its local user.
    std::unique_ptr<CZrPerson> ownMyself = std::make_unique<CZrPerson>();
    CZrPerson* myself = ownMyself.get();
    CZrGroup* room = new CZrGroup;
    CZrGroup* corridor = new CZrGroup;
    CZrClientPlace place{myself, room, corridor, nullptr};
    RecordingHost host{&place};
    CDdeSession session{host};
};

// ---- The participation gate and its queue -----------------------------------

TEST_F(DdeSessionTest, GatedCommandsRunOnlyWhileParticipatingOrObserving)
{
    const struct {
        unsigned state;
        bool runs;
    } cases[] = {{0, false}, {1, true}, {2, true}, {3, false}, {7, false}};
    for (const auto& c : cases) {
        host.calls.clear();
        host.indicator = c.state;
        session.OnCommand(EnterRoom());
        EXPECT_EQ(host.calls.size(), c.runs ? 1u : 0u) << "state " << c.state;
        EXPECT_EQ(session.QueuedCount(), c.runs ? 0u : 1u) << "state " << c.state;
        host.indicator = 1;
        session.Pump();
        EXPECT_EQ(session.QueuedCount(), 0u);
    }
}

TEST_F(DdeSessionTest, UngatedCommandsAreNeverQueued)
{
    host.indicator = 0;
    session.OnCommand(Command<CConnectCommunityItem>({3, 0, 'a', 'b', 'c'}));
    session.OnCommand(Command<CNavigateItem>({2, 0, 'x', 'y'}));
    session.OnCommand(Command<CQueryPlacesItem>({}));
    session.OnCommand(Command<CMyInfoItem>({1, 0, 'n', ',', 1, 0, 'f', ',', 1, 0, 'l', ',', 1, 0, 'e', ',', 0, 0}));
    EXPECT_EQ(session.QueuedCount(), 0u);
    EXPECT_EQ(host.calls, (std::vector<std::string>{"connect abc", "navigate xy", "identity n/f/l/e"}));
}

TEST_F(DdeSessionTest, QueueReplaysInOrderAndStopsWhenTheGateClosesAgain)
{
    host.indicator = 0;
    for (int i = 0; i < 3; ++i)
        session.OnCommand(EnterRoom());
    session.OnCommand(Command<CNavigateItem>({1, 0, 'u'}));
    EXPECT_EQ(session.QueuedCount(), 3u);
    EXPECT_EQ(host.calls, (std::vector<std::string>{"navigate u"}));

    host.indicator = 1;
    host.closeGateOnToggle = true;
    session.Pump();
    // The first ran and closed the gate; the second went back behind the
    // third and the pump stopped.
    EXPECT_EQ(host.calls, (std::vector<std::string>{"navigate u", "toggle"}));
    EXPECT_EQ(session.QueuedCount(), 2u);

    host.closeGateOnToggle = false;
    host.indicator = 2;
    session.Pump();
    EXPECT_EQ(host.calls.size(), 4u);
    EXPECT_EQ(session.QueuedCount(), 0u);
}

TEST_F(DdeSessionTest, EnterAndLeaveToggleOnlyWhenTheyChangeSomething)
{
    host.indicator = 1;
    session.OnCommand(CZrDdeItem::CreateByType(CLeaveRoomItem::kType, 0));
    EXPECT_TRUE(host.calls.empty());
    MoveMyselfTo(*room, CZrPosition::XY(100, 200));
    session.OnCommand(EnterRoom());
    EXPECT_TRUE(host.calls.empty());
    session.OnCommand(CZrDdeItem::CreateByType(CLeaveRoomItem::kType, 0));
    EXPECT_EQ(host.calls, (std::vector<std::string>{"toggle"}));
}

TEST_F(DdeSessionTest, UnknownAndNotificationOnlyCodesDoNothing)
{
    host.indicator = 1;
    for (uint16_t type : {CStart1on1Item::kType, CBreak1on1Item::kType, CGroupErrorItem::kType,
                          CMoveErrorItem::kType, CPlaceInfoItem::kType})
        session.OnCommand(CZrDdeItem::CreateByType(type, 0));
    session.OnCommand(nullptr);
    EXPECT_TRUE(host.calls.empty());
    EXPECT_EQ(session.QueuedCount(), 0u);
}

// The command form of StartGroup: group value "," name "," value ["," bytes].
std::vector<uint8_t> StartGroupCommand(uint32_t groupValue, const std::string& name, uint32_t value,
                                       const std::vector<uint8_t>& picture)
{
    std::vector<uint8_t> bytes;
    auto u32 = [&bytes](uint32_t v) {
        for (int i = 0; i < 4; ++i)
            bytes.push_back(static_cast<uint8_t>(v >> (8 * i)));
    };
    u32(groupValue);
    bytes.push_back(',');
    bytes.push_back(static_cast<uint8_t>(name.size()));
    bytes.push_back(0);
    bytes.insert(bytes.end(), name.begin(), name.end());
    bytes.push_back(',');
    u32(value);
    if (!picture.empty()) {
        bytes.push_back(',');
        bytes.push_back(static_cast<uint8_t>(picture.size()));
        bytes.push_back(0);
        bytes.insert(bytes.end(), picture.begin(), picture.end());
    }
    return bytes;
}

TEST_F(DdeSessionTest, GroupCommandsActOnlyWhereTheOwnUserMay)
{
    host.indicator = 1;
    CZrGroup* tour = AddGroup(*room, 40, "tour");
    AddPerson(*tour, 41, "guide");
    CZrPerson* bob = AddPerson(*room, 42, "bob");
    auto startTour = [this]() { return Command<CStartGroupItem>(StartGroupCommand(258, "walk", 2, {1, 2, 3})); };
    auto join = [this](uint32_t id) { return Command<CJoinGroupItem>({uint8_t(id), 0, 0, 0}); };
    auto leave = [this]() { return Command<CLeaveGroupItem>({0, 0, 0, 0}); };
    auto breakGroup = [this]() { return CZrDdeItem::CreateByType(CBreakGroupItem::kType, 0); };

    // In the corridor: no tour starts, nothing to leave or end.
    MoveMyselfTo(*corridor, CZrPosition());
    session.OnCommand(startTour());
    session.OnCommand(leave());
    session.OnCommand(breakGroup());
    EXPECT_TRUE(host.calls.empty());

    // In the room: a tour starts only for group value 258; groups are joined,
    // persons and unknown ids are not.
    MoveMyselfTo(*room, CZrPosition::XY(5, 5));
    session.OnCommand(startTour());
    session.OnCommand(Command<CStartGroupItem>(StartGroupCommand(259, "other", 2, {})));
    session.OnCommand(join(40));
    session.OnCommand(join(bob->GetId()));
    session.OnCommand(join(99));
    EXPECT_EQ(host.calls, (std::vector<std::string>{"tour walk 2 3", "join 40"}));

    // In a group it does not lead: it leaves, but cannot end it.
    host.calls.clear();
    MoveMyselfTo(*tour, CZrPosition::Seat(2));
    session.OnCommand(breakGroup());
    session.OnCommand(leave());
    EXPECT_EQ(host.calls, (std::vector<std::string>{"position"}));

    // As the group's host it ends it and joins nothing else.
    host.calls.clear();
    tour->SetHost(myself);
    session.OnCommand(breakGroup());
    session.OnCommand(join(40));
    EXPECT_EQ(host.calls, (std::vector<std::string>{"back"}));
}

// ---- Requests ----------------------------------------------------------------

TEST_F(DdeSessionTest, PlaceInfoNamesTheCommunityOnlyInAPlace)
{
    CPlaceInfoItem answer;
    ASSERT_TRUE(session.OnRequest(answer, 0));
    EXPECT_EQ(answer.GetText1(), "community");
    EXPECT_EQ(answer.GetText2(), "the place");
    place.SetId(0);
    ASSERT_TRUE(session.OnRequest(answer, 0));
    EXPECT_EQ(answer.GetText1(), "");
}

TEST_F(DdeSessionTest, MyPositionTellsWhereTheOwnUserStands)
{
    CMyPositionItem answer;
    ASSERT_TRUE(session.OnRequest(answer, 0));
    EXPECT_EQ(answer.GetValues(), (CMyPositionItem::Values{kMinusOne, kMinusOne, 0, 0, 0}));

    MoveMyselfTo(*room, CZrPosition::XY(2599, 10000));
    ASSERT_TRUE(session.OnRequest(answer, 0));
    EXPECT_EQ(answer.GetValues(), (CMyPositionItem::Values{0, 0, 25, 100, 0}));

    CZrGroup* group = AddGroup(*room, 40, "table");
    MoveMyselfTo(*group, CZrPosition::Seat(3));
    ASSERT_TRUE(session.OnRequest(answer, 0));
    EXPECT_EQ(answer.GetValues(), (CMyPositionItem::Values{0, 40, 0, 0, 3}));
}

TEST_F(DdeSessionTest, PresenceAnswersOnlyForPersons)
{
    CZrPerson* ann = AddPerson(*room, 11, "ann");
    ann->SetIdentity("Ann A", "Here", "ann@x");
    AddGroup(*room, 40, "table");
    CPresenceParametersItem answer;
    ASSERT_TRUE(session.OnRequest(answer, 11));
    EXPECT_EQ(answer.GetText1(), "ann");
    EXPECT_EQ(answer.GetText2(), "Ann A");
    EXPECT_EQ(answer.GetText4(), "ann@x");
    for (uint32_t id : {40u, 99u, 0u}) {
        CPresenceParametersItem none;
        EXPECT_FALSE(session.OnRequest(none, id)) << id;
    }
}

TEST_F(DdeSessionTest, GroupInfoListsTheMembersDepthFirst)
{
    CZrGroup* outer = AddGroup(*room, 40, "outer");
    CZrGroup* inner = AddGroup(*outer, 41, "inner");
    AddPerson(*inner, 12, "bob");
    AddPerson(*inner, 13, "cat");
    CGroupInfoItem answer;
    ASSERT_TRUE(session.OnRequest(answer, 41));
    EXPECT_EQ(answer.GetFlagWord(), (kZrKindGroup | 1u) | 0x100u);
    EXPECT_EQ(answer.GetName(), "inner");
    EXPECT_EQ(answer.GetValue(), 4u);
    // The written form ends the list with 0; read back it is the members.
    uint32_t size = 0;
    const uint8_t* bytes = answer.Write(size);
    auto back = ReadBack<CGroupInfoItem>(std::vector<uint8_t>(bytes, bytes + size));
    EXPECT_EQ(back->GetMembers(), (std::vector<uint32_t>{12, 13}));

    CGroupInfoItem ofPlace;
    ASSERT_TRUE(session.OnRequest(ofPlace, 0));
    EXPECT_EQ(ofPlace.GetFlagWord(), 0u);
    CGroupInfoItem ofPerson;
    EXPECT_FALSE(session.OnRequest(ofPerson, 12));
}

TEST_F(DdeSessionTest, IdInfoFollowsTheKindAndContainerRules)
{
    CZrGroup* group = AddGroup(*room, 40, "table");
    CZrPerson* bob = AddPerson(*group, 12, "bob");
    bob->SetPosition(CZrPosition::XY(1234, 5678));
    myself->SetKind(kZrKindPerson | kZrKindOwn);
    const struct {
        uint32_t id;
        uint32_t own, kind, container, x, y;
    } cases[] = {
        {12, 0, 512, 40, 1234, 5678},
        {40, 0, (kZrKindGroup | 1u) | 0x100u, 0, 0xFFFF, 0xFFFF},
        {5, kMinusOne, 513, kMinusOne, 0xFFFF, 0xFFFF},
        {2, 0, 0, 1, 0xFFFF, 0xFFFF},
        {3, 0, kMinusOne, 1, 0xFFFF, 0xFFFF},
    };
    room->SetKind(kZrKindRoom);
    corridor->SetKind(kZrKindCorridor);
    for (const auto& c : cases) {
        CIdInfoItem answer;
        ASSERT_TRUE(session.OnRequest(answer, c.id)) << c.id;
        EXPECT_EQ(answer.GetValue1(), c.own) << c.id;
        EXPECT_EQ(answer.GetValue2(), c.kind) << c.id;
        EXPECT_EQ(answer.GetMoreValues()[0], c.container) << c.id;
        EXPECT_EQ(answer.GetMoreValues()[1], c.x) << c.id;
        EXPECT_EQ(answer.GetMoreValues()[2], c.y) << c.id;
    }
    CIdInfoItem none;
    EXPECT_FALSE(session.OnRequest(none, 77));
}

// ---- Notifications -----------------------------------------------------------

TEST_F(DdeSessionTest, QueryPlacesCarriesAtMost500EntriesAndDropsEmptyOnes)
{
    std::vector<std::unique_ptr<CZrPlaceDesc>> places;
    places.push_back(std::make_unique<CZrPlaceDesc>());  // empty: dropped
    places.push_back(nullptr);
    for (uint32_t i = 1; i <= 600; ++i) {
        auto place = std::make_unique<CZrPlaceDesc>();
        place->name = "p" + std::to_string(i);
        place->id = i;
        places.push_back(std::move(place));
    }
    session.PostQueryPlaces(places);
    ASSERT_EQ(host.posted.size(), 1u);
    auto back = ReadBack<CQueryPlacesItem>(host.posted[0].bytes, 1);
    ASSERT_EQ(back->GetEntries().size(), CDdeSession::kMaxPlaceEntries);
    EXPECT_EQ(back->GetEntries().front().text1, "p1");
    EXPECT_EQ(back->GetEntries().back().value1, 500u);
}

TEST_F(DdeSessionTest, RoomEventsCarryTheKindWord)
{
    CZrPerson* ann = AddPerson(*room, 11, "ann");
    CZrGroup* group = AddGroup(*room, 40, "table");
    session.PostEnterRoom(*ann, true);
    session.PostLeaveRoom(*group);
    EXPECT_TRUE(host.calls.empty());  // no voice for someone else
    ASSERT_EQ(host.posted.size(), 2u);
    auto enter = ReadBack<CEnterRoomItem>(host.posted[0].bytes, 1);
    EXPECT_EQ(enter->GetId(), 11u);
    EXPECT_EQ(enter->GetKindCode(), 512u);
    EXPECT_EQ(enter->GetName(), "ann");
    auto leave = ReadBack<CLeaveRoomItem>(host.posted[1].bytes, 1);
    EXPECT_EQ(leave->GetKindCode(), (kZrKindGroup | 1u) | 0x100u);

    myself->SetKind(kZrKindPerson | kZrKindOwn);
    session.PostEnterRoom(*myself, true);
    EXPECT_EQ(host.calls, (std::vector<std::string>{"voice"}));
    EXPECT_EQ(ReadBack<CEnterRoomItem>(host.posted[2].bytes, 1)->GetKindCode(), 513u);
}

TEST_F(DdeSessionTest, ErrorNoticesFallBackToTheUnknownErrorText)
{
    session.PostMoveError(150);
    session.PostDisconnectCommunity(999);
    ASSERT_EQ(host.posted.size(), 2u);
    EXPECT_EQ(ReadBack<CMoveErrorItem>(host.posted[0].bytes)->GetText(), "moved badly");
    EXPECT_EQ(ReadBack<CDisconnectCommunityItem>(host.posted[1].bytes)->GetText(), "Unknown Internal Error");
}

TEST_F(DdeSessionTest, GroupMembershipNamesTheGroupsContainer)
{
    CZrGroup* group = AddGroup(*room, 40, "table");
    CZrPerson* bob = AddPerson(*group, 12, "bob");
    session.PostJoinGroup(*bob, *group);
    ASSERT_EQ(host.posted.size(), 1u);
    auto join = ReadBack<CJoinGroupItem>(host.posted[0].bytes, 1);
    EXPECT_EQ(join->GetId1(), 40u);
    EXPECT_EQ(join->GetId2(), 12u);
    EXPECT_EQ(join->GetText1(), "bob");
    EXPECT_EQ(join->GetId3(), 2u);
}

TEST_F(DdeSessionTest, NothingIsPostedWithoutAPoster)
{
    session.SetPoster(nullptr);
    session.PostNavigate();
    session.PostMove(100, 200);
    EXPECT_TRUE(host.posted.empty());
}

} // namespace
