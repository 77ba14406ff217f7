// An engine instance with its conference session: the instance's join
// starts the connection, the server's answers reach the host as events, the
// user calls send their lines, and a page host looked up slowly never holds
// the host up beyond the join's wait.
#include "CEngineInstance.h"
#include "CEngineSessionOwner.h"
#include "FakeEngineServices.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

// The engine window's part: connecting is recorded, the conference is real.
class RecordingSession : public IEngineSession
{
public:
    explicit RecordingSession(CConferenceProtocol*& conference) : m_conference(conference) {}

    int32_t StartConnect(int32_t tunnel, const std::string& server, int32_t port) override
    {
        starts.push_back(std::to_string(tunnel) + " " + server + " " + std::to_string(port));
        return 0;
    }
    void StopConnectWait() override { ++waitStops; }
    CConferenceProtocol& Conference() override { return *m_conference; }
    int32_t AudioLevel() const override { return level; }
    std::array<uint16_t, 2> Speakers() const override { return speakers; }
    void SetInputMute(bool mute) override { muted = mute; }
    // Push-to-talk is owned by another engine window while `taken`.
    bool ClaimPushToTalk(bool keyboardHook) override
    {
        claims.push_back(keyboardHook);
        pushToTalkOwned = !pushToTalkTaken;
        return pushToTalkOwned;
    }
    void ReleasePushToTalk() override { pushToTalkOwned = false; }
    int32_t StartRecord(const std::string&, int32_t, int32_t) override { return 0; }
    void StopRecord() override {}
    int32_t RegisterForRecordPacket(bool, int32_t, int32_t) override { return 0; }
    int32_t PlayWaveFile(const std::string&, int32_t, int32_t, int32_t, int32_t, int32_t) override
    {
        return 0;
    }
    void StopWavePlay(bool) override {}
    int32_t PlayWaveResource(void*, const char*, const WavePlayArgs&) override { return 0; }
    int32_t PlayWaveArray(const SonorelleIfcVariant&, bool, const WavePlayArgs&) override
    {
        return 0;
    }

    int32_t level = -78;
    std::array<uint16_t, 2> speakers{};
    bool muted = false;
    bool pushToTalkTaken = false;
    bool pushToTalkOwned = false;
    std::vector<bool> claims;

    std::vector<std::string> starts;
    int waitStops = 0;

private:
    CConferenceProtocol*& m_conference;
};

class EngineSessionTest : public ::testing::Test
{
protected:
    static constexpr const char* kAccountKey = "a2V5"; // "key"

    EngineSessionTest()
        : session(conferencePointer),
          instance(&handle, 3, true, process, services),
          owner(instance, services, session),
          conference(owner, channel, media, environment)
    {
        conferencePointer = &conference;
        channel.session = &conference;
        instance.SetCallback(&recorder.callback);
        instance.AttachSession(&session);
        instance.SetByName("ServerAddress", "conf.test");
        instance.SetByName("ConfName", "lobby");
        instance.SetSdkProperty("Username", "Ann");
        instance.SetByName("Account", "17");
        instance.SetByIndex(EngineParam::kAccountKey, reinterpret_cast<intptr_t>(kAccountKey));
        key = CConfLineCipher::ChooseCredentials("17", kAccountKey).key;
    }

    // A line as the server sends it.
    void Receive(const std::string& plain)
    {
        std::string wire = CConfLineCipher(key).Encipher(plain + "\n");
        wire.pop_back();
        conference.OnLine(wire.data(), wire.size());
    }

    // The lines sent since the last call, deciphered and without their
    // numbers and line feeds (CONNECT stays as it is).
    std::vector<std::string> TakeSent()
    {
        std::vector<std::string> lines;
        for (const std::string& text : channel.sent) {
            std::string line = text.compare(0, 8, "CONNECT\t") == 0
                                   ? text
                                   : CConfLineCipher(key).Decipher(text);
            if (text.compare(0, 8, "CONNECT\t") != 0)
                line.erase(0, line.find('\t') + 1);
            if (!line.empty() && line.back() == '\n')
                line.pop_back();
            lines.push_back(line);
        }
        channel.sent.clear();
        return lines;
    }

    // Joined as user 3 with Bob (5) in the roster; everything so far taken.
    void JoinAsAnn()
    {
        ASSERT_EQ(instance.Join(), 0);
        conference.OnConnected("conf.test", 3450);
        Receive("1\tCONNECT");
        Receive("2\tACCEPT\t3");
        Receive("3\tROSTERADD\t3\tAnn\t0");
        Receive("4\tROSTERADD\t5\tBob\t2");
        ASSERT_TRUE(instance.IsJoined());
        TakeSent();
        recorder.events.clear();
    }

    int handle = 0;
    EngineProcessState process;
    FakeEngineServices services;
    EventRecorder recorder;
    CConferenceProtocol* conferencePointer = nullptr;
    RecordingSession session;
    CEngineInstance instance;
    CEngineSessionOwner owner;
    RecordingChannel channel;
    RecordingMedia media;
    FixedSeedEnvironment environment;
    CConferenceProtocol conference;
    ConfKey key{};
};

} // namespace

TEST_F(EngineSessionTest, TheServersAnswerToConnectIsTheJoinOfTheInstancesSettings)
{
    instance.SetHostUrl("http://10.9.8.7/page.html", "");
    instance.SetSdkProperty("UserIcon", "4");
    instance.SetSdkProperty("Tunnel", "0");
    instance.SetSdkProperty("PhoneUserInfo", "a;b");
    instance.SetSdkProperty("ContainerApp", "Host");
    instance.SetSdkProperty("ContainerAppVersion", "3.1");
    ASSERT_EQ(instance.Join(), 0);
    EXPECT_EQ(session.starts, std::vector<std::string>{"0 conf.test 3450"});

    conference.OnConnected("conf.test", 3450);
    Receive("1\tCONNECT");
    const auto sent = TakeSent();
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0], "CONNECT\t2\t4\ten-US\t17");
    // With an account key the page host field carries the SDK marker.
    EXPECT_EQ(sent[1], "JOIN\tlobby\t0\tAnn\t17\tsdk\t2.1.0.7\tSpeakers:1,2\t5.10\tNT 6.1:7601\t"
                       "Host\t3.1\thttp://10.9.8.7/page.html\t4\t0\t;a:b;;");
    EXPECT_TRUE(instance.IsJoining());
    EXPECT_FALSE(instance.IsJoined());
}

TEST_F(EngineSessionTest, ASessionAttachedAfterAFailedJoinGetsTheCredentials)
{
    instance.AttachSession(nullptr);
    EXPECT_EQ(instance.Join(), 1005); // no engine window, no session
    instance.AttachSession(&session);
    ASSERT_EQ(instance.Join(), 0);
    conference.OnConnected("conf.test", 3450);
    const auto sent = TakeSent();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0], "CONNECT\t2\t4\ten-US\t17");
}

TEST_F(EngineSessionTest, EveryServerReportReachesTheHostAsItsEvent)
{
    ASSERT_EQ(instance.Join(), 0);
    conference.OnConnected("conf.test", 3450);
    Receive("1\tCONNECT");
    recorder.events.clear();

    struct Case
    {
        const char* line;
        std::vector<int32_t> codes;
        std::function<void(const RecordedEvent&)> check; // on the last event
    };
    const Case cases[] = {
        {"ACCEPT\t3", {0, 3}, [](const RecordedEvent& e) { EXPECT_EQ(e.text, "string 208"); }},
        {"ROSTERADD\t3\tAnn\t0", {4}, [](const RecordedEvent& e) {
             EXPECT_EQ(e.number, 3); EXPECT_EQ(e.text, "Ann"); EXPECT_EQ(e.value, 0); }},
        {"ROSTERADD\t5\tBob\t2", {4}, [](const RecordedEvent& e) {
             EXPECT_EQ(e.number, 5); EXPECT_EQ(e.text, "Bob"); EXPECT_EQ(e.value, 2); }},
        {"MESSAGE\t5\tBob\ttwo\x01lines", {9}, [](const RecordedEvent& e) {
             EXPECT_EQ(e.number, 5); EXPECT_EQ(e.text, "Bob"); EXPECT_EQ(e.second, "two\nlines"); }},
        {"APP\tWARN\t5\tBob\tcalm", {12}, [](const RecordedEvent& e) { EXPECT_EQ(e.second, "calm"); }},
        {"APP\tAPPMESSAGE\t5\tBob\tdata", {10}, [](const RecordedEvent& e) { EXPECT_EQ(e.second, "data"); }},
        {"APP\tAPPBROADCAST\t5\tBob\tall", {14}, [](const RecordedEvent& e) { EXPECT_EQ(e.second, "all"); }},
        {"APP\tGAGSTATE\t3\t32769\t60\t5", {17}, [](const RecordedEvent& e) {
             EXPECT_EQ(e.number, 3); EXPECT_EQ(e.value, 32769); EXPECT_EQ(e.text, "60 5"); }},
        {"ROSTERCHANGE\tICON\t5\t6", {18}, [](const RecordedEvent& e) {
             EXPECT_EQ(e.number, 5); EXPECT_EQ(e.value, 6); }},
        {"ROSTERCHANGE\tNAME\t5\tRob", {19}, [](const RecordedEvent& e) {
             EXPECT_EQ(e.number, 5); EXPECT_EQ(e.text, "Rob"); }},
        // The local user's new name is also published as property 2.
        {"ROSTERCHANGE\tNAME\t3\tAnnie", {13, 19}, [](const RecordedEvent& e) { EXPECT_EQ(e.text, "Annie"); }},
        {"APP\tBREAKOUT\t5\tINVITE", {6}, [](const RecordedEvent& e) { EXPECT_EQ(e.number, 5); }},
        {"APP\tBREAKOUT\t5\tREJECT", {8}, [](const RecordedEvent& e) { EXPECT_EQ(e.number, 5); }},
        {"ROSTERDEL\t5", {5}, [](const RecordedEvent& e) { EXPECT_EQ(e.number, 5); }},
    };
    int sequence = 2;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        recorder.events.clear();
        Receive(std::to_string(sequence++) + "\t" + c.line);
        ASSERT_EQ(recorder.Codes(), c.codes);
        c.check(recorder.events.back());
    }
    EXPECT_TRUE(instance.IsJoined());
    EXPECT_EQ(instance.Params().Text(EngineParam::kUsername), "Annie");
    EXPECT_EQ(instance.CheckUserCall(5, true), 1305); // Bob has left
}

TEST_F(EngineSessionTest, UserCallsSendTheirLinesOnlyForRosterUsers)
{
    JoinAsAnn();
    struct Case
    {
        const char* what;
        std::function<int32_t(CEngineInstance&)> call;
        int32_t status;
        const char* line; // nullptr: nothing sent
    };
    const Case cases[] = {
        {"message", [](auto& i) { return i.TextMessage(5, "hi\tthere"); }, 0, "MESSAGE\t5\thi\x02there"},
        {"warning", [](auto& i) { return i.Warn(5, "stop"); }, 0, "APP\tWARN\t5\tstop"},
        {"app message", [](auto& i) { return i.AppMessage(5, "x"); }, 0, "APP\tAPPMESSAGE\t5\tx"},
        {"broadcast", [](auto& i) { return i.AppBroadcast("all"); }, 0, "APP\tAPPBROADCAST\tall"},
        {"ignore", [](auto& i) { return i.Ignore(5, 1); }, 0, "APP\tMUTE\t5\t1"},
        {"gag", [](auto& i) { return i.Gag(5, 32769, 30); }, 0, "APP\tGAG\t5\t32769\t30"},
        {"kick", [](auto& i) { return i.Kick(5, ""); }, 0, "APP\tEJECT\t5"},
        {"kick with reason", [](auto& i) { return i.Kick(5, "rude"); }, 0, "APP\tEJECT\t5\trude"},
        {"invite", [](auto& i) { return i.SendInvite(5); }, 0, "APP\tBREAKOUT\t5\tINVITE"},
        {"decline", [](auto& i) { return i.InviteReply(5, false); }, 0, "APP\tBREAKOUT\t5\tREJECT"},
        {"tone", [](auto& i) { return i.SendTone('7'); }, 0, "PHONE\tDTMF\t7"},
        {"name", [](auto& i) { i.SetSdkProperty("Username", "Anna"); return 0; }, 0, "ROSTERCHANGE\tNAME\t3\tAnna"},
        {"icon", [](auto& i) { i.SetSdkProperty("UserIcon", "2"); return 0; }, 0, "ROSTERCHANGE\tICON\t3\t2"},
        {"unknown user", [](auto& i) { return i.TextMessage(9, "hi"); }, 1305, nullptr},
        {"no key", [](auto& i) { return i.SendTone('A'); }, 1501, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(c.call(instance), c.status);
        const auto sent = TakeSent();
        if (c.line)
            EXPECT_EQ(sent, std::vector<std::string>{c.line});
        else
            EXPECT_TRUE(sent.empty());
    }
    // A name change waits for the server's echo before it is the name.
    EXPECT_EQ(instance.Params().Text(EngineParam::kUsername), "Ann");
    EXPECT_EQ(conference.FindUser(5)->Flag(), 7); // ignored
    ASSERT_EQ(recorder.events.size(), 2u);
    EXPECT_EQ(recorder.events[0].text, "string 219"); // message sent
    EXPECT_EQ(recorder.events[1].text, "string 238"); // warning sent
}

TEST_F(EngineSessionTest, SpeakersLevelAndMuteReachTheAudio)
{
    session.speakers = {5, 0};
    session.level = -20;
    EXPECT_EQ(instance.Speakers(), ""); // not joined
    JoinAsAnn();
    EXPECT_EQ(instance.Speakers(), "5\n");
    session.speakers = {5, 3};
    EXPECT_EQ(instance.Speakers(), "5\n3\n");
    EXPECT_EQ(instance.Level(), -20);
    instance.SetSdkProperty("Mute", "true");
    EXPECT_TRUE(session.muted);
    EXPECT_EQ(instance.GetSdkProperty("Mute").second, "true");
    instance.SetSdkProperty("Mute", "false");
    EXPECT_FALSE(session.muted);
    instance.AttachSession(nullptr);
    EXPECT_EQ(instance.Level(), -78);
}

TEST_F(EngineSessionTest, WithoutAnAccountKeyUserCallsAreRefusedAfterTheJoin)
{
    instance.SetByIndex(EngineParam::kAccountKey, reinterpret_cast<intptr_t>(""));
    key = CConfLineCipher::ChooseCredentials("17", "").key;
    JoinAsAnn();
    EXPECT_EQ(instance.TextMessage(5, "hi"), 1307);
    EXPECT_TRUE(TakeSent().empty());
}

TEST_F(EngineSessionTest, EndingsReportDisconnectedAndTheirErrors)
{
    struct Case
    {
        const char* what;
        std::function<void()> end;
        std::vector<int32_t> codes;
        int32_t error;          // the code of event 2, 0 when none
        const char* lastLine;   // what the engine sent last, nullptr when nothing
    };
    const Case cases[] = {
        {"server disconnect", [this] { Receive("9\tDISCONNECT\tmaintenance"); },
         {3, 1, 2}, 1001, "DISCONNECT"},
        {"server reject", [this] { Receive("9\tREJECT\tfull"); }, {3, 1, 2}, 1002, "DISCONNECT"},
        {"host disconnect", [this] { EXPECT_EQ(instance.Disconnect(), 0); }, {3, 1}, 0,
         "DISCONNECT"},
        {"wrong key", [this] { Receive("12a\tACCEPT\t4"); }, {3, 1}, 0, "DISCONNECT"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        JoinAsAnn();
        c.end();
        EXPECT_EQ(recorder.Codes(), c.codes);
        if (c.error) {
            EXPECT_EQ(recorder.events.back().number, c.error);
        }
        const auto sent = TakeSent();
        ASSERT_FALSE(sent.empty());
        EXPECT_EQ(sent.back(), c.lastLine);
        EXPECT_FALSE(instance.IsJoined());
        EXPECT_FALSE(instance.IsJoining());
        EXPECT_EQ(instance.CheckUserCall(5, true), 1304);
        recorder.events.clear();
    }
}

TEST_F(EngineSessionTest, AConnectionThatFailsEndsTheStartingJoin)
{
    ASSERT_EQ(instance.Join(), 0);
    recorder.events.clear();
    owner.ConnectFailed();
    ASSERT_EQ(recorder.Codes(), (std::vector<int32_t>{3, 1, 2}));
    EXPECT_EQ(recorder.events[0].text, "string 254");
    EXPECT_EQ(recorder.events[1].text, "string 254");
    EXPECT_EQ(recorder.events[2].number, 1005);
    EXPECT_EQ(recorder.events[2].text, "string 221");
    EXPECT_FALSE(instance.IsJoining());
    EXPECT_GE(session.waitStops, 1);
    // A new join may start at once.
    EXPECT_EQ(instance.Join(), 0);
}

TEST_F(EngineSessionTest, DisconnectWhileJoiningStopsTheAttemptsAndTellsTheHost)
{
    ASSERT_EQ(instance.Join(), 0);
    recorder.events.clear();
    EXPECT_EQ(instance.Disconnect(), 0);
    EXPECT_EQ(channel.calls, (std::vector<std::string>{"StopAttempts", "Close"}));
    EXPECT_EQ(recorder.Codes(), std::vector<int32_t>{1});
    EXPECT_GE(session.waitStops, 1);
    EXPECT_EQ(instance.Disconnect(), 1304);
}

TEST_F(EngineSessionTest, APageHostLookedUpSlowlyNeverHoldsUpTheHost)
{
    struct Case
    {
        const char* what;
        bool answerWhileWaiting;
        const char* address; // the answer, "" when the name has none
        int32_t status;
        const char* pageHost; // the address JOIN will carry
    };
    const Case cases[] = {
        {"still unanswered after the wait", false, "10.1.2.3", 1005, ""},
        {"answered during the wait", true, "10.1.2.3", 0, "10.1.2.3"},
        {"no address for the name", true, "", 0, "0.0.0.0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        services.slowLookups = true;
        services.answerWhileWaiting = c.answerWhileWaiting;
        services.resolvedAddress = c.address;
        services.waits.clear();
        session.starts.clear();
        CEngineInstance fresh(&handle, 3, true, process, services);
        fresh.AttachSession(&session);
        fresh.SetByName("ServerAddress", "conf.test");
        fresh.SetByName("ConfName", "lobby");
        fresh.SetSdkProperty("Username", "Ann");

        fresh.SetHostUrl("http://slow.test/page", "");
        EXPECT_EQ(fresh.PageHostAddress(), ""); // setting the URL did not wait
        EXPECT_EQ(fresh.Join(), c.status);
        EXPECT_EQ(services.waits, std::vector<uint32_t>{45000});
        EXPECT_EQ(session.starts.size(), c.status == 0 ? 1u : 0u);
        EXPECT_EQ(fresh.IsJoining(), c.status == 0);
        EXPECT_EQ(fresh.PageHostAddress(), c.pageHost);
    }
}

TEST_F(EngineSessionTest, PageHostsWithoutANameNeedNoLookup)
{
    const struct { const char* url; const char* address; } cases[] = {
        {"", "127.0.0.1"},
        {"http://192.168.4.5:8080/x", "192.168.4.5"},
        {"file:///c:/page.htm", "127.0.0.1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.url);
        services.lookups.clear();
        CEngineInstance fresh(&handle, 3, true, process, services);
        fresh.SetHostUrl(c.url, "");
        EXPECT_EQ(fresh.PageHostAddress(), c.address);
        EXPECT_TRUE(services.lookups.empty());
    }
}

TEST_F(EngineSessionTest, PushToTalkIsClaimedAtJoinAndGivenUpWhenTheSessionEnds)
{
    struct Case
    {
        const char* name;
        bool handsFree;
        bool taken;
        bool sdkMode;
        int32_t joined;
        bool keyboardHook;
    };
    const Case cases[] = {
        {"push-to-talk takes the keyboard", false, false, false, 0, true},
        {"hands-free owns it without the hook", true, false, false, 0, false},
        {"another window owns it", false, true, false, 1204, true},
        {"an SDK host joins all the same", false, true, true, 0, true},
        {"a check that fails gives it up", false, false, false, 1301, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        instance.Disconnect();
        session.claims.clear();
        session.starts.clear();
        recorder.events.clear();
        session.pushToTalkTaken = c.taken;
        instance.SetSdkProperty("HandsFreeMode", c.handsFree ? "true" : "false");
        instance.SetByName("SDKmode", c.sdkMode ? "true" : "false");
        instance.SetByName("ConfName", c.joined == 1301 ? "" : "lobby");

        EXPECT_EQ(instance.Join(), c.joined);
        EXPECT_EQ(session.claims, std::vector<bool>{c.keyboardHook});
        EXPECT_EQ(session.starts.size(), c.joined == 0 ? 1u : 0u);
        if (c.joined != 0) {
            ASSERT_FALSE(recorder.events.empty());
            EXPECT_EQ(recorder.events.back().code, 2);
            EXPECT_EQ(recorder.events.back().number, c.joined);
            if (c.joined == 1204) {
                EXPECT_EQ(recorder.events.back().text, "string 220");
            }
            EXPECT_FALSE(instance.IsJoining());
            EXPECT_FALSE(session.pushToTalkOwned);
            continue;
        }
        EXPECT_EQ(session.pushToTalkOwned, !c.taken);
        instance.Disconnect();
        EXPECT_FALSE(session.pushToTalkOwned);
    }
}
