// comm-driver (native): the communication library over the poll() port.
// Line commands on stdin (see DriverShell.h), one JSON event a line on
// stdout; the library's log lines print as "log" events.
//
//   comm-driver [--ini FILE]
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <string>

#include "DriverConnection.h"
#include "DriverLogSink.h"
#include "DriverPerson.h"
#include "DriverPlace.h"
#include "DriverProtocol.h"
#include "DriverShell.h"
#include "TvlIniSwitchSource.h"
#include "TvlLog.h"
#include "UcmManager.h"
#include "UcmPollPort.h"

namespace {

void PrintLine(const std::string& line)
{
    std::fputs(line.c_str(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

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
    CDriverLogSink sink(PrintLine);
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
            CDriverShell shell(place, connection, PrintLine);
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
        port.Settle(std::chrono::milliseconds(CUcmSocketDrain::kBoundTicks * CUcmSocketDrain::kTickMs));
        current = nullptr;
        CUcmManager::Install(nullptr);
    }
    TvlSetLogSink(nullptr);
    TvlSetSwitchSource(nullptr);
    return 0;
}
