// The protocol handler: the hello check, routing of each message type by
// recipient (and the drop of an unknown one), the refused types, the
// messages for every place of the channel, registrations, the depth limit of
// nested objects, and the requests' return codes.
#include <gtest/gtest.h>

#include <string>

#include "BroadcastInfo.h"
#include "PlaceBytes.h"
#include "PlaceDoubles.h"
#include "ZrGroupInfo.h"
#include "TvlNdr.h"
#include "ZrObjectRef.h"

using PlaceBytes::Op;
using PlaceBytes::To;

namespace {

Bytes F(const CWireEncoder& e)
{
    return e.Get();
}

Bytes Broadcast(uint32_t recipient, const std::string& text)
{
    CWireEncoder e = To(7, recipient);
    e.Text(text).Text("").Text("").Blob({});
    for (int i = 0; i < 5; ++i)
        e.U16(0);
    e.Blob({});
    for (int i = 0; i < 4; ++i)
        e.U16(0);
    return e.Blob({});
}

Bytes PersonDescription(uint32_t id, const std::string& name)
{
    return CWireEncoder()
        .U32(id)
        .U16(0x100)
        .U8(1)
        .Text(name)
        .U8(1)
        .Text("")
        .Text("")
        .Text("")
        .U32Le(0)
        .Text("")
        .Text("")
        .U16(0x800)
        .U32(100)
        .Text("")
        .U16(0x400)
        .U8(0)
        .U16(0);
}

// The nested description of a corridor (kind 1025) holding one person.
Bytes CorridorDescription(uint32_t id, uint32_t personId, const std::string& personName)
{
    return CWireEncoder()
        .U32(id)
        .U16(1025)
        .U8(0)
        .Text("corridor")
        .U8(0)
        .U16(0)
        .U16(0)
        .U32(1)
        .U32(0)
        .U32(1)
        .U32(personId)
        .U16(0x100)
        .U8(1)
        .Text(personName)
        .U8(0)
        .U16(0)
        .U8(1)
        .Text("")
        .Text("")
        .Text("")
        .U32Le(0)
        .Get();
}

// A person child inside `levels` nested groups of kind 0x201.
TreeBytes NestedChild(int levels, uint32_t firstId)
{
    if (levels == 0)
        return TreeBytes().PersonChild(firstId, "deep");
    return TreeBytes().U16(0x201).GroupHead(firstId, "g", 4, 0, 1).Append(NestedChild(levels - 1, firstId + 1)).NoHost();
}

struct RouteCase {
    const char* name;
    Bytes (*message)(uint32_t recipient);
    std::string event;
};

Bytes Text5(uint32_t r)
{
    CWireEncoder e = To(5, r);
    e.Text("hi").Blob({'x'});
    return PlaceBytes::TextRecord(e, 8, "bob", 0x04030201).Text("t2");
}

const RouteCase kRoutes[] = {
    {"5", Text5, "place whispered hi blob=x from=8/bob value=67305985 t2"},
    {"6", [](uint32_t r) { return F(To(6, r).U32(8).U16(3)); }, "place OnTalkRefused 8 3"},
    {"7", [](uint32_t r) { return Broadcast(r, "news"); }, "place OnBroadcast news"},
    {"8", [](uint32_t r) { return F(To(8, r).U16(4)); }, "place OnSuperUserError 4"},
    {"10", [](uint32_t r) { return F(To(10, r).U32(5).Text("who").U32(1).Raw(PersonDescription(8, "bob"))); },
     "place OnPersonDescription 5 who 1"},
    {"16", [](uint32_t r) { return F(To(16, r).Text("warn")); }, "place OnWarning warn"},
    {"17", [](uint32_t r) { return F(To(17, r).U8(1).U32(8)); }, "place OnMuted 8"},
    {"17 lock", [](uint32_t r) { return F(To(17, r).U8(2).U32(8)); }, "place OnDataLocked 8"},
    {"18", [](uint32_t r) { return F(To(18, r).U8(1)); }, "place OnUnmuted"},
    {"18 unlock", [](uint32_t r) { return F(To(18, r).U8(2)); }, "place OnDataUnlocked"},
    {"19", [](uint32_t r) { return F(To(19, r).U32(8).U8(1).Blob({'p'})); }, "place OnPersonPicture 8 p"},
    {"20", [](uint32_t r) { return F(To(20, r).U32(1).U16(2)); }, "place OnPairNotice 1 2"},
    {"21", [](uint32_t r) { return F(To(21, r).U32(1).U32(100).U16(2).U32(3).Raw(CorridorDescription(5, 8, "bob"))); },
     "place OnObjectDescription 1 100 2 3 corridor kind=1025 members: bob"},
    {"22", [](uint32_t r) { return F(To(22, r).U32(1).U32(100).U32(3).U16(4)); }, "place OnPlaceReport 1 100 1 3 4"},
    {"24", [](uint32_t r) { return F(To(24, r).U32(1).U32(0).U32(5).U32(6).U32(7)); }, "place OnPlaceList 0 5 6 7"},
    {"25", [](uint32_t r) { return F(To(25, r, 1).U32(1).U32(2).U8(1).U32(5).U32(6).U32(7).U32(0)); },
     "place OnPlaceList 0 5 6 7"},
    {"28",
     [](uint32_t r) {
         CWireEncoder e = To(28, r);
         e.U32(1).U16(2).Text("svc").Blob({});
         return F(PlaceBytes::TextRecord(e, 8, "bob"));
     },
     "place OnServiceReply 1 2 svc from=8"},
    {"29", [](uint32_t r) { return F(To(29, r).U32(1).U16(2).Text("g").Blob({}).U32(500)); },
     "place OnGameNotice 1 2 g member=500"},
    {"30", [](uint32_t r) { return F(To(30, r).U32(1).U32(2).U16(3)); }, "place OnRequestFailed 1 2 3"},
    {"31", [](uint32_t r) { return F(To(31, r).U32(1).U32(2).U16(3)); }, "place OnInvitationFailed 1 2 3"},
    {"32", [](uint32_t r) { return F(To(32, r).U16(0x101)); }, "7 OnKindChanged 384->385"},
};

void AddReference(PlaceHarness& h, uint32_t owner, uint32_t kind)
{
    CZrObjectRef reference;
    reference.ownerId = owner;
    reference.kind = kind;
    h.connection.references.push_back(reference);
}

} // namespace

TEST(ZrClientProtocol, EachTypeReachesThePlaceOfItsRecipientAndAnUnknownOneIsDropped)
{
    for (const RouteCase& route : kRoutes) {
        PlaceHarness h;
        h.Populate();
        AddReference(h, 500, 0x121);
        h.Feed(route.message(PlaceHarness::kMyselfId));
        EXPECT_EQ(h.LastError().module, 0) << route.name;
        EXPECT_EQ(h.TakeEvents(), PlaceEvents({route.event})) << route.name;

        const size_t sent = h.SentCount();
        h.Feed(route.message(99));
        EXPECT_TRUE(h.TakeEvents().empty()) << route.name;
        EXPECT_EQ(h.SentCount(), sent) << route.name;
        EXPECT_FALSE(h.connection.session->IsEnded()) << route.name;
    }
}

TEST(ZrClientProtocol, MalformedAndRefusedTypesRaiseTheirPairs)
{
    struct Case {
        Bytes message;
        uint8_t module;
        uint8_t error;
    };
    const Case cases[] = {
        {F(To(5, 7).Text("hi").Blob({}).U32(8)), 9, 6},
        {F(CWireEncoder().Header(5).U32(0).Text("hi").Blob({})), 1, 4},
        {F(To(10, 7).U32(5).Text("who").U32(2).Raw(PersonDescription(8, "bob"))), 9, 5},
        {F(To(19, 7).U32(8).U8(1)), 9, 7},
        {F(To(25, 7).U32(1).U32(2).U8(1).U32(5).U32(6)), 9, 25},
        {F(To(25, 7).U32(1).U32(2).U8(1).U32(5).U32(6).U32(7).U32(1)), 9, 26},
        {F(To(29, 7).U32(1).U16(2).Text("g").Blob({}).U32(501)), 9, 11},
        {F(To(32, 7).U16(0x300)), 1, 13},
        {F(To(17, 7).U8(3).U32(8)), 9, 15},
        {F(CWireEncoder().Header(9)), 9, 2},
        {F(CWireEncoder().Header(11)), 9, 1},
        {F(CWireEncoder().Header(13)), 9, 28},
        {F(CWireEncoder().Header(23)), 9, 3},
        {F(CWireEncoder().Header(34)), 9, 31},
        {F(CWireEncoder().Header(27).U32(77)), 9, 21},
        {F(CWireEncoder().Header(14).U16(1)), 1, 11},
    };
    for (const Case& c : cases) {
        PlaceHarness h;
        h.Populate();
        h.Feed(c.message);
        EXPECT_EQ(h.LastError().module, c.module) << int(c.message[1]);
        EXPECT_EQ(h.LastError().error, c.error) << int(c.message[1]);
        EXPECT_TRUE(h.connection.session->IsEnded());
        EXPECT_EQ(h.events.back(), "place OnDisconnected 222  myself=0");
    }
}

TEST(ZrClientProtocol, HelloWithAnotherMajorIsAnsweredWith202)
{
    PlaceEvents events;
    CZrClientProtocol protocol(10);
    ConnectionDouble connection;
    connection.Open(protocol, 1);
    const Bytes hello = F(CWireEncoder().Header(0).U16(4).U16(0).U16(0));
    connection.session->OnMessage(static_cast<uint32_t>(hello.size()), hello.data());
    EXPECT_EQ(connection.socket.sent.back(), F(CWireEncoder().Header(3).U16(202)));
    EXPECT_TRUE(connection.session->IsEnded());
    EXPECT_FALSE(connection.IsUp());
}

TEST(ZrClientProtocol, HelloRefusedByTheConnectionIsAProtocolError)
{
    CZrClientProtocol protocol(10);
    ConnectionDouble connection;
    connection.refuseHello = true;
    connection.Open(protocol, 1);
    const Bytes hello = F(CWireEncoder().Header(0).U16(3).U16(1).U16(0));
    connection.session->OnMessage(static_cast<uint32_t>(hello.size()), hello.data());
    const Bytes& report = connection.socket.sent.back();
    ASSERT_GE(report.size(), 7u);
    EXPECT_EQ(report[4], 222);
    EXPECT_EQ(report[5], 1);
    EXPECT_EQ(report[6], 12);
    EXPECT_TRUE(connection.session->IsEnded());
}

TEST(ZrClientProtocol, HelloReferencesReachTheConnection)
{
    PlaceHarness h;
    EXPECT_TRUE(h.connection.IsUp());
    EXPECT_EQ(h.protocol.Sessions().size(), 1u);
    h.connection.session->Close(5);
    EXPECT_TRUE(h.protocol.Sessions().empty());
}

TEST(ZrClientProtocol, BroadcastToEveryConnectedPlaceAndTextsToEveryPlace)
{
    PlaceHarness h;
    h.Populate();
    h.Feed(Broadcast(0, "all"));
    EXPECT_EQ(h.TakeEvents(), PlaceEvents({"place OnBroadcast all"}));
    h.Feed(F(CWireEncoder().Header(35).Text("maintenance")));
    EXPECT_EQ(h.TakeEvents(), PlaceEvents({"place OnServerMessage maintenance"}));
    h.Feed(F(CWireEncoder().Header(26).U32(500).U16(0x121).U32(5).U32Le(6)));
    EXPECT_EQ(h.TakeEvents(), PlaceEvents({"place OnMemberAppeared 500"}));
    ASSERT_NE(h.place->FindMember(0x121), nullptr);
    EXPECT_EQ(h.place->FindMember(0x121)->parentId, 6u);
    h.Feed(F(CWireEncoder().Header(27).U32(500)));
    EXPECT_EQ(h.TakeEvents(), PlaceEvents({"place OnMemberLeft 500"}));
    EXPECT_EQ(h.place->FindMember(0x121), nullptr);
}

TEST(ZrClientProtocol, PlaceReportForAnotherPlaceIsDropped)
{
    PlaceHarness h;
    h.Populate();
    h.Feed(F(To(22, 7).U32(1).U32(999).U32(3).U16(4)));
    EXPECT_TRUE(h.TakeEvents().empty());
    EXPECT_EQ(h.LastError().module, 0);
}

TEST(ZrClientProtocol, EjectAndLinkRemovalTellThePlaceTheirCode)
{
    PlaceHarness eject;
    eject.Populate();
    eject.Feed(F(To(17, 7).U8(0).U32(8)));
    EXPECT_EQ(eject.TakeEvents(), PlaceEvents({"place OnDisconnected 220  myself=0"}));
    EXPECT_EQ(eject.myself->GetId(), 0u);
    EXPECT_EQ(eject.place->GetBinding(), nullptr);
    EXPECT_FALSE(eject.connection.session->IsEnded());

    PlaceHarness removal;
    removal.Populate();
    removal.Feed(F(CWireEncoder().Header(14).U16(1).U32(0).U16(230)));
    EXPECT_EQ(removal.TakeEvents(), PlaceEvents({"place OnDisconnected 230  myself=0"}));

    PlaceHarness close;
    close.Populate();
    close.Feed(F(CWireEncoder().Header(3).U16(214)));
    EXPECT_EQ(close.TakeEvents(), PlaceEvents({"place OnDisconnected 214  myself=0"}));
    EXPECT_EQ(close.connection.ended, std::vector<int32_t>({214}));
}

// A member whose record the session still holds comes back with its data
// when the serial is the same; another serial replaces a record held alone
// and is refused for a record still in use.
TEST(ZrClientProtocol, RegistrationsWithTheSameAndAnotherSerial)
{
    auto child = [](uint32_t serial) {
        return TreeBytes().U16(0x100).U32(10).NoPosition().ShortInfo("dan", serial, 1).PersonTail().U8(1).U16(0);
    };
    PlaceHarness h;
    h.Populate();
    h.Feed(Op(1, 102, 4, child(5).Bytes()));
    h.Feed(Op(1, 10, 21, F(CWireEncoder().U16(0).Blob({'f', 'a', 'c', 'e'}))));
    h.Feed(Op(1, 10, 5, F(CWireEncoder().Text(""))));
    ASSERT_EQ(h.Find(10), nullptr);
    h.Feed(Op(1, 102, 4, child(5).Bytes()));
    ASSERT_NE(h.Find(10), nullptr);
    const CTvlBlob* data = h.Find(10)->GetInfo().Member()->GetData();
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(data->Bytes()), data->Length()), "face");

    h.Feed(Op(1, 10, 5, F(CWireEncoder().Text(""))));
    h.Feed(Op(1, 102, 4, child(6).Bytes()));
    ASSERT_NE(h.Find(10), nullptr);
    EXPECT_EQ(h.Find(10)->GetInfo().Member()->GetData(), nullptr);

    h.Feed(Op(1, 101, 4, child(7).Bytes()));
    EXPECT_EQ(h.LastError().module, 6);
    EXPECT_EQ(h.LastError().error, 1);
}

// Nesting from the network stops at 16 levels: the place is level 1, its
// standing groups 2, so a person may stand inside 13 groups below them.
TEST(ZrClientProtocol, DepthLimitForChildrenSnapshotsAndNewGroups)
{
    {
        PlaceHarness h;
        h.Populate();
        h.Feed(Op(1, 102, 4, NestedChild(13, 20).Bytes()));
        EXPECT_EQ(h.LastError().module, 0);
        ASSERT_NE(h.Find(33), nullptr);
        EXPECT_EQ(h.Find(33)->GetLevel(), 16);
        // A group for the deepest person would put it at level 17.
        const Bytes group = F(CWireEncoder().U8(0).Text("t").U8(0).U8(0).U16(0).U16(4).U16(0).U16(0x201).U32(90).U16(1).U8(0).U8(0));
        h.Feed(Op(1, 33, 10, group));
        EXPECT_EQ(h.LastError().module, 7);
        EXPECT_EQ(h.LastError().error, 13);
    }
    {
        PlaceHarness h;
        h.Populate();
        h.Feed(Op(1, 102, 4, NestedChild(14, 20).Bytes()));
        EXPECT_EQ(h.LastError().module, 6);
        EXPECT_EQ(h.LastError().error, 1);
    }
    {
        PlaceHarness h;
        h.Populate();
        h.Feed(Op(1, 8, 6, F(CWireEncoder().U32(102).U8(0).U16(0).U8(1).Raw(NestedChild(14, 20).Bytes()))));
        EXPECT_EQ(h.LastError().module, 6);
    }
    {
        PlaceHarness h;
        h.Welcome();
        h.Enter(PlaceBytes::Room(102, 10, NestedChild(14, 20), 1));
        EXPECT_EQ(h.LastError().module, 7);
        EXPECT_EQ(h.LastError().error, 6);
    }
    {
        PlaceHarness h;
        h.Welcome();
        h.Enter(PlaceBytes::Room(102, 10, NestedChild(13, 20), 1));
        EXPECT_EQ(h.LastError().module, 0);
        EXPECT_TRUE(h.place->IsReady());
    }
}

TEST(ZrClientProtocol, TextsLongerThanTheCoderTakesAreBadArguments)
{
    const std::string tooLong(TvlNdr::kMaxText + 1, 'a');
    const std::string longest(TvlNdr::kMaxText, 'a');
    PlaceHarness h;
    h.Populate();
    const size_t sent = h.SentCount();
    EXPECT_EQ(h.place->SetPendingMember(tooLong, "", nullptr, CZrPlaceSelector()), 1);
    EXPECT_EQ(h.place->SendUserMessage(8, tooLong, CTvlBlob()), 1);
    EXPECT_EQ(h.place->RequestMove(*h.place, 5, tooLong, CTvlBlob()), 1);
    EXPECT_EQ(h.place->SendRequest(tooLong, ""), 1);
    EXPECT_EQ(h.place->SetMyInfo(&tooLong, nullptr, nullptr), 1);
    EXPECT_EQ(h.place->SendInviteRequest(1, 2, CZrString(tooLong, 1)), 1);
    EXPECT_EQ(h.place->SendBlobRequest(h.connection, CZrString("ann", 1), tooLong, 0x100, 0, 0), 1);
    EXPECT_EQ(h.place->SendGroupRequest(tooLong, "", nullptr, CZrPlaceSelector()), 1);
    EXPECT_EQ(h.SentCount(), sent);
    EXPECT_EQ(h.place->RequestMove(*h.place, 5, longest, CTvlBlob()), 0);
    EXPECT_EQ(h.SentCount(), sent + 1);
}

TEST(ZrClientProtocol, RequestsAnswerTheirCodes)
{
    PlaceHarness idle;
    EXPECT_EQ(idle.place->SendUserMessage(8, "hi", CTvlBlob()), 2);
    EXPECT_EQ(idle.place->SetPendingMember("p", "", nullptr, CZrPlaceSelector()), 2);
    EXPECT_EQ(idle.place->RequestClearPending(), 7);

    PlaceHarness h;
    h.Populate();
    CZrObject& bob = *h.Find(8);
    const CZrPosition seat = CZrPosition::Seat(1);
    EXPECT_EQ(h.place->SetPendingMember("p", "", &seat, CZrPlaceSelector()), 1);
    EXPECT_EQ(h.place->SendInviteRequest(1, 2, CZrString("", 0)), 1);
    EXPECT_EQ(h.place->RequestTarget(nullptr), 1);
    EXPECT_EQ(h.place->RequestGroupLeave(*h.myself), 1);
    EXPECT_EQ(h.place->Request(bob, 102, CZrPosition(), 1), 1);
    EXPECT_EQ(h.place->Request(*h.myself, 102, CZrPosition(), 0), 1);
    EXPECT_EQ(h.place->Request(*h.myself, 8, CZrPosition(), 1), 1);
    EXPECT_EQ(h.place->SetMyMemberData(bob, nullptr), 1);
    EXPECT_EQ(h.place->RequestJoin(bob, 1), 5);
    h.TakeEvents();

    EXPECT_EQ(h.place->SendMemberRequest(1, 501, 2, "x", CTvlBlob()), 602);
    EXPECT_EQ(h.TakeEvents(), PlaceEvents({"place OnRequestFailed 1 501 602"}));
    EXPECT_EQ(h.place->SendEjectRequest(1, CZrString("ann", 1), 2, "x"), 602);

    CZrGroupInfo record;
    record.SetCapacity(2);
    h.place->GetRoom()->SetHost(&bob);
    EXPECT_EQ(h.place->RequestPersonOp(record, 0x202, bob, 1), 0);
    EXPECT_EQ(h.TakeEvents(), PlaceEvents({"7 OnRequestError 404 514 1"}));
    h.place->GetRoom()->ClearHost();

    const size_t sent = h.SentCount();
    h.Feed(Op(1, 7, 24, F(CWireEncoder().U16(2))));
    h.TakeEvents();
    EXPECT_EQ(h.place->SendUserMessage(8, "hi", CTvlBlob()), 0);
    EXPECT_EQ(h.place->RequestMove(*h.place, 5, "hi", CTvlBlob()), 0);
    EXPECT_EQ(h.SentCount(), sent);
    EXPECT_EQ(h.TakeEvents(), PlaceEvents({"place OnTalkRefused 8 8", "place OnSendRefused 5 8"}));
}

TEST(ZrClientProtocol, DestinationRefusalsAreRaisedWithoutSending)
{
    PlaceHarness h;
    h.Populate();
    const size_t sent = h.SentCount();
    // Group 1024 holds two of its capacity of 2 after this entry.
    h.Feed(Op(1, 102, 4, TreeBytes().PersonChild(10, "dan").Bytes()));
    h.place->GetRoom()->SetCapacity(3);
    h.TakeEvents();
    EXPECT_EQ(h.place->Request(*h.myself, 102, CZrPosition::XY(1, 1), 1), 0);
    EXPECT_EQ(h.TakeEvents(), PlaceEvents({"7 OnDenied 307 102 1"}));
    EXPECT_EQ(h.SentCount(), sent);
    EXPECT_EQ(h.place->Request(*h.myself, 55, CZrPosition::XY(1, 1), 1), 0);
    EXPECT_EQ(h.SentCount(), sent + 1);
    EXPECT_EQ(h.LastSent(), Op(1, 7, 6, F(CWireEncoder().U32(55).U8(2).U16(1).U16(1).U16(1).U8(0))));
}

TEST(ZrClientProtocol, ChatAndWhisperRequestsCarryTheSenderFirst)
{
    PlaceHarness h;
    h.Populate();
    EXPECT_EQ(h.place->RequestMove(*h.place, 5, "hello", CTvlBlob()), 0);
    EXPECT_EQ(h.LastSent(), Op(1, 7, 17, F(CWireEncoder().U32(100).U16(5).Text("hello").Blob({}))));
    EXPECT_EQ(h.place->SendUserMessage(8, "psst", CTvlBlob()), 0);
    EXPECT_EQ(h.LastSent(), F(CWireEncoder().Header(5).U32(7).Text("psst").Blob({}).U32(8)));
}

TEST(ZrClientProtocol, SingletonIsMadeOnceAndAsksForTheSocketWindow)
{
    std::vector<std::string> asked;
    const ZrSocketWindowCreator refuse = [&asked](const std::string& name) {
        asked.push_back(name);
        return false;
    };
    const ZrSocketWindowCreator accept = [&asked](const std::string& name) {
        asked.push_back(name);
        return true;
    };
    EXPECT_EQ(ZrCreateProtocolSingleton(3, "Tvl32Sock", 0, refuse), 1);
    EXPECT_EQ(CZrProtocol::Instance(), nullptr);
    EXPECT_EQ(ZrCreateProtocolSingleton(3, "Tvl32Sock", 0, accept), 0);
    ASSERT_NE(CZrProtocol::Instance(), nullptr);
    EXPECT_EQ(CZrProtocol::RegistrationLimit(), 3u);
    EXPECT_EQ(ZrCreateProtocolSingleton(4, "Tvl32Sock", 0, accept), 101);
    EXPECT_EQ(asked, std::vector<std::string>({"Tvl32Sock", "Tvl32Sock"}));

    ConnectionDouble connection;
    connection.Open(*CZrProtocol::Instance(), 1);
    ZrDestroyProtocolSingleton();
    EXPECT_EQ(CZrProtocol::Instance(), nullptr);
    EXPECT_TRUE(connection.session->IsEnded());
    EXPECT_EQ(connection.ended, std::vector<int32_t>({0}));
}
