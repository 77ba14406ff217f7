#include "ZrSession.h"

#include <gtest/gtest.h>

#include <memory>

#include "LogCapture.h"
#include "MapSwitchSource.h"
#include "SessionDoubles.h"
#include "TvlSwitchSource.h"
#include "ZrChannel.h"
#include "ZrMessage.h"
#include "ZrMessageReader.h"

namespace {

using Events = std::vector<std::string>;
using Sent = std::vector<Bytes>;

class ZrSessionTest : public ::testing::Test {
protected:
    ZrSessionTest() : m_previousSource(TvlSetSwitchSource(&switches)) {}
    ~ZrSessionTest() override
    {
        session.reset();
        TvlSetSwitchSource(m_previousSource);
    }

    void Start()
    {
        session = std::make_unique<CZrSession>(&owner, &socket, handler, "server", 0x01020304);
    }

    // A session whose default channel the server's hello has set up.
    void StartSetUp(uint32_t windowId)
    {
        Start();
        Feed(Server::Hello(windowId));
        Forget();
    }

    void Forget()
    {
        socket.sent.clear();
        handler.events.clear();
        owner.events.clear();
    }

    void Feed(const Bytes& message) { session->OnMessage(static_cast<uint32_t>(message.size()), message.data()); }

    // A counted message from the client, sent on the default channel.
    void SendText(uint32_t n)
    {
        CZrMessage message;
        message.BuildPlaceListRequest(n, 0);
        session->Send(message);
    }

    static Bytes ClientText(uint32_t n) { return CWireEncoder().Header(24).U32(n).U32(0); }

    CMapSwitchSource switches{{}};
    CLogCapture logs;
    CFakeSessionSocket socket;
    CFakeSessionOwner owner;
    CFakeSessionHandler handler;
    std::unique_ptr<CZrSession> session;

private:
    ITvlSwitchSource* m_previousSource;
};

TEST_F(ZrSessionTest, CreationSendsTheHelloOfANewSession)
{
    Start();
    EXPECT_EQ(socket.sent, (Sent{{0x00, 0x00, 0x00, 0x00, 0x03, 0x00, 0x01, 0x01, 0x00}}));
    EXPECT_EQ(handler.session, session.get());
    EXPECT_EQ(session->DefaultChannel().PeerName(), "server");
    EXPECT_EQ(session->DefaultChannel().PeerRole(), 0x01020304u);
    EXPECT_EQ(session->DefaultChannel().GetState(), CZrChannel::kNew);

    CMapSwitchSource safe{{{"ZR_SAFE_CONN", 7}}};
    TvlSetSwitchSource(&safe);
    CFakeSessionSocket second;
    CZrSession other(nullptr, &second, handler, "server", 0);
    EXPECT_EQ(second.sent, (Sent{CWireEncoder().Header(0).U16(3).U16(1).U8(1).U8(1)}));
    TvlSetSwitchSource(&switches);
}

TEST_F(ZrSessionTest, HelloSetsUpTheDefaultChannel)
{
    Start();
    Feed(Server::Hello(0));
    EXPECT_EQ(handler.events, (Events{"hello 0"}));
    EXPECT_EQ(owner.events, (Events{"ready"}));
    EXPECT_EQ(session->DefaultChannel().GetState(), CZrChannel::kSetUp);
    EXPECT_EQ(session->DefaultChannel().PeerMajor(), 3);
}

enum Outcome { kHandled, kDropped, kError };

struct DispatchCase {
    const char* name;
    bool setUp;
    Bytes message;
    Outcome outcome;
    uint8_t module;
    uint8_t error;
    uint32_t offset;
};

void ExpectOutcome(const DispatchCase& c, const Events& handlerEvents, const Sent& sent, bool ended)
{
    const uint32_t type = static_cast<uint32_t>(c.message[0] << 8 | c.message[1]);
    switch (c.outcome) {
    case kHandled:
        EXPECT_EQ(handlerEvents, (Events{"0:" + std::to_string(type)})) << c.name;
        EXPECT_TRUE(sent.empty()) << c.name;
        EXPECT_FALSE(ended) << c.name;
        break;
    case kDropped:
        EXPECT_TRUE(handlerEvents.empty()) << c.name;
        EXPECT_TRUE(sent.empty()) << c.name;
        EXPECT_FALSE(ended) << c.name;
        break;
    case kError:
        EXPECT_EQ(sent, (Sent{Server::ErrorReport(c.module, c.error, c.message, c.offset)})) << c.name;
        EXPECT_TRUE(ended) << c.name << ": an error on the default channel ends the session";
        break;
    }
}

TEST_F(ZrSessionTest, ChannelDispatchTable)
{
    std::vector<DispatchCase> cases = {
        {"new: broadcast dropped", false, Server::Message(7), kDropped, 0, 0, 0},
        {"new: reference dropped", false, Server::Message(26), kDropped, 0, 0, 0},
        {"new: reference gone dropped", false, Server::Message(27), kDropped, 0, 0, 0},
        {"new: flagged dropped", false, Server::Message(5, 1), kDropped, 0, 0, 0},
        {"new: text refused", false, Server::Message(5, 0, {1, 2}), kError, 2, 5, 3},
        {"new: welcome refused", false, Server::Message(12), kError, 2, 5, 3},
        {"new: place operation refused", false, Server::Message(15, 0, {0, 0}), kError, 2, 5, 3},
        {"new: short hello", false, CWireEncoder().Header(0).U16(3), kError, 1, 1, 5},
        {"set up: bare type 4", true, Server::Message(4), kError, 2, 7, 2},
        {"set up: unknown type", true, Server::Message(37), kError, 2, 7, 3},
        {"set up: unknown type flagged", true, Server::Message(37, 1), kDropped, 0, 0, 0},
        {"set up: unknown type with an extension byte", true, Server::Message(99, 0x80, {0}), kError, 2, 7, 4},
        {"set up: hello again", true, Server::Hello(0), kError, 2, 4, 3},
        {"set up: close without code", true, Server::Message(3), kError, 2, 1, 3},
        {"set up: window acknowledgement without window", true, Server::WindowAck(0), kError, 2, 15, 3},
        {"set up: type 9 is refused by the handler", true, Server::Message(9, 0, {5}), kError, 9, 2, 3},
        {"set up: channel open without id", true, Server::Message(1, 0, {0, 0}), kError, 2, 9, 3},
        {"set up: channel open id 0", true, Server::ChannelOpen(0, "x"), kError, 2, 9, 7},
        {"set up: channel data without id", true, CWireEncoder().U16(2).U16(0), kError, 2, 12, 2},
        {"set up: channel data for an unknown channel", true, OnChannel(9, Server::Message(5)), kDropped, 0, 0, 0},
        {"set up: extended open malformed", true, CWireEncoder().Header(36).U8(0).U32(4).Text("n"), kError, 2, 18, 11},
        {"set up: header cut short", true, {0, 5}, kError, 2, 14, 2},
        {"set up: extension byte missing", true, {0, 5, 0x80}, kError, 2, 14, 3},
        {"set up: place operation without key", true, Server::Message(15, 0, {1}), kError, 2, 3, 3},
        {"set up: place operation for no link", true, Server::Message(15, 0, {0, 9}), kDropped, 0, 0, 0},
        {"new: channel open before set-up", false, Server::ChannelOpen(4, "x"), kError, 2, 8, 3},
        {"new: channel data before set-up", false, OnChannel(4, Server::Message(5)), kError, 2, 11, 2},
        {"new: extended open before set-up", false, Server::Message(36), kError, 2, 17, 3},
    };
    for (uint32_t type : {5, 6, 7, 8, 10, 11, 12, 13, 14, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29,
                          30, 31, 32, 34, 35})
        cases.push_back({"set up: handler type", true, Server::Message(type, 0, {0, 0, 0, 1}), kHandled, 0, 0, 0});
    for (const DispatchCase& c : cases) {
        if (c.setUp)
            StartSetUp(0);
        else
            Start();
        Forget();
        Feed(c.message);
        ExpectOutcome(c, handler.events, socket.sent, session->IsEnded());
        session.reset();
    }
}

TEST_F(ZrSessionTest, HandlerAndPlaceErrorsAreReported)
{
    StartSetUp(0);
    handler.errors[5] = {1, 4};
    const Bytes text = Server::Message(5, 0, {0, 0, 0, 0});
    Feed(text);
    EXPECT_EQ(socket.sent, (Sent{Server::ErrorReport(1, 4, text, 3)}));
    EXPECT_EQ(owner.events, (Events{"ended 222"}));
    EXPECT_EQ(handler.events.back(), "closed 222");
    EXPECT_EQ(socket.releases, 1);

    Events linkEvents;
    StartSetUp(0);
    auto* link = new CFakePlaceLink(42, linkEvents);
    session->DefaultChannel().AddLink(std::unique_ptr<IZrPlaceLink>(link));
    auto* second = new CFakePlaceLink(43, linkEvents);
    session->DefaultChannel().AddLink(std::unique_ptr<IZrPlaceLink>(second));
    EXPECT_EQ(link->Key(), 0);
    EXPECT_EQ(second->Key(), 1);
    EXPECT_EQ(session->DefaultChannel().FindLinkByObject(43), second);
    Feed(Server::Message(15, 0, {0, 1, 0, 0, 0, 7}));
    EXPECT_EQ(linkEvents, (Events{"op 1 at 5"}));
    second->answer = {3, 9};
    const Bytes op = Server::Message(15, 0, {0, 1, 0, 0, 0, 7});
    Forget();
    Feed(op);
    EXPECT_EQ(socket.sent, (Sent{Server::ErrorReport(3, 9, op, 5)}));
    EXPECT_EQ(linkEvents, (Events{"op 1 at 5", "op 1 at 5", "link 0 removed 222", "link 1 removed 222"}));
}

TEST_F(ZrSessionTest, ServerClosesTheDefaultChannelWithACode)
{
    StartSetUp(0);
    Feed(CWireEncoder().Header(3).U16(240));
    EXPECT_TRUE(session->IsEnded());
    EXPECT_TRUE(socket.sent.empty());
    EXPECT_EQ(owner.events, (Events{"ended 240"}));
    Feed(Server::Message(7));
    EXPECT_TRUE(handler.events == (Events{"closed 240"})) << "an ended session ignores frames";
}

TEST_F(ZrSessionTest, ChannelsOpenDispatchAndClose)
{
    StartSetUp(0);
    Feed(Server::ChannelOpen(7, "side"));
    ASSERT_NE(session->FindChannel(7), nullptr);
    EXPECT_EQ(session->FindChannel(7)->PeerName(), "side");
    EXPECT_EQ(session->ChannelCount(), 2u);
    const Bytes again = Server::ChannelOpen(7, "again");
    Feed(OnChannel(7, Server::Message(7)));
    Feed(OnChannel(7, Server::Message(26)));
    EXPECT_TRUE(handler.events.empty()) << "dropped while the channel is new";
    const Bytes text = Server::Message(5, 0, {1});
    Feed(OnChannel(7, text));
    EXPECT_EQ(socket.sent, (Sent{OnChannel(7, Server::ErrorReport(2, 5, text, 3))}));
    EXPECT_EQ(session->FindChannel(7), nullptr);
    EXPECT_FALSE(session->IsEnded()) << "only that channel closes";

    Forget();
    Feed(Server::ChannelOpen(8, "x"));
    Feed(again);
    Feed(Server::ChannelOpen(8, "twice"));
    EXPECT_EQ(socket.sent, (Sent{Server::ErrorReport(2, 10, Server::ChannelOpen(8, "twice"), 3 + 4 + 7)}));
    EXPECT_TRUE(session->IsEnded());
}

TEST_F(ZrSessionTest, ExtendedOpenAndOffer)
{
    StartSetUp(0);
    Feed(CWireEncoder().Header(36).U8(1).U32(9).Text("nine"));
    Feed(CWireEncoder().Header(36).U8(0).U32(10).Text("ten").U32(77));
    EXPECT_EQ(handler.events, (Events{"opened 0,9", "offer 10,77,ten"}));
    EXPECT_NE(session->FindChannel(9), nullptr);
    EXPECT_EQ(session->FindChannel(10), nullptr);
    const Bytes twice = CWireEncoder().Header(36).U8(1).U32(9).Text("x");
    Feed(twice);
    EXPECT_EQ(socket.sent, (Sent{Server::ErrorReport(2, 20, twice, 3 + 5 + 3)}));
}

TEST_F(ZrSessionTest, HelloOnAnotherChannelOnlySetsItUp)
{
    StartSetUp(5);
    SendText(1);
    SendText(2);
    Feed(Server::ChannelOpen(7, "side"));
    Forget();
    Feed(OnChannel(7, Server::Hello(0)));
    EXPECT_EQ(session->FindChannel(7)->GetState(), CZrChannel::kSetUp);
    EXPECT_TRUE(handler.events.empty()) << "no session hello and no resumption";
    EXPECT_TRUE(owner.events.empty());
    EXPECT_TRUE(socket.sent.empty()) << "no kept copy sent again";
    EXPECT_EQ(session->Window().Kept().size(), 2u);

    Feed(OnChannel(7, Server::Message(5, 0, {1})));
    EXPECT_EQ(handler.events, (Events{"7:5"}));

    Feed(Server::ChannelOpen(8, "old"));
    Forget();
    Feed(OnChannel(8, Server::Hello(0, 2)));
    EXPECT_EQ(socket.sent, (Sent{OnChannel(8, CWireEncoder().Header(3).U16(202))}));
    EXPECT_EQ(session->FindChannel(8), nullptr);
    EXPECT_FALSE(session->IsEnded());
}

TEST_F(ZrSessionTest, WrongMajorOrRefusedHelloEndsTheSession)
{
    Start();
    handler.helloAnswer = 202;
    Forget();
    Feed(Server::Hello(0, 2));
    EXPECT_EQ(socket.sent, (Sent{CWireEncoder().Header(3).U16(202)}));
    EXPECT_TRUE(session->IsEnded());
    EXPECT_EQ(owner.events, (Events{"ended 202"}));

    Start();
    handler.helloAnswer = 0;
    Forget();
    const Bytes shortHello = CWireEncoder().Header(0).U16(3).U16(1);
    Feed(shortHello);
    EXPECT_EQ(socket.sent, (Sent{Server::ErrorReport(1, 12, shortHello, 7)}));
}

TEST_F(ZrSessionTest, EveryThousandthCountedMessageIsAcknowledged)
{
    StartSetUp(5);
    for (int i = 0; i < 999; ++i)
        Feed(Server::Message(7));
    EXPECT_TRUE(socket.sent.empty());
    Feed(Server::Message(7));
    const Bytes ack = CWireEncoder().Header(33).U32(1000);
    EXPECT_EQ(socket.sent, (Sent{ack}));
    Feed(Server::WindowAck(0));
    EXPECT_EQ(socket.sent, (Sent{ack, ack})) << "an uncounted message at 1000 sends 1000 again";
    Feed(Server::Message(7));
    EXPECT_EQ(socket.sent.size(), 2u);
    EXPECT_EQ(session->Window().Received(), 1001u);
    EXPECT_TRUE(session->Window().Kept().empty()) << "acknowledgements are not kept";
}

TEST_F(ZrSessionTest, NothingIsCountedWithoutAWindow)
{
    StartSetUp(0);
    for (int i = 0; i < 1000; ++i)
        Feed(Server::Message(7));
    EXPECT_TRUE(socket.sent.empty());
    EXPECT_EQ(session->Window().Received(), 0u);
    SendText(1);
    EXPECT_TRUE(session->Window().Kept().empty());
}

TEST(ZrMsgWindow, AcknowledgedTable)
{
    const struct {
        uint32_t before;
        uint32_t n;
        bool ok;
        size_t keptAfter;
    } rows[] = {
        {0, 0, true, 3}, {0, 2, true, 1}, {0, 3, true, 0}, {0, 4, false, 3}, {1, 0, false, 2}, {1, 1, true, 2},
        {1, 3, true, 0}, {1, 5, false, 2}, {0, 0xFFFFFFFF, false, 3},
    };
    for (const auto& row : rows) {
        CZrMsgWindow window;
        window.SetWindowId(9);
        window.SetWindowId(10);
        EXPECT_EQ(window.WindowId(), 9u);
        const uint8_t bytes[] = {1};
        for (int i = 0; i < 3; ++i)
            window.Keep(0, nullptr, 1, bytes);
        ASSERT_TRUE(window.Acknowledged(row.before));
        EXPECT_EQ(window.Acknowledged(row.n), row.ok) << row.before << " then " << row.n;
        EXPECT_EQ(window.Kept().size(), row.keptAfter) << row.before << " then " << row.n;
        EXPECT_EQ(window.AcknowledgedCount(), row.ok ? row.n : row.before);
    }
}

TEST(ZrMsgWindow, AcknowledgementsAreTracedWhenTheSwitchIsOn)
{
    CMapSwitchSource on{{{"ZR_DEBUG_ACK", 1}}};
    CMapSwitchSource off{{}};
    ITvlSwitchSource* previous = TvlSetSwitchSource(&off);
    CLogCapture logs;
    CZrMsgWindow window;
    const uint8_t bytes[] = {1};
    window.Keep(0, nullptr, 1, bytes);
    window.Keep(0, nullptr, 1, bytes);
    window.Acknowledged(0);
    EXPECT_TRUE(logs.traces.empty());
    TvlSetSwitchSource(&on);
    window.Acknowledged(1);
    TvlSetSwitchSource(previous);
    ASSERT_EQ(logs.traces.size(), 2u) << "the switch is read at every call";
    EXPECT_EQ(logs.traces[0].rfind("ZR_ACK,", 0), 0u);
    EXPECT_NE(logs.traces[0].find(": ZrMsgWindow::acknowledged: (0,1,2)"), std::string::npos);
    EXPECT_NE(logs.traces[1].find(": ZrMsgWindow::acknowledged: 1"), std::string::npos);
}

TEST_F(ZrSessionTest, WindowAcknowledgementFromTheServer)
{
    StartSetUp(5);
    SendText(1);
    SendText(2);
    Feed(Server::WindowAck(1));
    EXPECT_EQ(session->Window().Kept().size(), 1u);
    Feed(Server::WindowAck(1));
    EXPECT_EQ(session->Window().Kept().size(), 1u) << "the same count again drops nothing";
    Forget();
    const Bytes tooMany = Server::WindowAck(3);
    Feed(tooMany);
    EXPECT_EQ(socket.sent, (Sent{Server::ErrorReport(2, 16, tooMany, 7)}));
    EXPECT_EQ(session->Window().AcknowledgedCount(), 1u) << "a failed acknowledgement drops nothing";
    const CTvlBlob& oldest = session->Window().Kept().front().message;
    EXPECT_EQ(Bytes(oldest.Bytes(), oldest.Bytes() + oldest.Length()), ClientText(2));
}

TEST_F(ZrSessionTest, ResumeDeliversEveryMessageOnceAndInOrder)
{
    StartSetUp(5);
    for (uint32_t n = 1; n <= 3; ++n)
        SendText(n);
    Feed(Server::Message(7));
    Feed(Server::Message(7));
    Feed(Server::WindowAck(1));
    Forget();

    session->OnConnectionBroken(44);
    ASSERT_EQ(logs.entries.size(), 1u);
    EXPECT_EQ(logs.entries[0].title, "Zanthe");
    EXPECT_EQ(logs.entries[0].text, "Connection to server broken (44), starting ttl");
    EXPECT_EQ(owner.events, (Events{"reconnect"}));
    SendText(4);
    SendText(5);

    CFakeSessionSocket fresh;
    session->ResumeOn(&fresh);
    EXPECT_EQ(fresh.sent, (Sent{CWireEncoder().Header(0).U16(3).U16(1).U8(5).U32(5).U32(2)}));
    SendText(6);
    EXPECT_EQ(fresh.sent.size(), 1u) << "nothing overtakes the older copies before the answer";

    Feed(Server::ResumedHello(2));
    EXPECT_EQ(handler.events, (Events{"resumed hello 0"}));
    EXPECT_FALSE(session->IsResuming());
    SendText(7);
    Sent expected{fresh.sent[0]};
    for (uint32_t n = 3; n <= 7; ++n)
        expected.push_back(ClientText(n));
    EXPECT_EQ(fresh.sent, expected);
    EXPECT_TRUE(socket.sent.empty());
    EXPECT_TRUE(owner.events == (Events{"reconnect"})) << "no second session-ready";
    EXPECT_EQ(session->Window().Kept().size(), 5u) << "copies stay until acknowledged";
}

TEST_F(ZrSessionTest, ResumeKeepsTheChannelPrefixOfACopy)
{
    StartSetUp(5);
    Feed(Server::ChannelOpen(7, "side"));
    Feed(OnChannel(7, Server::Hello(0)));
    CZrMessage message;
    message.BuildPlaceListRequest(1, 2);
    session->FindChannel(7)->Send(message);
    session->OnConnectionBroken(41);
    CFakeSessionSocket fresh;
    session->ResumeOn(&fresh);
    Feed(Server::ResumedHello(0));
    ASSERT_EQ(fresh.sent.size(), 2u);
    EXPECT_EQ(fresh.sent[1], OnChannel(7, CWireEncoder().Header(24).U32(1).U32(2)));
}

TEST_F(ZrSessionTest, ResumeThatCannotBeMatchedEndsTheSession)
{
    StartSetUp(5);
    SendText(1);
    session->OnConnectionBroken(41);
    CFakeSessionSocket fresh;
    session->ResumeOn(&fresh);
    const Bytes answer = Server::ResumedHello(9);
    Feed(answer);
    EXPECT_EQ(fresh.sent.back(), Server::ErrorReport(1, 12, answer, 11));
    EXPECT_TRUE(session->IsEnded());
}

TEST_F(ZrSessionTest, BrokenWithoutWindowEndsTheSession)
{
    StartSetUp(0);
    session->OnConnectionBroken(41);
    EXPECT_TRUE(session->IsEnded());
    EXPECT_EQ(owner.events, (Events{"ended 241"}));
    EXPECT_TRUE(logs.entries.empty());
    EXPECT_EQ(socket.releases, 0) << "the broken socket is forgotten, not released";
}

TEST_F(ZrSessionTest, CloseTellsTheOwnerOnceAndCloseFromServerNotAtAll)
{
    StartSetUp(0);
    Feed(Server::ChannelOpen(7, "side"));
    Events linkEvents;
    session->FindChannel(7)->AddLink(std::make_unique<CFakePlaceLink>(1, linkEvents));
    session->Close(230);
    EXPECT_EQ(owner.events, (Events{"ended 230"}));
    EXPECT_EQ(handler.events, (Events{"closed 230"}));
    EXPECT_EQ(linkEvents, (Events{"link 0 removed 230"}));
    EXPECT_EQ(socket.releases, 1);
    EXPECT_EQ(session->ChannelCount(), 0u);
    session->Close(231);
    EXPECT_EQ(owner.events.size(), 1u);

    StartSetUp(0);
    session->CloseFromServer(5);
    EXPECT_TRUE(owner.events.empty());
    EXPECT_EQ(handler.events, (Events{"closed 5"}));
}

class CRecord : public IZrRegistrationRecord {
public:
    CRecord(uint8_t serial, uint32_t flag) : m_serial(serial), m_flag(flag) {}
    uint8_t Serial() const override { return m_serial; }
    uint32_t DataFlag() const override { return m_flag; }

private:
    uint8_t m_serial;
    uint32_t m_flag;
};

ZrRecordHandle Record(uint8_t serial, uint32_t flag)
{
    return std::make_shared<CRecord>(serial, flag);
}

TEST(ZrRegistrationList, RegisterRules)
{
    CZrRegistrationList list;
    ZrRecordHandle first = Record(1, 1);
    EXPECT_TRUE(list.Register(10, first));
    EXPECT_EQ(*list.Find(10), first);
    EXPECT_EQ(list.Find(11), nullptr);

    ZrRecordHandle sameSerial = Record(1, 1);
    EXPECT_TRUE(list.Register(10, sameSerial));
    EXPECT_EQ(sameSerial, first) << "the caller shares the kept body";

    ZrRecordHandle otherFlag = Record(1, 0);
    EXPECT_FALSE(list.Register(10, otherFlag));

    ZrRecordHandle newer = Record(2, 0);
    EXPECT_FALSE(list.Register(10, newer)) << "shared body with another serial";
    first.reset();
    sameSerial.reset();
    EXPECT_TRUE(list.Register(10, newer)) << "held alone: replaced";
    EXPECT_EQ(*list.Find(10), newer);
    ZrRecordHandle none;
    EXPECT_FALSE(list.Register(12, none));
}

TEST(ZrRegistrationList, Prune)
{
    CZrRegistrationList list;
    std::vector<ZrRecordHandle> held;
    const auto add = [&](uint32_t id, uint32_t flag, bool keepHandle) {
        ZrRecordHandle handle = Record(1, flag);
        list.Register(id, handle);
        if (keepHandle)
            held.push_back(handle);
    };
    add(1, 1, false);
    add(2, 0, false);
    add(3, 1, true);
    add(4, 0, true);
    add(5, 1, false);
    add(6, 1, false);
    list.Prune(2);
    std::vector<uint32_t> ids;
    for (const auto& record : list.Records())
        ids.push_back(record.id);
    // 2 goes (alone, no data); alone with data 1, 5, 6 plus shared with data
    // 3 make 4 against a limit of 2: the oldest alone, 1 and 5, go.
    EXPECT_EQ(ids, (std::vector<uint32_t>{3, 4, 6}));
    list.Prune(0);
    ids.clear();
    for (const auto& record : list.Records())
        ids.push_back(record.id);
    EXPECT_EQ(ids, (std::vector<uint32_t>{3, 4})) << "shared records are never dropped";
}

} // namespace
