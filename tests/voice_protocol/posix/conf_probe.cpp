// Test plumbing: drives the conference protocol core over a blocking POSIX
// socket so that the Python tests can run it against the voice test server.
//
//   conf_probe HOST PORT [ACCOUNT ACCOUNTKEY]
//
// Commands on standard input, one a line (fields separated by blanks, the
// last field of "name", "message", "broadcast" and "leave" takes the rest;
// "join" takes TAB-separated fields):
//   connect | join CONF CLONE ICON NAME | name TEXT | icon N |
//   message USER TEXT | broadcast TEXT | invite USER | reply USER 0|1 |
//   leave TEXT | quit
// Every owner event is written to standard output as "EVENT <what> ...",
// with line breaks in texts shown as "\n"; "OK <command>" or "FAILED
// <command>" answers each command.
#include "CConfDefaultEnvironment.h"
#include "CConferenceProtocol.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <sstream>
#include <string>

namespace {

std::string Shown(const std::string& text)
{
    std::string shown;
    for (char c : text)
        shown += c == '\n' ? std::string("\\n") : std::string(1, c);
    return shown;
}

void Print(const std::string& line)
{
    std::cout << line << std::endl;
}

class PrintingOwner : public IConferenceOwner
{
public:
    void Accepted() override { Print("EVENT Accepted"); }
    void Connected() override { Print("EVENT Connected"); }
    void Disconnected(int32_t reason, const std::string& text) override
    {
        Print("EVENT Disconnected " + std::to_string(reason) + " " + Shown(text));
    }
    void RosterAdded(const ConfUser& user) override { Print("EVENT RosterAdded " + Describe(user)); }
    void RosterRemoved(const ConfUser& user) override
    {
        Print("EVENT RosterRemoved " + Describe(user));
    }
    void IconChanged(const ConfUser& user) override { Print("EVENT IconChanged " + Describe(user)); }
    void NameChanged(const ConfUser& user) override { Print("EVENT NameChanged " + Describe(user)); }
    void ShowStatusText(const std::string& text) override { Print("EVENT StatusText " + text); }
    void ShowStatus(int32_t number) override { Print("EVENT Status " + std::to_string(number)); }
    void Breakout(int32_t user, int32_t kind, const std::string& conference) override
    {
        Print("EVENT Breakout " + std::to_string(user) + " " + std::to_string(kind) + " " +
              conference);
    }
    void MessageReceived(int32_t user, const std::string& name, const std::string& text) override
    {
        Print("EVENT Message " + std::to_string(user) + " " + name + " " + Shown(text));
    }
    void WarningReceived(int32_t user, const std::string& name, const std::string& text) override
    {
        Print("EVENT Warning " + std::to_string(user) + " " + name + " " + Shown(text));
    }
    void AppMessageReceived(int32_t user, const std::string& name,
                            const std::string& text) override
    {
        Print("EVENT AppMessage " + std::to_string(user) + " " + name + " " + Shown(text));
    }
    void AppBroadcastReceived(int32_t user, const std::string& name,
                              const std::string& text) override
    {
        Print("EVENT AppBroadcast " + std::to_string(user) + " " + name + " " + Shown(text));
    }
    void GagState(int32_t a, int32_t b, int32_t c, int32_t d) override
    {
        Print("EVENT GagState " + std::to_string(a) + " " + std::to_string(b) + " " +
              std::to_string(c) + " " + std::to_string(d));
    }
    void ErrorId(int32_t code, int32_t number, int32_t) override
    {
        Print("EVENT ErrorId " + std::to_string(code) + " " + std::to_string(number));
    }
    void ErrorText(int32_t code, const std::string& text, int32_t) override
    {
        Print("EVENT ErrorText " + std::to_string(code) + " " + Shown(text));
    }
    void ConferenceNameChanged(const std::string& name) override { Print("EVENT ConfName " + name); }
    void ConferenceCloneChanged(int32_t clone) override
    {
        Print("EVENT ConfClone " + std::to_string(clone));
    }
    int32_t IsSoundEnabled() override { return 0; }
    void ConnectFailed() override { Print("EVENT ConnectFailed"); }

private:
    static std::string Describe(const ConfUser& user)
    {
        return std::to_string(user.User()) + " " + std::to_string(user.Icon()) + " " + user.Name();
    }
};

// No audio here: every offer is refused as an unknown codec.
class SilentMedia : public IConfMedia
{
public:
    void AddSource(int32_t) override {}
    void RemoveSource(int32_t) override {}
    void ConnectStreamMedia(const std::string&, int32_t, const std::string&) override {}
    ConfMediaResult OpenMedia(const ConfChannelOffer&, int32_t, bool) override
    {
        return {ConfMediaResult::Outcome::CodecRefused, 0, "", ""};
    }
    int32_t TakeTestCount() override { return 0; }
    void MediaTested(bool) override {}
    bool StopMedia(int32_t, bool, std::string&) override { return true; }
};

class SocketChannel : public IConfChannel
{
public:
    static constexpr size_t kLineBuffer = 8192;

    CConferenceProtocol* session = nullptr;

    ~SocketChannel() override { Close(); }

    int Socket() const { return m_socket; }

    bool Open(const std::string& server, int32_t port)
    {
        Close();
        addrinfo hints{};
        hints.ai_family = AF_INET;
        hints.ai_socktype = SOCK_STREAM;
        addrinfo* found = nullptr;
        if (getaddrinfo(server.c_str(), std::to_string(port).c_str(), &hints, &found) != 0)
            return false;
        m_socket = socket(found->ai_family, found->ai_socktype, found->ai_protocol);
        const bool connected =
            m_socket >= 0 && connect(m_socket, found->ai_addr, found->ai_addrlen) == 0;
        freeaddrinfo(found);
        if (!connected)
            Close();
        return connected;
    }

    bool SendText(const std::string& text, int32_t& errorCode) override
    {
        size_t sent = 0;
        while (sent < text.size()) {
            const ssize_t n = m_socket < 0 ? -1
                                           : send(m_socket, text.data() + sent,
                                                  text.size() - sent, MSG_NOSIGNAL);
            if (n <= 0) {
                errorCode = m_socket < 0 ? EBADF : errno;
                return false;
            }
            sent += static_cast<size_t>(n);
        }
        return true;
    }

    void Close() override
    {
        if (m_socket >= 0)
            close(m_socket);
        m_socket = -1;
        m_buffer.clear();
    }

    void StopAttempts() override {}

    bool ConnectDirect(const std::string& server, int32_t port, std::string& errorText) override
    {
        if (!Open(server, port)) {
            errorText = "Unable to connect to server.";
            return false;
        }
        session->OnConnected(server, port);
        return true;
    }

    // Reads what arrived and hands every complete line to the session;
    // false when the server closed the connection.
    bool Receive()
    {
        char chunk[4096];
        const ssize_t n = recv(m_socket, chunk, sizeof chunk, 0);
        if (n <= 0)
            return false;
        m_buffer.append(chunk, static_cast<size_t>(n));
        size_t lineFeed;
        while (m_socket >= 0 && (lineFeed = m_buffer.find('\n')) != std::string::npos) {
            const std::string line = m_buffer.substr(0, lineFeed);
            m_buffer.erase(0, lineFeed + 1);
            if (!line.empty())
                session->OnLine(line.data(), line.size());
        }
        if (m_buffer.size() >= kLineBuffer) {
            const std::string line = m_buffer;
            m_buffer.clear();
            session->OnLine(line.data(), line.size());
        }
        return true;
    }

private:
    int m_socket = -1;
    std::string m_buffer;
};

ConfJoinRecord JoinRecord(const std::string& conference, int32_t clone, int32_t icon,
                          const std::string& name, const std::string& token)
{
    ConfJoinRecord join;
    join.conference = conference;
    join.clone = clone;
    join.userName = name;
    join.account = "0";
    join.pageHost = "127.0.0.1";
    join.engineVersion = "1.0.0.0";
    join.soundDevice = "none:0,0";
    join.driverVersion = "0.0";
    join.operatingSystem = "NT 6.1:7601";
    join.containerApp = "conf_probe";
    join.containerVersion = "1.0";
    join.pageUrl = "http://127.0.0.1/";
    join.icon = icon;
    join.dispatchToken = token;
    return join;
}

std::string Rest(std::istringstream& in)
{
    std::string rest;
    std::getline(in, rest);
    if (!rest.empty() && rest.front() == ' ')
        rest.erase(0, 1);
    return rest;
}

class Probe
{
public:
    Probe(std::string host, int32_t port)
        : m_host(std::move(host)), m_port(port), m_session(m_owner, m_channel, m_media, m_environment)
    {
        m_channel.session = &m_session;
    }

    CConferenceProtocol& Session() { return m_session; }

    int Run()
    {
        for (;;) {
            pollfd fds[2] = {{0, POLLIN, 0}, {m_channel.Socket(), POLLIN, 0}};
            const nfds_t count = m_channel.Socket() >= 0 ? 2 : 1;
            if (poll(fds, count, -1) < 0)
                return 1;
            if (count == 2 && (fds[1].revents & (POLLIN | POLLHUP | POLLERR)) &&
                !m_channel.Receive()) {
                Print("EVENT ServerClosed");
                m_channel.Close();
            }
            if ((fds[0].revents & (POLLIN | POLLHUP)) && !ReadCommands())
                return 0;
        }
    }

private:
    // Carries out every complete command line; false at "quit" or the end
    // of the input.
    bool ReadCommands()
    {
        char chunk[1024];
        const ssize_t n = read(0, chunk, sizeof chunk);
        if (n <= 0)
            return false;
        m_input.append(chunk, static_cast<size_t>(n));
        size_t lineFeed;
        while ((lineFeed = m_input.find('\n')) != std::string::npos) {
            const std::string command = m_input.substr(0, lineFeed);
            m_input.erase(0, lineFeed + 1);
            if (command == "quit")
                return false;
            const bool done = Execute(command);
            Print(std::string(done ? "OK " : "FAILED ") +
                  command.substr(0, command.find_first_of(" \t")));
        }
        return true;
    }

    bool Execute(const std::string& command)
    {
        if (command.compare(0, 5, "join\t") == 0)
            return Join(command.substr(5));
        std::istringstream in(command);
        std::string word;
        in >> word;
        if (word == "connect") {
            std::string error;
            return m_channel.ConnectDirect(m_host, m_port, error);
        }
        if (word == "name")
            return m_session.SetName(Rest(in));
        int32_t number = 0;
        in >> number;
        if (word == "icon")
            return m_session.SetIcon(number);
        if (word == "message")
            return m_session.SendMessage(number, Rest(in));
        if (word == "invite")
            return m_session.SendBreakoutInvite(number);
        if (word == "reply") {
            int32_t accept = 0;
            in >> accept;
            return m_session.ReplyBreakout(number, accept != 0);
        }
        if (word == "broadcast") {
            std::istringstream again(command.substr(word.size()));
            return m_session.SendAppBroadcast(Rest(again));
        }
        if (word == "leave") {
            std::istringstream again(command.substr(word.size()));
            const bool connected = m_session.IsConnected();
            m_session.Leave(Rest(again), 0);
            return connected;
        }
        return false;
    }

    bool Join(const std::string& fields)
    {
        std::istringstream in(fields);
        std::string conference, clone, icon, name;
        std::getline(in, conference, '\t');
        std::getline(in, clone, '\t');
        std::getline(in, icon, '\t');
        std::getline(in, name);
        return m_session.SendJoin(JoinRecord(conference, std::atoi(clone.c_str()),
                                             std::atoi(icon.c_str()), name,
                                             m_session.DispatchToken()));
    }

    std::string m_host;
    int32_t m_port;
    PrintingOwner m_owner;
    SocketChannel m_channel;
    SilentMedia m_media;
    CConfDefaultEnvironment m_environment;
    CConferenceProtocol m_session;
    std::string m_input;
};

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3 && argc != 5) {
        std::fprintf(stderr, "usage: conf_probe HOST PORT [ACCOUNT ACCOUNTKEY]\n");
        return 2;
    }
    Probe probe(argv[1], std::atoi(argv[2]));
    if (argc == 5)
        probe.Session().SetCredentials(argv[3], argv[4]);
    return probe.Run();
}
