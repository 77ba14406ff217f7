// proxy_probe: reaches a community server through a proxy with the
// library's proxy handshakes, over blocking sockets, and prints what it
// gets. Test plumbing for the Python integration tests, native only.
//
//   proxy_probe --kind socks4|socks5|connect|post --proxy ADDRESS:PORT
//               --target NAME:PORT [--address ADDRESS] [--user U]
//               [--password P] [--auth] [--send HEX]
//
// Without --address the target goes by name (the proxy resolves it). Prints
// "CONNECTED", then "FIRST <hex>" with the server's first frame; with --send
// it sends that payload as a frame (through a secondary POST for the
// tunnel) and prints "FRAME <hex>" with the next frame. A refusal prints
// "REFUSED <code>" and ends with 2; other failures print "ERROR <text>"
// and end with 1.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "TvlByteQueue.h"
#include "TvlIpAddress.h"
#include "UcmPostHandshake.h"
#include "UcmPostLinkStarter.h"
#include "UcmPostTunnel.h"
#include "UcmProxyHandshake.h"
#include "ZrServerAddress.h"

namespace {

using Bytes = std::vector<uint8_t>;

constexpr int kExitError = 1;
constexpr int kExitRefused = 2;
constexpr uint8_t kKeepAlive = 0x80;
constexpr size_t kReadSize = CUcmProxyHandshake::kReceiveBufferSize;

[[noreturn]] void Fail(const std::string& text)
{
    std::printf("ERROR %s\n", text.c_str());
    std::exit(kExitError);
}

[[noreturn]] void Refused(int32_t code)
{
    std::printf("REFUSED %d\n", static_cast<int>(code));
    std::exit(kExitRefused);
}

std::string HexOf(const Bytes& bytes)
{
    std::string text;
    char pair[3];
    for (uint8_t byte : bytes) {
        std::snprintf(pair, sizeof pair, "%02x", byte);
        text += pair;
    }
    return text;
}

Bytes FromHex(const std::string& hex)
{
    Bytes bytes;
    for (size_t i = 0; i + 1 < hex.size(); i += 2)
        bytes.push_back(static_cast<uint8_t>(std::strtoul(hex.substr(i, 2).c_str(), nullptr, 16)));
    return bytes;
}

uint32_t AddressOf(const std::string& dotted)
{
    in_addr address{};
    if (inet_pton(AF_INET, dotted.c_str(), &address) != 1)
        Fail("not a dotted address: " + dotted);
    return address.s_addr;
}

// "name:port" split at its last colon.
std::pair<std::string, uint16_t> HostAndPort(const std::string& text)
{
    const size_t colon = text.rfind(':');
    if (colon == std::string::npos)
        Fail("no port in " + text);
    return {text.substr(0, colon), static_cast<uint16_t>(std::atoi(text.c_str() + colon + 1))};
}

struct Options {
    CZrServerAddress settings;
    UcmProxyTarget target;
    Bytes send;
    bool hasSend = false;
};

int32_t KindOf(const std::string& name)
{
    const std::map<std::string, int32_t> kinds = {{"socks4", CZrServerAddress::kSocks4},
                                                  {"socks5", CZrServerAddress::kSocks5},
                                                  {"connect", CZrServerAddress::kHttpConnect},
                                                  {"post", CZrServerAddress::kHttpPost}};
    const auto found = kinds.find(name);
    if (found == kinds.end())
        Fail("unknown kind " + name);
    return found->second;
}

Options Parse(int argc, char** argv)
{
    Options options;
    options.target.address = CTvlIpAddress::kUnknown;
    for (int i = 1; i < argc; ++i) {
        const std::string name = argv[i];
        if (name == "--auth") {
            options.settings.authenticate = 1;
            continue;
        }
        if (i + 1 == argc)
            Fail("no value for " + name);
        const std::string value = argv[++i];
        if (name == "--kind") {
            options.settings.kind = KindOf(value);
        } else if (name == "--proxy") {
            const auto [host, port] = HostAndPort(value);
            options.settings.proxyHost = host;
            options.settings.proxyAddress = AddressOf(host);
            options.settings.proxyPort = TvlPortToNet(port);
        } else if (name == "--target") {
            const auto [host, port] = HostAndPort(value);
            options.target.peerName = host;
            options.settings.targetPort = TvlPortToNet(port);
        } else if (name == "--address") {
            options.target.address = AddressOf(value);
        } else if (name == "--user") {
            options.settings.user = value;
        } else if (name == "--password") {
            options.settings.password = value;
        } else if (name == "--send") {
            options.send = FromHex(value);
            options.hasSend = true;
        } else {
            Fail("unknown option " + name);
        }
    }
    options.settings.option = CZrServerAddress::kClientThenProxy;
    options.target.port = options.settings.TargetPortOr(0);
    return options;
}

class CSocket {
public:
    explicit CSocket(const CZrServerAddress& settings) : m_fd(socket(AF_INET, SOCK_STREAM, 0))
    {
        if (m_fd < 0)
            Fail("socket");
        timeval timeout{10, 0};
        setsockopt(m_fd, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
        sockaddr_in peer{};
        peer.sin_family = AF_INET;
        peer.sin_addr.s_addr = settings.proxyAddress;
        peer.sin_port = settings.proxyPort;
        if (connect(m_fd, reinterpret_cast<sockaddr*>(&peer), sizeof peer) != 0)
            Fail("connect to the proxy");
    }
    CSocket(const CSocket&) = delete;
    CSocket& operator=(const CSocket&) = delete;
    ~CSocket() { close(m_fd); }

    void SendAll(CTvlByteQueue& queue)
    {
        uint32_t length = 0;
        while (const uint8_t* front = queue.Front(length)) {
            const ssize_t sent = send(m_fd, front, length, MSG_NOSIGNAL);
            if (sent <= 0)
                Fail("send");
            queue.Discard(static_cast<uint32_t>(sent));
        }
    }

    // Some received bytes; fails on a closed connection or a time-out.
    Bytes Receive()
    {
        uint8_t buffer[kReadSize];
        const ssize_t n = recv(m_fd, buffer, sizeof buffer, 0);
        if (n <= 0)
            Fail(n == 0 ? "closed by the peer" : "receive");
        return Bytes(buffer, buffer + n);
    }

private:
    int m_fd;
};

// Runs a handshake on the socket; answers the bytes after the last reply.
Bytes Handshake(CSocket& socket, CUcmProxyHandshake& handshake)
{
    CTvlByteQueue output;
    const int32_t code = handshake.Start(output);
    if (code != 0)
        Refused(code);
    socket.SendAll(output);
    for (;;) {
        const Bytes received = socket.Receive();
        const UcmProxyProgress progress = handshake.Feed(received.data(), static_cast<uint32_t>(received.size()), output);
        socket.SendAll(output);
        if (progress.status == EUcmProxyStatus::kRefused)
            Refused(progress.code);
        if (progress.status == EUcmProxyStatus::kDone)
            return Bytes(received.begin() + progress.consumed, received.end());
    }
}

// Cuts frames (optional sequence byte, 32-bit big-endian length, payload)
// from the session's bytes, skipping keep-alive bytes.
class CFrameReader {
public:
    CFrameReader(CSocket& socket, Bytes start) : m_socket(socket), m_bytes(std::move(start)) {}

    Bytes Next()
    {
        for (;;) {
            while (!m_bytes.empty() && m_bytes[0] == kKeepAlive)
                m_bytes.erase(m_bytes.begin());
            const size_t head = (!m_bytes.empty() && m_bytes[0] > kKeepAlive) ? 5 : 4;
            if (m_bytes.size() >= head) {
                const uint8_t* length = &m_bytes[head - 4];
                const size_t size = size_t{length[0]} << 24 | size_t{length[1]} << 16 | size_t{length[2]} << 8 | length[3];
                if (m_bytes.size() >= head + size) {
                    Bytes payload(m_bytes.begin() + head, m_bytes.begin() + head + size);
                    m_bytes.erase(m_bytes.begin(), m_bytes.begin() + head + size);
                    return payload;
                }
            }
            const Bytes more = m_socket.Receive();
            m_bytes.insert(m_bytes.end(), more.begin(), more.end());
        }
    }

private:
    CSocket& m_socket;
    Bytes m_bytes;
};

// Secondary POST connections, run one after the other when asked for.
class CBlockingLinkStarter : public IUcmPostLinkStarter {
public:
    explicit CBlockingLinkStarter(const CZrServerAddress& settings) : m_settings(settings) {}

    int32_t StartPostLink(CUcmPostTunnel&) override
    {
        m_requested = true;
        return 0;
    }

    void RunRequested(CUcmPostTunnel& tunnel)
    {
        while (m_requested) {
            m_requested = false;
            CSocket socket(m_settings);
            const std::unique_ptr<CUcmPostHandshake> link = tunnel.MakeLinkHandshake();
            Handshake(socket, *link);
            const int32_t code = tunnel.OnLinkReply(link->TunnelId());
            if (code != 0)
                Fail("next secondary not started");
        }
    }

private:
    const CZrServerAddress& m_settings;
    bool m_requested = false;
};

Bytes Frame(const Bytes& payload)
{
    const auto n = static_cast<uint32_t>(payload.size());
    Bytes frame = {static_cast<uint8_t>(n >> 24), static_cast<uint8_t>(n >> 16), static_cast<uint8_t>(n >> 8),
                   static_cast<uint8_t>(n)};
    frame.insert(frame.end(), payload.begin(), payload.end());
    return frame;
}

int RunPostTunnel(const Options& options)
{
    CSocket primary(options.settings);
    CUcmPostHandshake handshake(options.target);
    CFrameReader frames(primary, Handshake(primary, handshake));
    std::printf("CONNECTED\n");
    CTvlByteQueue output;
    CBlockingLinkStarter starter(options.settings);
    CUcmPostTunnel tunnel(starter, output, options.target);
    tunnel.OnPrimaryReply(handshake.TunnelId());
    std::printf("FIRST %s\n", HexOf(frames.Next()).c_str());
    std::fflush(stdout);
    if (options.hasSend) {
        const Bytes frame = Frame(options.send);
        output.Write(frame.data(), static_cast<uint32_t>(frame.size()));
        if (tunnel.Flush() != 0)
            Fail("secondary not started");
        starter.RunRequested(tunnel);
        std::printf("FRAME %s\n", HexOf(frames.Next()).c_str());
    }
    return 0;
}

int RunDirectKind(const Options& options)
{
    CSocket socket(options.settings);
    const std::unique_ptr<CUcmProxyHandshake> handshake = CUcmProxyHandshake::Create(options.settings, options.target);
    CFrameReader frames(socket, Handshake(socket, *handshake));
    std::printf("CONNECTED\n");
    std::printf("FIRST %s\n", HexOf(frames.Next()).c_str());
    std::fflush(stdout);
    if (options.hasSend) {
        CTvlByteQueue output;
        const Bytes frame = Frame(options.send);
        output.Write(frame.data(), static_cast<uint32_t>(frame.size()));
        socket.SendAll(output);
        std::printf("FRAME %s\n", HexOf(frames.Next()).c_str());
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    const Options options = Parse(argc, argv);
    if (options.settings.kind == CZrServerAddress::kDirect)
        Fail("--kind is needed");
    if (!options.settings.CanReach(options.target.address))
        Fail("this kind cannot reach the target without its address");
    if (options.settings.kind == CZrServerAddress::kHttpPost)
        return RunPostTunnel(options);
    return RunDirectKind(options);
}
