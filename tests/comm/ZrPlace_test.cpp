// The client place on a session through the protocol handler: login,
// welcome, entry with its key switch, every incoming place operation, the
// requests and their return codes, and the depth and text-length limits.
#include <gtest/gtest.h>

#include <string>

#include "PlaceBytes.h"
#include "PlaceDoubles.h"
#include "ZrChannel.h"
#include "ZrGroupInfo.h"
#include "ZrItem.h"
#include "ZrPlaceBinding.h"

using PlaceBytes::Op;

namespace {

Bytes Hex(const std::string& text)
{
    Bytes bytes;
    for (size_t i = 0; i + 1 < text.size();) {
        if (text[i] == ' ') {
            ++i;
            continue;
        }
        bytes.push_back(static_cast<uint8_t>(std::stoi(text.substr(i, 2), nullptr, 16)));
        i += 2;
    }
    return bytes;
}

Bytes F(const CWireEncoder& e)
{
    return e.Get();
}

const ZrProtocolError kNone{};

} // namespace

TEST(ZrClientPlace, LoginWelcomeAndEnterSendExactBytes)
{
    PlaceHarness h;
    ASSERT_TRUE(h.connection.IsUp());
    EXPECT_EQ(h.place->SendBlobRequest(h.connection, CZrString("ann", 1), "secret", 0x100, 11, 12), 0);
    h.connection.Flush();
    EXPECT_EQ(h.LastSent(), Hex("000B00 0000 0003616E6E 01 0100 00000008 0006736563726574"));

    h.Feed(PlaceBytes::Welcome(0, PlaceBytes::WelcomeFields()));
    // The person info's last value echoes the server's first frame, little-endian.
    EXPECT_EQ(h.connection.socket.sent[h.SentCount() - 1],
              Hex("000D00 0000 00000007 00 00 0003616E6E 00 00 0000 0000 0000 0000 0000 0100000A 01 0000"
                  " 0000000B 0000000C"));
    EXPECT_EQ(h.TakeEvents(), PlaceEvents({"place OnConnected"}));
    EXPECT_EQ(h.myself->GetKind(), 0x180u);
    EXPECT_EQ(h.place->GetPendingCount(), -1);

    EXPECT_EQ(h.place->SetPendingMember("http://page/", "", nullptr, CZrPlaceSelector::Named("page")), 0);
    h.connection.Flush();
    EXPECT_EQ(h.LastSent(), Hex("000F00 0000 00000007 0000 0001 000C687474703A2F2F706167652F 00 00 000470616765 0000"));
    EXPECT_EQ(h.Key(), 1);
}

TEST(ZrClientPlace, WelcomeIsRefusedWhenConnectedAndWhenMalformed)
{
    PlaceHarness h;
    h.Welcome();
    h.Feed(PlaceBytes::Welcome(0, PlaceBytes::WelcomeFields()));
    EXPECT_EQ(h.LastError().module, 7);
    EXPECT_EQ(h.LastError().error, 1);

    PlaceHarness bad;
    PlaceBytes::WelcomeFields fields;
    fields.kind = 0x180;
    bad.Welcome(fields);
    EXPECT_EQ(bad.LastError().module, 7);
    EXPECT_EQ(bad.LastError().error, 2);
    EXPECT_EQ(bad.myself->GetId(), 0u);
}

TEST(ZrClientPlace, MessagesForTheOldKeyAreDroppedAfterTheEnterRequest)
{
    PlaceHarness h;
    h.Welcome();
    h.place->SetPendingMember("http://page/", "", nullptr, CZrPlaceSelector::Named("page"));
    h.connection.Flush();
    h.TakeEvents();
    const size_t sent = h.SentCount();
    h.Feed(Op(0, 7, 2, F(CWireEncoder().U16(5))));
    EXPECT_TRUE(h.TakeEvents().empty());
    EXPECT_EQ(h.SentCount(), sent);
    h.Feed(Op(1, 7, 2, F(CWireEncoder().U16(5))));
    EXPECT_EQ(h.TakeEvents(), PlaceEvents({"place OnPlaceValue 5"}));
}

TEST(ZrClientPlace, EnterSnapshotSecondFormBuildsTheTree)
{
    PlaceHarness h;
    h.Populate();
    EXPECT_EQ(TreeDump(*h.place), "http://page/(100)[lobby(102)[bob(8)@xy:10,20 cat(9)] ?(101)[ann(7)]]");
    EXPECT_EQ(h.place->GetNumber(), 3);
    EXPECT_TRUE(h.place->IsReady());
}

TEST(ZrClientPlace, EnterWithPositionPutsMyselfIntoTheRoomUnlessTheFlagIsSet)
{
    const CZrPosition at = CZrPosition::XY(40, 50);
    for (uint32_t flag : {0u, 307u}) {
        PlaceHarness h;
        h.Welcome();
        h.TakeEvents();
        h.Enter(PlaceBytes::Room(102, 10, TreeBytes().PersonChild(8, "bob"), 1), &at, flag);
        const PlaceEvents events = h.TakeEvents();
        ASSERT_FALSE(events.empty());
        if (flag == 0) {
            EXPECT_EQ(events.back(), "place OnEntered xy:40,50 0 welcome");
            EXPECT_EQ(TreeDump(*h.place), "http://page/(100)[lobby(102)[bob(8) ann(7)@xy:40,50] ?(101)[]]");
        } else {
            EXPECT_EQ(events.back(), "place OnEntered xy:40,50 307 welcome");
            EXPECT_EQ(TreeDump(*h.place), "http://page/(100)[lobby(102)[bob(8)] ?(101)[ann(7)]]");
        }
    }
}

TEST(ZrClientPlace, EnterSnapshotFirstFormFromOperation1)
{
    PlaceHarness h;
    h.Populate();
    const TreeBytes snapshot = TreeBytes()
                                   .Text("room")
                                   .U8(0)
                                   .U8(1)
                                   .U8(4)
                                   .U32(200)
                                   .U16(0x800)
                                   .U32(201)
                                   .Append(PlaceBytes::Room(202, 5, TreeBytes().PersonChild(30, "zed"), 1))
                                   .U16(0);
    h.Feed(Op(1, 101, 1, snapshot.Bytes()));
    EXPECT_EQ(h.LastError().module, 0);
    EXPECT_EQ(TreeDump(*h.place), "room(200)[lobby(202)[zed(30)] ?(201)[ann(7)]]");
    const PlaceEvents events = h.TakeEvents();
    EXPECT_EQ(events.front(), "place OnEntering 101 room");
    EXPECT_EQ(events.back(), "place OnEntered none 0 ");
    EXPECT_EQ(h.place->GetNumber(), 4);
}

struct OpCase {
    const char* name;
    Bytes message;
    PlaceEvents events;
    ZrProtocolError error;
};

class PlaceOperations : public ::testing::TestWithParam<OpCase> {};

TEST_P(PlaceOperations, RaiseTheirCallbackOrTheirErrorPair)
{
    const OpCase& c = GetParam();
    PlaceHarness h;
    h.Populate();
    h.Feed(c.message);
    const ZrProtocolError error = h.LastError();
    EXPECT_EQ(error.module, c.error.module) << c.name;
    EXPECT_EQ(error.error, c.error.error) << c.name;
    if (!c.error.IsError()) {
        EXPECT_EQ(h.TakeEvents(), c.events) << c.name;
    }
}

const CTvlBlob kEmpty;

INSTANTIATE_TEST_SUITE_P(
    Table, PlaceOperations,
    ::testing::Values(
        OpCase{"op0 about another", Op(1, 8, 0, F(CWireEncoder().U16(5).Text("x").U8(0).U8(0).Text("").Text(""))), {}, {3, 9}},
        OpCase{"op0 about myself", Op(1, 7, 0, F(CWireEncoder().U16(5).Text("x").U8(0).U8(0).Text("").Text(""))), {}, {7, 19}},
        OpCase{"op0 key in use", Op(1, 7, 0, F(CWireEncoder().U16(1).Text("x").U8(0).U8(0).Text("").Text(""))), {}, {3, 42}},
        OpCase{"op2", Op(1, 7, 2, F(CWireEncoder().U16(5))), {"place OnPlaceValue 5"}, kNone},
        OpCase{"op2 about another", Op(1, 8, 2, F(CWireEncoder().U16(5))), {}, {3, 11}},
        OpCase{"op3 when ready", Op(1, 7, 3), {}, {7, 5}},
        OpCase{"op4", Op(1, 102, 4, TreeBytes().PersonChild(10, "dan").Bytes()), {"10 OnEnter"}, kNone},
        OpCase{"op4 into the place", Op(1, 100, 4, TreeBytes().PersonChild(10, "dan").Bytes()), {}, {7, 8}},
        OpCase{"op4 into a person", Op(1, 8, 4, TreeBytes().PersonChild(10, "dan").Bytes()), {}, {7, 7}},
        OpCase{"op4 own kind", Op(1, 102, 4, TreeBytes().PersonChild(10, "dan", 0x180).Bytes()), {}, {6, 1}},
        OpCase{"op5", Op(1, 8, 5, F(CWireEncoder().Text("bye"))), {"8 OnLeave bye"}, kNone},
        OpCase{"op5 myself", Op(1, 7, 5, F(CWireEncoder().Text("bye"))), {}, {7, 9}},
        OpCase{"op5 group 1024", Op(1, 102, 5, F(CWireEncoder().Text("bye"))), {}, {7, 9}},
        OpCase{"op5 short", Op(1, 8, 5), {}, {3, 32}},
        OpCase{"op6 to 1025 is pruned", Op(1, 8, 6, F(CWireEncoder().U32(101).U8(0).U16(0).U8(0))),
               {"8 OnMove from=102 old=xy:10,20 value=0", "8 OnLeave "}, kNone},
        OpCase{"op6 unknown destination", Op(1, 8, 6, F(CWireEncoder().U32(55).U8(0).U16(0).U8(0))), {}, {7, 11}},
        OpCase{"op6 no flag", Op(1, 8, 6, F(CWireEncoder().U32(101).U8(0).U16(0))), {}, {7, 10}},
        OpCase{"op6 short", Op(1, 8, 6, F(CWireEncoder().U32(101))), {}, {3, 4}},
        OpCase{"op7", Op(1, 8, 7, F(CWireEncoder().U32(102).U16(1).U16(1))), {}, {7, 21}},
        OpCase{"op7 zero", Op(1, 8, 7, F(CWireEncoder().U32(102).U16(0).U16(1))), {}, {3, 17}},
        OpCase{"op8", Op(1, 8, 8, F(CWireEncoder().U32(102).U16(1))), {}, {7, 28}},
        OpCase{"op9", Op(1, 7, 9, F(CWireEncoder().U16(302).U32(102).U16(1))), {"7 OnDenied 302 102 1"}, kNone},
        OpCase{"op9 about another", Op(1, 8, 9, F(CWireEncoder().U16(302).U32(102).U16(1))), {}, {7, 12}},
        OpCase{"op9 object a person", Op(1, 7, 9, F(CWireEncoder().U16(302).U32(8).U16(1))), {}, {3, 36}},
        OpCase{"op10 pair capacity 1",
               Op(1, 8, 10, F(CWireEncoder().U8(0).Text("p").U8(0).U8(0).U16(0).U16(1).U16(0).U16(0x202).U32(60).U16(1).U8(1).U32(9))),
               {}, {3, 38}},
        OpCase{"op10 about a group",
               Op(1, 102, 10, F(CWireEncoder().U8(0).Text("p").U8(0).U8(0).U16(0).U16(2).U16(0).U16(0x202).U32(60).U16(1).U8(1).U32(9))),
               {}, {3, 7}},
        OpCase{"op11 without pending", Op(1, 7, 11, F(CWireEncoder().U16(5).U16(0x202).U16(1))), {}, {7, 18}},
        OpCase{"op12 group 1024", Op(1, 8, 12, F(CWireEncoder().U32(102))), {}, {3, 46}},
        OpCase{"op13 a person", Op(1, 8, 13, F(CWireEncoder().U32(9))), {}, {3, 48}},
        OpCase{"op14", Op(1, 7, 14, F(CWireEncoder().U16(4))), {"7 OnNotice 4"}, kNone},
        OpCase{"op14 about another", Op(1, 8, 14, F(CWireEncoder().U16(4))), {}, {7, 25}},
        OpCase{"op15", Op(1, 8, 15, F(CWireEncoder().U32(7))), {"8 OnTargeted 7"}, kNone},
        OpCase{"op15 at another", Op(1, 8, 15, F(CWireEncoder().U32(9))), {}, {7, 27}},
        OpCase{"op15 missing", Op(1, 8, 15, F(CWireEncoder().U32(55))), {}, {7, 26}},
        OpCase{"op16", Op(1, 8, 16), {"8 OnTargetCleared"}, kNone},
        OpCase{"op16 about a group", Op(1, 102, 16), {}, {3, 13}},
        OpCase{"op17 to the place", Op(1, 8, 17, F(CWireEncoder().U32(100).U16(5).Text("hi").Blob({}))),
               {"place OnReceive from=8 value=5 text=hi blob="}, kNone},
        OpCase{"op17 to another", Op(1, 8, 17, F(CWireEncoder().U32(9).U16(5).Text("hi").Blob({}))), {}, {7, 35}},
        OpCase{"op17 missing", Op(1, 8, 17, F(CWireEncoder().U32(55).U16(5).Text("hi").Blob({}))), {}, {7, 34}},
        OpCase{"op17 short", Op(1, 8, 17, F(CWireEncoder().U32(100).U16(5).Text("hi"))), {}, {3, 58}},
        OpCase{"op18", Op(1, 8, 18, F(CWireEncoder().U32(7))), {"7 OnAlerted 8"}, kNone},
        OpCase{"op18 another", Op(1, 8, 18, F(CWireEncoder().U32(9))), {}, {7, 31}},
        OpCase{"op18 a group", Op(1, 8, 18, F(CWireEncoder().U32(102))), {}, {3, 53}},
        OpCase{"op19", Op(1, 8, 19, F(CWireEncoder().U8(2).U16(5).U32(9))), {"8 OnItemPut 5"}, kNone},
        OpCase{"op19 type 6", Op(1, 8, 19, F(CWireEncoder().U8(6).U16(5).U32(9))), {}, {7, 48}},
        OpCase{"op20 absent", Op(1, 8, 20, F(CWireEncoder().U16(5))), {}, {4, 4}},
        OpCase{"op20 short", Op(1, 8, 20), {}, {4, 3}},
        OpCase{"op21 without data flag", Op(1, 8, 21, F(CWireEncoder().U16(3))),
               {"8 OnDataChanged new=none old=none value=3"}, kNone},
        OpCase{"op21 exactly two bytes", Op(1, 8, 21), {}, {3, 33}},
        OpCase{"op22", Op(1, 8, 22, F(CWireEncoder().U8(2).U8(1))), {"8 OnDataReset old=none"}, kNone},
        OpCase{"op22 about a group", Op(1, 102, 22, F(CWireEncoder().U8(2).U8(1))), {}, {3, 20}},
        OpCase{"op23", Op(1, 8, 23, F(CWireEncoder().Text("Bob B").Text("Here").Text("b@x"))),
               {"8 OnInfoChanged Bob B/Here/b@x"}, kNone},
        OpCase{"op24", Op(1, 8, 24, F(CWireEncoder().U16(2))), {"8 OnFlagsChanged 0->2"}, kNone},
        OpCase{"op25 not my group", Op(1, 7, 25, F(CWireEncoder().U32(102).U8(0))), {}, {7, 36}},
        OpCase{"op25 seat", Op(1, 7, 25, F(CWireEncoder().U32(101).U8(1).U16(1))), {}, {7, 36}},
        OpCase{"op25", Op(1, 7, 25, F(CWireEncoder().U32(101).U8(2).U16(5).U16(6))), {"7 OnPlaced from=101 old=none"}, kNone},
        OpCase{"op26 outside 1024", Op(1, 7, 26), {}, {7, 40}},
        OpCase{"op27", Op(1, 8, 27, F(CWireEncoder().U16(6))), {"8 OnSignal 6"}, kNone},
        OpCase{"op27 myself", Op(1, 7, 27, F(CWireEncoder().U16(6))), {}, {7, 41}},
        OpCase{"op28", Op(1, 7, 28, F(CWireEncoder().U16(1).U32(2).Text("A B").U8(3).U16(4))),
               {"place OnInvited 1 2 ab/3 4"}, kNone},
        OpCase{"op28 empty name", Op(1, 7, 28, F(CWireEncoder().U16(1).U32(2).Text("").U8(3).U16(4))), {}, {3, 34}},
        OpCase{"op28 about another", Op(1, 8, 28, F(CWireEncoder().U16(1).U32(2).Text("a").U8(3).U16(4))), {}, {7, 29}},
        OpCase{"op29 empty name", Op(1, 7, 29, F(CWireEncoder().U16(1).U32(2).Text("").U8(3).U16(4))),
               {"place OnUninvited 1 2 /3 4"}, kNone},
        OpCase{"op30 counted", Op(1, 7, 30, F(CWireEncoder().U16(1).U32(2).U16(0).U32(2).Text("x").U8(1).Text("y").U8(2))),
               {"place OnNameKeyList 1 2 0 x y"}, kNone},
        OpCase{"op30 to the end", Op(1, 7, 30, F(CWireEncoder().U16(1).U32(2).U16(1).Text("x").U8(1))),
               {"place OnNameKeyList 1 2 1 x"}, kNone},
        OpCase{"op30 count beyond the data", Op(1, 7, 30, F(CWireEncoder().U16(1).U32(2).U16(0).U32(9).Text("x").U8(1))),
               {}, {7, 47}},
        OpCase{"op31", Op(1, 7, 31, F(CWireEncoder().U16(1).U32(2).U16(3).U8(1))), {"place OnPlaceFlag 1 2 3 1"}, kNone},
        OpCase{"op31 short", Op(1, 7, 31, F(CWireEncoder().U16(1).U32(2).U16(3))), {}, {7, 46}},
        OpCase{"op40 may be ignored", Op(1, 8, 40, {}, 1), {}, kNone},
        OpCase{"op40", Op(1, 8, 40), {}, {3, 31}},
        OpCase{"unknown object", Op(1, 55, 5, F(CWireEncoder().Text("bye"))), {}, kNone},
        OpCase{"object 0", Op(1, 0, 2, F(CWireEncoder().U16(1))), {}, kNone},
        OpCase{"short header", F(CWireEncoder().Header(15).U16(1).U32(8)), {}, {3, 59}}));

TEST(ZrClientPlace, PairDissolvesWhenOneIsLeft)
{
    PlaceHarness h;
    h.Populate();
    const Bytes pair = F(CWireEncoder().U8(0).Text("pair").U8(0).U8(0).U16(0).U16(2).U16(2).U16(0x202).U32(60).U16(1).U8(1).U32(9));
    h.Feed(Op(1, 8, 10, pair));
    EXPECT_EQ(h.TakeEvents(), PlaceEvents({"8 OnPaired 9 old=xy:10,20 value=0"}));
    EXPECT_EQ(TreeDump(*h.place->GetRoom()), "lobby(102)[pair(60)^9[cat(9) bob(8)]]");
    h.Feed(Op(1, 8, 5, F(CWireEncoder().Text("bye"))));
    EXPECT_EQ(h.TakeEvents(), PlaceEvents({"8 OnLeave bye", "60 OnDissolve", "9 OnMove from=60 old=none value=0"}));
    EXPECT_EQ(TreeDump(*h.place->GetRoom()), "lobby(102)[cat(9)]");
}

TEST(ZrClientPlace, GroupOperationMakesTheTargetHostInSeatOne)
{
    PlaceHarness h;
    h.Populate();
    const Bytes group = F(CWireEncoder().U8(0).Text("tour").U8(0).U8(0).U16(0).U16(4).U16(0x10).U16(0x201).U32(61).U16(1).U8(0).U8(2).U16(5).U16(6));
    h.Feed(Op(1, 9, 10, group));
    EXPECT_EQ(h.TakeEvents(), PlaceEvents({"9 OnGroupCreated 0"}));
    EXPECT_EQ(TreeDump(*h.place->GetRoom()), "lobby(102)[bob(8)@xy:10,20 tour(61)@xy:5,6^9[cat(9)@seat:1]]");
    h.Feed(Op(1, 9, 13, F(CWireEncoder().U32(61))));
    EXPECT_EQ(h.TakeEvents(), PlaceEvents({"9 OnHostLost"}));
    h.Feed(Op(1, 9, 12, F(CWireEncoder().U32(61))));
    EXPECT_EQ(h.TakeEvents(), PlaceEvents({"9 OnHostGained"}));
}

TEST(ZrClientPlace, OwnGroupRequestTakesThePendingRecord)
{
    PlaceHarness h;
    h.Populate();
    CZrGroupInfo record;
    record.SetName("mine");
    record.SetCapacity(3);
    EXPECT_EQ(h.place->RequestGroupOp(record, 0x201, *h.Find(102), CZrPosition::XY(1, 2), 1), 0);
    EXPECT_EQ(h.LastSent(), Hex("000F00 0001 00000007 000A 01 00046D696E65 00 00 0000 0003 0000 0201 00000066 0001 00"
                                " 02 0001 0002"));
    const Bytes group = F(CWireEncoder().U8(0).Text("mine").U8(0).U8(0).U16(0).U16(3).U16(0).U16(0x201).U32(62).U16(4).U8(0).U8(2).U16(1).U16(2));
    h.Feed(Op(1, 7, 10, group));
    EXPECT_EQ(h.TakeEvents(), PlaceEvents({"7 OnGroupCreated 4"}));
    CZrGroup* made = h.Find(62)->AsGroup();
    ASSERT_NE(made, nullptr);
    EXPECT_TRUE(made->GetInfo().Member().SharesBodyWith(record.Member()));
    EXPECT_EQ(made->GetHost(), h.myself);
    // No pending request is left for a second answer.
    h.Feed(Op(1, 7, 10, F(CWireEncoder().U8(0).Text("x").U8(0).U8(0).U16(0).U16(3).U16(0).U16(0x201).U32(63).U16(4).U8(0).U8(0))));
    EXPECT_EQ(h.LastError().error, 13);
}
