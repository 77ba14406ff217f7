#include "ConfTestDoubles.h"

#include "ConfCommands.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

TEST_F(ConferenceFixture, ConnectIsPlainAndLaterLinesAreNumberedFromTheSeed)
{
    session.OnConnected("conf.test", 3450);
    EXPECT_EQ(channel.sent, Lines{"CONNECT\t2\t4\ten-US\t73920461\n"});
    channel.sent.clear();

    Receive("7\tCONNECT");
    EXPECT_EQ(owner.Take(), (Lines{"Connected", "Status 207"}));

    ConfJoinRecord join;
    join.conference = "lobby";
    join.clone = 2;
    join.userName = "Ann";
    EXPECT_TRUE(session.SendJoin(join));
    EXPECT_TRUE(session.SetIcon(4));
    const Lines sent = TakeSent();
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0], "100\t" + ConfCommands::Join(join));
    EXPECT_EQ(sent[1], "101\tROSTERCHANGE\tICON\t0\t4\n");
    EXPECT_EQ(owner.Take(), (Lines{"ConfName lobby", "ConfClone 2"}));
    EXPECT_EQ(session.ConferenceName(), "lobby");
    EXPECT_EQ(session.FirstServer(), "conf.test");
}

TEST_F(ConferenceFixture, TheServersWireTextIsReadAsWorkedOutByHand)
{
    session.OnConnected("conf.test", 3450);
    const std::string connect = "RGfB40WKGaz7uXoOeojblg==";
    const std::string accept = "sjFJIDZKCGHH5A0GF4U8Qg==";
    session.OnLine(connect.data(), connect.size());
    session.OnLine(accept.data(), accept.size());
    EXPECT_EQ(owner.Take(), (Lines{"Connected", "Status 207", "Accepted", "Status 208"}));
    EXPECT_EQ(session.OwnUser(), 3);
}

TEST_F(ConferenceFixture, TheLineCounterGoesOnAcrossConnections)
{
    JoinAsAnn();
    session.Leave("", 0);
    TakeSent();
    session.OnConnected("conf.test", 3450);
    Receive("1\tCONNECT");
    EXPECT_TRUE(session.SetName("Ann"));
    const Lines sent = TakeSent();
    // JOIN was 100, the goodbye 101.
    EXPECT_EQ(sent.back(), "102\tROSTERCHANGE\tNAME\t3\tAnn\n");
}

TEST_F(ConferenceFixture, AnAccountKeyKeysTheCipherAndNamesTheAccount)
{
    session.SetCredentials("47205318", "Qm4TzK7pWa2");
    key = {0x42, 0x6e, 0x13, 0xcc, 0xae, 0xe9, 0x59, 0xad};
    session.OnConnected("conf.test", 3450);
    EXPECT_EQ(channel.sent, Lines{"CONNECT\t2\t4\ten-US\t47205318\n"});
    channel.sent.clear();
    Receive("8\tACCEPT\t3");
    EXPECT_EQ(session.OwnUser(), 3);
    EXPECT_TRUE(session.SendMute(5, 1));
    EXPECT_EQ(TakeSent(), Lines{"100\tAPP\tMUTE\t5\t1\n"});
}

TEST_F(ConferenceFixture, NewCredentialsTakeEffectAtTheNextConnect)
{
    session.SetLocale("de-DE");
    session.SetLocale("");
    session.OnConnected("conf.test", 3450);
    session.Leave("", 0);
    channel.sent.clear();
    session.SetCredentials("47205318", "Qm4TzK7pWa2");
    session.OnConnected("conf.test", 3450);
    EXPECT_EQ(channel.sent, Lines{"CONNECT\t2\t4\tde-DE\t47205318\n"});
    channel.sent.clear();
    key = {0x42, 0x6e, 0x13, 0xcc, 0xae, 0xe9, 0x59, 0xad};
    session.SetName("x");
    // The goodbye of the first connection was line 100.
    EXPECT_EQ(TakeSent(), Lines{"101\tROSTERCHANGE\tNAME\t0\tx\n"});
}

TEST_F(ConferenceFixture, AcceptAndRosterLinesBuildTheRosterOwnUserFirst)
{
    session.OnConnected("conf.test", 3450);
    Receive("1\tCONNECT");
    owner.Take();
    Receive("2\tACCEPT\t3");
    Receive("3\tROSTERADD\t5\tBob\t1");
    Receive("4\tROSTERADD\t3\tAnn\t");
    Receive("5\tROSTERADD\t8\tCyd\t2");
    EXPECT_EQ(owner.Take(), (Lines{"Accepted", "Status 208", "RosterAdded 5 Bob 1",
                                   "RosterAdded 3 Ann 0", "RosterAdded 8 Cyd 2"}));
    EXPECT_TRUE(session.IsAccepted());
    ASSERT_EQ(session.Roster().size(), 3u);
    EXPECT_EQ(session.Roster()[0]->User(), 3);
    EXPECT_EQ(session.Roster()[1]->User(), 5);
    EXPECT_EQ(session.Roster()[2]->User(), 8);
    EXPECT_EQ(media.calls, (Lines{"AddSource 5", "AddSource 3", "AddSource 8"}));
    EXPECT_TRUE(session.IsOwnUser(3));
    EXPECT_EQ(session.NameOf(8), "Cyd");
    EXPECT_EQ(session.NameOf(99), "");
}

TEST_F(ConferenceFixture, RosterChangesReachOnlyKnownUsers)
{
    JoinAsAnn();
    Receive("5\tROSTERCHANGE\tNAME\t5\tRobert");
    Receive("6\tROSTERCHANGE\tICON\t5\t9");
    Receive("7\tROSTERCHANGE\tICON\t5\t");
    Receive("8\tROSTERCHANGE\tNAME\t77\tGhost");
    Receive("9\tROSTERDEL\t77");
    EXPECT_EQ(owner.Take(), (Lines{"NameChanged 5 Robert 1", "IconChanged 5 Robert 9",
                                   "IconChanged 5 Robert 0"}));
    Receive("10\tROSTERDEL\t5");
    EXPECT_EQ(owner.Take(), Lines{"RosterRemoved 5 Robert 0"});
    EXPECT_EQ(media.calls, Lines{"RemoveSource 5"});
    ASSERT_EQ(session.Roster().size(), 1u);
    EXPECT_EQ(session.FindUser(5), nullptr);
}

TEST_F(ConferenceFixture, ARepeatedRosterAddUpdatesInsteadOfListingTwice)
{
    JoinAsAnn();
    Receive("5\tROSTERADD\t5\tBob\t1");
    EXPECT_TRUE(owner.Take().empty());
    Receive("6\tROSTERADD\t5\tBobby\t2");
    EXPECT_EQ(owner.Take(), (Lines{"NameChanged 5 Bobby 1", "IconChanged 5 Bobby 2"}));
    EXPECT_EQ(session.Roster().size(), 2u);
    EXPECT_TRUE(media.calls.empty());
}

TEST_F(ConferenceFixture, MessagesKeepAHistoryPerUser)
{
    JoinAsAnn();
    Receive("5\tMESSAGE\t5\tBob\tline one\x01line two");
    EXPECT_EQ(owner.Take(), Lines{"Message 5 Bob line one\nline two"});
    Receive("6\tMESSAGE\t77\tGhost\tboo");
    EXPECT_TRUE(owner.Take().empty());

    EXPECT_TRUE(session.SendMessage(5, "reply\tto you"));
    EXPECT_EQ(TakeSent(), Lines{"101\tMESSAGE\t5\treply\x02to you\n"});
    const auto& history = session.FindUser(5)->History();
    ASSERT_EQ(history.size(), 2u);
    EXPECT_EQ(history[0].sender, 5);
    EXPECT_EQ(history[0].senderName, "Bob");
    EXPECT_EQ(history[0].text, "line one\nline two");
    EXPECT_EQ(history[1].sender, 3);
    EXPECT_EQ(history[1].senderName, "Ann");
    EXPECT_EQ(history[1].text, "reply\tto you");
}

TEST_F(ConferenceFixture, HistoryKeepsTheNewestHundred)
{
    JoinAsAnn();
    for (int i = 0; i < 105; ++i)
        Receive("9\tMESSAGE\t5\tBob\tm" + std::to_string(i));
    const auto& history = session.FindUser(5)->History();
    ASSERT_EQ(history.size(), ConfUser::kHistoryLimit);
    EXPECT_EQ(history.front().text, "m5");
    EXPECT_EQ(history.back().text, "m104");
}

TEST_F(ConferenceFixture, AppLinesAndGagStateGoToTheOwner)
{
    JoinAsAnn();
    Receive("5\tAPP\tWARN\t9\tMod\tcalm\x01" "down");
    Receive("6\tAPP\tAPPMESSAGE\t5\tBob\tdata");
    Receive("7\tAPP\tAPPBROADCAST\t5\tBob\tto all");
    Receive("8\tAPP\tGAGSTATE\t3\t32769\t60\t9");
    EXPECT_EQ(owner.Take(), (Lines{"Warning 9 Mod calm\ndown", "AppMessage 5 Bob data",
                                   "AppBroadcast 5 Bob to all", "GagState 3 32769 60 9"}));
}

TEST_F(ConferenceFixture, UserLinesReachTheServerAsBuilt)
{
    JoinAsAnn();
    EXPECT_TRUE(session.SendWarning(5, "w"));
    EXPECT_TRUE(session.SendAppMessage(5, "a"));
    EXPECT_TRUE(session.SendAppBroadcast("b"));
    EXPECT_TRUE(session.SendGag(5, 32769, 60));
    EXPECT_TRUE(session.SendEject(5, ""));
    EXPECT_TRUE(session.SendBreakoutInvite(5));
    EXPECT_TRUE(session.SendTone('5'));
    EXPECT_EQ(TakeSent(), (Lines{"101\tAPP\tWARN\t5\tw\n", "102\tAPP\tAPPMESSAGE\t5\ta\n",
                                 "103\tAPP\tAPPBROADCAST\tb\n", "104\tAPP\tGAG\t5\t32769\t60\n",
                                 "105\tAPP\tEJECT\t5\n", "106\tAPP\tBREAKOUT\t5\tINVITE\n",
                                 "107\tPHONE\tDTMF\t5\n"}));
}

TEST_F(ConferenceFixture, NothingIsSentOrParsedWhileNotConnected)
{
    EXPECT_FALSE(session.SendMessage(5, "x"));
    EXPECT_FALSE(session.SendJoin(ConfJoinRecord()));
    EXPECT_TRUE(channel.sent.empty());
    Receive("1\tACCEPT\t3");
    EXPECT_EQ(session.OwnUser(), 0);
    EXPECT_FALSE(session.IsAccepted());
}

TEST_F(ConferenceFixture, ServerDisconnectEndsTheSessionWithItsReason)
{
    JoinAsAnn();
    Receive("5\tDISCONNECT\tmaintenance");
    const std::string text = "The connection was terminated by the server.\nReason: maintenance";
    EXPECT_EQ(TakeSent(), Lines{"101\tDISCONNECT\n"});
    EXPECT_EQ(owner.Take(), (Lines{"Status 206", "Disconnected 0 " + text,
                                   "ErrorText 1001 " + text + " 0"}));
    EXPECT_EQ(channel.calls, Lines{"Close"});
    EXPECT_EQ(media.calls, Lines{"StopMedia 0 closed"});
    EXPECT_FALSE(session.IsConnected());
    EXPECT_FALSE(session.IsAccepted());
    EXPECT_TRUE(session.Roster().empty());
    EXPECT_FALSE(session.SendMessage(5, "late"));
    EXPECT_TRUE(channel.sent.empty());
}

TEST_F(ConferenceFixture, ServerRejectEndsTheSessionWithItsReason)
{
    session.OnConnected("conf.test", 3450);
    Receive("1\tCONNECT");
    owner.Take();
    Receive("2\tREJECT\tconference full");
    const std::string text =
        "Request to join the conference was rejected by the server.\nReason: conference full";
    EXPECT_EQ(owner.Take(), (Lines{"Status 206", "Disconnected 0 " + text,
                                   "ErrorText 1002 " + text + " 0"}));
}

TEST_F(ConferenceFixture, AnUndecipherableLineEndsWithInvalidAccountAndNoError)
{
    const std::vector<std::string> badLines = {"12a\tCONNECT", "CONNECT", "", "5\t"};
    for (const std::string& bad : badLines) {
        session.OnConnected("conf.test", 3450);
        owner.Take();
        Receive(bad);
        EXPECT_EQ(owner.Take(), (Lines{"Status 206", "Disconnected 0 Invalid account"})) << bad;
        EXPECT_FALSE(session.IsConnected()) << bad;
    }
}

TEST_F(ConferenceFixture, ALineUnderAnotherKeyEndsWithInvalidAccount)
{
    session.OnConnected("conf.test", 3450);
    owner.Take();
    key = {1, 2, 3, 4, 5, 6, 7, 8};
    Receive("1\tCONNECT");
    EXPECT_EQ(owner.Take(), (Lines{"Status 206", "Disconnected 0 Invalid account"}));
}

TEST_F(ConferenceFixture, AnOverlongLineEndsTheSessionWithAnError)
{
    JoinAsAnn();
    // The longest line taken: a real line padded with bytes the base64
    // decoding stops at.
    std::string longest = CConfLineCipher(key).Encipher("9\tCONNECT\n");
    longest.pop_back();
    longest.resize(CConferenceProtocol::kLongestLine, '!');
    session.OnLine(longest.data(), longest.size());
    EXPECT_EQ(owner.Take(), (Lines{"Connected", "Status 207"}));
    const std::string tooLong(CConferenceProtocol::kLongestLine + 1, 'A');
    session.OnLine(tooLong.data(), tooLong.size());
    EXPECT_EQ(owner.Take(), (Lines{"Status 206", "Disconnected 0 Receive buffer overflow 2048",
                                   "ErrorText 1005 Receive buffer overflow 2048 0"}));
    EXPECT_EQ(session.LastError(), "Receive buffer overflow 2048");
}

TEST_F(ConferenceFixture, ASendFailureEndsTheSessionOnceAndReportsIt)
{
    JoinAsAnn();
    channel.failSend = true;
    EXPECT_FALSE(session.SendMessage(5, "hello"));
    const std::string text = "Error sending on socket. Code: 0x2746";
    // The farewell fails too; that only records the error.
    EXPECT_EQ(channel.calls, (Lines{"SendFailed", "SendFailed", "Close"}));
    EXPECT_EQ(owner.Take(), (Lines{"Status 206", "Disconnected 0 " + text,
                                   "ErrorText 1005 " + text + " 0"}));
    EXPECT_FALSE(session.IsConnected());
    EXPECT_TRUE(session.FindUser(5) == nullptr);
}

TEST_F(ConferenceFixture, AFailedConnectLineEndsTheSession)
{
    channel.failSend = true;
    session.OnConnected("conf.test", 3450);
    const std::string text = "Error sending on socket. Code: 0x2746";
    EXPECT_EQ(owner.Take(), (Lines{"Status 206", "Disconnected 0 " + text,
                                   "ErrorText 1005 " + text + " 0"}));
}

TEST_F(ConferenceFixture, MalformedAndUnknownLinesChangeNothing)
{
    JoinAsAnn();
    const std::vector<std::string> ignored = {
        "5\tROSTERADD\tfive\tEve\t1", "5\tROSTERADD\t6", "5\tROSTERDEL\t99999999999",
        "5\tACCEPT\tnone",           "5\tMESSAGE\t5",    "5\tAPP\tGAGSTATE\t1",
        "5\tHELLO",                  "5\tAPP\tDANCE",    "5\tCHANNEL\tCLOSE",
        "5\tDISPATCH\thost",         "5\tAPP\tBREAKOUT\t5\tACCEPT",
        "5\troster",
    };
    for (const std::string& line : ignored)
        Receive(line);
    EXPECT_TRUE(owner.Take().empty());
    EXPECT_TRUE(TakeSent().empty());
    EXPECT_TRUE(session.IsConnected());
    EXPECT_EQ(session.OwnUser(), 3);
    EXPECT_EQ(session.Roster().size(), 2u);
}

TEST_F(ConferenceFixture, DispatchMovesToTheNamedServerAndKeepsTheFirst)
{
    JoinAsAnn();
    Receive("5\tDISPATCH\t127.0.0.2\tlobby-b\t4\ttoken-7");
    EXPECT_EQ(owner.Take(), (Lines{"ConfName lobby-b", "ConfClone 4", "Status 233",
                                   "Disconnected 1 "}));
    EXPECT_EQ(channel.calls, (Lines{"Close", "ConnectDirect 127.0.0.2 3450"}));
    EXPECT_EQ(TakeSent(), (Lines{"101\tDISCONNECT\n", "CONNECT\t2\t4\ten-US\t73920461\n"}));
    EXPECT_EQ(session.DispatchToken(), "token-7");
    EXPECT_EQ(session.CurrentServer(), "127.0.0.2");
    EXPECT_EQ(session.FirstServer(), "conf.test");
    EXPECT_TRUE(session.IsConnected());
    EXPECT_TRUE(session.Roster().empty());
}

TEST_F(ConferenceFixture, AFailedRedirectionEndsWithAnError)
{
    JoinAsAnn();
    channel.connectSucceeds = false;
    Receive("5\tDISPATCH\t127.0.0.2\tlobby-b\t4\ttoken-7");
    const Lines events = owner.Take();
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events.back(), "ErrorText 1005 Unable to connect 0");
    EXPECT_FALSE(session.IsConnected());
}

TEST_F(ConferenceFixture, BreakoutInvitationAndRejection)
{
    JoinAsAnn();
    Receive("5\tAPP\tBREAKOUT\t5\tINVITE");
    Receive("6\tAPP\tBREAKOUT\t5\tREJECT");
    EXPECT_EQ(owner.Take(), (Lines{"Breakout 5 0 lobby", "Breakout 5 2 lobby"}));
    EXPECT_TRUE(session.ReplyBreakout(5, false));
    EXPECT_EQ(TakeSent(), Lines{"101\tAPP\tBREAKOUT\t5\tREJECT\n"});
    EXPECT_TRUE(session.IsConnected());
}

TEST_F(ConferenceFixture, AcceptingABreakoutMovesToTheFirstServer)
{
    JoinAsAnn();
    Receive("5\tDISPATCH\t127.0.0.2\tlobby\t2\ttok");
    TakeSent();
    owner.Take();
    channel.calls.clear();
    EXPECT_TRUE(session.ReplyBreakout(5, true));
    EXPECT_EQ(TakeSent(), (Lines{"102\tAPP\tBREAKOUT\t5\tACCEPT\tlobby (2)_$5\n",
                                 "103\tDISCONNECT\n", "CONNECT\t2\t4\ten-US\t73920461\n"}));
    EXPECT_EQ(owner.Take(), (Lines{"ConfName lobby (2)_$5", "ConfClone 0", "Status 206",
                                   "Disconnected 2 "}));
    EXPECT_EQ(channel.calls, (Lines{"Close", "ConnectDirect conf.test 3450"}));
    EXPECT_EQ(session.Title(), " One-on-One");
}

TEST_F(ConferenceFixture, AnAcceptedInvitationMovesBothToTheNewConference)
{
    JoinAsAnn();
    Receive("5\tAPP\tBREAKOUT\t5\tACCEPT\tlobby (2)_$3");
    EXPECT_EQ(owner.Take(), (Lines{"ConfName lobby (2)_$3", "ConfClone 0",
                                   "Breakout 5 1 lobby (2)_$3", "Status 206", "Disconnected 2 "}));
    EXPECT_EQ(channel.calls, (Lines{"Close", "ConnectDirect conf.test 3450"}));
    EXPECT_EQ(media.calls, Lines{"StopMedia 2 closed"});
}

TEST_F(ConferenceFixture, TitleShowsNameAndClone)
{
    JoinAsAnn();
    EXPECT_EQ(session.Title(), " lobby (2)");
}

TEST_F(ConferenceFixture, AUdpOfferAnswersWithTheBoundPortAndATest)
{
    JoinAsAnn();
    Receive("5\tCHANNEL\tOPEN\tUDP\t10.1.1.1\t5004\tG72364\t30");
    EXPECT_EQ(media.calls, Lines{"OpenMedia G72364 30 3 sound"});
    EXPECT_EQ(TakeSent(), (Lines{"101\tCHANNEL\tOPEN\tUDP\t10.1.1.1\t5006\tG72364\n",
                                 "102\tCHANNEL\tTEST\tUDP\t5006\t10\n"}));
    session.Leave("", 0);
    EXPECT_EQ(media.calls.back(), "StopMedia 0 open");
}

TEST_F(ConferenceFixture, WithoutALocalPortOnlyTheTestIsSent)
{
    JoinAsAnn();
    media.result.localPort = 0;
    owner.soundEnabled = 0;
    Receive("5\tCHANNEL\tOPEN\tUDP\t10.1.1.1\t5004\tG72364\t30");
    EXPECT_EQ(media.calls, Lines{"OpenMedia G72364 30 3 nosound"});
    EXPECT_EQ(TakeSent(), Lines{"101\tCHANNEL\tTEST\tUDP\t5004\t10\n"});
    Receive("6\tCHANNEL\tOPEN\tHTTP\t10.1.1.1\t80\tQUAL68\t20");
    EXPECT_EQ(TakeSent(), (Lines{"102\tCHANNEL\tOPEN\tHTTP\tCTRL\t0\tQUAL68\n",
                                 "103\tCHANNEL\tTEST\tUDP\t80\t10\n"}));
}

TEST_F(ConferenceFixture, ATcpOfferConnectsTheStreamWithTheOwnNumber)
{
    JoinAsAnn();
    Receive("5\tCHANNEL\tOPEN\tTCP\t10.1.1.1\t5010");
    EXPECT_EQ(media.calls, Lines{"ConnectStreamMedia 10.1.1.1 5010 3\n"});
    EXPECT_TRUE(TakeSent().empty());
}

TEST_F(ConferenceFixture, AnUnusableOfferOrCodecEndsTheSession)
{
    const std::vector<std::string> offers = {
        "5\tCHANNEL\tOPEN\tUDP\t10.1.1.1\t5004\tG72364\t0",
        "5\tCHANNEL\tOPEN\tUDP\t10.1.1.1\t5004\tG72364\t500",
        "5\tCHANNEL\tOPEN\tUDP\t10.1.1.1\t5004\tG72364",
        "5\tCHANNEL\tOPEN\tUDP\t10.1.1.1\t70000\tG72364\t30",
        "5\tCHANNEL\tOPEN\tTCP\t10.1.1.1\t0",
    };
    const std::string text =
        "Could not negotiate a compatible voice codec for this conference.\nConnection terminated.";
    for (const std::string& offer : offers) {
        JoinAsAnn();
        Receive(offer);
        EXPECT_EQ(owner.Take(), (Lines{"Status 206", "Disconnected 0 " + text, "ErrorId 1004 227 0"}))
            << offer;
        EXPECT_EQ(media.calls, Lines{"StopMedia 0 closed"}) << offer;
    }
    JoinAsAnn();
    media.result.outcome = ConfMediaResult::Outcome::CodecRefused;
    Receive("5\tCHANNEL\tOPEN\tUDP\t10.1.1.1\t5004\tXYZ\t30");
    EXPECT_EQ(owner.Take(), (Lines{"Status 206", "Disconnected 0 " + text, "ErrorId 1004 227 0"}));
}

TEST_F(ConferenceFixture, AudioFailuresAreReported)
{
    JoinAsAnn();
    media.result.configureError = "no sound card";
    media.result.outcome = ConfMediaResult::Outcome::Failed;
    media.result.errorText = "media start failed";
    Receive("5\tCHANNEL\tOPEN\tUDP\t10.1.1.1\t5004\tG72364\t30");
    EXPECT_EQ(owner.Take(), (Lines{"ErrorText 1003 no sound card 0", "Status 206",
                                   "Disconnected 0 media start failed",
                                   "ErrorText 1005 media start failed 0"}));
    EXPECT_EQ(media.calls.back(), "StopMedia 0 open");
}

TEST_F(ConferenceFixture, AFailedAudioStopAtLeaveIsReported)
{
    JoinAsAnn();
    media.stopSucceeds = false;
    session.Leave("bye", 0);
    EXPECT_EQ(owner.Take(), (Lines{"Status 206", "ErrorText 1005 audio stop failed 0",
                                   "Disconnected 0 bye"}));
    EXPECT_EQ(session.LastError(), "audio stop failed");
}

TEST_F(ConferenceFixture, AQuietUdpTestFallsBackToTcpUnlessTunnelled)
{
    JoinAsAnn();
    media.testCount = 0;
    Receive("5\tCHANNEL\tTESTED\t0");
    EXPECT_EQ(TakeSent(), Lines{"101\tCHANNEL\tOPEN\tTCP\n"});
    EXPECT_EQ(media.calls, Lines{"MediaTested sound"});

    media.testCount = 4;
    Receive("6\tCHANNEL\tTESTED\t4");
    EXPECT_TRUE(TakeSent().empty());

    media.testCount = 0;
    session.SetTunnelInUse(true);
    Receive("7\tCHANNEL\tTESTED\t0");
    EXPECT_TRUE(TakeSent().empty());
}

TEST_F(ConferenceFixture, LeavingBeforeConnectingStopsTheAttempts)
{
    session.Leave("cancelled", 3);
    EXPECT_EQ(channel.calls, (Lines{"StopAttempts", "Close"}));
    EXPECT_EQ(owner.Take(), Lines{"Disconnected 3 cancelled"});
    channel.calls.clear();
    session.Leave("", 0);
    EXPECT_EQ(channel.calls, Lines{"StopAttempts"});
    EXPECT_TRUE(owner.Take().empty());
}

} // namespace
