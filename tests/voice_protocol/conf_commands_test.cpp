#include "ConfCommands.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct GoldenLine
{
    const char* name;
    std::string built;
    std::string expected;
};

TEST(ConfCommands, EveryBuilderGivesItsLine)
{
    const GoldenLine cases[] = {
        {"connect", ConfCommands::Connect("en-US", "73920461"),
         "CONNECT\t2\t4\ten-US\t73920461\n"},
        {"disconnect", ConfCommands::Disconnect(), "DISCONNECT\n"},
        {"open tcp", ConfCommands::ChannelOpenTcp(), "CHANNEL\tOPEN\tTCP\n"},
        {"open udp", ConfCommands::ChannelOpen("UDP", "10.0.0.9", 5006, "G72364"),
         "CHANNEL\tOPEN\tUDP\t10.0.0.9\t5006\tG72364\n"},
        {"open http", ConfCommands::ChannelOpen("HTTP", "10.0.0.9", 0, "QUAL68"),
         "CHANNEL\tOPEN\tHTTP\tCTRL\t0\tQUAL68\n"},
        {"test", ConfCommands::ChannelTestUdp(5004), "CHANNEL\tTEST\tUDP\t5004\t10\n"},
        {"name", ConfCommands::RosterChangeName(3, "Ann B"), "ROSTERCHANGE\tNAME\t3\tAnn B\n"},
        {"icon", ConfCommands::RosterChangeIcon(3, 12), "ROSTERCHANGE\tICON\t3\t12\n"},
        {"message", ConfCommands::Message(7, "hi\nthere\tyou"),
         "MESSAGE\t7\thi\x01there\x02you\n"},
        {"warn", ConfCommands::AppWarn(7, "stop"), "APP\tWARN\t7\tstop\n"},
        {"app message", ConfCommands::AppMessage(7, "x\ny"), "APP\tAPPMESSAGE\t7\tx\x01y\n"},
        {"broadcast", ConfCommands::AppBroadcast("all\tof you"),
         "APP\tAPPBROADCAST\tall\x02of you\n"},
        {"mute", ConfCommands::AppMute(9, 1), "APP\tMUTE\t9\t1\n"},
        {"gag", ConfCommands::AppGag(9, 32769, 600), "APP\tGAG\t9\t32769\t600\n"},
        {"eject", ConfCommands::AppEject(9, ""), "APP\tEJECT\t9\n"},
        {"eject reason", ConfCommands::AppEject(9, "rude\nagain"),
         "APP\tEJECT\t9\trude\x01" "again\n"},
        {"invite", ConfCommands::BreakoutInvite(4), "APP\tBREAKOUT\t4\tINVITE\n"},
        {"accept", ConfCommands::BreakoutAccept(4, "lobby (0)_$4"),
         "APP\tBREAKOUT\t4\tACCEPT\tlobby (0)_$4\n"},
        {"reject", ConfCommands::BreakoutReject(4), "APP\tBREAKOUT\t4\tREJECT\n"},
        {"dtmf", ConfCommands::PhoneDtmf('#'), "PHONE\tDTMF\t#\n"},
        {"negative user", ConfCommands::AppMute(-1, 0), "APP\tMUTE\t-1\t0\n"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.built, c.expected) << c.name;
}

ConfJoinRecord SampleJoin()
{
    ConfJoinRecord join;
    join.conference = "lobby";
    join.clone = 2;
    join.userName = "Ann";
    join.account = "0";
    join.pageHost = "127.0.0.1";
    join.engineVersion = "1.2.3.4";
    join.soundDevice = "Speakers:1,100";
    join.driverVersion = "5.10";
    join.operatingSystem = "NT 6.1:7601";
    join.containerApp = "IE";
    join.containerVersion = "?.?";
    join.pageUrl = "http://example.test/page";
    join.icon = 6;
    join.dispatchToken = "0";
    join.phoneDialInfo = "555;1";
    join.phoneUserInfo = "room;42;x";
    join.phoneCallerId = "Ann;B";
    join.phoneTones = "12#";
    return join;
}

TEST(ConfCommands, JoinCarriesFifteenFieldsInOrder)
{
    EXPECT_EQ(ConfCommands::Join(SampleJoin()),
              "JOIN\tlobby\t2\tAnn\t0\t127.0.0.1\t1.2.3.4\tSpeakers:1,100\t5.10\t"
              "NT 6.1:7601\tIE\t?.?\thttp://example.test/page\t6\t0\t"
              "555;1;room:42:x;Ann;B;12#\n");
}

TEST(ConfCommands, JoinOnlyRewritesTheUserInformationOfThePhoneTexts)
{
    ConfJoinRecord join = SampleJoin();
    EXPECT_EQ(ConfCommands::PhoneField(join), "555;1;room:42:x;Ann;B;12#");
    join = ConfJoinRecord();
    EXPECT_EQ(ConfCommands::PhoneField(join), ";;;");
}

TEST(ConfCommands, JoinShortensALongPageUrl)
{
    ConfJoinRecord join = SampleJoin();
    join.pageUrl = "http://h/" + std::string(251, 'p');
    const std::string line = ConfCommands::Join(join);
    const std::string expectedUrl = join.pageUrl.substr(0, 200) + "..." +
                                    join.pageUrl.substr(join.pageUrl.size() - 50);
    EXPECT_NE(line.find("\t" + expectedUrl + "\t6\t"), std::string::npos);
    EXPECT_EQ(expectedUrl.size(), 253u);
}

} // namespace
