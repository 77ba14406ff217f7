// The root place's handling of the library's events, driven directly with
// recording fakes of the application, the DDE session and the browser frame.
#include <gtest/gtest.h>

#include "CPayload.h"
#include "CPersonStateList.h"
#include "CPlace.h"
#include "CPlaceMessage.h"
#include "PlaceFakes.h"
#include "ZrGroup.h"
#include "ZrInfo.h"
#include "ZrObjectRef.h"
#include "ZrPersonDesc.h"
#include "ZrPlaceDesc.h"
#include "ZrPerson.h"
#include "ZrTextMessage.h"

namespace {

const std::string kInaccessible = "Lumora Chat Server zr.example is inaccessible: ";

class PlaceTest : public ::testing::Test {
protected:
    PlaceTest() : states(host), place(&myself, new CZrGroup, new CZrGroup, app, dde, frame, states) {}

    CZrObjectRef Ref(uint32_t owner, uint32_t kind)
    {
        CZrObjectRef reference;
        reference.ownerId = owner;
        reference.kind = kind;
        return reference;
    }

    FakeApp app;
    FakeDde dde;
    FakeFrame frame;
    FakeStateHost host;
    CPersonStateList states;
    CZrPerson myself;
    CPlace place;
};

TEST(PlaceMessageTest, FillsDirectivesInOrderAndLeavesUnmatchedOnes)
{
    struct Case {
        const char* format;
        std::vector<std::string> arguments;
        const char* expected;
    };
    const Case cases[] = {
        {"Server %s is down (%d).", {"h", "7"}, "Server h is down (7)."},
        {"%d%% done", {"50"}, "50% done"},
        {"no arguments %s %d", {}, "no arguments %s %d"},
        {"only one %s and %s", {"a"}, "only one a and %s"},
        {"ends with %", {"x"}, "ends with %"},
        {"%x stays", {"x"}, "%x stays"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CPlaceMessage::Fill(c.format, c.arguments), c.expected) << c.format;
}

// ---- Disconnect codes ------------------------------------------------------

struct DisconnectCase {
    int32_t code;
    const char* detail;
    const char* loginBase;
    bool acceptReconnect;
    int32_t listState;
    const char* message;  // empty: no message box
    const char* status;   // last status text
    const char* ddeItem;  // empty: no DDE notice
    const char* call;     // a call the application must see, or empty
};

const DisconnectCase kDisconnectCases[] = {
    {203, "", "", true, 1, "The server refused the connection: this client version is not supported.", "Disconnected",
     "DisconnectCommunity 129", ""},
    {204, "", "", true, 1, "Your login was refused (204).", "Disconnected", "DisconnectCommunity 134", ""},
    {225, "", "", true, 1, "Your login was refused (228).", "Disconnected", "DisconnectCommunity 134", ""},
    {228, "", "", true, 1, "", "Disconnected", "", ""},
    {228, "", "http://login.example/", true, 1, "Your login was refused (228).", "Disconnected",
     "DisconnectCommunity 134", ""},
    {206, "", "", true, 1, "", "Disconnected", "", "ConfirmAndLeave"},
    {207, "", "", true, 1, "", "Reconnecting to zr.example", "DisconnectCommunity 165", ""},
    {207, "", "", false, 1, "The connection to the server timed out (207).", "Disconnected",
     "DisconnectCommunity 165", ""},
    {244, "", "", false, 1, "The connection was reset (244).", "Disconnected", "DisconnectCommunity 141", ""},
    {212, "", "", true, 1, "You have been ejected from the community.", "Disconnected", "DisconnectCommunity 131", ""},
    {220, "30", "", true, 1, "You have been banned from the community for 30 minutes.", "Disconnected",
     "DisconnectCommunity 142", ""},
    {220, "", "", true, 1, "You have been banned from the community.", "Disconnected", "DisconnectCommunity 160", ""},
    {229, "", "", true, 1, "The server closed the community.", "Disconnected", "DisconnectCommunity 61242", ""},
    {234, "", "", true, 3, "", "Disconnected", "", ""},
    {234, "", "", true, 1, "The community server list has changed. Please choose a server.", "Disconnected",
     "DisconnectCommunity 132", "StorePendingConnectionChoice"},
    {999, "", "", true, 1, "The server reported an unknown error (999).", "Disconnected", "DisconnectCommunity 181", ""},
};

// Login refusals show a one-line message only with a web login page and
// never notify the DDE session; without one the stored nickname goes.
struct LoginCase {
    int32_t code;
    const char* loginBase;
    const char* message;
    const char* call;
};

const LoginCase kLoginCases[] = {
    {214, "http://login.example/", " Your nickname is already in use. Please log in again.", "StartLogin"},
    {214, "", "", "ClearIdentityNick"},
    {224, "http://login.example/", " Your nickname or password was not accepted. Please log in again.", ""},
    {235, "", "", "ClearIdentityNick"},
    {226, "http://login.example/", " Your password was not accepted.", ""},
    {230, "http://login.example/", " The nickname Wren is already in use. Please choose another one.", ""},
    {231, "", "", "ClearIdentityNick"},
    {232, "", " Your login has expired. Please log in again.", ""},
    {233, "http://login.example/", " Your nickname was refused. Please log in again.", ""},
};

TEST_F(PlaceTest, DisconnectCodesShowTheirMessageStatusAndNotice)
{
    for (const DisconnectCase& c : kDisconnectCases) {
        FakeApp caseApp;
        FakeDde caseDde;
        CZrPerson caseMyself;
        CPlace casePlace(&caseMyself, new CZrGroup, new CZrGroup, caseApp, caseDde, frame, states);
        caseApp.loginBase = c.loginBase;
        caseApp.acceptReconnect = c.acceptReconnect;
        caseApp.serverListState = c.listState;
        casePlace.OnDisconnected(c.code, c.detail);
        const std::string context = "code " + std::to_string(c.code) + " detail '" + c.detail + "'";
        const std::vector<std::string> messages =
            *c.message ? std::vector<std::string>{kInaccessible + c.message} : std::vector<std::string>();
        EXPECT_EQ(caseApp.messages, messages) << context;
        ASSERT_FALSE(caseApp.status.empty()) << context;
        EXPECT_EQ(caseApp.status.back(), c.status) << context;
        const std::vector<std::string> items = *c.ddeItem ? std::vector<std::string>{c.ddeItem}
                                                          : std::vector<std::string>();
        EXPECT_EQ(caseDde.items, items) << context;
        if (*c.call) {
            EXPECT_TRUE(caseApp.Called(c.call)) << context;
        }
        EXPECT_TRUE(caseApp.Called("ClearPassword")) << context;
        EXPECT_TRUE(caseApp.Called("StopVoiceSession")) << context;
        EXPECT_FALSE(caseApp.entered) << context;
    }
}

TEST_F(PlaceTest, LoginRefusalsDependOnTheWebLoginPage)
{
    for (const LoginCase& c : kLoginCases) {
        FakeApp caseApp;
        FakeDde caseDde;
        CZrPerson caseMyself;
        CPlace casePlace(&caseMyself, new CZrGroup, new CZrGroup, caseApp, caseDde, frame, states);
        caseApp.loginBase = c.loginBase;
        casePlace.OnDisconnected(c.code, std::string());
        const std::string context = "code " + std::to_string(c.code) + " login '" + c.loginBase + "'";
        const std::vector<std::string> messages =
            *c.message ? std::vector<std::string>{c.message} : std::vector<std::string>();
        EXPECT_EQ(caseApp.messages, messages) << context;
        EXPECT_TRUE(caseDde.items.empty()) << context;
        if (*c.call) {
            EXPECT_TRUE(caseApp.Called(c.call)) << context;
        }
        const bool clearsNick = c.code != 232 && std::string(c.loginBase).empty();
        EXPECT_EQ(caseApp.Called("ClearIdentityNick"), clearsNick) << context;
    }
}

TEST_F(PlaceTest, OnlyTheFirstInaccessibleServerErrorOfARunShowsTheDialog)
{
    place.OnDisconnected(206, std::string());
    EXPECT_TRUE(app.Called("ConfirmAndLeave"));
    EXPECT_TRUE(dde.items.empty());

    app.calls.clear();
    place.OnDisconnected(209, std::string());
    EXPECT_FALSE(app.Called("ConfirmAndLeave"));
    EXPECT_EQ(app.status.back(), "Reconnecting to zr.example");
    EXPECT_EQ(dde.items, std::vector<std::string>{"DisconnectCommunity 159"});
}

TEST_F(PlaceTest, CleanDisconnectOnlyResetsAndAnUnconnectedApplicationIgnoresIt)
{
    place.OnDisconnected(0, std::string());
    EXPECT_EQ(app.status, std::vector<std::string>{"Disconnected"});
    EXPECT_TRUE(app.Called("ResetAfterDisconnect"));
    EXPECT_TRUE(app.Called("StopIdleTimer"));
    EXPECT_FALSE(app.Called("ClearPassword"));
    EXPECT_TRUE(app.messages.empty());

    FakeApp idle;
    idle.connected = false;
    CZrPerson otherMyself;
    CPlace other(&otherMyself, new CZrGroup, new CZrGroup, idle, dde, frame, states);
    other.OnDisconnected(203, std::string());
    EXPECT_TRUE(idle.status.empty());
    EXPECT_TRUE(idle.messages.empty());
    EXPECT_TRUE(idle.calls.empty());
}

// A connect that failed before the place was up is told like a lost
// connection by its reason: retried while the application takes it, else
// the server's message; a connected place leaves it to its own channel.
TEST_F(PlaceTest, AFailedConnectIsRetriedOrShownOnlyWhileNotConnected)
{
    FakeApp connecting;
    connecting.connected = false;
    connecting.acceptReconnect = true;
    CZrPerson myself1;
    CPlace retried(&myself1, new CZrGroup, new CZrGroup, connecting, dde, frame, states);
    retried.OnConnectFailed(217);
    EXPECT_EQ(connecting.status, std::vector<std::string>{"Reconnecting to zr.example"});
    EXPECT_TRUE(connecting.messages.empty());
    EXPECT_EQ(dde.items, std::vector<std::string>{"DisconnectCommunity 139"});

    FakeApp refused;
    refused.connected = false;
    refused.acceptReconnect = false;
    CZrPerson myself2;
    CPlace shown(&myself2, new CZrGroup, new CZrGroup, refused, dde, frame, states);
    shown.OnConnectFailed(217);
    ASSERT_EQ(refused.messages.size(), 1u);
    EXPECT_EQ(refused.messages[0].rfind(kInaccessible, 0), 0u);

    dde.items.clear();
    place.OnConnectFailed(217);
    place.OnConnectFailed(0);
    EXPECT_TRUE(app.status.empty());
    EXPECT_TRUE(app.messages.empty());
    EXPECT_TRUE(dde.items.empty());
}

TEST_F(PlaceTest, DisconnectFromTheCommunityPageRemovesThePreviousPlaceMenu)
{
    frame.pageUrl = "zr.example";
    place.OnDisconnected(0, std::string());
    EXPECT_TRUE(app.Called("RemovePreviousPlaceMenu"));
}

// ---- Connected -------------------------------------------------------------

TEST_F(PlaceTest, ConnectedSetsTitlesStatusAndNotifies)
{
    states.SetState(5, 1);
    myself.SetFlags(CZrMemberFlags(CZrMemberFlags::kNoSend));
    place.OnConnected();
    EXPECT_EQ(app.mainTitle, "Lumora Zanthe Chat - [zr.example]");
    EXPECT_EQ(app.status.back(), "Connected");
    EXPECT_EQ(states.Count(), 0u);
    EXPECT_FALSE(app.entered);
    EXPECT_TRUE(app.Called("SetOwnMark 1"));
    EXPECT_TRUE(app.Called("StartIdleTimer"));
    EXPECT_EQ(dde.items, std::vector<std::string>{"ConnectCommunity"});
    // No page shown: nothing to enter.
    EXPECT_FALSE(app.usesSaved);
}

TEST_F(PlaceTest, ConnectedTitlesTheFrameWithTheFirstNonEmptyName)
{
    struct Case {
        const char* address;
        const char* community;
        const char* home;
        const char* expected;
    };
    const Case cases[] = {
        {"Lobby", "Community", "Home", "Lobby"},
        {"", "Community", "Home", "Community"},
        {"", "", "Home", "Home"},
    };
    for (const Case& c : cases) {
        app.addressName = c.address;
        app.communityTitle = c.community;
        app.homeTitle = c.home;
        place.OnConnected();
        EXPECT_EQ(frame.title, c.expected);
    }
}

TEST_F(PlaceTest, ConnectedWithAPageEntersAtTheSpreadSavedPosition)
{
    frame.pageUrl = "http://pages.example/lobby";
    app.avatarPosition = CZrPosition::XY(2000, 2000);
    app.second = 7;
    place.OnConnected();
    EXPECT_TRUE(app.usesSaved);
    EXPECT_EQ(app.settings["MyselfXPos"], 2700);
    EXPECT_EQ(app.settings["MyselfYPos"], 2700);
    EXPECT_EQ(app.pageText, "");
}

TEST_F(PlaceTest, AChosenSavedPositionIsKeptAsItIs)
{
    app.usesSaved = true;
    app.avatarPosition = CZrPosition::XY(1234, 4321);
    app.second = 30;
    place.Enter("http://pages.example/lobby", std::string());
    EXPECT_EQ(app.settings.count("MyselfXPos"), 0u);
}

// ---- Text said in the place ------------------------------------------------

TEST_F(PlaceTest, SayModesReachTheChatOrTheGameOrNothing)
{
    struct Case {
        uint32_t mode;
        bool shown;
        const char* ddeItem;
    };
    const Case cases[] = {
        {5, true, "MessageItem 42 Ada hello 1"},
        {0, false, "GameData 42 Ada hello 1 0"},
        {1, false, ""},
        {17, false, ""},
    };
    CZrPerson sender;
    sender.SetId(42);
    sender.GetInfo().SetName("Ada");
    for (const Case& c : cases) {
        app.calls.clear();
        dde.items.clear();
        place.OnReceive(&sender, c.mode, "hello", CTvlBlob());
        EXPECT_EQ(app.Called("ShowSay 42 hello"), c.shown) << "mode " << c.mode;
        const std::vector<std::string> items = *c.ddeItem ? std::vector<std::string>{c.ddeItem}
                                                          : std::vector<std::string>();
        EXPECT_EQ(dde.items, items) << "mode " << c.mode;
    }
    place.OnReceive(nullptr, 5, "lost", CTvlBlob());
    EXPECT_FALSE(app.Called("ShowSay 0 lost"));
}

// Only a host's line with a command payload of code 6, in an auditorium,
// is a vote definition: it opens the vote instead of showing the line.
TEST_F(PlaceTest, HostsVoteDefinitionOpensTheVoteInsteadOfALine)
{
    struct Case {
        uint32_t placeKind;
        uint32_t senderClass;
        uint8_t payloadType;
        uint8_t payloadCode;
        bool vote;
    };
    const Case cases[] = {
        {0x801, 273, CPayload::kCommand, 6, true},
        {0x801, 274, CPayload::kCommand, 6, true},
        {0x801, 256, CPayload::kCommand, 6, false},
        {0x801, 273, CPayload::kCommand, 7, false},
        {0x801, 273, CPayload::kTextWithName, 6, false},
        {0x800, 273, CPayload::kCommand, 6, false},
    };
    const std::string text = "xxxxxxxv1 Lunch,3 1 A pizza,B salad,C soup,Pick one";
    for (const Case& c : cases) {
        app.calls.clear();
        place.SetKind(c.placeKind);
        CZrPerson sender;
        sender.SetId(42);
        sender.SetKind(c.senderClass);
        const CPayload payload(c.payloadType, c.payloadCode, 0, nullptr);
        place.OnReceive(&sender, 5, text, payload);
        const std::string context = std::to_string(c.placeKind) + "/" + std::to_string(c.senderClass) + "/" +
                                    std::to_string(c.payloadType) + "/" + std::to_string(c.payloadCode);
        EXPECT_EQ(app.Called("OpenVote " + text), c.vote) << context;
        EXPECT_EQ(app.Called("ShowSay 42 " + text), !c.vote) << context;
    }
}

// ---- Entry confirmed -------------------------------------------------------

TEST_F(PlaceTest, EnteredWritesThePageTextAndLayoutByPlaceKind)
{
    struct Case {
        uint32_t kind;
        uint8_t copy;
        int32_t chatPage;
        const char* text;
        const char* pageText;
        int32_t layout;
    };
    const Case cases[] = {
        {0x800, 1, 0, "Lobby", "   You have entered \"Lobby\"   ", 0},
        {0x800, 1, 0, "Welcome Hall", "", 0},
        {0x800, 1, 0, "sign in here", "", 0},
        {0x840, 3, 0, "Lobby", "   You have entered \"Lobby 3\"   ", 0},
        {0x840, 1, 0, "Lobby", "   You have entered \"Lobby\"   ", 0},
        {0x820, 1, 0, "Den", "You have now entered Private Room : Den", 2},
        {0x801, 1, 0, "Hall", "   You have entered \"Hall\"   ", 1},
        {0x800, 1, 5, "Arcade", "   You have entered \"Arcade\"   ", 3},
    };
    for (const Case& c : cases) {
        FakeApp caseApp;
        FakeDde caseDde;
        CZrPerson caseMyself;
        CPlace casePlace(&caseMyself, new CZrGroup, new CZrGroup, caseApp, caseDde, frame, states);
        casePlace.SetKind(c.kind);
        casePlace.SetSelector(CZrPlaceSelector::Number(c.copy));
        caseApp.chatPageType = c.chatPage;
        casePlace.OnEntered(nullptr, 0, c.text);
        EXPECT_EQ(caseApp.pageText, c.pageText) << c.text;
        EXPECT_EQ(caseApp.layout, c.layout) << c.text;
        EXPECT_EQ(caseDde.items, std::vector<std::string>{"Navigate"}) << c.text;
        EXPECT_FALSE(casePlace.IsEntryPending());
    }
}

TEST_F(PlaceTest, EnteringOutsideTheRootPlaceMarksEntryPendingUntilEntered)
{
    place.SetKind(0x800);
    place.OnEntering(nullptr, "http://pages.example/cafe", CZrPlaceSelector::Number(1));
    EXPECT_TRUE(place.IsEntryPending());
    EXPECT_TRUE(app.Called("StopVoiceSession"));
    place.OnEntered(nullptr, 0, std::string());
    EXPECT_FALSE(place.IsEntryPending());
    EXPECT_EQ(frame.title, "http://pages.example/cafe");
    EXPECT_EQ(app.pageText, "   You have entered \"http://pages.example/cafe\"   ");
}

TEST_F(PlaceTest, OnlyAnEntryLeftOutsideAFullRoomAsksTheRoomFullPrompt)
{
    struct Case {
        uint32_t code;
        bool standsInRoom;
        bool prompted;
    };
    const Case cases[] = {
        {CPlace::kRoomFullCode, false, true},
        {CPlace::kRoomFullCode, true, false},
        {0, false, false},
        {308, false, false},
    };
    for (const Case& c : cases) {
        FakeApp caseApp;
        FakeDde caseDde;
        CZrPerson caseMyself;
        CPlace casePlace(&caseMyself, new CZrGroup, new CZrGroup, caseApp, caseDde, frame, states);
        casePlace.SetKind(0x800);
        (c.standsInRoom ? casePlace.GetRoom() : casePlace.GetCorridor())->AddChild(&caseMyself);
        casePlace.OnEntered(nullptr, c.code, "Lobby");
        EXPECT_EQ(caseApp.Called("PostRoomFullPrompt"), c.prompted) << c.code << " " << c.standsInRoom;
        caseMyself.GetParent()->RemoveChild(&caseMyself);
    }
}

// ---- Service members and replies -------------------------------------------

TEST_F(PlaceTest, ServiceMembersAreKeptInAuditoriumsFirstOneWins)
{
    place.SetKind(0x801);
    place.OnMemberAppeared(Ref(500, 321));
    place.OnMemberAppeared(Ref(501, 321));
    place.OnMemberAppeared(Ref(600, 323));
    place.OnMemberAppeared(Ref(601, 323));
    EXPECT_EQ(place.GetEventService(), 500u);
    EXPECT_EQ(place.GetTranscriptService(), 600u);

    place.OnRequestFailed(0, 500, 602);
    place.OnRequestFailed(0, 600, 602);
    place.OnRequestFailed(0, 600, 601);
    place.OnRequestFailed(0, 700, 602);
    EXPECT_EQ(app.messages, (std::vector<std::string>{" This Auditorium is not active. Try again later.",
                                                      " The Event Transcript service is not available."}));

    const int32_t layouts = frame.layouts;
    place.OnMemberLeft(Ref(500, 321));
    EXPECT_EQ(place.GetEventService(), 0u);
    EXPECT_TRUE(app.Called("CloseVoteDialog"));
    EXPECT_GT(frame.layouts, layouts);
    place.OnMemberLeft(Ref(600, 323));
    EXPECT_EQ(place.GetTranscriptService(), 0u);
}

TEST_F(PlaceTest, ServiceMembersOutsideAuditoriumsAreNotKept)
{
    place.SetKind(0x800);
    place.OnMemberAppeared(Ref(500, 321));
    place.OnMemberAppeared(Ref(600, 323));
    EXPECT_EQ(place.GetEventService(), 0u);
    EXPECT_EQ(place.GetTranscriptService(), 0u);
    // The local user's own object carries bit 0x80: still the same class.
    place.SetKind(0x801);
    place.OnMemberAppeared(Ref(502, 321 | 0x80));
    EXPECT_EQ(place.GetEventService(), 502u);
}

TEST_F(PlaceTest, ServiceRepliesByClassAndCode)
{
    struct Case {
        uint32_t placeKind;
        uint32_t senderClass;
        uint32_t code;
        const char* text;
        const char* message;
        const char* call;
        const char* gameData;
    };
    const Case cases[] = {
        {0x801, 321, 1, "poll", "", "", "GameData 77 AuditoriumAdmin poll 0 0"},
        {0x801, 321, 20, "  3 ", " Your 3 has been received.", "", ""},
        {0x801, 321, 20, "1", " Your Question has been received.", "", ""},
        {0x801, 321, 20, " 2 x", " Your Comment has been received.", "", ""},
        {0x801, 321, 20, "9", "", "", ""},
        {0x801, 321, 21, "", " Your request could not be delivered to the host.", "", ""},
        {0x800, 321, 21, "", "", "", ""},
        {0x801, 321, 22, "queue", "", "OnEventAnnouncement queue", "GameData 77 AuditoriumAdmin queue 0 0"},
        {0x801, 321, 23, "", "", "SetWelcomePicture 0", ""},
        {0x800, 321, 22, "queue", "", "", ""},
        {0x800, 321, 24, "Talk at 8", "", "SetEventText Talk at 8", ""},
        {0x800, 321, 25, "Ada,Hall", "", "OpenInvitation Hall from Ada", ""},
        {0x800, 321, 25, "no comma", "", "", ""},
        {0x800, 323, 20, "line one", "", "ShowTranscript line one", ""},
        {0x800, 323, 21, "list", "", "", "GameData 77  list 0 0"},
        {0x800, 323, 53, "", " The auditorium administration is not available.", "", ""},
        {0x800, 323, 99, "", " The request was refused by the server.", "", ""},
        {0x800, 330, 1, "", "", "", ""},
    };
    for (const Case& c : cases) {
        FakeApp caseApp;
        FakeDde caseDde;
        CZrPerson caseMyself;
        CPlace casePlace(&caseMyself, new CZrGroup, new CZrGroup, caseApp, caseDde, frame, states);
        casePlace.SetKind(c.placeKind);
        caseApp.eventKinds = {"Question", "Comment"};
        CZrTextMessage record;
        record.senderId = 77;
        record.kind = c.senderClass;
        casePlace.OnServiceReply(0, c.code, c.text, CTvlBlob(), record);
        const std::string context = std::to_string(c.senderClass) + "/" + std::to_string(c.code) + " " + c.text;
        const std::vector<std::string> messages =
            *c.message ? std::vector<std::string>{c.message} : std::vector<std::string>();
        EXPECT_EQ(caseApp.messages, messages) << context;
        if (*c.call) {
            EXPECT_TRUE(caseApp.Called(c.call)) << context;
        } else {
            EXPECT_FALSE(caseApp.Called("OnEventAnnouncement " + std::string(c.text))) << context;
        }
        std::vector<std::string> items;
        if (*c.gameData)
            items.push_back(c.gameData);
        items.push_back("ForwardGameData 77 " + std::to_string(c.senderClass) + " " + std::to_string(c.code) + " " +
                        c.text);
        EXPECT_EQ(caseDde.items, items) << context;
    }
}

TEST_F(PlaceTest, TaggedGameDataCarriesTheCommandHeaderBeforeThePayload)
{
    place.SetKind(0x801);
    CZrTextMessage record;
    record.senderId = 77;
    record.kind = 321;
    const uint8_t body[] = {'a', 'b'};
    place.OnServiceReply(0, 22, "x", CTvlBlob(sizeof body, body), record);
    EXPECT_EQ(dde.lastPayload, std::string("\x04\x19" "ab", 4));
}

// ---- Other events ----------------------------------------------------------

TEST_F(PlaceTest, EventsThatShowMessages)
{
    struct Case {
        const char* name;
        void (*raise)(CPlace&);
        const char* message;
    };
    const Case cases[] = {
        {"super user 4", [](CPlace& p) { p.OnSuperUserError(4); },
         "Super User Error: You are not authorized to perform this operation in this community."},
        {"super user other", [](CPlace& p) { p.OnSuperUserError(9); }, "Super User Error:  "},
        {"tour 107", [](CPlace& p) { p.OnPlaceValue(107); }, "Lumora Chat Tour: The Tour is no longer available."},
        {"tour other", [](CPlace& p) { p.OnPlaceValue(5); }, "Lumora Chat Tour: The request was refused by the server."},
        {"tour 308", [](CPlace& p) { p.OnPlaceValue(308); }, ""},
        {"avatar blocked", [](CPlace& p) { p.OnDataLocked(1); }, " Your avatar has been blocked in this community."},
        {"avatar allowed", [](CPlace& p) { p.OnDataUnlocked(); }, " Your avatar is allowed again in this community."},
        {"invitation 4", [](CPlace& p) { p.OnInvitationFailed(0, 0, 4); },
         "Invitation: You are not configured as a host."},
        {"invitation other", [](CPlace& p) { p.OnInvitationFailed(0, 0, 3); },
         "Invitation: The request was refused by the server."},
        {"invitation 0", [](CPlace& p) { p.OnInvitationFailed(0, 0, 0); }, ""},
        {"server message", [](CPlace& p) { p.OnServerMessage("Closing at noon"); }, "Closing at noon"},
    };
    for (const Case& c : cases) {
        app.messages.clear();
        c.raise(place);
        const std::vector<std::string> messages =
            *c.message ? std::vector<std::string>{c.message} : std::vector<std::string>();
        EXPECT_EQ(app.messages, messages) << c.name;
    }
}

TEST_F(PlaceTest, ServerMessagesAreCutTo1023Characters)
{
    place.OnServerMessage(std::string(1023, 'a') + "bcd");
    ASSERT_EQ(app.messages.size(), 1u);
    EXPECT_EQ(app.messages[0], std::string(1023, 'a'));
}

TEST_F(PlaceTest, EventsHandedToTheApplication)
{
    CBroadcastInfo record;
    record.texts[0] = "Sale";
    place.OnBroadcast(record);
    place.OnWarning("Mind your language");
    place.OnMuted(3);
    place.OnUnmuted();
    place.OnTalkRefused(31, 8);
    CZrObjectDesc corridor(0x400);
    corridor.kind = 1025;
    corridor.name = "corridor";
    corridor.members.push_back(std::make_unique<CZrObjectDesc>(0x100));
    place.OnObjectDescription(4, 0, 0, 0, corridor);
    EXPECT_TRUE(app.Called("ShowBroadcast Sale"));
    EXPECT_EQ(app.warnings, std::vector<std::string>{"Mind your language"});
    EXPECT_EQ(app.calls, (std::vector<std::string>{"ShowBroadcast Sale", "SetOwnMark 1", "SetSpeakerLevel 1",
                                                   "SetOwnMark 0", "SetSpeakerLevel 0", "OnWhisperFailed 31 8",
                                                   "ForwardPair 4 corridor 1"}));
}

TEST_F(PlaceTest, APersonPictureGoesToTheOpenIdentityDialogOnly)
{
    int32_t alive = 0;
    auto dialog = std::make_unique<FakeDialog>(alive);
    FakeDialog* shown = dialog.get();
    states.SetData(9, std::move(dialog));
    const uint8_t bytes[] = {1, 2, 3, 4, 5};
    const CTvlBlob picture(sizeof bytes, bytes);
    place.OnPersonPicture(9, nullptr);
    place.OnPersonPicture(9, &picture);
    EXPECT_EQ(shown->pictureLength, 5u);
    const CTvlBlob empty;
    shown->pictureLength = 0;
    place.OnPersonPicture(9, &empty);
    place.OnPersonPicture(10, &picture);
    EXPECT_EQ(shown->pictureLength, 0u);
}

TEST_F(PlaceTest, PersonDescriptionsNoWindowTookGoToTheDdeSession)
{
    myself.SetId(11);
    myself.GetInfo().SetName("Me");
    CZrClientPlace::PersonList persons;
    place.OnPersonDescription(12, "Ada", persons);
    persons.push_back(std::make_unique<CZrPersonDesc>());
    persons.back()->id = 34;
    persons.push_back(std::make_unique<CZrPersonDesc>());
    persons.back()->id = 56;
    place.OnPersonDescription(12, "Ada", persons);
    EXPECT_EQ(dde.items, (std::vector<std::string>{"GameData 11 Me 12 Ada ID NOT FOUND 0 0",
                                                   "GameData 11 Me 12 Ada 34 0 0"}));
    EXPECT_EQ(dde.lastPayload, std::string("\x04\x1a", 2));

    dde.items.clear();
    app.takesDescriptions = true;
    place.OnPersonDescription(12, "Ada", persons);
    EXPECT_TRUE(app.Called("OfferPersonDescription 12 Ada"));
    EXPECT_TRUE(dde.items.empty());
}

TEST_F(PlaceTest, PlaceListGoesToTheDdeSessionAndThePlacesManager)
{
    CZrClientPlace::PlaceList places;
    places.push_back(std::make_unique<CZrPlaceDesc>());
    places.push_back(std::make_unique<CZrPlaceDesc>());
    place.OnPlaceDescription(100, 2, true, 250, 17, 3, places);
    EXPECT_EQ(dde.items, std::vector<std::string>{"QueryPlaces 2"});
    EXPECT_TRUE(app.Called("OnPlaceList 100 2 1 250 17 3 2"));
}

TEST_F(PlaceTest, ShowUrlAddsTheSchemeOnlyWhenMissing)
{
    place.ShowUrl("pages.example/lobby");
    place.ShowUrl("ftp://files.example/a");
    EXPECT_EQ(frame.shown, (std::vector<std::string>{"http://pages.example/lobby", "ftp://files.example/a"}));
}

} // namespace
