// The local user and the place's groups on the library's own tree, driven
// directly: refusals, request errors and alerts become the right messages
// and DDE notices; moves between the room, the corridor and groups keep the
// avatar, chat tabs, saved position and notices in step.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "CClientPlace.h"
#include "CClientRoom.h"
#include "CMyselfClient.h"
#include "CPersonStateList.h"
#include "CPlace.h"
#include "PersonViewsFake.h"
#include "PlaceFakes.h"
#include "ZrGroup.h"
#include "ZrItem.h"
#include "ZrPerson.h"

namespace {

using Calls = std::vector<std::string>;

constexpr uint32_t kRoom = 10;
constexpr uint32_t kCorridor = 11;
constexpr uint32_t kTour = 40;
constexpr uint32_t kGame = 41;
constexpr uint32_t kRow = 61;
constexpr uint32_t kMyselfId = 1;
constexpr uint32_t kBobId = 7;

class MyselfTest : public ::testing::Test {
protected:
    MyselfTest()
        : states(host),
          myself(new CMyselfClient(views, own, app, states, nullptr)),
          place(myself.get(), new CZrGroup, new CZrGroup, app, dde, frame, states)
    {
        place.SetPersonViews(&views);
        place.SetId(100);
        place.GetRoom()->SetId(kRoom);
        place.GetCorridor()->SetId(kCorridor);
        myself->SetId(kMyselfId);
        MakeGroup(kTour, CClientPlace::kTourKind);
        MakeGroup(kGame, CClientPlace::kGameKind);
        MakeGroup(kRow, CClientPlace::kSeatRowKind);
        bob = new CPersonClient(views);
        bob->SetId(kBobId);
        bob->GetInfo().SetName("bob");
        place.GetRoom()->AddChild(bob);
    }

    ~MyselfTest() override
    {
        if (myself->GetParent())
            myself->GetParent()->RemoveChild(myself.get());
    }

    CZrGroup& Group(uint32_t id) { return *place.FindById(id)->AsGroup(); }

    void MakeGroup(uint32_t id, uint32_t kind)
    {
        CZrGroup* group = place.CreatePlaceData(kind);
        group->SetId(id);
        group->SetKind(kind);
        place.GetRoom()->AddChild(group);
    }

    // Moves the local user as the library does, then raises the event.
    void Move(uint32_t to, const CZrPosition& position)
    {
        CZrGroup* from = myself->GetParent();
        const CZrPosition old = myself->GetPosition();
        if (from)
            from->RemoveChild(myself.get());
        myself->SetPosition(position);
        Group(to).AddChild(myself.get());
        own.calls.clear();
        views.calls.clear();
        myself->OnMove(from, old, 0);
    }

    void Clear()
    {
        own.calls.clear();
        views.calls.clear();
        app.messages.clear();
        app.calls.clear();
    }

    FakeApp app;
    FakeDde dde;
    FakeFrame frame;
    FakeStateHost host;
    CPersonStateList states;
    FakePersonViews views;
    FakeMyselfViews own;
    std::unique_ptr<CMyselfClient> myself;
    CPlace place;
    CPersonClient* bob = nullptr;
};

TEST_F(MyselfTest, RefusedMovesShowTheirMessageAndTellTheSession)
{
    struct Case {
        uint32_t code;
        uint32_t object;
        const char* message;  // empty: none
        Calls own;
        bool roomFullPrompt;
    };
    const Case cases[] = {
        {107, 0, " As a guest you are not allowed to enter the room.", {"indicator-animate", "dde-move-error 576"}, false},
        {301, kGame, "Can not join game: Game is full.", {"indicator-animate", "dde-move-error 150"}, false},
        {302, kTour, "Can not join tour: Tour is full.", {"indicator-animate", "dde-move-error 150"}, false},
        {302, kRow, "Can not join row: &Row is full.",
         {"indicator-animate", "seat-map-enable", "dde-move-error 150"}, false},
        {302, 0, "Can not join row: &Row is full.", {"indicator-animate", "seat-map-enable", "dde-move-error 150"}, false},
        {307, 0, "", {"indicator-animate"}, true},
        {310, 0, " This seat is already occupied.", {"indicator-animate", "seat-map-enable"}, false},
        {311, 0, " The auditorium is full.", {"indicator-animate"}, false},
        {999, kTour, "Can not join tour: The request was refused by the server.", {"indicator-animate", "dde-move-error 161"}, false},
    };
    Group(kRoom).AddChild(myself.get());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        Clear();
        myself->OnDenied(c.code, c.object, 0);
        EXPECT_EQ(own.calls, c.own);
        if (*c.message)
            EXPECT_EQ(app.messages, Calls{c.message});
        else
            EXPECT_TRUE(app.messages.empty());
        EXPECT_EQ(app.Called("PostRoomFullPrompt"), c.roomFullPrompt);
    }
}

TEST_F(MyselfTest, RequestErrorsNameWhatCouldNotStart)
{
    struct Case {
        uint32_t code;
        uint32_t kind;
        const char* message;  // empty: none
        Calls own;
    };
    const Case cases[] = {
        {402, 514, "", {"indicator-animate"}},
        {401, 514, "Unable to start conversation: Partner left.", {"indicator-animate", "dde-group-error 166"}},
        {107, 514, "Unable to start one_on_one: ", {"indicator-animate", "dde-group-error 575"}},
        {404, 513, "Unable to start tour: You are leading the tour.", {"indicator-animate", "dde-group-error 169"}},
        {500, 513, "Unable to start group: ", {"indicator-animate", "dde-group-error 161"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        Clear();
        myself->OnRequestError(c.code, c.kind, 0);
        EXPECT_EQ(own.calls, c.own);
        if (*c.message)
            ASSERT_EQ(app.messages.size(), 1u) << app.messages.size();
        if (*c.message)
            EXPECT_EQ(app.messages[0].rfind(c.message, 0), 0u) << app.messages[0];
        else
            EXPECT_TRUE(app.messages.empty());
    }
}

TEST_F(MyselfTest, AlertsFromIgnoredPeopleAreDropped)
{
    myself->OnAlerted(bob);
    EXPECT_EQ(own.calls, (Calls{"beep", "dde-alert 7"}));
    EXPECT_EQ(app.status, Calls{"bob alerted me"});

    Clear();
    app.status.clear();
    states.SetState(kBobId, 1);
    myself->OnAlerted(bob);
    EXPECT_TRUE(own.calls.empty());
    EXPECT_TRUE(app.status.empty());
}

TEST_F(MyselfTest, MovesBetweenCorridorRoomAndGroups)
{
    Group(kCorridor).AddChild(myself.get());

    Move(kRoom, CZrPosition::XY(1200, 3400));
    EXPECT_EQ(own.calls, Calls{"own-shown 1"});
    EXPECT_EQ(views.calls, (Calls{"place-notice 1 1", "people-update 1"}));
    EXPECT_EQ(app.settings["MyselfXPos"], 1200);
    EXPECT_EQ(app.settings["MyselfYPos"], 3400);

    Move(kRoom, CZrPosition::XY(50, 60));
    EXPECT_EQ(own.calls, (Calls{"own-layout", "indicator-animate", "dde-move 5000060"}));
    EXPECT_EQ(app.settings["MyselfXPos"], 50);

    Move(kTour, CZrPosition::Seat(2));
    EXPECT_EQ(own.calls, (Calls{"own-layout", "indicator-animate", "tour-tab 40", "tip 2"}));
    EXPECT_EQ(views.calls, (Calls{"member-message 1 40", "people-update 1"}));
    EXPECT_EQ(app.settings["MyselfXPos"], 50);

    // Out of a group inside the room: the group's page closes and the
    // avatar stands in the room again.
    Move(kRoom, CZrPosition::XY(70, 80));
    EXPECT_EQ(own.calls, (Calls{"close-page 40", "own-layout", "indicator-animate"}));
    EXPECT_EQ(views.calls, (Calls{"leave-group 1 40", "people-update 1"}));

    Move(kCorridor, CZrPosition());
    EXPECT_EQ(own.calls, Calls{"own-shown 0"});
    EXPECT_EQ(views.calls, (Calls{"place-request 1", "people-update 1"}));
}

TEST_F(MyselfTest, LeavingAGameReleasesItAndClearsTheOverlay)
{
    Group(kRoom).AddChild(myself.get());
    Move(kGame, CZrPosition::Seat(1));
    EXPECT_EQ(own.calls, (Calls{"own-layout", "indicator-animate", "game-tab 41"}));
    own.overlayShown = true;
    Move(kRoom, CZrPosition::XY(1, 2));
    EXPECT_EQ(own.calls,
              (Calls{"close-page 41", "release-game", "own-overlay 0", "own-layout", "indicator-animate"}));
}

TEST_F(MyselfTest, SeatRowsFollowTheSpeakerListIncludingItsEnds)
{
    struct Case {
        const char* list;  // null: no list published
        int32_t action;
    };
    const Case cases[] = {
        {"61 62 63", CMyselfClient::kInvitedToSpeak},
        {"60 61", CMyselfClient::kInvitedToSpeak},
        {"61", CMyselfClient::kInvitedToSpeak},
        {"161 610", CMyselfClient::kNoAction},
        {nullptr, CMyselfClient::kNoAction},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.list ? c.list : "none");
        place.GetRoom()->GetInfo().Items().Take(22);
        if (c.list)
            place.GetRoom()->GetInfo().Items().Put(CZrItem::Text(22, c.list));
        myself->SetPendingAction(CMyselfClient::kNoAction, 0);
        Group(kRoom).AddChild(myself.get());
        Move(kRow, CZrPosition::Seat(3));
        EXPECT_EQ(myself->GetPendingAction(), c.action);
        Move(kRoom, CZrPosition::XY(1, 1));
        EXPECT_EQ(myself->GetPendingAction(), CMyselfClient::kNoAction);
    }
}

TEST_F(MyselfTest, AHostsInvitationIsNotTouchedByTheSpeakerList)
{
    myself->SetPendingAction(CMyselfClient::kInvitedToSpeak, 555);
    Group(kRoom).AddChild(myself.get());
    Move(kRow, CZrPosition::Seat(3));
    Move(kRoom, CZrPosition::XY(1, 1));
    EXPECT_EQ(myself->GetPendingAction(), CMyselfClient::kInvitedToSpeak);
    EXPECT_EQ(myself->GetPendingMember(), 555u);
}

TEST_F(MyselfTest, RemovalFromAGroupNamesItsKind)
{
    Group(kRoom).AddChild(myself.get());
    Move(kTour, CZrPosition::Seat(2));
    Clear();
    Group(kTour).RemoveChild(myself.get());
    Group(kRoom).AddChild(myself.get());
    myself->OnPlaced(&Group(kTour), CZrPosition::Seat(2));
    ASSERT_EQ(app.messages.size(), 1u);
    EXPECT_EQ(app.messages[0],
              " You have been removed from the tour due to inappropriate behavior, or at the tour leader's "
              "discretion.");
}

// ---- Groups -------------------------------------------------------------------

TEST_F(MyselfTest, GroupPredicatesFollowTheKind)
{
    struct Case {
        uint32_t kind;
        bool led, game, pair, row;
    };
    const Case cases[] = {
        {513, true, false, false, false}, {514, false, false, true, false}, {518, true, true, false, false},
        {519, false, false, false, true}, {512, false, false, false, false},
    };
    for (const Case& c : cases) {
        std::unique_ptr<CZrGroup> group(place.CreatePlaceData(c.kind));
        group->SetKind(c.kind);
        EXPECT_EQ(CClientPlace::IsLedGroup(group.get()), c.led) << c.kind;
        EXPECT_EQ(CClientPlace::IsGame(group.get()), c.game) << c.kind;
        EXPECT_EQ(CClientPlace::IsOneOnOne(group.get()), c.pair) << c.kind;
        EXPECT_EQ(CClientPlace::IsSeatRow(group.get()), c.row) << c.kind;
    }
    CZrGroup plain;
    plain.SetKind(518);
    EXPECT_FALSE(CClientPlace::IsGame(&plain));
}

TEST_F(MyselfTest, GroupLinesAreShownUnlessIgnoredOrTooLong)
{
    Group(kRoom).AddChild(myself.get());
    CZrGroup& tour = Group(kTour);
    const std::string longest(CClientPlace::kMaxGroupLine, 'a');
    tour.OnReceive(bob, CPlace::kSayChat, longest, CTvlBlob());
    tour.OnReceive(bob, CPlace::kSayChat, longest + "a", CTvlBlob());
    states.SetState(kBobId, 1);
    tour.OnReceive(bob, CPlace::kSayChat, "hidden", CTvlBlob());
    EXPECT_EQ(views.lines, Calls{longest});
    EXPECT_EQ(dde.items.size(), 3u);
}

TEST(ClientRoomTest, SlotsComeFromItemThreeUpToTwenty)
{
    FakePersonViews views;
    CClientRoom room(views);
    std::string layout;
    for (int i = 0; i < 25; ++i)
        layout += std::to_string(i * 10) + ",0,10,10,S" + std::to_string(i + 1) + ";";
    room.GetInfo().Items().Put(CZrItem::Text(CClientRoom::kSlotLayoutItem, layout));
    room.SetCapacity(25);
    room.LoadSlots(true);
    EXPECT_EQ(room.SlotCount(), 20u);
    EXPECT_EQ(room.GetSlotName(20), "S20");
    EXPECT_EQ(room.FindSeatAt(15, 5), 2u);
    EXPECT_EQ(room.FindSeatAt(10, 5), 0u);  // on the border of two slots
    EXPECT_EQ(room.GetSlotScale(0).x, 1);
    EXPECT_EQ(room.GetSlotSize(0).x, 10);
    EXPECT_EQ(room.GetSlotSize(21).y, 10);
    EXPECT_EQ(room.GetSlotName(0), "");

    room.SetCapacity(2);
    room.LoadSlots(false);
    EXPECT_EQ(room.SlotCount(), 2u);
    EXPECT_EQ(room.GetSlotScale(2).x, 7);
}

}  // namespace

// The guide's page item of a tour moves the browser of its passengers only;
// a passenger who joins later goes to the page the tour shows.
TEST_F(MyselfTest, TourPassengersFollowTheGuidesPage)
{
    CZrGroup& tour = Group(kTour);
    place.GetRoom()->RemoveChild(bob);
    tour.AddHost(bob);
    CZrItem page = CZrItem::Text(CClientPlace::kGuidePageItem, "http://pages.example/wing");
    struct Case {
        const char* what;
        uint32_t where;  // the local user's group
        bool hosts;      // the local user leads it
        Calls followed;
    };
    const Case cases[] = {
        {"a passenger", kTour, false, {"http://pages.example/wing"}},
        {"the guide", kTour, true, {}},
        {"in the room", kRoom, false, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        frame.followed.clear();
        Group(c.where).AddChild(myself.get());
        tour.SetHost(c.hosts ? static_cast<CZrObject*>(myself.get()) : bob);
        tour.OnItemPut(page);
        EXPECT_EQ(frame.followed, c.followed);
        Group(c.where).RemoveChild(myself.get());
    }
    // Another item of the tour is no page.
    Group(kTour).AddChild(myself.get());
    tour.SetHost(bob);
    CZrItem other = CZrItem::Text(3, "http://pages.example/other");
    tour.OnItemPut(other);
    EXPECT_TRUE(frame.followed.empty());
    Group(kTour).RemoveChild(myself.get());

    tour.GetInfo().Items().Put(page);
    Group(kRoom).AddChild(myself.get());
    Move(kTour, CZrPosition());
    EXPECT_EQ(frame.followed, Calls{"http://pages.example/wing"});
}
