// A person of the place entering, moving and leaving on the library's own
// tree: the avatar window, seat rows, people list and DDE notices follow.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "CPersonClient.h"
#include "CPersonStateList.h"
#include "CPlace.h"
#include "PersonViewsFake.h"
#include "PlaceFakes.h"
#include "ZrClientPlace.h"
#include "ZrGroup.h"

namespace {

using Calls = std::vector<std::string>;

class TestPlace : public CZrClientPlace {
public:
    explicit TestPlace(CZrPerson* myself) : CZrClientPlace(myself, new CZrGroup, new CZrGroup, nullptr) {}
    bool IsConnected() override { return true; }
    bool IsReady() override { return true; }
};

// Group ids of the fixture's tree: the standing group 1024, two groups of
// kind 513 and a seat row of kind 519, all inside group 1024.
constexpr uint32_t kStanding = 10;
constexpr uint32_t kGroupA = 40;
constexpr uint32_t kGroupB = 50;
constexpr uint32_t kRow = 60;
constexpr uint32_t kPersonId = 7;
constexpr uint16_t kNoSeat = 0;

class PersonClientTest : public ::testing::Test {
protected:
    PersonClientTest() : place(&myself)
    {
        myself.SetId(1);
        place.GetRoom()->SetId(kStanding);
        MakeGroup(kGroupA, 513);
        MakeGroup(kGroupB, 513);
        MakeGroup(kRow, CPersonClient::kSeatRowKind);
    }

    CZrGroup& Group(uint32_t id) { return *place.FindById(id)->AsGroup(); }

    void PlaceMyself(uint32_t groupId) { Group(groupId).AddChild(&myself); }

    // A person of the tree in the group, at the seat when one is given.
    CPersonClient* AddPerson(uint32_t groupId, uint16_t seat, bool enter)
    {
        auto* person = new CPersonClient(views);
        person->SetId(kPersonId);
        if (seat != kNoSeat)
            person->SetPosition(CZrPosition::Seat(seat));
        Group(groupId).AddChild(person);
        if (enter)
            person->OnEnter();
        views.calls.clear();
        return person;
    }

    FakePersonViews views;
    CZrPerson myself;
    TestPlace place;

private:
    void MakeGroup(uint32_t id, uint32_t kind)
    {
        auto* group = new CZrGroup;
        group->SetId(id);
        group->SetKind(kind);
        place.GetRoom()->AddChild(group);
    }
};

TEST_F(PersonClientTest, EnterCreatesTheWindowInItsHostAndNotifies)
{
    struct Case {
        const char* name;
        uint32_t myselfIn;
        uint32_t parent;
        uint16_t flags;
        Calls expected;
    };
    const std::vector<Case> cases = {
        {"standing in the place", kGroupA, kStanding, 0,
         {"place-notice 7 1", "people-add 7", "window 7 0", "mark-off 7"}},
        {"into the local user's group", kGroupA, kGroupA, 0,
         {"place-notice 7 1", "people-add 7", "window 7 40", "member-message 7 40", "mark-off 7"}},
        {"into another group", kGroupA, kGroupB, 0,
         {"place-notice 7 1", "people-add 7", "window 7 50", "mark-off 7"}},
        {"into a seat row", kGroupA, kRow, 0, {"place-notice 7 1", "people-add 7", "window 7 60", "mark-off 7"}},
        {"both standing: no member message", kStanding, kStanding, 0,
         {"place-notice 7 1", "people-add 7", "window 7 0", "mark-off 7"}},
        {"marked by its flags", kGroupA, kStanding, CPersonClient::kMarkFlag,
         {"place-notice 7 1", "people-add 7", "window 7 0", "mark-on 7"}},
        {"other flags leave no mark", kGroupA, kStanding, 0x1D,
         {"place-notice 7 1", "people-add 7", "window 7 0", "mark-off 7"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PlaceMyself(c.myselfIn);
        CPersonClient* person = AddPerson(c.parent, kNoSeat, false);
        person->SetFlags(CZrMemberFlags(c.flags));
        views.calls.clear();
        person->OnEnter();
        EXPECT_EQ(views.calls, c.expected);
        Group(c.parent).DeleteChild(person);
    }
}

TEST_F(PersonClientTest, LeavingFreesSeatsAndTellsTheSessionOnce)
{
    struct Case {
        const char* name;
        uint32_t myselfIn;
        uint32_t parent;
        uint16_t seat;
        bool entered;
        Calls expected;
    };
    const std::vector<Case> cases = {
        {"standing in the place", kGroupA, kStanding, kNoSeat, true,
         {"hide 7", "people-remove 7", "place-request 7", "destroy 7"}},
        {"the local user's group", kGroupA, kGroupA, kNoSeat, true,
         {"hide 7", "people-remove 7", "leave-group 7 40", "destroy 7"}},
        {"another group", kGroupA, kGroupB, kNoSeat, true,
         {"hide 7", "people-remove 7", "place-request 7", "destroy 7"}},
        {"a seat row", kGroupA, kRow, 3, true, {"hide 7", "free-seat 60 3", "people-remove 7", "destroy 7"}},
        {"the local user's seat row", kRow, kRow, 5, true,
         {"hide 7", "free-seat 60 5", "people-remove 7", "leave-group 7 60", "destroy 7"}},
        {"no window to hide", kGroupA, kStanding, kNoSeat, false,
         {"people-remove 7", "place-request 7", "destroy 7"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PlaceMyself(c.myselfIn);
        CPersonClient* person = AddPerson(c.parent, c.seat, c.entered);
        views.windows.clear();
        if (c.entered)
            views.windows.insert(kPersonId);
        Group(c.parent).RemoveDeparted(person, std::string());
        EXPECT_EQ(views.calls, c.expected);
        EXPECT_EQ(place.FindById(kPersonId), nullptr);
        EXPECT_EQ(views.windows.count(kPersonId), 0u);
    }
}

TEST_F(PersonClientTest, MovesLayOutTheAvatarAndTellTheLocalUsersGroup)
{
    struct Case {
        const char* name;
        uint32_t myselfIn;
        uint32_t from;
        uint16_t seat;
        uint32_t to;
        Calls expected;
    };
    const std::vector<Case> cases = {
        {"joins the local user's group", kGroupA, kStanding, kNoSeat, kGroupA,
         {"people-update 7", "layout 7", "member-message 7 40"}},
        {"leaves the local user's group", kGroupA, kGroupA, kNoSeat, kStanding,
         {"people-update 7", "layout 7", "leave-group 7 40"}},
        {"between two other groups", kGroupA, kGroupB, kNoSeat, kStanding, {"people-update 7", "layout 7"}},
        {"leaves the local user's seat row", kRow, kRow, 3, kStanding,
         {"people-update 7", "empty-seat 60 3", "layout 7", "leave-group 7 60"}},
        {"leaves another seat row", kGroupA, kRow, 3, kStanding, {"people-update 7", "layout 7"}},
        {"the local user stands in the place", kStanding, kStanding, kNoSeat, kGroupA,
         {"people-update 7", "layout 7"}},
        {"stays in the same group", kGroupA, kGroupA, kNoSeat, kGroupA, {"people-update 7", "layout 7"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PlaceMyself(c.myselfIn);
        CPersonClient* person = AddPerson(c.from, c.seat, true);
        ASSERT_TRUE(person->MoveInto(Group(c.to), CZrPosition(), 0));
        EXPECT_EQ(views.calls, c.expected);
        Group(c.to).DeleteChild(person);
    }
}

TEST_F(PersonClientTest, FlagChangesSetAndClearTheMark)
{
    CPersonClient* person = AddPerson(kStanding, kNoSeat, true);
    person->SetFlags(CZrMemberFlags(CPersonClient::kMarkFlag | 0x1));
    person->SetFlags(CZrMemberFlags(0x1));
    EXPECT_EQ(views.calls, (Calls{"mark-on 7", "mark-off 7"}));
}

TEST(PersonClientOutsidePlace, MovesOutsideAPlaceWithdrawTheAvatarAndNotifyNothing)
{
    FakePersonViews views;
    CZrGroup from;
    CZrGroup to;
    auto* person = new CPersonClient(views);
    person->SetId(kPersonId);
    from.AddChild(person);
    person->OnEnter();
    EXPECT_EQ(views.calls, (Calls{"people-add 7", "window 7 0", "mark-off 7"}));
    views.calls.clear();
    ASSERT_TRUE(person->MoveInto(to, CZrPosition(), 0));
    EXPECT_EQ(views.calls, (Calls{"people-update 7", "withdraw 7"}));
    to.DeleteChild(person);
}

}  // namespace

namespace {

TEST(PersonClientFactory, ThePlaceMakesClientPersonsOnceItHasTheViews)
{
    FakeApp app;
    FakeDde dde;
    FakeFrame frame;
    FakeStateHost host;
    CPersonStateList states(host);
    CZrPerson myself;
    CPlace place(&myself, new CZrGroup, new CZrGroup, app, dde, frame, states);
    FakePersonViews views;

    std::unique_ptr<CZrPerson> plain(place.NewPerson(0x100));
    EXPECT_EQ(dynamic_cast<CPersonClient*>(plain.get()), nullptr);

    place.SetPersonViews(&views);
    std::unique_ptr<CZrPerson> shown(place.NewPerson(0x100));
    auto* client = dynamic_cast<CPersonClient*>(shown.get());
    ASSERT_NE(client, nullptr);
    EXPECT_EQ(client->GetKind(), 0x100u);
    client->SetId(kPersonId);
    client->OnEnter();
    EXPECT_EQ(views.calls, (Calls{"people-add 7", "window 7 0", "mark-off 7"}));
}

}  // namespace
