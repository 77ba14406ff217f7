// conn_probe (native): the server connection over the poll() port, driven by
// commands on stdin (see ConnProbe.h). Test plumbing for the Python tests.
//
//   conn_probe [--ini FILE] [--keepalive-ms N] [--host NAME=A,B,...]
//
// --ini names the switch file (section "Debug", as TVLDEBUG.INI); --host
// makes look-ups of NAME answer the dotted addresses A, B, ... in order.
// Log lines print as "LOG <title>|<text>"; traces go to stderr.
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "ConnProbe.h"
#include "TvlIniSwitchSource.h"
#include "TvlLog.h"
#include "TvlLogSink.h"
#include "UcmAddress.h"
#include "UcmManager.h"
#include "UcmPollPort.h"

namespace {

class ProbeLogSink : public ITvlLogSink {
public:
    void Log(const char* title, const char*, const char* text) override { CConnProbe::Print("LOG %s|%s", title, text); }
    void Trace(const char* line) override { std::fputs(line, stderr); }
};

std::vector<uint32_t> ParseAddresses(const std::string& list)
{
    std::vector<uint32_t> addresses;
    size_t start = 0;
    while (start <= list.size()) {
        const size_t end = std::min(list.find(',', start), list.size());
        uint32_t address = 0;
        if (UcmParseAddress(list.substr(start, end - start).c_str(), address))
            addresses.push_back(address);
        start = end + 1;
    }
    return addresses;
}

// Splits stdin into lines as it arrives.
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
    std::chrono::milliseconds keepAlive = std::chrono::seconds(60);
    CUcmPollPort port;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        const std::string value = argv[i + 1];
        if (option == "--ini") {
            switches = std::make_unique<CTvlIniSwitchSource>(value);
            TvlSetSwitchSource(switches.get());
        } else if (option == "--keepalive-ms") {
            keepAlive = std::chrono::milliseconds(std::stoi(value));
        } else if (option == "--host") {
            const size_t equals = value.find('=');
            port.AddHost(value.substr(0, equals), ParseAddresses(value.substr(equals + 1)));
        }
    }
    ProbeLogSink sink;
    TvlSetLogSink(&sink);
    int exitCode = 0;
    {
        CUcmManager manager(port);
        CUcmManager::Install(&manager);
        port.Attach(manager, keepAlive);
        CConnProbe probe(manager);
        LineReader reader;
        port.WatchInput(0, [&] { reader.Read([&](const std::string& line) { probe.Execute(line); }); });
        while (probe.Running())
            port.RunOnce(std::chrono::milliseconds(200));
        CUcmManager::Install(nullptr);
    }
    TvlSetLogSink(nullptr);
    TvlSetSwitchSource(nullptr);
    return exitCode;
}
