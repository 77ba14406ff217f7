// conn_probe (Windows): the server connection over Windows Sockets and the
// hidden socket window, driven by commands on stdin (see ConnProbe.h). Test
// plumbing for the Python tests, run under Wine.
//
//   conn_probe.exe [--keepalive-ms N] [--host NAME=A,B,...] [--dismiss-boxes MS]
//
// Switches come from TVLDEBUG.INI in the Windows directory and log lines
// become warning boxes, as in the client. --dismiss-boxes starts a watcher
// that prints "BOX <caption>|<text>" for every box of this program, closes
// it after MS milliseconds and prints "BOX_CLOSED". --host makes look-ups of
// NAME answer the dotted addresses A, B, ... in order.
#include <winsock2.h>
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <map>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "ConnProbe.h"
#include "TvlLog.h"
#include "TvlMessageBoxSink.h"
#include "TvlProfileSwitchSource.h"
#include "UcmAddress.h"
#include "UcmManager.h"
#include "UcmSocketWindow.h"
#include "UcmWinsockPort.h"

namespace {

constexpr UINT kCommandMessage = WM_APP;
constexpr UINT kHostTableMessage = WM_APP + 1;
constexpr char kCommandClass[] = "ConnProbeCommands";
constexpr char kBoxCaptionStart[] = "Zanthe (";
// Handles of table look-ups stay clear of the system's.
constexpr uint64_t kTableHandleBase = 0x7F000000;

HWND g_commands = nullptr;

// Boxes for log lines, as in the client; traces on stderr.
class ProbeLogSink : public CTvlMessageBoxSink {
public:
    void Trace(const char* line) override
    {
        std::fputs(line, stderr);
        std::fflush(stderr);
    }
};

// Answers look-ups of the names in its table itself, on a later turn of the
// message loop; the rest go to Windows Sockets.
class HostTablePort : public CUcmWinsockPort {
public:
    void Add(const std::string& name, std::vector<uint32_t> addresses) { m_table[name] = std::move(addresses); }

    int32_t StartLookup(const char* name, uint64_t& handle) override
    {
        auto found = m_table.find(name);
        if (found == m_table.end())
            return CUcmWinsockPort::StartLookup(name, handle);
        handle = kTableHandleBase + m_answers.size();
        m_answers.push_back(found->second);
        PostMessageA(g_commands, kHostTableMessage, static_cast<WPARAM>(handle), 0);
        return 0;
    }

    const std::vector<uint32_t>& Answer(uint64_t handle) const { return m_answers[handle - kTableHandleBase]; }

private:
    std::map<std::string, std::vector<uint32_t>> m_table;
    std::vector<std::vector<uint32_t>> m_answers;
};

struct ProbeContext {
    CConnProbe* probe;
    CUcmManager* manager;
    HostTablePort* port;
};

LRESULT CALLBACK CommandProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* context = reinterpret_cast<ProbeContext*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (context != nullptr && message == kCommandMessage) {
        std::unique_ptr<std::string> line(reinterpret_cast<std::string*>(lParam));
        if (!context->probe->Execute(*line))
            PostQuitMessage(0);
        return 0;
    }
    if (context != nullptr && message == kHostTableMessage) {
        const uint64_t handle = static_cast<uint64_t>(wParam);
        context->manager->DispatchLookup(handle, 0, context->port->Answer(handle));
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND CreateCommandWindow(ProbeContext& context)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = CommandProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kCommandClass;
    RegisterClassA(&windowClass);
    HWND window = CreateWindowA(kCommandClass, kCommandClass, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                windowClass.hInstance, nullptr);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&context));
    return window;
}

void ReadCommands()
{
    std::string line;
    while (std::getline(std::cin, line))
        PostMessageA(g_commands, kCommandMessage, 0, reinterpret_cast<LPARAM>(new std::string(line)));
    PostMessageA(g_commands, kCommandMessage, 0, reinterpret_cast<LPARAM>(new std::string("quit")));
}

std::string TextOf(HWND window)
{
    char text[2048] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

BOOL CALLBACK LongestStatic(HWND child, LPARAM found)
{
    char className[64] = {};
    GetClassNameA(child, className, sizeof className);
    auto* text = reinterpret_cast<std::string*>(found);
    const std::string childText = TextOf(child);
    if (lstrcmpiA(className, "Static") == 0 && childText.size() > text->size())
        *text = childText;
    return TRUE;
}

BOOL CALLBACK CollectBox(HWND window, LPARAM found)
{
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char className[64] = {};
    GetClassNameA(window, className, sizeof className);
    const std::string caption = TextOf(window);
    if (process == GetCurrentProcessId() && std::strcmp(className, "#32770") == 0 && IsWindowVisible(window) &&
        caption.compare(0, std::strlen(kBoxCaptionStart), kBoxCaptionStart) == 0)
        reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
    return TRUE;
}

// Finds the program's warning boxes, reports each once and closes it.
void WatchBoxes(DWORD closeAfterMs)
{
    std::set<HWND> seen;
    for (;;) {
        std::vector<HWND> boxes;
        EnumWindows(CollectBox, reinterpret_cast<LPARAM>(&boxes));
        for (HWND box : boxes) {
            if (!seen.insert(box).second)
                continue;
            std::string text;
            EnumChildWindows(box, LongestStatic, reinterpret_cast<LPARAM>(&text));
            CConnProbe::Print("BOX %s|%s", TextOf(box).c_str(), text.c_str());
            Sleep(closeAfterMs);
            PostMessageA(box, WM_COMMAND, IDOK, 0);
            CConnProbe::Print("BOX_CLOSED");
        }
        Sleep(50);
    }
}

std::vector<uint32_t> ParseAddresses(const std::string& list)
{
    std::vector<uint32_t> addresses;
    size_t start = 0;
    while (start <= list.size()) {
        size_t end = list.find(',', start);
        if (end == std::string::npos)
            end = list.size();
        uint32_t address = 0;
        if (UcmParseAddress(list.substr(start, end - start).c_str(), address))
            addresses.push_back(address);
        start = end + 1;
    }
    return addresses;
}

} // namespace

int main(int argc, char** argv)
{
    UINT keepAliveMs = CUcmSocketWindow::kKeepAliveMs;
    int dismissMs = -1;
    std::vector<std::string> hosts;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        const std::string value = argv[i + 1];
        if (option == "--keepalive-ms") {
            keepAliveMs = static_cast<UINT>(std::stoul(value));
        } else if (option == "--dismiss-boxes") {
            dismissMs = std::stoi(value);
        } else if (option == "--host") {
            hosts.push_back(value);
        }
    }
    CTvlProfileSwitchSource switches;
    TvlSetSwitchSource(&switches);
    ProbeLogSink boxes;
    TvlSetLogSink(&boxes);
    {
        HostTablePort port;
        for (const std::string& host : hosts) {
            const size_t equals = host.find('=');
            port.Add(host.substr(0, equals), ParseAddresses(host.substr(equals + 1)));
        }
        CUcmManager manager(port);
        CUcmManager::Install(&manager);
        CUcmSocketWindow socketWindow(manager, port);
        if (!socketWindow.Create("Tvl32Sock", keepAliveMs)) {
            CConnProbe::Print("ERROR socket window %lu", GetLastError());
            return 1;
        }
        CConnProbe probe(manager);
        ProbeContext context = {&probe, &manager, &port};
        g_commands = CreateCommandWindow(context);
        std::thread(ReadCommands).detach();
        if (dismissMs >= 0)
            std::thread(WatchBoxes, static_cast<DWORD>(dismissMs)).detach();
        MSG message;
        while (GetMessageA(&message, nullptr, 0, 0) > 0) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        CUcmManager::Install(nullptr);
    }
    TvlSetLogSink(nullptr);
    TvlSetSwitchSource(nullptr);
    std::fflush(stdout);
    ExitProcess(0);
}
