// comm-driver (native): the communication library over the poll() port.
// Line commands on stdin (see DriverShell.h), one JSON event a line on
// stdout. Log lines of the library print as {"event": "log"} lines.
//
//   comm-driver [--ini FILE]
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <string>

#include "DriverConnection.h"
#include "DriverPerson.h"
#include "DriverPlace.h"
#include "DriverProtocol.h"
#include "DriverShell.h"
#include "TvlIniSwitchSource.h"
#include "TvlLog.h"
#include "TvlLogSink.h"
#include "UcmManager.h"
#include "UcmPollPort.h"
#include "ZrPerson.h"

namespace {

void PrintLine(const std::string& line)
{
    std::fputs(line.c_str(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

class DriverLogSink : public ITvlLogSink {
public:
    void Log(const char* title, const char*, const char* text) override
    {
        PrintLine(CDriverJson("log").Add("title", title).Add("text", text).Text());
    }
    void Trace(const char* line) override { std::fputs(line, stderr); }
};

class Connector : public IDriverConnector {
public:
    explicit Connector(CDriverConnection& connection) : m_connection(connection) {}
    int32_t Connect(const std::string& host, uint16_t port) override
    {
        return m_connection.Connect(host, CZrServerAddress(port));
    }
    IZrPlaceConnection& Connection() override { return m_connection; }

private:
    CDriverConnection& m_connection;
};

// Splits stdin into lines as it arrives; the end of input quits.
class LineReader {
public:
    template <typename Handle> void Read(Handle handle)
    {
        char chunk[4096];
        const ssize_t got = read(0, chunk, sizeof chunk);
        if (got <= 0) {
            handle(std::string("quit"));
            return;
        }
        m_pending.append(chunk, static_cast<size_t>(got));
        size_t end;
        while ((end = m_pending.find('\n')) != std::string::npos) {
            const std::string line = m_pending.substr(0, end);
            m_pending.erase(0, end + 1);
            handle(line);
        }
    }

private:
    std::string m_pending;
};

} // namespace

int main(int argc, char** argv)
{
    std::unique_ptr<CTvlIniSwitchSource> switches;
    if (argc == 3 && std::string(argv[1]) == "--ini") {
        switches = std::make_unique<CTvlIniSwitchSource>(argv[2]);
        TvlSetSwitchSource(switches.get());
    }
    DriverLogSink sink;
    TvlSetLogSink(&sink);
    {
        CUcmPollPort port;
        CUcmManager manager(port);
        CUcmManager::Install(&manager);
        port.Attach(manager);
        CDriverConnection* current = nullptr;
        CDriverProtocol protocol(CZrProtocol::kDefaultRegistrationLimit, current);
        CDriverConnection connection(manager, protocol, PrintLine);
        current = &connection;
        CDriverPerson myself(PrintLine);
        {
            CDriverPlace place(&myself, PrintLine);
            Connector connector(connection);
            CDriverShell shell(place, connector, PrintLine);
            connection.SetShell(&shell);
            bool running = true;
            LineReader reader;
            port.WatchInput(0, [&] {
                reader.Read([&](const std::string& line) { running = running && shell.Execute(line); });
            });
            while (running)
                port.RunOnce(std::chrono::milliseconds(200));
            connection.SetShell(nullptr);
        }
        connection.Disconnect();
        current = nullptr;
        CUcmManager::Install(nullptr);
    }
    TvlSetLogSink(nullptr);
    TvlSetSwitchSource(nullptr);
    return 0;
}
