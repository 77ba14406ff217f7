// The tree's operations against a test place: coded forms of objects and
// groups, acceptance and seats, and the dissolve, move and return algorithms.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TreeBytes.h"
#include "TreeTestPlace.h"
#include "TvlNdr.h"
#include "ZrPersonLink.h"

namespace {

using Events = std::vector<std::string>;

std::vector<uint8_t> MarshalOf(const CZrObject& object)
{
    TvlNdr writer;
    object.Marshal(writer);
    return std::vector<uint8_t>(writer.Data(), writer.Data() + writer.Used());
}

class ZrTreeTest : public testing::Test {
protected:
    CZrGroup& Room() { return *place.GetRoom(); }
    CZrGroup& Corridor() { return *place.GetCorridor(); }
    CZrPerson& Myself() { return *place.GetMyself(); }

    // Moves the local user from group 1025 into the group.
    void PutMyselfInto(CZrGroup& group, const CZrPosition& position = CZrPosition())
    {
        Corridor().RemoveChild(&Myself());
        Myself().SetPosition(position);
        group.AddChild(&Myself());
    }

    bool ReadGroup(CZrGroup& group, const TreeBytes& bytes, int32_t level = 3)
    {
        TvlNdr reader(bytes.Size(), bytes.Data());
        return group.Unmarshal(reader, CZrReadContext{&place, level});
    }

    Events events;
    TreeTestPlace place{events};
};

TEST_F(ZrTreeTest, PersonFormRoundTrips)
{
    CZrPerson person;
    person.SetId(7);
    person.SetPosition(CZrPosition::XY(1, 2));
    person.GetInfo().SetName("Bo");
    person.GetPersonInfo().SetValue(0xAABBCCDD);
    person.SetNameTag(3);
    person.SetFlags(CZrMemberFlags(CZrMemberFlags::kNoSend));
    const TreeBytes bytes =
        TreeBytes().U32(7).XY(1, 2).ShortInfo("Bo").PersonTail(0xAABBCCDD).U8(3).U16(2);
    EXPECT_EQ(MarshalOf(person), bytes.Bytes());

    CZrPerson read;
    TvlNdr reader(bytes.Size(), bytes.Data());
    ASSERT_TRUE(read.Unmarshal(reader, CZrReadContext{&place, 3}));
    EXPECT_EQ(read.GetId(), 7u);
    EXPECT_EQ(read.GetPosition(), CZrPosition::XY(1, 2));
    EXPECT_EQ(read.GetName(), "Bo");
    EXPECT_EQ(read.GetPersonInfo().GetValue(), 0xAABBCCDDu);
    EXPECT_EQ(read.GetNameTag(), 3);
    EXPECT_TRUE(read.GetFlags().Has(CZrMemberFlags::kNoSend));
    EXPECT_EQ(MarshalOf(read), bytes.Bytes());
}

// Group 50 (capacity 4, flag 1) with host 7 on seat 1 and member 8.
TreeBytes GroupOfTwo(uint32_t hostId = 7)
{
    return TreeBytes()
        .GroupHead(50, "g", 4, 1, 2)
        .PersonChild(7, "a", 0x100, TreeBytes().Seat(1))
        .PersonChild(8, "b", 0x121, TreeBytes().XY(3, 4))
        .Host(hostId);
}

TEST_F(ZrTreeTest, GroupFormRoundTrips)
{
    RecordingGroup* group = place.AddGroup(Room(), 50, 4, 1);
    group->GetInfo().SetName("g");
    RecordingPerson* host = place.AddPerson(*group, 7, CZrPosition::Seat(1));
    host->GetInfo().SetName("a");
    RecordingPerson* member = place.AddPerson(*group, 8, CZrPosition::XY(3, 4));
    member->GetInfo().SetName("b");
    member->SetKind(0x121);
    group->SetHost(host);
    EXPECT_EQ(MarshalOf(*group), GroupOfTwo().Bytes());

    RecordingGroup read(events);
    read.SetKind(0x206);
    ASSERT_TRUE(ReadGroup(read, GroupOfTwo()));
    EXPECT_EQ(read.GetId(), 50u);
    EXPECT_EQ(read.GetCapacity(), 4);
    EXPECT_EQ(ChildIds(read), (std::vector<uint32_t>{7, 8}));
    ASSERT_NE(read.GetHost(), nullptr);
    EXPECT_EQ(read.GetHost()->GetId(), 7u);
    EXPECT_TRUE(read.IsSeatTaken(1));
    EXPECT_EQ(place.made, (std::vector<uint32_t>{0x100, 0x121}));
    EXPECT_EQ(place.registered, (std::vector<uint32_t>{7, 8}));
    EXPECT_EQ(read.GetPersonCount(), 2);
    EXPECT_TRUE(events.empty()) << "reading a group raises no notification";
    EXPECT_EQ(MarshalOf(read), GroupOfTwo().Bytes());
}

TEST_F(ZrTreeTest, MalformedGroupFormsFail)
{
    const struct {
        const char* what;
        TreeBytes bytes;
    } cases[] = {
        {"own person kind", TreeBytes().GroupHead(50, "g", 4, 0, 1).PersonChild(7, "a", 0x180).NoHost()},
        {"standing group kind", TreeBytes().GroupHead(50, "g", 4, 0, 1).U16(0x400).Append(
                                    TreeBytes().GroupHead(60, "s", 4, 0, 0).NoHost()).NoHost()},
        {"invalid kind", TreeBytes().GroupHead(50, "g", 4, 0, 1).PersonChild(7, "a", 0x900).NoHost()},
        {"over capacity", TreeBytes()
                              .GroupHead(50, "g", 1, 0, 2)
                              .PersonChild(7, "a")
                              .PersonChild(8, "b")
                              .NoHost()},
        {"host not a child", GroupOfTwo(99)},
        {"host is a group", TreeBytes()
                                .GroupHead(50, "g", 4, 0, 1)
                                .U16(0x200)
                                .Append(TreeBytes().GroupHead(60, "s", 4, 0, 0).NoHost())
                                .Host(60)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CZrGroup group;
        EXPECT_FALSE(ReadGroup(group, c.bytes));
    }
    const TreeBytes whole = GroupOfTwo();
    for (uint32_t length = 0; length < whole.Size(); ++length) {
        CZrGroup group;
        TvlNdr reader(length, whole.Data());
        EXPECT_FALSE(group.Unmarshal(reader, CZrReadContext{&place, 3})) << length;
    }
}

TEST_F(ZrTreeTest, RefusedRegistrationFailsTheRead)
{
    place.refuseRegistration.insert(8);
    CZrGroup group;
    EXPECT_FALSE(ReadGroup(group, GroupOfTwo()));
    EXPECT_EQ(ChildIds(group), std::vector<uint32_t>{7});
}

TEST_F(ZrTreeTest, GroupWithoutPlaceCannotReadChildren)
{
    CZrGroup group;
    const TreeBytes bytes = GroupOfTwo();
    TvlNdr reader(bytes.Size(), bytes.Data());
    EXPECT_FALSE(group.Unmarshal(reader, CZrReadContext{nullptr, 3}));
}

TEST_F(ZrTreeTest, CorridorAcceptsBeyondItsCapacity)
{
    const TreeBytes bytes =
        TreeBytes().GroupHead(50, "g", 1, 0, 3).PersonChild(7, "a").PersonChild(8, "b").PersonChild(9, "c").NoHost();
    CZrGroup standing;
    standing.SetKind(kZrKindCorridor);
    EXPECT_TRUE(ReadGroup(standing, bytes, 2));
    EXPECT_EQ(standing.ChildCount(), 3);
    CZrGroup plain;
    EXPECT_FALSE(ReadGroup(plain, bytes));
}

TEST_F(ZrTreeTest, CanAcceptCases)
{
    RecordingGroup* full = place.AddGroup(Room(), 50, 1, 0);
    RecordingGroup* inner = place.AddGroup(*full, 51, 2, 0);
    RecordingPerson* alone = place.AddPerson(*inner, 7);
    RecordingGroup* roomy = place.AddGroup(Room(), 52, 2, 0);
    RecordingPerson* stranger = place.AddPerson(Room(), 8);
    Corridor().SetCapacity(0);

    EXPECT_TRUE(Corridor().CanAccept(*stranger)) << "group 1025 takes everyone";
    EXPECT_TRUE(inner->CanAccept(*alone)) << "own parent";
    EXPECT_TRUE(full->CanAccept(*alone)) << "ancestor of a person alone in its group";
    EXPECT_FALSE(full->CanAccept(*stranger)) << "full";
    EXPECT_TRUE(roomy->CanAccept(*stranger));
    place.AddPerson(*inner, 9);
    EXPECT_FALSE(full->CanAccept(*alone)) << "no longer alone";
}

TEST_F(ZrTreeTest, SeatsAreTakenAndFreed)
{
    RecordingGroup* group = place.AddGroup(Room(), 50, 3, 0);
    RecordingPerson* host = new RecordingPerson(events);
    host->SetPosition(CZrPosition::Seat(1));
    group->AddHost(host);
    EXPECT_EQ(group->GetHost(), host);
    EXPECT_TRUE(group->IsSeatTaken(1)) << "the host's seat";
    RecordingPerson* guest = place.AddPerson(*group, 8, CZrPosition::Seat(3));
    EXPECT_TRUE(group->IsSeatTaken(3));
    EXPECT_FALSE(group->IsSeatTaken(2));
    group->SetCapacity(5);
    EXPECT_TRUE(group->IsSeatTaken(3)) << "resizing keeps the seats";
    group->RemoveChild(guest);
    EXPECT_FALSE(group->IsSeatTaken(3));
    delete guest;
    group->RemoveChild(host);
    EXPECT_EQ(group->GetHost(), nullptr);
    EXPECT_FALSE(group->IsSeatTaken(1));
    delete host;

    Corridor().SetCapacity(5);
    place.AddPerson(Corridor(), 9, CZrPosition::Seat(2));
    EXPECT_FALSE(Corridor().IsSeatTaken(2)) << "group 1025 keeps no seats";
}

TEST_F(ZrTreeTest, ChildrenBelongToOneGroupAtATime)
{
    RecordingGroup* first = place.AddGroup(Room(), 50, 3, 0);
    RecordingGroup* second = place.AddGroup(Room(), 51, 3, 0);
    RecordingPerson* person = place.AddPerson(*first, 7, CZrPosition::Seat(2));
    second->AddChild(person);
    EXPECT_EQ(ChildIds(*first), std::vector<uint32_t>{});
    EXPECT_FALSE(first->IsSeatTaken(2));
    EXPECT_TRUE(second->IsSeatTaken(2));
    // Deleting or dropping through a group that does not hold the object
    // leaves it alone.
    first->DeleteChild(person);
    first->RemoveDeparted(person, "");
    EXPECT_EQ(ChildIds(*second), std::vector<uint32_t>{7});
    EXPECT_TRUE(events.empty());
}

TEST_F(ZrTreeTest, GroupTakesACopyOfARequestRecord)
{
    CZrGroupInfo record;
    record.SetCapacity(3);
    record.SetFlags(CZrGroupInfo::kDissolveOneLeft);
    RecordingGroup* group = place.AddGroup(Room(), 50, 0, 0);
    group->SetGroupInfo(std::make_unique<CZrGroupInfo>(record));
    EXPECT_EQ(group->GetCapacity(), 3);
    EXPECT_TRUE(group->GetGroupInfo().HasFlag(CZrGroupInfo::kDissolveOneLeft));
    EXPECT_TRUE(group->GetInfo().Member().SharesBodyWith(record.Member()));
    place.AddPerson(*group, 7, CZrPosition::Seat(3));
    EXPECT_TRUE(group->IsSeatTaken(3)) << "the seat set follows the new capacity";
}

TEST_F(ZrTreeTest, GroupEmptiedDissolves)
{
    RecordingGroup* group = place.AddGroup(Corridor(), 50, 2, CZrGroupInfo::kDissolveEmpty);
    RecordingPerson* last = place.AddPerson(*group, 7);
    group->RemoveDeparted(last, "bye");
    EXPECT_EQ(events, (Events{"7 OnLeave bye", "50 OnDissolve", "50 deleted"}));
    EXPECT_EQ(ChildIds(Corridor()), std::vector<uint32_t>{100});
}

TEST_F(ZrTreeTest, OneLeftMovesTheLocalUserToTheCorridor)
{
    RecordingGroup* group = place.AddGroup(Corridor(), 50, 2, CZrGroupInfo::kDissolveOneLeft);
    PutMyselfInto(*group, CZrPosition::Seat(2));
    RecordingPerson* other = place.AddPerson(*group, 7);
    group->RemoveDeparted(other, "");
    EXPECT_EQ(events, (Events{"7 OnLeave ", "50 OnDissolve", "100 OnMove from=50 old=seat:2 value=0", "50 deleted"}));
    EXPECT_EQ(ChildIds(Corridor()), std::vector<uint32_t>{100});
    EXPECT_TRUE(Myself().GetPosition().IsNone());
}

TEST_F(ZrTreeTest, OneLeftWithoutTheLocalUserDeletesTheRest)
{
    RecordingGroup* group = place.AddGroup(Corridor(), 50, 2, CZrGroupInfo::kDissolveOneLeft);
    RecordingPerson* leaving = place.AddPerson(*group, 7);
    place.AddPerson(*group, 8);
    group->RemoveDeparted(leaving, "");
    EXPECT_EQ(events, (Events{"7 OnLeave ", "50 OnDissolve", "50 deleted"}));
    EXPECT_EQ(ChildIds(Corridor()), std::vector<uint32_t>{100});
}

TEST(ZrTreeNoMyselfTest, OneLeftMovesTheRemainingMemberWhenThereIsNoLocalUser)
{
    Events events;
    TreeTestPlace place(events, false);
    RecordingGroup* group = place.AddGroup(*place.GetCorridor(), 50, 2, CZrGroupInfo::kDissolveOneLeft);
    RecordingPerson* leaving = place.AddPerson(*group, 7);
    place.AddPerson(*group, 8, CZrPosition::XY(1, 1));
    group->RemoveDeparted(leaving, "");
    EXPECT_EQ(events, (Events{"7 OnLeave ", "50 OnDissolve", "8 OnMove from=50 old=xy:1,1 value=0", "50 deleted"}));
    EXPECT_EQ(ChildIds(*place.GetCorridor()), std::vector<uint32_t>{8});
}

TEST_F(ZrTreeTest, HostLeavingInsideTheRoomMovesEveryMemberThere)
{
    RecordingGroup* group = place.AddGroup(Room(), 50, 4, CZrGroupInfo::kDissolveHostLeft);
    RecordingPerson* host = place.AddPerson(*group, 7, CZrPosition::Seat(1));
    group->SetHost(host);
    place.AddPerson(*group, 8, CZrPosition::Seat(2));
    place.AddPerson(*group, 9);
    group->RemoveDeparted(host, "gone");
    EXPECT_EQ(events, (Events{"7 OnLeave gone", "50 OnDissolve", "8 OnMove from=50 old=seat:2 value=0",
                              "9 OnMove from=50 old=none value=0", "50 deleted"}));
    EXPECT_EQ(ChildIds(Room()), (std::vector<uint32_t>{8, 9}));
}

TEST_F(ZrTreeTest, GroupWithoutFlagsStays)
{
    RecordingGroup* group = place.AddGroup(Room(), 50, 4, 0);
    RecordingPerson* host = place.AddPerson(*group, 7);
    group->SetHost(host);
    place.AddPerson(*group, 8);
    group->RemoveDeparted(host, "");
    EXPECT_EQ(events, Events{"7 OnLeave "});
    EXPECT_EQ(ChildIds(*group), std::vector<uint32_t>{8});
}

TEST_F(ZrTreeTest, DissolvingTestsTheParentInTurn)
{
    RecordingGroup* outer = place.AddGroup(Corridor(), 50, 2, CZrGroupInfo::kDissolveOneLeft);
    PutMyselfInto(*outer);
    RecordingGroup* inner = place.AddGroup(*outer, 51, 2, CZrGroupInfo::kDissolveEmpty);
    RecordingPerson* last = place.AddPerson(*inner, 7);
    inner->RemoveDeparted(last, "");
    EXPECT_EQ(events, (Events{"7 OnLeave ", "51 OnDissolve", "51 deleted", "50 OnDissolve",
                              "100 OnMove from=50 old=none value=0", "50 deleted"}));
    EXPECT_EQ(ChildIds(Corridor()), std::vector<uint32_t>{100});
}

TEST_F(ZrTreeTest, StandingGroupsNeverDissolve)
{
    const uint16_t all = CZrGroupInfo::kDissolveEmpty | CZrGroupInfo::kDissolveOneLeft | CZrGroupInfo::kDissolveHostLeft;
    Room().GetGroupInfo().SetFlags(all);
    Corridor().GetGroupInfo().SetFlags(all);
    RecordingPerson* host = place.AddPerson(Room(), 7);
    Room().SetHost(host);
    Room().RemoveDeparted(host, "");
    RecordingPerson* other = place.AddPerson(Corridor(), 8);
    Corridor().RemoveDeparted(other, "");
    EXPECT_EQ(ChildIds(place), (std::vector<uint32_t>{1024, 1025}));
    EXPECT_EQ(ChildIds(Corridor()), std::vector<uint32_t>{100});
}

TEST_F(ZrTreeTest, MoveIntoAnotherGroup)
{
    RecordingGroup* group = place.AddGroup(Corridor(), 50, 2, 0);
    ASSERT_TRUE(Myself().MoveInto(*group, CZrPosition::XY(5, 6), 9));
    EXPECT_EQ(events, Events{"100 OnMove from=1025 old=none value=9"});
    EXPECT_EQ(ChildIds(*group), std::vector<uint32_t>{100});
    EXPECT_EQ(Myself().GetPosition(), CZrPosition::XY(5, 6));
}

TEST_F(ZrTreeTest, MoveWithinTheGroupKeepsTheHost)
{
    RecordingGroup* group = place.AddGroup(Room(), 50, 3, CZrGroupInfo::kDissolveHostLeft);
    RecordingPerson* host = place.AddPerson(*group, 7, CZrPosition::Seat(1));
    group->SetHost(host);
    place.AddPerson(*group, 8);
    ASSERT_TRUE(host->MoveInto(*group, CZrPosition::Seat(2), 0));
    EXPECT_EQ(group->GetHost(), host);
    EXPECT_TRUE(group->IsSeatTaken(2));
    EXPECT_FALSE(group->IsSeatTaken(1));
    EXPECT_EQ(events, Events{"7 OnMove from=50 old=seat:1 value=0"});
}

TEST_F(ZrTreeTest, MovingTheHostOutLetsTheOldGroupDissolve)
{
    RecordingGroup* group = place.AddGroup(Room(), 50, 3, CZrGroupInfo::kDissolveHostLeft);
    RecordingPerson* host = place.AddPerson(*group, 7);
    group->SetHost(host);
    place.AddPerson(*group, 8);
    ASSERT_TRUE(host->MoveInto(Room(), CZrPosition(), 3));
    EXPECT_EQ(events, (Events{"7 OnMove from=50 old=none value=3", "50 OnDissolve",
                              "8 OnMove from=50 old=none value=0", "50 deleted"}));
    EXPECT_EQ(ChildIds(Room()), (std::vector<uint32_t>{7, 8}));
}

TEST_F(ZrTreeTest, MovesThatWouldBreakTheTreeAreRefused)
{
    RecordingGroup* outer = place.AddGroup(Room(), 50, 3, 0);
    RecordingGroup* inner = place.AddGroup(*outer, 51, 3, 0);
    EXPECT_FALSE(outer->MoveInto(*inner, CZrPosition(), 0)) << "into its own subtree";
    EXPECT_FALSE(outer->MoveInto(*outer, CZrPosition(), 0)) << "into itself";
    EXPECT_FALSE(Room().MoveInto(*inner, CZrPosition(), 0)) << "a standing group";
    EXPECT_FALSE(place.MoveInto(*inner, CZrPosition(), 0)) << "the root";
    EXPECT_TRUE(events.empty());
    EXPECT_EQ(ChildIds(Room()), std::vector<uint32_t>{50});
    EXPECT_EQ(ChildIds(*outer), std::vector<uint32_t>{51});
}

TEST_F(ZrTreeTest, MovesStayWithinTheDepthLimit)
{
    // A chain of groups from level 3 (inside group 1024) to level 16.
    std::vector<CZrGroup*> chain{&Room()};
    for (uint32_t id = 200; chain.back()->GetLevel() < kZrMaxTreeLevels; ++id)
        chain.push_back(place.AddGroup(*chain.back(), id, 2, 0));
    ASSERT_EQ(chain.back()->GetLevel(), 16);
    RecordingGroup* pair = place.AddGroup(Corridor(), 50, 2, 0);
    place.AddPerson(*pair, 7);
    ASSERT_EQ(pair->GetHeight(), 2);
    EXPECT_FALSE(pair->MoveInto(*chain[13], CZrPosition(), 0)) << "the member would stand at level 17";
    EXPECT_EQ(pair->GetParent(), &Corridor());
    EXPECT_TRUE(pair->MoveInto(*chain[12], CZrPosition(), 0));
    EXPECT_EQ(pair->GetLevel(), 15);
}

TEST_F(ZrTreeTest, ReturnToPlaceLetsTheOldGroupDissolve)
{
    RecordingGroup* group = place.AddGroup(Room(), 50, 3, CZrGroupInfo::kDissolveHostLeft);
    PutMyselfInto(*group, CZrPosition::Seat(1));
    group->SetHost(&Myself());
    place.AddPerson(*group, 8);
    ASSERT_TRUE(Myself().ReturnToPlace());
    EXPECT_EQ(events, (Events{"100 OnReturned from=50 old=seat:1", "50 OnDissolve",
                              "8 OnMove from=50 old=none value=0", "50 deleted"}));
    EXPECT_EQ(ChildIds(Corridor()), std::vector<uint32_t>{100});
    EXPECT_EQ(ChildIds(Room()), std::vector<uint32_t>{8});
    EXPECT_TRUE(Myself().GetPosition().IsNone());

    CZrPerson detached;
    EXPECT_FALSE(detached.ReturnToPlace());
}

TEST_F(ZrTreeTest, MoveToPlacesWithoutDissolving)
{
    RecordingGroup* group = place.AddGroup(Corridor(), 50, 3, CZrGroupInfo::kDissolveEmpty);
    PutMyselfInto(*group, CZrPosition::Seat(2));
    Myself().MoveTo(Room(), CZrPosition::XY(7, 8));
    EXPECT_EQ(events, Events{"100 OnPlaced from=50 old=seat:2"});
    EXPECT_EQ(ChildIds(Room()), std::vector<uint32_t>{100});
    EXPECT_EQ(group->ChildCount(), 0);
}

TEST_F(ZrTreeTest, ReceivedChildHearsOnEnterAndIsRegistered)
{
    RecordingGroup* group = place.AddGroup(Room(), 50, 3, 0);
    const TreeBytes bytes = TreeBytes().PersonChild(7, "a", 0x100, TreeBytes().Seat(2));
    TvlNdr reader(bytes.Size(), bytes.Data());
    CZrObject* child = group->ReceiveChild(reader, place);
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(child->GetParent(), group);
    EXPECT_TRUE(group->IsSeatTaken(2));
    EXPECT_EQ(events, Events{"7 OnEnter"});
    EXPECT_EQ(place.registered, std::vector<uint32_t>{7});
}

// n groups, each inside the one before, the innermost holding one person.
TreeBytes NestedGroups(int n)
{
    TreeBytes bytes;
    for (int i = 0; i < n; ++i) {
        bytes.GroupHead(300 + i, "n", 2, 0, 1);
        if (i + 1 < n)
            bytes.U16(0x200);
    }
    bytes.PersonChild(7, "deep");
    for (int i = 0; i < n; ++i)
        bytes.NoHost();
    return bytes;
}

TEST_F(ZrTreeTest, NestingFromTheNetworkStopsAtSixteenLevels)
{
    // Read as group 1024's child form would be: the outer group at level 2.
    CZrGroup fits;
    EXPECT_TRUE(ReadGroup(fits, NestedGroups(14), 2)) << "the person stands at level 16";
    EXPECT_EQ(fits.GetHeight(), 15);
    EXPECT_EQ(fits.GetPersonCount(), 1);
    CZrGroup tooDeep;
    EXPECT_FALSE(ReadGroup(tooDeep, NestedGroups(15), 2));
    // A hostile message nests far deeper; the read stops at the limit.
    CZrGroup hostile;
    EXPECT_FALSE(ReadGroup(hostile, NestedGroups(5000), 2));

    std::vector<CZrGroup*> chain{&Room()};
    for (uint32_t id = 200; chain.back()->GetLevel() < kZrMaxTreeLevels; ++id)
        chain.push_back(place.AddGroup(*chain.back(), id, 2, 0));
    const TreeBytes person = TreeBytes().PersonChild(7, "a");
    TvlNdr reader(person.Size(), person.Data());
    EXPECT_EQ(chain.back()->ReadChild(reader, place), nullptr);
}

TEST_F(ZrTreeTest, LookupsWalkTheTree)
{
    RecordingGroup* group = place.AddGroup(Room(), 50, 4, 0);
    RecordingGroup* inner = place.AddGroup(*group, 51, 4, 0);
    RecordingPerson* deep = place.AddPerson(*inner, 77);
    place.AddPerson(*group, 8);
    RecordingPerson* twin = place.AddPerson(Corridor(), 77);

    EXPECT_EQ(place.GetPersonCount(), 4);
    EXPECT_EQ(group->GetPersonCount(), 2);
    EXPECT_EQ(place.FindById(77), deep) << "depth first, in children order";
    EXPECT_EQ(Corridor().FindById(77), twin);
    EXPECT_EQ(place.FindById(12345), nullptr);
    EXPECT_EQ(deep->FindRoot(), &place);
    EXPECT_EQ(deep->FindTreeHost(), &place);
    EXPECT_EQ(deep->GetLevel(), 5);
    EXPECT_TRUE(deep->IsInside(group));
    EXPECT_TRUE(deep->IsInside(deep));
    EXPECT_FALSE(group->IsInside(deep));
    EXPECT_EQ(twin->GetIndex(), 2);
    EXPECT_EQ(place.GetIndex(), 0);
    EXPECT_TRUE(deep->ParentIsBit9());
    EXPECT_FALSE(twin->ParentIsBit9());

    CZrGroup loose;
    EXPECT_EQ(loose.FindRoot(), nullptr);
    EXPECT_EQ(loose.FindTreeHost(), nullptr);
}

class RecordingLink : public IZrPersonLink {
public:
    bool IsUp() const override { return true; }
    bool SendStamped(TvlNdr& message) override
    {
        sent.push_back(message.Used());
        return true;
    }
    void ReleaseFromPerson() override { ++released; }

    std::vector<uint32_t> sent;
    int released = 0;
};

TEST_F(ZrTreeTest, SendingGoesThroughThePlaceLink)
{
    RecordingLink link;
    RecordingGroup* group = place.AddGroup(Room(), 50, 2, 0);
    TvlNdr message;
    message.PutLong(1);
    EXPECT_FALSE(Myself().Send(message)) << "no link yet";
    EXPECT_FALSE(group->Send(message)) << "no host";
    EXPECT_FALSE(Myself().IsConnected());

    Myself().SetChannel(&link);
    EXPECT_TRUE(Myself().IsConnected());
    EXPECT_TRUE(Myself().Send(message));
    PutMyselfInto(*group);
    group->SetHost(&Myself());
    EXPECT_TRUE(Myself().IsHostOfParent());
    EXPECT_TRUE(group->Send(message));
    EXPECT_EQ(link.sent, (std::vector<uint32_t>{4, 4}));

    place.SetId(0);
    EXPECT_FALSE(Myself().IsConnected()) << "the place is not ready";
    Myself().DropChannel();
    EXPECT_EQ(link.released, 1);
    EXPECT_EQ(Myself().GetChannel(), nullptr);
    Myself().DropChannel();
    EXPECT_EQ(link.released, 1);
}

TEST_F(ZrTreeTest, IdentityFlagsAndPendingRecords)
{
    Myself().SetIdentity("Full", "Here", "a@b");
    Myself().SetFlags(CZrMemberFlags(6));
    EXPECT_EQ(events, (Events{"100 OnInfoChanged Full", "100 OnFlagsChanged old=0 new=6"}));
    EXPECT_EQ(Myself().GetPersonInfo().GetEmail(), "a@b");

    CZrMemberHandle first;
    first->SetSerial(1);
    CZrMemberHandle second;
    second->SetSerial(2);
    Myself().AddPending(first);
    Myself().AddPending(second);
    CZrMemberHandle taken;
    ASSERT_TRUE(Myself().TakePending(taken));
    EXPECT_TRUE(taken.SharesBodyWith(first));
    Myself().ClearPending();
    EXPECT_FALSE(Myself().TakePending(taken));
    EXPECT_TRUE(Myself().IsActive());
}

} // namespace
