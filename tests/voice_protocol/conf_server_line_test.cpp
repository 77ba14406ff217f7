#include "ConfServerLine.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct ParsedCase
{
    const char* text;
    ConfLineKind kind;
    int32_t user;
    int32_t number;
    const char* name;
    const char* message;
};

TEST(ConfServerLine, EveryServerLineIsTakenApart)
{
    const ParsedCase cases[] = {
        {"1\tCONNECT", ConfLineKind::Connect, 0, 0, "", ""},
        {"1\tCONNECT\textra", ConfLineKind::Connect, 0, 0, "", ""},
        {"2\tDISCONNECT\tserver closing", ConfLineKind::Disconnect, 0, 0, "", "server closing"},
        {"2\tDISCONNECT", ConfLineKind::Disconnect, 0, 0, "", ""},
        {"3\tREJECT\tfull", ConfLineKind::Reject, 0, 0, "", "full"},
        {"4\tACCEPT\t3", ConfLineKind::Accept, 0, 3, "", ""},
        {"5\tROSTERADD\t12\tAnn\t4", ConfLineKind::RosterAdd, 12, 4, "Ann", ""},
        {"5\tROSTERADD\t12\tAnn\t", ConfLineKind::RosterAdd, 12, 0, "Ann", ""},
        {"5\tROSTERADD\t12\tAnn", ConfLineKind::RosterAdd, 12, 0, "Ann", ""},
        {"6\tROSTERCHANGE\tNAME\t12\tAnnie", ConfLineKind::RosterChangeName, 12, 0, "", "Annie"},
        {"6\tROSTERCHANGE\tICON\t12\t9", ConfLineKind::RosterChangeIcon, 12, 9, "", ""},
        {"6\tROSTERCHANGE\tICON\t12\t", ConfLineKind::RosterChangeIcon, 12, 0, "", ""},
        {"7\tROSTERDEL\t12", ConfLineKind::RosterDel, 12, 0, "", ""},
        {"8\tMESSAGE\t12\tAnn\ttwo\x01lines", ConfLineKind::Message, 12, 0, "Ann", "two\nlines"},
        {"9\tAPP\tWARN\t12\tAnn\tcalm\x02" "down", ConfLineKind::AppWarn, 12, 0, "Ann",
         "calm\tdown"},
        {"9\tAPP\tAPPMESSAGE\t12\tAnn\tdata", ConfLineKind::AppMessage, 12, 0, "Ann", "data"},
        {"9\tAPP\tAPPBROADCAST\t12\tAnn\tall", ConfLineKind::AppBroadcast, 12, 0, "Ann", "all"},
        {"9\tAPP\tBREAKOUT\t12\tINVITE", ConfLineKind::BreakoutInvite, 12, 0, "", ""},
        {"9\tAPP\tBREAKOUT\t12\tREJECT", ConfLineKind::BreakoutReject, 12, 0, "", ""},
        {"9\tAPP\tBREAKOUT\t12\tACCEPT\tlobby (0)_$12", ConfLineKind::BreakoutAccept, 12, 0,
         "lobby (0)_$12", ""},
        {"10\tCHANNEL\tTESTED\t7", ConfLineKind::ChannelTested, 0, 0, "", ""},
        {"11\tROSTERADD\t12\tAnn\t4\ttrailing\n12\tROSTERDEL\t12", ConfLineKind::RosterAdd, 12, 4,
         "Ann", ""},
    };
    for (const auto& c : cases) {
        const ConfServerLine line = ConfServerLineParser::Parse(c.text);
        EXPECT_EQ(line.status, ConfLineStatus::Ok) << c.text;
        EXPECT_EQ(line.kind, c.kind) << c.text;
        EXPECT_EQ(line.user, c.user) << c.text;
        EXPECT_EQ(line.number, c.number) << c.text;
        EXPECT_EQ(line.name, c.name) << c.text;
        EXPECT_EQ(line.text, c.message) << c.text;
    }
}

TEST(ConfServerLine, DispatchAndGagStateCarryTheirFields)
{
    const ConfServerLine dispatch =
        ConfServerLineParser::Parse("3\tDISPATCH\t127.0.0.2\tlobby\t4\ttok-9");
    ASSERT_EQ(dispatch.kind, ConfLineKind::Dispatch);
    EXPECT_EQ(dispatch.server, "127.0.0.2");
    EXPECT_EQ(dispatch.name, "lobby");
    EXPECT_EQ(dispatch.number, 4);
    EXPECT_EQ(dispatch.token, "tok-9");

    const ConfServerLine gag = ConfServerLineParser::Parse("4\tAPP\tGAGSTATE\t12\t32769\t60\t3");
    ASSERT_EQ(gag.kind, ConfLineKind::AppGagState);
    EXPECT_EQ(gag.gag, (std::array<int32_t, 4>{12, 32769, 60, 3}));
}

struct ChannelCase
{
    const char* text;
    bool usable;
    const char* transport;
    int32_t port;
    const char* codec;
    int32_t interval;
};

TEST(ConfServerLine, ChannelOffersAreCheckedBeforeUse)
{
    const ChannelCase cases[] = {
        {"1\tCHANNEL\tOPEN\tUDP\t10.0.0.1\t5004\tG72364\t30", true, "UDP", 5004, "G72364", 30},
        {"1\tCHANNEL\tOPEN\tHTTP\t10.0.0.1\t80\tQUAL68\t20", true, "HTTP", 80, "QUAL68", 20},
        {"1\tCHANNEL\tOPEN\tTCP\t10.0.0.1\t5010", true, "TCP", 5010, "", 0},
        {"1\tCHANNEL\tOPEN\tUDP\t10.0.0.1\t5004\tG72364\t120", true, "UDP", 5004, "G72364", 120},
        {"1\tCHANNEL\tOPEN\tUDP\t10.0.0.1\t65533\tG72364\t1", true, "UDP", 65533, "G72364", 1},
        // The interval divides and sizes buffers: 0, negative, huge or
        // missing is refused.
        {"1\tCHANNEL\tOPEN\tUDP\t10.0.0.1\t5004\tG72364\t0", false, "UDP", 5004, "G72364", 0},
        {"1\tCHANNEL\tOPEN\tUDP\t10.0.0.1\t5004\tG72364\t121", false, "UDP", 5004, "G72364", 121},
        {"1\tCHANNEL\tOPEN\tUDP\t10.0.0.1\t5004\tG72364\t-30", false, "UDP", 5004, "G72364", -30},
        {"1\tCHANNEL\tOPEN\tUDP\t10.0.0.1\t5004\tG72364", false, "UDP", 5004, "G72364", 0},
        {"1\tCHANNEL\tOPEN\tUDP\t10.0.0.1\t5004", false, "UDP", 5004, "", 0},
        {"1\tCHANNEL\tOPEN\tUDP\t10.0.0.1\t0\tG72364\t30", false, "UDP", 0, "G72364", 30},
        {"1\tCHANNEL\tOPEN\tUDP\t10.0.0.1\t65534\tG72364\t30", false, "UDP", 65534, "G72364", 30},
        {"1\tCHANNEL\tOPEN\tTCP\t10.0.0.1\tport", false, "TCP", 0, "", 0},
    };
    for (const auto& c : cases) {
        const ConfServerLine line = ConfServerLineParser::Parse(c.text);
        ASSERT_EQ(line.status, ConfLineStatus::Ok) << c.text;
        ASSERT_EQ(line.kind, ConfLineKind::ChannelOpen) << c.text;
        EXPECT_EQ(line.channel.usable, c.usable) << c.text;
        EXPECT_EQ(line.channel.transport, c.transport) << c.text;
        EXPECT_EQ(line.channel.host, "10.0.0.1") << c.text;
        EXPECT_EQ(line.channel.port, c.port) << c.text;
        EXPECT_EQ(line.channel.codec, c.codec) << c.text;
        EXPECT_EQ(line.channel.interval, c.interval) << c.text;
    }
}

struct RefusedCase
{
    const char* text;
    ConfLineStatus status;
};

TEST(ConfServerLine, BadLinesAreRefusedWithTheirReason)
{
    const RefusedCase cases[] = {
        // What a wrong key produces: no sequence digits or no keyword.
        {"", ConfLineStatus::NotALine},
        {"CONNECT", ConfLineStatus::NotALine},
        {"12a\tCONNECT", ConfLineStatus::NotALine},
        {"-1\tCONNECT", ConfLineStatus::NotALine},
        {"12", ConfLineStatus::NotALine},
        {"12\t", ConfLineStatus::NotALine},
        {"\tCONNECT", ConfLineStatus::NotALine},
        {"\x8f\x13\xd2", ConfLineStatus::NotALine},
        // Keywords compare exactly.
        {"1\tconnect", ConfLineStatus::Unknown},
        {"1\tHELLO\tx", ConfLineStatus::Unknown},
        {"1\tAPP\tDANCE\t1", ConfLineStatus::Unknown},
        {"1\tCHANNEL\tCLOSE", ConfLineStatus::Unknown},
        {"1\tROSTERCHANGE\tCOLOUR\t1\tred", ConfLineStatus::Unknown},
        {"1\tAPP\tBREAKOUT\t1\tMAYBE", ConfLineStatus::Unknown},
        // Known keywords with missing fields or bad numbers.
        {"1\tACCEPT", ConfLineStatus::Malformed},
        {"1\tACCEPT\tthree", ConfLineStatus::Malformed},
        {"1\tACCEPT\t99999999999", ConfLineStatus::Malformed},
        {"1\tROSTERADD\t5", ConfLineStatus::Malformed},
        {"1\tROSTERADD\tfive\tAnn\t1", ConfLineStatus::Malformed},
        {"1\tROSTERADD\t5\tAnn\tbig", ConfLineStatus::Malformed},
        {"1\tROSTERCHANGE\tNAME\t5", ConfLineStatus::Malformed},
        {"1\tROSTERCHANGE\tICON\t5\tx", ConfLineStatus::Malformed},
        {"1\tROSTERDEL", ConfLineStatus::Malformed},
        {"1\tROSTERDEL\t", ConfLineStatus::Malformed},
        {"1\tMESSAGE\t5\tAnn", ConfLineStatus::Malformed},
        {"1\tAPP", ConfLineStatus::Malformed},
        {"1\tAPP\tWARN\t5\tAnn", ConfLineStatus::Malformed},
        {"1\tAPP\tGAGSTATE\t1\t2\t3", ConfLineStatus::Malformed},
        {"1\tAPP\tGAGSTATE\t1\t2\t3\tx", ConfLineStatus::Malformed},
        {"1\tAPP\tBREAKOUT\t5", ConfLineStatus::Malformed},
        {"1\tAPP\tBREAKOUT\t5\tACCEPT", ConfLineStatus::Malformed},
        {"1\tAPP\tBREAKOUT\t5\tACCEPT\t", ConfLineStatus::Malformed},
        {"1\tDISPATCH\thost\tlobby\t1", ConfLineStatus::Malformed},
        {"1\tDISPATCH\thost\tlobby\tx\ttok", ConfLineStatus::Malformed},
        {"1\tDISPATCH\t\tlobby\t1\ttok", ConfLineStatus::Malformed},
        {"1\tCHANNEL", ConfLineStatus::Malformed},
        {"1\tCHANNEL\tOPEN\tUDP\thost", ConfLineStatus::Malformed},
        {"1\tCHANNEL\tOPEN\t\thost\t5004", ConfLineStatus::Malformed},
    };
    for (const auto& c : cases) {
        const ConfServerLine line = ConfServerLineParser::Parse(c.text);
        EXPECT_EQ(line.status, c.status) << c.text;
        EXPECT_EQ(line.kind, ConfLineKind::None) << c.text;
    }
}

} // namespace
