#include "UcmProxyHandshake.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "ProxyBytes.h"
#include "TvlIpAddress.h"
#include "UcmHttpHandshake.h"
#include "UcmPostHandshake.h"
#include "ZrServerAddress.h"

namespace {

constexpr char kPeer[] = "zr.example";
const ProxyBytes kSessionBytes = Hex("81 00 00 00 04 7F 00 00 01");
const ProxyBytes kSocks4Granted = Hex("04 5A 00 00 00 00 00 00");
const ProxyBytes kSocks5Granted = Hex("05 00 00 01 00 00 00 00 00 00");
const ProxyBytes kSocks5ByAddress = Hex("05 01 00 01 7F 00 00 01 05 FD");
const ProxyBytes kConnectRequest = Text("CONNECT zr.example:1533 HTTP/1.0\r\n\r\n");
const ProxyBytes kPostRequest =
    Text("POST http://zr.example:1533 HTTP/1.0\r\nPragma: No-Cache\r\nContent-Length: 5\r\n\r\n")
    + Hex("01 00 00 00 00");
const ProxyBytes kPostGranted = Text("HTTP/1.0 200 OK\r\nContent-Length: 2147483647\r\n\r\n") + Hex("5A 00 00 01");

uint32_t Loopback()
{
    const uint8_t octets[4] = {127, 0, 0, 1};
    uint32_t address;
    std::memcpy(&address, octets, sizeof address);
    return address;
}

UcmProxyTarget ByAddress(const std::string& name = kPeer)
{
    return {name, Loopback(), TvlPortToNet(1533)};
}

UcmProxyTarget ByName(const std::string& name = kPeer)
{
    return {name, CTvlIpAddress::kUnknown, TvlPortToNet(1533)};
}

CZrServerAddress Settings(int32_t kind, int32_t authenticate = 0, const std::string& user = "",
                          const std::string& password = "")
{
    CZrServerAddress settings(1533);
    settings.kind = kind;
    settings.proxyAddress = Loopback();
    settings.authenticate = authenticate;
    settings.user = user;
    settings.password = password;
    return settings;
}

// One reply of the proxy and the request that the client queues after it.
struct Step {
    ProxyBytes reply;
    ProxyBytes sent;
};

struct ProxyCase {
    const char* name;
    CZrServerAddress settings;
    UcmProxyTarget target;
    int32_t startCode;
    ProxyBytes firstRequest;
    std::vector<Step> steps;
    EUcmProxyStatus outcome;
};

void PrintTo(const ProxyCase& c, std::ostream* out)
{
    *out << c.name;
}

const EUcmProxyStatus kDone = EUcmProxyStatus::kDone;
const EUcmProxyStatus kRefused = EUcmProxyStatus::kRefused;
const EUcmProxyStatus kNeedMore = EUcmProxyStatus::kNeedMore;

ProxyBytes Socks5Auth(const std::string& user, const std::string& password)
{
    return Hex("01") + ProxyBytes{static_cast<uint8_t>(user.size())} + Text(user)
           + ProxyBytes{static_cast<uint8_t>(password.size())} + Text(password);
}

ProxyBytes Socks5ByName(const std::string& name)
{
    return Hex("05 01 00 03") + ProxyBytes{static_cast<uint8_t>(name.size())} + Text(name) + Hex("05 FD");
}

std::vector<ProxyCase> Cases()
{
    using K = CZrServerAddress;
    const std::string user255(255, 'u'), user256(256, 'u'), name255(255, 'n'), name256(256, 'n');
    return {
        // SOCKS4
        {"socks4 granted, version byte 4", Settings(K::kSocks4, 0, "zr"), ByAddress(), 0,
         Hex("04 01 05 FD 7F 00 00 01 7A 72 00"), {{kSocks4Granted, {}}}, kDone},
        {"socks4 granted, version byte 0 as servers send it", Settings(K::kSocks4, 0, "zr"), ByAddress(), 0,
         Hex("04 01 05 FD 7F 00 00 01 7A 72 00"), {{Hex("00 5A 01 02 03 04 05 06"), {}}}, kDone},
        {"socks4 without user id", Settings(K::kSocks4), ByAddress(), 0, Hex("04 01 05 FD 7F 00 00 01 00"),
         {{kSocks4Granted, {}}}, kDone},
        {"socks4 rejected", Settings(K::kSocks4), ByAddress(), 0, Hex("04 01 05 FD 7F 00 00 01 00"),
         {{Hex("04 5B 00 00 00 00 00 00"), {}}}, kRefused},
        {"socks4 rejected with version byte 0", Settings(K::kSocks4), ByAddress(), 0,
         Hex("04 01 05 FD 7F 00 00 01 00"), {{Hex("00 5B 00 00 00 00 00 00"), {}}}, kRefused},
        {"socks4 reply of another version", Settings(K::kSocks4), ByAddress(), 0,
         Hex("04 01 05 FD 7F 00 00 01 00"), {{Hex("05 5A 00 00 00 00 00 00"), {}}}, kRefused},
        {"socks4 needs the address", Settings(K::kSocks4), ByName(), 12, {}, {}, kRefused},
        {"socks4 user id with a 0 byte", Settings(K::kSocks4, 0, std::string("a\0b", 3)), ByAddress(), 12, {},
         {}, kRefused},
        // SOCKS5
        {"socks5 without authentication", Settings(K::kSocks5), ByAddress(), 0, Hex("05 01 00"),
         {{Hex("05 00"), kSocks5ByAddress}, {kSocks5Granted, {}}}, kDone},
        {"socks5 with user and password", Settings(K::kSocks5, 1, "u", "pw"), ByAddress(), 0, Hex("05 02 00 02"),
         {{Hex("05 02"), Socks5Auth("u", "pw")}, {Hex("01 00"), kSocks5ByAddress}, {kSocks5Granted, {}}},
         kDone},
        {"socks5 asked to authenticate, proxy wants none", Settings(K::kSocks5, 1, "u", "pw"), ByAddress(), 0,
         Hex("05 02 00 02"), {{Hex("05 00"), kSocks5ByAddress}, {kSocks5Granted, {}}}, kDone},
        {"socks5 picks user and password unasked", Settings(K::kSocks5, 0, "u", "pw"), ByAddress(), 0,
         Hex("05 01 00"), {{Hex("05 02"), {}}}, kRefused},
        {"socks5 no acceptable method", Settings(K::kSocks5), ByAddress(), 0, Hex("05 01 00"),
         {{Hex("05 FF"), {}}}, kRefused},
        {"socks5 method reply of another version", Settings(K::kSocks5), ByAddress(), 0, Hex("05 01 00"),
         {{Hex("04 00"), {}}}, kRefused},
        {"socks5 password refused", Settings(K::kSocks5, 1, "u", "x"), ByAddress(), 0, Hex("05 02 00 02"),
         {{Hex("05 02"), Socks5Auth("u", "x")}, {Hex("01 01"), {}}}, kRefused},
        {"socks5 authentication reply of another version", Settings(K::kSocks5, 1, "u", "x"), ByAddress(), 0,
         Hex("05 02 00 02"), {{Hex("05 02"), Socks5Auth("u", "x")}, {Hex("05 00"), {}}}, kRefused},
        {"socks5 connect refused", Settings(K::kSocks5), ByAddress(), 0, Hex("05 01 00"),
         {{Hex("05 00"), kSocks5ByAddress}, {Hex("05 05 00 01 00 00 00 00 00 00"), {}}}, kRefused},
        {"socks5 connect reply with a name address", Settings(K::kSocks5), ByAddress(), 0, Hex("05 01 00"),
         {{Hex("05 00"), kSocks5ByAddress}, {Hex("05 00 00 03 00 00 00 00 00 00"), {}}}, kRefused},
        {"socks5 server by name", Settings(K::kSocks5), ByName(), 0, Hex("05 01 00"),
         {{Hex("05 00"), Socks5ByName(kPeer)}, {kSocks5Granted, {}}}, kDone},
        {"socks5 user name of 255 bytes", Settings(K::kSocks5, 1, user255, "pw"), ByAddress(), 0,
         Hex("05 02 00 02"),
         {{Hex("05 02"), Socks5Auth(user255, "pw")}, {Hex("01 00"), kSocks5ByAddress}, {kSocks5Granted, {}}},
         kDone},
        {"socks5 user name of 256 bytes", Settings(K::kSocks5, 1, user256, "pw"), ByAddress(), 0,
         Hex("05 02 00 02"), {{Hex("05 02"), {}}}, kRefused},
        {"socks5 password of 256 bytes", Settings(K::kSocks5, 1, "u", user256), ByAddress(), 0,
         Hex("05 02 00 02"), {{Hex("05 02"), {}}}, kRefused},
        {"socks5 long user name unused when the proxy wants none", Settings(K::kSocks5, 1, user256, "pw"),
         ByAddress(), 0, Hex("05 02 00 02"), {{Hex("05 00"), kSocks5ByAddress}, {kSocks5Granted, {}}}, kDone},
        {"socks5 host name of 255 bytes", Settings(K::kSocks5), ByName(name255), 0, Hex("05 01 00"),
         {{Hex("05 00"), Socks5ByName(name255)}, {kSocks5Granted, {}}}, kDone},
        {"socks5 host name of 256 bytes", Settings(K::kSocks5), ByName(name256), 0, Hex("05 01 00"),
         {{Hex("05 00"), {}}}, kRefused},
        // HTTP CONNECT
        {"connect granted by HTTP/1.0", Settings(K::kHttpConnect), ByAddress(), 0, kConnectRequest,
         {{Text("HTTP/1.0 200 Connection established\r\n\r\n"), {}}}, kDone},
        {"connect granted by HTTP/1.1", Settings(K::kHttpConnect), ByAddress(), 0, kConnectRequest,
         {{Text("HTTP/1.1 200 OK\r\nProxy-Agent: p\r\n\r\n"), {}}}, kDone},
        {"connect status without reason text", Settings(K::kHttpConnect), ByName(), 0, kConnectRequest,
         {{Text("HTTP/1.0 200\r\n\r\n"), {}}}, kDone},
        {"connect forbidden", Settings(K::kHttpConnect), ByAddress(), 0, kConnectRequest,
         {{Text("HTTP/1.0 403 Forbidden\r\n\r\n"), {}}}, kRefused},
        {"connect answered by HTTP/1.2", Settings(K::kHttpConnect), ByAddress(), 0, kConnectRequest,
         {{Text("HTTP/1.2 200 OK\r\n\r\n"), {}}}, kRefused},
        {"connect answered by HTTP/2", Settings(K::kHttpConnect), ByAddress(), 0, kConnectRequest,
         {{Text("HTTP/2 200\r\n\r\n"), {}}}, kRefused},
        {"connect status 2000", Settings(K::kHttpConnect), ByAddress(), 0, kConnectRequest,
         {{Text("HTTP/1.0 2000 x\r\n\r\n"), {}}}, kRefused},
        {"connect status line in lower case", Settings(K::kHttpConnect), ByAddress(), 0, kConnectRequest,
         {{Text("http/1.0 200 OK\r\n\r\n"), {}}}, kRefused},
        {"connect reply that is no HTTP", Settings(K::kHttpConnect), ByAddress(), 0, kConnectRequest,
         {{Text("SSH-2.0-x\r\n\r\n"), {}}}, kRefused},
        {"connect host name with a line end", Settings(K::kHttpConnect), ByName("a\r\nX: y"), 12, {}, {},
         kRefused},
        // HTTP POST tunnel, primary side
        {"post granted", Settings(K::kHttpPost), ByAddress(), 0, kPostRequest, {{kPostGranted, {}}}, kDone},
        {"post content length in capitals", Settings(K::kHttpPost), ByAddress(), 0, kPostRequest,
         {{Text("HTTP/1.0 200 OK\r\nCONTENT-LENGTH: 4\r\n\r\n") + Hex("00 00 00 07"), {}}}, kDone},
        {"post content length 3", Settings(K::kHttpPost), ByAddress(), 0, kPostRequest,
         {{Text("HTTP/1.0 200 OK\r\nContent-Length: 3\r\n\r\n") + Hex("00 00 00 07"), {}}}, kRefused},
        {"post without content length", Settings(K::kHttpPost), ByAddress(), 0, kPostRequest,
         {{Text("HTTP/1.0 200 OK\r\nServer: s\r\n\r\n") + Hex("00 00 00 07"), {}}}, kRefused},
        {"post content length not a number", Settings(K::kHttpPost), ByAddress(), 0, kPostRequest,
         {{Text("HTTP/1.0 200 OK\r\nContent-Length: many\r\n\r\n") + Hex("00 00 00 07"), {}}}, kRefused},
        {"post answered by HTTP/1.1", Settings(K::kHttpPost), ByAddress(), 0, kPostRequest,
         {{Text("HTTP/1.1 200 OK\r\nContent-Length: 4\r\n\r\n") + Hex("00 00 00 07"), {}}}, kRefused},
        {"post not found", Settings(K::kHttpPost), ByAddress(), 0, kPostRequest,
         {{Text("HTTP/1.0 404 Not Found\r\nContent-Length: 4\r\n\r\n") + Hex("00 00 00 00"), {}}}, kRefused},
    };
}

enum class Feeding { kWhole, kByteByByte };

std::unique_ptr<CUcmProxyHandshake> Started(const ProxyCase& c, CTvlByteQueue& output)
{
    auto handshake = CUcmProxyHandshake::Create(c.settings, c.target);
    EXPECT_TRUE(handshake);
    EXPECT_EQ(handshake->Start(output), c.startCode);
    const ProxyBytes sent = Drain(output);
    EXPECT_EQ(sent, c.firstRequest) << Printable(sent);
    return handshake;
}

// Feeds one reply (with the session's bytes after the last one) and checks
// what the handshake made of it.
void FeedStep(CUcmProxyHandshake& handshake, const ProxyCase& c, size_t step, Feeding feeding,
              CTvlByteQueue& output)
{
    const bool last = step + 1 == c.steps.size();
    const ProxyBytes& reply = c.steps[step].reply;
    const ProxyBytes input = last ? reply + kSessionBytes : reply;
    const EUcmProxyStatus expected = last ? c.outcome : kNeedMore;
    UcmProxyProgress progress{};
    if (feeding == Feeding::kWhole) {
        progress = handshake.Feed(input.data(), static_cast<uint32_t>(input.size()), output);
    } else {
        for (size_t i = 0; i < reply.size(); ++i) {
            progress = handshake.Feed(&input[i], 1, output);
            if (i + 1 < reply.size()) {
                ASSERT_EQ(progress.status, kNeedMore) << "byte " << i;
                ASSERT_EQ(progress.consumed, 1u);
                ASSERT_EQ(output.Size(), 0u) << "request queued before the whole reply";
            }
        }
        if (last && progress.status != kNeedMore) {
            const UcmProxyProgress after = handshake.Feed(kSessionBytes.data(), 9, output);
            EXPECT_EQ(after.consumed, 0u);
            EXPECT_EQ(after.status, progress.status);
        }
    }
    EXPECT_EQ(progress.status, expected);
    if (expected == kDone && feeding == Feeding::kWhole) {
        EXPECT_EQ(progress.consumed, reply.size()) << "bytes after the reply belong to the session";
    }
    if (expected == kRefused) {
        EXPECT_EQ(progress.code, CUcmProxyHandshake::kRefusedCode);
    }
    const ProxyBytes sent = Drain(output);
    EXPECT_EQ(sent, c.steps[step].sent) << Printable(sent);
}

void RunCase(const ProxyCase& c, Feeding feeding)
{
    CTvlByteQueue output;
    auto handshake = Started(c, output);
    if (!handshake || c.startCode != 0) {
        ASSERT_TRUE(handshake);
        EXPECT_EQ(handshake->Status(), kRefused);
        return;
    }
    for (size_t step = 0; step < c.steps.size(); ++step)
        FeedStep(*handshake, c, step, feeding, output);
    EXPECT_EQ(handshake->Status(), c.outcome);
}

class ProxyHandshakeCases : public testing::TestWithParam<ProxyCase> {};

TEST_P(ProxyHandshakeCases, FedWhole)
{
    RunCase(GetParam(), Feeding::kWhole);
}

TEST_P(ProxyHandshakeCases, FedByteByByte)
{
    RunCase(GetParam(), Feeding::kByteByByte);
}

// A proxy that sends every reply at once (or a network that joins them)
// gets the same requests and outcome.
TEST_P(ProxyHandshakeCases, RepliesJoinedInOneRead)
{
    const ProxyCase& c = GetParam();
    if (c.startCode != 0)
        return;
    CTvlByteQueue output;
    auto handshake = Started(c, output);
    ProxyBytes joined, sent;
    for (const Step& step : c.steps) {
        joined = joined + step.reply;
        sent = sent + step.sent;
    }
    const ProxyBytes input = joined + kSessionBytes;
    const UcmProxyProgress progress = handshake->Feed(input.data(), static_cast<uint32_t>(input.size()), output);
    EXPECT_EQ(progress.status, c.outcome);
    if (c.outcome == kDone) {
        EXPECT_EQ(progress.consumed, joined.size());
    }
    EXPECT_EQ(Drain(output), sent);
}

std::string CaseName(const testing::TestParamInfo<ProxyCase>& info)
{
    std::string name;
    for (const char* p = info.param.name; *p; ++p)
        name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
    return name;
}

INSTANTIATE_TEST_SUITE_P(Proxy, ProxyHandshakeCases, testing::ValuesIn(Cases()), CaseName);

TEST(ProxyHandshake, PhasesFollowTheRequests)
{
    CTvlByteQueue output;
    auto handshake = CUcmProxyHandshake::Create(Settings(CZrServerAddress::kSocks5, 1, "u", "p"), ByAddress());
    EXPECT_EQ(handshake->CurrentPhase(), CUcmProxyHandshake::kPhaseTcp);
    handshake->Start(output);
    EXPECT_EQ(handshake->CurrentPhase(), CUcmProxyHandshake::kPhaseMethodReply);
    handshake->Feed(Hex("05 02").data(), 2, output);
    EXPECT_EQ(handshake->CurrentPhase(), CUcmProxyHandshake::kPhaseAuthReply);
    handshake->Feed(Hex("01 00").data(), 2, output);
    EXPECT_EQ(handshake->CurrentPhase(), CUcmProxyHandshake::kPhaseConnectReply);

    auto connect = CUcmProxyHandshake::Create(Settings(CZrServerAddress::kHttpConnect), ByAddress());
    connect->Start(output);
    EXPECT_EQ(connect->CurrentPhase(), CUcmProxyHandshake::kPhaseHttpConnectReply);
    auto post = CUcmProxyHandshake::Create(Settings(CZrServerAddress::kHttpPost), ByAddress());
    post->Start(output);
    EXPECT_EQ(post->CurrentPhase(), CUcmProxyHandshake::kPhasePostReply);
}

TEST(ProxyHandshake, DirectAndUnknownKindsHaveNone)
{
    EXPECT_FALSE(CUcmProxyHandshake::Create(Settings(CZrServerAddress::kDirect), ByAddress()));
    EXPECT_FALSE(CUcmProxyHandshake::Create(Settings(5), ByAddress()));
}

TEST(ProxyHandshake, PortWrittenAsItsNumber)
{
    CTvlByteQueue output;
    UcmProxyTarget target = ByAddress();
    target.port = TvlPortToNet(65535);
    CUcmProxyHandshake::Create(Settings(CZrServerAddress::kHttpConnect), target)->Start(output);
    EXPECT_EQ(Drain(output), Text("CONNECT zr.example:65535 HTTP/1.0\r\n\r\n"));
    CUcmProxyHandshake::Create(Settings(CZrServerAddress::kSocks4), target)->Start(output);
    EXPECT_EQ(Drain(output), Hex("04 01 FF FF 7F 00 00 01 00"));
}

TEST(ProxyHandshake, PostReplyGivesTheTunnelId)
{
    CTvlByteQueue output;
    CUcmPostHandshake post(ByAddress());
    post.Start(output);
    const ProxyBytes reply = kPostGranted + kSessionBytes;
    const UcmProxyProgress progress = post.Feed(reply.data(), static_cast<uint32_t>(reply.size()), output);
    EXPECT_EQ(progress.status, kDone);
    EXPECT_EQ(progress.consumed, kPostGranted.size());
    EXPECT_EQ(post.TunnelId(), 0x5A000001u);
    EXPECT_TRUE(post.IsPrimary());
}

// An HTTP reply header must end within the 8192-byte receive buffer.
struct HeaderLimitCase {
    int32_t kind;
    uint32_t headerLength; // empty line included
    bool endsInHeader;
    EUcmProxyStatus outcome;
};

ProxyBytes HeaderOf(uint32_t length, bool withEmptyLine)
{
    const ProxyBytes start = Text("HTTP/1.0 200 OK\r\nContent-Length: 4\r\nX-Fill: ");
    const ProxyBytes end = Text(withEmptyLine ? "\r\n\r\n" : "\r\nX: a");
    return start + Repeat(length - start.size() - end.size(), 'f') + end;
}

class ProxyHeaderLimit : public testing::TestWithParam<HeaderLimitCase> {};

TEST_P(ProxyHeaderLimit, WholeAndByteByByte)
{
    const HeaderLimitCase& c = GetParam();
    ProxyBytes reply = HeaderOf(c.headerLength, c.endsInHeader);
    if (c.kind == CZrServerAddress::kHttpPost)
        reply = reply + Hex("00 00 00 09");
    for (bool byteByByte : {false, true}) {
        CTvlByteQueue output;
        auto handshake = CUcmProxyHandshake::Create(Settings(c.kind), ByAddress());
        handshake->Start(output);
        UcmProxyProgress progress{};
        if (byteByByte) {
            for (size_t i = 0; i < reply.size() && progress.status == kNeedMore; ++i)
                progress = handshake->Feed(&reply[i], 1, output);
        } else {
            progress = handshake->Feed(reply.data(), static_cast<uint32_t>(reply.size()), output);
        }
        EXPECT_EQ(progress.status, c.outcome) << (byteByByte ? "byte by byte" : "whole");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Proxy, ProxyHeaderLimit,
    testing::Values(HeaderLimitCase{CZrServerAddress::kHttpConnect, 8192, true, kDone},
                    HeaderLimitCase{CZrServerAddress::kHttpConnect, 8193, true, kRefused},
                    HeaderLimitCase{CZrServerAddress::kHttpConnect, 8192, false, kRefused},
                    HeaderLimitCase{CZrServerAddress::kHttpPost, 8192, true, kDone},
                    HeaderLimitCase{CZrServerAddress::kHttpPost, 8193, true, kRefused}));

TEST(ProxyHandshake, StatusLineChecks)
{
    struct Line {
        const char* text;
        bool allowHttp11;
        bool granted;
    };
    const Line lines[] = {
        {"HTTP/1.0 200 OK\r\n", false, true},   {"HTTP/1.0   200 OK\r\n", false, true},
        {"HTTP/1.1 200 OK\r\n", true, true},    {"HTTP/1.1 200 OK\r\n", false, false},
        {"HTTP/1.0 201 OK\r\n", true, false},   {"HTTP/1.0200 OK\r\n", true, false},
        {"HTTP/1.0 20\r\n", true, false},       {"HTTP/1.0 200", true, false},
        {"HTTP/1.0 -200 x\r\n", true, false},   {" HTTP/1.0 200 OK\r\n", true, false},
    };
    for (const Line& line : lines) {
        const ProxyBytes bytes = Text(line.text);
        EXPECT_EQ(CUcmHttpHandshake::IsGranted(bytes.data(), static_cast<uint32_t>(bytes.size()),
                                                    line.allowHttp11),
                  line.granted)
            << line.text;
    }
}

TEST(ProxyHandshake, ContentLengthChecks)
{
    struct Header {
        const char* text;
        bool atLeast4;
    };
    const Header headers[] = {
        {"HTTP/1.0 200 OK\r\nContent-Length: 4\r\n\r\n", true},
        {"HTTP/1.0 200 OK\r\ncontent-length:  99999999999999999999\r\n\r\n", true},
        {"HTTP/1.0 200 OK\r\nContent-Length: 3\r\n\r\n", false},
        {"HTTP/1.0 200 OK\r\nContent-Length: -5\r\n\r\n", false},
        {"HTTP/1.0 200 OK\r\nContent-Length:4\r\n\r\n", false},
        {"HTTP/1.0 200 OK\r\nX-Content-Length: 9\r\n\r\n", false},
    };
    for (const Header& header : headers) {
        const ProxyBytes bytes = Text(header.text);
        EXPECT_EQ(CUcmHttpHandshake::HasContentLength(bytes.data(), static_cast<uint32_t>(bytes.size()), 4),
                  header.atLeast4)
            << header.text;
    }
}

} // namespace
