#include "ConnProbe.h"

#include <cinttypes>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "ZrChannel.h"
#include "ZrMessage.h"
#include "ZrMessageReader.h"
#include "ZrSession.h"

namespace {

// A counted message type that carries one text and that the server only
// logs.
constexpr uint16_t kSayType = 35;

std::string HexOf(const uint8_t* bytes, uint32_t length)
{
    static const char kDigits[] = "0123456789abcdef";
    std::string text;
    for (uint32_t i = 0; i < length; ++i) {
        text += kDigits[bytes[i] >> 4];
        text += kDigits[bytes[i] & 15];
    }
    return text;
}

int32_t KindOf(const std::string& name)
{
    if (name == "socks4")
        return CZrServerAddress::kSocks4;
    if (name == "socks5")
        return CZrServerAddress::kSocks5;
    if (name == "connect")
        return CZrServerAddress::kHttpConnect;
    if (name == "post")
        return CZrServerAddress::kHttpPost;
    return CZrServerAddress::kDirect;
}

} // namespace

CConnProbe::CConnProbe(CUcmManager& manager) : m_connection(std::make_unique<Connection>(manager, static_cast<IZrSessionHandler*>(this)))
{
}

CConnProbe::~CConnProbe() = default;

void CConnProbe::Print(const char* format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    const int length = std::vsnprintf(nullptr, 0, format, arguments);
    va_end(arguments);
    std::string line(static_cast<size_t>(length > 0 ? length : 0) + 1, '\0');
    va_start(arguments, format);
    std::vsnprintf(&line[0], line.size(), format, arguments);
    va_end(arguments);
    line.back() = '\n';
    // One write a line: the box watcher of the Windows probe prints too.
    std::fputs(line.c_str(), stdout);
    std::fflush(stdout);
}

bool CConnProbe::Execute(const std::string& line)
{
    std::istringstream words(line);
    std::string command;
    words >> command;
    if (command == "connect") {
        std::string host;
        words >> host;
        if (m_connection->Connect(host, m_settings) != 0)
            Print("ERROR connect");
    } else if (command == "proxy") {
        std::string rest;
        std::getline(words, rest);
        SetProxy(rest);
    } else if (command == "say") {
        uint32_t count = 1;
        uint32_t size = 0;
        words >> count >> size;
        Say(count, size);
    } else if (command == "disconnect") {
        m_connection->Disconnect();
        Print("DISCONNECTED local");
    } else if (command == "quit") {
        m_running = false;
    } else if (!command.empty()) {
        Print("ERROR unknown command %s", command.c_str());
    }
    return m_running;
}

void CConnProbe::SetProxy(const std::string& arguments)
{
    std::istringstream words(arguments);
    std::string kind;
    uint32_t port = 0;
    CZrServerAddress settings;
    words >> kind >> settings.proxyHost >> port;
    settings.kind = KindOf(kind);
    settings.proxyPort = TvlPortToNet(static_cast<uint16_t>(port));
    std::string key;
    while (words >> key) {
        if (key == "auth") {
            settings.authenticate = 1;
            words >> settings.user >> settings.password;
        } else if (key == "user") {
            words >> settings.user;
        } else if (key == "option") {
            words >> settings.option;
        } else if (key == "target") {
            words >> port;
            settings.targetPort = TvlPortToNet(static_cast<uint16_t>(port));
        }
    }
    m_settings = settings;
}

void CConnProbe::Say(uint32_t count, uint32_t size)
{
    CZrSession* session = m_connection->Session();
    if (session == nullptr) {
        Print("ERROR no session");
        return;
    }
    for (uint32_t i = 0; i < count; ++i) {
        std::string text = "m" + std::to_string(++m_said) + ":";
        if (text.size() < size)
            text.append(size - text.size(), 'x');
        CZrMessage message;
        message.SetHeader(kSayType);
        message.PutText(text);
        session->DefaultChannel().Send(message);
    }
    Print("SENT %" PRIu32, m_said);
}

void CConnProbe::Connection::OnSessionReady()
{
    Print("READY");
}

void CConnProbe::Connection::OnDisconnected(int32_t reason)
{
    Print("DISCONNECTED %d", static_cast<int>(reason));
}

void CConnProbe::OnSessionOpened(CZrSession&) {}

void CConnProbe::OnSessionClosed(CZrSession&, int32_t reason)
{
    Print("SESSION_CLOSED %d", static_cast<int>(reason));
}

int32_t CConnProbe::OnHello(CZrChannel&, CZrMessageReader& reader)
{
    uint32_t received = 0;
    const int32_t answer = m_connection->CheckHello(reader, received);
    if (answer == 0) {
        CZrSession* session = m_connection->Session();
        Print("HELLO %zu %d %" PRIu32, m_connection->References().size(),
              static_cast<int>(m_connection->Items().Count()), session != nullptr ? session->Window().WindowId() : 0);
    }
    return answer;
}

int32_t CConnProbe::OnResumedHello(CZrChannel&, CZrMessageReader& reader, uint32_t& received)
{
    const int32_t answer = m_connection->CheckHello(reader, received);
    if (answer == 0)
        Print("RESUMED %" PRIu32, received);
    return answer;
}

ZrProtocolError CConnProbe::OnChannelMessage(CZrChannel&, CZrMessageReader& reader)
{
    Print("MESSAGE %" PRIu32 " %s", reader.Type(), HexOf(reader.Cursor(), reader.Remaining()).c_str());
    return {};
}

ZrProtocolError CConnProbe::OnRefusedMessage(CZrChannel&, CZrMessageReader&)
{
    return {};
}

void CConnProbe::OnChannelOpened(CZrChannel&, CZrChannel&) {}

void CConnProbe::OnChannelOffer(CZrChannel&, uint32_t, uint32_t, const std::string&, CZrMessageReader&) {}
